// Metrics of the built-in (never embedded) font families: Arial, Times New Roman,
// Courier New, Symbol and ZapfDingbats.
//
// Each loader fills a new record whose Charset is already set: IsTrueType, BaseFont (the
// family, with ",Bold", ",Italic" or ",BoldItalic" for the families that take a style),
// LineHeight, Descent, the 256 Widths and Key (the upper case of BaseFont).  Only the two
// low style bits count: 1 bold, 2 italic.  Differences is left alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "pdf/fonts/font_record.h"

namespace pdf {

// Arial serves every family name that is not one of the other four.
void LoadArialMetrics(FontRecord& font, std::int32_t style);
void LoadTimesNewRomanMetrics(FontRecord& font, std::int32_t style);
void LoadCourierNewMetrics(FontRecord& font, std::int32_t style);
void LoadSymbolMetrics(FontRecord& font);
void LoadZapfDingbatsMetrics(FontRecord& font);

// Runs the loader of `family` ("TimesNewRoman", "CourierNew", "Symbol", "ZapfDingbats";
// anything else is Arial).
void LoadBuiltinMetrics(FontRecord& font, std::string_view family, std::int32_t style);

}  // namespace pdf
