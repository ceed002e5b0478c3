#include "pdf/reader/stream_filters.h"

#include <cstdint>

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/lexer.h"
#include "pdf/reader/stream_data.h"

namespace pdf {

namespace {

[[noreturn]] void ThrowBadData(const char* filter)
{
    throw Error(err::kInvalidFileFormat, std::string("Stream data that ") + filter + " cannot have written");
}

// The decoded bytes, refused past the cap.
class CappedOutput {
public:
    explicit CappedOutput(std::size_t cap) : mCap(cap) {}
    void Repeat(std::uint8_t byte, std::size_t times)
    {
        if (times > mCap - mBytes.size())
            ThrowLimitReached(mCap);
        mBytes.insert(mBytes.end(), times, byte);
    }
    void Append(const std::uint8_t* bytes, std::size_t count)
    {
        if (count > mCap - mBytes.size())
            ThrowLimitReached(mCap);
        mBytes.insert(mBytes.end(), bytes, bytes + count);
    }
    Bytes Take() { return std::move(mBytes); }

private:
    std::size_t mCap;
    Bytes mBytes;
};

}  // namespace

// Digits two by two up to ">", white space passed over; a lone last digit is followed by 0.
Bytes DecodeASCIIHex(const Bytes& data, std::size_t cap)
{
    CappedOutput out(cap);
    int high = -1;
    for (const std::uint8_t c : data) {
        if (c == '>')
            break;
        if (IsWhite(static_cast<char>(c)))
            continue;
        const int digit = HexDigitValue(static_cast<char>(c));
        if (digit < 0)
            ThrowBadData("ASCIIHexDecode");
        if (high < 0) {
            high = digit;
        } else {
            out.Repeat(static_cast<std::uint8_t>(high * 16 + digit), 1);
            high = -1;
        }
    }
    if (high >= 0)
        out.Repeat(static_cast<std::uint8_t>(high * 16), 1);
    return out.Take();
}

// Five characters "!" to "u" make four bytes, "z" four zeros, up to "~>"; a last group of
// n characters makes n - 1 bytes.
Bytes DecodeASCII85(const Bytes& data, std::size_t cap)
{
    CappedOutput out(cap);
    std::uint64_t group = 0;
    int count = 0;
    const auto flush = [&](int characters) {
        for (int i = characters; i < 5; ++i)
            group = group * 85 + 84;
        if (group > 0xffffffffu)
            ThrowBadData("ASCII85Decode");
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(group >> 24), static_cast<std::uint8_t>(group >> 16),
                                       static_cast<std::uint8_t>(group >> 8), static_cast<std::uint8_t>(group)};
        out.Append(bytes, static_cast<std::size_t>(characters - 1));
        group = 0;
        count = 0;
    };
    for (const std::uint8_t c : data) {
        if (c == '~')
            break;
        if (IsWhite(static_cast<char>(c)))
            continue;
        if (c == 'z' && count == 0) {
            out.Repeat(0, 4);
            continue;
        }
        if (c < '!' || c > 'u')
            ThrowBadData("ASCII85Decode");
        group = group * 85 + (c - '!');
        if (++count == 5)
            flush(5);
    }
    if (count == 1)
        ThrowBadData("ASCII85Decode");
    if (count > 1)
        flush(count);
    return out.Take();
}

// A length byte n: below 128 the next n + 1 bytes as they are, above it the next byte
// 257 - n times, 128 the end.  Data cut short ends the decoding.
Bytes DecodeRunLength(const Bytes& data, std::size_t cap)
{
    CappedOutput out(cap);
    for (std::size_t i = 0; i < data.size() && data[i] != 128;) {
        const std::size_t length = data[i++];
        if (length < 128) {
            const std::size_t count = std::min(length + 1, data.size() - i);
            out.Append(data.data() + i, count);
            i += count;
        } else if (i < data.size()) {
            out.Repeat(data[i++], 257 - length);
        }
    }
    return out.Take();
}

// Codes 0-255 are bytes, 256 clears the table, 257 ends the data; each further code is an
// earlier string and the first byte of the next one.  Data cut short ends the decoding.
Bytes DecodeLZW(const Bytes& data, bool earlyChange, std::size_t cap)
{
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    constexpr int kMaxCodes = 4096;
    struct Entry {
        int prefix;  // -1 for a single byte
        std::uint8_t last;
        std::uint8_t first;
        std::size_t length;
    };
    std::vector<Entry> table;
    table.reserve(kMaxCodes);
    const auto reset = [&] {
        table.clear();
        for (int b = 0; b < 258; ++b)
            table.push_back({-1, static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(b), 1});
    };
    reset();

    CappedOutput out(cap);
    Bytes string;
    const auto emit = [&](int code) {
        string.resize(table[static_cast<std::size_t>(code)].length);
        for (std::size_t i = string.size(); i-- > 0; code = table[static_cast<std::size_t>(code)].prefix)
            string[i] = table[static_cast<std::size_t>(code)].last;
        out.Append(string.data(), string.size());
    };

    std::uint32_t buffer = 0;
    int bits = 0;
    int width = 9;
    int previous = -1;
    for (std::size_t i = 0;;) {
        while (bits < width && i < data.size()) {
            buffer = buffer << 8 | data[i++];
            bits += 8;
        }
        if (bits < width)
            break;
        const int code = static_cast<int>(buffer >> (bits - width) & ((1u << width) - 1));
        bits -= width;
        if (code == kEnd)
            break;
        if (code == kClear) {
            reset();
            width = 9;
            previous = -1;
            continue;
        }
        const int size = static_cast<int>(table.size());
        if (code > size || (code == size && previous < 0))
            ThrowBadData("LZWDecode");
        if (previous >= 0 && size < kMaxCodes) {
            const Entry& before = table[static_cast<std::size_t>(previous)];
            const std::uint8_t next = code == size ? before.first : table[static_cast<std::size_t>(code)].first;
            table.push_back({previous, next, before.first, before.length + 1});
        }
        if (code >= static_cast<int>(table.size()))
            ThrowBadData("LZWDecode");
        emit(code);
        previous = code;
        const int grown = static_cast<int>(table.size()) + (earlyChange ? 1 : 0);
        width = grown >= 2048 ? 12 : grown >= 1024 ? 11 : grown >= 512 ? 10 : 9;
    }
    return out.Take();
}

}  // namespace pdf
