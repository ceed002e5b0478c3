// Generated tables behind code_pages.h, in CodePage order.
#pragma once

#include <array>

#include "pdf/fonts/code_pages.h"

namespace pdf {

extern const std::array<CodePageMap, kCodePageCount> kCodePageMaps;
extern const std::array<const char*, kCodePageCount> kCodePageDifferences;

}  // namespace pdf
