// JPEG: embedded from its start-of-image marker on, byte for byte, as a DCT stream.  The
// headers are read: the frame header for the size and the components, the tables and the
// first scan header to know that readers decode the picture, the JFIF and Adobe segments,
// which tell how the components are coded; the scans are walked to know that their data
// cover the frame (jpeg_scans.cpp).
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"
#include "pdf/images/jpeg_scans.h"

namespace pdf {

namespace {

// Start-of-frame markers: every C0 to CF except C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic conditioning).
bool IsStartOfFrame(std::uint8_t code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// The frames that readers decode through DCTDecode: baseline, extended and progressive
// ones, Huffman- or arithmetic-coded.  Lossless and hierarchical frames are not among them.
bool IsDecodableFrame(std::uint8_t code)
{
    return code == 0xC0 || code == 0xC1 || code == 0xC2 || code == 0xC9 || code == 0xCA;
}

bool IsProgressive(std::uint8_t frameCode)
{
    return frameCode == 0xC2 || frameCode == 0xCA;
}

bool IsArithmeticCoded(std::uint8_t frameCode)
{
    return frameCode == 0xC9 || frameCode == 0xCA;
}

// The markers readers take after the start of image: frames, tables, scans, restart
// markers, the end of image, application segments and comments.  They stop at any other,
// and at a second start of image.
bool IsKnownMarker(std::uint8_t code)
{
    return (code >= 0xC0 && code <= 0xDD && code != 0xC8 && code != 0xD8) ||
           (code >= 0xE0 && code <= 0xEF) || code == 0xFE || code == 0x01;
}

// The largest side the readers' JPEG decoders take; they refuse a frame that claims more.
constexpr int kLargestSide = 65500;

const char* ColourSpaceOf(int components)
{
    switch (components) {
    case 1:
        return "DeviceGray";
    case 3:
        return "DeviceRGB";
    case 4:
        return "DeviceCMYK";
    default:
        throw FormatError("JPEG images of " + std::to_string(components) +
                          " components are not supported");
    }
}

constexpr std::uint8_t kAdobeMarker = 0xEE;
constexpr std::uint8_t kJfifMarker = 0xE0;

// Whether the application segment at `at` (its marker code) begins with `identifier`: the
// Adobe segment tells that CMYK data are stored inverted, the JFIF one ("JFIF" and a zero
// byte) that the components are YCbCr.
bool HasIdentifier(const Bytes& data, std::size_t at, std::string_view identifier)
{
    if (at + 3 + identifier.size() > data.size())
        return false;
    return std::equal(identifier.begin(), identifier.end(),
                      data.begin() + static_cast<std::ptrdiff_t>(at + 3));
}

// Three components named 'R', 'G' and 'B' with neither segment hold RGB, as readers of the
// file take them; a PDF reader would turn them from YCbCr unless told.
bool NamesRgbComponents(const Bytes& data, std::size_t frame)
{
    const auto at = static_cast<std::int64_t>(frame);
    return ByteAt(data, at + 8) == 3 && ByteAt(data, at + 9) == 'R' &&
           ByteAt(data, at + 12) == 'G' && ByteAt(data, at + 15) == 'B';
}

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kArithmeticConditioning = 0xCC;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kHuffmanTables = 0xC4;
constexpr std::uint8_t kQuantisationTables = 0xDB;
constexpr std::uint8_t kRestartInterval = 0xDD;

// Whether the segment whose marker code is at `at` lies whole in the data.
bool IsWholeSegment(const Bytes& data, std::size_t at)
{
    const int length = ReadIntBE(data, static_cast<std::int64_t>(at) + 1, 2, true);
    return static_cast<std::size_t>(length) < data.size() - at;
}

void RequireWholeSegment(const Bytes& data, std::size_t at)
{
    if (!IsWholeSegment(data, at))
        throw FormatError("the JPEG data end inside a segment");
}

// Every component's horizontal and vertical sampling factors lie in 1 to 4, and divide the
// largest of each: readers scale a component up by whole steps only.
void RequireSamplingFactors(const Bytes& data, std::size_t at, int components)
{
    std::vector<int> horizontal;
    std::vector<int> vertical;
    for (int c = 0; c < components; ++c) {
        const int factors = ByteAt(data, static_cast<std::int64_t>(at) + 10 + 3 * c);
        horizontal.push_back(factors >> 4);
        vertical.push_back(factors & 15);
        if (horizontal.back() < 1 || horizontal.back() > 4 || vertical.back() < 1 ||
            vertical.back() > 4)
            throw FormatError("the JPEG frame header gives invalid sampling factors");
    }
    const int widest = *std::max_element(horizontal.begin(), horizontal.end());
    const int tallest = *std::max_element(vertical.begin(), vertical.end());
    for (int c = 0; c < components; ++c) {
        if (widest % horizontal[c] != 0 || tallest % vertical[c] != 0)
            throw FormatError("JPEG images whose sampling factors do not divide the largest "
                              "are not supported");
    }
}

// The frame header whose marker code is at `at`: the size and the components, of a frame
// that readers decode.
PreparedImage FrameHeader(const Bytes& data, std::size_t at)
{
    RequireWholeSegment(data, at);
    if (!IsDecodableFrame(data[at]))
        throw FormatError("lossless and hierarchical JPEG images are not supported");
    const int precision = ByteAt(data, static_cast<std::int64_t>(at) + 3);
    if (precision != 8)
        throw FormatError("JPEG images of " + std::to_string(precision) +
                          " bits per sample are not supported");
    PreparedImage image;
    image.Height = ReadIntBE(data, static_cast<std::int64_t>(at) + 4, 2, true);
    image.Width = ReadIntBE(data, static_cast<std::int64_t>(at) + 6, 2, true);
    const int components = ByteAt(data, static_cast<std::int64_t>(at) + 8);
    if (image.Width == 0 || image.Height == 0)
        throw FormatError("the JPEG frame header gives no size");
    if (image.Width > kLargestSide || image.Height > kLargestSide)
        throw FormatError("JPEG images wider or taller than " + std::to_string(kLargestSide) +
                          " pixels are not supported");
    image.ColorSpace = ColourSpaceOf(components);
    if (ReadIntBE(data, static_cast<std::int64_t>(at) + 1, 2, true) != 8 + 3 * components)
        throw FormatError("the JPEG frame header has the wrong length");
    RequireSamplingFactors(data, at, components);
    // Huffman coding spends at least one bit on each 8 x 8 block of the full-size component;
    // arithmetic coding next to nothing on a plain one, so only the largest picture bounds it.
    const std::int64_t blocks =
        std::int64_t{(image.Width + 7) / 8} * ((image.Height + 7) / 8);
    RequirePlausibleSize(blocks, data.size(),
                         IsArithmeticCoded(data[at]) ? INT64_MAX : std::int64_t{8});
    image.Kind = image_kind::kTopRowFirst;
    image.Bits = components * 8;
    image.Filter = "/DCTDecode ";
    image.Data = data;
    return image;
}

// The arithmetic conditioning segment whose marker code is at `at`, as readers take it:
// pairs of a table number below 32 and its value, a DC table's lower bound (the low four
// bits) not above its upper one.
void RequireConditioning(const Bytes& data, std::int64_t at)
{
    const int length = ReadIntBE(data, at + 1, 2, true);
    if (length % 2 != 0)
        throw FormatError("the JPEG data hold a segment of invalid length");
    for (std::int64_t k = at + 3; k < at + 1 + length; k += 2) {
        const int table = ByteAt(data, k);
        const int value = ByteAt(data, k + 1);
        if (table >= 32 || (table < 16 && (value & 15) > (value >> 4)))
            throw FormatError("the JPEG data hold an invalid table");
    }
}

// The tables defined so far: quantisation tables 0 to 3, and the Huffman tables.
struct DefinedTables {
    std::array<bool, 4> Quantisation{};
    HuffmanTables Huffman{};
};

// Records the tables of the whole DQT or DHT segment whose marker code is at `at`, which
// must fill it exactly.  Readers refuse a Huffman table they cannot build only where a
// scan uses it.
void ReadTables(const Bytes& data, std::int64_t at, DefinedTables& tables)
{
    const Error invalid = FormatError("the JPEG data hold an invalid table");
    const bool quantisation = ByteAt(data, at) == kQuantisationTables;
    const std::int64_t end = at + 1 + ReadIntBE(data, at + 1, 2, true);
    std::int64_t k = at + 3;
    while (k < end) {
        const int kind = ByteAt(data, k) >> 4;  // the precision, or the class: DC 0, AC 1
        const std::size_t slot = ByteAt(data, k) & 15u;
        if (kind > 1 || slot > 3)
            throw invalid;
        if (quantisation) {
            tables.Quantisation[slot] = true;
            k += 1 + 64 * (kind + 1);
            continue;
        }
        const std::size_t next =
            BuildHuffmanCodes(data, static_cast<std::size_t>(k), static_cast<std::size_t>(end),
                              tables.Huffman[4 * static_cast<std::size_t>(kind) + slot]);
        if (next == 0)
            throw invalid;
        k = static_cast<std::int64_t>(next);
    }
    if (k != end)
        throw invalid;
}

// The first scan header (its marker code at `scan`) of the frame at `frame`, as readers
// decode it: one to four of the frame's components, interleaved in units of at most ten
// blocks, whose tables are defined; a sequential frame's scan covers every coefficient
// at full precision, a progressive frame's first scan is the first pass of the DC ones.
void RequireDecodableScan(const Bytes& data, std::int64_t frame, std::int64_t scan,
                          const DefinedTables& tables)
{
    const Error invalid = FormatError("the JPEG scan header is invalid");
    const int inScan = ByteAt(data, scan + 3);
    const int inFrame = ByteAt(data, frame + 8);
    if (inScan < 1 || inScan > 4 || ReadIntBE(data, scan + 1, 2, true) != 6 + 2 * inScan)
        throw invalid;
    const std::int64_t spectrum = scan + 4 + 2 * inScan;
    const int first = ByteAt(data, spectrum);
    const int last = ByteAt(data, spectrum + 1);
    const int precision = ByteAt(data, spectrum + 2);
    const bool progressive = IsProgressive(data[static_cast<std::size_t>(frame)]);
    // Readers take any conditioning table an arithmetic-coded scan names, its default
    // when the data define none.
    const bool arithmetic = IsArithmeticCoded(data[static_cast<std::size_t>(frame)]);
    // A sequential scan's spectral bytes are fixed, and readers decode it whatever an encoder
    // wrote there (SetFullBand); a progressive first scan must be a DC scan they can start
    // from.
    if (progressive && (first != 0 || last != 0 || precision > 13))
        throw invalid;
    // Readers supply the standard tables 0 and 1 that a sequential frame leaves out, as
    // video frames do.
    const auto usable = [&](std::size_t table) {
        const HuffmanCodes& codes = tables.Huffman[table];
        return codes.Defined ? codes.Sound : !progressive && table % 4 < 2;
    };
    unsigned held = 0;  // the frame's components met in the scan, one bit each
    for (int s = 0; s < inScan; ++s) {
        const std::uint8_t id = ByteAt(data, scan + 4 + 2 * s);
        int c = 0;
        while (c < inFrame && ByteAt(data, frame + 9 + 3 * c) != id)
            ++c;
        if (c == inFrame || (held & 1u << c))
            throw FormatError("the JPEG scan names a component its frame lacks, or one twice");
        held |= 1u << c;
        const int quantisation = ByteAt(data, frame + 11 + 3 * c);
        const int huffman = ByteAt(data, scan + 5 + 2 * s);
        const std::size_t dc = static_cast<std::size_t>(huffman >> 4);
        const std::size_t ac = 4 + static_cast<std::size_t>(huffman & 15);
        if (quantisation > 3 || !tables.Quantisation[static_cast<std::size_t>(quantisation)] ||
            (!arithmetic && (dc > 3 || !usable(dc) || (!progressive && (ac > 7 || !usable(ac))))))
            throw FormatError("the JPEG scan uses a table the data do not define");
    }
}

// Readers decode a sequential scan in full whatever its band bytes say, but warn when they
// say otherwise: the embedded copy of the scan header at `scan` says so.
void SetFullBand(Bytes& data, std::size_t scan)
{
    const std::size_t spectrum = scan + 4 + 2 * std::size_t{data[scan + 3]};
    data[spectrum] = 0;
    data[spectrum + 1] = 63;
    data[spectrum + 2] = 0;
}

}  // namespace

// A picture a reader can decode whole: a frame header and scans whose coded data cover the
// frame, up to the end-of-image marker.  Data cut anywhere before that are refused, since
// readers fail or fill in on them; bytes before the start of image are left out.
PreparedImage DecodeJpeg(const Bytes& data)
{
    const std::size_t n = data.size();
    std::size_t i = 0;
    while (i + 2 < n && !(data[i] == 0xFF && data[i + 1] == 0xD8 && data[i + 2] == 0xFF))
        ++i;
    if (i + 2 >= n)
        throw FormatError("the JPEG data have no start-of-image marker");
    const std::size_t start = i;
    i += 2;

    // Segments after the start of image: a marker, then a length that counts itself.
    bool adobe = false;
    bool jfif = false;
    int restartInterval = 0;
    DefinedTables tables;
    std::optional<PreparedImage> frame;
    std::optional<JpegScans> scans;
    std::int64_t frameAt = 0;
    while (true) {
        // Readers warn of any byte but fill bytes (0xFF) between a segment and the next.
        if (i < n && data[i] != 0xFF)
            throw FormatError("the JPEG data hold bytes outside their segments");
        while (i + 1 < n && data[i + 1] == 0xFF)
            ++i;
        if (i + 1 >= n)
            throw FormatError(scans   ? "the JPEG data end inside their scan"
                              : frame ? "the JPEG data have no scan"
                                      : "the JPEG data have no frame header");
        const std::uint8_t code = data[++i];
        if (!IsKnownMarker(code) || (IsStartOfFrame(code) && frame))
            throw FormatError("the JPEG data hold a marker readers stop at");
        if (IsStartOfFrame(code) && !frame) {
            frame = FrameHeader(data, i);
            frameAt = static_cast<std::int64_t>(i);
        }
        if (code == kStartOfScan && frame) {
            RequireWholeSegment(data, i);
            if (!scans) {
                RequireDecodableScan(data, frameAt, static_cast<std::int64_t>(i), tables);
                scans.emplace(data, static_cast<std::size_t>(frameAt));
            }
            const std::size_t scan = i;
            i = scans->Decode(scan, tables.Huffman, restartInterval);
            if (!IsProgressive(data[static_cast<std::size_t>(frameAt)]))
                SetFullBand(frame->Data, scan);
            continue;
        }
        if (code == kEndOfImage && scans) {
            if (frame->ColorSpace == "DeviceCMYK" && adobe)
                frame->Decode = "1 0 1 0 1 0 1 0";
            if (!adobe && !jfif && NamesRgbComponents(data, static_cast<std::size_t>(frameAt)))
                frame->DecodeParms = "<< /ColorTransform 0 >>";
            frame->Data.erase(frame->Data.begin(),
                              frame->Data.begin() + static_cast<std::ptrdiff_t>(start));
            return *std::move(frame);
        }
        if (code == kAdobeMarker)
            adobe = adobe || HasIdentifier(data, i, "Adobe");
        if (code == kJfifMarker)
            jfif = jfif || HasIdentifier(data, i, {"JFIF", 5});
        if ((code >= 0xD0 && code <= 0xD9) || code == 0x01) {
            ++i;  // a marker without a segment
            continue;
        }
        // Data that end inside a table have no scan, which the walk finds.
        if ((code == kHuffmanTables || code == kQuantisationTables) && IsWholeSegment(data, i))
            ReadTables(data, static_cast<std::int64_t>(i), tables);
        if (code == kArithmeticConditioning && IsWholeSegment(data, i))
            RequireConditioning(data, static_cast<std::int64_t>(i));
        const int length = ReadIntBE(data, static_cast<std::int64_t>(i) + 1, 2, true);
        // A restart interval segment holds the interval alone.
        if (length < 2 || (code == kRestartInterval && length != 4))
            throw FormatError("the JPEG data hold a segment of invalid length");
        if (code == kRestartInterval && IsWholeSegment(data, i))
            restartInterval = ReadIntBE(data, static_cast<std::int64_t>(i) + 3, 2, true);
        i += static_cast<std::size_t>(length) + 1;
    }
}

}  // namespace pdf
