// Interleaved 2 of 5 (digit pairs, one in the bars and one in the spaces) and POSTNET (full
// and half bars).
#include <array>
#include <string_view>
#include <vector>

#include "pdf/draw/barcode_geometry.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::array<std::string_view, 10> kInterleaved = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn",
};
constexpr std::array<std::string_view, 10> kPostnet = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

int DigitValue(char c)
{
    return c - '0';
}

// Five digits, or a ZIP+4 code: five digits, a separator and four digits.
bool IsZipCode(std::string_view text)
{
    if (text.size() == 10)
        return AllDigits(text.substr(0, 5)) && AllDigits(text.substr(6));
    return text.size() >= 5 && AllDigits(text);
}

}  // namespace

float Pagelith::DrawInterleaved2of5(const std::string& text, float x, float y, bool showCode,
                                    float zoomFactor, float height, bool addCheck)
{
    if (text.empty() || !AllDigits(text))
        return 0;
    const BarcodeGeometry g(zoomFactor, mGeometry.scale, showCode, height, 0.72f, 14.4f);
    std::string digits = text;
    if (addCheck) {
        int sum = 0;
        for (std::size_t i = 0; i < digits.size(); ++i)
            sum += DigitValue(digits[digits.size() - 1 - i]) * (i % 2 == 0 ? 3 : 1);
        digits += static_cast<char>('0' + (10 - sum % 10) % 10);
    }
    if (digits.size() % 2 == 1)
        digits.insert(digits.begin(), '0');

    std::string elements = "nnnn";
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const std::string_view bars = kInterleaved[static_cast<std::size_t>(DigitValue(digits[i]))];
        const std::string_view spaces =
            kInterleaved[static_cast<std::size_t>(DigitValue(digits[i + 1]))];
        for (std::size_t k = 0; k < 5; ++k) {
            elements += bars[k];
            elements += spaces[k];
        }
    }
    elements += "wnnn";

    float at = x + 5 * g.m;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const float w = elements[i] == 'w' ? 3 * g.m : g.m;
        if (i % 2 == 0)
            PutBar(at, y, w, g.h);
        at += w;
    }
    const float width = at + 5 * g.m - x;
    if (showCode)
        PutBarcodeText(x + width / 2, y + g.h + kBarcodeTextOffset * g.t, g.zoom, text, 4);
    return width;
}

// The five digits of a ZIP code, and the four after its separator when the text has ten
// characters, with their check digit between two frame bars.  Digits after the fifth of
// a longer text are not encoded.
float Pagelith::DrawPostnet(const std::string& text, float x, float y, bool showCode,
                            float zoomFactor)
{
    if (!IsZipCode(text))
        return 0;
    const BarcodeGeometry g(zoomFactor, mGeometry.scale, showCode, 0, 1.44f, 9);
    const float barWidth = g.m;
    const float fullHeight = g.Units(9);
    const float halfHeight = g.Units(3.6f);
    const float pitch = g.Units(3.6f);

    std::vector<int> values;
    for (std::size_t i = 0; i < 10; ++i) {
        if (i < 5 || (text.size() == 10 && i > 5))
            values.push_back(DigitValue(text[i]));
    }
    int sum = 0;
    for (const int value : values)
        sum += value;
    values.push_back((10 - sum % 10) % 10);

    std::string bars = "1";
    for (const int value : values)
        bars += kPostnet[static_cast<std::size_t>(value)];
    bars += "1";

    float at = x + 5 * barWidth;
    for (const char bar : bars) {
        if (bar == '1')
            PutBar(at, y, barWidth, fullHeight);
        else
            PutBar(at, y + fullHeight - halfHeight, barWidth, halfHeight);
        at += pitch;
    }
    const float width = at + 5 * barWidth - x;
    if (showCode)
        PutBarcodeText(x + width / 2, y + g.Units(14.4f) + g.t, g.zoom, text, 4);
    return width;
}

}  // namespace pdf
