#include "pdf/codec/filters.h"

#include <gtest/gtest.h>

namespace {

pdf::Bytes Encoded(pdf::Bytes data)
{
    pdf::EncodeRunLength(data);
    return data;
}

// The reader's side of /RunLengthDecode.
pdf::Bytes Decoded(const pdf::Bytes& runs)
{
    pdf::Bytes out;
    std::size_t pos = 0;
    while (pos < runs.size() && runs[pos] != 128) {
        int length = runs[pos++];
        if (length < 128) {
            out.insert(out.end(), runs.begin() + pos, runs.begin() + pos + length + 1);
            pos += length + 1;
        } else {
            out.insert(out.end(), 257 - length, runs[pos++]);
        }
    }
    EXPECT_EQ(pos + 1, runs.size()) << "end-of-data byte missing or not last";
    return out;
}

TEST(RunLength, LiteralRepeatAndSingleRuns)
{
    EXPECT_EQ(Encoded({0x61, 0x62, 0x63, 0x63, 0x64}),
              (pdf::Bytes{0x01, 0x61, 0x62, 0xFF, 0x63, 0x00, 0x64, 0x80}));
    EXPECT_EQ(Encoded({}), (pdf::Bytes{0x80}));
    EXPECT_EQ(Encoded({7}), (pdf::Bytes{0x00, 7, 0x80}));
    EXPECT_EQ(Encoded({7, 7}), (pdf::Bytes{0xFF, 7, 0x80}));
    EXPECT_EQ(Encoded({1, 2}), (pdf::Bytes{0x01, 1, 2, 0x80}));
}

TEST(RunLength, RunsStopAt128Bytes)
{
    pdf::Bytes distinct;
    for (int i = 0; i < 129; ++i)
        distinct.push_back(static_cast<std::uint8_t>(i));
    pdf::Bytes out = Encoded(distinct);
    ASSERT_EQ(out.size(), 1 + 128 + 1 + 1 + 1u);
    EXPECT_EQ(out[0], 127);
    EXPECT_EQ(out[129], 0);
    EXPECT_EQ(out[130], 128);
    EXPECT_EQ(out.back(), 128);

    EXPECT_EQ(Encoded(pdf::Bytes(128, 9)), (pdf::Bytes{129, 9, 128}));
    EXPECT_EQ(Encoded(pdf::Bytes(129, 9)), (pdf::Bytes{129, 9, 0, 9, 128}));
    EXPECT_EQ(Encoded(pdf::Bytes(130, 9)), (pdf::Bytes{129, 9, 255, 9, 128}));
}

TEST(RunLength, MixedDataDecodesBack)
{
    pdf::Bytes data;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        int run = (seed >> 16) % 5 == 0 ? (seed >> 8) % 300 : 1;
        data.insert(data.end(), run, static_cast<std::uint8_t>(seed >> 24));
    }
    EXPECT_EQ(Decoded(Encoded(data)), data);
}

}  // namespace
