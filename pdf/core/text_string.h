// Text strings outside content streams (document information, outline titles, page-label
// prefixes): the bytes a reader decodes back into the caller's characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pdf {

// PDFDocEncoding when every character has a byte there and its bytes do not begin as a
// byte-order mark does, else UTF-16BE behind its byte-order mark.  Invalid UTF-8 bytes are
// taken as Latin-1 characters.
std::string EncodeTextString(std::string_view utf8);

// The text with each byte that begins no valid UTF-8 sequence taken as its Latin-1
// character, so that the whole is valid UTF-8.
std::string ValidUtf8(std::string_view text);

// The characters of a text string read from a file, as UTF-8: UTF-16BE behind its
// byte-order mark (UTF-8 behind its own), PDFDocEncoding otherwise.  A byte or unit that
// stands for no character becomes U+FFFD.
std::string DecodeTextString(std::string_view bytes);

// The text in PDFDocEncoding, one byte per character; nothing when a character has no byte
// there.
std::optional<std::string> PdfDocEncoded(std::string_view utf8);

}  // namespace pdf
