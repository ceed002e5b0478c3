#include "pdf/reader/stream_data.h"

#include <span>

#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"

namespace pdf {

Bytes InflateStored(const Bytes& stored)
{
    if (stored.size() < 2)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return Inflate(std::span<const std::uint8_t>(stored).subspan(2), kMaxDecodedBytes);
}

Bytes DecodeStored(const Bytes& stored, std::string_view filter)
{
    return filter == "/FlateDecode" ? InflateStored(stored) : stored;
}

}  // namespace pdf
