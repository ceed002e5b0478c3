// Earlier occurrences of the three bytes at a position, newest first, at most a fixed
// number per three-byte prefix, and the longest match among them.
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

// The four or eight bytes at p as a little-endian word.
inline std::uint32_t Load32(const std::uint8_t* p)
{
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}
inline std::uint64_t Load64(const std::uint8_t* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    return value;
}

// How far the bytes at a and at b agree, up to limit, knowing they agree on the first
// `known`.
inline std::uint32_t AgreeingLength(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t known,
                                    std::uint32_t limit)
{
    std::uint32_t length = known;
    while (length + 8 <= limit) {
        const std::uint64_t difference = Load64(a + length) ^ Load64(b + length);
        if (difference != 0)
            return length + static_cast<std::uint32_t>(std::countr_zero(difference) / 8);
        length += 8;
    }
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

class MatchFinder {
public:
    // Starts over on new data, keeping at most keep positions per prefix.
    MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep);

    // Records pos (at most size - 4) under the three bytes starting there.
    void InsertString(std::uint32_t pos) { InsertStrings(pos, pos + 1); }

    // Records the positions from first up to, not including, end (at most size - 3).
    void InsertStrings(std::uint32_t first, std::uint32_t end)
    {
        // Locals, as the stores below could otherwise change the members for all the
        // compiler knows.
        std::uint32_t* heads = mHeads.data();
        std::uint32_t* older = mOlder.get();
        const std::uint32_t windowMask = mWindowMask;
        const int hashShift = mHashShift;
        for (std::uint32_t pos = first; pos < end; ++pos) {
            std::uint32_t& head = heads[Hash(PrefixAt(pos), hashShift)];
            older[pos & windowMask] = head;
            head = pos;
        }
    }

    // Searches the positions of the prefix at pos for the longest earlier match, ending
    // at stopLength.  restart starts at the newest position; otherwise the search goes on
    // where the previous one stopped.  A match never covers the last input byte.  Only
    // matches longer than lengthToBeat count: the search then skips shorter candidates
    // at once and finds the same longest match as a search that counts them all.  The
    // length is lengthToBeat when nothing longer was found.
    Match FindLongestMatch(std::uint32_t pos, std::uint32_t stopLength, bool restart,
                           std::uint32_t lengthToBeat = 2)
    {
        // Bytes from pos up to, not including, the last input byte.
        const std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, mSize - 1 - pos);
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

    // FindLongestMatch from the cursor on, which holds a position; nothing beats a
    // match of stop bytes.
    Match SearchChain(std::uint32_t pos, std::uint32_t stop, std::uint32_t limit,
                      std::uint32_t lengthToBeat);

    // Reads four bytes: pos is at most size - 4.
    std::uint32_t PrefixAt(std::uint32_t pos) const { return Load32(mData + pos) & 0xFFFFFF; }
    static std::uint32_t Hash(std::uint32_t prefix, int shift) { return (prefix * 2654435761u) >> shift; }
    std::uint32_t HashAt(std::uint32_t pos) const { return Hash(PrefixAt(pos), mHashShift); }

    const std::uint8_t* mData;
    std::uint32_t mSize;
    std::uint32_t mKeep;

    // Positions are chained newest first by hash of their prefix; prefixes that share a
    // hash share a chain, and a search passes over the positions of the others.
    std::vector<std::uint32_t> mHeads;
    int mHashShift = 0;
    // The next older position of the chain, indexed by position within a window that
    // covers every distance a match may have.  Only links of recorded positions are read,
    // so the window is left uninitialised.
    std::unique_ptr<std::uint32_t[]> mOlder;
    std::uint32_t mWindowMask = 0;

    std::uint32_t mCursor = 0;
    std::uint32_t mCursorLeft = 0;  // positions of the prefix still to visit
};

}  // namespace pdf::deflate
