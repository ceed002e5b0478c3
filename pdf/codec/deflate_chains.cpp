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

}  // namespace pdf::deflate
