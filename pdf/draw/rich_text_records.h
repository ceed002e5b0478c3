// The lines and runs that rich text is laid out in before it is drawn, and the text-box
// state.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pdf/core/state_records.h"

namespace pdf {

// A word, or words of one style, with the font and colours of the tags open around it.
struct RichRunRecord {
    std::string Text;  // UTF-8, with its trailing space if it has one
    float Width = 0;   // user units
    // The font and colours of the tags in force, their font resolved; an empty text colour
    // keeps the caller's, an empty fill colour paints no background.
    TextTagRecord Tag;
    float SpaceWidth = 0;  // of the trailing space, 0 without one
    bool SpaceAfterTag = false;  // the trailing space followed a closing tag
};

struct RichLineRecord {
    float Width = 0;     // of the runs, and of the indentation on a paragraph's first line
    int Spaces = 0;      // runs that end with a space
    float Baseline = 0;  // from the top of the line, user units
    float Descent = 0;   // from the baseline to the bottom of the line, negative
    std::vector<RichRunRecord> Runs;
    bool ParagraphStart = false;
    bool ParagraphEnd = false;
    std::size_t ContinueAt = 0;  // where the next line starts in the laid-out text
};

// The last rich text laid out: its text with the tags turned into markers and the lines
// ended by CR, and its lines.
struct RichTextLayout {
    std::string Text;
    std::vector<RichLineRecord> Lines;
};

// Text boxes and rich-text tags (entries 1..tagCount), and the last rich text laid out.
struct TextBoxState {
    BoxStyle style;
    std::vector<TextTagRecord> tags;
    int tagCount = 0;
    RichTextLayout runs;
};

}  // namespace pdf
