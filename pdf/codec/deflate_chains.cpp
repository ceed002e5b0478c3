#include "pdf/codec/deflate_chains.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace pdf::deflate {

namespace {

constexpr int kMinHashBits = 10;
constexpr int kMaxHashBits = 15;
// Twice as many heads as positions, up to the window's size: few prefixes share a chain.
constexpr int kExtraBits = 1;
constexpr std::size_t kMaxHeads = std::size_t(1) << kMaxHashBits;
constexpr std::size_t kWindow = kMaxDistance + 1;

// Room for the three head tables and the two windows of links.  Made anew for every
// stream, they would cost more in page faults than a short stream takes to search.
struct Tables {
    std::unique_ptr<std::uint32_t[]> heads{new std::uint32_t[3 * kMaxHeads]};
    std::unique_ptr<std::uint16_t[]> links{new std::uint16_t[2 * kWindow]};
};

Tables& ThreadTables()
{
    thread_local Tables tables;
    return tables;
}

}  // namespace

ChainFinder::ChainFinder(const std::uint8_t* data, std::uint32_t size, bool longChains, bool threeBytes)
    : mData(data), mSize(size), mLongEnd(size >= 8 ? size - 7 : 0)
{
    const int hashBits = std::clamp(static_cast<int>(std::bit_width(size)) + kExtraBits, kMinHashBits, kMaxHashBits);
    mHashShift = 32 - hashBits;
    const std::size_t heads = std::size_t(1) << hashBits;
    Tables& tables = ThreadTables();
    mHeads = tables.heads.get();
    mLinks = tables.links.get();
    if (longChains) {
        mLongHeads = mHeads + kMaxHeads;
        mLongLinks = mLinks + kWindow;
    }
    if (threeBytes)
        mLastOfThree = mHeads + 2 * kMaxHeads;
    for (std::uint32_t* table : {mHeads, mLongHeads, mLastOfThree})
        if (table)
            std::fill_n(table, heads, kNone);
}

template <int agree>
Match ChainFinder::SearchChain(std::uint32_t pos, std::uint32_t head, const std::uint16_t* links,
                               std::uint32_t depth, std::uint32_t stop, std::uint32_t limit, Match best) const
{
    const std::uint8_t* here = mData + pos;
    const auto first = agree == 8 ? Load64(here) : Load32(here);
    std::uint32_t back = pos - head;
    while (back <= kMaxDistance && depth-- > 0) {
        const std::uint32_t candidate = pos - back;
        const std::uint8_t* there = mData + candidate;
        // Only a candidate that agrees up to one byte past the best length can beat it.
        if (best.length < agree || Load32(there + best.length - 3) == Load32(here + best.length - 3)) {
            if ((agree == 8 ? Load64(there) : Load32(there)) == first) {
                const std::uint32_t length = AgreeingLength(there, here, agree, limit);
                if (length > best.length) {
                    best = {length, candidate};
                    if (length >= stop)
                        break;
                }
            }
        }
        const std::uint16_t link = links[candidate & kWindowMask];
        if (link == 0)
            break;
        back += link;
    }
    return best;
}

Match ChainFinder::Find(std::uint32_t pos, std::uint32_t lengthToBeat, const SearchLimits& limits) const
{
    const std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, mSize - pos);
    if (limit <= lengthToBeat)
        return {lengthToBeat, 0};
    const std::uint32_t stop = std::min(limits.stopLength, limit);
    Match best{lengthToBeat, 0};
    if (mLongHeads && pos < mLongEnd) {
        const std::uint64_t bytes = Load64(mData + pos);
        best = SearchChain<8>(pos, mLongHeads[Hash(bytes, mHashShift)], mLongLinks, limits.longDepth, stop,
                              limit, best);
        // A match longer than seven bytes shares the first eight, so it is on the
        // chain just searched.
        if (best.length > lengthToBeat || lengthToBeat >= 7)
            return best;
    }
    const std::uint32_t bytes = Load32(mData + pos);
    best = SearchChain<4>(pos, mHeads[Hash(bytes, mHashShift)], mLinks, limits.shortDepth, stop, limit, best);
    if (mLastOfThree && best.length < kMinMatch) {
        const std::uint32_t candidate = mLastOfThree[Hash(bytes << 8, mHashShift)];
        if (pos - candidate <= limits.farthestShort && ((Load32(mData + candidate) ^ bytes) & 0xFFFFFF) == 0)
            return {kMinMatch, candidate};
    }
    return best;
}

}  // namespace pdf::deflate
