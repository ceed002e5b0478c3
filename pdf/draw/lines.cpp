// Straight segments: a line of its own, and a segment that continues the open path.
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::DrawLine(float x1, float y1, float x2, float y2, int style)
{
    RequireFinite({x1, y1, x2, y2});
    if (!CanDraw("DrawLine"))
        return;
    PutPath(FormatCoord(x1) + " " + FormatCoord(y1) + " m " + FormatCoord(x2) + " " +
            FormatCoord(y2) + " l");
    PaintPath(style);
    SetXY(x2, y2);
    SetLastBox(x1 * mGeometry.scale, mGeometry.height - y1 * mGeometry.scale, mText.x, mGeometry.height - mText.y);
}

// The segment continues the path an earlier unpainted drawing left, or begins at the
// current point.
void Pagelith::DrawLineTo(float x, float y, int style)
{
    RequireFinite({x, y});
    if (!CanDraw("DrawLineTo"))
        return;
    BeginPathAtCurrentPoint();
    PutPath(FormatCoord(x) + " " + FormatCoord(y) + " l");
    PaintPath(style);
    SetXY(x, y);
}

}  // namespace pdf
