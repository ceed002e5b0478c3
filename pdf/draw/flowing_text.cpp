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
    const float savedY = mY;
    const float savedSize = mFontSize;
    std::string bytes = EncodeText(text);
    float baseline = mY / mScale;
    if (position == kSuperscript || position == kSubscript || position == kSmaller) {
        const auto descent = static_cast<float>(CurrentFont().Descent) / 1000;
        const float h = GetTextHeight();
        mFontSize = percentSize / 100 * mFontSize;
        if (position == kSuperscript)
            baseline = (mY - mFontSize * descent) / mScale - h / 2;
        else if (position == kSubscript)
            baseline = (mY - (savedSize + mFontSize) * descent) / mScale;
    }
    WriteTextLine(mX / mScale, baseline, 0, bytes, 0, 1, false);
    mY = savedY;
    mFontSize = savedSize;
}

void Pagelith::WriteTextLn(const std::string& text)
{
    if (!CanDraw("WriteTextLn"))
        return;
    std::string bytes = EncodeText(text);
    WriteTextLine(mX / mScale, mY / mScale, 0, bytes, 0, 1, true);
}

}  // namespace pdf
