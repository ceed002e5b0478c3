// Bits of a Deflate stream, least significant first within each byte.
#pragma once

#include "pdf/codec/filters.h"

namespace pdf::deflate {

class BitWriter {
public:
    explicit BitWriter(Bytes& out) : mOut(out) {}

    // Adds the count low bits of value (count at most 32) above the bits held; whole
    // words of them go out at once.
    void PutBits(std::uint32_t value, int count)
    {
        mBuffer |= static_cast<std::uint64_t>(value) << mCount;
        mCount += count;
        if (mCount >= 32)
            PutWord();
    }

    // Pads the bits held with zeros to a whole byte and writes them.
    void AlignToByte();

    // Writes a byte after the whole bytes held.
    void PutByte(std::uint8_t value)
    {
        PutHeldBytes();
        mOut.push_back(value);
    }

private:
    void PutWord();
    void PutHeldBytes();

    Bytes& mOut;
    std::uint64_t mBuffer = 0;
    int mCount = 0;
};

}  // namespace pdf::deflate
