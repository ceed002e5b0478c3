// GIF: one frame decoded onto an indexed canvas of the logical screen's size, with the
// colour table in force for that frame as its palette.
#include <algorithm>
#include <optional>
#include <utility>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"

namespace pdf {

namespace {

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImageDescriptor = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControl = 0xF9;
constexpr int kTableSize = 4096;

// A colour table's size field gives 2^(field + 1) entries; the canvas packs 1, 2, 4 or 8
// bits per pixel.
int BitsForTable(int field)
{
    const int bits = field + 1;
    return bits <= 2 ? bits : bits <= 4 ? 4 : 8;
}

// The palette of 2^bits entries, the table's colours first and black after them.
Bytes PaletteOf(const Bytes& data, std::size_t table, int field)
{
    const std::size_t stored = 3u << field << 1;
    RequireBytes(data, static_cast<std::int64_t>(table), static_cast<std::int64_t>(stored));
    Bytes palette(3u << BitsForTable(field));
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(table), stored, palette.begin());
    return palette;
}

// Passes over a chain of sub-blocks; with `joined`, keeps their bytes there.
std::size_t ReadSubBlocks(const Bytes& data, std::size_t at, Bytes* joined)
{
    while (true) {
        const std::size_t length = ByteAt(data, static_cast<std::int64_t>(at++));
        if (length == 0)
            return at;
        RequireBytes(data, static_cast<std::int64_t>(at), static_cast<std::int64_t>(length));
        if (joined)
            joined->insert(joined->end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                           data.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
}

// The transparent colour index a graphic control extension declares, if it declares one;
// `at` is on its block size.
std::optional<int> TransparentIndex(const Bytes& data, std::size_t at)
{
    if (ByteAt(data, static_cast<std::int64_t>(at)) < 4)
        return std::nullopt;
    if ((ByteAt(data, static_cast<std::int64_t>(at) + 1) & 1) == 0)
        return std::nullopt;
    return ByteAt(data, static_cast<std::int64_t>(at) + 4);
}

struct Frame {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Interlaced = false;
    int MinCodeSize = 0;
    Bytes Codes;
    std::optional<int> Transparent;
};

// Frame rows in decoding order: straight, or the four interlace passes.
std::vector<int> RowMap(const Frame& f)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(f.Height));
    if (!f.Interlaced) {
        for (int r = 0; r < f.Height; ++r)
            rows.push_back(r);
        return rows;
    }
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int r = start; r < f.Height; r += step)
            rows.push_back(r);
    return rows;
}

// The canvas: bottom row first, pixels packed at `bits`, first pixel in the high bits.
class Canvas {
public:
    Canvas(int width, int height, int bits)
        : mWidth(width), mHeight(height), mBits(bits),
          mRowBytes(static_cast<std::size_t>(PictureBytes(width, 1, bits))),
          mBytes(static_cast<std::size_t>(PictureBytes(width, height, bits)))
    {
    }

    // Pixels outside the canvas are dropped: frames are clipped to the screen.
    void Put(int x, int y, int index)
    {
        if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
            return;
        const std::size_t bit = static_cast<std::size_t>(x) * mBits;
        const int shift = 8 - mBits - static_cast<int>(bit % 8);
        const int value = index & ((1 << mBits) - 1);
        mBytes[mRowBytes * static_cast<std::size_t>(mHeight - 1 - y) + bit / 8] |=
            static_cast<std::uint8_t>(value << shift);
    }

    Bytes Take() { return std::move(mBytes); }

private:
    int mWidth;
    int mHeight;
    int mBits;
    std::size_t mRowBytes;
    Bytes mBytes;
};

// Codes of growing width read from the low bits of each byte up.
class CodeReader {
public:
    explicit CodeReader(const Bytes& codes) : mCodes(codes) {}
    // -1 when the data end.
    int Read(int width)
    {
        while (mCount < width) {
            if (mAt >= mCodes.size())
                return -1;
            mBuffer |= static_cast<std::uint32_t>(mCodes[mAt++]) << mCount;
            mCount += 8;
        }
        const int code = static_cast<int>(mBuffer & ((1u << width) - 1));
        mBuffer >>= width;
        mCount -= width;
        return code;
    }

private:
    const Bytes& mCodes;
    std::size_t mAt = 0;
    std::uint32_t mBuffer = 0;
    int mCount = 0;
};

