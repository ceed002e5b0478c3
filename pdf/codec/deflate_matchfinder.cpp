#include "pdf/codec/deflate_matchfinder.h"

#include <algorithm>
#include <cstring>

namespace pdf::deflate {

namespace {

constexpr std::uint32_t kWindow = 32768;
constexpr int kMinHashBits = 10;
constexpr int kMaxHashBits = 16;

int BitsFor(std::uint32_t n)
{
    int bits = 0;
    while (bits < 31 && (1u << bits) < n)
        ++bits;
    return bits;
}

}  // namespace

MatchFinder::MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep)
    : mData(data), mSize(size), mKeep(keep)
{
    int hashBits = std::clamp(BitsFor(size), kMinHashBits, kMaxHashBits);
    mHeads.assign(std::size_t(1) << hashBits, kNoPosition);
    mHashShift = 32 - hashBits;
    std::uint32_t window = std::uint32_t(1) << BitsFor(std::clamp(size, 1u, kWindow));
    mOlder.reset(new std::uint32_t[window]);
    mWindowMask = window - 1;
}

Match MatchFinder::SearchChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                               std::uint32_t lengthToBeat)
{
    const std::uint8_t* data = mData;
    const std::uint32_t* older = mOlder.get();
    const std::uint32_t prefix = PrefixAt(pos);
    std::uint32_t best = lengthToBeat;
    std::uint32_t bestPosition = 0;
    std::uint32_t cursor = mCursor;
    std::uint32_t left = mCursorLeft;
    while (left > 0) {
        std::uint32_t candidate = cursor;
        // Every older position of the chain is further back still.
        if (candidate == kNoPosition || pos - candidate > kMaxDistance) {
            left = 0;
            break;
        }
        cursor = older[candidate & mWindowMask];
        // The candidate's prefix ends before pos's last byte, so four bytes can be read.
        if ((Load32(data + candidate) & 0xFFFFFF) != prefix)
            continue;
        --left;
        // Only a candidate that agrees up to one byte past the best length so far can
        // beat it; every candidate beats 2.
        if (best > 2 && Load32(data + candidate + best - 3) != Load32(data + pos + best - 3))
            continue;
        std::uint32_t length = AgreeingLength(data + candidate, data + pos, kMinMatch, limit);
        if (length > best) {
            best = length;
            bestPosition = candidate;
            if (best >= stop)
                break;
        }
    }
    mCursor = cursor;
    mCursorLeft = left;
    return {best, bestPosition};
}

}  // namespace pdf::deflate
