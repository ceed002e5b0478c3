// Drawings imported as page content: line-oriented Encapsulated PostScript and Windows
// metafiles.  Both give the content lines to write, so that they can be read without a
// document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/codec/filters.h"
#include "pdf/core/error.h"

namespace pdf {

// The writer's number formats: rounded to `Precision` decimals, coordinates times `Scale`.
struct ContentNumbers {
    float Scale = 1;
    int Precision = 3;
    std::string Real(float value) const;
    std::string Coord(float value) const;
    std::string Component(int byte) const;
};

// What a drawing gives: its content lines, and the failure that stopped it, if one did.
struct ImportedDrawing {
    std::vector<std::string> Lines;
    std::optional<Error> Failure;
};

// An EPS drawing placed in the box (x, y, w, h) of the page, in user units, y downwards.
// A size of 0 follows from the bounding box.  Lines end in CR, LF or CR LF.
ImportedDrawing TranslateEps(std::string_view text, float x, float y, float w, float h,
                             const ContentNumbers& numbers);

// A Windows metafile (with or without its placeable header) placed in the same way.
ImportedDrawing TranslateWmf(const Bytes& data, float x, float y, float w, float h,
                             const ContentNumbers& numbers);

}  // namespace pdf
