// The image list: loading an image once, and placing it any number of times.
#include <string_view>
#include <utility>

#include "pdf/core/list_growth.h"
#include "pdf/core/placed_size.h"
#include "pdf/core/text_utils.h"
#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

bool EndsWith(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

enum class ImageFormat { kUnknown, kGif, kBmp, kJpeg, kPng, kTga };

// The format a name's ending gives, in any case.
ImageFormat FormatOf(const std::string& name)
{
    static constexpr std::pair<std::string_view, ImageFormat> kEndings[] = {
        {".GIF", ImageFormat::kGif},   {".BMP", ImageFormat::kBmp},
        {".JPG", ImageFormat::kJpeg},  {".JPEG", ImageFormat::kJpeg},
        {".PNG", ImageFormat::kPng},   {".TGA", ImageFormat::kTga}};
    const std::string upper = UpperAscii(name);
    for (const auto& [ending, format] : kEndings)
        if (EndsWith(upper, ending))
            return format;
    return ImageFormat::kUnknown;
}

std::string ResourceName(const std::string& prefix, int number)
{
    return "/" + prefix + "IMG_" + std::to_string(number);
}

}  // namespace

std::string Pagelith::AddImage(const std::string& name, const Bytes& data, int frame,
                               const std::string& maskColour)
{
    const bool known = FormatOf(name) != ImageFormat::kUnknown;
    AppendImage(known ? name : std::string(), frame);
    Bytes bytes = data;
    LoadImage(name, {}, bytes, frame, maskColour);
    return known ? name : std::string();
}

// Images are found by their name exactly as given: file systems tell "x.png" from "X.png".
void Pagelith::DrawImage(const std::string& fileName, float x, float y, float width,
                         float height, int frame, const std::string& maskColour,
                         bool proportional)
{
    RequireFinite({x, y, width, height});
    if (!CanDraw("DrawImage"))
        return;
    const std::string upper = UpperAscii(fileName);
    if (EndsWith(upper, ".AI") || EndsWith(upper, ".EPS")) {
        ImportEps(fileName, x, y, width, height);
        return;
    }
    if (EndsWith(upper, ".WMF")) {
        ImportWmf(fileName, x, y, width, height);
        return;
    }
    const auto known = mImages.Numbers.find(ImageKey(fileName, frame));
    int number = known == mImages.Numbers.end() ? 0 : known->second;
    if (number == 0) {
        number = AppendImage(fileName, frame);
        Bytes data;
        LoadImage(fileName, fileName, data, frame, maskColour);
    }
    // An image that could not be loaded has no object to refer to.
    const ImageRecord& image = mImages.Images[static_cast<std::size_t>(number - 1)];
    if (image.Width > 0 && image.Height > 0)
        PlaceImage(number, x, y, width, height, proportional);
}

int Pagelith::AppendImage(const std::string& name, int frame)
{
    ++mImages.Count;
    ReserveFor(mImages.Images, mImages.Count, mOutput.memoryUsage);
    mImages.Images.push_back({name, 0, 0, frame, 0});
    mImages.Numbers.try_emplace(ImageKey(name, frame), mImages.Count);
    return mImages.Count;
}

// Reads the file (unless the data are given), decodes it by the ending of `name` and
// writes the image as entry mImages.Count.  Every failure is recorded, and leaves the entry
// empty.
void Pagelith::LoadImage(const std::string& name, const std::string& fileName, Bytes& data,
                         int frame, const std::string& maskColour)
{
    try {
        const ImageFormat format = FormatOf(name);
        if (format == ImageFormat::kUnknown)
            throw FormatError("the name's ending gives no image format we read "
                              "(GIF, BMP, JPG, JPEG, PNG, TGA)");
        if (!fileName.empty())
            data = ReadWholeFile(fileName);
        if (data.size() < 2)
            throw Error(err::kFileNotFound, "File not found");
        PreparedImage image;
        switch (format) {
        case ImageFormat::kGif:
            image = DecodeGif(data, frame);
            break;
        case ImageFormat::kBmp:
            image = DecodeBmp(data, MaskColourKey(maskColour));
            break;
        case ImageFormat::kPng:
            image = DecodePng(data);
            break;
        case ImageFormat::kTga:
            image = DecodeTga(data);
            break;
        default:
            image = DecodeJpeg(data);
        }
        WritePreparedImage(image);
    } catch (const Error& e) {
        RaiseError(e, "DrawImage", fileName);
    }
}

