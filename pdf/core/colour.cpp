#include "pdf/core/colour.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "pdf/core/error.h"
#include "pdf/core/number_format.h"
#include "pdf/core/text_utils.h"

namespace pdf {

namespace {

struct NamedColour {
    std::string_view name;
    std::string_view value;
};

constexpr std::array<NamedColour, 35> kNamedColours{{
    {"BLACK", "#0 0 0"},
    {"GRAY", "#0.502 0.502 0.502"},
    {"SILVER", "#0.753 0.753 0.753"},
    {"WHITE", "#1 1 1"},
    {"MAROON", "#0.502 0 0"},
    {"RED", "#1 0 0"},
    {"PURPLE", "#0.502 0 0.502"},
    {"FUCHSIA", "#1 0 1"},
    {"MAGENTA", "#1 0 1"},
    {"GREEN", "#0 0.502 0"},
    {"LIME", "#0 1 0"},
    {"OLIVE", "#0.502 0.502 0"},
    {"YELLOW", "#1 1 0"},
    {"NAVY", "#0 0 0.502"},
    {"BLUE", "#0 0 1"},
    {"TEAL", "#0 0.502 0.502"},
    {"AQUA", "#0 1 1"},
    {"CYAN", "#0 1 1"},
    {"ORANGE", "#1 0.498 0"},
    {"AZURE", "#0.941 1 1"},
    {"GOLD", "#1 0.843 0"},
    {"LIGHTBLUE", "#0.678 0.847 0.902"},
    {"LIGHTCYAN", "#0.878 1 1"},
    {"LIGHTGREEN", "#0.565 0.933 0.565"},
    {"LIGHTPINK", "#1 0.714 0.757"},
    {"LIGHTYELLOW", "#1 1 0.878"},
    {"TOMATO", "#1 0.388 0.278"},
    {"VIOLET", "#0.933 0.51 0.933"},
    {"PINK", "#1 0.753 0.796"},
    {"IVORY", "#1 1 0.941"},
    {"DARKGRAY", "#0.663 0.663 0.663"},
    {"DARKCYAN", "#0 0.545 0.545"},
    {"DARKBLUE", "#0 0 0.545"},
    {"BROWN", "#0.647 0.165 0.165"},
    {"BEIGE", "#0.961 0.961 0.863"},
}};

// The whole text as a colour number: blanks, a sign, then decimal digits with an optional
// fraction or "&H" and hexadecimal digits.  Nothing when the text is anything else.
std::optional<double> WholeNumber(std::string_view text)
{
    std::string t = TrimSpaces(text);
    std::string_view rest = t;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
    }
    if (rest.empty())
        return std::nullopt;

