// Code 128, in code sets B and C: runs of digits are packed two to a symbol.
#include <array>
#include <string_view>
#include <vector>

#include "pdf/draw/barcode_geometry.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// Bar and space widths, in modules, of the symbol values 0 to 106 (106 is the stop).
constexpr std::array<std::string_view, 107> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

constexpr int kCodeC = 99;
constexpr int kCodeB = 100;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kStop = 106;

// Whether `count` digits start at `at`.
bool DigitRun(const std::string& text, std::size_t at, std::size_t count)
{
    return at + count <= text.size() && AllDigits(std::string_view(text).substr(at, count));
}

// The symbol values from the start symbol to the last data symbol.
std::vector<int> Encode(const std::string& text)
{
    std::vector<int> symbols;
    bool setC = false;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (setC) {
            if (DigitRun(text, i, 2)) {
                symbols.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
                i += 2;
                continue;
            }
            symbols.push_back(kCodeB);
            setC = false;
        } else {
            const std::size_t run = (i == 0 || i + 4 == n) ? 4 : 6;
            if (DigitRun(text, i, run)) {
                symbols.push_back(i == 0 ? kStartC : kCodeC);
                setC = true;
                continue;
            }
            if (i == 0)
                symbols.push_back(kStartB);
        }
        symbols.push_back(static_cast<unsigned char>(text[i]) - 32);
        ++i;
    }
    return symbols;
}

}  // namespace

// Only the printable ASCII characters have a symbol in code set B; any other text draws
// nothing.
float Pagelith::DrawCode128(const std::string& text, float x, float y, bool showCode,
                            float zoomFactor, float height)
{
    if (text.empty())
        return 0;
    for (const char c : text) {
        if (c < 32 || c > 126)
            return 0;
    }
    const BarcodeGeometry g(zoomFactor, mGeometry.scale, showCode, height, 0.72f, 14.4f);

    std::vector<int> symbols = Encode(text);
    // Kept below 103 as it grows, so that no length of text overflows it.
    int sum = symbols[0];
    for (std::size_t position = 1; position < symbols.size(); ++position)
        sum = (sum + symbols[position] * static_cast<int>(position % 103)) % 103;
    symbols.push_back(sum);
    symbols.push_back(kStop);

    float at = x + 10 * g.m;
    for (const int symbol : symbols) {
        bool bar = true;
        for (const char modules : kWidths[static_cast<std::size_t>(symbol)]) {
            for (int k = 0; k < modules - '0'; ++k) {
                if (bar)
                    PutBar(at, y, g.m, g.h);
                at += g.m;
            }
            bar = !bar;
        }
    }
    const float width = at + 9 * g.m - x;
    if (showCode)
        PutBarcodeText(x + width / 2, y + g.h + kBarcodeTextOffset * g.t, g.zoom, text, 4);
    return width;
}

}  // namespace pdf
