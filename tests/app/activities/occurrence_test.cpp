#include "app/activities/occurrence.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using activities::OccurrenceOnDate;
using Occurrence = std::pair<std::string, std::string>;

runtime::DateTime Day(const char* text) { return *runtime::DateTime::Parse(text); }

TEST(OccurrenceOnDate, MonthlyStepsClampAtTheMonthsEndAndStayClamped) {
  const char* start = "31.01.2025 10:00";
  const char* end = "31.01.2025 11:30";
  EXPECT_EQ(OccurrenceOnDate(start, end, 4, Day("28.02.2025")),
            Occurrence("28.02.2025 10:00", "28.02.2025 11:30"));
  EXPECT_EQ(OccurrenceOnDate(start, end, 4, Day("31.03.2025")), Occurrence());
  EXPECT_EQ(OccurrenceOnDate(start, end, 4, Day("28.03.2025")),
            Occurrence("28.03.2025 10:00", "28.03.2025 11:30"));
  EXPECT_EQ(OccurrenceOnDate("31.01.2024 10:00", "31.01.2024 11:30", 4, Day("29.03.2024")),
            Occurrence("29.03.2024 10:00", "29.03.2024 11:30"));
  // Yearly from 29 February: the 28th from then on, leap years included.
  EXPECT_EQ(OccurrenceOnDate("29.02.2024 08:00", "29.02.2024 09:00", 7, Day("28.02.2028")),
            Occurrence("28.02.2028 08:00", "28.02.2028 09:00"));
  EXPECT_EQ(OccurrenceOnDate("29.02.2024 08:00", "29.02.2024 09:00", 7, Day("29.02.2028")),
            Occurrence());
}

TEST(OccurrenceOnDate, AnActivityOverMidnightKeepsItsLengthWhenItsStartIsClamped) {
  // From 30 January 23:00 to 31 January 01:00: the start clamps to 28 February, and the end
  // follows two hours later instead of clamping too and landing before the start.
  const char* start = "30.01.2026 23:00";
  const char* end = "31.01.2026 01:00";
  EXPECT_EQ(OccurrenceOnDate(start, end, 4, Day("28.02.2026")),
            Occurrence("28.02.2026 23:00", "01.03.2026 01:00"));
  EXPECT_EQ(OccurrenceOnDate(start, end, 4, Day("28.03.2026")),
            Occurrence("28.03.2026 23:00", "29.03.2026 01:00"));
}

TEST(OccurrenceOnDate, TheStoredOccurrenceIsNeverReturned) {
  EXPECT_EQ(OccurrenceOnDate("01.09.2025 10:00", "01.09.2025 11:00", 2, Day("01.09.2025")),
            Occurrence());
  EXPECT_EQ(OccurrenceOnDate("01.09.2025 10:00", "01.09.2025 11:00", 2, Day("08.09.2025")),
            Occurrence("08.09.2025 10:00", "08.09.2025 11:00"));
  EXPECT_EQ(OccurrenceOnDate("01.09.2025 10:00", "01.09.2025 11:00", 2, Day("25.08.2025")),
            Occurrence());
}

TEST(OccurrenceOnDate, EachCodeStepsByItsPeriod) {
  // From Monday 05.01.2026 14:00 to the next day 09:00: a day, one or two weeks, one,
  // three or six months, a year.
  struct Case {
    int code;
    const char* hit;
    const char* miss;
  };
  const Case cases[] = {{1, "08.01.2026", "05.01.2026"}, {2, "26.01.2026", "20.01.2026"},
                        {3, "02.02.2026", "26.01.2026"}, {4, "05.03.2026", "12.01.2026"},
                        {5, "05.07.2026", "05.05.2026"}, {6, "05.07.2027", "05.04.2026"},
                        {7, "05.01.2031", "05.07.2026"}};
  for (const Case& c : cases) {
    const auto hit = OccurrenceOnDate("05.01.2026 14:00", "06.01.2026 09:00", c.code, Day(c.hit));
    EXPECT_EQ(hit.first, std::string(c.hit) + " 14:00") << c.code;
    EXPECT_EQ(hit.second, Day(c.hit).AddDays(1).DateText() + " 09:00") << c.code;
    EXPECT_EQ(OccurrenceOnDate("05.01.2026 14:00", "06.01.2026 09:00", c.code, Day(c.miss)),
              Occurrence())
        << c.code;
  }
}

TEST(OccurrenceOnDate, OtherCodesAndUnreadableDatesGiveNothing) {
  for (int code : {0, 8, -1, 99}) {
    EXPECT_EQ(OccurrenceOnDate("01.01.2026 10:00", "01.01.2026 11:00", code, Day("02.01.2026")),
              Occurrence());
  }
  EXPECT_EQ(OccurrenceOnDate("01.13.2026 10:00", "01.01.2026 11:00", 1, Day("02.01.2026")),
            Occurrence());
  EXPECT_EQ(OccurrenceOnDate("", "", 1, Day("02.01.2026")), Occurrence());
}

// A date thousands of years after the first is found at once, with the day clamped as
// stepping one period at a time clamps it.
TEST(OccurrenceOnDate, FarDatesKeepTheClampedDay) {
  EXPECT_EQ(OccurrenceOnDate("31.01.0001 10:00", "31.01.0001 11:00", 4, Day("28.02.9990")),
            Occurrence("28.02.9990 10:00", "28.02.9990 11:00"));
  EXPECT_EQ(OccurrenceOnDate("31.01.0001 10:00", "31.01.0001 11:00", 4, Day("31.12.9990")),
            Occurrence());
  EXPECT_EQ(OccurrenceOnDate("31.08.0001 10:00", "31.08.0001 11:00", 6, Day("28.08.9990")),
            Occurrence("28.08.9990 10:00", "28.08.9990 11:00"));
  EXPECT_EQ(OccurrenceOnDate("29.02.0004 10:00", "29.02.0004 11:00", 7, Day("28.02.9996")),
            Occurrence("28.02.9996 10:00", "28.02.9996 11:00"));
  EXPECT_EQ(OccurrenceOnDate("01.01.0001 10:00", "01.01.0001 11:00", 1, Day("31.12.9999")),
            Occurrence("31.12.9999 10:00", "31.12.9999 11:00"));
}

TEST(OccurrenceOnDate, TheZeroDateGivesTheFirstRepetition) {
  EXPECT_EQ(OccurrenceOnDate("31.01.2025 10:00", "31.01.2025 11:00", 4, activities::ZeroDate()),
            Occurrence("28.02.2025 10:00", "28.02.2025 11:00"));
}

}  // namespace
