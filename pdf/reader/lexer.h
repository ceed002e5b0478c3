// The lexer of PDF syntax: its tokens, literal and hexadecimal strings among them, and the
// bytes strings stand for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pdf {

// PDF's white space (NUL, tab, line feed, form feed, carriage return, space) and its
// delimiters.
bool IsWhite(char c);
bool IsDelimiter(char c);
inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A word of decimal digits only, as object numbers and table rows are written.
bool IsDigits(std::string_view word);

// One token of a text: the bytes [start, end).
struct SyntaxToken {
    enum Kind {
        kNone,  // the end of the text
        kLiteral,
        kHex,
        kDictOpen,
        kDictClose,
        kArrayOpen,
        kArrayClose,
        kName,
        kComment,
        kWord,       // a number, a keyword such as "null", "R" or "endobj"
        kReference,  // only from NextValue: "n g R"
        kStray,      // a delimiter that opens nothing: ")", a lone ">", "{", "}", or a "<"
                     // whose digits end at no ">"
    };
    Kind kind = kNone;
    std::size_t start = 0;
    std::size_t end = 0;
    // False for a string that the text's end cuts short.
    bool closed = true;

    std::string_view In(std::string_view text) const { return text.substr(start, end - start); }
};

// The token that begins at `at` or after the white space there.  A comment runs to its
// line end; a string, name or word that the text cuts short ends with the text.
SyntaxToken NextToken(std::string_view text, std::size_t at);

// The value that begins at `at` or after the white space and comments there: one token,
// an array or dictionary to its matching close (or up to a close that matches nothing
// open), or the three tokens of a reference.  Its kind is that of its first token, or
// kReference.
SyntaxToken NextValue(std::string_view text, std::size_t at);

// An object's header "N G obj" from N's first digit to just past "obj"; number -1 when
// there is none.
struct ObjectHeader {
    std::size_t start = 0;
    std::size_t end = 0;
    std::int64_t number = -1;
};

// The header that begins at `at` or after the white space and comments there: N and G
// words of digits (N of at most ten), then "obj".
ObjectHeader ObjectHeaderAt(std::string_view text, std::size_t at);

// No header's N begins farther before its "obj" than this.
constexpr std::size_t kObjectHeaderReach = 64;

// The header whose word "obj" begins at `obj`, read from where its N can begin: a word of
// digits after white space or a delimiter, with only white space and digits up to "obj".
// Number -1 when there is none.
ObjectHeader ObjectHeaderBefore(std::string_view text, std::size_t obj);

// Whether the word `keyword`, of regular characters, stands at `at` as a whole token.
bool WordAt(std::string_view text, std::size_t at, std::string_view keyword);

// The number a word token stands for: an optional sign, then digits with at most one "."
// among or before them.  False for any other word.  Digits beyond a double's range give an
// infinity, or 0 for a fraction too small.
bool NumberOfWord(std::string_view word, double& value);

// Just past "n g R" when the word `first` begins one; 0 when it begins no reference.
std::size_t ReferenceEnd(std::string_view text, const SyntaxToken& first);

// The name token `name` (with its "/") as the bytes it stands for, its "#" codes read,
// without the "/".
std::string DecodedName(std::string_view name);

// The bytes a literal string stands for, parentheses included in `literal`: every escape,
// octal codes, line continuations, and line ends as single line feeds.
std::string LiteralStringBytes(std::string_view literal);

// The bytes of a hexadecimal string's digits; white space is passed over and a lone last
// digit counts as followed by 0.
std::string HexStringBytes(std::string_view hex);

}  // namespace pdf
