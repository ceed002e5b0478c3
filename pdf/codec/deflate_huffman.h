// Length-limited canonical Huffman codes for the Deflate alphabets.
#pragma once

#include "pdf/codec/deflate_bitwriter.h"

#include <cstdint>
#include <vector>

namespace pdf::deflate {

class HuffmanCode {
public:
    explicit HuffmanCode(int symbolCount)
        : mLengths(symbolCount, 0), mCodes(symbolCount, 0), mStreamBits(symbolCount, 0)
    {
    }

    // Gives every symbol a code length of at most maxBits from its frequency, then its
    // canonical code.  Returns false, leaving the code as it was, when no symbol occurs.
    bool Build(const std::uint32_t* frequencies, int maxBits);

    // Sets the given lengths and assigns their canonical codes.
    void SetLengths(const std::uint8_t* lengths);

    int SymbolCount() const { return static_cast<int>(mLengths.size()); }
    int Length(int symbol) const { return mLengths[symbol]; }
    std::uint32_t Code(int symbol) const { return mCodes[symbol]; }

    void Put(BitWriter& writer, int symbol) const
    {
        writer.PutBits(mStreamBits[symbol], mLengths[symbol]);
    }

private:
    void AssignCanonicalCodes();

    std::vector<std::uint8_t> mLengths;
    std::vector<std::uint32_t> mCodes;       // most significant bit first
    std::vector<std::uint32_t> mStreamBits;  // the same, reversed for the bit writer
};

}  // namespace pdf::deflate
