// Image objects: the XObject of one loaded image and the palette it refers to.
#include <cmath>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr const char* kFlate = "/FlateDecode";

}  // namespace

// The data come already encoded where the format allows it (JPEG as they are, PNG as the
// file's zlib stream), so this only describes them.  JPEG (kind 0) and PNG data without a
// palette take `colorSpace`; every other kind has DeviceRGB as its (base) colour space.  A palette object, the next
// number, is written exactly when the colour space is indexed.
int Pagelith::WriteImageObject(int colorType, Bytes& data, const Bytes& palette, int width,
                               int height, int bits, const std::string& name,
                               const std::string& colorSpace, const std::string& filter,
                               const std::string& mask, const std::string& decode,
                               const std::string& decodeParms)
{
    const bool png = filter == kFlate;
    const bool indexed = png ? colorType == image_kind::kPngPalette : colorType > 1 && bits < 9;
    // PNG data keep their own colour space too: grey stays grey.
    const std::string cs = colorType == 0 || (png && !indexed) ? colorSpace : "DeviceRGB";
    // As a CMYK colour does (NoteColour), a CMYK picture ends the PDF/A claim.
    if (cs == "DeviceCMYK")
        mPdfa.broken = true;
    const int number = BeginObj(0);
    WriteLine("<< /Type /XObject /Subtype /Image /Name " + name + " /Width " +
              std::to_string(width) + " /Height " + std::to_string(height));
    if (!mask.empty())
        WriteLine("/Mask [" + mask + "]");
    if (!decode.empty())
        WriteLine("/Decode [" + decode + "]");

    const std::string depth = std::to_string(png || indexed ? bits : 8);
    if (indexed) {
        const long entries = png ? std::lround(palette.size() / 3.0) : 1L << bits;
        WriteLine("/BitsPerComponent " + depth + " /ColorSpace [/Indexed /" + cs + " " +
                  std::to_string(entries - 1) + " " + std::to_string(number + 1) + " 0 R]");
    } else {
        WriteLine("/BitsPerComponent " + depth + " /ColorSpace /" + cs);
    }
    std::string parms = decodeParms;
    if (png)
        parms = "<</Predictor 15 /Colors " + std::string(colorSpace == "DeviceRGB" ? "3" : "1") +
                " /BitsPerComponent " + depth + " /Columns " + std::to_string(width) + ">>";
    WriteStream(data, number, filter, 0, StreamKind::Image, parms);
    EndObj();

    if (indexed) {
        BeginObj(0);
        WriteLine("<<");
        Bytes entries = palette;
        WriteStream(entries, number + 1, {}, 0, StreamKind::Image);
        EndObj();
    }
    return number;
}

}  // namespace pdf
