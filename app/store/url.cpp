#include "app/store/url.h"

namespace store {

namespace {

bool IsUnreserved(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= 'a' && byte <= 'z') || byte == '-' || byte == '.' || byte == '_' ||
         byte == '~';
}

}  // namespace

std::string UrlEncodeUtf8(std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size() * 3);
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      encoded.push_back(c);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 15]);
    }
  }
  return encoded;
}

}  // namespace store
