#include "app/mainwindow/occurrence_range.h"

#include <gtest/gtest.h>

#include "app/activities/occurrence.h"

namespace {

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }

TEST(OccurrenceRange, EveryDayGivesWhatTheSteppedOccurrenceGives) {
  // Starts at the months' ends and on 29 February, where month steps clamp; every code and
  // the codes that are not periodic.
  const char* starts[] = {"31.01.2024 10:00", "29.02.2024 23:30", "30.11.2023 08:00",
                          "31.08.2025 00:00", "15.06.2025 12:00", "31.12.2019 18:00",
                          "31.05.2026 09:15"};
  for (const char* startText : starts) {
    const runtime::DateTime start = At(startText);
    const runtime::DateTime end = start.AddMinutes(1500);
    for (int code = -1; code <= 8; ++code) {
      const runtime::DateTime first = start.Date().AddDays(-3);
      const runtime::DateTime last = At("31.12.2031");
      const auto range = mainwindow::OccurrencesBetween(start, end, code, first, last);
      std::size_t next = 0;
      for (runtime::DateTime day = first; day <= last; day = day.AddDays(1)) {
        const auto stepped =
            activities::OccurrenceOnDate(start.Text(), end.Text(), code, day);
        const auto direct = mainwindow::OccurrenceOn(start, end, code, day);
        ASSERT_EQ(stepped.first.empty(), !direct) << startText << " " << code << " "
                                                   << day.DateText();
        if (!direct) continue;
        EXPECT_EQ(direct->start.Text(), stepped.first);
        EXPECT_EQ(direct->end.Text(), stepped.second);
        ASSERT_LT(next, range.size());
        EXPECT_EQ(range[next].start.Text(), stepped.first);
        ++next;
      }
      EXPECT_EQ(next, range.size()) << startText << " " << code;
    }
  }
}

TEST(OccurrenceRange, ARangeFarFromTheStartIsReachedDirectly) {
  const runtime::DateTime start = At("31.01.1904 10:00");
  const auto monthly = mainwindow::OccurrencesBetween(start, start.AddMinutes(60), 4,
                                                      At("01.03.2031"), At("31.05.2031"));
  ASSERT_EQ(monthly.size(), 3u);
  EXPECT_EQ(monthly[0].start.Text(), "28.03.2031 10:00");  // clamped in February 1904
  EXPECT_EQ(monthly[2].end.Text(), "28.05.2031 11:00");

  const auto weekly = mainwindow::OccurrencesBetween(At("03.03.2031 09:00"),
                                                     At("03.03.2031 10:00"), 2,
                                                     At("01.03.2031"), At("31.03.2031"));
  ASSERT_EQ(weekly.size(), 4u);  // the 3rd itself is the stored occurrence
  EXPECT_EQ(weekly[0].start.Text(), "10.03.2031 09:00");
  EXPECT_EQ(weekly[3].start.Text(), "31.03.2031 09:00");
}

}  // namespace
