#include "pdf/codec/inflate_huffman.h"

#include <algorithm>
#include <array>
#include <bit>

namespace pdf::inflate {

namespace {

constexpr int kMaxCodeLength = 15;
constexpr int kMaxSymbols = 288;
constexpr std::uint32_t kInvalidEntry = MakeEntry(kInvalid, 0);

constexpr std::array<std::uint8_t, 256> ReversedBytes()
{
    std::array<std::uint8_t, 256> reversed{};
    for (int b = 0; b < 256; ++b)
        for (int i = 0; i < 8; ++i)
            reversed[b] |= static_cast<std::uint8_t>(((b >> i) & 1) << (7 - i));
    return reversed;
}

constexpr auto kReversedBytes = ReversedBytes();

// A code read most significant bit first, as the stream's bits hold it: least first.
std::uint32_t Reversed(std::uint32_t code, int length)
{
    const std::uint32_t reversed16 = kReversedBytes[code & 255] << 8 | kReversedBytes[code >> 8 & 255];
    return reversed16 >> (16 - length);
}

// Puts entry at every index whose low bits are `index`, stepping by `step`, below `size`.
void Spread(std::uint32_t* table, std::uint32_t index, std::uint32_t step, std::uint32_t size,
            std::uint32_t entry)
{
    for (std::uint32_t i = index; i < size; i += step)
        table[i] = entry;
}

}  // namespace

CodeShape HuffmanTable::Build(const std::uint8_t* lengths, int count,
                              const std::uint32_t* entries)
{
    std::array<int, kMaxCodeLength + 2> perLength{};
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
    const bool complete = left == 0;

    // The used symbols in code order (by length, then by symbol), with their codes.
    std::array<int, kMaxCodeLength + 2> start{};
    for (int length = 1; length <= kMaxCodeLength; ++length)
        start[length + 1] = start[length] + perLength[length];
    const int used = start[kMaxCodeLength + 1];
    std::array<std::uint16_t, kMaxSymbols> symbols;
    for (int s = 0; s < count; ++s)
        if (lengths[s] != 0)
            symbols[static_cast<std::size_t>(start[lengths[s]]++)] = static_cast<std::uint16_t>(s);
    std::array<std::uint16_t, kMaxSymbols> codes;
    for (int i = 0, code = 0, length = 0; i < used; ++i, ++code) {
        const int next = lengths[symbols[static_cast<std::size_t>(i)]];
        code <<= next - length;
        length = next;
        codes[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(code);
    }

    mLongest = longest;
    const int primary = std::min(mPrimaryBits, longest);
    mPrimaryMask = (1u << primary) - 1;
    const std::uint32_t primarySize = 1u << primary;
    if (mEntries.size() < primarySize)
        mEntries.resize(primarySize);
    if (!complete)
        std::fill_n(mEntries.begin(), primarySize, kInvalidEntry);

    int i = 0;
    int shortLiterals = 0;
    for (; i < used; ++i) {
        const int s = symbols[static_cast<std::size_t>(i)];
        const int length = lengths[s];
        if (length > primary)
            break;
        const std::uint32_t reversed = Reversed(codes[static_cast<std::size_t>(i)], length);
        const std::uint32_t entry = entries[s] + static_cast<std::uint32_t>(length | length << 8);
        Spread(mEntries.data(), reversed, 1u << length, primarySize, entry);
        if ((entry & kLiteral) && length < primary)
            mShortLiterals[static_cast<std::size_t>(shortLiterals++)] = {reversed, entry};
    }
    mShortLiteralCount = shortLiterals;

    // Longer codes share a subtable per first-table prefix, sized for the longest of them;
    // codes of one prefix follow each other in code order.
    std::uint32_t size = primarySize;
    while (i < used) {
        auto prefixOf = [&](int k) -> std::uint32_t {
            return codes[static_cast<std::size_t>(k)] >> (lengths[symbols[static_cast<std::size_t>(k)]] - primary);
        };
        const std::uint32_t prefix = prefixOf(i);
        int end = i + 1;
        while (end < used && prefixOf(end) == prefix)
            ++end;
        const int bits = lengths[symbols[static_cast<std::size_t>(end - 1)]] - primary;
        const std::uint32_t subtableSize = 1u << bits;
        if (mEntries.size() < size + subtableSize)
            mEntries.resize(size + subtableSize);
        if (!complete)
            std::fill_n(mEntries.begin() + size, subtableSize, kInvalidEntry);
        mEntries[Reversed(prefix, primary)] =
            MakeEntry(kSubtable, size) | static_cast<std::uint32_t>(primary | bits << 8);
        for (; i < end; ++i) {
            const int s = symbols[static_cast<std::size_t>(i)];
            const int rest = lengths[s] - primary;
            const std::uint32_t low = codes[static_cast<std::size_t>(i)] & ((1u << rest) - 1);
            Spread(mEntries.data() + size, Reversed(low, rest), 1u << rest, subtableSize,
                   entries[s] + static_cast<std::uint32_t>(rest | rest << 8));
        }
        size += subtableSize;
    }
    return complete ? CodeShape::Complete : CodeShape::Incomplete;
}

void HuffmanTable::PairLiterals()
{
    const int primary = std::countr_zero(mPrimaryMask + 1);
    const auto* const literals = mShortLiterals.data();
    // Short literals come shortest first: the second ones that fit after a first end
    // where one does not.
    for (int a = 0; a < mShortLiteralCount; ++a) {
        const std::uint32_t first = literals[a].entry;
        const int firstLength = static_cast<int>(first & 63);
        for (int b = 0; b < mShortLiteralCount; ++b) {
            const std::uint32_t second = literals[b].entry;
            const int length = firstLength + static_cast<int>(second & 63);
            if (length > primary)
                break;
            Spread(mEntries.data(), literals[a].reversedCode | literals[b].reversedCode << firstLength,
                   1u << length, mPrimaryMask + 1,
                   (first & ~std::uint32_t{63}) + static_cast<std::uint32_t>(length) + kTwoLiterals +
                       ((second >> 16) << 24));
        }
    }
}

}  // namespace pdf::inflate
