// What PDF/A-1b forbids in a page's resources, found by walking their values.
#pragma once

#include "pdf/reader/value.h"

namespace pdf {

// Whether the page, its resources (inherited or its own), or any resources its content can reach (forms, patterns, Type 3 fonts,
// soft masks), holds what PDF/A-1b forbids: a font with no embedded font file, or
// transparency (an ExtGState /ca or /CA below 1, a /SMask other than /None, a /BM other
// than Normal or Compatible, a /Group with /S /Transparency, an image with /SMask).
bool HoldsPdfaForbidden(const Value& page, const Value& resources, const ObjectLookup& lookup);

}  // namespace pdf
