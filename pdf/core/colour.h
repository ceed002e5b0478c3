// Colour specifications: what callers may pass as a colour, and the writer's own notation.
//
// The notation is "#r g b" (RGB, 0 to 1), "@c m y k" (CMYK, 0 to 1), "%g" (grey, 0 black to
// 1 white), an upper-case pattern name, or empty for no colour.  Callers may pass a 24-bit
// colour number (red in the low byte), "#RRGGBB", "@r;g;b" (0-255), "@c;m;y;k" (percent),
// "%n" (percent of black), one of the colour names, or "PATTERN|fallback".
#pragma once

#include <string>
#include <string_view>

namespace pdf {

// Turns a colour text into its notation, in place; `fallback` gets the fallback colour of a
// pattern, or empty.
// A "#" not followed by hexadecimal digits and a colour number beyond 32 bits raise Error.
void ParseColor(std::string& notation, std::string& fallback, int precision);

// A colour of the notation (RGB, CMYK or grey): neither a pattern name nor empty.
bool IsColourNotation(std::string_view notation);

// "#RRGGBB" (or fewer digits) as three components joined by spaces, without the "#".
std::string HexToRgb(std::string_view text, int precision);

// The components of a plain colour (RGB, CMYK or grey), without the notation's mark; empty
// for a pattern or no colour.
std::string PlainComponents(const std::string& notation);

// The components and the operator that make a plain colour the fill colour, as "1 0 0 rg";
// empty for a pattern or no colour.
std::string PlainFillOperands(const std::string& notation);

// The same, black ("0 g") for a pattern or no colour: what marks and text are filled with.
std::string FillOperandsOrBlack(const std::string& notation);

// The same as the stroke colour, as "1 0 0 RG".
std::string PlainStrokeOperands(const std::string& notation);

}  // namespace pdf
