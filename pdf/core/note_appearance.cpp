// The look of a free-text note drawn by the document itself, in a font it holds: without it a
// reader builds the look from /DA in a font of its own, which the file does not embed.
#include "pdf/core/colour.h"
#include "pdf/core/fixed_objects.h"
#include "pdf/core/text_utils.h"
#include "pdf/draw/text_layout.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kDashed = 1;
constexpr int kUnderlined = 4;
constexpr int kRightAligned = 2;
constexpr int kCentred = 4;
// Between the frame and the text, in points.
constexpr float kTextMargin = 2;

}  // namespace

// The background in the fill colour, the frame in the line colour (none without one) and the
// text in the line colour, as the note's /C, /BS and /DA ask.
std::string Pagelith::NoteAppearance(const std::string& text, float width, float height,
                                     int alignment, int borderStyle, float dash, float gap)
{
    std::string content;
    if (!mColours.noFill)
        NoteColour(mColours.fill);
    if (!mColours.noLine)
        NoteColour(mColours.line);
    const std::string fill = mColours.noFill ? std::string() : PlainFillOperands(mColours.fill);
    if (!fill.empty())
        content += fill + " 0 0 " + FormatReal(width) + " " + FormatReal(height) + " re f\r";
    const std::string stroke = mColours.noLine ? std::string() : PlainStrokeOperands(mColours.line);
    const float line = stroke.empty() ? 0 : mGs.lineWidth;
    if (line > 0) {
        content += "q " + stroke + " " + FormatReal(line) + " w ";
        if (borderStyle == kDashed && dash + gap > 0)
            content += "[" + FormatReal(dash) + " " + FormatReal(gap) + "] 0 d ";
        const std::string half = FormatReal(line / 2);
        if (borderStyle == kUnderlined)
            content += "0 " + half + " m " + FormatReal(width) + " " + half + " l S Q\r";
        else
            content += half + " " + half + " " + FormatReal(width - line) + " " +
                       FormatReal(height - line) + " re S Q\r";
    }
    content += NoteText(text, width, height, alignment, line + kTextMargin);
    const int object = WriteAppearanceStream(width, height, content, IndirectRef(kResourcesObject));
    return "\r/AP << /N " + std::to_string(object) + " 0 R >>";
}

// The text broken into lines that fit inside the inset, from the top down, as many as the
// height holds.
std::string Pagelith::NoteText(const std::string& text, float width, float height,
                               int alignment, float inset)
{
    const FontRecord& font = CurrentFont();
    const TextMeasure measure = [&font, this](std::string_view bytes) {
        float units = 0;
        for (char c : bytes)
            units += font.Widths[static_cast<unsigned char>(c)];
        return units * mFont.size / 1000;
    };
    const float advance = static_cast<float>(font.LineHeight) * mFont.size / 1000;
    const TextBoxGeometry box{width - 2 * inset, 0, measure(" "), advance, height - 2 * inset, 0};
    bool continued = false;
    const TextBoxLayout layout =
        LayOutTextBox(SplitParagraphs(EncodeText(text), 0, continued), false, box, measure);

    const float share = alignment == kRightAligned ? 1 : alignment == kCentred ? 0.5f : 0;
    const std::string colour = FillOperandsOrBlack(mColours.noLine ? std::string() : mColours.line);
    std::string content =
        "BT " + FontResourceName() + " " + FormatReal(mFont.size) + " Tf " + colour + "\r";
    float baseline = height - inset - static_cast<float>(font.Descent) * mFont.size / 1000;
    for (const BoxLine& line : layout.Lines) {
        baseline -= advance;
        const float x = inset + (box.InnerWidth - measure(line.Text)) * share;
        content += "1 0 0 1 " + FormatReal(x) + " " + FormatReal(baseline) + " Tm (" +
                   EscapeString(line.Text) + ") Tj\r";
    }
    return content + "ET";
}

}  // namespace pdf
