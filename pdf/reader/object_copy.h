// The references of a copied object's text, renumbered for the document being written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pdf {

// Gives the text of every reference "n g R" outside strings and names of `text` as
// `renumber` makes it for n; every other byte stays as it is.
std::string RenumberReferences(std::string_view text, const std::function<std::string(int)>& renumber);

}  // namespace pdf
