// Text written at the current point, piece after piece: each piece starts where the one
// before ended, on the line, raised, lowered or smaller.
#include "pdf/pagelith.h"

namespace pdf {

namespace {

enum TextPosition : int { kOnTheLine = 0, kSuperscript = 1, kSubscript = 2, kSmaller = 3 };

}  // namespace

// The piece keeps the current font at `percentSize` percent of its size unless it is on
// the line; afterwards the size and the baseline are those of before.  A position other
// than the four known ones writes the piece on the line at full size.
void Pagelith::WriteText(const std::string& text, int position, float percentSize)
{
    RequireFinite({percentSize});
    if (!CanDraw("WriteText"))
        return;
    const float savedY = mText.y;
    const float savedSize = mFont.size;
    std::string bytes = EncodeText(text);
    float baseline = mText.y / mGeometry.scale;
    if (position == kSuperscript || position == kSubscript || position == kSmaller) {
        const auto descent = static_cast<float>(CurrentFont().Descent) / 1000;
        const float h = GetTextHeight();
        mFont.size = percentSize / 100 * mFont.size;
        if (position == kSuperscript)
            baseline = (mText.y - mFont.size * descent) / mGeometry.scale - h / 2;
        else if (position == kSubscript)
            baseline = (mText.y - (savedSize + mFont.size) * descent) / mGeometry.scale;
    }
    WriteTextLine(mText.x / mGeometry.scale, baseline, 0, bytes, 0, 1, false);
    mText.y = savedY;
    mFont.size = savedSize;
}

void Pagelith::WriteTextLn(const std::string& text)
{
    if (!CanDraw("WriteTextLn"))
        return;
    std::string bytes = EncodeText(text);
    WriteTextLine(mText.x / mGeometry.scale, mText.y / mGeometry.scale, 0, bytes, 0, 1, true);
}

}  // namespace pdf
