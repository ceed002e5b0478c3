// Literal and hexadecimal string tokens of PDF syntax and the bytes they stand for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pdf {

// Just past the literal string that opens at `at` (its "("): parentheses balance and a
// backslash escapes the next character; the end of the text when it never closes.
std::size_t LiteralStringEnd(std::string_view text, std::size_t at);

// The bytes a literal string stands for, parentheses included in `literal`: every escape,
// octal codes, line continuations, and line ends as single line feeds.
std::string LiteralStringBytes(std::string_view literal);

// The bytes of a hexadecimal string's digits; white space is passed over and a lone last
// digit counts as followed by 0.
std::string HexStringBytes(std::string_view hex);

}  // namespace pdf
