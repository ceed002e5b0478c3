#include "pdf/core/number_format.h"

#include <charconv>
#include <cmath>

namespace pdf {

float RoundToPrecision(float value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    const double exact = static_cast<double>(value);
    double rounded;
    if (exact < 0)
        rounded = -std::floor(-exact * factor + 0.5) / factor;
    else
        rounded = std::floor(exact * factor + 0.5) / factor;
    return static_cast<float>(rounded);
}

std::string FormatNumber(float value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";

    // Seven significant digits as d.dddddde±x, then laid out without the exponent.
    char scientific[32];
    auto result = std::to_chars(scientific, scientific + sizeof scientific,
                                static_cast<double>(value), std::chars_format::scientific, 6);
    std::string_view text(scientific, static_cast<std::size_t>(result.ptr - scientific));

    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t ePos = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        out = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
              digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    return negative ? "-" + out : out;
}

std::string FormatRounded(float value, int decimals)
{
    return FormatNumber(RoundToPrecision(value, decimals));
}

}  // namespace pdf
