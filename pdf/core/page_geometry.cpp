// Page size, user unit and margins.
#include <algorithm>
#include <array>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

struct PaperSize {
    float width;
    float height;
};

// Size codes -8 to 17, in points: ISO A0 to A7, then US Letter, Tabloid/Ledger, Legal,
// Statement and Executive; even codes portrait, odd codes landscape.
constexpr std::array<PaperSize, 26> kPaperSizes{{
    {2384, 3371}, {3371, 2384}, {1685, 2384}, {2384, 1685}, {1192, 1685}, {1685, 1192},
    {842, 1192},  {1192, 842},  {596, 842},   {842, 596},   {421, 596},   {596, 421},
    {298, 421},   {421, 298},   {210, 298},   {298, 210},   {612, 792},   {792, 612},
    {792, 1224},  {1224, 792},  {612, 1008},  {1008, 612},  {396, 612},   {612, 396},
    {522, 756},   {756, 522},
}};

constexpr int kCustomCode = 255;
constexpr float kSmallestPageSide = 3;
constexpr float kLargestPageSide = 14400;

}  // namespace

void Pagelith::SetPaperSize(int code, float width, float height)
{
    RequireFinite({width, height});
    if (code == kCustomCode) {
        // Readers accept pages of 3 to 14,400 points a side.
        mGeometry.width = std::clamp(width * mGeometry.scale, kSmallestPageSide, kLargestPageSide);
        mGeometry.height = std::clamp(height * mGeometry.scale, kSmallestPageSide, kLargestPageSide);
    } else if (code >= -8 && code <= 17) {
        const PaperSize& size = kPaperSizes[static_cast<std::size_t>(code + 8)];
        mGeometry.width = size.width;
        mGeometry.height = size.height;
    }
}

void Pagelith::SetScale(int unit, float factor)
{
    RequireFinite({factor});
    switch (unit) {
    case 0: mGeometry.scale = 1.0f; break;
    case 1: mGeometry.scale = 72.0f; break;
    case 2: mGeometry.scale = 2.8346455f; break;
    case 3: mGeometry.scale = 28.346457f; break;
    case kCustomCode:
        if (factor > 0)
            mGeometry.scale = factor;
        break;
    default: break;
    }
}

void Pagelith::SetMargins(float left, float right, float top, float bottom, int clip)
{
    RequireFinite({left, right, top, bottom});
    mGeometry.marginLeft = left * mGeometry.scale;
    mGeometry.marginRight = right * mGeometry.scale;
    mGeometry.marginTop = top * mGeometry.scale;
    mGeometry.marginBottom = bottom * mGeometry.scale;
    mGeometry.clipMargins = clip;
}

float Pagelith::GetPageWidth(bool insideMargins) const
{
    return (mGeometry.width - (insideMargins ? mGeometry.marginLeft + mGeometry.marginRight : 0)) / mGeometry.scale;
}

float Pagelith::GetPageHeight(bool insideMargins) const
{
    return (mGeometry.height - (insideMargins ? mGeometry.marginTop + mGeometry.marginBottom : 0)) / mGeometry.scale;
}

}  // namespace pdf
