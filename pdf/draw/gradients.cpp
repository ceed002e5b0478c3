// Axial and radial gradients: shading patterns between two colours, written into the file
// when they are defined and painted wherever their name is given as a colour.
#include <vector>

#include "pdf/core/colour.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kRadial = 1;

std::vector<double> ComponentsOf(const std::string& notation)
{
    std::vector<std::string> pieces;
    SplitText(std::string_view(notation).substr(1), pieces, " ");
    std::vector<double> values;
    for (const std::string& piece : pieces)
        values.push_back(LeadingNumber(piece));
    return values;
}

}  // namespace

// A gradient's end colour in the writer's notation; a name that is no colour gives its
// fallback, or black.
std::string Pagelith::GradientColour(const std::string& colour) const
{
    std::string notation = colour;
    std::string fallback;
    ParseColor(notation, fallback);
    if (IsColourNotation(notation))
        return notation;
    return IsColourNotation(fallback) ? fallback : "#0 0 0";
}

// RGB components of a colour of any kind.
std::string Pagelith::RgbComponents(const std::string& notation) const
{
    const std::vector<double> c = ComponentsOf(notation);
    const auto part = [this](double v) { return FormatReal(static_cast<float>(v)); };
    if (notation.front() == '%' && c.size() == 1)
        return part(c[0]) + " " + part(c[0]) + " " + part(c[0]);
    if (notation.front() == '@' && c.size() == 4)
        return part((1 - c[0]) * (1 - c[3])) + " " + part((1 - c[1]) * (1 - c[3])) + " " +
               part((1 - c[2]) * (1 - c[3]));
    return notation.substr(1);
}

// The pattern space is flipped as the page content is, and moved to the corner inside the
// margins, so that a gradient lies where shapes with the same coordinates do.  Inside a
// template, whose space is already the one shapes are drawn in, y is measured up from the
// bottom margin and flipped back; inside a tiling cell the space is flipped as the cell is.
void Pagelith::AddGradient(const std::string& name, int kind, const std::string& colour1,
                           const std::string& colour2, float x1, float y1, float x2, float y2,
                           float r1, float r2, bool extend1, bool extend2)
{
    RequireFinite({x1, y1, x2, y2, r1, r2});
    const std::string c0 = GradientColour(colour1);
    const std::string c1 = GradientColour(colour2);
    std::string space = "/DeviceRGB";
    std::string components0 = c0.substr(1);
    std::string components1 = c1.substr(1);
    if (c0.front() != c1.front()) {
        components0 = RgbComponents(c0);
        components1 = RgbComponents(c1);
    } else if (c0.front() == '@') {
        NoteColour(c0);
        space = "/DeviceCMYK";
    } else if (c0.front() == '%') {
        space = "/DeviceGray";
    }

    std::string matrix;
    if (mContent.inTemplate) {
        const float h = GetPageHeight(true);
        y1 = h - y1;
        y2 = h - y2;
        matrix = "0 " + FormatCoord(h);
    } else if (mContent.inTiling) {
        matrix = "0 " + FormatCoord(mContent.tiling.height);
    } else {
        matrix = FormatReal(mGeometry.marginLeft) + " " + FormatReal(mGeometry.height - mGeometry.marginTop);
    }
    const std::string coords =
        kind == kRadial
            ? "/ShadingType 3 /Coords [" + FormatCoord(x1) + " " + FormatCoord(y1) + " " +
                  FormatCoord(r1) + " " + FormatCoord(x2) + " " + FormatCoord(y2) + " " +
                  FormatCoord(r2) + "]"
            : "/ShadingType 2 /Coords [" + FormatCoord(x1) + " " + FormatCoord(y1) + " " +
                  FormatCoord(x2) + " " + FormatCoord(y2) + "]";

    const int object = BeginObj(0);
    WriteLine("<</Type /Pattern /PatternType 2 /Matrix [ 1 0 0 -1 " + matrix +
              "] /Shading <<\r\n/ColorSpace " + space + "\r" + coords + "\r/Extend [" +
              BoolToString(extend1) + " " + BoolToString(extend2) + "] \r/Function \r" +
              "<< /FunctionType 3 /Domain [0.000 1.000] /Bounds [] /Encode [0 1 ] \r" +
              "/Functions [\r<< /FunctionType 2 /Domain [0.000 1.000] /C0 [" + components0 +
              "] /C1 [" + components1 + "] /N 1 >>]\r>>\r>>\r>>");
    EndObj();
    AddPatternRes(UpperAscii(TrimSpaces(name)), object, PatternKind::Shading);
}

}  // namespace pdf
