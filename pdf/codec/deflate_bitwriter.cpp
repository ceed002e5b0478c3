#include "pdf/codec/deflate_bitwriter.h"

namespace pdf::deflate {

void BitWriter::Grow()
{
    std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[2 * mCapacity]);
    std::memcpy(larger.get(), mOut.get(), mSize);
    mOut = std::move(larger);
    mCapacity *= 2;
}

void BitWriter::PutHeldBytes()
{
    while (mCount >= 8) {
        MakeRoom();
        mOut[mSize++] = static_cast<std::uint8_t>(mBuffer);
        mBuffer >>= 8;
        mCount -= 8;
    }
}

void BitWriter::AlignToByte()
{
    if (mCount % 8 != 0)
        PutBits(0, 8 - mCount % 8);
    PutHeldBytes();
}

}  // namespace pdf::deflate
