#include "pdf/fonts/font_encoding.h"

#include "pdf/core/text_utils.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {

bool HasBuiltinEncoding(const FontRecord& font)
{
    const std::string base = UpperAscii(font.BaseFont);
    return base == "SYMBOL" || base == "ZAPFDINGBATS";
}

FontCharset TextCharsetOf(const FontRecord& font)
{
    return HasBuiltinEncoding(font) ? charset::kWestern : font.Charset;
}

std::string EncodeFontText(const FontRecord& font, std::string_view utf8)
{
    return ToCodePage(utf8, TextCharsetOf(font));
}

}  // namespace pdf