void Pagelith::WritePreparedImage(PreparedImage& image)
{
    const int number = mImages.Count;
    const std::string name = ResourceName(mInfo.resPrefix, number);
    const int object =
        WriteImageObject(image.Kind, image.Data, image.Palette, image.Width, image.Height,
                         image.Bits, name, image.ColorSpace, image.Filter, image.Mask,
                         image.Decode, image.DecodeParms);
    mResources.xObjects += name + " " + std::to_string(object) + " 0 R \r";
    ImageRecord& record = mImages.Images[static_cast<std::size_t>(number - 1)];
    // Only a GIF keeps the frame it was asked for as part of its key.
    if (image.Kind != image_kind::kGif && record.Frame != 1) {
        const auto asked = mImages.Numbers.find(ImageKey(record.Name, record.Frame));
        if (asked != mImages.Numbers.end() && asked->second == number)
            mImages.Numbers.erase(asked);
        record.Frame = 1;
        mImages.Numbers.try_emplace(ImageKey(record.Name, 1), number);
    }
    record.Width = image.Width;
    record.Height = image.Height;
    // PNG data are told apart for the object only; their rows run top first like JPEG's.
    record.Kind = image.Kind >= image_kind::kPngPalette ? image_kind::kTopRowFirst : image.Kind;
}

// A mask colour in any notation of the colour operations; only an RGB colour gives a key.
ColourKey Pagelith::MaskColourKey(const std::string& maskColour) const
{
    if (maskColour.empty())
        return std::nullopt;
    std::string notation = maskColour;
    std::string fallback;
    ParseColor(notation, fallback);
    if (notation.empty() || notation[0] != '#')
        return std::nullopt;
    std::vector<std::string> parts;
    SplitText(notation.substr(1), parts, " ");
    if (parts.size() != 3)
        return std::nullopt;
    std::array<std::uint8_t, 3> key{};
    for (std::size_t i = 0; i < 3; ++i)
        key[i] = static_cast<std::uint8_t>(std::lround(LeadingNumber(parts[i]) * 255));
    return key;
}

// One line of operators: the unit square mapped onto the box; rows stored bottom first
// need no turn-over in the page's y-down space, rows stored top first do.
void Pagelith::PlaceImage(int number, float x, float y, float width, float height,
                          bool proportional)
{
    const ImageRecord& image = mImages.Images[static_cast<std::size_t>(number - 1)];
    const float w = static_cast<float>(image.Width);
    const float h = static_cast<float>(image.Height);
    SetXY(x, y);
    const PlacedSize size = SizeInBox(w, h, mGeometry.scale, width, height, proportional);
    width = size.width;
    height = size.height;
    SetLastBox(mText.x, mGeometry.height - mText.y, mText.x + width * mGeometry.scale, mGeometry.height - mText.y - height * mGeometry.scale);
    const bool topRowFirst =
        image.Kind == image_kind::kTopRowFirst || image.Kind == image_kind::kPixelRows;
    const std::string flipped = topRowFirst
                                    ? FormatCoord(-height) + " " + FormatCoord(x) + " " +
                                          FormatCoord(y + height)
                                    : FormatCoord(height) + " " + FormatCoord(x) + " " +
                                          FormatCoord(y);
    PutLine("q " + FormatCoord(width) + " 0 0 " + flipped + " cm " +
            ResourceName(mInfo.resPrefix, number) + " Do Q");
}

}  // namespace pdf
