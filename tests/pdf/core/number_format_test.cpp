#include <gtest/gtest.h>

#include <cmath>

#include "pdf/core/number_format.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

TEST(NumberFormat, WritesAtMostSevenSignificantDigitsAtPrecisionThree)
{
    EXPECT_EQ(FormatRounded(0, 3), "0");
    EXPECT_EQ(FormatRounded(1, 3), "1");
    EXPECT_EQ(FormatRounded(0.5f, 3), "0.5");
    EXPECT_EQ(FormatRounded(-12.25f, 3), "-12.25");
    EXPECT_EQ(FormatRounded(1.0f / 3, 3), "0.333");
    EXPECT_EQ(FormatRounded(595.2756f, 3), "595.276");
    EXPECT_EQ(FormatRounded(12345.678f, 3), "12345.68");
    EXPECT_EQ(FormatRounded(2.0f, 3), "2");
    EXPECT_EQ(FormatRounded(0.1f, 3), "0.1");
}

TEST(NumberFormat, NeverWritesMinusZeroNorAnExponent)
{
    EXPECT_EQ(FormatRounded(0.0004f, 3), "0");
    EXPECT_EQ(FormatRounded(-0.0004f, 3), "0");
    EXPECT_EQ(FormatRounded(-0.0f, 3), "0");
    EXPECT_EQ(FormatRounded(0.000001f, 6), "0.000001");
    EXPECT_EQ(FormatRounded(-0.000001f, 6), "-0.000001");
    EXPECT_EQ(FormatNumber(123456789.0f), "123456800");
    EXPECT_EQ(FormatNumber(1e-7f), "0.0000001");
}

TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheFloatsExactValue)
{
    EXPECT_EQ(RoundToPrecision(2.5f, 0), 3.0f);
    EXPECT_EQ(RoundToPrecision(-2.5f, 0), -3.0f);
    // 1.0005 is stored just below the tie.
    EXPECT_EQ(FormatRounded(1.0005f, 3), "1");
    EXPECT_TRUE(std::signbit(RoundToPrecision(-0.0004f, 3)));
    EXPECT_EQ(FormatRounded(2.5f, 0), "3");
    EXPECT_EQ(FormatRounded(123.456f, 0), "123");
}

TEST(NumberFormat, WriterScalesCoordinatesAndColourComponents)
{
    auto writer = testing_support::PinnedWriter();
    PagelithTestPeer peer(*writer);
    writer->SetScale(1, 0);
    EXPECT_EQ(peer.FormatCoord(0.5f), "36");
    EXPECT_EQ(peer.FormatColorComponent(0), "0");
    EXPECT_EQ(peer.FormatColorComponent(255), "1");
    EXPECT_EQ(peer.FormatColorComponent(128), "0.502");

    writer->SetPrecision(7);
    writer->SetPrecision(-1);
    EXPECT_EQ(peer.FormatColorComponent(128), "0.502");
    writer->SetPrecision(0);
    EXPECT_EQ(peer.FormatColorComponent(128), "1");
    EXPECT_EQ(peer.FormatCoord(0.3f), "22");
}

}  // namespace
}  // namespace pdf
