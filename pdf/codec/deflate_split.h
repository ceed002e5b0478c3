// Where the blocks of a Deflate stream end: a new block pays when the statistics of its
// tokens differ enough from those before it to be worth codes of their own.
#pragma once

#include "pdf/codec/deflate_tokens.h"

#include <cstddef>
#include <vector>

namespace pdf::deflate {

// Blocks end only where a run of this many tokens ends.
inline constexpr std::size_t kRunTokens = 2048;

// Tokens from first up to, not including, end, counted, with the bytes they stand for.
struct Stretch {
    std::size_t first = 0;
    std::size_t end = 0;
    SymbolCounts counts;  // the end-of-block symbol counted once
    std::uint32_t size = 0;
};

// The tokens as consecutive stretches, one per block: runs of tokens join while one
// block of them is estimated no larger than two.
std::vector<Stretch> SplitIntoBlocks(const std::vector<Token>& tokens);

}  // namespace pdf::deflate
