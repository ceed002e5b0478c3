// The MD5 message digest, for the keys of the standard security handler.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pdf {

class Md5 {
public:
    Md5();
    void Update(const std::uint8_t* data, std::size_t size);
    void Update(std::string_view bytes)
    {
        Update(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    // The digest of everything given; the object is spent afterwards.
    std::array<std::uint8_t, 16> Final();

private:
    std::array<std::uint32_t, 4> mState;
    std::array<std::uint8_t, 64> mBlock{};
    std::uint64_t mLength = 0;
};

// The 16-byte digest of a string of bytes, one character per byte.  Inputs of 268,435,455
// bytes or more fail with Error 6 (overflow); the handler's inputs are a few dozen bytes.
std::string MD5Digest(std::string_view bytes);

}  // namespace pdf
