// Earlier occurrences of the first three or four bytes at a position, and optionally of
// its first eight, newest first, at most a fixed number per prefix, and the longest match
// among them.
#pragma once

#include "pdf/codec/deflate_tables.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace pdf::deflate {

static_assert(std::endian::native == std::endian::little, "prefixes are read as little-endian words");

// The length of a match and the position it repeats.
struct Match {
    std::uint32_t length;
    std::uint32_t position;
};

class MatchFinder {
public:
    // Starts over on new data, visiting at most keep positions per prefix of prefixBytes
    // (3 or 4) bytes.  toLastByte lets matches cover the last input byte.
    MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep, int prefixBytes,
                bool toLastByte);

    // Also chains positions by their first eight bytes, visiting at most keep of them per
    // search: see FindLongMatch.
    void KeepLongPrefixes(std::uint32_t keep);

    // Records pos (at most size - 4) under the prefix starting there.
    void InsertString(std::uint32_t pos) { InsertStrings(pos, pos + 1); }

    // Records the positions from first up to, not including, end (at most size - 3).
    void InsertStrings(std::uint32_t first, std::uint32_t end)
    {
        if (mLongKeep && end - first > 2 * kEndsChained) {
            // Positions inside a long match repeat earlier ones: only its ends are chained.
            InsertStrings(first, first + kEndsChained);
            InsertStrings(end - kEndsChained, end);
            return;
        }
        // Locals, as the stores below could otherwise change the members for all the
        // compiler knows.
        std::uint32_t* heads = mHeads.data();
        std::uint16_t* older = mOlder.get();
        const std::uint32_t windowMask = mWindowMask;
        const std::uint32_t prefixMask = mPrefixMask;
        const int hashShift = mHashShift;
        std::uint32_t pos = first;
        if (mLongKeep) {
            std::uint32_t* longHeads = mLongHeads.data();
            std::uint16_t* longOlder = mLongOlder.get();
            for (const std::uint32_t both = std::min(end, mLongEnd); pos < both; ++pos) {
                const std::uint64_t bytes = Load64(mData + pos);
                std::uint32_t& head = heads[Hash(static_cast<std::uint32_t>(bytes) & prefixMask, hashShift)];
                older[pos & windowMask] = LinkTo(head, pos);
                head = pos;
                std::uint32_t& longHead = longHeads[LongHash(bytes, hashShift)];
                longOlder[pos & windowMask] = LinkTo(longHead, pos);
                longHead = pos;
            }
        }
        for (; pos < end; ++pos) {
            std::uint32_t& head = heads[Hash(Load32(mData + pos) & prefixMask, hashShift)];
            older[pos & windowMask] = LinkTo(head, pos);
            head = pos;
        }
    }

    // The longest match at pos longer than lengthToBeat, ending at stopLength, searched
    // first among the positions of pos's first eight bytes; only when none of those beats
    // lengthToBeat, and it is under eight, among at most keep positions of its first
    // four bytes, newest first.  The length is lengthToBeat when nothing longer was found.
    Match FindLongMatch(std::uint32_t pos, std::uint32_t stopLength, std::uint32_t lengthToBeat,
                        std::uint32_t keep);

    // Searches the positions of the prefix at pos for the longest earlier match, ending
    // at stopLength.  restart starts at the newest position; otherwise the search goes on
    // where the previous one stopped.  A match covers the last input byte only where the
    // finder allows it.  Only matches longer than lengthToBeat count: the search then
    // skips shorter candidates at once and finds the same longest match as a search that
    // counts them all.  The length is lengthToBeat when nothing longer was found.  A
    // restart visits at most the finder's number of positions.
    Match FindLongestMatch(std::uint32_t pos, std::uint32_t stopLength, bool restart,
                           std::uint32_t lengthToBeat = 2)
    {
        // Bytes from pos up to where matches end.
        const std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, mMatchEnd - pos);
        if (limit <= lengthToBeat) {
            mCursorLeft = 0;
            return {lengthToBeat, 0};
        }
        if (restart) {
            mCursor = mHeads[HashAt(pos)];
            mCursorLeft = mKeep;
        }
        // Most searches have no earlier position to look at.
        if (mCursor == kNoPosition)
            return {lengthToBeat, 0};
        return SearchChain(pos, std::min(stopLength, limit), limit, lengthToBeat);
    }

private:
    static constexpr std::uint32_t kNoPosition = 0xFFFFFFFF;
    static constexpr std::uint32_t kEndsChained = 16;

    // FindLongestMatch from the cursor on, which holds a position; nothing beats a
    // match of stop bytes.
    Match SearchChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                      std::uint32_t lengthToBeat);

    // The link from pos back to older, the position recorded before it under its prefix.
    static std::uint16_t LinkTo(std::uint32_t older, std::uint32_t pos)
    {
        if (older == kNoPosition || pos - older > kMaxDistance)
            return 0;
        return static_cast<std::uint16_t>(pos - older);
    }

    // Reads four bytes: pos is at most size - 4.
    std::uint32_t PrefixAt(std::uint32_t pos) const { return Load32(mData + pos) & mPrefixMask; }
    static std::uint64_t Load64(const std::uint8_t* p)
    {
        std::uint64_t value;
        std::memcpy(&value, p, 8);
        return value;
    }
    static std::uint32_t LongHash(std::uint64_t prefix, int shift)
    {
        return static_cast<std::uint32_t>((prefix * 0x9E3779B97F4A7C15ull) >> 32) >> shift;
    }
    static std::uint32_t Load32(const std::uint8_t* p)
    {
        std::uint32_t value;
        std::memcpy(&value, p, 4);
        return value;
    }
    static std::uint32_t Hash(std::uint32_t prefix, int shift) { return (prefix * 2654435761u) >> shift; }
    std::uint32_t HashAt(std::uint32_t pos) const { return Hash(PrefixAt(pos), mHashShift); }
    std::uint32_t MatchLength(std::uint32_t candidate, std::uint32_t pos, std::uint32_t limit) const;

    const std::uint8_t* mData;
    std::uint32_t mMatchEnd;
    std::uint32_t mKeep;
    std::uint32_t mPrefixMask;

    // Positions are chained newest first by hash of their prefix; prefixes that share a
    // hash share a chain, and a search passes over the positions of the others.
    std::vector<std::uint32_t> mHeads;
    int mHashShift = 0;
    // The distance back to the next older position of the chain, 0 where none is near
    // enough to match, indexed by position within a window that covers every distance a
    // match may have.  Only links of recorded positions are read, so the window is left
    // uninitialised.
    std::unique_ptr<std::uint16_t[]> mOlder;
    std::uint32_t mWindowMask = 0;

    // The chains of eight-byte prefixes, when kept, alike; positions from mLongEnd on
    // have fewer than eight bytes and are left out.
    Match SearchLongChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                          std::uint32_t lengthToBeat);
    std::uint32_t mLongKeep = 0;
    std::uint32_t mLongEnd = 0;
    std::vector<std::uint32_t> mLongHeads;
    std::unique_ptr<std::uint16_t[]> mLongOlder;

    std::uint32_t mCursor = 0;
    std::uint32_t mCursorLeft = 0;  // positions of the prefix still to visit
};

}  // namespace pdf::deflate
