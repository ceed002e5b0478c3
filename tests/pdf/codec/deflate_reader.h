// The reader's side of a zlib stream, kept close to the format so that tests can see
// the blocks and the literals and matches our encoder chose.
#pragma once

#include "pdf/codec/filters.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace codectest {

struct DeflateToken {
    int literal = -1;  // or a match:
    int length = 0;
    int distance = 0;
    bool operator==(const DeflateToken&) const = default;
};

struct DeflateReading {
    std::vector<int> blockTypes;
    std::vector<DeflateToken> tokens;
    pdf::Bytes data;
};

class DeflateReader {
public:
    explicit DeflateReader(const pdf::Bytes& stream) : mIn(stream) {}

    DeflateReading Read()
    {
        if (mIn.size() < 6 || mIn[0] != 0x78 || (mIn[0] * 256 + mIn[1]) % 31 != 0)
            throw std::runtime_error("bad zlib header");
        mPos = 16;
        bool final = false;
        while (!final) {
            final = Bits(1);
            int type = static_cast<int>(Bits(2));
            mOut.blockTypes.push_back(type);
            if (type == 0)
                Stored();
            else if (type == 1)
                Fixed();
            else if (type == 2)
                Dynamic();
            else
                throw std::runtime_error("bad block type");
        }
        return mOut;
    }

private:
    struct Code {
        std::vector<int> lengths;
    };

    std::uint32_t Bits(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++mPos) {
            if (mPos / 8 >= mIn.size())
                throw std::runtime_error("stream ends early");
            value |= std::uint32_t(mIn[mPos / 8] >> (mPos % 8) & 1) << i;
        }
        return value;
    }

    int Symbol(const Code& code)
    {
        // Canonical decoding, one bit at a time.
        int first = 0;
        int value = 0;
        for (int length = 1; length <= 15; ++length) {
            value |= static_cast<int>(Bits(1));
            int count = 0;
            for (int l : code.lengths)
                count += l == length;
            if (value - first < count) {
                int skip = value - first;
                for (std::size_t s = 0; s < code.lengths.size(); ++s)
                    if (code.lengths[s] == length && skip-- == 0)
                        return static_cast<int>(s);
            }
            first = (first + count) << 1;
            value <<= 1;
        }
        throw std::runtime_error("bad code");
    }

    void Stored()
    {
        mPos = (mPos + 7) / 8 * 8;
        std::uint32_t length = Bits(16);
        if ((Bits(16) ^ 0xFFFF) != length)
            throw std::runtime_error("bad stored length");
        for (std::uint32_t i = 0; i < length; ++i)
            mOut.data.push_back(static_cast<std::uint8_t>(Bits(8)));
    }

    void Fixed()
    {
        Code literals{std::vector<int>(288, 8)};
        for (int s = 144; s < 256; ++s)
            literals.lengths[s] = 9;
        for (int s = 256; s < 280; ++s)
            literals.lengths[s] = 7;
        Tokens(literals, Code{std::vector<int>(30, 5)});
    }

    void Dynamic()
    {
        static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        int literalCount = static_cast<int>(Bits(5)) + 257;
        int distanceCount = static_cast<int>(Bits(5)) + 1;
        int lengthCount = static_cast<int>(Bits(4)) + 4;
        Code lengthCode{std::vector<int>(19, 0)};
        for (int i = 0; i < lengthCount; ++i)
            lengthCode.lengths[order[i]] = static_cast<int>(Bits(3));
        std::vector<int> lengths;
        while (static_cast<int>(lengths.size()) < literalCount + distanceCount) {
            int symbol = Symbol(lengthCode);
            if (symbol < 16) {
                lengths.push_back(symbol);
            } else if (symbol == 16) {
                if (lengths.empty())
                    throw std::runtime_error("repeat without a length");
                lengths.insert(lengths.end(), 3 + Bits(2), lengths.back());
            } else {
                lengths.insert(lengths.end(), symbol == 17 ? 3 + Bits(3) : 11 + Bits(7), 0);
            }
        }
        if (static_cast<int>(lengths.size()) != literalCount + distanceCount)
            throw std::runtime_error("code lengths overrun");
        Tokens(Code{{lengths.begin(), lengths.begin() + literalCount}},
               Code{{lengths.begin() + literalCount, lengths.end()}});
    }

    void Tokens(const Code& literals, const Code& distances)
    {
        static const int lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int distanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        for (;;) {
            int symbol = Symbol(literals);
            if (symbol < 256) {
                mOut.tokens.push_back({symbol, 0, 0});
                mOut.data.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256)
                return;
            int code = symbol - 257;
            int extra = code < 8 || code == 28 ? 0 : (code - 4) / 4;
            int length = lengthBase[code] + static_cast<int>(Bits(extra));
            int distanceCode = Symbol(distances);
            int distanceExtra = distanceCode < 4 ? 0 : (distanceCode - 2) / 2;
            int distance = distanceBase[distanceCode] + static_cast<int>(Bits(distanceExtra));
            if (distance > static_cast<int>(mOut.data.size()))
                throw std::runtime_error("distance too far back");
            mOut.tokens.push_back({-1, length, distance});
            for (int i = 0; i < length; ++i)
                mOut.data.push_back(mOut.data[mOut.data.size() - distance]);
        }
    }

    const pdf::Bytes& mIn;
    std::size_t mPos = 0;
    DeflateReading mOut;
};

}  // namespace codectest
