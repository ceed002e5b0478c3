#include "pdf/fonts/metrics.h"

#include <algorithm>
#include <cctype>

#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/width_tables.h"

namespace pdf {

namespace {

constexpr std::int16_t kCourierNewWidth = 600;

const char* StyleSuffix(std::int32_t style) {
    static constexpr const char* kSuffixes[] = {"", ",Bold", ",Italic", ",BoldItalic"};
    return kSuffixes[style & 3];
}

void Begin(FontRecord& font, const char* family, std::int16_t lineHeight,
           std::int32_t descent) {
    font.IsTrueType = false;
    font.BaseFont = family;
    font.LineHeight = lineHeight;
    font.Descent = descent;
}

void Finish(FontRecord& font) {
    font.Key = font.BaseFont;
    std::transform(font.Key.begin(), font.Key.end(), font.Key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
}

// The styled families: the suffix goes on BaseFont, the widths come from the table of the
// record's charset and the style.
void LoadStyledFamily(FontRecord& font, const FamilyWidths& tables, std::int32_t style) {
    font.BaseFont += StyleSuffix(style);
    font.Widths = tables[static_cast<int>(CodePageOf(font.Charset))][style & 3];
    Finish(font);
}

}  // namespace

void LoadArialMetrics(FontRecord& font, std::int32_t style) {
    Begin(font, "Arial", 1221, -221);
    LoadStyledFamily(font, kArialWidths, style);
}

void LoadTimesNewRomanMetrics(FontRecord& font, std::int32_t style) {
    Begin(font, "TimesNewRoman", 1107, -216);
    LoadStyledFamily(font, kTimesNewRomanWidths, style);
}

void LoadCourierNewMetrics(FontRecord& font, std::int32_t style) {
    Begin(font, "CourierNew", 1133, -300);
    font.Widths.fill(kCourierNewWidth);
    font.BaseFont += StyleSuffix(style);
    Finish(font);
}

void LoadSymbolMetrics(FontRecord& font) {
    Begin(font, "Symbol", 1225, -220);
    font.Widths = kSymbolWidths;
    Finish(font);
}

void LoadZapfDingbatsMetrics(FontRecord& font) {
    Begin(font, "ZapfDingbats", 1221, -221);
    font.Widths = kZapfDingbatsWidths;
    Finish(font);
}

void LoadBuiltinMetrics(FontRecord& font, std::string_view family, std::int32_t style) {
    if (family == "TimesNewRoman")
        LoadTimesNewRomanMetrics(font, style);
    else if (family == "CourierNew")
        LoadCourierNewMetrics(font, style);
    else if (family == "Symbol")
        LoadSymbolMetrics(font);
    else if (family == "ZapfDingbats")
        LoadZapfDingbatsMetrics(font);
    else
        LoadArialMetrics(font, style);
}

}  // namespace pdf
