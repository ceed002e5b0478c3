// Project colours: the fixed 48-colour palette and the text colour readable on a colour.
// A colour is a 24-bit integer with red in the low byte (&HBBGGRR).
#pragma once

namespace store {

// The palette entry, laid out as six rows of eight, palest first; 0 (black) outside 0-47.
int PaletteColour(int index);

// 0 (black) when the background's luma is 160 or more, else 0xFFFFFF (white).
int ContrastTextColour(int colour);

}  // namespace store
