#include "pdf/codec/checksums.h"

#include <algorithm>
#include <array>

namespace pdf {

std::uint32_t Adler32(std::span<const std::uint8_t> data)
{
    constexpr std::uint32_t kModulus = 65521;
    // The largest run of bytes whose sums cannot overflow before the modulus is taken.
    constexpr std::size_t kChunk = 5552;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t start = 0; start < data.size(); start += kChunk) {
        const std::size_t end = std::min(data.size(), start + kChunk);
        std::size_t i = start;
        // Eight bytes at a time: each byte adds to b once for every running sum it is in.
        for (; i + 8 <= end; i += 8) {
            const std::uint8_t* d = data.data() + i;
            b += 8 * a + 8u * d[0] + 7u * d[1] + 6u * d[2] + 5u * d[3] + 4u * d[4] + 3u * d[5]
                 + 2u * d[6] + d[7];
            a += 0u + d[0] + d[1] + d[2] + d[3] + d[4] + d[5] + d[6] + d[7];
        }
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return b << 16 | a;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data)
{
    static constexpr auto kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : data)
        crc = kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace pdf
