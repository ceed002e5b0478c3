// Windows bitmaps: paletted images (plain, RLE8, RLE4) as indexed images with their
// palette, 16-, 24- and 32-bit images as 8-bit RGB.  Rows stay in the file's order, bottom
// row first.
#include <algorithm>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"

namespace pdf {

namespace {

enum Compression { kNone = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct BmpHeader {
    std::int64_t DataOffset = 0;
    std::int64_t PaletteOffset = 0;
    int Width = 0;
    int Height = 0;
    int Bits = 0;
    int Compression = 0;
    int ColoursUsed = 0;
    std::size_t RowBytes = 0;  // the pixels of a row, without the padding
    std::size_t Stride = 0;    // a row with its padding to four bytes
};

std::int32_t ReadSignedLE(const Bytes& data, std::int64_t position)
{
    const auto low = static_cast<std::uint32_t>(ReadIntLE(data, position, 2));
    const auto high = static_cast<std::uint32_t>(ReadIntLE(data, position + 2, 2));
    return static_cast<std::int32_t>(low | high << 16);
}

// Bit fields are read when they are the layout the plain format has anyway.
bool HasPlainFields(const Bytes& data, int bits)
{
    const std::uint32_t red = static_cast<std::uint32_t>(ReadSignedLE(data, 54));
    const std::uint32_t green = static_cast<std::uint32_t>(ReadSignedLE(data, 58));
    const std::uint32_t blue = static_cast<std::uint32_t>(ReadSignedLE(data, 62));
    if (bits == 16)
        return red == 0x7C00 && green == 0x03E0 && blue == 0x001F;
    return bits == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF;
}

BmpHeader ReadHeader(const Bytes& data)
{
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
        throw FormatError("the data are not a Windows bitmap");
    BmpHeader h;
    h.DataOffset = ReadIntLE(data, 10, 4);
    const int headerSize = ReadIntLE(data, 14, 4);
    if (headerSize < 40)
        throw FormatError("bitmaps with a header of " + std::to_string(headerSize) +
                          " bytes are not supported");
    h.PaletteOffset = 14 + std::int64_t{headerSize};
    h.Width = ReadSignedLE(data, 18);
    h.Height = ReadSignedLE(data, 22);
    h.Bits = ReadIntLE(data, 28, 2);
    h.Compression = ReadIntLE(data, 30, 4);
    h.ColoursUsed = ReadIntLE(data, 46, 4);
    if (h.Height < 0)
        throw FormatError("bitmaps stored top row first are not supported");
    if (h.Width <= 0 || h.Height == 0)
        throw FormatError("the bitmap header gives no size");
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 &&
        h.Bits != 32)
        throw FormatError("bitmaps of " + std::to_string(h.Bits) +
                          " bits per pixel are not supported");
    const bool supported = h.Compression == kNone ||
                           (h.Compression == kRle8 && h.Bits == 8) ||
                           (h.Compression == kRle4 && h.Bits == 4) ||
                           (h.Compression == kBitFields && HasPlainFields(data, h.Bits));
    if (!supported)
        throw FormatError("the bitmap compression " + std::to_string(h.Compression) +
                          " is not supported for " + std::to_string(h.Bits) + " bits per pixel");
    h.RowBytes = static_cast<std::size_t>(PictureBytes(h.Width, 1, h.Bits));
    h.Stride = static_cast<std::size_t>(PictureBytes(h.Width, 1, h.Bits, 4));
    return h;
}

// The palette as red, green, blue, 2^bits entries; entries the file leaves out are black.
// A key colour found in it becomes the mask of its index (the last such entry decides).
Bytes ReadPalette(const Bytes& data, const BmpHeader& h, const ColourKey& key,
                  std::string& mask)
{
    const int entries = 1 << h.Bits;
    const int stored = h.ColoursUsed > 0 && h.ColoursUsed < entries ? h.ColoursUsed : entries;
    RequireBytes(data, h.PaletteOffset, std::int64_t{stored} * 4);
    Bytes palette(static_cast<std::size_t>(entries) * 3);
    for (int i = 0; i < stored; ++i) {
        const std::size_t at = static_cast<std::size_t>(h.PaletteOffset) + 4u * i;
        const std::array<std::uint8_t, 3> rgb{data[at + 2], data[at + 1], data[at]};
        std::copy(rgb.begin(), rgb.end(), palette.begin() + 3 * i);
        if (key && *key == rgb)
            mask = std::to_string(i) + " " + std::to_string(i) + " ";
    }
    return palette;
}

// Run-length data into the plain layout of padded rows.  Runs and copies are clipped to
// the picture; a delta moves the position, leaving the pixels passed over at index 0.
class RleDecoder {
public:
    RleDecoder(const Bytes& data, const BmpHeader& h)
        : mData(data), mH(h), mAt(static_cast<std::size_t>(h.DataOffset)),
          mRows(h.Stride * static_cast<std::size_t>(h.Height))
    {
    }

