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
    const float savedScaling = mHorizScaling;

    // Justified lines are measured without the spacings, which the line replaces.
    MeasuredLine m;
    if (flags & align::kJustify) {
        bytes = CollapseBlanks(std::move(bytes));
        if (!bytes.empty() && bytes.back() == ' ')
            bytes.pop_back();
        const float unit = mFontSize / 1000 * (mHorizScaling / 100) / mScale;
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
            mHorizScaling = 100;
        m.measured = GetStringWidth(bytes, mFontIndex, mFontSize);
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
            suffix = " " + FormatReal(mWordSpacing) + " Tw";
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

    const float descent = mFontSize * static_cast<float>(font.Descent) / 1000;
    const float height = GetTextHeight();
    SetLastBox((x + offset) * mScale, mPageHeight - y * mScale + descent,
               (x + offset + m.measured) * mScale,
               (height * mLineSpacing - y) * mScale + descent + mPageHeight);
    const float advance = height * mScale * mLineSpacing;
    const std::string originX = FormatReal((x + offset) * mScale);
    const std::string baseline = FormatCoord(y);

    // Text is painted with the fill colour.
    const bool textColourSwitched = mColorFill != mColorText || mColorFillAlt != mColorTextAlt;
    if (textColourSwitched)
        FillColorOperator(mColorText, mColorTextAlt);
    PutLine("BT");
    PutLine(FontResourceName() + " " + FormatReal(mFontSize) + " Tf ");
    PutLine("1 0 0 -1 " + originX + " " + baseline + " Tm");
    PutLine(prefix + "(" + EscapeString(bytes) + ") Tj" + suffix);
    PutLine("ET");

    if (mFontStyle & (kUnderline | kOverline | kStrikeThrough)) {
        PutLine("q");
        if (mColorLine != mColorText || mColorLineAlt != mColorTextAlt)
            StrokeColorOperator(mColorText, mColorTextAlt);
        PutLine(FormatReal(mFontSize / 16) + " w ");
        PutLine("1 0 0 1 " + originX + " " + baseline + " cm");
        const std::string length = FormatCoord(m.lineWidth);
        for (const auto& [bit, factor] : {std::pair{kUnderline, 0.125f},
                                          std::pair{kOverline, -0.8f},
                                          std::pair{kStrikeThrough, -0.3f}}) {
            if (mFontStyle & bit) {
                const std::string o = FormatReal(mFontSize * factor);
                PutLine("0 " + o + " m " + length + " " + o + " l S");
            }
        }
        PutLine("Q");
    }
    if (textColourSwitched)
        FillColorOperator(mColorFill, mColorFillAlt);
    if (fitting)
        mHorizScaling = savedScaling;

    if (newLine) {
        mX = 0;
        mY = y * mScale + advance;
    } else {
        mX = (x + m.lineWidth) * mScale;
        mY = y * mScale;
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
