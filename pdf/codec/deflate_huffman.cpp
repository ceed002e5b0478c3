#include "pdf/codec/deflate_huffman.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace pdf::deflate {

namespace {

constexpr int kNone = -1;

// Depth of every symbol in a Huffman tree merged from the frequencies: the two lightest
// groups are joined until one is left, the later symbol counting as the lighter among
// equal weights.  Symbols of weight 0 keep depth 0.  A group goes by the number of its
// first symbol, so the queue orders groups by weight, then by number from the highest.
std::vector<int> TreeDepths(const std::vector<std::uint32_t>& weight)
{
    const int count = static_cast<int>(weight.size());
    std::vector<int> depth(count, 0);
    std::vector<int> nextMember(count, kNone);
    std::vector<int> lastMember(count);
    for (int s = 0; s < count; ++s)
        lastMember[s] = s;

    // A group as one key: weight, then the group's number from the highest.
    auto key = [](std::uint64_t w, int number) { return w << 16 | std::uint64_t(0xFFFF - number); };
    std::vector<std::uint64_t> groups;
    groups.reserve(count);
    for (int s = 0; s < count; ++s)
        if (weight[s] != 0)
            groups.push_back(key(weight[s], s));
    std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<std::uint64_t>> queue(
        std::greater<std::uint64_t>(), std::move(groups));

    while (queue.size() > 1) {
        const std::uint64_t lightest = queue.top();
        queue.pop();
        const std::uint64_t next = queue.top();
        queue.pop();
        const int smallest = 0xFFFF - static_cast<int>(lightest & 0xFFFF);
        const int second = 0xFFFF - static_cast<int>(next & 0xFFFF);
        queue.push(key((lightest >> 16) + (next >> 16), smallest));
        for (int m = smallest; m != kNone; m = nextMember[m])
            ++depth[m];
        for (int m = second; m != kNone; m = nextMember[m])
            ++depth[m];
        nextMember[lastMember[smallest]] = second;
        lastMember[smallest] = lastMember[second];
    }
    return depth;
}

// Moves symbols out of the depths beyond maxBits, keeping the code complete.
void LimitDepths(std::vector<int>& perDepth, int maxBits)
{
    for (int i = static_cast<int>(perDepth.size()) - 1; i > maxBits; --i) {
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

std::uint32_t Reversed(std::uint32_t code, int length)
{
    std::uint32_t out = 0;
    for (int i = 0; i < length; ++i, code >>= 1)
        out = out << 1 | (code & 1);
    return out;
}

}  // namespace

bool HuffmanCode::Build(const std::uint32_t* frequencies, int maxBits)
{
    const int count = SymbolCount();
    std::vector<std::uint32_t> weight(frequencies, frequencies + count);
    int used = static_cast<int>(std::count_if(weight.begin(), weight.end(),
                                              [](std::uint32_t w) { return w != 0; }));
    if (used == 0)
        return false;
    if (used == 1)
        *std::find(weight.begin(), weight.end(), 0u) = 1;

    std::vector<int> depth = TreeDepths(weight);
    // A tree over count symbols is at most count - 1 deep.
    std::vector<int> perDepth(std::max(count, maxBits + 1), 0);
    for (int s = 0; s < count; ++s)
        if (depth[s] > 0)
            ++perDepth[depth[s]];

    // The symbols in order of depth and, within one depth, of symbol number.
    std::vector<int> firstOfDepth(perDepth.size() + 1, 0);
    for (std::size_t d = 1; d < perDepth.size(); ++d)
        firstOfDepth[d + 1] = firstOfDepth[d] + perDepth[d];
    std::vector<int> byDepth(static_cast<std::size_t>(firstOfDepth.back()));
    for (int s = 0; s < count; ++s)
        if (depth[s] > 0)
            byDepth[static_cast<std::size_t>(firstOfDepth[depth[s]]++)] = s;
    LimitDepths(perDepth, maxBits);

    // Lengths are handed out shortest first, in that order.
    int length = 1;
    int leftAtLength = perDepth[1];
    for (int s : byDepth) {
        while (leftAtLength == 0)
            leftAtLength = perDepth[++length];
        mLengths[s] = static_cast<std::uint8_t>(length);
        --leftAtLength;
    }
    for (int s = 0; s < count; ++s)
        if (depth[s] == 0)
            mLengths[s] = 0;
    AssignCanonicalCodes();
    return true;
}

void HuffmanCode::SetLengths(const std::uint8_t* lengths)
{
    std::copy(lengths, lengths + SymbolCount(), mLengths.begin());
    AssignCanonicalCodes();
}

void HuffmanCode::AssignCanonicalCodes()
{
    int maxLength = *std::max_element(mLengths.begin(), mLengths.end());
    std::vector<std::uint32_t> perLength(maxLength + 1, 0);
    for (std::uint8_t length : mLengths)
        ++perLength[length];
    perLength[0] = 0;
    std::vector<std::uint32_t> nextCode(maxLength + 1, 0);
    std::uint32_t code = 0;
    for (int bits = 1; bits <= maxLength; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        nextCode[bits] = code;
    }
    for (int s = 0; s < SymbolCount(); ++s) {
        int length = mLengths[s];
        if (length == 0)
            continue;
        mCodes[s] = nextCode[length]++;
        mStreamBits[s] = Reversed(mCodes[s], length);
    }
}

}  // namespace pdf::deflate
