// FlateDecode encoder: a zlib stream holding the input as Deflate blocks: one at levels 0
// to 4 (or, when stored, as many as the stored form needs), at level 5 one wherever the
// data changes enough to pay for new codes.
#include "pdf/codec/filters.h"

#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_block.h"
#include "pdf/codec/deflate_tokens.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace pdf {

namespace {

std::uint32_t Adler32(const Bytes& data)
{
    constexpr std::uint32_t kModulus = 65521;
    // The largest run of bytes whose sums cannot overflow before the modulus is taken.
    constexpr std::size_t kChunk = 5552;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t start = 0; start < data.size(); start += kChunk) {
        const std::size_t end = std::min(data.size(), start + kChunk);
        std::size_t i = start;
        // Eight bytes at a time: each byte adds to b once for every running sum it is in.
        for (; i + 8 <= end; i += 8) {
            const std::uint8_t* d = data.data() + i;
            b += 8 * a + 8u * d[0] + 7u * d[1] + 6u * d[2] + 5u * d[3] + 4u * d[4] + 3u * d[5]
                 + 2u * d[6] + d[7];
            a += 0u + d[0] + d[1] + d[2] + d[3] + d[4] + d[5] + d[6] + d[7];
        }
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return b << 16 | a;
}

// The stored form, which the block choice keeps every encoding within a few bytes of:
// the input, five bytes for each stored block of up to 65535 bytes, the zlib header and
// checksum.
std::size_t LargestOutput(std::uint32_t size)
{
    return std::size_t(size) + 5 * (size / 65535 + 1) + 6;
}

// The most tokens whose room stays with a thread after a stream: 4 MB.
constexpr std::size_t kTokensKept = std::size_t(1) << 20;

}  // namespace

void EncodeFlate(Bytes& data, int level)
{
    if (data.size() > std::numeric_limits<std::uint32_t>::max() / 2)
        throw std::length_error("stream too long for the Flate encoder");
    const auto size = static_cast<std::uint32_t>(data.size());

    // Kept from one stream to the next on each thread: making its room anew for every
    // stream costs page faults worth a short stream's compression.
    thread_local deflate::TokenList tokens;
    deflate::Tokenize(data.data(), size, level, tokens);
    deflate::BitWriter writer(LargestOutput(size));
    writer.PutByte(0x78);
    writer.PutByte(0x5E);
    deflate::WriteBlocks(tokens, data.data(), size, level == kMaxFlateLevel, writer);
    writer.AlignToByte();
    std::uint32_t checksum = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8)
        writer.PutByte(static_cast<std::uint8_t>(checksum >> shift));
    data = writer.Written();
    if (tokens.tokens.capacity() > kTokensKept)
        tokens.tokens = {};
}

}  // namespace pdf
