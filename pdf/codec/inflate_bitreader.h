// Bits of a Deflate stream, least significant first within each byte, held 56 or more at
// a time so that a length and its distance need one refill.
#pragma once

#include "pdf/codec/inflate_error.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pdf::inflate {

class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : mPos(data), mEnd(data + size) {}

    // Input bytes not yet taken into the buffer.
    std::size_t Available() const { return static_cast<std::size_t>(mEnd - mPos); }

    // Input bytes the stream has not used, not even in part: those not taken, and the
    // whole bytes of real bits still buffered.
    std::size_t Unread() const { return Available() + static_cast<std::size_t>(mCount - mPadBits) / 8; }

    // Tops the buffer up to at least 56 bits.  Past the end of the input it adds zero
    // bits; a stream that has used one of them is truncated, which the next refill finds.
    void Refill()
    {
        if (Available() >= 8) {
            RefillFast();
            return;
        }
        while (mCount < 56) {
            std::uint64_t byte = 0;
            if (mPos < mEnd)
                byte = *mPos++;
            else
                mPadBits += 8;
            mBuffer |= byte << mCount;
            mCount += 8;
        }
        CheckNotOverrun();
    }

    // Refill with 8 bytes of input known to be there.  The bits above the count it leaves
    // are those of the next input byte, which the next refill puts there again.
    void RefillFast()
    {
        std::uint64_t word;
        std::memcpy(&word, mPos, 8);
        mBuffer |= word << mCount;
        mPos += (63 - mCount) >> 3;
        mCount |= 56;
    }

    int Count() const { return mCount; }
    std::uint64_t Peek() const { return mBuffer; }

    void Consume(int count)
    {
        mBuffer >>= count;
        mCount -= count;
    }

    // The next count bits (at most 32, and no more than a refill guarantees).
    std::uint32_t Take(int count)
    {
        const auto value = static_cast<std::uint32_t>(mBuffer & ((std::uint64_t{1} << count) - 1));
        Consume(count);
        return value;
    }

    std::uint32_t Bits(int count)
    {
        Refill();
        return Take(count);
    }

    // Fails when the stream has used bits past the end of the input.  Padding bits sit
    // above the real ones: fewer bits held than padding means some were used as data.
    void CheckNotOverrun() const
    {
        if (mCount < mPadBits)
            ThrowCorrupt();
    }

    // Drops the bits up to the next byte boundary and hands the bytes still buffered back
    // to the input, so that whole bytes can be taken from it directly.
    void AlignToInput()
    {
        Consume(mCount & 7);
        CheckNotOverrun();
        mPos -= (mCount - mPadBits) / 8;
        mBuffer = 0;
        mCount = 0;
        mPadBits = 0;
    }

    // The next count whole bytes of the input; the reader must be aligned.
    const std::uint8_t* TakeBytes(std::size_t count)
    {
        if (Available() < count)
            ThrowCorrupt();
        const std::uint8_t* start = mPos;
        mPos += count;
        return start;
    }

private:
    const std::uint8_t* mPos;
    const std::uint8_t* mEnd;
    std::uint64_t mBuffer = 0;
    int mCount = 0;
    int mPadBits = 0;
};

}  // namespace pdf::inflate
