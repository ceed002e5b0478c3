// The writer's own stack of graphic states: what local spaces, tables and barcodes put
// back when they end.
#include <algorithm>
#include <iterator>

#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SaveGraphicState(StateOpener opener)
{
    ReserveFor(mGsStack, static_cast<int>(mGsStack.size()) + 1, mMemoryUsage);
    GraphicStateRecord& state = mGsStack.emplace_back();
    state.Opener = opener;
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
}

// Puts back the state that `opener` saved last, wherever it lies on the stack: a table
// ended around a local space still open leaves the space's state to its EndSpace, so that
// every "q" is closed by the code that wrote it and no end puts back a state it did not
// save.  After "Q" the content repeats the stroke and fill colours and the line width, so
// that the members and the content agree.  A state saved before any font was selected
// selects none.  The state leaves the stack before anything is put back, so that a font
// that can no longer be selected leaves no state behind for a second end and its "Q".
void Pagelith::RestoreGraphicState(StateOpener opener)
{
    const auto saved =
        std::find_if(mGsStack.rbegin(), mGsStack.rend(),
                     [opener](const GraphicStateRecord& r) { return r.Opener == opener; });
    if (saved == mGsStack.rend())
        return;
    const GraphicStateRecord state = std::move(*saved);
    mGsStack.erase(std::next(saved).base());
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
}

// A content that closes ends the local spaces left open in it (those of content `serial`)
// with a "Q" each, so that its "q"s are balanced.  Their states stay on the stack: EndSpace
// ends no space of a content closed since.
void Pagelith::CloseOpenSpaces(TextBuffer& content, int serial)
{
    for (const GraphicStateRecord& state : mGsStack) {
        if (state.Opener == StateOpener::Space && state.SpaceContent == serial)
            BufAppend(content, "\rQ");
    }
}

}  // namespace pdf
