#include "pdf/codec/filters.h"
#include "pdf/core/error.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string AsText(const pdf::Bytes& b)
{
    return std::string(b.begin(), b.end());
}

TEST(ASCIIHex, TwoUpperCaseDigitsPerByteWithoutMarker)
{
    pdf::Bytes data{0, 10, 255};
    pdf::EncodeASCIIHex(data);
    EXPECT_EQ(AsText(data), "000AFF");

    pdf::Bytes empty;
    pdf::EncodeASCIIHex(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(ASCIIHex, EveryByteValueRoundTripsThroughHexToBytes)
{
    pdf::Bytes all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<std::uint8_t>(i));
    pdf::Bytes encoded = all;
    pdf::EncodeASCIIHex(encoded);
    ASSERT_EQ(encoded.size(), 512u);
    EXPECT_EQ(pdf::HexToBytes(AsText(encoded)), all);
}

TEST(HexToBytes, ReadsEitherCase)
{
    EXPECT_EQ(pdf::HexToBytes("00ff"), (pdf::Bytes{0, 255}));
    EXPECT_EQ(pdf::HexToBytes("aBcD"), (pdf::Bytes{0xAB, 0xCD}));
    EXPECT_TRUE(pdf::HexToBytes("").empty());
}

TEST(HexToBytes, RefusesMalformedText)
{
    EXPECT_THROW(pdf::HexToBytes("0ff"), pdf::Error);
    EXPECT_THROW(pdf::HexToBytes("0g"), pdf::Error);
    EXPECT_THROW(pdf::HexToBytes("0 "), pdf::Error);
}

}  // namespace
