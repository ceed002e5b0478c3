#include "pdf/images/byte_reader.h"

#include <fstream>
#include <iterator>

namespace pdf {

namespace {

// 256 MiB: far above any picture a page shows, well below what a crafted header claims.
constexpr std::int64_t kLargestPicture = std::int64_t{1} << 28;

std::int32_t Checked(std::int64_t value)
{
    if (value > 2147483647)
        throw Error(err::kOverflow, "Overflow");
    return static_cast<std::int32_t>(value);
}

}  // namespace

void RequireBytes(const Bytes& data, std::int64_t position, std::int64_t count)
{
    if (position < 0 || count < 0 || position + count > static_cast<std::int64_t>(data.size()))
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
}

std::uint8_t ByteAt(const Bytes& data, std::int64_t position)
{
    RequireBytes(data, position, 1);
    return data[static_cast<std::size_t>(position)];
}

std::int32_t ReadIntBE(const Bytes& data, std::int64_t position, int size, bool isUnsigned)
{
    if (size != 2 && size != 4)
        return 0;
    RequireBytes(data, position, size);
    std::int64_t value = 0;
    for (int i = 0; i < size; ++i)
        value = value * 256 + data[static_cast<std::size_t>(position + i)];
    if (!isUnsigned) {
        const std::int64_t half = size == 2 ? 32768 : 2147483648LL;
        if (value >= half)
            value -= 2 * half;
    }
    return Checked(value);
}

std::int32_t ReadIntLE(const Bytes& data, std::int64_t position, int size)
{
    if (size != 2 && size != 4)
        return 0;
    RequireBytes(data, position, size);
    std::int64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value * 256 + data[static_cast<std::size_t>(position + i)];
    return Checked(value);
}

Error FormatError(const std::string& reason)
{
    return Error(err::kInvalidFileFormat, reason);
}

void RequirePlausibleSize(std::int64_t bytes, std::size_t dataSize, std::int64_t expansion)
{
    std::int64_t describable = 0;
    if (__builtin_mul_overflow(expansion, static_cast<std::int64_t>(dataSize), &describable))
        describable = INT64_MAX;
    if (bytes > kLargestPicture || bytes > describable)
        throw FormatError("the picture is larger than its data can describe");
}

std::int64_t PictureBytes(std::int64_t width, std::int64_t height, int bits, int rowAlign)
{
    const std::int64_t alignBits = std::int64_t{8} * rowAlign;
    std::int64_t rowBits = 0;
    std::int64_t bytes = 0;
    if (width < 0 || height < 0 || bits < 0 || rowAlign < 1 ||
        __builtin_mul_overflow(width, std::int64_t{bits}, &rowBits) ||
        rowBits > INT64_MAX - alignBits ||
        __builtin_mul_overflow((rowBits + alignBits - 1) / alignBits * rowAlign, height, &bytes))
        throw FormatError("the picture is too large");
    return bytes;
}

}  // namespace pdf
