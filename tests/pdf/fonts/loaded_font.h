// A font record filled the way font selection fills a new one.
#pragma once

#include <string_view>

#include "pdf/fonts/font_record.h"
#include "pdf/fonts/metrics.h"

namespace pdf::testing {

inline FontRecord LoadedFont(std::string_view family, int style, FontCharset charset) {
    FontRecord font;
    font.Charset = charset;
    LoadBuiltinMetrics(font, family, style);
    return font;
}

}  // namespace pdf::testing
