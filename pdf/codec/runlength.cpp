// RunLengthDecode encoder: literal runs of up to 128 bytes, repeat runs of 2 to 128
// equal bytes, then the end-of-data byte 128.
#include "pdf/codec/filters.h"

namespace pdf {

namespace {

constexpr std::size_t kMaxRun = 128;
constexpr std::uint8_t kEndOfData = 128;

// Bytes from start that repeat start's value, at most kMaxRun.
std::size_t RepeatLength(const Bytes& data, std::size_t start)
{
    std::size_t end = start + 1;
    while (end < data.size() && end - start < kMaxRun && data[end] == data[start])
        ++end;
    return end - start;
}

// Bytes from start that each differ from their successor (the last byte of the data
// has none), at most kMaxRun.
std::size_t LiteralLength(const Bytes& data, std::size_t start)
{
    std::size_t end = start;
    while (end < data.size() && end - start < kMaxRun
           && (end + 1 == data.size() || data[end] != data[end + 1]))
        ++end;
    return end - start;
}

}  // namespace

void EncodeRunLength(Bytes& data)
{
    Bytes out;
    out.reserve(data.size() + data.size() / 3 + 2);
    std::size_t pos = 0;
    while (pos < data.size()) {
        if (pos + 1 < data.size() && data[pos] == data[pos + 1]) {
            std::size_t count = RepeatLength(data, pos);
            out.push_back(static_cast<std::uint8_t>(257 - count));
            out.push_back(data[pos]);
            pos += count;
        } else {
            std::size_t count = LiteralLength(data, pos);
            out.push_back(static_cast<std::uint8_t>(count - 1));
            out.insert(out.end(), data.begin() + pos, data.begin() + pos + count);
            pos += count;
        }
    }
    out.push_back(kEndOfData);
    data.swap(out);
}

}  // namespace pdf
