// Code 39 with full-ASCII sequences and the optional modulo-43 check character.  Its bars
// are stroked lines, as wide as the element.
#include <array>
#include <string_view>

#include "pdf/draw/barcode_geometry.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr int kStartStop = 43;

// Nine elements each: b narrow bar, B wide bar, w narrow space, W wide space.
constexpr std::array<std::string_view, 44> kPatterns = {
    "bwbWBwBwb", "BwbWbwbwB", "bwBWbwbwB", "BwBWbwbwb", "bwbWBwbwB", "BwbWBwbwb", "bwBWBwbwb",
    "bwbWbwBwB", "BwbWbwBwb", "bwBWbwBwb", "BwbwbWbwB", "bwBwbWbwB", "BwBwbWbwb", "bwbwBWbwB",
    "BwbwBWbwb", "bwBwBWbwb", "bwbwbWBwB", "BwbwbWBwb", "bwBwbWBwb", "bwbwBWBwb", "BwbwbwbWB",
    "bwBwbwbWB", "BwBwbwbWb", "bwbwBwbWB", "BwbwBwbWb", "bwBwBwbWb", "bwbwbwBWB", "BwbwbwBWb",
    "bwBwbwBWb", "bwbwBwBWb", "BWbwbwbwB", "bWBwbwbwB", "BWBwbwbwb", "bWbwBwbwB", "BWbwBwbwb",
    "bWBwBwbwb", "bWbwbwBwB", "BWbwbwBwb", "bWBwbwBwb", "bWbWbWbwb", "bWbWbwbWb", "bWbwbWbWb",
    "bwbWbWbWb", "bWbwBwBwb",
};

// The full-ASCII sequence of a character outside the symbol set.
std::string Sequence(unsigned char c)
{
    if (c == 0)
        return "%U";
    if (c <= 26)
        return std::string("$") + static_cast<char>('A' + c - 1);
    if (c <= 31)
        return std::string("%") + static_cast<char>('A' + c - 27);
    if (c <= 58)  // ! to : (the ones in the set never get here)
        return std::string("/") + static_cast<char>('A' + c - 33);
    if (c <= 63)
        return std::string("%") + static_cast<char>('F' + c - 59);
    if (c == 64)
        return "%V";
    if (c >= 91 && c <= 95)
        return std::string("%") + static_cast<char>('K' + c - 91);
    if (c == 96)
        return "%W";
    if (c >= 97 && c <= 122)
        return std::string("+") + static_cast<char>(c - 32);
    return std::string("%") + static_cast<char>('P' + c - 123);  // { | } ~ DEL
}

}  // namespace

// Characters above 127 have no Code 39 form, and an asterisk would read as the end of the
// symbol: such a text draws nothing.
float Pagelith::DrawCode39(const std::string& text, float x, float y, bool showCode,
                           float zoomFactor, float height, bool addCheck)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 127 || c == '*')
            return 0;
    }
    const float lineWidth = mGs.lineWidth;
    const BarcodeGeometry g(zoomFactor, mGeometry.scale, showCode, height, 0.72f, 14.4f);

    std::string symbols;
    for (const char c : text)
        symbols += kCharacters.find(c) != std::string_view::npos ? std::string(1, c)
                                                                  : Sequence(static_cast<unsigned char>(c));
    float at = x + 10 * g.m;
    auto drawPattern = [&](std::string_view pattern) {
        for (const char element : pattern) {
            const float w = (element == 'B' || element == 'W') ? 3 * g.m : g.m;
            if (element == 'b' || element == 'B') {
                const float centre = at + w / 2;
                PutLine(FormatCoord(w) + " w");
                PutLine(FormatCoord(centre) + " " + FormatCoord(y) + " m " + FormatCoord(centre) +
                        " " + FormatCoord(y + g.h) + " l S");
            }
            at += w;
        }
    };
    if (!symbols.empty()) {
        int sum = 0;
        symbols.insert(symbols.begin(), '*');
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            const int value = static_cast<int>(kCharacters.find(symbols[i]));
            if (value != kStartStop)
                sum += value;
            drawPattern(kPatterns[static_cast<std::size_t>(value)]);
            if (i + 1 == symbols.size()) {
                if (addCheck) {
                    drawPattern("ww");
                    drawPattern(kPatterns[static_cast<std::size_t>(sum % 43)]);
                }
                drawPattern("ww");
                drawPattern(kPatterns[kStartStop]);
            }
            at += g.m;
        }
    }
    PutLine(FormatReal(lineWidth) + " w");
    const float width = at + 9 * g.m - x;
    if (showCode)
        PutBarcodeText(x + width / 2, y + g.h + kBarcodeTextOffset * g.t, g.zoom, text, 4);
    return width;
}

}  // namespace pdf
