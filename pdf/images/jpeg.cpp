// JPEG: embedded byte for byte as a DCT stream; only the frame header is read, for the size
// and the number of components and to know that readers decode the frame, the Adobe
// segment, which tells inverted CMYK, and enough of the rest to know that the picture is
// whole.
#include <algorithm>
#include <optional>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"

namespace pdf {

namespace {

// Start-of-frame markers: every C0 to CF except C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic conditioning).
bool IsStartOfFrame(std::uint8_t code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// The frames that readers decode through DCTDecode: baseline, extended and progressive
// Huffman-coded ones.  Lossless, hierarchical and arithmetic-coded frames are not among them.
bool IsDecodableFrame(std::uint8_t code)
{
    return code == 0xC0 || code == 0xC1 || code == 0xC2;
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

// The Adobe application segment at `at` (its marker code): CMYK data of files that carry
// it are stored inverted.
bool IsAdobeSegment(const Bytes& data, std::size_t at)
{
    static constexpr char kAdobe[] = "Adobe";
    if (at + 8 > data.size())
        return false;
    return std::equal(kAdobe, kAdobe + 5, data.begin() + static_cast<std::ptrdiff_t>(at + 3));
}

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

// The segment whose marker code is at `at` lies whole in the data.
void RequireWholeSegment(const Bytes& data, std::size_t at)
{
    const int length = ReadIntBE(data, static_cast<std::int64_t>(at) + 1, 2, true);
    if (static_cast<std::size_t>(length) >= data.size() - at)
        throw FormatError("the JPEG data end inside a segment");
}

// Every component's horizontal and vertical sampling factors lie in 1 to 4.
void RequireSamplingFactors(const Bytes& data, std::size_t at, int components)
{
    for (int c = 0; c < components; ++c) {
        const int factors = ByteAt(data, static_cast<std::int64_t>(at) + 10 + 3 * c);
        const int horizontal = factors >> 4;
        const int vertical = factors & 15;
        if (horizontal < 1 || horizontal > 4 || vertical < 1 || vertical > 4)
            throw FormatError("the JPEG frame header gives invalid sampling factors");
    }
}

// The frame header whose marker code is at `at`: the size and the components, of a frame
// that readers decode.
PreparedImage FrameHeader(const Bytes& data, std::size_t at)
{
    RequireWholeSegment(data, at);
    if (!IsDecodableFrame(data[at]))
        throw FormatError("lossless, hierarchical and arithmetic-coded JPEG images are not "
                          "supported");
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
    RequireBytes(data, static_cast<std::int64_t>(at) + 9, 3 * components);
    RequireSamplingFactors(data, at, components);
    // Huffman coding spends at least one bit on each 8 x 8 block of the full-size component.
    const std::int64_t blocks =
        std::int64_t{(image.Width + 7) / 8} * ((image.Height + 7) / 8);
    RequirePlausibleSize(blocks, data.size(), 8);
    image.Kind = image_kind::kTopRowFirst;
    image.Bits = components * 8;
    image.Filter = "/DCTDecode ";
    image.Data = data;
    return image;
}

// Whether the coded data after the scan header at `at` reach the end-of-image marker.  In
// coded data a 0xFF byte is followed by a stuffed 0 or by a marker, so the first FF D9
// pair is the end of image.
bool HasEndOfImage(const Bytes& data, std::size_t at)
{
    const std::size_t from =
        at + static_cast<std::size_t>(ReadIntBE(data, static_cast<std::int64_t>(at) + 1, 2, true));
    for (std::size_t k = from; k + 1 < data.size(); ++k) {
        if (data[k] == 0xFF && data[k + 1] == kEndOfImage)
            return true;
    }
    return false;
}

}  // namespace

// A picture a reader can decode: a frame header and a scan, whose coded data run to the
// end-of-image marker.  Data cut anywhere before that are refused, since readers fail on
// them.
PreparedImage DecodeJpeg(const Bytes& data)
{
    const std::size_t n = data.size();
    std::size_t i = 0;
    while (i + 2 < n && !(data[i] == 0xFF && data[i + 1] == 0xD8 && data[i + 2] == 0xFF))
        ++i;
    if (i + 2 >= n)
        throw FormatError("the JPEG data have no start-of-image marker");
    i += 2;

    // Segments after the start of image: a marker, then a length that counts itself.
    bool adobe = false;
    std::optional<PreparedImage> frame;
    while (true) {
        while (i + 1 < n && !(data[i] == 0xFF && data[i + 1] != 0xFF))
            ++i;
        if (i + 1 >= n)
            throw FormatError(frame ? "the JPEG data have no scan"
                                    : "the JPEG data have no frame header");
        const std::uint8_t code = data[++i];
        if (IsStartOfFrame(code) && !frame)
            frame = FrameHeader(data, i);
        if (code == kStartOfScan && frame) {
            RequireWholeSegment(data, i);
            if (!HasEndOfImage(data, i))
                throw FormatError("the JPEG data end inside their scan");
            if (frame->ColorSpace == "DeviceCMYK" && adobe)
                frame->Decode = "1 0 1 0 1 0 1 0";
            return *std::move(frame);
        }
        if (code == kAdobeMarker)
            adobe = adobe || IsAdobeSegment(data, i);
        if ((code >= 0xD0 && code <= 0xD9) || code == 0x01)
            continue;  // a marker without a segment
        const int length = ReadIntBE(data, static_cast<std::int64_t>(i) + 1, 2, true);
        i += static_cast<std::size_t>(length < 2 ? 2 : length);
    }
}

}  // namespace pdf
