// Inflate against zlib's compressor and our own, and on streams cut short or damaged.
#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"
#include "sample_data.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using pdf::Bytes;

// A zlib stream of zlib's own making, without its two header bytes.
Bytes ZlibRaw(const Bytes& data, int level, int strategy)
{
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
    Bytes out(deflateBound(&z, data.size()));
    z.next_in = const_cast<Bytes::value_type*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

Bytes Samples()
{
    std::ifstream in("/usr/share/common-licenses/GPL-3", std::ios::binary);
    Bytes text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Bytes random = codectest::RandomBytes(70000, 7);
    text.insert(text.end(), random.begin(), random.end());
    text.insert(text.end(), 70000, 'a');
    for (int i = 0; i < 50000; ++i)
        text.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? i : i % 251));
    return text;
}

int ErrorOf(const Bytes& raw, std::size_t cap = pdf::kNoOutputCap,
            pdf::InflateRules rules = pdf::InflateRules::Lenient)
{
    try {
        pdf::Inflate(raw, cap, rules);
    } catch (const pdf::Error& e) {
        return e.Number();
    }
    return 0;
}

TEST(Inflate, DecodesZlibAtEveryLevelAndStrategy)
{
    const Bytes sample = Samples();
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED}) {
        for (int level = 0; level <= 9; ++level) {
            EXPECT_EQ(pdf::Inflate(ZlibRaw(sample, level, strategy)), sample)
                << "level " << level << " strategy " << strategy;
        }
    }
    EXPECT_TRUE(pdf::Inflate(ZlibRaw({}, 6, Z_DEFAULT_STRATEGY)).empty());
}

TEST(Inflate, DecodesOurDeflateAtEveryLevel)
{
    const Bytes sample = Samples();
    for (int level = 0; level <= 5; ++level) {
        Bytes encoded = sample;
        pdf::EncodeFlate(encoded, level);
        EXPECT_EQ(pdf::Inflate(std::span(encoded).subspan(2)), sample) << "level " << level;
    }
}

TEST(Inflate, MatchesReachingBackToTheFirstByte)
{
    // A few distinct bytes, then matches of every distance class back to the very start,
    // long ones overlapping what they write.
    for (std::size_t distance : {1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 300}) {
        Bytes data = codectest::RandomBytes(distance, static_cast<std::uint32_t>(distance));
        for (std::size_t i = 0; i < 2000; ++i)
            data.push_back(data[i]);
        EXPECT_EQ(pdf::Inflate(ZlibRaw(data, 9, Z_DEFAULT_STRATEGY)), data) << "distance " << distance;
    }
}

TEST(Inflate, EveryStreamLengthAndLongCodes)
{
    // Streams ending at every byte near where the decoder leaves its fast loop.
    const Bytes sample = Samples();
    for (std::size_t size = 0; size < 400; size += 7) {
        const Bytes data(sample.begin(), sample.begin() + static_cast<long>(size));
        EXPECT_EQ(pdf::Inflate(ZlibRaw(data, 6, Z_DEFAULT_STRATEGY)), data) << "size " << size;
    }
    // Byte counts growing like the Fibonacci numbers give codes of the longest length.
    Bytes skewed;
    for (int symbol = 0, a = 1, b = 1; symbol < 24; ++symbol, b += a, a = b - a)
        skewed.insert(skewed.end(), static_cast<std::size_t>(a), static_cast<std::uint8_t>(symbol * 11));
    EXPECT_EQ(pdf::Inflate(ZlibRaw(skewed, 6, Z_HUFFMAN_ONLY)), skewed);
}

TEST(Inflate, HandBuiltBlocks)
{
    // Two stored blocks, the first not final, then a trailer that is never read.
    EXPECT_EQ(pdf::Inflate(Bytes{0x00, 2, 0, 0xFD, 0xFF, 'a', 'b', 0x01, 1, 0, 0xFE, 0xFF, 'c',
                                 0xDE, 0xAD}),
              (Bytes{'a', 'b', 'c'}));
    // A stored block whose length check fails is copied all the same.
    EXPECT_EQ(pdf::Inflate(Bytes{0x01, 5, 0, 0x00, 0x00, '1', '2', '3', '4', '5'}),
              (Bytes{'1', '2', '3', '4', '5'}));
    // A fixed block holding only its end symbol.
    EXPECT_TRUE(pdf::Inflate(Bytes{0x03, 0x00}).empty());
}

