// Whether what a page of a source file draws is all known to be allowed under PDF/A-1b with
// our RGB output intent.
#pragma once

#include <functional>
#include <optional>

#include "pdf/codec/filters.h"
#include "pdf/reader/value.h"

namespace pdf {

// The objects of the source file, and the decoded data of the stream object of a number
// (none when it is no stream or cannot be decoded).
struct PdfaSource {
    ObjectLookup lookup;
    std::function<std::optional<Bytes>(int number)> streamData;
};

// Whether the page (its decoded content and its resources, inherited or its own) uses only
// what is on a short list known to be allowed: each operator of its content and of the
// forms, patterns and Type 3 glyphs it reaches, colour spaces our RGB intent or a profile
// covers, embedded fonts, opaque and untransferred states, images neither interpolated nor
// masked softly, no PostScript and no optional content.  What is not on the list, or
// cannot be read, fails.  Each object is judged once.
// Content that could not be decoded (none) is not allowed.
bool UsesOnlyPdfaAllowed(const Value& page, const Value& resources,
                         const std::optional<Bytes>& content, const PdfaSource& source);

}  // namespace pdf
