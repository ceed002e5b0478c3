// Reading numbers and spans out of a file's bytes.  Every read is checked against the
// data: a position outside it raises the subscript failure instead of reading past it.
#pragma once

#include <cstdint>
#include <string>

#include "pdf/codec/filters.h"
#include "pdf/core/error.h"
#include "pdf/core/input_file.h"

namespace pdf {

// The big-endian integer of `size` (2 or 4) bytes at `position`; other sizes give 0.
// Signed reads give the two's-complement value; an unsigned 4-byte value above
// 2147483647 raises the overflow failure.
std::int32_t ReadIntBE(const Bytes& data, std::int64_t position, int size, bool isUnsigned);

// The little-endian unsigned integer of `size` (2 or 4) bytes at `position`; other sizes
// give 0; a 4-byte value above 2147483647 raises the overflow failure.
std::int32_t ReadIntLE(const Bytes& data, std::int64_t position, int size);

// The byte at `position`.
std::uint8_t ByteAt(const Bytes& data, std::int64_t position);

// Raises the subscript failure unless `count` bytes from `position` lie in the data.
void RequireBytes(const Bytes& data, std::int64_t position, std::int64_t count);

// The failure of data that a loader cannot read, with the reason a reader is told.
Error FormatError(const std::string& reason);

// Raises FormatError unless a picture of `bytes` bytes is no larger than `expansion`
// times the data it is decoded from, and below the largest picture we ever hold.
void RequirePlausibleSize(std::int64_t bytes, std::size_t dataSize, std::int64_t expansion);

// The bytes of `height` rows of `width` pixels at `bits` per pixel, each row padded to a
// multiple of `rowAlign` bytes, in checked 64-bit arithmetic: a negative size or one past
// what 64 bits hold raises FormatError.
std::int64_t PictureBytes(std::int64_t width, std::int64_t height, int bits, int rowAlign = 1);

}  // namespace pdf
