#include "pdf/codec/deflate_tokens.h"

#include "pdf/codec/deflate_matchfinder.h"
#include "pdf/codec/filters.h"
#include "pdf/codec/level_error.h"

#include <algorithm>

namespace pdf::deflate {

namespace {

// Levels 0 to 4.
constexpr std::array<LevelLimits, 5> kLevels{{
    {4, 4, 16, 16},
    {8, 16, 32, 32},
    {8, 16, 128, 128},
    {8, 32, 128, 256},
    {32, 128, 258, 1024},
}};

// A three-byte match further back than this costs more than its literals.
constexpr std::uint32_t kFarthestShortMatch = 4096;

class Tokenizer {
public:
    Tokenizer(const std::uint8_t* data, std::uint32_t size, const LevelLimits& limits, TokenList& list)
        : mData(data), mSize(size), mLimits(limits), mFinder(data, size, limits.positionsKept), mList(list)
    {
        mList.Clear();
        mList.tokens.reserve(size / 2 + 16);
    }

    void Run()
    {
        std::uint32_t pos = 0;
        while (pos < mSize) {
            if (pos + kMinMatch > mSize - 1) {
                AddLiteral(pos++);
                continue;
            }
            Match match = FindMatchAt(pos);
            if (match.length >= kMinMatch && match.length < mLimits.lazyLimit) {
                Match next = mFinder.FindLongestMatch(pos + 1, mLimits.lazyLimit, true, match.length);
                if (next.length > match.length) {
                    AddLiteral(pos);
                    mFinder.InsertString(pos);
                    ++pos;
                    match = next;
                }
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
    }

private:
    // Searches to the first stop length, then on from there to the second.
    Match FindMatchAt(std::uint32_t pos)
    {
        Match match = mFinder.FindLongestMatch(pos, mLimits.firstStopLength, true);
        if (match.length >= kMinMatch && match.length < mLimits.secondStopLength) {
            Match further = mFinder.FindLongestMatch(pos, mLimits.secondStopLength, false, match.length);
            if (further.length > match.length)
                match = further;
        }
        return match;
    }

    void AddLiteral(std::uint32_t pos) { mList.AddLiteral(mData[pos]); }
    void AddMatch(std::uint32_t length, std::uint32_t distance) { mList.AddMatch(length, distance); }

    const std::uint8_t* mData;
    std::uint32_t mSize;
    const LevelLimits& mLimits;
    MatchFinder mFinder;
    TokenList& mList;
};

}  // namespace

static_assert(kLevels.size() == kMaxFlateLevel);

void Tokenize(const std::uint8_t* data, std::uint32_t size, int level, TokenList& list)
{
    if (level < 0 || level > kMaxFlateLevel)
        ThrowLevelOutOfRange();
    if (level == kMaxFlateLevel)
        TokenizeThoroughly(data, size, list);
    else
        Tokenizer(data, size, kLevels[level], list).Run();
}

}  // namespace pdf::deflate
