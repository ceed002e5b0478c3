#include "runtime/datetime.h"
#include "runtime/rounding.h"

#include <gtest/gtest.h>

using runtime::DateTime;

namespace {
DateTime At(const char* text) { return *DateTime::Parse(text); }
}  // namespace

TEST(DateTime, ParsesAndFormatsTheTwoTexts) {
  const DateTime t = At("05.03.2030 09:05");
  EXPECT_EQ(t.Year(), 2030);
  EXPECT_EQ(t.Month(), 3);
  EXPECT_EQ(t.Day(), 5);
  EXPECT_EQ(t.Hour(), 9);
  EXPECT_EQ(t.Minute(), 5);
  EXPECT_EQ(t.Text(), "05.03.2030 09:05");
  EXPECT_EQ(At("29.02.2024").Text(), "29.02.2024 00:00");
  EXPECT_EQ(At("01.01.1970").DateText(), "01.01.1970");
  EXPECT_EQ(At("31.12.1899 23:59").Text(), "31.12.1899 23:59");
}

TEST(DateTime, RefusesMalformedTexts) {
  for (const char* bad : {"", "29.02.2023", "32.01.2030", "01.13.2030", "01.01.2030 24:00",
                          "01.01.2030 10:60", "1.1.2030", "01-01-2030", "01.01.2030T10:00",
                          "01.01.2030 10:0x", "aa.bb.cccc"}) {
    EXPECT_FALSE(DateTime::Parse(bad)) << bad;
  }
}

TEST(DateTime, MonthStepsClampToTheLastDay) {
  EXPECT_EQ(At("31.01.2030 08:00").AddMonths(1).Text(), "28.02.2030 08:00");
  EXPECT_EQ(At("31.01.2028").AddMonths(1).DateText(), "29.02.2028");
  EXPECT_EQ(At("29.02.2028").AddYears(1).DateText(), "28.02.2029");
  EXPECT_EQ(At("31.03.2030").AddMonths(-1).DateText(), "28.02.2030");
  EXPECT_EQ(At("15.11.2030").AddMonths(3).DateText(), "15.02.2031");
  EXPECT_EQ(At("31.08.2030").AddMonths(6).DateText(), "28.02.2031");
}

TEST(DateTime, WeekdaysAndDifferences) {
  const DateTime monday = At("02.12.2030");
  EXPECT_EQ(monday.Weekday(), 2);   // Sunday first
  EXPECT_EQ(monday.Weekday(2), 1);  // Monday first
  EXPECT_EQ(At("01.12.2030").Weekday(2), 7);
  EXPECT_EQ(At("01.01.1970").Weekday(), 5);
  EXPECT_EQ(At("31.12.1969").Weekday(), 4);
  EXPECT_EQ(runtime::MinutesBetween(At("01.03.2030 23:30"), At("02.03.2030 00:15")), 45);
  EXPECT_EQ(runtime::DaysBetween(At("01.03.2030 23:30"), At("02.03.2030 00:15")), 1);
  EXPECT_EQ(At("01.03.2030 23:30").AddDays(-1).Date().Text(), "28.02.2030 00:00");
  EXPECT_LT(At("01.03.2030 09:00"), At("01.03.2030 09:01"));
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(runtime::RoundHalfEven(2.5), 2);
  EXPECT_EQ(runtime::RoundHalfEven(3.5), 4);
  EXPECT_EQ(runtime::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(runtime::RoundHalfEven(1066.6), 1067);
}
