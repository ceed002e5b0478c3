// FlateDecode encoder: a zlib stream holding the input as Deflate blocks: one at levels 0
// to 4 (or, when stored, as many as the stored form needs), at level 5 one wherever the
// data changes enough to pay for new codes.
#include "pdf/codec/filters.h"

#include "pdf/codec/checksums.h"
#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_block.h"
#include "pdf/codec/deflate_tokens.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace pdf {

namespace {

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
