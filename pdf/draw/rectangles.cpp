// Rectangles whose corners may be rounded one by one and whose sides may be drawn one by
// one.
#include <algorithm>

#include "pdf/core/number_format.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

enum Edge : int {
    kLeft = 1,
    kRight = 2,
    kTop = 4,
    kBottom = 8,
    kAllSides = 15,
    kTopLeft = 16,
    kTopRight = 32,
    kBottomRight = 64,
    kBottomLeft = 128,
};

// The paint style bits that paint the outline without stroking it.
constexpr int kFillBit = 4;
constexpr int kClipBit = 128;

// Distance of a quarter circle's control points from its ends, per unit of radius.
constexpr double kQuarterCircle = 0.55;

// The operators of one rectangle, each line ended by a carriage return.
class RectPath {
public:
    RectPath(float x, float y, float w, float h, float r, int edges, float scale, int precision)
        : x(x), y(y), w(w), h(h), r(r), k(r * kQuarterCircle), edges(edges), scale(scale),
          precision(precision)
    {
    }

    // Clockwise from the top-left corner, back to where it began, without "h".
    std::string Outline() const
    {
        std::string text = Line(x + C(kTopLeft), y, "m");
        text += Line(x + w - C(kTopRight), y, "l");
        if (edges & kTopRight)
            text += TopRightCurve("c");
        text += Line(x + w, y + h - C(kBottomRight), "l");
        if (edges & kBottomRight)
            text += BottomRightCurve("c");
        text += Line(x + C(kBottomLeft), y + h, "l");
        if (edges & kBottomLeft)
            text += BottomLeftCurve("c");
        text += Line(x, y + C(kTopLeft), "l");
        if (edges & kTopLeft)
            text += TopLeftCurve("c");
        return text;
    }

    // Each chosen side and rounded corner as a stroked path of its own.
    std::string Pieces() const
    {
        std::string text;
        if (edges & kTop)
            text += Line(x + C(kTopLeft), y, "m") + Line(x + w - C(kTopRight), y, "l S");
        if (edges & kTopRight)
            text += Line(x + w - r, y, "m") + TopRightCurve("c S");
        if (edges & kRight)
            text += Line(x + w, y + C(kTopRight), "m") + Line(x + w, y + h - C(kBottomRight), "l S");
        if (edges & kBottomRight)
            text += Line(x + w, y + h - r, "m") + BottomRightCurve("c S");
        if (edges & kBottom)
            text += Line(x + w - C(kBottomRight), y + h, "m") + Line(x + C(kBottomLeft), y + h, "l S");
        if (edges & kBottomLeft)
            text += Line(x + r, y + h, "m") + BottomLeftCurve("c S");
        if (edges & kLeft)
            text += Line(x, y + h - C(kBottomLeft), "m") + Line(x, y + C(kTopLeft), "l S");
        if (edges & kTopLeft)
            text += Line(x, y + r, "m") + TopLeftCurve("c S");
        return text;
    }

private:
    // The radius at a corner that is rounded, else 0.
    float C(int corner) const { return (edges & corner) ? r : 0.0f; }

    std::string Point(double px, double py) const
    {
        return FormatRounded(static_cast<float>(px) * scale, precision) + " " +
               FormatRounded(static_cast<float>(py) * scale, precision);
    }

    std::string Line(double px, double py, const char* op) const
    {
        return Point(px, py) + " " + op + "\r";
    }

    std::string Curve(double x1, double y1, double x2, double y2, double x3, double y3,
                      const char* op) const
    {
        return Point(x1, y1) + " " + Point(x2, y2) + " " + Point(x3, y3) + " " + op + "\r";
    }

    std::string TopRightCurve(const char* op) const
    {
        return Curve(x + w - r + k, y, x + w, y + r - k, x + w, y + r, op);
    }
    std::string BottomRightCurve(const char* op) const
    {
        return Curve(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h, op);
    }
    std::string BottomLeftCurve(const char* op) const
    {
        return Curve(x + r - k, y + h, x, y + h - r + k, x, y + h - r, op);
    }
    std::string TopLeftCurve(const char* op) const
    {
        return Curve(x, y + r - k, x + r - k, y, x + r, y, op);
    }

    float x, y, w, h, r;
    double k;
    int edges;
    float scale;
    int precision;
};

}  // namespace

// With fewer than four sides the outline is only filled or clipped (when style asks for
// either), never stroked, and the chosen sides and rounded corners are then stroked one by
// one.
void Pagelith::DrawRect(float x, float y, float w, float h, int style, int edges, float radius)
{
    RequireFinite({x, y, w, h, radius});
    if (!CanDraw("DrawRect"))
        return;
    const bool allSides = (edges & kAllSides) == kAllSides;
    if (radius <= 0 && allSides) {
        PutPath(FormatCoord(x) + " " + FormatCoord(y) + " " + FormatCoord(w) + " " +
                FormatCoord(h) + " re");
        PaintPath(style);
    } else {
        float r = radius;
        if (w / 2 < r)
            r = w / 2;
        if (h / 2 < r)
            r = h / 2;
        // A negative radius would turn the corners outwards.
        r = std::max(r, 0.0f);
        const RectPath path(x, y, w, h, r, edges & 0xFF, mGeometry.scale, mContent.precision);
        // An outline left open would be stroked with the first side.
        const bool outlinePainted = allSides || (style & (kFillBit | kClipBit)) != 0;
        if (outlinePainted)
            PutPath(path.Outline());
        if (allSides) {
            PaintPath(style);
        } else {
            if (outlinePainted)
                PaintPath(style | 1);
            PutPath(path.Pieces(), true);
        }
    }
    SetXY(x, y);
    SetLastBox(mText.x, mGeometry.height - mText.y, mText.x + w * mGeometry.scale, mGeometry.height - mText.y - h * mGeometry.scale);
}

}  // namespace pdf
