// Earlier occurrences of the first eight bytes and the first four at a position, newest
// first, and the last occurrence of its first three: the matches the most thorough level
// chooses among.  Long matches are searched among the positions that share eight bytes,
// which are few even where four-byte prefixes repeat everywhere, as in text.
#pragma once

#include "pdf/codec/deflate_matchfinder.h"

#include <algorithm>
#include <cstdint>

namespace pdf::deflate {

// How far a search goes.
struct SearchLimits {
    std::uint32_t longDepth;      // positions of the first eight bytes visited
    std::uint32_t shortDepth;     // positions of the first four visited
    std::uint32_t stopLength;     // a match this long ends the search
    std::uint32_t farthestShort;  // the farthest a three-byte match may reach back
};

// Its tables belong to the thread and are kept from one stream to the next, so one
// finder at a time works on each thread.
class ChainFinder {
public:
    // Chains eight-byte prefixes only with longChains, and records three-byte ones only
    // with threeBytes.
    ChainFinder(const std::uint8_t* data, std::uint32_t size, bool longChains, bool threeBytes);

    // Records the positions from first up to, not including, end (at most size - 3).
    void Insert(std::uint32_t first, std::uint32_t end)
    {
        std::uint32_t pos = first;
        if (mLongHeads) {
            for (const std::uint32_t both = std::min(end, mLongEnd); pos < both; ++pos) {
                const std::uint64_t bytes = Load64(mData + pos);
                InsertShort(pos, static_cast<std::uint32_t>(bytes));
                Link(mLongHeads[Hash(bytes, mHashShift)], mLongLinks, pos);
            }
        }
        for (; pos < end; ++pos)
            InsertShort(pos, Load32(mData + pos));
    }

    // Starts loading the chain heads of pos (at most size - 4) ahead of their use.
    void Prefetch(std::uint32_t pos) const
    {
        const std::uint32_t bytes = Load32(mData + pos);
        __builtin_prefetch(&mHeads[Hash(bytes, mHashShift)]);
        if (mLastOfThree)
            __builtin_prefetch(&mLastOfThree[Hash(bytes << 8, mHashShift)]);
    }

    // The longest match at pos longer than lengthToBeat, searched first among the
    // positions of its first eight bytes, then, when none of those beats lengthToBeat
    // and it is under seven, among those of its first four, and last, when none is four
    // long, at the last occurrence of its first three.  The length is lengthToBeat when
    // nothing longer was found.  pos is at most size - 4.
    Match Find(std::uint32_t pos, std::uint32_t lengthToBeat, const SearchLimits& limits) const;

private:
    static constexpr std::uint32_t kWindowMask = 32767;
    // Further back than any match reaches from every position (sizes stay below 2^31).
    static constexpr std::uint32_t kNone = 0xFFFF0000;

    static std::uint32_t Hash(std::uint32_t bytes, int shift) { return (bytes * 0x1E35A7BDu) >> shift; }
    static std::uint32_t Hash(std::uint64_t bytes, int shift)
    {
        return static_cast<std::uint32_t>((bytes * 0x9E3779B97F4A7C15ull) >> 32) >> shift;
    }

    // Makes pos the newest position of the chain that head starts.
    static void Link(std::uint32_t& head, std::uint16_t* links, std::uint32_t pos)
    {
        const std::uint32_t back = pos - head;
        links[pos & kWindowMask] = static_cast<std::uint16_t>(back <= kMaxDistance ? back : 0);
        head = pos;
    }
    void InsertShort(std::uint32_t pos, std::uint32_t bytes)
    {
        Link(mHeads[Hash(bytes, mHashShift)], mLinks, pos);
        if (mLastOfThree)
            mLastOfThree[Hash(bytes << 8, mHashShift)] = pos;
    }

    // The longest match longer than best along the chain from head, of positions whose
    // first `agree` bytes (8 or 4) hash alike, visiting at most depth of them.
    template <int agree>
    Match SearchChain(std::uint32_t pos, std::uint32_t head, const std::uint16_t* links, std::uint32_t depth,
                      std::uint32_t stop, std::uint32_t limit, Match best) const;

    const std::uint8_t* mData;
    std::uint32_t mSize;
    std::uint32_t mLongEnd;  // positions from here on have fewer than eight bytes
    int mHashShift;
    // The newest position of each hash of four bytes, eight bytes and three; kNone where
    // none was recorded yet.  The last two are null when not kept.
    std::uint32_t* mHeads;
    std::uint32_t* mLongHeads = nullptr;
    std::uint32_t* mLastOfThree = nullptr;
    // The distance back to the next older position of the same hash, 0 where none is
    // near enough; by position within the window.  Only links of recorded positions are
    // read, so the windows are left uninitialised.
    std::uint16_t* mLinks;
    std::uint16_t* mLongLinks = nullptr;
};

// Inline with the tokenizer's loop: the calls cost a tenth of the level's time.
template <int agree>
inline Match ChainFinder::SearchChain(std::uint32_t pos, std::uint32_t head, const std::uint16_t* links,
                                      std::uint32_t depth, std::uint32_t stop, std::uint32_t limit,
                                      Match best) const
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

inline Match ChainFinder::Find(std::uint32_t pos, std::uint32_t lengthToBeat, const SearchLimits& limits) const
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