    double value = 0;
    if (rest.size() > 2 && rest[0] == '&' && (rest[1] == 'H' || rest[1] == 'h')) {
        std::uint64_t n = 0;
        for (char c : rest.substr(2)) {
            const int d = HexDigitValue(c);
            if (d < 0)
                return std::nullopt;
            n = n * 16 + static_cast<unsigned>(d);
            if (n > 0xFFFFFFFFull)
                throw Error(err::kOverflow, "Overflow");
        }
        value = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
    } else {
        if (rest.find_first_not_of("0123456789.") != std::string_view::npos ||
            rest.find_first_of("0123456789") == std::string_view::npos ||
            rest.find('.') != rest.rfind('.'))
            return std::nullopt;
        std::from_chars(rest.data(), rest.data() + rest.size(), value,
                        std::chars_format::fixed);
    }
    return negative ? -value : value;
}

std::string Component(double value, int precision)
{
    return FormatRounded(static_cast<float>(value), precision);
}

// A colour number, red in the low byte, in the "@r;g;b" notation.
std::string ColourNumberToSpec(double number)
{
    const double rounded = std::nearbyint(number);
    if (rounded > 2147483647.0 || rounded < -2147483648.0)
        throw Error(err::kOverflow, "Overflow");
    auto value = static_cast<std::int32_t>(rounded);
    if (value == -1)
        value = 0;
    const auto bits = static_cast<std::uint32_t>(value);
    return "@" + std::to_string(bits & 255) + ";" + std::to_string((bits >> 8) & 255) + ";" +
           std::to_string((bits >> 16) & 255);
}

std::string ParseComponentList(std::string_view list, int precision)
{
    std::vector<std::string> pieces;
    SplitText(ReplaceText(list, ",", "."), pieces, ";");
    if (pieces.size() == 3) {
        return "#" + Component(LeadingNumber(pieces[0]) / 255, precision) + " " +
               Component(LeadingNumber(pieces[1]) / 255, precision) + " " +
               Component(LeadingNumber(pieces[2]) / 255, precision);
    }
    if (pieces.size() == 4) {
        return "@" + Component(LeadingNumber(pieces[0]) / 100, precision) + " " +
               Component(LeadingNumber(pieces[1]) / 100, precision) + " " +
               Component(LeadingNumber(pieces[2]) / 100, precision) + " " +
               Component(LeadingNumber(pieces[3]) / 100, precision);
    }
    return {};
}

std::string ParseNameOrPattern(std::string_view notation, std::string& fallback, int precision)
{
    std::vector<std::string> pieces;
    SplitText(notation, pieces, "|");
    const std::string name = UpperAscii(TrimSpaces(pieces[0]));
    for (const NamedColour& colour : kNamedColours)
        if (colour.name == name)
            return std::string(colour.value);
    std::string alternative = pieces.size() > 1 ? UpperAscii(TrimSpaces(pieces[1])) : "";
    if (!alternative.empty()) {
        std::string ignored;
        ParseColor(alternative, ignored, precision);
        fallback = alternative;
    }
    return name;
}

// A colour already in the writer's notation: "#" and three components, or "@" and four,
// each a plain decimal number, separated by single blanks.  Parsing it again keeps it.
bool IsWriterNotation(std::string_view notation)
{
    if (notation.size() < 2 || (notation.front() != '#' && notation.front() != '@'))
        return false;
    std::vector<std::string> pieces;
    SplitText(notation.substr(1), pieces, " ");
    if (pieces.size() != (notation.front() == '#' ? 3u : 4u))
        return false;
    return std::all_of(pieces.begin(), pieces.end(), [](const std::string& piece) {
        return !piece.empty() && piece.front() != '&' && WholeNumber(piece).has_value();
    });
}

}  // namespace

bool IsColourNotation(std::string_view notation)
{
    return !notation.empty() &&
           (notation.front() == '#' || notation.front() == '@' || notation.front() == '%');
}

std::string HexToRgb(std::string_view text, int precision)
{
    const std::string_view digits = text.substr(1, 6);
    if (digits.empty())
        throw Error(err::kTypeMismatch, "Type mismatch");
    std::uint32_t n = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0)
            throw Error(err::kTypeMismatch, "Type mismatch");
        n = n * 16 + static_cast<unsigned>(d);
    }
    return Component(((n >> 16) & 255) / 255.0, precision) + " " +
           Component(((n >> 8) & 255) / 255.0, precision) + " " +
           Component((n & 255) / 255.0, precision);
}

void ParseColor(std::string& notation, std::string& fallback, int precision)
{
    fallback.clear();
    if (const auto number = WholeNumber(notation))
        notation = ColourNumberToSpec(*number);

    if (notation.empty() || IsWriterNotation(notation))
        return;
    switch (notation.front()) {
    case '#':
        notation = "#" + HexToRgb(std::string_view(notation).substr(0, 7), precision);
        return;
    case '%':
        notation = "%" + Component((100 - LeadingNumber(std::string_view(notation).substr(1))) / 100,
                               precision);
        return;
    case '@':
        notation = ParseComponentList(std::string_view(notation).substr(1), precision);
        return;
    default:
        notation = ParseNameOrPattern(notation, fallback, precision);
    }
}

std::string PlainComponents(const std::string& notation)
{
    if (notation.empty() || std::string_view("#@%").find(notation.front()) == std::string_view::npos)
        return {};
    return notation.substr(1);
}

namespace {

std::string PlainOperands(const std::string& notation, bool stroke)
{
    const std::string components = PlainComponents(notation);
    if (components.empty())
        return {};
    const char mark = notation.front();
    const std::string op = mark == '#' ? " rg" : mark == '@' ? " k" : " g";
    return components + (stroke ? UpperAscii(op) : op);
}

}  // namespace

std::string PlainFillOperands(const std::string& notation)
{
    return PlainOperands(notation, false);
}

std::string FillOperandsOrBlack(const std::string& notation)
{
    const std::string operands = PlainFillOperands(notation);
    return operands.empty() ? "0 g" : operands;
}

std::string PlainStrokeOperands(const std::string& notation)
{
    return PlainOperands(notation, true);
}

}  // namespace pdf
