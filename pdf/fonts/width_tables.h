// Generated width tables of the built-in fonts (see scripts/generate_font_widths.py).
#pragma once

#include <array>

#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/font_record.h"

namespace pdf {

// Indexed by CodePage, then by style: regular, bold, italic, bold italic.
using FamilyWidths = std::array<std::array<FontWidths, 4>, kCodePageCount>;

extern const FamilyWidths kArialWidths;
extern const FamilyWidths kTimesNewRomanWidths;
extern const FontWidths kSymbolWidths;
extern const FontWidths kZapfDingbatsWidths;

}  // namespace pdf
