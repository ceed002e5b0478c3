#include "runtime/text.h"

#include <cstdint>

namespace runtime {
namespace {

// Length in bytes of the character that starts with `lead`, or 1 for a stray byte.
int SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int length = 1;
  if (lead >= 0xF0 && lead < 0xF8) length = 4;
  else if (lead >= 0xE0) length = lead < 0xF0 ? 3 : 1;
  else if (lead >= 0xC2) length = 2;
  if (at + length > text.size()) return 1;
  for (int i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// Byte offset of character `index` (0-based), or text.size() beyond the end.
size_t ByteOffset(std::string_view text, int index) {
  size_t at = 0;
  while (index > 0 && at < text.size()) {
    at += SequenceLength(text, at);
    --index;
  }
  return at;
}

char32_t DecodeAt(std::string_view text, size_t at, int length) {
  const auto b = [&](int i) { return static_cast<unsigned char>(text[at + i]); };
  switch (length) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4:
      return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) |
             (b(3) & 0x3F);
    default: return b(0);
  }
}

char32_t LowerOf(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c < 0xC0) return c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c == 0x178) return 0xFF;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

char32_t UpperOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  if (c < 0xE0) return c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

template <typename Map>
std::string MapCase(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const int length = SequenceLength(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1 && lead >= 0x80) {
      out += text[at];  // a stray byte stays as it is
    } else {
      AppendUtf8(out, map(DecodeAt(text, at, length)));
    }
    at += length;
  }
  return out;
}

}  // namespace

int Len(std::string_view text) {
  int count = 0;
  for (size_t at = 0; at < text.size(); at += SequenceLength(text, at)) ++count;
  return count;
}

std::string Mid(std::string_view text, int start, int count) {
  if (start < 1) start = 1;
  const size_t from = ByteOffset(text, start - 1);
  if (count < 0) return std::string(text.substr(from));
  const std::string_view rest = text.substr(from);
  return std::string(rest.substr(0, ByteOffset(rest, count)));
}

std::string Left(std::string_view text, int count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, ByteOffset(text, count)));
}

std::string Right(std::string_view text, int count) {
  const int length = Len(text);
  if (count <= 0) return {};
  if (count >= length) return std::string(text);
  return Mid(text, length - count + 1);
}

int InStr(std::string_view text, std::string_view find, int start) {
  if (start < 1) start = 1;
  const size_t from = ByteOffset(text, start - 1);
  if (start - 1 > Len(text)) return 0;
  if (find.empty()) return from <= text.size() ? start : 0;
  size_t at = text.find(find, from);
  // A match must begin on a character boundary, not inside a multi-byte sequence.
  while (at != std::string_view::npos) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
      return Len(text.substr(0, at)) + 1;
    }
    at = text.find(find, at + 1);
  }
  return 0;
}

std::string LCase(std::string_view text) { return MapCase(text, LowerOf); }
std::string UCase(std::string_view text) { return MapCase(text, UpperOf); }

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  if (delimiter.empty()) {
    fields.emplace_back(text);
    return fields;
  }
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(delimiter, from);
    if (at == std::string_view::npos) {
      fields.emplace_back(text.substr(from));
      return fields;
    }
    fields.emplace_back(text.substr(from, at - from));
    from = at + delimiter.size();
  }
}

std::string Join(const std::vector<std::string>& fields, std::string_view delimiter) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += delimiter;
    out += fields[i];
  }
  return out;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(text);
  std::string out;
  size_t from = 0;
  for (size_t at; (at = text.find(find, from)) != std::string_view::npos; from = at + find.size()) {
    out.append(text.substr(from, at - from));
    out.append(with);
  }
  out.append(text.substr(from));
  return out;
}

std::optional<long long> ParseInteger(std::string_view text) {
  const std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::vector<char32_t> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const int length = SequenceLength(text, at);
    out.push_back(DecodeAt(text, at, length));
    at += length;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string EncodeUtf8(const std::vector<char32_t>& codePoints) {
  std::string out;
  out.reserve(codePoints.size());
  for (char32_t c : codePoints) AppendUtf8(out, c);
  return out;
}

}  // namespace runtime
