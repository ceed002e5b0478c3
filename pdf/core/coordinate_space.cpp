// Coordinate transformations, local coordinate spaces and the current point.
#include <cmath>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925199433;

}  // namespace

// Whole turns write nothing.  With y pointing down on the page, a positive angle turns the
// axes anticlockwise as seen.
void Pagelith::AxisRotation(float angle)
{
    RequireFinite({angle});
    if (std::fmod(std::nearbyint(static_cast<double>(angle)), 360.0) == 0)
        return;
    const double radians = angle * kRadiansPerDegree;
    const auto c = static_cast<float>(std::cos(radians));
    const auto s = static_cast<float>(std::sin(radians));
    PutLine(FormatReal(c) + " " + FormatReal(-s) + " " + FormatReal(s) + " " + FormatReal(c) +
            " 0 0 cm");
}

void Pagelith::AxisScaling(float x, float y)
{
    RequireFinite({x, y});
    PutLine(FormatReal(x) + " 0 0 " + FormatReal(y) + " 0 0 cm");
}

void Pagelith::AxisSkewing(float a, float b)
{
    RequireFinite({a, b});
    const auto tanA = static_cast<float>(std::tan(a * kRadiansPerDegree));
    const auto tanB = static_cast<float>(std::tan(b * kRadiansPerDegree));
    PutLine("1 " + FormatReal(tanA) + " " + FormatReal(tanB) + " 1 0 0 cm");
}

// The current point becomes the new origin.
void Pagelith::AxisTranslation(float x, float y)
{
    RequireFinite({x, y});
    PutLine("1 0 0 1 " + FormatCoord(x) + " " + FormatCoord(y) + " cm");
    SetXY(0, 0);
}

void Pagelith::BeginSpace(float x, float y, float scaleX, float scaleY, float angle)
{
    RequireFinite({x, y, scaleX, scaleY, angle});
    SaveGraphicState(StateOpener::Space);
    mGs.stack.back().SpaceContent = ContentSerialHere();
    PutLine("q");
    if (x != 0 || y != 0 || scaleX != 1 || scaleY != 1) {
        PutLine(FormatReal(scaleX) + " 0 0 " + FormatReal(scaleY) + " " + FormatCoord(x) + " " +
                FormatCoord(y) + " cm");
    }
    if (angle != 0)
        AxisRotation(angle);
    SetXY(0, 0);
}

// Only the state that a local space of this content saved last is put back: a "Q" without
// its "q" in the same content makes readers restore a state that is not there.
void Pagelith::EndSpace()
{
    const bool spaceHere = !mGs.stack.empty() &&
                           mGs.stack.back().Opener == StateOpener::Space &&
                           mGs.stack.back().SpaceContent == ContentSerialHere();
    if (!spaceHere) {
        RaiseError(Error(err::kInvalidArgument, "Invalid procedure call or argument"),
                   "EndSpace", "no local space of this content is open");
        return;
    }
    PutLine("Q");
    RestoreGraphicState(StateOpener::Space);
}

void Pagelith::MoveTo(float x, float y)
{
    RequireFinite({x, y});
    PutLine(FormatCoord(x) + " " + FormatCoord(y) + " m");
    SetXY(x, y);
}

float Pagelith::GetX() const
{
    return mText.x / mGeometry.scale;
}

float Pagelith::GetY() const
{
    return mText.y / mGeometry.scale;
}

}  // namespace pdf
