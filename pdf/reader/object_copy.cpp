#include "pdf/reader/object_copy.h"

#include <algorithm>
#include <charconv>

#include "pdf/core/text_utils.h"

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

// Calls onReference for "n g R" (with n) and onString for a string token (its text); both
// give the replacement.  Names, comments and everything else are copied.
std::string RewriteTokens(std::string_view text, const std::function<std::string(int)>& onReference,
                          const std::function<std::string(std::string_view)>& onString)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        std::size_t end = i + 1;
        if (c == '(' || (c == '<' && text.substr(i, 2) != "<<")) {
            end = c == '(' ? LiteralEnd(text, i) : std::min(text.find('>', i), text.size() - 1) + 1;
            if (onString) {
                out += onString(text.substr(i, end - i));
                i = end;
                continue;
            }
        } else if (text.substr(i, 2) == "<<" || text.substr(i, 2) == ">>") {
            end = i + 2;
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
            if (onReference && AllDigits(number) && genStart > end &&
                AllDigits(text.substr(genStart, genEnd - genStart)) && r > genEnd && r < text.size() &&
                text[r] == 'R' && TokenEnd(text, r) == r + 1 &&
                std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc()) {
                out += onReference(value);
                i = r + 1;
                continue;
            }
        }
        out.append(text.substr(i, end - i));
        i = end;
    }
    return out;
}

std::string HexStringBytes(std::string_view hex)
{
    std::string bytes;
    int high = -1;
    for (const char c : hex) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            continue;
        if (high < 0) {
            high = digit;
        } else {
            bytes += static_cast<char>(high * 16 + digit);
            high = -1;
        }
    }
    if (high >= 0)
        bytes += static_cast<char>(high * 16);
    return bytes;
}

}  // namespace

std::string RenumberReferences(std::string_view text, const std::function<std::string(int)>& renumber)
{
    return RewriteTokens(text, renumber, nullptr);
}

std::string EncipherStrings(std::string_view text,
                            const std::function<std::string(std::string)>& encipher)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return RewriteTokens(text, nullptr, [&](std::string_view token) {
        const std::string cipher = encipher(token[0] == '(' ? LiteralStringBytes(token) : HexStringBytes(token));
        std::string hex = "<";
        for (const char c : cipher) {
            hex += kDigits[static_cast<unsigned char>(c) >> 4];
            hex += kDigits[static_cast<unsigned char>(c) & 15];
        }
        return hex + ">";
    });
}

std::string LiteralStringBytes(std::string_view literal)
{
    const std::string_view body = literal.substr(1, literal.size() >= 2 && literal.back() == ')' ? literal.size() - 2 : literal.size() - 1);
    std::string bytes;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\r') {
            // A line end inside a string is one line feed.
            if (i + 1 < body.size() && body[i + 1] == '\n')
                ++i;
            bytes += '\n';
            continue;
        }
        if (c != '\\' || i + 1 == body.size()) {
            bytes += c;
            continue;
        }
        c = body[++i];
        if (c >= '0' && c <= '7') {
            int code = 0;
            for (int digits = 0; digits < 3 && i < body.size() && body[i] >= '0' && body[i] <= '7'; ++digits, ++i)
                code = code * 8 + (body[i] - '0');
            --i;
            bytes += static_cast<char>(code & 255);
        } else if (c == '\r' || c == '\n') {
            // A backslash before a line end continues the string on the next line.
            if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
                ++i;
        } else {
            const std::string_view from = "nrtbf";
            const std::size_t escape = from.find(c);
            bytes += escape == std::string_view::npos ? c : "\n\r\t\b\f"[escape];
        }
    }
    return bytes;
}

}  // namespace pdf
