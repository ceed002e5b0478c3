#include "deflate_reader.h"
#include "sample_data.h"

#include "pdf/codec/deflate_bitwriter.h"
#include "pdf/codec/deflate_huffman.h"
#include "pdf/codec/deflate_tokens.h"
#include "pdf/codec/filters.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "pdf/core/error.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using codectest::DeflateReader;
using codectest::DeflateToken;
using codectest::RandomBytes;

pdf::Bytes Encoded(pdf::Bytes data, int level)
{
    pdf::EncodeFlate(data, level);
    return data;
}

pdf::Bytes Inflated(const pdf::Bytes& stream, std::size_t expectedSize)
{
    pdf::Bytes out(expectedSize + 1);
    uLongf outSize = out.size();
    int status = uncompress(out.data(), &outSize, stream.data(), stream.size());
    EXPECT_EQ(status, Z_OK);
    out.resize(status == Z_OK ? outSize : 0);
    return out;
}

pdf::Bytes Text(const std::string& s)
{
    return pdf::Bytes(s.begin(), s.end());
}

pdf::Bytes PageContent(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "BT /F1 " + std::to_string(9 + i % 4) + " Tf 72 " + std::to_string(780 - i % 60 * 12)
                + " Td (Réunion d'équipe n° " + std::to_string(i * 7919 % 1000) + " à l'atelier) Tj ET\n";
        if (i % 5 == 0)
            text += "0.5 w " + std::to_string(60 + i % 13) + " " + std::to_string(100 + i % 600)
                    + " 470 14 re S\n";
    }
    return Text(text);
}

DeflateToken Literal(int byte)
{
    return {byte, 0, 0};
}
DeflateToken Match(int length, int distance)
{
    return {-1, length, distance};
}

