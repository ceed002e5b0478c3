// One cubic Bézier segment added to the path under construction.
#include "pdf/pagelith.h"

namespace pdf {

// Kind 1 gives both control points and the end point ("c"); kind 2 the second control
// point and the end point ("v"); kind 3 the first control point and the end point ("y").
// Any other kind adds nothing, but the path is still painted as the style says.  A curve
// with no path to continue begins at the current point.
void Pagelith::DrawCurve(int kind, float a1, float a2, float a3, float a4, float a5, float a6,
                         int style)
{
    RequireFinite({a1, a2, a3, a4, a5, a6});
    if (!CanDraw("DrawCurve"))
        return;
    const std::string first = FormatCoord(a1) + " " + FormatCoord(a2) + " " + FormatCoord(a3) +
                              " " + FormatCoord(a4);
    if (kind >= 1 && kind <= 3)
        BeginPathAtCurrentPoint();
    if (kind == 1) {
        PutPath(first + " " + FormatCoord(a5) + " " + FormatCoord(a6) + " c");
        SetXY(a5, a6);
    } else if (kind == 2 || kind == 3) {
        PutPath(first + (kind == 2 ? " v" : " y"));
        SetXY(a3, a4);
    }
    PaintPath(style);
}

}  // namespace pdf
