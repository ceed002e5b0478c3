#include "pdf/codec/deflate_bitwriter.h"

namespace pdf::deflate {

void BitWriter::AlignToByte()
{
    if (mCount > 0)
        PutBits(0, 8 - mCount);
}

}  // namespace pdf::deflate
