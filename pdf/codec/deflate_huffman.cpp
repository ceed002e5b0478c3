#include "pdf/codec/deflate_huffman.h"

#include <algorithm>

namespace pdf::deflate {

namespace {

constexpr int kMaxSymbols = HuffmanCode::kMaxSymbols;

// A group of symbols as one key: its weight, then its number from the highest, so that
// the lightest group has the smallest key and, among equal weights, the later number.
std::uint64_t GroupKey(std::uint64_t weight, int number)
{
    return weight << 16 | std::uint64_t(0xFFFF - number);
}

std::uint64_t WeightOf(std::uint64_t key)
{
    return key >> 16;
}

int NumberOf(std::uint64_t key)
{
    return 0xFFFF - static_cast<int>(key & 0xFFFF);
}

// Groups still to be joined, smallest key first: the single symbols sorted once, and the
// joined groups in the order they are made, which is their key order too.  Groups leave
// in rising key order and a joined group outweighs both its parts; two joined groups of
// equal weight were made of four groups of half that weight, and the later went by the
// lower number.
class GroupQueues {
public:
    struct Group {
        std::uint64_t key;
        int node;  // the symbol, or count + the number of joins before it
    };

    GroupQueues(const std::uint32_t* weight, int count) : mCount(count)
    {
        for (int s = 0; s < count; ++s) {
            mSymbols[mSymbolEnd] = GroupKey(weight[s], s);
            mSymbolEnd += weight[s] != 0;
        }
        std::sort(mSymbols, mSymbols + mSymbolEnd);
    }

    // The symbols of non-zero weight, by key.
    int SymbolsUsed() const { return mSymbolEnd; }
    int SymbolAt(int i) const { return NumberOf(mSymbols[i]); }

    int Size() const { return mSymbolEnd - mSymbolNext + mJoinedEnd - mJoinedNext; }

    Group PopLightest()
    {
        if (mJoinedNext == mJoinedEnd
            || (mSymbolNext < mSymbolEnd && mSymbols[mSymbolNext] < mJoined[mJoinedNext])) {
            const std::uint64_t key = mSymbols[mSymbolNext++];
            return {key, NumberOf(key)};
        }
        const int join = mJoinedNext++;
        return {mJoined[join], mCount + join};
    }

