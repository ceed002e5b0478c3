// Arcs and pie slices of a circle or of an axis-aligned ellipse, drawn as straight segments
// at a chosen angular step.
#include <cmath>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925199433;
constexpr float kFullTurn = 360;

}  // namespace

// The end angle is reached only when the span is a multiple of the step, and a sweep stops
// after a full turn.  A filled arc is always a pie slice; an open arc leaves the centre
// behind as an empty subpath.
void Pagelith::DrawArc(float x, float y, float radius, float startAngle, float endAngle,
                       float yRatio, bool sector, int step, int style)
{
    RequireFinite({x, y, radius, startAngle, endAngle, yRatio});
    if (!CanDraw("DrawArc"))
        return;
    if (step == 0)
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: an arc needs a step other than 0");
    const std::string centre = FormatCoord(x) + " " + FormatCoord(y);
    PutPath(centre + " m");
    if (style & 4)
        sector = true;
    // A sweep beyond a full turn would only draw the same circle again.
    if (step > 0 && endAngle - startAngle > kFullTurn)
        endAngle = startAngle + kFullTurn;
    else if (step < 0 && startAngle - endAngle > kFullTurn)
        endAngle = startAngle - kFullTurn;

    for (float angle = startAngle; step > 0 ? angle <= endAngle : angle >= endAngle;) {
        const auto a = static_cast<float>(angle * kRadiansPerDegree);
        const float dx = radius * std::cos(a);
        const float dy = radius * yRatio * std::sin(a);
        const std::string point = FormatCoord(x + dx) + " " + FormatCoord(y + dy);
        if (angle == startAngle && !sector)
            PutPath(point + " m");
        PutPath(point + " l");
        // Far from zero a single-precision angle no longer moves by a small step.
        const float next = angle + static_cast<float>(step);
        if (next == angle)
            break;
        angle = next;
    }
    if (sector)
        PutPath(centre + " l");
    PaintPath(style);

    SetLastBox((x - radius) * mGeometry.scale, mGeometry.height - (y - radius) * mGeometry.scale,
               (x + radius) * mGeometry.scale, mGeometry.height - (y + radius) * mGeometry.scale);
    SetXY(x, y);
}

}  // namespace pdf
