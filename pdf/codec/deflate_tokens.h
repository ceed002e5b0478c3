// First pass of the Deflate encoder: the input as literals and matches, with the
// frequencies of the symbols they will be coded with.
#pragma once

#include "pdf/codec/deflate_tables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pdf::deflate {

// The matching effort of one level.
struct LevelLimits {
    std::uint32_t firstStopLength;
    std::uint32_t secondStopLength;
    std::uint32_t lazyLimit;
    std::uint32_t positionsKept;
};

// Fails with error 9 for a level outside 0 to 5.
const LevelLimits& LimitsOfLevel(int level);

// A literal byte, or a match of 3 to 258 bytes at a distance of 1 to 32767.
class Token {
public:
    static Token Literal(std::uint8_t byte) { return Token(byte); }
    static Token Match(std::uint32_t length, std::uint32_t distance)
    {
        return Token(kMatchFlag | (length - kMinMatch) << 16 | distance);
    }

    bool IsMatch() const { return mValue & kMatchFlag; }
    std::uint8_t Byte() const { return static_cast<std::uint8_t>(mValue); }
    std::uint32_t Length() const { return (mValue >> 16 & 0xFF) + kMinMatch; }
    std::uint32_t Distance() const { return mValue & 0xFFFF; }

private:
    static constexpr std::uint32_t kMatchFlag = 0x80000000;
    explicit Token(std::uint32_t value) : mValue(value) {}
    std::uint32_t mValue;
};

struct TokenList {
    std::vector<Token> tokens;
    std::array<std::uint32_t, kLiteralSymbols> literalFrequencies{};
    std::array<std::uint32_t, kDistanceSymbols> distanceFrequencies{};
};

// The tokens of data at the level's effort; the end-of-block symbol is counted once.
TokenList Tokenize(const std::uint8_t* data, std::uint32_t size, const LevelLimits& limits);

}  // namespace pdf::deflate
