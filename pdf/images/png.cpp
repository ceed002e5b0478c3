// PNG: the compressed data of the IDAT chunks are embedded as they are, as one Flate stream
// whose decode parameters name the PNG row predictors, once they are known to decode to
// the rows the header gives.
#include <algorithm>
#include <span>

#include "pdf/codec/checksums.h"
#include "pdf/codec/inflate.h"
#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"

namespace pdf {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

enum ColourType { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

// The most a Deflate stream expands: 258 bytes from two bits.
constexpr std::int64_t kLargestInflation = 1032;
constexpr int kLastRowFilter = 4;  // Paeth

bool IsChunk(const Bytes& data, std::size_t at, const char* type)
{
    RequireBytes(data, static_cast<std::int64_t>(at), 4);
    return std::equal(type, type + 4, data.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string ColourSpaceOf(int colourType)
{
    switch (colourType) {
    case kGrey:
        return "DeviceGray";
    case kRgb:
        return "DeviceRGB";
    case kPalette:
        return "Indexed";
    case kGreyAlpha:
    case kRgba:
        throw FormatError("PNG images with an alpha channel are not supported");
    default:
        throw FormatError("the PNG colour type " + std::to_string(colourType) + " is unknown");
    }
}

// The bit depths the format allows for a colour type.
bool IsAllowedDepth(int colourType, int bits)
{
    switch (colourType) {
    case kGrey:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
    case kPalette:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8;
    default:
        return bits == 8 || bits == 16;
    }
}

// A width or height of the header: 1 to 2^31 - 1.
int SizeField(const Bytes& data, std::size_t at)
{
    const std::int32_t value = ReadIntBE(data, static_cast<std::int64_t>(at), 4, false);
    if (value <= 0)
        throw FormatError("the PNG header gives an invalid size");
    return value;
}

// A transparency chunk holds one alpha value for at most each palette entry, or one
// two-byte sample per colour component of the key colour.
void RequireTransparencyLength(std::size_t length, int colourType, std::size_t paletteEntries)
{
    const bool fits = colourType == kPalette ? length <= paletteEntries
                      : colourType == kGrey  ? length == 2
                                             : length == 6;
    if (!fits)
        throw FormatError("the PNG transparency chunk has the wrong length");
}

// A transparency chunk: for a palette, the first fully transparent entry; for grey and RGB,
// the key colour's samples (their low bytes), each as a range of one value.
std::string MaskOf(const Bytes& data, std::size_t at, std::size_t length, int colourType)
{
    std::string mask;
    if (colourType == kPalette) {
        for (std::size_t i = 0; i < length; ++i) {
            if (data[at + i] == 0) {
                mask = std::to_string(i) + " " + std::to_string(i);
                break;
            }
        }
        return mask;
    }
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        const std::string v = std::to_string(data[at + i + 1]);
        mask += v + " " + v + " ";
    }
    return mask;
}

// A checksum: all 32 bits, which an unsigned read would refuse above 2^31 - 1.
std::uint32_t Checksum(const Bytes& data, std::size_t at)
{
    return static_cast<std::uint32_t>(ReadIntBE(data, static_cast<std::int64_t>(at), 4, false));
}

// The chunk at `at` (its length field) of `length` data bytes ends with the CRC of its
// type and data.
void RequireChunkCrc(const Bytes& data, std::size_t at, std::size_t length)
{
    RequireBytes(data, static_cast<std::int64_t>(at + 4), 8 + static_cast<std::int64_t>(length));
    if (Crc32(std::span(data).subspan(at + 4, 4 + length)) != Checksum(data, at + 8 + length))
        throw FormatError("a PNG chunk fails its checksum");
}

// The image data: a zlib stream that decodes, under the rules the common readers apply, to
// exactly the rows of the header, each led by a filter type the format defines, and ends
// with their checksum.  Bytes after the stream are dropped: readers of the document need
// not meet them.
void RequireWholeRows(PreparedImage& image, int samplesPerPixel)
{
    const Error missing = FormatError("the PNG image data do not hold the rows of its header");
    const std::int64_t rows =
        PictureBytes(image.Width, image.Height, image.Bits * samplesPerPixel) + image.Height;
    RequirePlausibleSize(rows, image.Data.size(), kLargestInflation);
    const Bytes& stream = image.Data;
    // Method 8 with a window of at most 32 KB, no preset dictionary, and the header check.
    if (stream.size() < 6 || (stream[0] & 0x0F) != 8 || (stream[0] >> 4) > 7 ||
        (stream[1] & 0x20) != 0 || (stream[0] << 8 | stream[1]) % 31 != 0)
        throw missing;
    InflatedStream inflated;
    try {
        inflated = InflateStream(std::span(stream).subspan(2), static_cast<std::size_t>(rows),
                                 InflateRules::Strict);
    } catch (const Error&) {
        throw missing;
    }
    const Bytes& decoded = inflated.Data;
    if (decoded.size() != static_cast<std::size_t>(rows))
        throw missing;
    const std::size_t rowLength = decoded.size() / static_cast<std::size_t>(image.Height);
    for (std::size_t row = 0; row < decoded.size(); row += rowLength)
        if (decoded[row] > kLastRowFilter)
            throw missing;
    const std::size_t trailer = 2 + inflated.Used;
    if (stream.size() < trailer + 4 || Adler32(decoded) != Checksum(stream, trailer))
        throw FormatError("the PNG image data fail their checksum");
    image.Data.resize(trailer + 4);
}

}  // namespace

PreparedImage DecodePng(const Bytes& data)
{
    if (data.size() < 33 || !std::equal(kSignature, kSignature + 8, data.begin()))
        throw FormatError("the data are not a PNG image");
    if (!IsChunk(data, 12, "IHDR") || ReadIntBE(data, 8, 4, false) != 13)
        throw FormatError("the PNG header chunk is missing");
    RequireChunkCrc(data, 8, 13);

    PreparedImage image;
    image.Width = SizeField(data, 16);
    image.Height = SizeField(data, 20);
    image.Bits = data[24];
    const int colourType = data[25];
    image.ColorSpace = ColourSpaceOf(colourType);
    if (!IsAllowedDepth(colourType, image.Bits))
        throw FormatError("the PNG header gives the invalid bit depth " +
                          std::to_string(image.Bits));
    if (image.Bits > 8)
        throw FormatError("PNG images of more than 8 bits per sample are not supported");
    if (data[26] != 0 || data[27] != 0)
        throw FormatError("the PNG compression or filter method is unknown");
    if (data[28] != 0)
        throw FormatError("interlaced PNG images are not supported");

    bool hasPalette = false;
    std::size_t at = 33;
    while (at < data.size()) {
        const std::size_t length = static_cast<std::size_t>(ReadIntBE(data, static_cast<std::int64_t>(at), 4, true));
        const std::size_t body = at + 8;
        RequireBytes(data, static_cast<std::int64_t>(at + 4), 4 + static_cast<std::int64_t>(length));
        if (IsChunk(data, at + 4, "IEND"))
            break;
        const bool read = (IsChunk(data, at + 4, "PLTE") && colourType == kPalette) ||
                          IsChunk(data, at + 4, "tRNS") || IsChunk(data, at + 4, "IDAT");
        if (read)
            RequireChunkCrc(data, at, length);
        if (IsChunk(data, at + 4, "PLTE") && colourType == kPalette) {
            if (length == 0 || length % 3 != 0 || length > 3 * 256)
                throw FormatError("the PNG palette does not hold 1 to 256 colours");
            image.Palette.assign(data.begin() + static_cast<std::ptrdiff_t>(body),
                                 data.begin() + static_cast<std::ptrdiff_t>(body + length));
            hasPalette = true;
        } else if (IsChunk(data, at + 4, "tRNS")) {
            RequireTransparencyLength(length, colourType, image.Palette.size() / 3);
            image.Mask = MaskOf(data, body, length, colourType);
        } else if (IsChunk(data, at + 4, "IDAT")) {
            image.Data.insert(image.Data.end(), data.begin() + static_cast<std::ptrdiff_t>(body),
                              data.begin() + static_cast<std::ptrdiff_t>(body + length));
        }
        at = body + length + 4;
    }
    if (colourType == kPalette && !hasPalette)
        throw FormatError("the paletted PNG image has no palette");
    if (image.Data.empty())
        throw FormatError("the PNG image has no image data");
    RequireWholeRows(image, colourType == kRgb ? 3 : 1);

    image.Kind = hasPalette ? image_kind::kPngPalette : image_kind::kPng;
    image.Filter = "/FlateDecode";
    return image;
}

}  // namespace pdf
