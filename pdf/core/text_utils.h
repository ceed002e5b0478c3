// Small text helpers of the writer.  Texts here are byte strings: positions count bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

// Replaces at most `count` occurrences of `search`, left to right and never overlapping,
// searching from the 1-based position `start`.
std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, int start = 1, int count = 2147483647);

// The pieces between the delimiters, empty ones included; an empty text or delimiter gives
// the text as the only piece.
void SplitText(std::string_view text, std::vector<std::string>& pieces,
               std::string_view delimiter);

// The escapes of a literal string: backslash, parentheses, CR and LF.
std::string EscapeString(std::string_view text);

std::string BoolToString(bool flag);

// The text begins with the prefix, compared byte for byte.
bool StartsWith(std::string_view text, std::string_view prefix);

// The text without the spaces (not tabs) at either end.
std::string TrimSpaces(std::string_view text);

std::string UpperAscii(std::string text);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// The number that begins the text, "." as decimal point, blanks and a sign allowed before
// it; 0 when the text begins with none.
double LeadingNumber(std::string_view text);

// The number that the whole text (blanks around it aside) writes, rounded to a whole number
// and kept within +-1e9; nothing when the text is not a number.
std::optional<int> ParseWholeNumber(std::string_view text);

// The characters of a PDF name after its "/": bytes that are not regular characters
// (blanks, delimiters, "#", controls and bytes above 126) are written as "#" and two
// hexadecimal digits; NUL bytes, which a name cannot hold, are left out.  A name that would
// pass the 127 bytes readers take keeps its beginning and ends in "~" and 16 hexadecimal
// digits of the whole name's digest.
std::string EscapeName(std::string_view name);

}  // namespace pdf
