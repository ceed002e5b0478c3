// Literal and hexadecimal string tokens of PDF syntax and the bytes they stand for.
#include "pdf/reader/string_tokens.h"

#include "pdf/core/text_utils.h"

namespace pdf {

std::size_t LiteralStringEnd(std::string_view text, std::size_t at)
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
