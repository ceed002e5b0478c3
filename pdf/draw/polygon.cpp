// Regular polygons inscribed in a circle.
#include <cmath>
#include <cstdlib>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925199433;

}  // namespace

// The first vertex lies on the x axis through the centre; with y growing downwards the
// vertices then run clockwise on the page, or the other way round, mirrored, for a
// negative number of sides.  The angle is summed in single precision, so a side count
// that does not divide 360 exactly may add a last vertex within rounding of the first.
void Pagelith::DrawPolygon(float x, float y, float radius, int sides, int style)
{
    RequireFinite({x, y, radius});
    if (!CanDraw("DrawPolygon"))
        return;
    // Beyond the 16-bit range the steps would get too small for the single-precision angle
    // to reach a full turn.
    if (sides < -32767 || sides > 32767)
        throw Error(err::kOverflow, "Overflow");
    if (std::abs(sides) < 3)
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: a polygon needs at least 3 sides, not " +
                        std::to_string(sides));

    const float r = std::fabs(radius);
    const auto step = static_cast<float>(360.0 / sides);
    const float sgn = step < 0 ? -1.0f : 1.0f;

    std::string text = FormatCoord(x + sgn * r) + " " + FormatCoord(y) + " m";
    for (float angle = step; std::fabs(angle) < 360; angle = angle + step) {
        const double a = angle * kRadiansPerDegree;
        text += "\r" + FormatCoord(static_cast<float>(x + sgn * r * std::cos(a))) + " " +
                FormatCoord(static_cast<float>(y + r * std::sin(a))) + " l";
    }
    PutPath(text);
    PaintPath(style | 2);

    SetLastBox((x - r) * mGeometry.scale, mGeometry.height - (y - r) * mGeometry.scale, (x + r) * mGeometry.scale,
               mGeometry.height - (y + r) * mGeometry.scale);
    SetXY(x, y);
}

}  // namespace pdf
