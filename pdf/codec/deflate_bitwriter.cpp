#include "pdf/codec/deflate_bitwriter.h"

#include <cstring>

namespace pdf::deflate {

void BitWriter::PutWord()
{
    const std::size_t size = mOut.size();
    mOut.resize(size + 4);
    const auto word = static_cast<std::uint32_t>(mBuffer);
    std::memcpy(mOut.data() + size, &word, 4);
    mBuffer >>= 32;
    mCount -= 32;
}

void BitWriter::PutHeldBytes()
{
    while (mCount >= 8) {
        mOut.push_back(static_cast<std::uint8_t>(mBuffer));
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
