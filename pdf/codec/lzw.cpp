// LZWDecode encoder with the readers' default early change: codes of 9 to 12 bits,
// clear code 256, end-of-data code 257, the table emptied when it reaches the level's
// size.
#include "pdf/codec/filters.h"

#include "pdf/codec/level_error.h"

#include <array>

namespace pdf {

namespace {

constexpr int kClearCode = 256;
constexpr int kEndOfData = 257;
constexpr int kFirstFreeCode = 258;

// Codes packed most significant bit first.
class CodeWriter {
public:
    explicit CodeWriter(Bytes& out) : mOut(out) {}

    void Put(int code, int width)
    {
        mBuffer = mBuffer << width | static_cast<std::uint32_t>(code);
        mCount += width;
        while (mCount >= 8) {
            mCount -= 8;
            mOut.push_back(static_cast<std::uint8_t>(mBuffer >> mCount));
        }
    }

    void Flush()
    {
        if (mCount > 0)
            mOut.push_back(static_cast<std::uint8_t>(mBuffer << (8 - mCount)));
        mCount = 0;
    }

private:
    Bytes& mOut;
    std::uint32_t mBuffer = 0;
    int mCount = 0;
};

// The strings of the current table, each known by its prefix code and last byte.
class StringTable {
public:
    StringTable() { Clear(); }

    void Clear() { mSlots.fill(kEmpty); }

    // Code of prefix followed by byte, or -1.
    int Find(int prefix, std::uint8_t byte) const
    {
        std::uint32_t key = Key(prefix, byte);
        for (std::uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
            if (mSlots[slot] == kEmpty)
                return -1;
            if (mSlots[slot] >> 12 == key)
                return static_cast<int>(mSlots[slot] & 0xFFF);
        }
    }

    void Add(int prefix, std::uint8_t byte, int code)
    {
        std::uint32_t key = Key(prefix, byte);
        std::uint32_t slot = Hash(key);
        while (mSlots[slot] != kEmpty)
            slot = (slot + 1) & kMask;
        mSlots[slot] = key << 12 | static_cast<std::uint32_t>(code);
    }

private:
    static constexpr std::uint32_t kSlots = 8192;
    static constexpr std::uint32_t kMask = kSlots - 1;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    static std::uint32_t Key(int prefix, std::uint8_t byte)
    {
        return static_cast<std::uint32_t>(prefix) << 8 | byte;
    }
    static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> 19 & kMask; }

    std::array<std::uint32_t, kSlots> mSlots;
};

// Width a reader uses for the code that follows once nextCode is the next free code.
int CodeWidth(int nextCode)
{
    if (nextCode < 512)
        return 9;
    if (nextCode < 1024)
        return 10;
    if (nextCode < 2048)
        return 11;
    return 12;
}

}  // namespace

void EncodeLZW(Bytes& data, int level)
{
    if (level < 0 || level > kMaxLZWLevel)
        ThrowLevelOutOfRange();
    const int tableLimit = (1 << (9 + level)) - 1;

    Bytes out;
    out.reserve(data.size() * 3 / 2 + 2);
    CodeWriter writer(out);
    StringTable table;
    writer.Put(kClearCode, 9);

    int nextCode = kFirstFreeCode;
    int current = -1;
    for (std::uint8_t byte : data) {
        if (nextCode == tableLimit) {
            writer.Put(kClearCode, CodeWidth(nextCode));
            table.Clear();
            nextCode = kFirstFreeCode;
        }
        if (current < 0) {
            current = byte;
            continue;
        }
        int extended = table.Find(current, byte);
        if (extended >= 0) {
            current = extended;
            continue;
        }
        writer.Put(current, CodeWidth(nextCode));
        table.Add(current, byte, nextCode++);
        current = byte;
    }
    if (current >= 0) {
        writer.Put(current, CodeWidth(nextCode));
        // The reader adds one more string on reading that code, and widens the
        // end-of-data code accordingly.
        ++nextCode;
    }
    writer.Put(kEndOfData, CodeWidth(nextCode));
    writer.Flush();
    data.swap(out);
}

}  // namespace pdf