    Bytes Decode()
    {
        while (mY < mH.Height) {
            const int count = Next();
            const int value = Next();
            if (count > 0) {
                for (int k = 0; k < count; ++k)
                    Put(mH.Bits == 8 ? value : k % 2 == 0 ? value >> 4 : value & 15);
            } else if (value == 0) {
                NextRow();
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                mX += Next();
                mY += Next();
            } else {
                CopyPixels(value);
            }
        }
        return std::move(mRows);
    }

private:
    int Next() { return ByteAt(mData, static_cast<std::int64_t>(mAt++)); }

    void NextRow()
    {
        mX = 0;
        ++mY;
    }

    void CopyPixels(int count)
    {
        int bytes = 0;
        int value = 0;
        for (int k = 0; k < count; ++k) {
            if (mH.Bits == 8 || k % 2 == 0) {
                value = Next();
                ++bytes;
            }
            Put(mH.Bits == 8 ? value : k % 2 == 0 ? value >> 4 : value & 15);
        }
        if (bytes % 2 == 1)
            Next();
    }

    void Put(int index)
    {
        if (mX < mH.Width && mY < mH.Height) {
            const std::size_t row = mH.Stride * static_cast<std::size_t>(mY);
            if (mH.Bits == 8)
                mRows[row + static_cast<std::size_t>(mX)] = static_cast<std::uint8_t>(index);
            else
                mRows[row + static_cast<std::size_t>(mX / 2)] |=
                    static_cast<std::uint8_t>(mX % 2 == 0 ? index << 4 : index);
        }
        ++mX;
    }

    const Bytes& mData;
    const BmpHeader& mH;
    std::size_t mAt;
    Bytes mRows;
    int mX = 0;
    int mY = 0;
};

// A 5-bit component on the 8-bit scale: 31 is 255.
std::uint8_t FullRange(int value)
{
    return static_cast<std::uint8_t>((value * 255 + 15) / 31);
}

// The stream: packed indices without padding, or 8-bit RGB.
Bytes StreamRows(const Bytes& rows, std::size_t first, const BmpHeader& h)
{
    Bytes out;
    const std::size_t pixels = static_cast<std::size_t>(h.Width);
    out.reserve(h.Bits <= 8 ? h.RowBytes * h.Height : pixels * 3 * h.Height);
    for (int y = 0; y < h.Height; ++y) {
        const std::uint8_t* row = rows.data() + first + h.Stride * static_cast<std::size_t>(y);
        if (h.Bits <= 8) {
            out.insert(out.end(), row, row + h.RowBytes);
            continue;
        }
        for (std::size_t x = 0; x < pixels; ++x) {
            if (h.Bits == 16) {
                const int v = row[2 * x] | row[2 * x + 1] << 8;
                for (const int shift : {10, 5, 0})
                    out.push_back(FullRange(v >> shift & 31));
            } else {
                const std::uint8_t* p = row + x * static_cast<std::size_t>(h.Bits / 8);
                out.insert(out.end(), {p[2], p[1], p[0]});
            }
        }
    }
    return out;
}

}  // namespace

PreparedImage DecodeBmp(const Bytes& data, const ColourKey& key)
{
    const BmpHeader h = ReadHeader(data);
    PreparedImage image;
    image.Width = h.Width;
    image.Height = h.Height;
    image.Kind = image_kind::kBmp;
    const std::int64_t canvas = PictureBytes(h.Width, h.Height, h.Bits, 4);
    if (h.Bits <= 8) {
        image.Bits = h.Bits;
        image.Palette = ReadPalette(data, h, key, image.Mask);
    } else {
        image.Bits = 24;
        if (key)
            for (const int c : *key)
                image.Mask += std::to_string(c) + " " + std::to_string(c) + " ";
    }
    if (h.Compression == kRle8 || h.Compression == kRle4) {
        RequirePlausibleSize(canvas, data.size(), 1024);
        const Bytes rows = RleDecoder(data, h).Decode();
        image.Data = StreamRows(rows, 0, h);
    } else {
        // The last row's padding may be left out.
        RequireBytes(data, h.DataOffset, canvas - static_cast<std::int64_t>(h.Stride - h.RowBytes));
        image.Data = StreamRows(data, static_cast<std::size_t>(h.DataOffset), h);
    }
    return image;
}

}  // namespace pdf
