// Second pass of the Deflate encoder: the tokens written as one final block, stored,
// with the fixed codes or with codes of their own, whichever is estimated smallest.
#pragma once

#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_tokens.h"

namespace pdf::deflate {

enum class BlockType { Stored = 0, Fixed = 1, Dynamic = 2 };

// Writes the data (size bytes, tokenized as list) as the final block.
void WriteBlock(const TokenList& list, const std::uint8_t* data, std::uint32_t size,
                BitWriter& writer);

}  // namespace pdf::deflate
