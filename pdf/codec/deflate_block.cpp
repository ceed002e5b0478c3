#include "pdf/codec/deflate_block.h"

#include "pdf/codec/deflate_codelengths.h"
#include "pdf/codec/deflate_huffman.h"
#include "pdf/codec/deflate_split.h"

#include <algorithm>
#include <limits>

namespace pdf::deflate {

namespace {

constexpr int kMaxCodeBits = 15;
constexpr int kMaxCodeLengthBits = 7;
constexpr std::uint32_t kMaxStoredLength = 65535;

const HuffmanCode& FixedLiteralCode()
{
    static const HuffmanCode code = [] {
        std::uint8_t lengths[kLiteralSymbols];
        std::fill(lengths, lengths + 144, 8);
        std::fill(lengths + 144, lengths + 256, 9);
        std::fill(lengths + 256, lengths + 280, 7);
        std::fill(lengths + 280, lengths + kLiteralSymbols, 8);
        HuffmanCode fixed(kLiteralSymbols);
        fixed.SetLengths(lengths);
        return fixed;
    }();
    return code;
}

const HuffmanCode& FixedDistanceCode()
{
    static const HuffmanCode code = [] {
        std::uint8_t lengths[kDistanceSymbols];
        std::fill(lengths, lengths + kDistanceSymbols, 5);
        HuffmanCode fixed(kDistanceSymbols);
        fixed.SetLengths(lengths);
        return fixed;
    }();
    return code;
}

int LastUsedSymbol(const HuffmanCode& code)
{
    int last = code.SymbolCount() - 1;
    while (last > 0 && code.Length(last) == 0)
        --last;
    return last;
}

// Bits of every coded symbol with its extra bits.
std::uint64_t SymbolBits(const SymbolCounts& counts, const HuffmanCode& literals,
                         const HuffmanCode& distances)
{
    std::uint64_t bits = 0;
    for (int s = 0; s < kLiteralSymbols; ++s) {
        int extra = s > kEndOfBlock && s - kEndOfBlock - 1 < 29 ? kLengthExtra[s - kEndOfBlock - 1] : 0;
        bits += std::uint64_t(counts.literals[s]) * (literals.Length(s) + extra);
    }
    for (int s = 0; s < kDistanceSymbols; ++s) {
        int extra = s < 30 ? kDistanceExtra[s] : 0;
        bits += std::uint64_t(counts.distances[s]) * (distances.Length(s) + extra);
    }
    return bits;
}

std::uint64_t BytesOfBits(std::uint64_t bits)
{
    return bits / 8 + 1;
}

// The trees of a dynamic block and what its header sends.
struct DynamicTrees {
    HuffmanCode literals{kLiteralSymbols};
    HuffmanCode distances{kDistanceSymbols};
    HuffmanCode lengths{kCodeLengthSymbols};
    int lastLiteral = 0;
    int lastDistance = 0;
    int lengthsSent = 0;  // code-length code lengths, in kCodeLengthOrder
    std::uint64_t estimatedBytes = std::numeric_limits<std::uint64_t>::max();
};

// Builds the trees; estimatedBytes stays at its maximum when no match occurs.
DynamicTrees BuildDynamicTrees(const SymbolCounts& counts)
{
    DynamicTrees trees;
    if (!trees.literals.Build(counts.literals.data(), kMaxCodeBits)
        || !trees.distances.Build(counts.distances.data(), kMaxCodeBits))
        return trees;
    trees.lastLiteral = LastUsedSymbol(trees.literals);
    trees.lastDistance = LastUsedSymbol(trees.distances);

    std::uint32_t lengthFrequencies[kCodeLengthSymbols] = {};
    ScanTree(trees.literals, trees.lastLiteral, lengthFrequencies);
    ScanTree(trees.distances, trees.lastDistance, lengthFrequencies);
    trees.lengths.Build(lengthFrequencies, kMaxCodeLengthBits);
    trees.lengthsSent = kCodeLengthSymbols;
    while (trees.lengthsSent > 0 && trees.lengths.Length(kCodeLengthOrder[trees.lengthsSent - 1]) == 0)
        --trees.lengthsSent;

    std::uint64_t bits = SymbolBits(counts, trees.literals, trees.distances);
    for (int s = 0; s < kCodeLengthSymbols; ++s)
        bits += std::uint64_t(lengthFrequencies[s]) * (trees.lengths.Length(s) + CodeLengthExtraBits(s));
    bits += 3 * (trees.lengthsSent - 1) + 3;
    trees.estimatedBytes = BytesOfBits(bits);
    return trees;
}

BlockType Choose(std::uint64_t stored, std::uint64_t fixed, std::uint64_t dynamic)
{
    if (fixed < stored && dynamic >= fixed)
        return BlockType::Fixed;
    if (stored <= fixed && dynamic >= stored)
        return BlockType::Stored;
    return BlockType::Dynamic;
}

void PutHeader(BitWriter& writer, bool final, BlockType type)
{
    writer.PutBits(final ? 1 : 0, 1);
    writer.PutBits(static_cast<std::uint32_t>(type), 2);
}

// Stored blocks hold at most 65535 bytes each; only the last of the final ones is final.
void WriteStored(const std::uint8_t* data, std::uint32_t size, bool final, BitWriter& writer)
{
    std::uint32_t pos = 0;
    do {
        std::uint32_t length = std::min(size - pos, kMaxStoredLength);
        PutHeader(writer, final && pos + length == size, BlockType::Stored);
        writer.AlignToByte();
        writer.PutBits(length, 16);
        writer.PutBits(~length & 0xFFFF, 16);
        for (std::uint32_t i = 0; i < length; ++i)
            writer.PutByte(data[pos + i]);
        pos += length;
    } while (pos < size);
}

// The tokens of a block, which stand for size bytes of data.
struct Block {
    const Token* begin;
    const Token* end;
    const SymbolCounts& counts;  // the end-of-block symbol counted once
    const std::uint8_t* data;
    std::uint32_t size;
};

void WriteTokens(const Block& block, const HuffmanCode& literals, const HuffmanCode& distances,
                 BitWriter& writer)
{
    for (const Token* t = block.begin; t != block.end; ++t) {
        const Token token = *t;
        if (!token.IsMatch()) {
            literals.Put(writer, token.Byte());
            continue;
        }
        int lengthCode = LengthCode(static_cast<int>(token.Length()));
        literals.Put(writer, kEndOfBlock + 1 + lengthCode, token.Length() - kLengthBase[lengthCode],
                     kLengthExtra[lengthCode]);
        int distanceCode = DistanceCode(token.Distance());
        distances.Put(writer, distanceCode, token.Distance() - kDistanceBase[distanceCode],
                      kDistanceExtra[distanceCode]);
    }
    literals.Put(writer, kEndOfBlock);
}

void WriteDynamic(const Block& block, const DynamicTrees& trees, bool final, BitWriter& writer)
{
    PutHeader(writer, final, BlockType::Dynamic);
    writer.PutBits(trees.lastLiteral + 1 - 257, 5);
    writer.PutBits(trees.lastDistance, 5);
    writer.PutBits(trees.lengthsSent - 4, 4);
    for (int i = 0; i < trees.lengthsSent; ++i)
        writer.PutBits(trees.lengths.Length(kCodeLengthOrder[i]), 3);
    SendTree(trees.literals, trees.lastLiteral, trees.lengths, writer);
    SendTree(trees.distances, trees.lastDistance, trees.lengths, writer);
    WriteTokens(block, trees.literals, trees.distances, writer);
}

struct Estimates {
    BlockType type;
    DynamicTrees trees;
};

// Stored costs the input and five bytes; fixed and dynamic their coded bits.
Estimates Estimate(const SymbolCounts& counts, std::uint32_t size)
{
    std::uint64_t stored = std::uint64_t(size) + 5;
    std::uint64_t fixed = BytesOfBits(FixedBits(counts));
    DynamicTrees trees = BuildDynamicTrees(counts);
    return {Choose(stored, fixed, trees.estimatedBytes), std::move(trees)};
}

void Write(const Block& block, bool final, BitWriter& writer)
{
    Estimates estimates = Estimate(block.counts, block.size);
    switch (estimates.type) {
    case BlockType::Stored:
        WriteStored(block.data, block.size, final, writer);
        break;
    case BlockType::Fixed:
        PutHeader(writer, final, BlockType::Fixed);
        WriteTokens(block, FixedLiteralCode(), FixedDistanceCode(), writer);
        break;
    case BlockType::Dynamic:
        WriteDynamic(block, estimates.trees, final, writer);
        break;
    }
}

}  // namespace

std::uint64_t FixedBits(const SymbolCounts& counts)
{
    return SymbolBits(counts, FixedLiteralCode(), FixedDistanceCode()) + 3;
}

void WriteBlocks(const TokenList& list, const std::uint8_t* data, std::uint32_t size, bool split,
                 BitWriter& writer)
{
    const Token* tokens = list.tokens.data();
    if (!split || list.tokens.size() <= kRunTokens) {
        Write({tokens, tokens + list.tokens.size(), list.counts, data, size}, true, writer);
        return;
    }
    const std::vector<Stretch> stretches = SplitIntoBlocks(list.tokens);
    for (const Stretch& s : stretches) {
        Write({tokens + s.first, tokens + s.end, s.counts, data, s.size}, &s == &stretches.back(), writer);
        data += s.size;
    }
}

}  // namespace pdf::deflate
