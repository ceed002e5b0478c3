// The single-byte Windows code pages that fonts encode their text in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/fonts/font_record.h"

namespace pdf {

enum class CodePage { k1252, k1250, k1251, k1253, k1254, k1257 };
constexpr int kCodePageCount = 6;

// The code page of a character set: any number without a code page of its own is Western.
CodePage CodePageOf(FontCharset charset);

// Unicode code point of every byte; bytes 0-127 map to themselves, and bytes the code page
// leaves undefined to -1.
using CodePageMap = std::array<std::int32_t, 256>;
const CodePageMap& GetCodePageMap(FontCharset charset);

// The PDF /Differences array, brackets included, that names the glyphs of bytes 128-255.
std::string GetCodePageDifferences(FontCharset charset);

// UTF-8 text as bytes of the charset's code page.  A character the code page cannot hold,
// and every byte of a malformed UTF-8 sequence, becomes "?".
std::string ToCodePage(std::string_view utf8, FontCharset charset);

// A code page's bytes as UTF-8; a byte the code page leaves undefined becomes "?".
std::string FromCodePage(std::string_view bytes, FontCharset charset);

}  // namespace pdf
