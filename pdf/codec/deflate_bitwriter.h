// Bits of a Deflate stream, least significant first within each byte.
#pragma once

#include "pdf/codec/filters.h"

#include <cstring>
#include <memory>

namespace pdf::deflate {

class BitWriter {
public:
    // Starts with room for capacity bytes; it grows if more are written.
    explicit BitWriter(std::size_t capacity)
        : mCapacity(capacity + kSlack), mOut(new std::uint8_t[mCapacity])
    {
    }

    // Adds the count low bits of value (count at most 32) above the bits held; whole
    // words of them go out at once.
    void PutBits(std::uint32_t value, int count)
    {
        mBuffer |= static_cast<std::uint64_t>(value) << mCount;
        mCount += count;
        if (mCount >= 32) {
            MakeRoom();
            const auto word = static_cast<std::uint32_t>(mBuffer);
            std::memcpy(mOut.get() + mSize, &word, 4);
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

    // The whole bytes written.
    Bytes Written() const { return Bytes(mOut.get(), mOut.get() + mSize); }

private:
    // Room for a word more than the bits held can fill.
    static constexpr std::size_t kSlack = 16;

    void MakeRoom()
    {
        if (mCapacity - mSize < kSlack)
            Grow();
    }
    void Grow();
    void PutHeldBytes();

    // Left uninitialised after mSize, so that room never written costs nothing.
    std::size_t mCapacity;
    std::unique_ptr<std::uint8_t[]> mOut;
    std::size_t mSize = 0;
    std::uint64_t mBuffer = 0;
    int mCount = 0;
};

}  // namespace pdf::deflate
