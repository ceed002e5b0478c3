// Whole axis-aligned ellipses and circles, each made of four Bézier quarters.
#include <cmath>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

// Distance of a quarter ellipse's control points from its ends, per unit of radius.
const double kKappa = (std::sqrt(2.0) - 1) * 4 / 3;

}  // namespace

void Pagelith::DrawEllipse(float x, float y, float rx, float ry, int style)
{
    RequireFinite({x, y, rx, ry});
    if (CanDraw("DrawEllipse"))
        PutEllipse(x, y, rx, ry, style);
}

// From the rightmost point over the top and back, ending on the start point without "h".
void Pagelith::PutEllipse(float x, float y, float rx, float ry, int style)
{
    const auto kx = static_cast<float>(kKappa * rx);
    const auto ky = static_cast<float>(kKappa * ry);
    const auto point = [this](float px, float py) {
        return FormatCoord(px) + " " + FormatCoord(py);
    };
    PutPath(point(x + rx, y) + " m\r" +
            point(x + rx, y - ky) + " " + point(x + kx, y - ry) + " " + point(x, y - ry) + " c\r" +
            point(x - kx, y - ry) + " " + point(x - rx, y - ky) + " " + point(x - rx, y) + " c\r" +
            point(x - rx, y + ky) + " " + point(x - kx, y + ry) + " " + point(x, y + ry) + " c\r" +
            point(x + kx, y + ry) + " " + point(x + rx, y + ky) + " " + point(x + rx, y) + " c");
    PaintPath(style);
    SetXY(x, y);
    SetLastBox((x - rx) * mGeometry.scale, mGeometry.height - (y - ry) * mGeometry.scale, (x + rx) * mGeometry.scale,
               mGeometry.height - (y + ry) * mGeometry.scale);
}

void Pagelith::DrawCircle(float x, float y, float radius, int style)
{
    RequireFinite({x, y, radius});
    if (CanDraw("DrawCircle"))
        PutEllipse(x, y, radius, radius, style);
}

}  // namespace pdf
