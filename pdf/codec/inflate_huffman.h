// Decoding tables of canonical Huffman codes: one lookup of the next bits of the stream
// gives the symbol's meaning, a second one for codes longer than the first table's bits.
#pragma once

#include "pdf/codec/inflate_bitreader.h"

#include <cstdint>
#include <vector>

namespace pdf::inflate {

// What a decoded symbol means, as one table entry packs it:
// bits 0-4 the code length, 8-11 the extra bits that follow, 12-14 the kind, 16-31 the
// value (a literal byte, a base length or distance, a code length, a subtable's start).
enum class SymbolKind : std::uint32_t { Literal, Base, EndOfBlock, Subtable, Invalid };

constexpr std::uint32_t MakeEntry(SymbolKind kind, std::uint32_t value, std::uint32_t extra = 0)
{
    return value << 16 | static_cast<std::uint32_t>(kind) << 12 | extra << 8;
}

inline SymbolKind KindOf(std::uint32_t entry)
{
    return static_cast<SymbolKind>((entry >> 12) & 7);
}
inline std::uint32_t ValueOf(std::uint32_t entry)
{
    return entry >> 16;
}
inline int ExtraBitsOf(std::uint32_t entry)
{
    return static_cast<int>((entry >> 8) & 15);
}

enum class CodeShape { Complete, Incomplete, OverSubscribed };

class HuffmanTable {
public:
    explicit HuffmanTable(int primaryBits) : mPrimaryBits(primaryBits) {}

    // Builds the table of the code lengths (0 for an unused symbol, at most 15) of
    // `count` symbols, whose meanings are `entries` (MakeEntry without a length).  Codes
    // left unassigned by an incomplete code decode as invalid.  An over-subscribed code
    // leaves the table as it was.
    CodeShape Build(const std::uint8_t* lengths, int count, const std::uint32_t* entries);

    int LongestLength() const { return mLongest; }

    // The entry of the next symbol, its code consumed; the reader holds at least 15 bits.
    std::uint32_t Decode(BitReader& in) const
    {
        std::uint32_t entry = mEntries[in.Peek() & mPrimaryMask];
        if (KindOf(entry) == SymbolKind::Subtable) {
            in.Consume(mUsedPrimaryBits);
            entry = mEntries[ValueOf(entry) + (in.Peek() & ((1u << ExtraBitsOf(entry)) - 1))];
        }
        in.Consume(static_cast<int>(entry & 31));
        return entry;
    }

private:
    int mPrimaryBits;
    int mUsedPrimaryBits = 0;
    std::uint32_t mPrimaryMask = 0;
    int mLongest = 0;
    std::vector<std::uint32_t> mEntries;
};

}  // namespace pdf::inflate
