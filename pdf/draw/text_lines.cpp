// One line of text as a complete text object: aligned, justified or fitted inside a width,
// in the text colour, with its decorations.
#include "pdf/core/text_utils.h"
#include "pdf/draw/text_layout.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kUnderline = 4;
constexpr int kOverline = 8;
constexpr int kStrikeThrough = 16;

struct MeasuredLine {
    float measured = 0;   // what the alignment places: the glyphs, and the indent
    float lineWidth = 0;  // what the decorations and the current point follow
    int blanks = 0;       // counted only for justified lines
    float blankWidth = 0;
};

}  // namespace

void Pagelith::WriteTextLine(float x, float y, float width, std::string& bytes, float indent,
                             int flags, bool newLine)
{
    const FontRecord& font = CurrentFont();
    const int horizontal = flags & align::kHorizontal;
    const bool fitting = flags & (align::kFitIfWider | align::kFit);
    const float savedScaling = mText.horizScaling;

    // Justified lines are measured without the spacings, which the line replaces.
    MeasuredLine m;
    if (flags & align::kJustify) {
        bytes = CollapseBlanks(std::move(bytes));
        if (!bytes.empty() && bytes.back() == ' ')
            bytes.pop_back();
        const float unit = mFont.size / 1000 * (mText.horizScaling / 100) / mGeometry.scale;
        for (char c : bytes) {
            if (c == ' ')
                ++m.blanks;
            else
                m.measured += font.Widths[static_cast<unsigned char>(c)] * unit;
        }
        m.blankWidth = font.Widths[' '] * unit;
        m.lineWidth = m.measured + static_cast<float>(m.blanks) * m.blankWidth;
    } else {
        if (fitting)
            mText.horizScaling = 100;
        m.measured = GetStringWidth(bytes, mFont.index, mFont.size);
        m.lineWidth = m.measured;
    }
    m.measured += indent;

    float offset = 0;
    std::string prefix;
    std::string suffix;
    if (horizontal == 2) {
        offset = width - m.measured;
    } else if (horizontal == 4) {
        offset = (width - m.measured) / 2;
    } else if (horizontal == align::kJustify) {
        if (m.blanks > 0) {
            const float extra = width - m.measured - static_cast<float>(m.blanks) * m.blankWidth;
            prefix = FormatCoord(extra / static_cast<float>(m.blanks)) + " Tw ";
            suffix = " " + FormatReal(mText.wordSpacing) + " Tw";
            m.lineWidth += extra;
        }
    } else if (horizontal == align::kFitIfWider || horizontal == align::kFit) {
        // A line that measures nothing has nothing to stretch.
        const bool wider = m.measured > width;
        if (wider || (horizontal == align::kFit && m.measured != 0)) {
            prefix = FormatReal(width * 100 / m.measured) + " Tz ";
            suffix = (wider ? " " : "  ") + FormatReal(savedScaling) + " Tz";
        }
    }
    offset += indent;

    const float descent = mFont.size * static_cast<float>(font.Descent) / 1000;
    const float height = GetTextHeight();
    SetLastBox((x + offset) * mGeometry.scale, mGeometry.height - y * mGeometry.scale + descent,
               (x + offset + m.measured) * mGeometry.scale,
               (height * mText.lineSpacing - y) * mGeometry.scale + descent + mGeometry.height);
    const float advance = height * mGeometry.scale * mText.lineSpacing;
    const std::string originX = FormatReal((x + offset) * mGeometry.scale);
    const std::string baseline = FormatCoord(y);

    // Text is painted with the fill colour.
    const bool textColourSwitched = mColours.fill != mColours.text || mColours.fillAlt != mColours.textAlt;
    if (textColourSwitched)
        FillColorOperator(mColours.text, mColours.textAlt);
    PutLine("BT");
    PutLine(FontResourceName() + " " + FormatReal(mFont.size) + " Tf ");
    PutLine("1 0 0 -1 " + originX + " " + baseline + " Tm");
    PutLine(prefix + "(" + EscapeString(bytes) + ") Tj" + suffix);
    PutLine("ET");

    if (mFont.style & (kUnderline | kOverline | kStrikeThrough)) {
        PutLine("q");
        if (mColours.line != mColours.text || mColours.lineAlt != mColours.textAlt)
            StrokeColorOperator(mColours.text, mColours.textAlt);
        PutLine(FormatReal(mFont.size / 16) + " w ");
        PutLine("1 0 0 1 " + originX + " " + baseline + " cm");
        const std::string length = FormatCoord(m.lineWidth);
        for (const auto& [bit, factor] : {std::pair{kUnderline, 0.125f},
                                          std::pair{kOverline, -0.8f},
                                          std::pair{kStrikeThrough, -0.3f}}) {
            if (mFont.style & bit) {
                const std::string o = FormatReal(mFont.size * factor);
                PutLine("0 " + o + " m " + length + " " + o + " l S");
            }
        }
        PutLine("Q");
    }
    if (textColourSwitched)
        FillColorOperator(mColours.fill, mColours.fillAlt);
    if (fitting)
        mText.horizScaling = savedScaling;

    if (newLine) {
        mText.x = 0;
        mText.y = y * mGeometry.scale + advance;
    } else {
        mText.x = (x + m.lineWidth) * mGeometry.scale;
        mText.y = y * mGeometry.scale;
    }
}

void Pagelith::DrawText(float x, float y, const std::string& text, int align)
{
    RequireFinite({x, y});
    if (!CanDraw("DrawText"))
        return;
    std::string bytes = EncodeText(text);
    WriteTextLine(x, y, 0, bytes, 0, align & 7, false);
}

}  // namespace pdf