// Variable-width LZW as GIF defines it: a clear code resets the table, the end code stops.
void DecodeFrame(const Frame& f, Canvas& canvas)
{
    if (f.MinCodeSize < 1 || f.MinCodeSize > 11)
        throw FormatError("the GIF data have an invalid LZW code size");
    const int clear = 1 << f.MinCodeSize;
    const int end = clear + 1;
    std::vector<int> prefix(kTableSize), length(kTableSize);
    std::vector<std::uint8_t> suffix(kTableSize), first(kTableSize), string(kTableSize);
    for (int c = 0; c < clear; ++c) {
        suffix[c] = first[c] = static_cast<std::uint8_t>(c);
        length[c] = 1;
    }
    const std::vector<int> rows = RowMap(f);
    const std::size_t total = static_cast<std::size_t>(f.Width) * rows.size();
    std::size_t pixel = 0;
    CodeReader reader(f.Codes);
    int width = f.MinCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    while (pixel < total) {
        const int code = reader.Read(width);
        if (code < 0 || code == end)
            break;
        if (code == clear) {
            width = f.MinCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code > next || (code == next && previous < 0))
            throw FormatError("the GIF data hold an invalid LZW code");
        if (previous >= 0 && next < kTableSize) {
            prefix[next] = previous;
            first[next] = first[previous];
            suffix[next] = code == next ? first[previous] : first[code];
            length[next] = length[previous] + 1;
            ++next;
            if (next == 1 << width && width < 12)
                ++width;
        }
        // The string of the code, last index first.
        int n = length[code];
        for (int c = code, k = n - 1; k >= 0; c = prefix[c], --k)
            string[static_cast<std::size_t>(k)] = suffix[c];
        for (int k = 0; k < n && pixel < total; ++k, ++pixel) {
            const int column = static_cast<int>(pixel % static_cast<std::size_t>(f.Width));
            const int row = rows[pixel / static_cast<std::size_t>(f.Width)];
            canvas.Put(f.Left + column, f.Top + row, string[static_cast<std::size_t>(k)]);
        }
        previous = code;
    }
}

}  // namespace

PreparedImage DecodeGif(const Bytes& data, int frame)
{
    RequireBytes(data, 0, 13);
    if (!std::equal(data.begin(), data.begin() + 3, "GIF") || data[3] != '8' ||
        (data[4] != '7' && data[4] != '9') || data[5] != 'a')
        throw FormatError("the data are not a GIF image");
    PreparedImage image;
    image.Width = ReadIntLE(data, 6, 2);
    image.Height = ReadIntLE(data, 8, 2);
    if (image.Width == 0 || image.Height == 0)
        throw FormatError("the GIF screen has no size");
    const int globalField = data[10] & 7;
    std::size_t at = 13;
    int tableField = globalField;
    Bytes palette(3u << BitsForTable(globalField));
    if (data[10] & 0x80) {
        palette = PaletteOf(data, at, globalField);
        at += 3u << globalField << 1;
    }
    // The canvas of the largest table, 8 bits a pixel, must fit what the data can describe.
    RequirePlausibleSize(PictureBytes(image.Width, image.Height, 8), data.size(), 4096);

    int count = 0;
    Frame chosen;
    bool found = false;
    // A graphic control extension speaks for the image that follows it.
    std::optional<int> transparent;
    while (at < data.size() && !found) {
        const std::uint8_t block = data[at++];
        if (block == kTrailer)
            break;
        if (block == kExtension) {
            const std::uint8_t label = ByteAt(data, static_cast<std::int64_t>(at++));
            if (label == kGraphicControl)
                transparent = TransparentIndex(data, at);
            at = ReadSubBlocks(data, at, nullptr);
        } else if (block == kImageDescriptor) {
            RequireBytes(data, static_cast<std::int64_t>(at), 10);
            const bool wanted = ++count == frame;
            Frame f;
            f.Transparent = std::exchange(transparent, std::nullopt);
            f.Left = ReadIntLE(data, static_cast<std::int64_t>(at), 2);
            f.Top = ReadIntLE(data, static_cast<std::int64_t>(at) + 2, 2);
            f.Width = ReadIntLE(data, static_cast<std::int64_t>(at) + 4, 2);
            f.Height = ReadIntLE(data, static_cast<std::int64_t>(at) + 6, 2);
            const std::uint8_t packed = data[at + 8];
            f.Interlaced = (packed & 0x40) != 0;
            at += 9;
            if (packed & 0x80) {
                const int field = packed & 7;
                if (wanted) {
                    palette = PaletteOf(data, at, field);
                    tableField = field;
                }
                at += 3u << field << 1;
            }
            f.MinCodeSize = ByteAt(data, static_cast<std::int64_t>(at++));
            at = ReadSubBlocks(data, at, wanted ? &f.Codes : nullptr);
            if (wanted) {
                chosen = std::move(f);
                found = true;
            }
        }
    }
    if (!found)
        throw FormatError("the GIF image has no frame " + std::to_string(frame));

    image.Bits = BitsForTable(tableField);
    Canvas canvas(image.Width, image.Height, image.Bits);
    DecodeFrame(chosen, canvas);
    image.Data = canvas.Take();
    image.Palette = std::move(palette);
    if (chosen.Transparent && *chosen.Transparent < 1 << image.Bits)
        image.Mask = std::to_string(*chosen.Transparent) + " " + std::to_string(*chosen.Transparent);
    image.Kind = image_kind::kGif;
    return image;
}

}  // namespace pdf
