#include "pdf/codec/rc4.h"

#include <utility>

namespace pdf {

void Rc4::Schedule(std::string_view key)
{
    const std::string_view bytes = key.empty() ? std::string_view("\0", 1) : key;
    for (std::uint32_t i = 0; i < 256; ++i)
        mState[i] = i;
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
    std::array<std::uint32_t, 256> s = mState;
    std::uint32_t i = 0;
    std::uint32_t j = 0;
    for (std::size_t k = 0; k < size; ++k) {
        i = (i + 1) & 255;
        const std::uint32_t si = s[i];
        j = (j + si) & 255;
        const std::uint32_t sj = s[j];
        s[i] = sj;
        s[j] = si;
        data[k] ^= static_cast<std::uint8_t>(s[(si + sj) & 255]);
    }
}

}  // namespace pdf
