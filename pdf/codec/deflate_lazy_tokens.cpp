// Level 5's tokens: at each position the longest match among the recent positions of
// its first eight or four bytes, taken only when the next position has no better one.
#include "pdf/codec/deflate_chains.h"
#include "pdf/codec/deflate_entropy.h"
#include "pdf/codec/deflate_tokens.h"

#include <algorithm>
#include <bit>

namespace pdf::deflate {

namespace {

// Positions of the first four bytes visited by a search, and of the first eight where
// those are chained.
constexpr std::uint32_t kDepth = 32;
constexpr std::uint32_t kLongDepth = 192;
// A match this long ends a search.
constexpr std::uint32_t kStopLength = 128;
// A match this long is taken without looking at the next position.
constexpr std::uint32_t kLazyLimit = 24;
// Past a match shorter than this, the next position's four-byte chain is searched half
// as deep; past a longer one, its eight-byte chain an eighth as deep.
constexpr std::uint32_t kGoodLength = 8;
// Inside a longer match only this many positions at each end are recorded: the others
// repeat earlier ones.
constexpr std::uint32_t kInsertAll = 32;
constexpr std::uint32_t kEndsInserted = 8;
// After 2^kSkipShift lookups in a row without a match, one position in two is looked up,
// after twice as many one in three, and so on.
constexpr std::uint32_t kSkipShift = 8;

// Eight-byte prefixes are chained in streams this long whose bytes have less entropy
// than kLongChainEntropy: text, where four-byte prefixes recur so often that the
// longest match lies beyond kDepth of them.
constexpr std::uint32_t kLongChainSize = 65536;
constexpr double kLongChainEntropy = 5.5;

// Bits a three-byte match costs besides the extra bits of its distance, and the least
// it must save to be worth the table that finds it.
constexpr double kShortMatchBits = 15;
constexpr double kLeastSpareBits = 2;
constexpr std::uint32_t kEntropySample = 256;

// The entropy of the data's bytes, in bits per byte, from a sample of them.
double ByteEntropy(const std::uint8_t* data, std::uint32_t size)
{
    const std::uint32_t step = std::max<std::uint32_t>(1, size / kEntropySample);
    std::uint32_t counts[256] = {};
    std::uint32_t sampled = 0;
    for (std::uint32_t i = 0; i < size; i += step, ++sampled)
        ++counts[data[i]];
    int used = 0;
    return sampled ? EntropyBits(counts, 256, used) / sampled : 0;
}

// The farthest back a three-byte match saves bits: its three literals would cost three
// times the entropy of the bytes, the match kShortMatchBits and the extra bits of its
// distance, one more each time the distance doubles past 4.  0 where none saves any.
std::uint32_t FarthestShortMatch(double entropy)
{
    const double spare = 3 * entropy - kShortMatchBits;
    if (spare < kLeastSpareBits)
        return 0;
    return 4u << std::min(10, static_cast<int>(spare));
}

class LazyTokenizer {
public:
    LazyTokenizer(const std::uint8_t* data, std::uint32_t size, double entropy, TokenList& list)
        : LazyTokenizer(data, size, FarthestShortMatch(entropy),
                        size >= kLongChainSize && entropy < kLongChainEntropy, list)
    {
    }

    void Run()
    {
        // Positions from here on have fewer than four bytes to look up.
        const std::uint32_t searchEnd = mSize >= 4 ? mSize - 3 : 0;
        std::uint32_t pos = 0;
        std::uint32_t misses = 0;
        while (pos < searchEnd) {
            if (pos + 1 < searchEnd)
                mFinder.Prefetch(pos + 1);
            Match match = mFinder.Find(pos, kMinMatch - 1, mSearch);
            mFinder.Insert(pos, pos + 1);
            while (match.length >= kMinMatch && match.length < kLazyLimit && pos + 1 < searchEnd) {
                const Match next =
                    mFinder.Find(pos + 1, match.length, match.length >= kGoodLength ? mGoodSearch : mNextSearch);
                if (!Better(next, pos + 1, match, pos))
                    break;
                mList.AddLiteral(mData[pos]);
                ++pos;
                mFinder.Insert(pos, pos + 1);
                match = next;
            }
            if (match.length < kMinMatch) {
                // Past a long stretch without matches, as in compressed or random data,
                // positions are looked up ever more sparsely.
                const std::uint32_t end = std::min(searchEnd, pos + 1 + (misses++ >> kSkipShift));
                for (; pos < end; ++pos)
                    mList.AddLiteral(mData[pos]);
                continue;
            }
            misses = 0;
            mList.AddMatch(match.length, pos - match.position);
            InsertCovered(pos + 1, std::min(pos + match.length, searchEnd));
            pos += match.length;
        }
        for (; pos < mSize; ++pos)
            mList.AddLiteral(mData[pos]);
        mList.counts.literals[kEndOfBlock] = 1;
    }

private:
    LazyTokenizer(const std::uint8_t* data, std::uint32_t size, std::uint32_t farthestShort, bool longChains,
                  TokenList& list)
        : mData(data),
          mSize(size),
          mFinder(data, size, longChains, farthestShort > 0),
          mSearch{kLongDepth, kDepth, kStopLength, farthestShort},
          mNextSearch{kLongDepth, kDepth / 2, kStopLength, farthestShort},
          mGoodSearch{kLongDepth / 8, kDepth, kStopLength, farthestShort},
          mList(list)
    {
        mList.Clear();
        mList.tokens.reserve(size / 2 + 16);
    }

    // Whether a literal then next, a match one position on, beats match: next must be
    // longer, and save more than a bit or so that a farther distance may cost.
    static bool Better(Match next, std::uint32_t nextPos, Match match, std::uint32_t pos)
    {
        return next.length > match.length && Worth(next, nextPos) > Worth(match, pos) + 1;
    }
    // Four for each byte a match covers, less the bits of its distance.
    static int Worth(Match match, std::uint32_t pos)
    {
        return 4 * static_cast<int>(match.length) - static_cast<int>(std::bit_width(pos - match.position));
    }

    void InsertCovered(std::uint32_t first, std::uint32_t end)
    {
        if (end - first > kInsertAll) {
            mFinder.Insert(first, first + kEndsInserted);
            mFinder.Insert(end - kEndsInserted, end);
            return;
        }
        mFinder.Insert(first, end);
    }

    const std::uint8_t* mData;
    std::uint32_t mSize;
    ChainFinder mFinder;
    const SearchLimits mSearch;      // at a new position
    const SearchLimits mNextSearch;  // one position past a match, for a longer one
    const SearchLimits mGoodSearch;  // the same past a match of at least kGoodLength
    TokenList& mList;
};

}  // namespace

void TokenizeThoroughly(const std::uint8_t* data, std::uint32_t size, TokenList& list)
{
    LazyTokenizer(data, size, ByteEntropy(data, size), list).Run();
}

}  // namespace pdf::deflate
