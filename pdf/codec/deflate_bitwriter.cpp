#include "pdf/codec/deflate_bitwriter.h"

namespace pdf::deflate {

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

Bytes BitWriter::Take()
{
    mOut.resize(mSize);
    mSize = 0;
    return std::move(mOut);
}

}  // namespace pdf::deflate
