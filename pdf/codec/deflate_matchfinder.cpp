#include "pdf/codec/deflate_matchfinder.h"

#include <algorithm>
#include <cstring>

namespace pdf::deflate {

namespace {

constexpr std::uint32_t kWindow = 32768;
constexpr int kMinHashBits = 10;
constexpr int kMaxHashBits = 15;

int BitsFor(std::uint32_t n)
{
    int bits = 0;
    while (bits < 31 && (1u << bits) < n)
        ++bits;
    return bits;
}

}  // namespace

MatchFinder::MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep,
                         int prefixBytes, bool toLastByte)
    : mData(data),
      mMatchEnd(toLastByte ? size : size - 1),
      mKeep(keep),
      mPrefixMask(prefixBytes == 4 ? 0xFFFFFFFF : 0xFFFFFF)
{
    int hashBits = std::clamp(BitsFor(size), kMinHashBits, kMaxHashBits);
    mHeads.assign(std::size_t(1) << hashBits, kNoPosition);
    mHashShift = 32 - hashBits;
    std::uint32_t window = std::uint32_t(1) << BitsFor(std::clamp(size, 1u, kWindow));
    mOlder.reset(new std::uint16_t[window]);
    mWindowMask = window - 1;
}

void MatchFinder::KeepLongPrefixes(std::uint32_t keep)
{
    mLongKeep = keep;
    mLongEnd = mMatchEnd >= 8 ? mMatchEnd - 7 : 0;
    mLongHeads.assign(mHeads.size(), kNoPosition);
    mLongOlder.reset(new std::uint16_t[mWindowMask + 1]);
}

Match MatchFinder::FindLongMatch(std::uint32_t pos, std::uint32_t stopLength, std::uint32_t lengthToBeat,
                                 std::uint32_t keep)
{
    const std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, mMatchEnd - pos);
    if (limit <= lengthToBeat)
        return {lengthToBeat, 0};
    const std::uint32_t stop = std::min(stopLength, limit);
    if (pos < mLongEnd) {
        Match match = SearchLongChain(pos, stop, limit, lengthToBeat);
        if (match.length > lengthToBeat || lengthToBeat >= 7)
            return match;
    }
    mCursor = mHeads[HashAt(pos)];
    mCursorLeft = keep;
    if (mCursor == kNoPosition)
        return {lengthToBeat, 0};
    return SearchChain(pos, pos < mLongEnd ? std::min<std::uint32_t>(stop, 7) : stop, limit, lengthToBeat);
}

Match MatchFinder::SearchLongChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                                   std::uint32_t lengthToBeat)
{
    const std::uint8_t* data = mData;
    const std::uint16_t* older = mLongOlder.get();
    const std::uint32_t windowMask = mWindowMask;
    const std::uint64_t prefix = Load64(data + pos);
    // Every candidate matches eight bytes or none.
    std::uint32_t best = std::max<std::uint32_t>(lengthToBeat, 7);
    std::uint32_t bestPosition = kNoPosition;
    std::uint32_t cursor = mLongHeads[LongHash(prefix, mHashShift)];
    for (std::uint32_t left = mLongKeep; left > 0 && cursor != kNoPosition;) {
        const std::uint32_t candidate = cursor;
        if (pos - candidate > kMaxDistance)
            break;
        const std::uint32_t back = older[candidate & windowMask];
        cursor = back ? candidate - back : kNoPosition;
        if (Load64(data + candidate) != prefix)
            continue;
        --left;
        if (Load32(data + candidate + best - 3) != Load32(data + pos + best - 3))
            continue;
        std::uint32_t length = MatchLength(candidate, pos, limit);
        if (length > best) {
            best = length;
            bestPosition = candidate;
            if (best >= stop)
                break;
        }
    }
    if (bestPosition == kNoPosition)
        return {lengthToBeat, 0};
    return {best, bestPosition};
}

std::uint32_t MatchFinder::MatchLength(std::uint32_t candidate, std::uint32_t pos,
                                       std::uint32_t limit) const
{
    std::uint32_t length = kMinMatch;
    while (length + 8 <= limit) {
        std::uint64_t a;
        std::uint64_t b;
        std::memcpy(&a, mData + candidate + length, 8);
        std::memcpy(&b, mData + pos + length, 8);
        if (a != b)
            return length + static_cast<std::uint32_t>(__builtin_ctzll(a ^ b) / 8);
        length += 8;
    }
    while (length < limit && mData[candidate + length] == mData[pos + length])
        ++length;
    return length;
}

Match MatchFinder::SearchChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                               std::uint32_t lengthToBeat)
{
    const std::uint8_t* data = mData;
    const std::uint16_t* older = mOlder.get();
    const std::uint32_t windowMask = mWindowMask;
    const std::uint32_t prefixMask = mPrefixMask;
    const std::uint32_t prefix = PrefixAt(pos);
    std::uint32_t best = lengthToBeat;
    std::uint32_t bestPosition = 0;
    std::uint32_t cursor = mCursor;
    std::uint32_t left = mCursorLeft;
    while (left > 0) {
        std::uint32_t candidate = cursor;
        // Every older position of the chain is further back still.  The cursor is never
        // kNoPosition here: the end of a chain is a step back beyond every distance.
        if (pos - candidate > kMaxDistance) {
            left = 0;
            break;
        }
        const std::uint32_t back = older[candidate & windowMask];
        cursor = candidate - (back ? back : kMaxDistance + 1);
        // The candidate's prefix ends before pos's last byte, so four bytes can be read.
        if ((Load32(data + candidate) & prefixMask) != prefix)
            continue;
        --left;
        // Only a candidate that agrees up to one byte past the best length so far can
        // beat it; every candidate beats 2.
        if (best > 2 && Load32(data + candidate + best - 3) != Load32(data + pos + best - 3))
            continue;
        std::uint32_t length = MatchLength(candidate, pos, limit);
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
