#include "pdf/reader/stream_data.h"

#include <span>

#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"

namespace pdf {

Bytes InflateStored(const Bytes& stored, std::size_t cap)
{
    if (stored.size() < 2)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return Inflate(std::span<const std::uint8_t>(stored).subspan(2), cap);
}

Bytes DecodeStored(const Bytes& stored, std::string_view filter, std::size_t cap)
{
    if (filter != "/FlateDecode") {
        if (stored.size() > cap)
            throw Error(err::kOutOfMemory, "Out of memory");
        return stored;
    }
    return InflateStored(stored, cap);
}

}  // namespace pdf
