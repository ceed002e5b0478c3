// Paths through a list of points.
#include <algorithm>

#include "pdf/pagelith.h"

namespace pdf {

// The box kept is left x, lower y, right x, upper y, in points with y up from the bottom
// of the page.  A closed path ends back at its first point, which becomes the current
// point; an open one at its last.
void Pagelith::DrawPolyline(const std::vector<float>& points, int style)
{
    RequireFinite(points);
    if (!CanDraw("DrawPolyline"))
        return;
    if (points.empty() || points.size() % 2 != 0)
        throw Error(err::kSubscriptOutOfRange,
                    "Subscript out of range: a polyline needs pairs of x and y, not " +
                        std::to_string(points.size()) + " values");

    std::string text;
    for (std::size_t i = 0; i < points.size(); i += 2) {
        const float x = points[i] * mGeometry.scale;
        const float y = points[i + 1] * mGeometry.scale;
        const float up = mGeometry.height - y;
        text += FormatReal(x) + " " + FormatReal(y) + (i == 0 ? " m\r" : " l\r");
        if (i == 0) {
            mPageList.lastBox = {x, up, x, up};
        } else {
            mPageList.lastBox[0] = std::min(mPageList.lastBox[0], x);
            mPageList.lastBox[1] = std::min(mPageList.lastBox[1], up);
            mPageList.lastBox[2] = std::max(mPageList.lastBox[2], x);
            mPageList.lastBox[3] = std::max(mPageList.lastBox[3], up);
        }
    }
    PutPath(text);
    PaintPath(style);

    const std::size_t end = (style & 2) ? 0 : points.size() - 2;
    SetXY(points[end], points[end + 1]);
}

}  // namespace pdf