    // Adds the group of the next join.
    void PushJoined(std::uint64_t key) { mJoined[mJoinedEnd++] = key; }

private:
    int mCount;
    std::uint64_t mSymbols[kMaxSymbols];
    std::uint64_t mJoined[kMaxSymbols];
    int mSymbolNext = 0;
    int mSymbolEnd = 0;
    int mJoinedNext = 0;
    int mJoinedEnd = 0;
};

// Depth of every symbol in a Huffman tree merged from the frequencies: the two lightest
// groups are joined until one is left, the later symbol counting as the lighter among
// equal weights, and the joined group going by the number of the lighter.  Symbols of
// weight 0 keep depth 0.
void TreeDepths(const std::uint32_t* weight, int count, int* depth)
{
    GroupQueues queues(weight, count);
    // Parents of the symbols, then of the joined groups, by node.
    int parent[2 * kMaxSymbols];
    int joins = 0;
    while (queues.Size() > 1) {
        const GroupQueues::Group lightest = queues.PopLightest();
        const GroupQueues::Group next = queues.PopLightest();
        const int node = count + joins++;
        parent[lightest.node] = node;
        parent[next.node] = node;
        queues.PushJoined(GroupKey(WeightOf(lightest.key) + WeightOf(next.key), NumberOf(lightest.key)));
    }
    // A group is one level below the group it was joined into; the last join is the root.
    int joinDepth[kMaxSymbols];
    joinDepth[joins - 1] = 0;
    for (int j = joins - 2; j >= 0; --j)
        joinDepth[j] = joinDepth[parent[count + j] - count] + 1;
    std::fill(depth, depth + count, 0);
    for (int i = 0; i < queues.SymbolsUsed(); ++i) {
        const int s = queues.SymbolAt(i);
        depth[s] = joinDepth[parent[s] - count] + 1;
    }
}

// Moves symbols out of the depths beyond maxBits, keeping the code complete.
void LimitDepths(int* perDepth, int deepest, int maxBits)
{
    for (int i = deepest; i > maxBits; --i) {
        while (perDepth[i] > 0) {
            int j = i - 2;
            while (perDepth[j] == 0)
                --j;
            perDepth[i] -= 2;
            perDepth[i - 1] += 1;
            perDepth[j + 1] += 2;
            perDepth[j] -= 1;
        }
    }
}

// The length low bits of code (length at most 16, code below 2^length), last bit first.
std::uint32_t Reversed(std::uint32_t code, int length)
{
    code = (code & 0x5555) << 1 | (code >> 1 & 0x5555);
    code = (code & 0x3333) << 2 | (code >> 2 & 0x3333);
    code = (code & 0x0F0F) << 4 | (code >> 4 & 0x0F0F);
    code = (code & 0x00FF) << 8 | (code >> 8 & 0x00FF);
    return code >> (16 - length);
}

}  // namespace

bool HuffmanCode::Build(const std::uint32_t* frequencies, int maxBits)
{
    const int count = SymbolCount();
    std::uint32_t weight[kMaxSymbols];
    std::copy(frequencies, frequencies + count, weight);
    int used = static_cast<int>(std::count_if(weight, weight + count,
                                              [](std::uint32_t w) { return w != 0; }));
    if (used == 0)
        return false;
    if (used == 1) {
        *std::find(weight, weight + count, 0u) = 1;
        used = 2;
    }

    int depth[kMaxSymbols];
    TreeDepths(weight, count, depth);
    // A tree over count symbols is at most count - 1 deep.
    int perDepth[kMaxSymbols + 1] = {};
    int deepest = maxBits;
    for (int s = 0; s < count; ++s) {
        if (depth[s] > 0)
            ++perDepth[depth[s]];
        deepest = std::max(deepest, depth[s]);
    }

    // The symbols in order of depth and, within one depth, of symbol number.
    int firstOfDepth[kMaxSymbols + 2];
    firstOfDepth[1] = 0;
    for (int d = 1; d <= deepest; ++d)
        firstOfDepth[d + 1] = firstOfDepth[d] + perDepth[d];
    int byDepth[kMaxSymbols];
    for (int s = 0; s < count; ++s)
        if (depth[s] > 0)
            byDepth[firstOfDepth[depth[s]]++] = s;
    LimitDepths(perDepth, deepest, maxBits);

    // Lengths are handed out shortest first, in that order.
    std::fill(mLengths, mLengths + count, 0);
    int length = 1;
    int leftAtLength = perDepth[1];
    for (int i = 0; i < used; ++i) {
        while (leftAtLength == 0)
            leftAtLength = perDepth[++length];
        mLengths[byDepth[i]] = static_cast<std::uint8_t>(length);
        --leftAtLength;
    }
    AssignCanonicalCodes();
    return true;
}

void HuffmanCode::SetLengths(const std::uint8_t* lengths)
{
    std::copy(lengths, lengths + SymbolCount(), mLengths);
    AssignCanonicalCodes();
}

void HuffmanCode::AssignCanonicalCodes()
{
    constexpr int kMaxLength = 16;
    std::uint32_t perLength[kMaxLength + 1] = {};
    for (int s = 0; s < SymbolCount(); ++s)
        if (mLengths[s] != 0)
            ++perLength[mLengths[s]];
    std::uint32_t nextCode[kMaxLength + 1] = {};
    std::uint32_t code = 0;
    for (int bits = 1; bits <= kMaxLength; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        nextCode[bits] = code;
    }
    // The codes are copied in at the end: GCC 12.2 (-O1 and above) dropped this loop
    // when it stored into the member.
    std::uint32_t streamBits[kMaxSymbols];
    for (int s = 0; s < SymbolCount(); ++s) {
        const int length = mLengths[s];
        streamBits[s] = length == 0 ? 0 : Reversed(nextCode[length]++, length);
    }
    std::copy(streamBits, streamBits + SymbolCount(), mStreamBits);
}

}  // namespace pdf::deflate
