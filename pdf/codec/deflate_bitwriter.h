// Bits of a Deflate stream, least significant first within each byte.
#pragma once

#include "pdf/codec/filters.h"

namespace pdf::deflate {

class BitWriter {
public:
    explicit BitWriter(Bytes& out) : mOut(out) {}

    // Adds the count low bits of value (count at most 24) above the bits held.
    void PutBits(std::uint32_t value, int count)
    {
        mBuffer |= static_cast<std::uint64_t>(value) << mCount;
        mCount += count;
        while (mCount >= 8) {
            mOut.push_back(static_cast<std::uint8_t>(mBuffer));
            mBuffer >>= 8;
            mCount -= 8;
        }
    }

    // Pads the bits held with zeros to a whole byte and writes it.
    void AlignToByte();

    void PutByte(std::uint8_t value) { mOut.push_back(value); }

private:
    Bytes& mOut;
    std::uint64_t mBuffer = 0;
    int mCount = 0;
};

}  // namespace pdf::deflate
