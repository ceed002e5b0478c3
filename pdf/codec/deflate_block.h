// Second pass of the Deflate encoder: the tokens written as blocks, each stored, with the
// fixed codes or with codes of its own, whichever is estimated smallest.
#pragma once

#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_tokens.h"

namespace pdf::deflate {

enum class BlockType { Stored = 0, Fixed = 1, Dynamic = 2 };

// The bits of a block with the fixed codes, its header included.
std::uint64_t FixedBits(const SymbolCounts& counts);

// Writes the data (size bytes, tokenized as list) as one final block or, with split, as
// blocks that end where the statistics of the tokens change enough to pay for new codes.
void WriteBlocks(const TokenList& list, const std::uint8_t* data, std::uint32_t size, bool split,
                 BitWriter& writer);

}  // namespace pdf::deflate
