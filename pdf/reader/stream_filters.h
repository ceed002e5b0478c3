// Decoders of the filters other than Flate that a source file's streams may carry.  Each
// gives at most `cap` bytes and fails with the limit's Error past them, and with error 321
// on data its filter cannot have written.
#pragma once

#include <cstddef>

#include "pdf/codec/filters.h"

namespace pdf {

Bytes DecodeASCIIHex(const Bytes& data, std::size_t cap);
Bytes DecodeASCII85(const Bytes& data, std::size_t cap);
Bytes DecodeRunLength(const Bytes& data, std::size_t cap);
// Codes of 9 to 12 bits; `earlyChange` widens them one code early, as /EarlyChange 1 says.
Bytes DecodeLZW(const Bytes& data, bool earlyChange, std::size_t cap);

}  // namespace pdf
