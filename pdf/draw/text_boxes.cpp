// Text laid out in a rectangle: lines broken at blanks, aligned across and down, the frame
// drawn first, and the text that did not fit given back.
#include <algorithm>
#include <cstdint>

#include "pdf/draw/text_layout.h"
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kNoFrame = 1;

}  // namespace

// Bounds a word's width by its widest byte, with a margin for rounding, so the rest of a
// full box need not measure every word it gives back.
std::size_t Pagelith::SureFitBytes(const FontRecord& font, float width) const
{
    const std::int16_t widest = *std::max_element(font.Widths.begin(), font.Widths.end());
    const double perByte = (static_cast<double>(widest) * mFont.size / 1000 + mText.charSpacing) *
                           mText.horizScaling / 100 / mGeometry.scale;
    if (!(perByte > 0) || !(width > 0))
        return 0;
    return static_cast<std::size_t>(std::min(width / perByte * (1 - 1e-5), 1e9));
}

std::string Pagelith::DrawTextBox(float x, float y, float w, float h, const std::string& text,
                                  int align, int options)
{
    RequireFinite({x, y, w, h});
    if (!CanDraw("DrawTextBox"))
        return text;
    const float s = mGeometry.scale;
    if (w == 0)
        w = GetPageWidth(true) - x;
    const float x1 = x + mTextBoxes.style.Left / s;
    const float innerWidth = w - (mTextBoxes.style.Left + mTextBoxes.style.Right) / s;
    const float y1 = y + mTextBoxes.style.Top / s;
    const float insetsHeight = (mTextBoxes.style.Top + mTextBoxes.style.Bottom) / s;
    float innerHeight = h != 0 ? h - insetsHeight : GetPageHeight(true) - y - insetsHeight;
    const float indent = mTextBoxes.style.Indent / s;
    const float advance = GetTextHeight() * s * mText.lineSpacing;
    const TextMeasure measure = [this](std::string_view bytes) {
        return GetStringWidth(bytes, mFont.index, mFont.size);
    };

    std::string rest;
    int count = 0;
    if (!text.empty()) {
        // Lines need a font: without one nothing is drawn, the frame included.
        const FontRecord& font = CurrentFont();
        bool continued = false;
        const std::vector<std::string> paragraphs =
            SplitParagraphs(EncodeText(text), align, continued);
        const TextBoxGeometry geometry{innerWidth, indent, measure(" "), advance,
                                       innerHeight * s, align,
                                       SureFitBytes(font, innerWidth)};
        TextBoxLayout layout = LayOutTextBox(paragraphs, continued, geometry, measure);
        count = static_cast<int>(layout.Lines.size());

        // A box that grows to its text is aligned down its own height.
        if (h == 0) {
            h = (mTextBoxes.style.Bottom + mTextBoxes.style.Top + advance * static_cast<float>(count)) / s;
            innerHeight = h - insetsHeight;
        }
        float baseline;
        if (align & align::kMiddle)
            baseline = (y1 + innerHeight / 2) * s + advance * static_cast<float>(2 - count) / 2;
        else if (align & align::kBottom)
            baseline = (y1 + innerHeight) * s - advance * static_cast<float>(count - 1);
        else
            baseline = y1 * s + advance;
        baseline += mFont.size * static_cast<float>(font.Descent) / 1000;

        if (options != kNoFrame)
            DrawRect(x, y, w, h, options, mTextBoxes.style.BorderMask, mTextBoxes.style.Radius);
        for (int i = 0; i < count; ++i) {
            BoxLine& line = layout.Lines[static_cast<std::size_t>(i)];
            const int flags = line.Last && (align & align::kJustify) ? 1 : align;
            WriteTextLine(x1, (baseline + static_cast<float>(i) * advance) / s, innerWidth,
                          line.Text, line.First ? indent : 0, flags, false);
        }
        SetLastBox(x * s, mGeometry.height - y * s, (x + w) * s,
                   mGeometry.height - y * s - advance * static_cast<float>(count));
        if (!layout.Rest.empty())
            rest = FromCodePage(layout.Rest, TextCharsetOf(font));
    }
    if (options != kNoFrame)
        SetXY(x, y + h);
    else
        SetXY(x, y + advance * static_cast<float>(count) / s);
    return rest;
}

}  // namespace pdf
