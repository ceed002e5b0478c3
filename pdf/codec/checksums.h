// The checksums that zlib streams and PNG chunks carry.
#pragma once

#include <cstdint>
#include <span>

namespace pdf {

// Adler-32, which ends a zlib stream, of its uncompressed bytes.
std::uint32_t Adler32(std::span<const std::uint8_t> data);

// CRC-32 (ISO 3309), which ends a PNG chunk, of its type and data.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

}  // namespace pdf
