// TGA: true-colour images of 24 or 32 bits, plain or run-length encoded, as RGB rows.
#include <algorithm>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"

namespace pdf {

namespace {

constexpr int kPlain = 2;
constexpr int kRunLength = 10;
constexpr std::uint8_t kTopOrigin = 0x20;

// Reads the pixels into RGB, bottom row first in the file's order; a fully transparent
// pixel of a 32-bit image becomes the mask (the last one read decides).
class TgaPixels {
public:
    TgaPixels(const Bytes& data, std::size_t start, int bytesPerPixel, std::size_t count)
        : mData(data), mAt(start), mDepth(bytesPerPixel), mRgb(count * 3)
    {
    }

    void ReadPlain()
    {
        while (mOut < mRgb.size())
            Put(Next());
    }

    void ReadRunLength()
    {
        while (mOut < mRgb.size()) {
            const std::uint8_t header = ByteAt(mData, static_cast<std::int64_t>(mAt++));
            if (header >= 128) {
                const std::size_t pixel = Next();
                for (int k = header - 127; k > 0 && mOut < mRgb.size(); --k)
                    Put(pixel);
            } else {
                for (int k = header + 1; k > 0 && mOut < mRgb.size(); --k)
                    Put(Next());
            }
        }
    }

    Bytes& Rgb() { return mRgb; }
    const std::string& Mask() const { return mMask; }

private:
    // The position of the next file pixel, checked to lie in the data.
    std::size_t Next()
    {
        RequireBytes(mData, static_cast<std::int64_t>(mAt), mDepth);
        const std::size_t pixel = mAt;
        mAt += static_cast<std::size_t>(mDepth);
        return pixel;
    }

    void Put(std::size_t pixel)
    {
        const std::uint8_t blue = mData[pixel], green = mData[pixel + 1], red = mData[pixel + 2];
        mRgb[mOut++] = red;
        mRgb[mOut++] = green;
        mRgb[mOut++] = blue;
        if (mDepth == 4 && mData[pixel + 3] == 0) {
            mMask.clear();
            for (const int c : {red, green, blue})
                mMask += std::to_string(c) + " " + std::to_string(c) + " ";
        }
    }

    const Bytes& mData;
    std::size_t mAt;
    int mDepth;
    Bytes mRgb;
    std::size_t mOut = 0;
    std::string mMask;
};

// Rows stored top first are turned round, so that every image leaves here bottom row first.
void TurnRows(Bytes& rgb, int width, int height)
{
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rgb.begin() + static_cast<std::ptrdiff_t>(top * row),
                         rgb.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                         rgb.begin() + static_cast<std::ptrdiff_t>(bottom * row));
}

}  // namespace

PreparedImage DecodeTga(const Bytes& data)
{
    RequireBytes(data, 0, 18);
    const int type = data[2];
    const int bits = data[16];
    const std::uint8_t descriptor = data[17];
    if (type != kPlain && type != kRunLength)
        throw FormatError("only true-colour TGA images are supported");
    if (bits != 24 && bits != 32)
        throw FormatError("TGA images of " + std::to_string(bits) +
                          " bits per pixel are not supported");
    if (bits == 32 && (descriptor & 0x0F) != 8)
        throw FormatError("32-bit TGA images need eight alpha bits");

    PreparedImage image;
    image.Width = ReadIntLE(data, 12, 2);
    image.Height = ReadIntLE(data, 14, 2);
    if (image.Width == 0 || image.Height == 0)
        throw FormatError("the TGA header gives no size");
    const std::int64_t bytes = PictureBytes(image.Width, image.Height, 24);
    // A run packet of at most 5 bytes stands for 128 pixels.
    RequirePlausibleSize(bytes, data.size(), type == kPlain ? 1 : 3 * 128);

    TgaPixels reader(data, 18u + data[0], bits / 8, static_cast<std::size_t>(bytes / 3));
    if (type == kPlain)
        reader.ReadPlain();
    else
        reader.ReadRunLength();
    image.Data = std::move(reader.Rgb());
    if (descriptor & kTopOrigin)
        TurnRows(image.Data, image.Width, image.Height);
    image.Mask = reader.Mask();
    image.Kind = image_kind::kTga;
    image.Bits = bits;
    return image;
}

}  // namespace pdf
