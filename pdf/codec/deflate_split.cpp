#include "pdf/codec/deflate_split.h"

#include "pdf/codec/deflate_block.h"
#include "pdf/codec/deflate_entropy.h"

#include <algorithm>

namespace pdf::deflate {

namespace {

// What the codes of a dynamic block cost in its header: about this many bits, and so many
// more for each symbol they give a length to.
constexpr double kHeaderBits = 100;
constexpr double kHeaderBitsPerSymbol = 2;

// The extra bits of lengths and distances, the same whatever the codes.
std::uint64_t ExtraBits(const SymbolCounts& counts)
{
    std::uint64_t bits = 0;
    for (int code = 0; code < 29; ++code)
        bits += std::uint64_t(counts.literals[kEndOfBlock + 1 + code]) * kLengthExtra[code];
    for (int code = 0; code < 30; ++code)
        bits += std::uint64_t(counts.distances[code]) * kDistanceExtra[code];
    return bits;
}

// The estimated bits of the smallest block of these tokens, header included.
double EstimatedBits(const Stretch& stretch)
{
    const double stored = (double(stretch.size) + 5) * 8;
    const double extra = double(ExtraBits(stretch.counts));
    const double fixed = double(FixedBits(stretch.counts));
    int used = 0;
    const double dynamic = EntropyBits(stretch.counts.literals.data(), kLiteralSymbols, used)
                           + EntropyBits(stretch.counts.distances.data(), kDistanceSymbols, used) + extra
                           + kHeaderBits + kHeaderBitsPerSymbol * used;
    return std::min({stored, fixed, dynamic});
}

Stretch RunFrom(const std::vector<Token>& tokens, std::size_t first)
{
    Stretch run;
    run.first = first;
    run.end = std::min(tokens.size(), first + kRunTokens);
    for (std::size_t i = first; i < run.end; ++i) {
        run.counts.Add(tokens[i]);
        run.size += tokens[i].IsMatch() ? tokens[i].Length() : 1;
    }
    run.counts.literals[kEndOfBlock] = 1;
    return run;
}

Stretch Joined(const Stretch& a, const Stretch& b)
{
    Stretch sum = a;
    sum.end = b.end;
    sum.size += b.size;
    for (int s = 0; s < kLiteralSymbols; ++s)
        sum.counts.literals[s] += b.counts.literals[s];
    for (int s = 0; s < kDistanceSymbols; ++s)
        sum.counts.distances[s] += b.counts.distances[s];
    sum.counts.literals[kEndOfBlock] = 1;
    return sum;
}

}  // namespace

std::vector<Stretch> SplitIntoBlocks(const std::vector<Token>& tokens)
{
    std::vector<Stretch> blocks;
    Stretch block = RunFrom(tokens, 0);
    double blockBits = EstimatedBits(block);
    while (block.end != tokens.size()) {
        Stretch run = RunFrom(tokens, block.end);
        const double runBits = EstimatedBits(run);
        Stretch joined = Joined(block, run);
        const double joinedBits = EstimatedBits(joined);
        if (joinedBits <= blockBits + runBits) {
            block = std::move(joined);
            blockBits = joinedBits;
            continue;
        }
        blocks.push_back(std::move(block));
        block = std::move(run);
        blockBits = runBits;
    }
    blocks.push_back(std::move(block));
    return blocks;
}

}  // namespace pdf::deflate
