// The current point and the box of the last drawn element.
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SetXY(float x, float y)
{
    RequireFinite({x, y});
    mX = x * mScale;
    mY = y * mScale;
}

void Pagelith::SetLastBox(float x1, float y1, float x2, float y2)
{
    mLastBox = {x1, y1, x2, y2};
}

}  // namespace pdf
