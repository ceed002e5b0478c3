// Resetting the fonts, the graphics state and the text state.
#include "pdf/pagelith.h"

namespace pdf {

// A new document names no font, opacity or blend mode written into an earlier file, and
// puts back no state saved in it.
void Pagelith::ClearFontsAndStates()
{
    mFonts.clear();
    mFontCount = 0;
    mFontIndex = 0;
    mFontFullName.clear();
    mGsAlpha = {};
    mGsAlphaFill = {};
    mGsAlphaLine = {};
    mGsBlend = {};
    mGsStack.clear();
}

// The line width, the box lengths and radius and the text tags outlive a reset.
void Pagelith::ResetFontsAndState()
{
    mFontName.clear();
    mFontSize = 0;
    mFontCharset = 0;
    mBoxStyle.BorderMask = 15;
}

}  // namespace pdf
