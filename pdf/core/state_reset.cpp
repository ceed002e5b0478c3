// Resetting the fonts, the graphics state and the text state.
#include "pdf/pagelith.h"

namespace pdf {

// A new document names no font, opacity or blend mode written into an earlier file, and
// puts back no state saved in it.
void Pagelith::ClearFontsAndStates()
{
    mFont.records.clear();
    mFont.count = 0;
    mFont.index = 0;
    mFont.fullName.clear();
    mGs.alpha = {};
    mGs.alphaFill = {};
    mGs.alphaLine = {};
    mGs.blend = {};
    mGs.stack.clear();
}

// The line width, the box lengths and radius and the text tags outlive a reset.
void Pagelith::ResetFontsAndState()
{
    mFont.name.clear();
    mFont.size = 0;
    mFont.charset = 0;
    mTextBoxes.style.BorderMask = 15;
}

}  // namespace pdf
