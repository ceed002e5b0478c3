// EAN-13 and EAN-8: the check digit always computed, guard bars reaching into the text band.
#include <array>
#include <string_view>

#include "pdf/draw/barcode_geometry.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

// Seven modules per digit: the odd-parity set A and the even-parity set B.  A right-hand
// digit is its set B pattern read backwards.
constexpr std::array<std::string_view, 10> kSetA = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};
constexpr std::array<std::string_view, 10> kSetB = {
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111",
};
// The sets of the six left-hand digits of EAN-13, by leading digit.
constexpr std::array<std::string_view, 10> kParities = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

struct EanLayout {
    std::size_t digits;        // data digits, the check digit not counted
    int oddWeight;             // weight of the 1st, 3rd, ... digit
    float defaultHeight;       // points
    int halfDigits;            // digits on each side
    float leftTextCentre;      // modules from the start guard
    float rightTextCentre;
    int symbolModules;         // guards and digits
};

constexpr EanLayout kEan13 = {12, 1, 64.8f, 6, 24, 71, 95};
constexpr EanLayout kEan8 = {7, 3, 48.96f, 4, 17, 50, 67};

int CheckDigit(const std::string& digits, const EanLayout& layout)
{
    int sum = 0;
    for (std::size_t i = 0; i < layout.digits; ++i)
        sum += (digits[i] - '0') * (i % 2 == 0 ? layout.oddWeight : 4 - layout.oddWeight);
    return (10 - sum % 10) % 10;
}

}  // namespace

float Pagelith::DrawEan13(const std::string& text, float x, float y, bool showCode,
                          float zoomFactor, float height)
{
    return DrawEan(text, x, y, showCode, zoomFactor, height, true);
}

float Pagelith::DrawEan8(const std::string& text, float x, float y, bool showCode,
                         float zoomFactor, float height)
{
    return DrawEan(text, x, y, showCode, zoomFactor, height, false);
}

// A text too short or holding a non-digit where a digit belongs draws nothing.  A digit past
// the data digits is ignored: the check digit is always computed.
float Pagelith::DrawEan(const std::string& text, float x, float y, bool showCode,
                        float zoomFactor, float height, bool ean13)
{
    const EanLayout& layout = ean13 ? kEan13 : kEan8;
    const std::string_view data = std::string_view(text).substr(0, layout.digits);
    if (data.size() < layout.digits || !AllDigits(data))
        return 0;
    const BarcodeGeometry g(zoomFactor, mGeometry.scale, showCode, height, 0.936f, layout.defaultHeight);

    std::string digits = text.substr(0, layout.digits);
    digits += static_cast<char>('0' + CheckDigit(digits, layout));
    const std::string left = digits.substr(ean13 ? 1 : 0, static_cast<std::size_t>(layout.halfDigits));
    const std::string right = digits.substr(digits.size() - static_cast<std::size_t>(layout.halfDigits));
    const float x0 = x + 11 * g.m;

    if (showCode) {
        const float baseline = y + g.h + kBarcodeTextOffset * g.t;
        if (ean13)
            PutBarcodeText(x + 3 * g.m, baseline, g.zoom, digits.substr(0, 1), 1);
        PutBarcodeText(x0 + layout.leftTextCentre * g.m, baseline, g.zoom, left, 4);
        PutBarcodeText(x0 + layout.rightTextCentre * g.m, baseline, g.zoom, right, 4);
    }

    // Module positions from the first module of the start guard.
    const int centre = 3 + 7 * layout.halfDigits;
    const int end = layout.symbolModules - 3;
    for (const int module : {0, 2, centre + 1, centre + 3, end, end + 2})
        PutBar(x0 + static_cast<float>(module) * g.m, y, g.m, g.h + g.t);

    const std::string_view parities =
        ean13 ? kParities[static_cast<std::size_t>(digits[0] - '0')] : "AAAAAA";
    auto drawDigit = [&](std::string_view pattern, int firstModule, bool backwards) {
        for (int j = 0; j < 7; ++j) {
            if (pattern[static_cast<std::size_t>(backwards ? 6 - j : j)] == '1')
                PutBar(x0 + static_cast<float>(firstModule + j) * g.m, y, g.m, g.h);
        }
    };
    for (int k = 0; k < layout.halfDigits; ++k) {
        const auto digit = static_cast<std::size_t>(left[static_cast<std::size_t>(k)] - '0');
        const bool setA = parities[static_cast<std::size_t>(k)] == 'A';
        drawDigit(setA ? kSetA[digit] : kSetB[digit], 3 + 7 * k, false);
    }
    for (int k = 0; k < layout.halfDigits; ++k) {
        const auto digit = static_cast<std::size_t>(right[static_cast<std::size_t>(k)] - '0');
        drawDigit(kSetB[digit], centre + 5 + 7 * k, true);
    }
    return static_cast<float>(11 + layout.symbolModules + 7) * g.m;
}

}  // namespace pdf
