// FlateDecode decoder: the Deflate data of a zlib stream back into bytes.
#pragma once

#include "pdf/codec/filters.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace pdf {

inline constexpr std::size_t kNoOutputCap = std::numeric_limits<std::size_t>::max();

// Decodes Deflate data (a zlib stream without its two header bytes) up to and including
// the block marked final; whatever follows it, the Adler-32 trailer included, is not read.
// Gives at most `outputCap` bytes: a stream that would decode to more (a decompression
// bomb) fails like a corrupt one.  Throws Error number 9 (err::kSubscriptOutOfRange) on
// truncated or corrupt data, never reading or writing outside its buffers.  A stored block
// whose length check fails is copied all the same, and a block of the reserved type adds
// nothing; neither stops the decoding.
Bytes Inflate(std::span<const std::uint8_t> data, std::size_t outputCap = kNoOutputCap);

// What Inflate gives, and how many bytes of its input the stream took: those up to the
// byte the final block ends in, so that the Adler-32 trailer follows them.
struct InflatedStream {
    Bytes Data;
    std::size_t Used = 0;
};

InflatedStream InflateStream(std::span<const std::uint8_t> data,
                             std::size_t outputCap = kNoOutputCap);

}  // namespace pdf
