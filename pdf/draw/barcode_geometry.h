// What every barcode symbology shares: magnification, text band, bar height and digits.
#pragma once

#include <algorithm>
#include <string_view>

namespace pdf {

constexpr float kBarcodeTextBand = 4.68f;     // points, under the bars
constexpr float kBarcodeFontSize = 10.08f;    // points, CourierNew
constexpr float kBarcodeTextOffset = 1.6f;    // text baseline, in text bands below the bars

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// True for the empty text too.
inline bool AllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// Lengths in user units: a fixed length in points, magnified, divided by the points per
// user unit, so that the writer's own scaling puts that many points on the page.
struct BarcodeGeometry {
    float zoom;   // magnification, 0.8 to 2
    float scale;  // points per user unit
    float m;      // module: the narrowest element
    float t;      // text band, 0 without text
    float h;      // bar height

    BarcodeGeometry(float zoomFactor, float pointsPerUnit, bool showCode, float height,
                    float modulePoints, float defaultHeightPoints)
        : zoom(std::clamp(zoomFactor, 0.8f, 2.0f)), scale(pointsPerUnit),
          m(Units(modulePoints)), t(showCode ? Units(kBarcodeTextBand) : 0),
          h(height == 0 ? Units(defaultHeightPoints) : height - t)
    {
        if (h <= 0)
            h = m;
    }

    float Units(float points) const { return points * zoom / scale; }
};

}  // namespace pdf
