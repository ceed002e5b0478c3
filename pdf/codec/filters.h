// Stream encoders: each replaces the stream's bytes by their encoded form.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace pdf {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMaxFlateLevel = 5;
constexpr int kMaxLZWLevel = 3;  // codes of at most 12 bits

void EncodeRunLength(Bytes& data);          // /RunLengthDecode, ends with byte 128
void EncodeFlate(Bytes& data, int level);   // /FlateDecode (zlib format), level 0 to 5
void EncodeLZW(Bytes& data, int level);     // /LZWDecode, largest code 9 + level bits
void EncodeASCII85(Bytes& data);            // /ASCII85Decode, ends with "~>"
void EncodeASCIIHex(Bytes& data);           // /ASCIIHexDecode, upper case, no end marker
Bytes HexToBytes(std::string_view hex);     // two digits per byte

}  // namespace pdf
