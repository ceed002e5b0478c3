// JPEG: embedded byte for byte as a DCT stream; only the frame header is read, for the size
// and the number of components, and the Adobe segment, which tells inverted CMYK.
#include <algorithm>

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

}  // namespace

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
    while (true) {
        while (i + 1 < n && !(data[i] == 0xFF && data[i + 1] != 0xFF))
            ++i;
        if (i + 1 >= n)
            throw FormatError("the JPEG data have no frame header");
        const std::uint8_t code = data[++i];
        if (IsStartOfFrame(code)) {
            PreparedImage image;
            image.Height = ReadIntBE(data, static_cast<std::int64_t>(i) + 4, 2, true);
            image.Width = ReadIntBE(data, static_cast<std::int64_t>(i) + 6, 2, true);
            const int components = ByteAt(data, static_cast<std::int64_t>(i) + 8);
            if (image.Width == 0 || image.Height == 0)
                throw FormatError("the JPEG frame header gives no size");
            image.ColorSpace = ColourSpaceOf(components);
            image.Kind = image_kind::kTopRowFirst;
            image.Bits = components * 8;
            image.Filter = "/DCTDecode ";
            image.Data = data;
            if (components == 4 && adobe)
                image.Decode = "1 0 1 0 1 0 1 0";
            return image;
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
