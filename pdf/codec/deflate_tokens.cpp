#include "pdf/codec/deflate_tokens.h"

#include "pdf/codec/deflate_matchfinder.h"
#include "pdf/codec/filters.h"
#include "pdf/codec/level_error.h"


namespace pdf::deflate {

namespace {

constexpr std::array<LevelLimits, 6> kLevels{{
    {4, 4, 16, 16},
    {8, 16, 32, 32},
    {8, 16, 128, 128},
    {8, 32, 128, 256},
    {32, 128, 258, 1024},
    {32, 258, 258, 4096},
}};

// A three-byte match further back than this costs more than its literals.
constexpr std::uint32_t kFarthestShortMatch = 4096;

class Tokenizer {
public:
    Tokenizer(const std::uint8_t* data, std::uint32_t size, const LevelLimits& limits)
        : mData(data), mSize(size), mLimits(limits), mFinder(data, size, limits.positionsKept)
    {
        mList.tokens.reserve(size / 2 + 16);
    }

    TokenList Run()
    {
        std::uint32_t pos = 0;
        while (pos < mSize) {
            if (pos + kMinMatch > mSize - 1) {
                AddLiteral(pos++);
                continue;
            }
            FindMatchAt(pos);
            if (mLength >= kMinMatch && mLength < mLimits.lazyLimit) {
                mFinder.FindLongestMatch(pos + 1, mLimits.lazyLimit, true, mLength);
                if (mFinder.BestLength() > mLength) {
                    AddLiteral(pos);
                    mFinder.InsertString(pos);
                    ++pos;
                    mLength = mFinder.BestLength();
                    mMatchPos = mFinder.BestPosition();
                }
            }
            if (mLength == kMinMatch && pos - mMatchPos > kFarthestShortMatch)
                mLength = 0;
            if (mLength < kMinMatch) {
                AddLiteral(pos);
                mFinder.InsertString(pos);
                ++pos;
            } else {
                AddMatch(mLength, pos - mMatchPos);
                std::uint32_t end = pos + mLength;
                for (std::uint32_t covered = pos; covered < end && covered < mSize - 3; ++covered)
                    mFinder.InsertString(covered);
                pos = end;
            }
        }
        mList.literalFrequencies[kEndOfBlock] = 1;
        return std::move(mList);
    }

private:
    // Searches to the first stop length, then on from there to the second.
    void FindMatchAt(std::uint32_t pos)
    {
        mFinder.FindLongestMatch(pos, mLimits.firstStopLength, true);
        mLength = mFinder.BestLength();
        mMatchPos = mFinder.BestPosition();
        if (mLength >= kMinMatch && mLength < mLimits.secondStopLength) {
            mFinder.FindLongestMatch(pos, mLimits.secondStopLength, false, mLength);
            if (mFinder.BestLength() > mLength) {
                mLength = mFinder.BestLength();
                mMatchPos = mFinder.BestPosition();
            }
        }
    }

    void AddLiteral(std::uint32_t pos)
    {
        mList.tokens.push_back(Token::Literal(mData[pos]));
        ++mList.literalFrequencies[mData[pos]];
    }

    void AddMatch(std::uint32_t length, std::uint32_t distance)
    {
        mList.tokens.push_back(Token::Match(length, distance));
        ++mList.literalFrequencies[kEndOfBlock + 1 + LengthCode(length)];
        ++mList.distanceFrequencies[DistanceCode(distance)];
    }

    const std::uint8_t* mData;
    std::uint32_t mSize;
    const LevelLimits& mLimits;
    MatchFinder mFinder;
    TokenList mList;
    std::uint32_t mLength = 0;
    std::uint32_t mMatchPos = 0;
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
