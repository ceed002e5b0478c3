// FlateDecode decoder: the Deflate data of a zlib stream back into bytes.
#pragma once

#include "pdf/codec/filters.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace pdf {

inline constexpr std::size_t kNoOutputCap = std::numeric_limits<std::size_t>::max();

// Lenient decoding takes what other producers' files hold and readers mostly show: a
// stored block whose length check fails is copied all the same, a block of the reserved
// type adds nothing, a dynamic block may give lengths to the 287th and 288th literal/length
// and the 31st and 32nd distance symbols, distance symbols 30 and 31 reach back past 32 KB,
// and a distance code may be incomplete.  Strict decoding refuses all of these (a distance
// code of a single one-bit code aside), as the common readers do: data that we pass on
// undecoded must decode there.
enum class InflateRules { Lenient, Strict };

// Decodes Deflate data (a zlib stream without its two header bytes) up to and including
// the block marked final; whatever follows it, the Adler-32 trailer included, is not read.
// Gives at most `outputCap` bytes: a stream that would decode to more (a decompression
// bomb) fails like a corrupt one.  Throws Error number 9 (err::kSubscriptOutOfRange) on
// truncated or corrupt data, never reading or writing outside its buffers.
Bytes Inflate(std::span<const std::uint8_t> data, std::size_t outputCap = kNoOutputCap,
              InflateRules rules = InflateRules::Lenient);

// What Inflate gives, and how many bytes of its input the stream took: those up to the
// byte the final block ends in, so that the Adler-32 trailer follows them.
struct InflatedStream {
    Bytes Data;
    std::size_t Used = 0;
};

InflatedStream InflateStream(std::span<const std::uint8_t> data,
                             std::size_t outputCap = kNoOutputCap,
                             InflateRules rules = InflateRules::Lenient);

}  // namespace pdf
