// Earlier occurrences of the three bytes at a position, newest first, at most a fixed
// number per three-byte prefix, and the longest match among them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace pdf::deflate {

class MatchFinder {
public:
    // Starts over on new data, keeping at most keep positions per prefix.
    MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep);

    // Records pos (at most size - 3) under the three bytes starting there.
    void InsertString(std::uint32_t pos)
    {
        std::uint32_t& head = mHeads[HashAt(pos)];
        mOlder[pos & mWindowMask] = head;
        head = pos;
    }

    // Searches the positions of the prefix at pos for the longest earlier match, ending
    // at stopLength.  restart starts at the newest position; otherwise the search goes on
    // where the previous one stopped.  A match never covers the last input byte.  Only
    // matches longer than lengthToBeat count: the search then skips shorter candidates
    // at once and finds the same longest match as a search that counts them all.
    void FindLongestMatch(std::uint32_t pos, std::uint32_t stopLength, bool restart,
                          std::uint32_t lengthToBeat = 2);

    // lengthToBeat when nothing longer was found.
    std::uint32_t BestLength() const { return mBestLength; }
    std::uint32_t BestPosition() const { return mBestPosition; }

private:
    std::uint32_t PrefixAt(std::uint32_t pos) const
    {
        return mData[pos] | std::uint32_t(mData[pos + 1]) << 8 | std::uint32_t(mData[pos + 2]) << 16;
    }
    std::uint32_t HashAt(std::uint32_t pos) const { return (PrefixAt(pos) * 2654435761u) >> mHashShift; }
    std::uint32_t MatchLength(std::uint32_t candidate, std::uint32_t pos, std::uint32_t limit) const;

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
    std::uint32_t mBestLength = 2;
    std::uint32_t mBestPosition = 0;
};

}  // namespace pdf::deflate
