// Opacity and blend modes through shared ExtGState objects, and the line's cap, join,
// miter limit, width and dash pattern.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::array<const char*, 16> kBlendModes{{
    "Normal", "Multiply", "Screen", "Overlay", "Darken", "Lighten", "ColorDodge", "ColorBurn",
    "HardLight", "SoftLight", "Difference", "Exclusion", "Hue", "Saturation", "Color",
    "Luminosity",
}};

struct NamedDash {
    std::string_view name;
    std::vector<float> lengths;
};

const std::array<NamedDash, 4>& NamedDashes()
{
    static const std::array<NamedDash, 4> dashes{{
        {"DASH", {0.1f}},
        {"DOT", {0.05f}},
        {"DASHDOT", {0.1f, 0.05f, 0.05f, 0.05f}},
        {"DASHDOTDOT", {0.1f, 0.05f, 0.05f, 0.05f, 0.05f, 0.05f}},
    }};
    return dashes;
}

// Halves go to the even neighbour; the result is kept within the PDF's codes 0 to 2.
int LineCode(int bits, int unit)
{
    const int code = static_cast<int>(std::nearbyint(static_cast<double>(bits) / unit));
    return std::clamp(code, 0, 2);
}

// A dash array must be non-negative and not all zero, or the line is solid.
bool IsDrawableDash(const std::vector<float>& lengths)
{
    return std::none_of(lengths.begin(), lengths.end(), [](float v) { return v < 0; }) &&
           std::any_of(lengths.begin(), lengths.end(), [](float v) { return v > 0; });
}

}  // namespace

void Pagelith::UseExtGState(std::string_view kind, int value, bool& written,
                            const std::string& entries)
{
    const std::string name = mInfo.resPrefix + std::string(kind) + std::to_string(value);
    if (!written) {
        const int object = BeginObj(0);
        WriteLine("<</Type /ExtGState " + entries + " >>");
        EndObj();
        mResources.extGStates += "/" + name + " " + std::to_string(object) + " 0 R ";
        written = true;
    }
    PutLine("/" + name + " gs");
    RequireVersion(1);
}

void Pagelith::SetAlpha(int opacity)
{
    if (mPdfa.on)
        return;
    opacity = std::clamp(opacity, 0, 100);
    const std::string a = FormatReal(static_cast<float>(opacity) / 100);
    UseExtGState("GS_", opacity, mGs.alpha[static_cast<std::size_t>(opacity)],
                 "/ca " + a + " /CA " + a + " /BM /Normal");
}

void Pagelith::SetAlphaFill(int opacity)
{
    if (mPdfa.on)
        return;
    opacity = std::clamp(opacity, 0, 100);
    const std::string a = FormatReal(static_cast<float>(opacity) / 100);
    UseExtGState("GSF_", opacity, mGs.alphaFill[static_cast<std::size_t>(opacity)],
                 "/ca " + a + " /BM /Normal");
}

void Pagelith::SetAlphaLine(int opacity)
{
    if (mPdfa.on)
        return;
    opacity = std::clamp(opacity, 0, 100);
    const std::string a = FormatReal(static_cast<float>(opacity) / 100);
    UseExtGState("GSL_", opacity, mGs.alphaLine[static_cast<std::size_t>(opacity)],
                 "/CA " + a + " /BM /Normal");
}

void Pagelith::SetBlend(int mode)
{
    if (mPdfa.on)
        return;
    mode = std::clamp(mode, 0, 15);
    UseExtGState("GSB_", mode, mGs.blend[static_cast<std::size_t>(mode)],
                 std::string("/BM /") + kBlendModes[static_cast<std::size_t>(mode)]);
}

void Pagelith::SetLineStyle(int style, float miter)
{
    RequireFinite({miter});
    PutLine(std::to_string(LineCode(style & 112, 32)) + " J");
    PutLine(std::to_string(LineCode(style & 7, 2)) + " j");
    if (miter >= 1)
        PutLine(FormatReal(miter) + " M");
}

void Pagelith::SetLineWidth(float width)
{
    RequireFinite({width});
    if (width < 0)
        return;
    mGs.lineWidth = width * mGeometry.scale;
    PutLine(FormatReal(mGs.lineWidth) + " w");
}

void Pagelith::SetDash(const std::string& pattern, float phase)
{
    RequireFinite({phase});
    const std::string name = UpperAscii(TrimSpaces(pattern));
    std::string array;
    if (!name.empty() && name != "SOLID") {
        const auto& named = NamedDashes();
        const auto found = std::find_if(named.begin(), named.end(),
                                        [&](const NamedDash& d) { return d.name == name; });
        if (found != named.end()) {
            for (float length : found->lengths)
                array += (array.empty() ? "" : " ") + FormatCoord(length);
        } else {
            std::vector<std::string> pieces;
            SplitText(name, pieces, ";");
            std::vector<float> lengths;
            for (const std::string& piece : pieces)
                lengths.push_back(static_cast<float>(LeadingNumber(piece)));
            if (IsDrawableDash(lengths)) {
                for (float length : lengths)
                    array += " " + FormatCoord(length);
            }
        }
    }
    PutLine("[" + array + " ] " + (array.empty() ? "0" : FormatCoord(phase)) + " d");
}

}  // namespace pdf
