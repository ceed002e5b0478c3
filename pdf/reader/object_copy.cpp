#include "pdf/reader/object_copy.h"

#include <algorithm>
#include <charconv>

namespace pdf {

namespace {

bool IsWhite(char c)
{
    return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool IsDelimiter(char c)
{
    return std::string_view("()<>[]{}/%").find(c) != std::string_view::npos;
}

bool IsRegular(char c)
{
    return !IsWhite(c) && !IsDelimiter(c);
}

bool AllDigits(std::string_view token)
{
    return !token.empty() && std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// End of the literal string that opens at `at`: parentheses balance, a backslash escapes.
std::size_t LiteralEnd(std::string_view text, std::size_t at)
{
    int depth = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth == 0)
            return i + 1;
    }
    return text.size();
}

std::size_t SkipWhite(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsWhite(text[at]))
        ++at;
    return at;
}

std::size_t TokenEnd(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsRegular(text[at]))
        ++at;
    return at;
}

}  // namespace

std::string RenumberReferences(std::string_view text, const std::function<std::string(int)>& renumber)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        std::size_t end = i + 1;
        if (c == '(') {
            end = LiteralEnd(text, i);
        } else if (text.substr(i, 2) == "<<" || text.substr(i, 2) == ">>") {
            end = i + 2;
        } else if (c == '<') {
            end = std::min(text.find('>', i), text.size() - 1) + 1;
        } else if (c == '%') {
            end = std::min(text.find_first_of("\r\n", i), text.size());
        } else if (c == '/') {
            end = TokenEnd(text, i + 1);
        } else if (IsRegular(c)) {
            end = TokenEnd(text, i);
            const std::string_view number = text.substr(i, end - i);
            const std::size_t genStart = SkipWhite(text, end);
            const std::size_t genEnd = TokenEnd(text, genStart);
            const std::size_t r = SkipWhite(text, genEnd);
            int value = 0;
            if (AllDigits(number) && genStart > end && AllDigits(text.substr(genStart, genEnd - genStart)) &&
                r > genEnd && r < text.size() && text[r] == 'R' && TokenEnd(text, r) == r + 1 &&
                std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc()) {
                out += renumber(value);
                i = r + 1;
                continue;
            }
        }
        out.append(text.substr(i, end - i));
        i = end;
    }
    return out;
}

}  // namespace pdf
