#include <gtest/gtest.h>

#include <vector>

#include "app/activities/occurrence.h"
#include "app/activities/periodic_overlap.h"

namespace {

using activities::Occurrence;
using activities::OccurrenceOnDate;
using activities::OccurrenceWalk;
using activities::PeriodicOverlaps;

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }
Occurrence Span(const char* start, const char* end) { return {At(start), At(end)}; }

std::vector<Occurrence> Walked(OccurrenceWalk walk) {
  std::vector<Occurrence> found;
  for (; !walk.AtEnd(); walk.Next()) found.push_back(walk.Current());
  return found;
}

// The occurrences that the views find day by day through OccurrenceOnDate, stored one first.
std::vector<Occurrence> ShownDayByDay(Occurrence first, int code, runtime::DateTime lastDay) {
  std::vector<Occurrence> shown = {first};
  for (auto day = first.start.Date(); day <= lastDay; day = day.AddDays(1)) {
    const auto found = OccurrenceOnDate(first.start.Text(), first.end.Text(), code, day);
    if (!found.first.empty()) shown.push_back({At(found.first.c_str()), At(found.second.c_str())});
  }
  return shown;
}

TEST(OccurrenceWalk, StepsAsTheViewsShowUpToTheLastDayIncluded) {
  const Occurrence firsts[] = {
      Span("31.01.2024 10:00", "31.01.2024 11:30"),  // clamps in February, then stays
      Span("29.02.2024 08:00", "29.02.2024 09:00"),  // leap day
      Span("30.08.2025 22:00", "31.08.2025 06:00"),  // ends the next day, on a 31st
      Span("06.01.2025 14:00", "06.01.2025 15:00"),
  };
  const auto lastDay = At("31.12.2029");
  for (const Occurrence& first : firsts) {
    for (int code = 1; code <= 7; ++code) {
      EXPECT_EQ(Walked(OccurrenceWalk::ThroughLastDay(first, code, lastDay)),
                ShownDayByDay(first, code, lastDay))
          << first.start.Text() << " code " << code;
    }
  }
}

TEST(OccurrenceWalk, MonthStepsClampAndStayClamped) {
  const auto monthly = Walked(OccurrenceWalk::ThroughLastDay(
      Span("31.01.2025 10:00", "31.01.2025 11:00"), 4, At("30.04.2025")));
  ASSERT_EQ(monthly.size(), 4u);
  EXPECT_EQ(monthly[1].start, At("28.02.2025 10:00"));
  EXPECT_EQ(monthly[2].start, At("28.03.2025 10:00"));
  EXPECT_EQ(monthly[3].end, At("28.04.2025 11:00"));

  const auto yearly = Walked(OccurrenceWalk::ThroughLastDay(
      Span("29.02.2024 08:00", "29.02.2024 09:00"), 7, At("29.02.2028")));
  ASSERT_EQ(yearly.size(), 5u);
  EXPECT_EQ(yearly[4].start, At("28.02.2028 08:00"));
}

TEST(OccurrenceWalk, TheLastDayCountsAndTheStoredOccurrenceAlwaysDoes) {
  const Occurrence monday = Span("01.09.2025 10:00", "01.09.2025 11:00");
  EXPECT_EQ(Walked(OccurrenceWalk::ThroughLastDay(monday, 2, At("15.09.2025"))).size(), 3u);
  EXPECT_EQ(Walked(OccurrenceWalk::ThroughLastDay(monday, 2, At("14.09.2025"))).size(), 2u);
  EXPECT_EQ(Walked(OccurrenceWalk::ThroughLastDay(monday, 2, At("01.01.2025"))).size(), 1u);
  EXPECT_EQ(Walked(OccurrenceWalk(monday, 0)).size(), 1u);
  EXPECT_EQ(Walked(OccurrenceWalk(monday, 9)).size(), 1u);
}

TEST(OccurrenceWalk, SkippingLandsWhereSteppingDoes) {
  for (int code = 1; code <= 7; ++code) {
    const Occurrence first = Span("31.01.2025 23:00", "01.02.2025 01:00");
    for (const char* time : {"01.02.2025 00:30", "17.03.2026 12:00", "01.02.2031 01:00"}) {
      OccurrenceWalk skipped(first, code);
      skipped.SkipEndingBefore(At(time));
      OccurrenceWalk stepped(first, code);
      while (stepped.Current().end < At(time)) stepped.Next();
      EXPECT_EQ(skipped.Current(), stepped.Current()) << code << " " << time;
    }
  }
  OccurrenceWalk limited(Span("01.09.2025 10:00", "01.09.2025 11:00"), 1, At("10.09.2025"));
  limited.SkipEndingBefore(At("10.09.2025 10:30"));
  EXPECT_TRUE(limited.AtEnd());
}

TEST(PeriodicOverlaps, WindowsMeetAnOccurrenceWhenTheyShareAMinute) {
  // Weekly on Mondays from 01.09.2025, 10:00-11:00; its occurrences after the stored one.
  const auto repetitions = [] {
    OccurrenceWalk walk(Span("01.09.2025 10:00", "01.09.2025 11:00"), 2);
    walk.Next();
    return walk;
  };
  const auto window = [](const char* start, const char* end) {
    return OccurrenceWalk(Span(start, end), 0);
  };
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("22.09.2025 10:30", "22.09.2025 11:30")));
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("22.09.2025 10:15", "22.09.2025 10:45")));
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("22.09.2025 09:00", "22.09.2025 12:00")));
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("22.09.2025 11:00", "22.09.2025 12:00")));
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("22.09.2025 09:00", "22.09.2025 10:00")));
  EXPECT_TRUE(PeriodicOverlaps(repetitions(), window("20.09.2025 12:00", "24.09.2025 12:00")));
  EXPECT_FALSE(PeriodicOverlaps(repetitions(), window("22.09.2025 11:01", "22.09.2025 12:00")));
  EXPECT_FALSE(PeriodicOverlaps(repetitions(), window("01.09.2025 10:00", "01.09.2025 11:00")));
  EXPECT_FALSE(PeriodicOverlaps(repetitions(), window("23.09.2025 10:00", "28.09.2025 11:00")));

  // Two repetitions: a Tuesday every 14 days against daily 08:00-09:00 from a Wednesday.
  OccurrenceWalk daily(Span("03.09.2025 08:00", "03.09.2025 09:00"), 1);
  daily.Next();
  EXPECT_TRUE(PeriodicOverlaps(
      daily, OccurrenceWalk(Span("02.09.2025 08:30", "02.09.2025 09:30"), 3, At("17.09.2025"))));
  EXPECT_FALSE(PeriodicOverlaps(
      daily, OccurrenceWalk(Span("02.09.2025 08:30", "02.09.2025 09:30"), 3, At("16.09.2025"))));
}

}  // namespace
