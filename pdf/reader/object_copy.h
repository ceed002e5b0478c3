// The text of a copied object rewritten for the document being written: its references
// renumbered, its strings enciphered when the document is protected, its stream's length
// the one its data has.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pdf {

// The values of `text` written again as sound syntax, one space between tokens: names with
// "#" codes where they need them, strings and numbers as read, comments left out.  A token
// that is no value (a stray delimiter, an unknown keyword, a string or hexadecimal string
// left open) or a close that matches no open fails with error 321.
std::string SoundSyntax(std::string_view text);

// Gives the text of every reference "n g R" outside strings and names of `text` as
// `renumber` makes it for n; every other byte stays as it is.
std::string RenumberReferences(std::string_view text, const std::function<std::string(int)>& renumber);

// Replaces every literal and hexadecimal string of `text` by the hexadecimal string of
// `encipher` applied to its bytes; every other byte stays as it is.
std::string EncipherStrings(std::string_view text,
                            const std::function<std::string(std::string)>& encipher);

// The stream dictionary `dictionary` with its /Length, direct or a reference, stating
// `length`; one is added when it has none.
std::string WithLength(std::string_view dictionary, std::size_t length);

}  // namespace pdf
