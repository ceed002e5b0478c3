#include "pdf/core/text_utils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "pdf/codec/md5.h"

namespace pdf {

namespace {

// The longest name readers take without a warning, in bytes as written after the "/".
constexpr std::size_t kMaxNameLength = 126;
constexpr std::size_t kDigestDigits = 16;

// The beginning of a name too long for readers, cut before an escape that would not fit,
// and "~" with digits of the whole name's digest, so that names alike in their first
// bytes stay apart.
std::string ShortenedName(std::string_view name, std::string_view escaped)
{
    Md5 md5;
    md5.Update(name);
    const auto digest = md5.Final();
    std::size_t keep = kMaxNameLength - 1 - kDigestDigits;
    if (escaped[keep - 1] == '#')
        keep -= 1;
    else if (escaped[keep - 2] == '#')
        keep -= 2;
    std::string out(escaped.substr(0, keep));
    out += '~';
    for (std::size_t i = 0; i < kDigestDigits / 2; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", digest[i]);
        out += hex;
    }
    return out;
}

}  // namespace

std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, int start, int count)
{
    if (search.empty() || count < 1)
        return std::string(text);
    std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    if (from > text.size())
        return std::string(text);

    std::string out(text.substr(0, from));
    std::size_t hit = text.find(search, from);
    while (hit != std::string_view::npos && count > 0) {
        out.append(text.substr(from, hit - from));
        out.append(replacement);
        from = hit + search.size();
        --count;
        hit = text.find(search, from);
    }
    out.append(text.substr(from));
    return out;
}

void SplitText(std::string_view text, std::vector<std::string>& pieces,
               std::string_view delimiter)
{
    pieces.clear();
    if (text.empty() || delimiter.empty()) {
        pieces.emplace_back(text);
        return;
    }
    std::size_t from = 0;
    for (std::size_t hit = text.find(delimiter); hit != std::string_view::npos;
         hit = text.find(delimiter, from)) {
        pieces.emplace_back(text.substr(from, hit - from));
        from = hit + delimiter.size();
    }
    pieces.emplace_back(text.substr(from));
}

std::string EscapeString(std::string_view text)
{
    // The escape of each byte that needs one.
    static constexpr auto kEscapes = [] {
        std::array<const char*, 256> escapes{};
        escapes['\\'] = "\\\\";
        escapes['('] = "\\(";
        escapes[')'] = "\\)";
        escapes['\r'] = "\\r";
        escapes['\n'] = "\\n";
        return escapes;
    }();
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t plain = 0;  // start of the characters not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = kEscapes[static_cast<unsigned char>(text[i])];
        if (!escape)
            continue;
        out.append(text.substr(plain, i - plain));
        out += escape;
        plain = i + 1;
    }
    out.append(text.substr(plain));
    return out;
}

std::string BoolToString(bool flag)
{
    return flag ? "true" : "false";
}

std::string TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

double LeadingNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return negative ? -value : value;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::optional<int> ParseWholeNumber(std::string_view text)
{
    const std::string trimmed = TrimSpaces(text);
    double value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] =
        std::from_chars(trimmed.data(), end, value, std::chars_format::fixed);
    if (trimmed.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string EscapeName(std::string_view name)
{
    // Whether each byte stands for itself in a name.
    static constexpr auto kRegular = [] {
        std::array<bool, 256> regular{};
        for (int byte = 33; byte <= 126; ++byte)
            regular[static_cast<std::size_t>(byte)] =
                std::string_view("()<>[]{}/%#").find(static_cast<char>(byte)) ==
                std::string_view::npos;
        return regular;
    }();
    std::string out;
    out.reserve(name.size());
    std::size_t plain = 0;  // start of the characters not yet copied
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (kRegular[byte])
            continue;
        out.append(name.substr(plain, i - plain));
        plain = i + 1;
        if (byte == 0)
            continue;
        char hex[4];
        std::snprintf(hex, sizeof hex, "#%02X", byte);
        out += hex;
    }
    out.append(name.substr(plain));
    return out.size() <= kMaxNameLength ? out : ShortenedName(name, out);
}

}  // namespace pdf
