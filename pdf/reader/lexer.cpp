// The lexer of PDF syntax: its tokens, literal and hexadecimal strings among them, and the
// bytes strings stand for.
#include "pdf/reader/lexer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <vector>

#include "pdf/core/text_utils.h"

namespace pdf {

namespace {

// Each byte's class, looked up once per byte of every text read.
enum CharClass : unsigned char { kRegular, kWhite, kDelimiter };

constexpr std::array<CharClass, 256> kClasses = [] {
    std::array<CharClass, 256> classes{};
    for (const char c : std::string_view("\0\t\n\f\r ", 6))
        classes[static_cast<unsigned char>(c)] = kWhite;
    for (const char c : std::string_view("()<>[]{}/%"))
        classes[static_cast<unsigned char>(c)] = kDelimiter;
    return classes;
}();

std::size_t RegularEnd(std::string_view text, std::size_t at)
{
    while (at < text.size() && kClasses[static_cast<unsigned char>(text[at])] == kRegular)
        ++at;
    return at;
}

// The literal string that opens at `at` (its "("): parentheses balance and a backslash
// escapes the next character; it ends with the text when it never closes.
SyntaxToken LiteralString(std::string_view text, std::size_t at)
{
    int depth = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth == 0)
            return {SyntaxToken::kLiteral, at, i + 1};
    }
    return {SyntaxToken::kLiteral, at, text.size(), false};
}

// Just past "N G keyword" when `first` is the word N: two words of digits and the keyword;
// 0 when the tokens there are not those.
std::size_t AfterNumbersAndKeyword(std::string_view text, const SyntaxToken& first, std::string_view keyword)
{
    if (first.kind != SyntaxToken::kWord || !IsDigits(first.In(text)))
        return 0;
    const SyntaxToken generation = NextToken(text, first.end);
    const SyntaxToken word = NextToken(text, generation.end);
    if (generation.kind != SyntaxToken::kWord || !IsDigits(generation.In(text)) || word.kind != SyntaxToken::kWord ||
        word.In(text) != keyword)
        return 0;
    return word.end;
}

}  // namespace

bool IsWhite(char c)
{
    return kClasses[static_cast<unsigned char>(c)] == kWhite;
}

bool IsDelimiter(char c)
{
    return kClasses[static_cast<unsigned char>(c)] == kDelimiter;
}

bool IsDigits(std::string_view word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return IsDigit(c); });
}

SyntaxToken NextToken(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsWhite(text[at]))
        ++at;
    if (at >= text.size())
        return {SyntaxToken::kNone, text.size(), text.size()};
    const std::string_view two = text.substr(at, 2);
    switch (text[at]) {
    case '(':
        return LiteralString(text, at);
    case '<': {
        if (two == "<<")
            return {SyntaxToken::kDictOpen, at, at + 2};
        std::size_t close = at + 1;
        while (close < text.size() && (HexDigitValue(text[close]) >= 0 || IsWhite(text[close])))
            ++close;
        if (close == text.size())
            return {SyntaxToken::kHex, at, close, false};
        if (text[close] != '>')
            return {SyntaxToken::kStray, at, at + 1};
        return {SyntaxToken::kHex, at, close + 1};
    }
    case '>':
        return two == ">>" ? SyntaxToken{SyntaxToken::kDictClose, at, at + 2} : SyntaxToken{SyntaxToken::kStray, at, at + 1};
    case '[':
        return {SyntaxToken::kArrayOpen, at, at + 1};
    case ']':
        return {SyntaxToken::kArrayClose, at, at + 1};
    case '/':
        return {SyntaxToken::kName, at, RegularEnd(text, at + 1)};
    case '%':
        return {SyntaxToken::kComment, at, std::min(text.find_first_of("\r\n", at), text.size())};
    default:
        if (IsDelimiter(text[at]))
            return {SyntaxToken::kStray, at, at + 1};
        return {SyntaxToken::kWord, at, RegularEnd(text, at)};
    }
}

