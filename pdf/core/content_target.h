// Where content lines go: the page, the template or the tiling cell being recorded, each
// with its buffer, its open path and its serial, and the number precision they are written
// with.
#pragma once

#include <string>

#include "pdf/core/state_records.h"
#include "pdf/core/text_buffer.h"

namespace pdf {

// The tiling pattern being recorded.
struct TilingCell {
    std::string name;  // trimmed and upper-cased
    std::string res;   // its pattern dictionary, without the closing ">>"
    bool uncoloured = false;  // its cell takes the colour it is painted with
    float height = 0;  // of its cell, user units
};

// Which buffer receives content lines.
struct ContentTarget {
    bool patternFlag = false;  // an uncoloured tiling pattern is being recorded
    bool inTiling = false;
    bool inTemplate = false;
    bool pageOpen = false;
    bool pageReopened = false;  // the open page is a finished page reopened
    TextBuffer pageBuf;
    TextBuffer templateBuf;
    TextBuffer tilingBuf;
    OpenPaths openPaths;
    ContentSerials serials;
    TilingCell tiling;
    int precision = 3;
};

}  // namespace pdf
