// Text state written as operators (spacings, scaling, rendering mode), the text-box style,
// the rich-text tags, and the measuring of text in the current font.
#include <limits>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr int kMaxTextTags = 255;

}  // namespace

void Pagelith::SetCharSpacing(float spacing)
{
    RequireFinite({spacing});
    mText.charSpacing = spacing;
    PutLine(FormatReal(spacing) + " Tc");
}

void Pagelith::SetWordSpacing(float spacing)
{
    RequireFinite({spacing});
    mText.wordSpacing = spacing;
    PutLine(FormatReal(spacing) + " Tw");
}

void Pagelith::SetTextHorizontalScaling(float percent)
{
    RequireFinite({percent});
    mText.horizScaling = percent;
    PutLine(FormatReal(percent) + " Tz");
}

// Any 16-bit value is written, meaningful (0 to 7) or not.
void Pagelith::SetTextMode(int mode)
{
    if (mode < std::numeric_limits<std::int16_t>::min() ||
        mode > std::numeric_limits<std::int16_t>::max())
        throw Error(err::kOverflow, "Overflow");
    PutLine(std::to_string(mode) + " Tr");
}

void Pagelith::SetBoxStyle(float lineSpacing, float indent, float left, float top, float right,
                           float bottom, int borderMask, float radius)
{
    RequireFinite({lineSpacing, indent, left, top, right, bottom, radius});
    if (lineSpacing >= 0)
        mText.lineSpacing = lineSpacing;
    mTextBoxes.style.Indent = indent * mGeometry.scale;
    mTextBoxes.style.Left = left * mGeometry.scale;
    mTextBoxes.style.Top = top * mGeometry.scale;
    mTextBoxes.style.Right = right * mGeometry.scale;
    mTextBoxes.style.Bottom = bottom * mGeometry.scale;
    mTextBoxes.style.BorderMask = borderMask;
    mTextBoxes.style.Radius = radius;
}

void Pagelith::SetTextTag(const std::string& tag, const std::string& font, float size,
                          int style, int charset, const std::string& textColour,
                          const std::string& fillColour)
{
    RequireFinite({size});
    if (tag.empty()) {
        mTextBoxes.tagCount = 0;
        return;
    }
    int index = 0;
    for (int number = 1; number <= mTextBoxes.tagCount && index == 0; ++number) {
        if (mTextBoxes.tags[static_cast<std::size_t>(number - 1)].Name == tag)
            index = number;
    }
    if (index == 0) {
        if (mTextBoxes.tagCount == kMaxTextTags)
            return;
        index = ++mTextBoxes.tagCount;
        mTextBoxes.tags.reserve(kMaxTextTags);
        if (static_cast<int>(mTextBoxes.tags.size()) < index)
            mTextBoxes.tags.emplace_back();
    }
    std::string text = textColour;
    std::string fill = fillColour;
    std::string dropped;
    ParseColor(text, dropped);
    ParseColor(fill, dropped);

    TextTagRecord& record = mTextBoxes.tags[static_cast<std::size_t>(index - 1)];
    record.Name = tag;
    record.Font = font;
    record.Style = style;
    record.Charset = charset;
    record.Size = size;
    record.TextColor = text;
    record.FillColor = fill;
}

float Pagelith::GetTextHeight() const
{
    if (mFont.index < 1 || mFont.index > mFont.count)
        return 0;
    const FontRecord& font = mFont.records[static_cast<std::size_t>(mFont.index - 1)];
    return static_cast<float>(font.LineHeight * static_cast<double>(mFont.size) / 1000 / mGeometry.scale);
}

float Pagelith::GetTextWidth(const std::string& text) const
{
    return GetStringWidth(EncodeText(text), mFont.index, mFont.size);
}

}  // namespace pdf