TEST(Inflate, DamagedStreamsFailWithErrorNine)
{
    const Bytes sample = Samples();
    const Bytes raw = ZlibRaw(sample, 6, Z_DEFAULT_STRATEGY);
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{7}, raw.size() / 2,
                            raw.size() - 1})
        EXPECT_EQ(ErrorOf(Bytes(raw.begin(), raw.begin() + static_cast<long>(cut))), 9)
            << "cut at " << cut;

    // Flipped bits either fail with error 9 or decode to something else: never a crash.
    for (std::size_t at = 0; at < raw.size(); at += raw.size() / 97) {
        Bytes damaged = raw;
        damaged[at] ^= 0x5A;
        const int error = ErrorOf(damaged);
        EXPECT_TRUE(error == 0 || error == 9) << "error " << error;
    }

    EXPECT_EQ(ErrorOf(Bytes{0x00, 2, 0, 0xFD, 0xFF, 'a', 'b'}), 9);  // no final block
    EXPECT_EQ(ErrorOf(Bytes{0x03}), 9);  // a fixed block whose end symbol is cut
    EXPECT_EQ(ErrorOf(Bytes{0x06}), 9);  // a reserved block, not final, then nothing
    // A match reaching back before the first byte: fixed code, length 3, distance 1.
    EXPECT_EQ(ErrorOf(Bytes{0x03, 0x02, 0x00}), 9);
}

// zlib's own verdict on raw Deflate data: the bytes, or nothing when it refuses them.
std::optional<Bytes> ZlibInflate(const Bytes& raw)
{
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
    z.next_in = const_cast<Bytes::value_type*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    Bytes out;
    int status = Z_OK;
    while (status == Z_OK && out.size() < (1u << 24)) {
        std::uint8_t chunk[1 << 16];
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    }
    inflateEnd(&z);
    return status == Z_STREAM_END ? std::optional(out) : std::nullopt;
}

// Strict decoding refuses exactly what zlib refuses: the hand-made blocks that lenient
// decoding takes, and streams with flipped bits.
TEST(Inflate, StrictRulesRefuseWhatZlibRefuses)
{
    const Bytes handMade[] = {
        {0x01, 5, 0, 0x00, 0x00, '1', '2', '3', '4', '5'},  // a stored length check that fails
        {0x02, 0x1C},        // an empty fixed block, then a final one of the reserved type
        {0xFD, 0x00, 0x00},  // a dynamic block giving lengths to 288 literal/length symbols
    };
    constexpr auto kStrict = pdf::InflateRules::Strict;
    for (const Bytes& raw : handMade) {
        EXPECT_EQ(ZlibInflate(raw), std::nullopt);
        EXPECT_EQ(ErrorOf(raw, pdf::kNoOutputCap, kStrict), 9);
    }
    EXPECT_EQ(ErrorOf(handMade[0]), 0);
    EXPECT_EQ(ErrorOf(handMade[1]), 0);

    const Bytes sample = Samples();
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
        const Bytes raw = ZlibRaw(sample, 6, strategy);
        for (std::size_t at = 0; at < raw.size(); at += raw.size() / 199) {
            Bytes damaged = raw;
            damaged[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
            const std::optional<Bytes> expected = ZlibInflate(damaged);
            if (expected)
                EXPECT_EQ(pdf::Inflate(damaged, pdf::kNoOutputCap, kStrict), *expected) << "at " << at;
            else
                EXPECT_EQ(ErrorOf(damaged, pdf::kNoOutputCap, kStrict), 9) << "at " << at;
        }
    }
}

TEST(Inflate, OutputCapStopsADecompressionBomb)
{
    const Bytes zeros(1 << 20, 0);
    const Bytes raw = ZlibRaw(zeros, 9, Z_DEFAULT_STRATEGY);
    EXPECT_EQ(pdf::Inflate(raw, zeros.size()), zeros);
    EXPECT_EQ(ErrorOf(raw, zeros.size() - 1), 9);
    EXPECT_EQ(ErrorOf(raw, 1000), 9);

    const Bytes sample = Samples();
    const Bytes mixed = ZlibRaw(sample, 6, Z_DEFAULT_STRATEGY);
    EXPECT_EQ(pdf::Inflate(mixed, sample.size()), sample);
    EXPECT_EQ(ErrorOf(mixed, sample.size() - 1), 9);

    // Literals of codes short enough to be decoded two at a time, ending on either of a pair.
    Bytes letters;
    for (std::uint32_t i = 0, x = 1; i < 400; ++i, x = x * 1103515245 + 12345)
        letters.push_back(static_cast<std::uint8_t>('a' + (x >> 16) % 5));
    for (std::size_t size = 360; size < 400; ++size) {
        const Bytes data(letters.begin(), letters.begin() + static_cast<long>(size));
        const Bytes huffmanOnly = ZlibRaw(data, 6, Z_HUFFMAN_ONLY);
        EXPECT_EQ(pdf::Inflate(huffmanOnly, size), data) << "size " << size;
        EXPECT_EQ(ErrorOf(huffmanOnly, size - 1), 9) << "size " << size;
    }
}

}  // namespace
