#include "pdf/codec/rc4.h"

#include <bit>
#include <cstring>
#include <utility>

namespace pdf {

namespace {

// One step of the keystream: swaps two entries of the state and returns the byte they
// select.  i and j stay plain integers below 256, so no step re-reads them from memory.
inline std::uint32_t NextByte(std::uint8_t* s, std::uint32_t& i, std::uint32_t& j)
{
    i = (i + 1) & 255;
    const std::uint32_t si = s[i];
    j = (j + si) & 255;
    const std::uint32_t sj = s[j];
    s[i] = static_cast<std::uint8_t>(sj);
    s[j] = static_cast<std::uint8_t>(si);
    return s[(si + sj) & 255];
}

}  // namespace

void Rc4::Schedule(std::string_view key)
{
    const std::string_view bytes = key.empty() ? std::string_view("\0", 1) : key;
    for (std::uint32_t i = 0; i < 256; ++i)
        mState[i] = static_cast<std::uint8_t>(i);
    std::uint32_t j = 0;
    for (std::uint32_t i = 0; i < 256; ++i) {
        j = (j + mState[i] + static_cast<std::uint8_t>(bytes[i % bytes.size()])) & 255;
        std::swap(mState[i], mState[j]);
    }
    mKey = key;
    mScheduled = true;
}

void Rc4::Crypt(std::string_view key, std::uint8_t* data, std::size_t size)
{
    if (!mScheduled || key != mKey)
        Schedule(key);
    std::uint8_t s[256];
    std::memcpy(s, mState.data(), sizeof s);
    std::uint32_t i = 0;
    std::uint32_t j = 0;
    // Eight keystream bytes gathered into one word and XORed with eight data bytes at once.
    static_assert(std::endian::native == std::endian::little, "keystream bytes fill a word from its low end");
    std::size_t k = 0;
    for (; k + 8 <= size; k += 8) {
        std::uint64_t keystream = 0;
        for (int b = 0; b < 8; ++b)
            keystream |= std::uint64_t(NextByte(s, i, j)) << (8 * b);
        std::uint64_t word;
        std::memcpy(&word, data + k, 8);
        word ^= keystream;
        std::memcpy(data + k, &word, 8);
    }
    for (; k < size; ++k)
        data[k] ^= static_cast<std::uint8_t>(NextByte(s, i, j));
}

}  // namespace pdf
