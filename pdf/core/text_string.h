// Text strings outside content streams (document information, outline titles, page-label
// prefixes): the bytes a reader decodes back into the caller's characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pdf {

// PDFDocEncoding when every character has a byte there, else UTF-16BE behind its byte-order
// mark.  Invalid UTF-8 bytes are taken as Latin-1 characters.
std::string EncodeTextString(std::string_view utf8);

// The characters of a text string read from a file, as UTF-8: UTF-16BE behind its
// byte-order mark (UTF-8 behind its own), PDFDocEncoding otherwise.  A byte or unit that
// stands for no character becomes U+FFFD.
std::string DecodeTextString(std::string_view bytes);

// The text in PDFDocEncoding, one byte per character; nothing when a character has no byte
// there.
std::optional<std::string> PdfDocEncoded(std::string_view utf8);

}  // namespace pdf
