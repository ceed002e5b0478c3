// Length-limited canonical Huffman codes for the Deflate alphabets.
#pragma once

#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_tables.h"

#include <cstdint>

namespace pdf::deflate {

class HuffmanCode {
public:
    // The largest alphabet, the literal/length one.
    static constexpr int kMaxSymbols = kLiteralSymbols;

    // symbolCount is at most kMaxSymbols.
    explicit HuffmanCode(int symbolCount) : mSymbolCount(symbolCount) {}

    // Gives every symbol a code length of at most maxBits from its frequency, then its
    // canonical code.  Returns false, leaving the code as it was, when no symbol occurs.
    bool Build(const std::uint32_t* frequencies, int maxBits);

    // Sets the given lengths and assigns their canonical codes.
    void SetLengths(const std::uint8_t* lengths);

    int SymbolCount() const { return mSymbolCount; }
    int Length(int symbol) const { return mLengths[symbol]; }

    void Put(BitWriter& writer, int symbol) const
    {
        writer.PutBits(mStreamBits[symbol], mLengths[symbol]);
    }

    // The symbol's code followed by the extraCount low bits of extra.
    void Put(BitWriter& writer, int symbol, std::uint32_t extra, int extraCount) const
    {
        writer.PutBits(mStreamBits[symbol] | extra << mLengths[symbol], mLengths[symbol] + extraCount);
    }

private:
    void AssignCanonicalCodes();

    int mSymbolCount;
    std::uint8_t mLengths[kMaxSymbols] = {};
    // The codes, most significant bit first, reversed for the bit writer.
    std::uint32_t mStreamBits[kMaxSymbols] = {};
};

}  // namespace pdf::deflate
