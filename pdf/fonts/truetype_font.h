// What a PDF needs of a TrueType font file: the widths of one character set's 256 codes
// and the metrics of a font descriptor.
#pragma once

#include <cstdint>
#include <string>

#include "pdf/codec/filters.h"
#include "pdf/fonts/font_record.h"

namespace pdf {

// Widths and heights in thousandths of an em.
struct TrueTypeMetrics {
    std::string fullName;  // the words of the full font name run together
    FontCharset charset = charset::kWestern;  // whose 256 codes the widths are of
    FontWidths widths{};
    std::int16_t averageWidth = 0;
    std::int16_t ascent = 0;
    std::int16_t descent = 0;  // negative
    std::int16_t weight = 0;
    std::int16_t maximumWidth = 0;
    std::int16_t missingWidth = 0;  // advance of glyph 0
    float italicAngle = 0;
    bool fixedPitch = false;
    bool symbolic = false;
    // Smallest x, smallest y, largest x, largest y of the glyphs of the 256 codes.
    std::int16_t bbox[4] = {0, 0, 0, 0};
};

// Reads the metrics for `charset` from a whole font file.  A read outside the file fails
// with error 9 and units per em of 0 with error 11: a damaged file gives no metrics.
TrueTypeMetrics ReadTrueTypeMetrics(const Bytes& file, FontCharset charset);

}  // namespace pdf
