// The data file's text codec: every section name, key and value is stored in encoded form.
#pragma once

#include <string>
#include <string_view>

namespace store {

std::string EncodeIniText(std::string_view text);
// Appends the encoded form of `text` to `out`, as the tail of a text that it continues at
// `firstPosition` (counted from 1).
void AppendEncodedIniText(std::string& out, std::string_view text, int firstPosition = 1);

// Stops at the first position that holds no complete code and ignores the rest.  A tail of
// an encoded text decodes with the position of its first character, counted from 1.
std::string DecodeIniText(std::string_view code, int firstPosition = 1);

// Whether encoding what `code` decodes to gives `code` back, letter case aside: whether it
// is whole, neither cut in a code nor garbled.  A tail of an encoded text is tested with the
// position of its first character, counted from 1.
bool DecodesWhole(std::string_view code, int firstPosition = 1);

}  // namespace store
