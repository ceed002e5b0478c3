#include "pdf/codec/inflate_huffman.h"

#include <algorithm>
#include <array>

namespace pdf::inflate {

namespace {

constexpr int kMaxCodeLength = 15;

std::uint32_t Reversed(std::uint32_t code, int length)
{
    std::uint32_t out = 0;
    for (int i = 0; i < length; ++i, code >>= 1)
        out = out << 1 | (code & 1);
    return out;
}

// Puts entry at every index whose low `length` bits are `index`, below `size`.
void Spread(std::uint32_t* table, std::uint32_t index, int length, std::uint32_t size,
            std::uint32_t entry)
{
    for (std::uint32_t i = index; i < size; i += 1u << length)
        table[i] = entry;
}

}  // namespace

CodeShape HuffmanTable::Build(const std::uint8_t* lengths, int count,
                              const std::uint32_t* entries)
{
    std::array<int, kMaxCodeLength + 1> perLength{};
    for (int s = 0; s < count; ++s)
        ++perLength[lengths[s]];
    perLength[0] = 0;

    int left = 1;
    int longest = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        left = left * 2 - perLength[length];
        if (left < 0)
            return CodeShape::OverSubscribed;
        if (perLength[length] != 0)
            longest = length;
    }

    std::array<std::uint32_t, kMaxCodeLength + 2> next{};
    for (int length = 1; length <= kMaxCodeLength; ++length)
        next[length + 1] = (next[length] + perLength[length]) << 1;

    mLongest = longest;
    mUsedPrimaryBits = std::min(mPrimaryBits, longest);
    mPrimaryMask = (1u << mUsedPrimaryBits) - 1;
    const std::uint32_t primarySize = 1u << mUsedPrimaryBits;
    mEntries.assign(primarySize, MakeEntry(SymbolKind::Invalid, 0));

    // Codes longer than the primary bits share a subtable per primary prefix, sized for
    // the longest of them.
    std::vector<std::uint8_t> subtableBits(primarySize, 0);
    std::array<std::uint32_t, kMaxCodeLength + 2> code = next;
    for (int s = 0; s < count; ++s) {
        const int length = lengths[s];
        if (length == 0)
            continue;
        const std::uint32_t bits = Reversed(code[length]++, length);
        if (length <= mUsedPrimaryBits) {
            Spread(mEntries.data(), bits, length, primarySize,
                   entries[s] | static_cast<std::uint32_t>(length));
        } else {
            std::uint8_t& sub = subtableBits[bits & mPrimaryMask];
            sub = std::max<std::uint8_t>(sub, static_cast<std::uint8_t>(length - mUsedPrimaryBits));
        }
    }
    if (longest <= mUsedPrimaryBits)
        return left == 0 ? CodeShape::Complete : CodeShape::Incomplete;

    for (std::uint32_t prefix = 0; prefix < primarySize; ++prefix) {
        if (subtableBits[prefix] == 0)
            continue;
        const auto start = static_cast<std::uint32_t>(mEntries.size());
        mEntries[prefix] = MakeEntry(SymbolKind::Subtable, start, subtableBits[prefix]) |
                           static_cast<std::uint32_t>(mUsedPrimaryBits);
        mEntries.resize(start + (1u << subtableBits[prefix]), MakeEntry(SymbolKind::Invalid, 0));
    }
    code = next;
    for (int s = 0; s < count; ++s) {
        const int length = lengths[s];
        if (length == 0)
            continue;
        const std::uint32_t bits = Reversed(code[length]++, length);
        if (length <= mUsedPrimaryBits)
            continue;
        const std::uint32_t pointer = mEntries[bits & mPrimaryMask];
        const int rest = length - mUsedPrimaryBits;
        Spread(mEntries.data() + ValueOf(pointer), bits >> mUsedPrimaryBits, rest,
               1u << ExtraBitsOf(pointer), entries[s] | static_cast<std::uint32_t>(rest));
    }
    return left == 0 ? CodeShape::Complete : CodeShape::Incomplete;
}

}  // namespace pdf::inflate
