// The RC4 stream cipher, which enciphers and deciphers alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pdf {

// Keeps the key schedule of the last key used: the strings and the stream of one object
// share a key, and the schedule costs more than a short string's keystream.  Every call
// starts the keystream afresh.
class Rc4 {
public:
    // XORs size bytes of data, in place, with the keystream of key (one byte per
    // character, 1 to 256 of them; an empty key acts as the single byte 0).
    void Crypt(std::string_view key, std::uint8_t* data, std::size_t size);

    std::string Crypt(std::string_view key, std::string text)
    {
        Crypt(key, reinterpret_cast<std::uint8_t*>(text.data()), text.size());
        return text;
    }

private:
    // The key of the schedule held, empty when none is.
    std::string_view Scheduled() const;
    // key holds 1 to 256 bytes.
    void Schedule(std::string_view key);

    // Held without a heap allocation: a new key for every object is the common case.
    std::array<char, 256> mKey{};
    std::size_t mKeyLength = 0;
    std::array<std::uint8_t, 256> mState{};
};

}  // namespace pdf
