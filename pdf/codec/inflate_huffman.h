// Decoding tables of canonical Huffman codes: one lookup of the next bits of the stream
// gives the symbol's meaning and, for a length or distance, how many extra bits follow it;
// a second lookup for codes longer than the first table's bits.
#pragma once

#include "pdf/codec/inflate_bitreader.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pdf::inflate {

// A table entry packs a symbol's meaning with the bits it takes from the stream:
// bits 0-5 the bits consumed (the code plus the extra bits of a length or distance; for a
// subtable link, the first table's bits), 8-11 the code's own length (for a subtable link,
// the subtable's bits), 12-15 the flags below, 16-31 the value (a literal byte, a base
// length or distance, a code length, a subtable's start).  A base with its extra bits has
// no flag.  An entry of two literals whose codes fit the first table's bits together has
// kTwoLiterals besides kLiteral, the first literal in bits 16-23 and the second in 24-31.
inline constexpr std::uint32_t kTwoLiterals = 1u << 7;
inline constexpr std::uint32_t kLiteral = 1u << 12;
inline constexpr std::uint32_t kSubtable = 1u << 13;
inline constexpr std::uint32_t kEndOfBlock = 1u << 14;
inline constexpr std::uint32_t kInvalid = 1u << 15;

constexpr std::uint32_t MakeEntry(std::uint32_t flags, std::uint32_t value, std::uint32_t extra = 0)
{
    return value << 16 | flags | extra;
}

inline std::uint32_t ValueOf(std::uint32_t entry)
{
    return entry >> 16;
}

// The value of a base entry plus its extra bits, read from the bits the reader held
// before the entry was consumed.
inline std::uint32_t ValueWithExtra(std::uint32_t entry, std::uint64_t bitsBefore)
{
    const std::uint64_t codeAndExtra = bitsBefore & ~(~std::uint64_t{0} << (entry & 63));
    return (entry >> 16) + static_cast<std::uint32_t>(codeAndExtra >> ((entry >> 8) & 15));
}

// Where a built table is looked up: small enough to live in registers in a decoding loop.
struct CodeLookup {
    const std::uint32_t* entries;
    std::uint32_t primaryMask;

    // The entry of the next symbol, its code and extra bits consumed; `bitsBefore` gets
    // the reader's bits as they were before the extra bits.  The reader holds at least
    // the code's and the extra bits.
    std::uint32_t Decode(BitReader& in, std::uint64_t& bitsBefore) const
    {
        return Consume(in, First(in), bitsBefore);
    }

    // The first table's entry for the reader's next bits, nothing consumed: it may be a
    // subtable link, which Consume follows.
    std::uint32_t First(const BitReader& in) const { return entries[in.Peek() & primaryMask]; }

    std::uint32_t Consume(BitReader& in, std::uint32_t first, std::uint64_t& bitsBefore) const
    {
        std::uint32_t entry = first;
        if (entry & kSubtable) [[unlikely]] {
            in.Consume(static_cast<int>(entry & 63));
            entry = entries[ValueOf(entry) + (in.Peek() & ((1u << ((entry >> 8) & 15)) - 1))];
        }
        bitsBefore = in.Peek();
        in.Consume(static_cast<int>(entry & 63));
        return entry;
    }
};

enum class CodeShape { Complete, Incomplete, OverSubscribed };

class HuffmanTable {
public:
    // Room for the first table and as much again of subtables, more than most codes need.
    explicit HuffmanTable(int primaryBits) : mPrimaryBits(primaryBits)
    {
        mEntries.reserve(2u << primaryBits);
    }

    // Builds the table of the code lengths (0 for an unused symbol, at most 15) of
    // `count` symbols (at most 288), whose meanings are `entries` (MakeEntry with the
    // extra bits, without the code).  Codes left unassigned by an incomplete code decode
    // as invalid.  An over-subscribed code leaves the table as it was.
    CodeShape Build(const std::uint8_t* lengths, int count, const std::uint32_t* entries);

    int LongestLength() const { return mLongest; }

    // Makes each first-table entry of a literal whose code leaves room for the code of
    // a second literal in the first table's bits an entry of both literals.
    void PairLiterals();

    CodeLookup Lookup() const { return {mEntries.data(), mPrimaryMask}; }

private:
    int mPrimaryBits;
    std::uint32_t mPrimaryMask = 0;
    int mLongest = 0;
    std::vector<std::uint32_t> mEntries;
    // The literals of the first table whose codes leave bits to spare, in code order.
    struct ShortLiteral {
        std::uint32_t reversedCode;
        std::uint32_t entry;
    };
    std::array<ShortLiteral, 256> mShortLiterals;
    int mShortLiteralCount = 0;
};

}  // namespace pdf::inflate