SyntaxToken NextValue(std::string_view text, std::size_t at)
{
    SyntaxToken first = NextToken(text, at);
    while (first.kind == SyntaxToken::kComment)
        first = NextToken(text, first.end);
    if (first.kind == SyntaxToken::kDictOpen || first.kind == SyntaxToken::kArrayOpen) {
        // Each close ends the innermost open value of its kind, and those opened inside it.
        // One that closes nothing open ends the value before it.
        std::vector<SyntaxToken::Kind> open{first.kind};
        SyntaxToken token = first;
        while (!open.empty() && token.kind != SyntaxToken::kNone) {
            token = NextToken(text, token.end);
            if (token.kind == SyntaxToken::kDictOpen || token.kind == SyntaxToken::kArrayOpen) {
                open.push_back(token.kind);
            } else if (token.kind == SyntaxToken::kDictClose || token.kind == SyntaxToken::kArrayClose) {
                const auto match = std::find(open.rbegin(), open.rend(),
                                             token.kind == SyntaxToken::kDictClose ? SyntaxToken::kDictOpen
                                                                                   : SyntaxToken::kArrayOpen);
                if (match == open.rend())
                    return {first.kind, first.start, token.start};
                open.erase(std::prev(match.base()), open.end());
            }
        }
        first.end = token.end;
    } else if (const std::size_t end = ReferenceEnd(text, first); end != 0) {
        return {SyntaxToken::kReference, first.start, end};
    }
    return first;
}

ObjectHeader ObjectHeaderAt(std::string_view text, std::size_t at)
{
    SyntaxToken number = NextToken(text, at);
    while (number.kind == SyntaxToken::kComment)
        number = NextToken(text, number.end);
    const std::size_t end = AfterNumbersAndKeyword(text, number, "obj");
    std::int64_t value = -1;
    const std::string_view digits = number.In(text);
    if (end == 0 || digits.size() > 10 ||
        std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc())
        return {};
    return {number.start, end, value};
}

ObjectHeader ObjectHeaderBefore(std::string_view text, std::size_t obj)
{
    if (!WordAt(text, obj, "obj"))
        return {};
    // Of the starts of digits in the white space and digits before "obj", the nearest is G's
    // and the next N's.
    constexpr int kStartsTried = 2;
    const std::string_view head = text.substr(0, obj + 3);
    const std::size_t first = obj > kObjectHeaderReach ? obj - kObjectHeaderReach : 0;
    int tried = 0;
    for (std::size_t start = obj; start-- > first && tried < kStartsTried;) {
        if (!IsDigit(text[start]) && !IsWhite(text[start]))
            break;
        if (!IsDigit(text[start]) || (start > 0 && kClasses[static_cast<unsigned char>(text[start - 1])] == kRegular))
            continue;
        ++tried;
        const ObjectHeader header = ObjectHeaderAt(head, start);
        if (header.start == start && header.end == head.size())
            return header;
    }
    return {};
}

bool WordAt(std::string_view text, std::size_t at, std::string_view keyword)
{
    const std::size_t end = at + keyword.size();
    return text.substr(std::min(at, text.size()), keyword.size()) == keyword &&
           (at == 0 || kClasses[static_cast<unsigned char>(text[at - 1])] != kRegular) &&
           (end == text.size() || kClasses[static_cast<unsigned char>(text[end])] != kRegular);
}

bool NumberOfWord(std::string_view word, double& value)
{
    const bool sign = !word.empty() && (word[0] == '-' || word[0] == '+');
    const std::string_view magnitude = word.substr(sign ? 1 : 0);
    if (magnitude.find_first_of("0123456789") == std::string_view::npos ||
        magnitude.find_first_not_of("0123456789.") != std::string_view::npos ||
        magnitude.find('.') != magnitude.rfind('.'))
        return false;
    // from_chars takes no sign: the magnitude is parsed.
    const auto result = std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude.find_first_of("123456789") < magnitude.find('.') ? HUGE_VAL : 0;
    if (word[0] == '-')
        value = -value;
    return true;
}

std::size_t ReferenceEnd(std::string_view text, const SyntaxToken& first)
{
    return AfterNumbersAndKeyword(text, first, "R");
}

std::string DecodedName(std::string_view name)
{
    std::string decoded;
    decoded.reserve(name.size());
    for (std::size_t i = 1; i < name.size(); ++i) {
        char c = name[i];
        if (c == '#' && i + 2 < name.size() && HexDigitValue(name[i + 1]) >= 0 && HexDigitValue(name[i + 2]) >= 0) {
            c = static_cast<char>(HexDigitValue(name[i + 1]) * 16 + HexDigitValue(name[i + 2]));
            i += 2;
        }
        decoded += c;
    }
    return decoded;
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
