// First pass of the Deflate encoder: the input as literals and matches, with the
// frequencies of the symbols they will be coded with.
#pragma once

#include "pdf/codec/deflate_tables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pdf::deflate {

// The matching effort of one of the levels 0 to 4.
struct LevelLimits {
    std::uint32_t firstStopLength;
    std::uint32_t secondStopLength;
    std::uint32_t lazyLimit;
    std::uint32_t positionsKept;
};

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

// How often each symbol of the literal/length and distance codes occurs.
struct SymbolCounts {
    std::array<std::uint32_t, kLiteralSymbols> literals{};
    std::array<std::uint32_t, kDistanceSymbols> distances{};

    void AddLiteral(std::uint8_t byte) { ++literals[byte]; }
    void AddMatch(std::uint32_t length, std::uint32_t distance)
    {
        ++literals[kEndOfBlock + 1 + LengthCode(static_cast<int>(length))];
        ++distances[DistanceCode(distance)];
    }
    void Add(Token token)
    {
        if (token.IsMatch())
            AddMatch(token.Length(), token.Distance());
        else
            AddLiteral(token.Byte());
    }
};

struct TokenList {
    std::vector<Token> tokens;
    SymbolCounts counts;

    // Empties the list, keeping its room.
    void Clear()
    {
        tokens.clear();
        counts = {};
    }

    void AddLiteral(std::uint8_t byte)
    {
        tokens.push_back(Token::Literal(byte));
        counts.AddLiteral(byte);
    }
    void AddMatch(std::uint32_t length, std::uint32_t distance)
    {
        tokens.push_back(Token::Match(length, distance));
        counts.AddMatch(length, distance);
    }
};

// Makes list the tokens of data at the level's effort (0 to 5); the end-of-block symbol
// is counted once.  Fails with error 9 for a level outside 0 to 5.
void Tokenize(const std::uint8_t* data, std::uint32_t size, int level, TokenList& list);

// Level 5's tokens: see deflate_lazy_tokens.cpp.
void TokenizeThoroughly(const std::uint8_t* data, std::uint32_t size, TokenList& list);

}  // namespace pdf::deflate
