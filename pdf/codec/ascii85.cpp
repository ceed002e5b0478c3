// ASCII85Decode encoder: five characters per group of four bytes, "z" for a whole
// group of zeros, a shortened last group, then "~>".
#include "pdf/codec/filters.h"

namespace pdf {

namespace {

void PutGroup(Bytes& out, std::uint32_t value, std::size_t characters)
{
    std::uint8_t digits[5];
    for (int i = 4; i >= 0; --i) {
        digits[i] = static_cast<std::uint8_t>('!' + value % 85);
        value /= 85;
    }
    out.insert(out.end(), digits, digits + characters);
}

}  // namespace

void EncodeASCII85(Bytes& data)
{
    Bytes out;
    out.reserve(data.size() / 4 * 5 + 7);
    std::size_t pos = 0;
    for (; pos + 4 <= data.size(); pos += 4) {
        std::uint32_t value = std::uint32_t(data[pos]) << 24 | std::uint32_t(data[pos + 1]) << 16
                              | std::uint32_t(data[pos + 2]) << 8 | data[pos + 3];
        if (value == 0)
            out.push_back('z');
        else
            PutGroup(out, value, 5);
    }
    std::size_t rest = data.size() - pos;
    if (rest > 0) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | (i < rest ? data[pos + i] : 0);
        PutGroup(out, value, rest + 1);
    }
    out.push_back('~');
    out.push_back('>');
    data.swap(out);
}

}  // namespace pdf
