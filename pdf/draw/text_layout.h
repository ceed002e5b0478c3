// How a text box breaks its text into lines: paragraphs, words shortened with an ellipsis,
// lines that fill the inner width, and the text left over when the box is full.  Texts here
// are bytes of the current font's code page.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

// As the first byte of a box's text: the text continues a paragraph begun in an earlier
// box, so its first line is not indented.
inline constexpr char kContinuedMark = '\x01';
// The ellipsis of every code page a font can use.
inline constexpr char kEllipsis = '\x85';

// Bits of a text's alignment flags that the layout reads.
namespace align {
constexpr int kJustify = 64;
constexpr int kFitIfWider = 128;
constexpr int kFit = 256;
constexpr int kBottom = 16;
constexpr int kMiddle = 32;
constexpr int kOneLinePerParagraph = 512;
constexpr int kHorizontal = 455;
}  // namespace align

// Width in user units of bytes in the current font.
using TextMeasure = std::function<float(std::string_view)>;

struct TextBoxGeometry {
    float InnerWidth = 0;   // user units
    float Indent = 0;       // of each paragraph's first line, user units
    float BlankWidth = 0;   // user units
    float Advance = 0;      // from one line to the next, points
    float InnerHeight = 0;  // points
    int Flags = 0;
    // Words of at most this many bytes are no wider than the inner width in any case.
    std::size_t SureFitBytes = 0;
};

struct BoxLine {
    std::string Text;
    bool First = false;  // first line of a paragraph, indented
    bool Last = false;   // last line of a paragraph
};

struct TextBoxLayout {
    std::vector<BoxLine> Lines;
    std::string Rest;  // what did not fit, ready for a further box; empty when all fitted
};

// Every run of blanks made one blank.
std::string CollapseBlanks(std::string text);

// The paragraphs of a box's text: a leading continued mark is taken off (and reported),
// blanks are collapsed for justified text, CR LF, LF and CR all end a paragraph, and an empty
// paragraph becomes one blank.
std::vector<std::string> SplitParagraphs(std::string text, int flags, bool& continued);

// While the text is wider than `width`, drops its last two bytes and puts the ellipsis in
// their place (so a text that already ends in the ellipsis loses one more character each
// round).  The ellipsis alone is as short as it gets; an empty text stays empty.
std::string ShortenToWidth(std::string text, float width, const TextMeasure& measure);

TextBoxLayout LayOutTextBox(const std::vector<std::string>& paragraphs, bool continued,
                            const TextBoxGeometry& box, const TextMeasure& measure);

}  // namespace pdf
