// One font of a document, the Windows character sets that choose a font's code page, and
// the writer's font selection and list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pdf {

// A Windows character-set number.  161 Greek, 162 Turkish, 186 Baltic, 204 Cyrillic and
// 238 Central European; 0 and every other value mean Western.
using FontCharset = std::int32_t;

namespace charset {
constexpr FontCharset kWestern = 0;
constexpr FontCharset kGreek = 161;
constexpr FontCharset kTurkish = 162;
constexpr FontCharset kBaltic = 186;
constexpr FontCharset kCyrillic = 204;
constexpr FontCharset kCentralEurope = 238;
}  // namespace charset

// Advance widths of the character codes 0 to 255, in thousandths of an em.
using FontWidths = std::array<std::int16_t, 256>;

struct FontRecord {
    // Upper-cased full name under which the font was selected or added.
    std::string Key;
    // Set for a TrueType font added from a file; built-in fonts are named, never embedded.
    bool IsTrueType = false;
    // Written after /BaseFont: family plus ",Bold", ",Italic" or ",BoldItalic".
    std::string BaseFont;
    FontWidths Widths{};
    // A line is LineHeight * size / 1000 points high.
    std::int16_t LineHeight = 0;
    // Depth below the baseline, negative.
    std::int32_t Descent = 0;
    FontCharset Charset = charset::kWestern;
    // The /Differences array naming the glyphs of the charset's code page; empty for
    // Western, Symbol and ZapfDingbats.
    std::string Differences;
    // The name of its /Font resource, without the document's prefix: one font each.
    std::string Resource;
    // The TrueType file the font was read from, and whether the file is in the document.
    std::string File;
    bool Embedded = false;
};

// The current selection and the document's records (entries 1..count at indexes
// 0..count-1).
struct FontState {
    std::string name;
    int style = 0;
    int charset = 0;
    float size = 0;
    std::string fullName;
    int index = 0;
    std::vector<FontRecord> records;
    int count = 0;
};

}  // namespace pdf
