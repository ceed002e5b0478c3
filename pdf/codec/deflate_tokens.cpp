#include "pdf/codec/deflate_tokens.h"

#include "pdf/codec/deflate_matchfinder.h"
#include "pdf/codec/filters.h"
#include "pdf/codec/level_error.h"

#include <algorithm>
#include <bit>

namespace pdf::deflate {

namespace {

constexpr std::array<LevelLimits, 6> kLevels{{
    {4, 4, 16, 16, 0, 3, false, false, false},
    {8, 16, 32, 32, 0, 3, false, false, false},
    {8, 16, 128, 128, 0, 3, false, false, false},
    {8, 32, 128, 256, 0, 3, false, false, false},
    {32, 128, 258, 1024, 0, 3, false, false, false},
    {32, 258, 16, 32, 192, 4, true, true, true},
}};

// A three-byte match further back than this costs more than its literals.
constexpr std::uint32_t kFarthestShortMatch = 4096;

class Tokenizer {
public:
    Tokenizer(const std::uint8_t* data, std::uint32_t size, const LevelLimits& limits)
        : mData(data), mSize(size), mLimits(limits), mFinder(data, size, limits.positionsKept, limits.prefixBytes, limits.toLastByte)
    {
        mList.tokens.reserve(size / 2 + 16);
        if (limits.longPositionsKept)
            mFinder.KeepLongPrefixes(limits.longPositionsKept);
    }

    TokenList Run()
    {
        std::uint32_t pos = 0;
        while (pos < mSize) {
            if (pos + kMinMatch > mSize - 1) {
                AddLiteral(pos++);
                continue;
            }
            Match match = FindMatchAt(pos);
            while (match.length >= kMinMatch && match.length < mLimits.lazyLimit) {
                Match next = FindLongerMatchAt(pos + 1, match.length);
                if (next.length <= match.length
                    || (mLimits.weighedLazy && Worth(next, pos + 1) <= Worth(match, pos) + 1))
                    break;
                AddLiteral(pos);
                mFinder.InsertString(pos);
                ++pos;
                match = next;
                if (!mLimits.weighedLazy)
                    break;
            }
            if (match.length == kMinMatch && pos - match.position > kFarthestShortMatch)
                match.length = 0;
            if (match.length < kMinMatch) {
                AddLiteral(pos);
                mFinder.InsertString(pos);
                ++pos;
            } else {
                AddMatch(match.length, pos - match.position);
                std::uint32_t end = pos + match.length;
                mFinder.InsertStrings(pos, std::min(end, mSize - 3));
                pos = end;
            }
        }
        mList.counts.literals[kEndOfBlock] = 1;
        return std::move(mList);
    }

private:
    // Searches to the first stop length, then on from there to the second; by long
    // prefixes first, where kept, to the second at once.
    Match FindMatchAt(std::uint32_t pos)
    {
        if (mLimits.longPositionsKept)
            return mFinder.FindLongMatch(pos, mLimits.secondStopLength, 2, mLimits.positionsKept);
        Match match = mFinder.FindLongestMatch(pos, mLimits.firstStopLength, true);
        if (match.length >= kMinMatch && match.length < mLimits.secondStopLength) {
            Match further = mFinder.FindLongestMatch(pos, mLimits.secondStopLength, false, match.length);
            if (further.length > match.length)
                match = further;
        }
        return match;
    }

    // The longest match at pos longer than length.
    Match FindLongerMatchAt(std::uint32_t pos, std::uint32_t length)
    {
        if (mLimits.longPositionsKept)
            return mFinder.FindLongMatch(pos, mLimits.lazyLimit, length, mLimits.positionsKept);
        return mFinder.FindLongestMatch(pos, mLimits.lazyLimit, true, length);
    }

    // What a match saves, in quarters of a byte: four for each byte it covers, less
    // about one for each extra bit its distance costs.
    static int Worth(Match match, std::uint32_t pos)
    {
        return 4 * static_cast<int>(match.length) - std::bit_width(pos - match.position);
    }

    void AddLiteral(std::uint32_t pos)
    {
        mList.tokens.push_back(Token::Literal(mData[pos]));
        mList.counts.Add(mList.tokens.back());
    }

    void AddMatch(std::uint32_t length, std::uint32_t distance)
    {
        mList.tokens.push_back(Token::Match(length, distance));
        mList.counts.Add(mList.tokens.back());
    }

    const std::uint8_t* mData;
    std::uint32_t mSize;
    const LevelLimits& mLimits;
    MatchFinder mFinder;
    TokenList mList;
};

}  // namespace

static_assert(kLevels.size() == kMaxFlateLevel + 1);

const LevelLimits& LimitsOfLevel(int level)
{
    if (level < 0 || level >= static_cast<int>(kLevels.size()))
        ThrowLevelOutOfRange();
    return kLevels[level];
}

TokenList Tokenize(const std::uint8_t* data, std::uint32_t size, const LevelLimits& limits)
{
    return Tokenizer(data, size, limits).Run();
}

}  // namespace pdf::deflate
