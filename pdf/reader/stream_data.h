// Stream data of a source file, decoded where the reader needs its text.
#pragma once

#include <cstddef>
#include <string_view>

#include "pdf/codec/filters.h"

namespace pdf {

// No decoded stream grows past this: a small file cannot make the reader take unbounded
// memory.
constexpr std::size_t kMaxDecodedBytes = 256u << 20;

// The data after its two-byte zlib header, inflated.
Bytes InflateStored(const Bytes& stored);

// Inflated when the filter is exactly "/FlateDecode"; as stored otherwise.
Bytes DecodeStored(const Bytes& stored, std::string_view filter);

}  // namespace pdf
