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

// The end of the reference "n g R" whose object number is the token [at, numberEnd), or
// npos when no reference stands there.
std::size_t ReferenceEnd(std::string_view text, std::size_t at, std::size_t numberEnd)
{
    const std::size_t genStart = SkipWhite(text, numberEnd);
    const std::size_t genEnd = TokenEnd(text, genStart);
    const std::size_t r = SkipWhite(text, genEnd);
    const bool reference = AllDigits(text.substr(at, numberEnd - at)) && genStart > numberEnd &&
                           AllDigits(text.substr(genStart, genEnd - genStart)) && r > genEnd &&
                           r < text.size() && text[r] == 'R' && TokenEnd(text, r) == r + 1;
    return reference ? r + 1 : std::string_view::npos;
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
            const std::size_t referenceEnd = ReferenceEnd(text, i, end);
            int value = 0;
            if (onReference && referenceEnd != std::string_view::npos &&
                std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc()) {
                out += onReference(value);
                i = referenceEnd;
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

std::string WithLength(std::string_view dictionary, std::size_t length)
{
    const std::string value = std::to_string(length);
    int depth = 0;
    for (std::size_t i = 0; i < dictionary.size();) {
        const std::string_view two = dictionary.substr(i, 2);
        if (dictionary[i] == '(') {
            i = LiteralStringEnd(dictionary, i);
        } else if (two == "<<" || two == ">>") {
            depth += two == "<<" ? 1 : -1;
            i += 2;
        } else if (dictionary[i] == '<') {
            i = std::min(dictionary.find('>', i), dictionary.size() - 1) + 1;
        } else if (dictionary[i] == '%') {
            i = std::min(dictionary.find_first_of("\r\n", i), dictionary.size());
        } else if (dictionary[i] == '/') {
            const std::size_t nameEnd = TokenEnd(dictionary, i + 1);
            if (depth == 1 && dictionary.substr(i + 1, nameEnd - i - 1) == "Length") {
                const std::size_t start = SkipWhite(dictionary, nameEnd);
                const std::size_t numberEnd = TokenEnd(dictionary, start);
                const std::size_t referenceEnd = ReferenceEnd(dictionary, start, numberEnd);
                const std::size_t end = referenceEnd == std::string_view::npos ? numberEnd : referenceEnd;
                return std::string(dictionary.substr(0, start)) + (start == nameEnd ? " " : "") + value +
                       std::string(dictionary.substr(end));
            }
            i = nameEnd;
        } else {
            ++i;
        }
    }
    const std::size_t open = dictionary.find("<<");
    if (open == std::string_view::npos)
        return std::string(dictionary);
    return std::string(dictionary.substr(0, open + 2)) + " /Length " + value + std::string(dictionary.substr(open + 2));
}

}  // namespace pdf
