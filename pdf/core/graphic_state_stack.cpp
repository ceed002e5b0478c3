// The writer's own stack of graphic states: what local spaces, tables and barcodes put
// back when they end.
#include <algorithm>
#include <iterator>

#include "pdf/core/list_growth.h"
#include "pdf/pagelith.h"

namespace pdf {

void Pagelith::SaveGraphicState(StateOpener opener)
{
    ReserveFor(mGs.stack, static_cast<int>(mGs.stack.size()) + 1, mOutput.memoryUsage);
    GraphicStateRecord& state = mGs.stack.emplace_back();
    state.Opener = opener;
    state.Scale = mGeometry.scale;
    state.X = mText.x;
    state.Y = mText.y;
    state.ColorFill = mColours.fill;
    state.ColorFillAlt = mColours.fillAlt;
    state.ColorLine = mColours.line;
    state.ColorLineAlt = mColours.lineAlt;
    state.ColorText = mColours.text;
    state.ColorTextAlt = mColours.textAlt;
    state.NoFill = mColours.noFill;
    state.NoLine = mColours.noLine;
    state.NoText = mColours.noText;
    state.FontName = mFont.name;
    state.FontStyle = mFont.style;
    state.FontSize = mFont.size;
    state.FontCharset = mFont.charset;
    state.LineWidth = mGs.lineWidth;
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
        std::find_if(mGs.stack.rbegin(), mGs.stack.rend(),
                     [opener](const GraphicStateRecord& r) { return r.Opener == opener; });
    if (saved == mGs.stack.rend())
        return;
    const GraphicStateRecord state = std::move(*saved);
    mGs.stack.erase(std::next(saved).base());
    mText.x = state.X;
    mText.y = state.Y;
    mGeometry.scale = state.Scale;

    mColours.line = state.ColorLine;
    mColours.lineAlt = state.ColorLineAlt;
    StrokeColorOperator(mColours.line, mColours.lineAlt);
    mColours.noLine = state.NoLine;

    mColours.fill = state.ColorFill;
    mColours.fillAlt = state.ColorFillAlt;
    FillColorOperator(mColours.fill, mColours.fillAlt);
    mColours.noFill = state.NoFill;

    mColours.text = state.ColorText;
    mColours.textAlt = state.ColorTextAlt;
    mColours.noText = state.NoText;

    SetLineWidth(state.LineWidth / mGeometry.scale);
    if (!state.FontName.empty())
        SetFont(state.FontName, state.FontSize, state.FontStyle, state.FontCharset);
}

// A content that closes ends the local spaces left open in it (those of content `serial`)
// with a "Q" each, so that its "q"s are balanced.  Their states stay on the stack: EndSpace
// ends no space of a content closed since.
void Pagelith::CloseOpenSpaces(TextBuffer& content, int serial)
{
    for (const GraphicStateRecord& state : mGs.stack) {
        if (state.Opener == StateOpener::Space && state.SpaceContent == serial)
            BufAppend(content, "\rQ");
    }
}

}  // namespace pdf
