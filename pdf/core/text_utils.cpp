#include "pdf/core/text_utils.h"

namespace pdf {

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
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '(': out += "\\("; break;
        case ')': out += "\\)"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

std::string BoolToString(bool flag)
{
    return flag ? "true" : "false";
}

}  // namespace pdf
