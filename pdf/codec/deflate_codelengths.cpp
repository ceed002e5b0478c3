#include "pdf/codec/deflate_codelengths.h"

namespace pdf::deflate {

namespace {

constexpr int kRepeatPrevious = 16;  // 3 to 6 more of the previous length
constexpr int kRepeatZero = 17;      // 3 to 10 zeros
constexpr int kRepeatZeroLong = 18;  // 11 to 138 zeros

// Calls emit(symbol, extraValue) for each code-length symbol of the lengths 0 to
// lastSymbol.  A run's limits depend on the length that follows it.
template <typename Emit>
void WalkRuns(const HuffmanCode& tree, int lastSymbol, Emit emit)
{
    int previous = -1;
    int next = tree.Length(0);
    int count = 0;
    int maxCount = next == 0 ? 138 : 7;
    int minCount = next == 0 ? 3 : 4;
    for (int s = 0; s <= lastSymbol; ++s) {
        int current = next;
        next = s + 1 <= lastSymbol ? tree.Length(s + 1) : -1;
        if (++count < maxCount && current == next)
            continue;
        if (count < minCount) {
            for (int i = 0; i < count; ++i)
                emit(current, 0);
        } else if (current != 0) {
            if (current != previous) {
                emit(current, 0);
                --count;
            }
            emit(kRepeatPrevious, count - 3);
        } else if (count <= 10) {
            emit(kRepeatZero, count - 3);
        } else {
            emit(kRepeatZeroLong, count - 11);
        }
        count = 0;
        previous = current;
        if (next == 0) {
            maxCount = 138;
            minCount = 3;
        } else if (current == next) {
            maxCount = 6;
            minCount = 3;
        } else {
            maxCount = 7;
            minCount = 4;
        }
    }
}

}  // namespace

int CodeLengthExtraBits(int symbol)
{
    switch (symbol) {
    case kRepeatPrevious:
        return 2;
    case kRepeatZero:
        return 3;
    case kRepeatZeroLong:
        return 7;
    default:
        return 0;
    }
}

void ScanTree(const HuffmanCode& tree, int lastSymbol, std::uint32_t* frequencies)
{
    WalkRuns(tree, lastSymbol, [frequencies](int symbol, int) { ++frequencies[symbol]; });
}

void SendTree(const HuffmanCode& tree, int lastSymbol, const HuffmanCode& lengthCode,
              BitWriter& writer)
{
    WalkRuns(tree, lastSymbol, [&](int symbol, int extra) {
        lengthCode.Put(writer, symbol);
        if (int bits = CodeLengthExtraBits(symbol))
            writer.PutBits(static_cast<std::uint32_t>(extra), bits);
    });
}

}  // namespace pdf::deflate
