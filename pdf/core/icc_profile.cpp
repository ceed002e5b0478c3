#include "pdf/core/icc_profile.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace pdf {

namespace {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

struct Chromaticity {
    double x;
    double y;
};

// The colour space's published definition.
constexpr Chromaticity kRed{0.6400, 0.3300};
constexpr Chromaticity kGreen{0.2100, 0.7100};
constexpr Chromaticity kBlue{0.1500, 0.0600};
constexpr Chromaticity kWhite{0.3127, 0.3290};  // D65
constexpr std::uint16_t kGammaU8Fixed8 = 563;   // 2.19921875

// The profile connection space's illuminant, D50, as ICC profiles store it.
constexpr Vec3 kD50{0x0000F6D6 / 65536.0, 1.0, 0x0000D32D / 65536.0};

// Bradford cone response, for adapting the colorants from D65 to D50.
constexpr Mat3 kBradford{{{0.8951, 0.2664, -0.1614},
                          {-0.7502, 1.7135, 0.0367},
                          {0.0389, -0.0685, 1.0296}}};

Vec3 ToXyz(Chromaticity c)
{
    return {c.x / c.y, 1.0, (1.0 - c.x - c.y) / c.y};
}

Vec3 Multiply(const Mat3& m, const Vec3& v)
{
    Vec3 out{};
    for (int r = 0; r < 3; ++r)
        out[r] = m[r][0] * v[0] + m[r][1] * v[1] + m[r][2] * v[2];
    return out;
}

Mat3 Multiply(const Mat3& a, const Mat3& b)
{
    Mat3 out{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
    return out;
}

Mat3 Inverse(const Mat3& m)
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Mat3 out{};
    out[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    out[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    out[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    out[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    out[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    out[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    out[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return out;
}

// Columns: the XYZ of the red, green and blue colorants under D65, scaled so that they
// add up to the white point.
Mat3 RgbToXyz()
{
    const Vec3 r = ToXyz(kRed), g = ToXyz(kGreen), b = ToXyz(kBlue);
    const Mat3 primaries{{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
    const Vec3 s = Multiply(Inverse(primaries), ToXyz(kWhite));
    Mat3 out{};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            out[row][col] = primaries[row][col] * s[col];
    return out;
}

Mat3 AdaptD65ToD50()
{
    const Vec3 source = Multiply(kBradford, ToXyz(kWhite));
    const Vec3 target = Multiply(kBradford, kD50);
    Mat3 scale{};
    for (int i = 0; i < 3; ++i)
        scale[i][i] = target[i] / source[i];
    return Multiply(Inverse(kBradford), Multiply(scale, kBradford));
}

class ProfileWriter {
public:
    void U8(std::uint8_t v) { mBytes.push_back(v); }
    void U16(std::uint16_t v)
    {
        U8(static_cast<std::uint8_t>(v >> 8));
        U8(static_cast<std::uint8_t>(v));
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v >> 16));
        U16(static_cast<std::uint16_t>(v));
    }
    void Sig(std::string_view four)
    {
        for (char c : four)
            U8(static_cast<std::uint8_t>(c));
    }
    void S15Fixed16(double v) { U32(static_cast<std::uint32_t>(std::lround(v * 65536.0))); }
    void Zeros(std::size_t n) { mBytes.insert(mBytes.end(), n, 0); }
    void Align4() { Zeros((4 - mBytes.size() % 4) % 4); }
    void PutU32At(std::size_t offset, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            mBytes[offset + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(v >> (24 - 8 * i));
    }
    std::size_t Size() const { return mBytes.size(); }
    Bytes Take() { return std::move(mBytes); }

private:
    Bytes mBytes;
};

void WriteHeader(ProfileWriter& w)
{
    w.U32(0);  // size, set at the end
    w.U32(0);  // preferred colour engine: none
    w.U32(0x02100000);
    w.Sig("mntr");
    w.Sig("RGB ");
    w.Sig("XYZ ");
    for (std::uint16_t part : {2020, 1, 1, 0, 0, 0})
        w.U16(part);
    w.Sig("acsp");
    w.U32(0);  // platform
    w.U32(0);  // flags
    w.U32(0);  // device manufacturer
    w.U32(0);  // device model
    w.Zeros(8);  // device attributes
    w.U32(0);  // perceptual rendering intent
    for (double v : kD50)
        w.S15Fixed16(v);
    w.U32(0);  // creator
    w.Zeros(44);
}

}  // namespace

Bytes BuildRgbDisplayProfile()
{
    const Mat3 colorants = Multiply(AdaptD65ToD50(), RgbToXyz());
    const Vec3 white = ToXyz(kWhite);
    const std::string_view description = "AdobeRGB1998";
    const std::string_view copyright = "No copyright, use freely";

    ProfileWriter w;
    WriteHeader(w);

    struct Tag {
        std::string_view signature;
        int data;  // index of the tag data below; tags may share data
    };
    constexpr std::array<Tag, 9> kTags{{{"desc", 0}, {"cprt", 1}, {"wtpt", 2}, {"rXYZ", 3},
                                        {"gXYZ", 4}, {"bXYZ", 5}, {"rTRC", 6}, {"gTRC", 6},
                                        {"bTRC", 6}}};
    w.U32(kTags.size());
    const std::size_t table = w.Size();
    w.Zeros(kTags.size() * 12);

    std::array<std::size_t, 7> offset{}, length{};
    auto begin = [&](int i) { offset[static_cast<std::size_t>(i)] = w.Size(); };
    auto end = [&](int i) {
        length[static_cast<std::size_t>(i)] = w.Size() - offset[static_cast<std::size_t>(i)];
        w.Align4();
    };
    auto xyz = [&](int i, const Vec3& v) {
        begin(i);
        w.Sig("XYZ ");
        w.U32(0);
        for (double c : v)
            w.S15Fixed16(c);
        end(i);
    };

    begin(0);
    w.Sig("desc");
    w.U32(0);
    w.U32(static_cast<std::uint32_t>(description.size() + 1));
    w.Sig(description);
    w.U8(0);
    w.U32(0);   // Unicode language
    w.U32(0);   // Unicode count
    w.U16(0);   // ScriptCode code
    w.U8(0);    // ScriptCode count
    w.Zeros(67);
    end(0);

    begin(1);
    w.Sig("text");
    w.U32(0);
    w.Sig(copyright);
    w.U8(0);
    end(1);

    xyz(2, white);
    for (int c = 0; c < 3; ++c)
        xyz(3 + c, {colorants[0][static_cast<std::size_t>(c)],
                    colorants[1][static_cast<std::size_t>(c)],
                    colorants[2][static_cast<std::size_t>(c)]});

    begin(6);
    w.Sig("curv");
    w.U32(0);
    w.U32(1);
    w.U16(kGammaU8Fixed8);
    end(6);

    for (std::size_t i = 0; i < kTags.size(); ++i) {
        const std::size_t entry = table + i * 12;
        const auto data = static_cast<std::size_t>(kTags[i].data);
        const std::string_view sig = kTags[i].signature;
        w.PutU32At(entry, static_cast<std::uint32_t>(
                              (static_cast<std::uint8_t>(sig[0]) << 24) |
                              (static_cast<std::uint8_t>(sig[1]) << 16) |
                              (static_cast<std::uint8_t>(sig[2]) << 8) |
                              static_cast<std::uint8_t>(sig[3])));
        w.PutU32At(entry + 4, static_cast<std::uint32_t>(offset[data]));
        w.PutU32At(entry + 8, static_cast<std::uint32_t>(length[data]));
    }
    w.PutU32At(0, static_cast<std::uint32_t>(w.Size()));
    return w.Take();
}

}  // namespace pdf
