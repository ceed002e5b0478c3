#include "app/store/codec.h"

#include <array>
#include <cstdint>
#include <memory>

namespace store {

// The codec works on characters, counted from position 1.  A character's value is its
// Unicode code point; a byte that is not part of valid UTF-8 has the value 0x110000 plus
// the byte, so that every text, even a damaged one, comes back byte for byte.  At position k
// the value is XORed with the key byte K(k) = (k * 2654435761 mod 2^32) >> 24 and the result
// written in base 16, most significant digit first and without leading zeros: every digit
// but the last as one of the continuation symbols "GHJKLMNPQRSTUVWX", the last as one of
// the final symbols "0123456789ABCDEF".  The code of one character is thus one to six
// symbols (two for most Latin letters), and an encoded text holds only digits and
// upper-case letters: no blank, quote, bracket, "=", ";", line break or NUL, nothing the INI
// layout trims or splits at, and no two texts whose codes differ only in letter case.
// Decoding reads lower-case symbols as upper-case ones.

namespace {

constexpr std::string_view kFinal = "0123456789ABCDEF";
constexpr std::string_view kContinuation = "GHJKLMNPQRSTUVWX";
constexpr std::uint32_t kRawByteBase = 0x110000;
constexpr int kLongestCode = 6;  // 0x1100FF has six hexadecimal digits

std::uint32_t Key(std::uint32_t position) { return (position * 2654435761u) >> 24; }

// Symbol -> digit (0-15 final, 16-31 continuation), -1 for anything else.
constexpr std::array<std::int8_t, 256> kSymbols = [] {
  std::array<std::int8_t, 256> table{};
  table.fill(-1);
  for (int digit = 0; digit < 16; ++digit) {
    for (auto [symbols, offset] : {std::pair{kFinal, 0}, std::pair{kContinuation, 16}}) {
      char symbol = symbols[digit];
      table[static_cast<unsigned char>(symbol)] = static_cast<std::int8_t>(digit + offset);
      if (symbol >= 'A' && symbol <= 'Z') {
        table[static_cast<unsigned char>(symbol + 32)] = static_cast<std::int8_t>(digit + offset);
      }
    }
  }
  return table;
}();

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The value of the character at `text[at]` and its length in bytes.
std::size_t NextCharacter(std::string_view text, std::size_t at, std::uint32_t& value) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  unsigned char lead = byte(0);
  std::size_t left = text.size() - at;
  if (lead < 0x80) {
    value = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && IsContinuationByte(byte(1))) {
    value = (lead & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && left >= 3 && IsContinuationByte(byte(1)) &&
      IsContinuationByte(byte(2))) {
    std::uint32_t code = (lead & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    if (code >= 0x800 && (code < 0xD800 || code > 0xDFFF)) {
      value = code;
      return 3;
    }
  }
  if (lead >= 0xF0 && lead <= 0xF4 && left >= 4 && IsContinuationByte(byte(1)) &&
      IsContinuationByte(byte(2)) && IsContinuationByte(byte(3))) {
    std::uint32_t code = (lead & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 |
                         (byte(2) & 0x3Fu) << 6 | (byte(3) & 0x3Fu);
    if (code >= 0x10000 && code <= 0x10FFFF) {
      value = code;
      return 4;
    }
  }
  value = kRawByteBase + lead;
  return 1;
}

// Writes the UTF-8 form of `code` at `out` and returns the position after it.
char* PutCharacter(char* out, std::uint32_t code) {
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *out++ = static_cast<char>(0xC0 | code >> 6);
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out++ = static_cast<char>(0xE0 | code >> 12);
    *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | code >> 18);
    *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
    *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

}  // namespace

void AppendEncodedIniText(std::string& out, std::string_view text, int firstPosition) {
  auto position = static_cast<std::uint32_t>(firstPosition - 1);
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t value;
    at += NextCharacter(text, at, value);
    std::uint32_t mixed = value ^ Key(++position);
    int digits[kLongestCode];
    int count = 0;
    do {
      digits[count++] = static_cast<int>(mixed & 15);
      mixed >>= 4;
    } while (mixed != 0);
    while (count > 1) out.push_back(kContinuation[digits[--count]]);
    out.push_back(kFinal[digits[0]]);
  }
}

std::string EncodeIniText(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  AppendEncodedIniText(out, text);
  return out;
}

std::string DecodeIniText(std::string_view code, int firstPosition) {
  // A code of n symbols holds a value below 16^n, whose UTF-8 form is at most 2n bytes.
  char small[1024];
  std::unique_ptr<char[]> large;
  char* begin = small;
  if (code.size() * 2 > sizeof small) {
    large = std::make_unique_for_overwrite<char[]>(code.size() * 2);
    begin = large.get();
  }
  char* end = begin;
  auto position = static_cast<std::uint32_t>(firstPosition - 1);
  auto symbol = [&](std::size_t at) { return kSymbols[static_cast<unsigned char>(code[at])]; };
  std::size_t at = 0;
  while (at < code.size()) {
    // Most codes are two symbols, a continuation and a final one, for a value below 256.
    while (at + 1 < code.size()) {
      int high = symbol(at);
      int low = symbol(at + 1);
      if ((high & ~15) != 16 || (low & ~15) != 0) break;
      std::uint32_t value = static_cast<std::uint32_t>((high & 15) << 4 | low) ^ Key(++position);
      at += 2;
      if (value < 0x80) {
        *end++ = static_cast<char>(value);
      } else {
        *end++ = static_cast<char>(0xC0 | value >> 6);
        *end++ = static_cast<char>(0x80 | (value & 0x3F));
      }
    }
    if (at == code.size()) break;

    std::uint32_t mixed = 0;
    bool complete = false;
    for (int count = 0; count < kLongestCode && at < code.size(); ++count) {
      int digit = symbol(at);
      if (digit < 0) break;
      ++at;
      mixed = mixed << 4 | static_cast<std::uint32_t>(digit & 15);
      if (digit < 16) {
        complete = true;
        break;
      }
    }
    if (!complete) break;
    std::uint32_t value = mixed ^ Key(++position);
    if (value < kRawByteBase && (value < 0xD800 || value > 0xDFFF)) {
      end = PutCharacter(end, value);
    } else if (value >= kRawByteBase && value < kRawByteBase + 256) {
      *end++ = static_cast<char>(value - kRawByteBase);
    } else {
      break;
    }
  }
  return std::string(begin, end);
}

bool DecodesWhole(std::string_view code, int firstPosition) {
  // A code of one final symbol, or of a continuation symbol other than zero and a final
  // one, holds a value below 256: a character, never a raw byte, that encodes back to the
  // same code.  Most texts hold no other code.
  auto symbol = [&](std::size_t at) { return kSymbols[static_cast<unsigned char>(code[at])]; };
  std::size_t at = 0;
  while (at < code.size()) {
    const int first = symbol(at);
    if (first >= 0 && first < 16) {
      ++at;
    } else if (first > 16 && at + 1 < code.size() && symbol(at + 1) >= 0 &&
               symbol(at + 1) < 16) {
      at += 2;
    } else {
      break;
    }
  }
  if (at == code.size()) return true;
  std::string upper(code);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  std::string again;
  AppendEncodedIniText(again, DecodeIniText(code, firstPosition), firstPosition);
  return again == upper;
}

}  // namespace store
