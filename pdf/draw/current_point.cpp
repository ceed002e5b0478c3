// The current point and the box of the last drawn element.
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SetXY(float x, float y)
{
    RequireFinite({x, y});
    mText.x = x * mGeometry.scale;
    mText.y = y * mGeometry.scale;
}

void Pagelith::SetLastBox(float x1, float y1, float x2, float y2)
{
    mPageList.lastBox = {x1, y1, x2, y2};
}

}  // namespace pdf