TEST(Deflate, GoldenStreams)
{
    EXPECT_EQ(Encoded({}, 0), (pdf::Bytes{0x78, 0x5E, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(Encoded(Text("abcd"), 3),
              (pdf::Bytes{0x78, 0x5E, 0x4B, 0x4C, 0x4A, 0x4E, 0x01, 0x00, 0x03, 0xD8, 0x01, 0x8B}));

    // Forty distinct bytes of 200 and above cost more under the fixed codes than stored.
    pdf::Bytes distinct;
    for (int i = 0; i < 40; ++i)
        distinct.push_back(static_cast<std::uint8_t>(200 + i));
    pdf::Bytes stored = Encoded(distinct, 5);
    pdf::Bytes expected{0x78, 0x5E, 0x01, 40, 0, 0xD7, 0xFF};
    expected.insert(expected.end(), distinct.begin(), distinct.end());
    uLong adler = adler32(1, distinct.data(), distinct.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        expected.push_back(static_cast<std::uint8_t>(adler >> shift));
    EXPECT_EQ(stored, expected);
}

TEST(Deflate, EqualBytesBecomeTwoMatchesAtDistanceOne)
{
    auto reading = DeflateReader(Encoded(pdf::Bytes(300, 'x'), 0)).Read();
    EXPECT_EQ(reading.blockTypes, std::vector<int>{1});
    EXPECT_EQ(reading.tokens, (std::vector<DeflateToken>{Literal('x'), Match(258, 1), Match(40, 1),
                                                         Literal('x')}));
}

TEST(Deflate, ShortMatchesFarBackStayLiterals)
{
    for (int gap : {4093, 4094}) {
        pdf::Bytes data = Text("XYZ");
        pdf::Bytes filler = RandomBytes(gap, 5);
        for (auto& b : filler)
            b = static_cast<std::uint8_t>('a' + b % 20);
        data.insert(data.end(), filler.begin(), filler.end());
        data.insert(data.end(), {'X', 'Y', 'Z', '#', '!'});
        auto reading = DeflateReader(Encoded(data, 4)).Read();
        EXPECT_EQ(reading.data, data);
        bool farMatch = false;
        for (const DeflateToken& t : reading.tokens)
            farMatch |= t.distance > 4000;
        // "XYZ" is found 4096 bytes back with the shorter filler and 4097 with the longer.
        EXPECT_EQ(farMatch, gap == 4093) << "gap " << gap;
    }
}

TEST(Deflate, AtLevelFiveThreeByteMatchesArePaidForOnlyWhereLiteralsCostMore)
{
    // "XYZ" again 100 bytes on: in random bytes its three literals cost about 24 bits,
    // more than the match; in text of twenty letters about 13, less.
    for (bool random : {true, false}) {
        pdf::Bytes filler = RandomBytes(200, 9);
        if (!random)
            for (auto& b : filler)
                b = static_cast<std::uint8_t>('a' + b % 20);
        pdf::Bytes data(filler.begin(), filler.begin() + 10);
        data.insert(data.end(), {'X', 'Y', 'Z'});
        data.insert(data.end(), filler.begin() + 10, filler.begin() + 107);
        data.insert(data.end(), {'X', 'Y', 'Z'});
        data.insert(data.end(), filler.begin() + 107, filler.end());
        // Random bytes go stored, so the tokens are looked at before the block is chosen.
        pdf::deflate::TokenList list;
        pdf::deflate::Tokenize(data.data(), static_cast<std::uint32_t>(data.size()), 5, list);
        bool shortMatch = false;
        for (pdf::deflate::Token t : list.tokens)
            shortMatch |= t.IsMatch() && t.Length() == 3 && t.Distance() == 100;
        EXPECT_EQ(shortMatch, random) << (random ? "random bytes" : "text");
    }
}

TEST(Deflate, AtLevelFiveABlockEndsWhereTheDataChanges)
{
    // Text, then noise no code can shorten, then text again: the noise goes stored, and
    // the whole comes out smaller than level 4's single block.
    pdf::Bytes data = PageContent(400);
    const pdf::Bytes noise = RandomBytes(30000, 4);
    data.insert(data.end(), noise.begin(), noise.end());
    const pdf::Bytes text = PageContent(400);
    data.insert(data.end(), text.begin(), text.end());
    const pdf::Bytes stream = Encoded(data, 5);
    auto reading = DeflateReader(stream).Read();
    EXPECT_EQ(reading.data, data);
    EXPECT_EQ(Inflated(stream, data.size()), data);
    EXPECT_GT(reading.blockTypes.size(), 1u);
    EXPECT_NE(std::find(reading.blockTypes.begin(), reading.blockTypes.end(), 0), reading.blockTypes.end());
    EXPECT_LT(stream.size(), Encoded(data, 4).size());
}

TEST(Deflate, EveryThreadWritesTheSameStreamsAtOnce)
{
    // Each thread keeps its own tables and token room from one stream to the next.
    const std::vector<pdf::Bytes> inputs{PageContent(3000), RandomBytes(50000, 2), Text("abcabcabcabc")};
    std::vector<pdf::Bytes> expected;
    for (const pdf::Bytes& input : inputs)
        expected.push_back(Encoded(input, 5));
    std::vector<std::vector<pdf::Bytes>> written(4);
    std::vector<std::thread> threads;
    for (auto& streams : written)
        threads.emplace_back([&inputs, &streams] {
            for (int round = 0; round < 20; ++round)
                for (const pdf::Bytes& input : inputs)
                    streams.push_back(Encoded(input, 5));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (const auto& streams : written)
        for (std::size_t i = 0; i < streams.size(); ++i)
            ASSERT_EQ(streams[i], expected[i % inputs.size()]) << "stream " << i;
}

TEST(Deflate, LastThreeBytesAreLiteralsAndMatchesEndBeforeTheLastByte)
{
    auto four = DeflateReader(Encoded(Text("aaaa"), 2)).Read();
    EXPECT_EQ(four.tokens, (std::vector<DeflateToken>{Literal('a'), Literal('a'), Literal('a'),
                                                      Literal('a')}));
    auto repeated = DeflateReader(Encoded(Text("abcabcabcabc"), 4)).Read();
    EXPECT_EQ(repeated.tokens, (std::vector<DeflateToken>{Literal('a'), Literal('b'), Literal('c'),
                                                          Match(8, 3), Literal('c')}));
}

TEST(Deflate, LevelsDifferInEffortAndLevelSixIsRefused)
{
    pdf::Bytes content = PageContent(2000);
    pdf::Bytes fast = Encoded(content, 0);
    pdf::Bytes best = Encoded(content, 5);
    EXPECT_LT(best.size(), fast.size());
    EXPECT_EQ(DeflateReader(Encoded(content, 4)).Read().blockTypes, std::vector<int>{2});
    pdf::Bytes data = content;
    try {
        pdf::EncodeFlate(data, 6);
        ADD_FAILURE() << "level 6 accepted";
    } catch (const pdf::Error& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    EXPECT_THROW(pdf::EncodeFlate(data, -1), pdf::Error);
    EXPECT_EQ(data, content);
}

TEST(Deflate, LongIncompressibleDataIsSplitIntoStoredBlocks)
{
    pdf::Bytes noise = RandomBytes(200000, 3);
    pdf::Bytes stream = Encoded(noise, 1);
    auto reading = DeflateReader(stream).Read();
    EXPECT_EQ(reading.blockTypes, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(reading.data, noise);
    EXPECT_EQ(Inflated(stream, noise.size()), noise);
}

TEST(Deflate, ZlibInflatesEveryLevelAndSize)
{
    std::vector<pdf::Bytes> inputs;
    pdf::Bytes content = PageContent(60000);  // about 4 MB
    for (std::size_t size : {0u, 1u, 2u, 3u, 4u, 5u, 7u, 31u, 258u, 259u, 1000u, 65535u, 65536u,
                             70000u, 300000u})
        inputs.emplace_back(content.begin(), content.begin() + std::min(size, content.size()));
    inputs.push_back(content);
    inputs.push_back(RandomBytes(100000, 11));
    inputs.push_back(pdf::Bytes(100000, 0));
    pdf::Bytes image;  // a smooth grey-scale picture with a noisy patch
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x)
            image.push_back(static_cast<std::uint8_t>(x > 200 && x < 260 ? (x * y * 2654435761u) >> 24
                                                                         : (x + y) / 4));
    inputs.push_back(image);
    for (int level = 0; level <= 5; ++level) {
        for (const pdf::Bytes& input : inputs) {
            pdf::Bytes stream = Encoded(input, level);
            ASSERT_GE(stream.size(), 6u);
            EXPECT_EQ(stream[0], 0x78);
            EXPECT_EQ(stream[1], 0x5E);
            EXPECT_EQ(Inflated(stream, input.size()), input)
                << "level " << level << ", " << input.size() << " bytes";
        }
    }
}

TEST(DeflateBitWriter, BitsGoOutLowFirstAndTheOutputGrowsPastItsFirstRoom)
{
    pdf::deflate::BitWriter writer(0);
    for (int i = 0; i < 100; ++i) {
        writer.PutBits(0x5, 3);  // 101
        writer.PutBits(0x1A, 5);  // 11010
    }
    writer.PutBits(0x3, 2);
    writer.AlignToByte();
    writer.PutByte(0x42);
    pdf::Bytes expected(100, 0xD5);  // 11010 101
    expected.push_back(0x03);
    expected.push_back(0x42);
    EXPECT_EQ(writer.Written(), expected);
}

TEST(DeflateHuffman, DeepTreesAreLimitedToFifteenBitsAndStayComplete)
{
    // Fibonacci weights make the merged tree as deep as it can be: one level per symbol.
    std::vector<std::uint32_t> weights(40);
    weights[0] = weights[1] = 1;
    for (std::size_t i = 2; i < weights.size(); ++i)
        weights[i] = weights[i - 1] + weights[i - 2];
    for (int maxBits : {7, 15}) {
        pdf::deflate::HuffmanCode code(static_cast<int>(weights.size()));
        ASSERT_TRUE(code.Build(weights.data(), maxBits));
        double kraft = 0;
        for (int s = 0; s < code.SymbolCount(); ++s) {
            ASSERT_GE(code.Length(s), 1);
            ASSERT_LE(code.Length(s), maxBits);
            kraft += 1.0 / (1 << code.Length(s));
        }
        EXPECT_DOUBLE_EQ(kraft, 1.0);
        // Heavier symbols never get longer codes than lighter ones.
        for (int s = 1; s < code.SymbolCount(); ++s)
            EXPECT_LE(code.Length(s), code.Length(s - 1));
    }
}

TEST(DeflateHuffman, AmongEqualWeightsTheLaterSymbolIsJoinedFirst)
{
    // Taking the earlier symbol first would give 3 3 2 1 and 3 3 3 3 1.
    const std::vector<std::pair<std::vector<std::uint32_t>, std::vector<int>>> cases{
        {{1, 1, 1, 2}, {2, 2, 2, 2}},
        {{1, 1, 1, 1, 2}, {2, 2, 3, 3, 2}},
    };
    for (const auto& [weights, lengths] : cases) {
        pdf::deflate::HuffmanCode code(static_cast<int>(weights.size()));
        ASSERT_TRUE(code.Build(weights.data(), 15));
        for (int s = 0; s < code.SymbolCount(); ++s)
            EXPECT_EQ(code.Length(s), lengths[s]) << "symbol " << s << " of " << weights.size();
    }
}

TEST(DeflateHuffman, OneUsedSymbolIsPairedAndNoneFails)
{
    std::uint32_t frequencies[5] = {0, 0, 9, 0, 0};
    pdf::deflate::HuffmanCode code(5);
    ASSERT_TRUE(code.Build(frequencies, 15));
    EXPECT_EQ(code.Length(0), 1);
    EXPECT_EQ(code.Length(2), 1);
    EXPECT_EQ(code.Length(1) + code.Length(3) + code.Length(4), 0);
    std::uint32_t none[5] = {};
    EXPECT_FALSE(code.Build(none, 15));
    EXPECT_EQ(code.Length(2), 1);
}

}  // namespace
