// Images made of pixels held in memory, written at once and placed like any loaded image.
#include <algorithm>
#include <cstdint>

#include "pdf/core/text_utils.h"
#include "pdf/images/byte_reader.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kDirectBits = 24;

// Bits per pixel for a palette of `entries` colours; 24 for red, green and blue bytes.
int PixelBits(std::size_t entries)
{
    switch (entries) {
    case 0:
        return kDirectBits;
    case 2:
        return 1;
    case 16:
        return 4;
    default:
        return 8;
    }
}

// The colour-key mask: each component twice for direct colour; for a palette, the last
// entry of that colour.  A colour in no entry masks nothing.
std::string MaskText(const ColourKey& key, const Bytes& palette, int bits)
{
    if (!key)
        return {};
    const auto& [r, g, b] = *key;
    if (bits == kDirectBits)
        return std::to_string(r) + " " + std::to_string(r) + " " + std::to_string(g) + " " +
               std::to_string(g) + " " + std::to_string(b) + " " + std::to_string(b) + " ";
    std::string mask;
    for (std::size_t i = 0; i + 2 < palette.size(); i += 3)
        if (palette[i] == r && palette[i + 1] == g && palette[i + 2] == b)
            mask = std::to_string(i / 3) + " " + std::to_string(i / 3) + " ";
    return mask;
}

}  // namespace

std::string Pagelith::AddImagePattern(const std::string& name, int width, int height,
                                      const Bytes& pixels, const Bytes& palette,
                                      const std::string& transparentColour)
{
    const int bits = PixelBits(palette.size() / 3);
    const std::int64_t size = width < 1 || height < 1 ? -1 : PictureBytes(width, height, bits);
    if (size < 0 || pixels.size() < static_cast<std::uint64_t>(size))
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument");

    PreparedImage image;
    image.Kind = image_kind::kPixelRows;
    image.Data.assign(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(size));
    image.Width = width;
    image.Height = height;
    image.Bits = bits;
    image.ColorSpace = "DeviceRGB";
    if (bits != kDirectBits) {
        // The lookup table of an indexed space holds exactly 2^bits entries; the mask is
        // looked for among the caller's own.
        image.Palette = palette;
        image.Palette.resize(std::min(palette.size(), std::size_t{3} << bits));
        image.Mask = MaskText(MaskColourKey(transparentColour), image.Palette, bits);
        image.Palette.resize(std::size_t{3} << bits, 0);
    } else {
        image.Mask = MaskText(MaskColourKey(transparentColour), palette, bits);
    }
    AppendImage(name, 1);
    WritePreparedImage(image);
    return name;
}

}  // namespace pdf
