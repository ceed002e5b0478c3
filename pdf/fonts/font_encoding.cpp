#include "pdf/fonts/font_encoding.h"

#include "pdf/fonts/code_pages.h"

namespace pdf {

namespace {

// Whether text, its ASCII letters in upper case, is `upper`.
bool MatchesUpper(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A')
                                                        : text[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

}  // namespace

bool HasBuiltinEncoding(const FontRecord& font)
{
    return MatchesUpper(font.BaseFont, "SYMBOL") || MatchesUpper(font.BaseFont, "ZAPFDINGBATS");
}

FontCharset TextCharsetOf(const FontRecord& font)
{
    return HasBuiltinEncoding(font) ? charset::kWestern : font.Charset;
}

std::string EncodeFontText(const FontRecord& font, std::string_view utf8)
{
    return ToCodePage(utf8, TextCharsetOf(font));
}

bool FontShows(const FontRecord& font, std::string_view utf8)
{
    const FontCharset charset = TextCharsetOf(font);
    return FromCodePage(ToCodePage(utf8, charset), charset) == utf8;
}

}  // namespace pdf
