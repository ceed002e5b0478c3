// The writer's own stack of graphic states: what local spaces, tables and barcodes put
// back when they end.
#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SaveGraphicState()
{
    ++mGsDepth;
    ReserveFor(mGsStack, mGsDepth, mMemoryUsage);
    if (static_cast<int>(mGsStack.size()) < mGsDepth)
        mGsStack.emplace_back();
    GraphicStateRecord& state = mGsStack[static_cast<std::size_t>(mGsDepth - 1)];
    state.Scale = mScale;
    state.X = mX;
    state.Y = mY;
    state.ColorFill = mColorFill;
    state.ColorFillAlt = mColorFillAlt;
    state.ColorLine = mColorLine;
    state.ColorLineAlt = mColorLineAlt;
    state.ColorText = mColorText;
    state.ColorTextAlt = mColorTextAlt;
    state.NoFill = mNoFill;
    state.NoLine = mNoLine;
    state.NoText = mNoText;
    state.FontName = mFontName;
    state.FontStyle = mFontStyle;
    state.FontSize = mFontSize;
    state.FontCharset = mFontCharset;
    state.LineWidth = mLineWidth;
    state.SpaceContent = -1;
}

// After "Q" the content repeats the stroke and fill colours and the line width, so that the
// members and the content agree.  A state saved before any font was selected selects none.
void Pagelith::RestoreGraphicState()
{
    if (mGsDepth == 0)
        return;
    const GraphicStateRecord state = mGsStack[static_cast<std::size_t>(mGsDepth - 1)];
    mX = state.X;
    mY = state.Y;
    mScale = state.Scale;

    mColorLine = state.ColorLine;
    mColorLineAlt = state.ColorLineAlt;
    StrokeColorOperator(mColorLine, mColorLineAlt);
    mNoLine = state.NoLine;

    mColorFill = state.ColorFill;
    mColorFillAlt = state.ColorFillAlt;
    FillColorOperator(mColorFill, mColorFillAlt);
    mNoFill = state.NoFill;

    mColorText = state.ColorText;
    mColorTextAlt = state.ColorTextAlt;
    mNoText = state.NoText;

    SetLineWidth(state.LineWidth / mScale);
    if (!state.FontName.empty())
        SetFont(state.FontName, state.FontSize, state.FontStyle, state.FontCharset);
    --mGsDepth;
}

// A content that closes ends the local spaces left open in it (those of content `serial`)
// with a "Q" each, so that its "q"s are balanced.  Their states stay on the stack: EndSpace
// ends no space of a content closed since.
void Pagelith::CloseOpenSpaces(TextBuffer& content, int serial)
{
    for (int i = 0; i < mGsDepth; ++i) {
        if (mGsStack[static_cast<std::size_t>(i)].SpaceContent == serial)
            BufAppend(content, "\rQ");
    }
}

}  // namespace pdf
