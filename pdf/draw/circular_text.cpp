// Text set along a circle, character by character, each turned to follow the circle and
// spaced as it would be on a straight line.
#include <cmath>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925199433;

}  // namespace

// Each character's middle sits on the circle, its baseline along the tangent; angles grow
// clockwise on the page.  The extents come from the line width of the characters, so the
// text's spacings and scaling widen the spacing along the circle too.
void Pagelith::DrawTextCircular(float x, float y, float ray, const std::string& text,
                                float startAngle, int align)
{
    RequireFinite({x, y, ray, startAngle});
    if (!CanDraw("DrawTextCircular"))
        return;
    if (ray != 0 && !text.empty()) {
        // Without a font, fail before a local space is opened.
        CurrentFont();
        std::string bytes = EncodeText(text);
        const auto degree = static_cast<float>(ray * kRadiansPerDegree);
        const auto extentOf = [&](std::string_view piece) {
            return GetStringWidth(piece, mFont.index, mFont.size) / degree;
        };
        float angle = startAngle;
        if ((align & 7) == 2)
            angle -= extentOf(bytes);
        else if ((align & 7) == 4)
            angle -= extentOf(bytes) / 2;
        for (char c : bytes) {
            std::string character(1, c);
            const float extent = extentOf(character);
            const float middle = angle + extent / 2;
            const double a = middle * kRadiansPerDegree;
            BeginSpace(static_cast<float>(ray * std::cos(a) + x),
                       static_cast<float>(ray * std::sin(a) + y), 1, 1, 270 - middle);
            WriteTextLine(0, 0, 0, character, 0, 4, false);
            EndSpace();
            angle += extent;
        }
    }
    SetLastBox((x - ray) * mGeometry.scale, mGeometry.height - (y - ray) * mGeometry.scale, (x + ray) * mGeometry.scale,
               mGeometry.height - (y + ray) * mGeometry.scale);
    SetXY(x, y);
}

}  // namespace pdf
