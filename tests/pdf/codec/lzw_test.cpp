#include "pdf/codec/filters.h"
#include "sample_data.h"

#include <gtest/gtest.h>

#include "pdf/core/error.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using codectest::RandomBytes;
using codectest::WithoutRepeatedPairs;

// The reader's side of /LZWDecode with the default early change, keeping the widths
// and the clear codes it met so that tests can look at them.
struct LzwDecoding {
    pdf::Bytes data;
    std::vector<int> clearWidths;
    bool endSeen = false;
};

LzwDecoding DecodeLZW(const pdf::Bytes& in)
{
    LzwDecoding result;
    std::vector<pdf::Bytes> table;
    auto reset = [&] {
        table.assign(258, {});
        for (int i = 0; i < 256; ++i)
            table[i] = {static_cast<std::uint8_t>(i)};
    };
    reset();
    std::size_t bitPos = 0;
    int width = 9;
    int previous = -1;
    while (bitPos + width <= in.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bitPos)
            code = code << 1 | (in[bitPos / 8] >> (7 - bitPos % 8) & 1);
        if (code == 256) {
            result.clearWidths.push_back(width);
            reset();
            width = 9;
            previous = -1;
            continue;
        }
        if (code == 257) {
            result.endSeen = true;
            EXPECT_LT(in.size() * 8 - bitPos, 8u) << "bytes after the end-of-data code";
            break;
        }
        pdf::Bytes entry;
        if (code < static_cast<int>(table.size())) {
            entry = table[code];
        } else {
            EXPECT_EQ(code, static_cast<int>(table.size()));
            EXPECT_GE(previous, 0);
            if (previous < 0)
                break;
            entry = table[previous];
            entry.push_back(table[previous][0]);
        }
        result.data.insert(result.data.end(), entry.begin(), entry.end());
        if (previous >= 0) {
            pdf::Bytes added = table[previous];
            added.push_back(entry[0]);
            table.push_back(added);
        }
        previous = code;
        int next = static_cast<int>(table.size()) + 1;
        width = next >= 2048 ? 12 : next >= 1024 ? 11 : next >= 512 ? 10 : 9;
    }
    return result;
}

pdf::Bytes Encoded(pdf::Bytes data, int level)
{
    pdf::EncodeLZW(data, level);
    return data;
}

TEST(LZW, TwoBytesAtLevelZero)
{
    EXPECT_EQ(Encoded({65, 66}, 0), (pdf::Bytes{0x80, 0x10, 0x48, 0x50, 0x10}));
}

TEST(LZW, EmptyAndSingleByteInput)
{
    LzwDecoding empty = DecodeLZW(Encoded({}, 0));
    EXPECT_TRUE(empty.endSeen);
    EXPECT_TRUE(empty.data.empty());
    EXPECT_EQ(DecodeLZW(Encoded({7}, 3)).data, (pdf::Bytes{7}));
}

TEST(LZW, CodeWidthsFollowTheReaderAtEveryBoundary)
{
    // Lengths whose last string or end-of-data code falls at a change of width.
    for (int level = 0; level <= 3; ++level) {
        for (std::size_t length : {252u, 253u, 254u, 255u, 256u, 765u, 766u, 767u, 768u,
                                   1788u, 1789u, 1790u, 1791u, 1792u, 4000u, 9000u}) {
            pdf::Bytes data = WithoutRepeatedPairs(length);
            LzwDecoding d = DecodeLZW(Encoded(data, level));
            EXPECT_TRUE(d.endSeen) << "level " << level << " length " << length;
            EXPECT_EQ(d.data, data) << "level " << level << " length " << length;
        }
    }
}

TEST(LZW, TableIsClearedAtTheLevelsSize)
{
    LzwDecoding level0 = DecodeLZW(Encoded(WithoutRepeatedPairs(2000), 0));
    ASSERT_GE(level0.clearWidths.size(), 4u);
    for (int width : level0.clearWidths)
        EXPECT_EQ(width, 9);

    pdf::Bytes random = RandomBytes(100000, 7);
    LzwDecoding level3 = DecodeLZW(Encoded(random, 3));
    EXPECT_EQ(level3.data, random);
    ASSERT_GT(level3.clearWidths.size(), 10u);
    for (std::size_t i = 1; i < level3.clearWidths.size(); ++i)
        EXPECT_EQ(level3.clearWidths[i], 12);

    LzwDecoding equal = DecodeLZW(Encoded(pdf::Bytes(10000, 'x'), 3));
    EXPECT_EQ(equal.clearWidths.size(), 1u);
    EXPECT_EQ(equal.data, pdf::Bytes(10000, 'x'));
}

TEST(LZW, TextShrinksAndDecodesAtEveryLevel)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "BT /F1 12 Tf 72 " + std::to_string(700 - i % 50 * 12) + " Td (Réunion "
                + std::to_string(i) + ") Tj ET\n";
    pdf::Bytes data(text.begin(), text.end());
    for (int level = 0; level <= 3; ++level) {
        pdf::Bytes encoded = Encoded(data, level);
        EXPECT_LT(encoded.size(), data.size() / 2);
        EXPECT_EQ(DecodeLZW(encoded).data, data);
    }
}

TEST(LZW, LevelsAboveThreeAreRefused)
{
    pdf::Bytes data{1, 2, 3};
    EXPECT_THROW(pdf::EncodeLZW(data, 4), pdf::Error);
    EXPECT_THROW(pdf::EncodeLZW(data, 8), pdf::Error);
    EXPECT_EQ(data, (pdf::Bytes{1, 2, 3}));
}

}  // namespace
