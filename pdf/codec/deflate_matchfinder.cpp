#include "pdf/codec/deflate_matchfinder.h"

#include "pdf/codec/deflate_tables.h"

#include <algorithm>
#include <cstring>

namespace pdf::deflate {

namespace {

constexpr std::uint32_t kWindow = 32768;
constexpr int kMinTableBits = 8;

int BitsFor(std::uint32_t n)
{
    int bits = 0;
    while ((1u << bits) < n)
        ++bits;
    return bits;
}

}  // namespace

MatchFinder::MatchFinder(const std::uint8_t* data, std::uint32_t size, std::uint32_t keep)
    : mData(data), mSize(size), mKeep(keep)
{
    // Every prefix of the window fits at half load at most.
    int tableBits = std::max(kMinTableBits, BitsFor(std::min(size, kWindow) * 2));
    mPrefixes.assign(std::size_t(1) << tableBits, Prefix{kNoKey, 0, 0});
    mHashShift = 32 - tableBits;
    std::uint32_t window = std::uint32_t(1) << BitsFor(std::min(std::max(size, 1u), kWindow));
    mOlder.resize(window);
    mWindowMask = window - 1;
}

std::uint32_t MatchFinder::SlotOf(std::uint32_t key) const
{
    std::uint32_t mask = static_cast<std::uint32_t>(mPrefixes.size() - 1);
    std::uint32_t slot = (key * 2654435761u) >> mHashShift;
    while (mPrefixes[slot].key != key && mPrefixes[slot].key != kNoKey)
        slot = (slot + 1) & mask;
    return slot;
}

// A prefix whose newest position is out of reach of every later search can be
// forgotten: all its positions are out of reach too.
void MatchFinder::Regrow(std::uint32_t pos)
{
    std::vector<Prefix> old;
    old.swap(mPrefixes);
    std::uint32_t live = 0;
    for (const Prefix& p : old)
        if (p.key != kNoKey && pos - p.newest <= kMaxDistance)
            ++live;
    int tableBits = std::max(kMinTableBits, BitsFor(live * 4));
    mPrefixes.assign(std::size_t(1) << tableBits, Prefix{kNoKey, 0, 0});
    mHashShift = 32 - tableBits;
    mPrefixesUsed = 0;
    for (const Prefix& p : old) {
        if (p.key == kNoKey || pos - p.newest > kMaxDistance)
            continue;
        mPrefixes[SlotOf(p.key)] = p;
        ++mPrefixesUsed;
    }
}

void MatchFinder::InsertString(std::uint32_t pos)
{
    std::uint32_t key = KeyAt(pos);
    std::uint32_t slot = SlotOf(key);
    Prefix& prefix = mPrefixes[slot];
    if (prefix.key == kNoKey) {
        prefix = Prefix{key, pos, 1};
        if (++mPrefixesUsed * 2 > mPrefixes.size())
            Regrow(pos);
        return;
    }
    mOlder[pos & mWindowMask] = prefix.newest;
    prefix.newest = pos;
    if (prefix.count < mKeep)
        ++prefix.count;
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

void MatchFinder::FindLongestMatch(std::uint32_t pos, std::uint32_t stopLength, bool restart)
{
    mBestLength = 2;
    if (restart) {
        const Prefix& prefix = mPrefixes[SlotOf(KeyAt(pos))];
        if (prefix.key == kNoKey || pos - prefix.newest > kMaxDistance) {
            mCursorLeft = 0;
            return;
        }
        mCursor = prefix.newest;
        mCursorLeft = prefix.count;
    }
    // Bytes from pos up to, not including, the last input byte.
    const std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, mSize - 1 - pos);
    while (mCursorLeft > 0) {
        std::uint32_t candidate = mCursor;
        --mCursorLeft;
        mCursor = mOlder[candidate & mWindowMask];
        if (pos - candidate > kMaxDistance) {
            mCursorLeft = 0;
            return;
        }
        // Only a candidate that agrees at the best length so far can beat it.
        if (mBestLength < limit && mData[candidate + mBestLength] != mData[pos + mBestLength])
            continue;
        std::uint32_t length = MatchLength(candidate, pos, limit);
        if (length > mBestLength) {
            mBestLength = length;
            mBestPosition = candidate;
            if (mBestLength >= stopLength)
                return;
        }
    }
}

}  // namespace pdf::deflate
