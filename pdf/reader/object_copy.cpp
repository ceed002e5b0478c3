#include "pdf/reader/object_copy.h"

#include <algorithm>
#include <charconv>

#include "pdf/core/text_utils.h"
#include "pdf/reader/string_tokens.h"

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
            end = c == '(' ? LiteralStringEnd(text, i) : std::min(text.find('>', i), text.size() - 1) + 1;
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

}  // namespace pdf
