// How text in UTF-8 becomes the bytes that a font's content and widths are indexed by.
#pragma once

#include <string>
#include <string_view>

#include "pdf/fonts/font_record.h"

namespace pdf {

// Symbol and ZapfDingbats are addressed through their own built-in encoding.
bool HasBuiltinEncoding(const FontRecord& font);

// The character set whose code page the font's text is written in: the record's own, and
// Western for Symbol and ZapfDingbats, whose byte (the Western character that the caller
// writes) picks the glyph of that code in the font's built-in encoding.
FontCharset TextCharsetOf(const FontRecord& font);

// The one conversion of text for a font; characters the code page lacks become "?".
std::string EncodeFontText(const FontRecord& font, std::string_view utf8);

// Whether the font's code page holds every character of the text.
bool FontShows(const FontRecord& font, std::string_view utf8);

}  // namespace pdf
