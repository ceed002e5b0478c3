// Bits of a Deflate stream, least significant first within each byte.
#pragma once

#include "pdf/codec/filters.h"

#include <cstring>

namespace pdf::deflate {

class BitWriter {
public:
    // Starts with room for about expectedSize bytes.
    explicit BitWriter(std::size_t expectedSize) : mOut(expectedSize + kSlack) {}

    // Adds the count low bits of value (count at most 32) above the bits held; whole
    // words of them go out at once.
    void PutBits(std::uint32_t value, int count)
    {
        mBuffer |= static_cast<std::uint64_t>(value) << mCount;
        mCount += count;
        if (mCount >= 32) {
            MakeRoom();
            const auto word = static_cast<std::uint32_t>(mBuffer);
            std::memcpy(mOut.data() + mSize, &word, 4);
            mSize += 4;
            mBuffer >>= 32;
            mCount -= 32;
        }
    }

    // Pads the bits held with zeros to a whole byte and writes them.
    void AlignToByte();

    // Writes a byte after the whole bytes held.
    void PutByte(std::uint8_t value)
    {
        PutHeldBytes();
        MakeRoom();
        mOut[mSize++] = value;
    }

    // The bytes written; the writer is left empty.
    Bytes Take();

private:
    // Room for a word more than the bits held can fill.
    static constexpr std::size_t kSlack = 16;

    void MakeRoom()
    {
        if (mOut.size() - mSize < kSlack)
            mOut.resize(2 * mOut.size());
    }
    void PutHeldBytes();

    Bytes mOut;  // written up to mSize, room after it
    std::size_t mSize = 0;
    std::uint64_t mBuffer = 0;
    int mCount = 0;
};

}  // namespace pdf::deflate
