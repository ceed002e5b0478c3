// Percent-encoding of a text for the query part of a web address.
#pragma once

#include <string>
#include <string_view>

namespace store {

// The text's UTF-8 bytes, each byte outside A-Z, a-z, 0-9 and "-._~" written as "%" and
// two upper-case hexadecimal digits (a blank as "%20").
std::string UrlEncodeUtf8(std::string_view text);

}  // namespace store
