#include "app/activities/occurrence.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

#include "app/settings/calendar_export.h"
#include "app/settings/calendar_test_support.h"

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

TEST(OccurrenceOnDate, TheZeroDateGivesTheFirstRepetition) {
  EXPECT_EQ(OccurrenceOnDate("31.01.2025 10:00", "31.01.2025 11:00", 4, activities::ZeroDate()),
            Occurrence("28.02.2025 10:00", "28.02.2025 11:00"));
}

// ---- The published calendar repeats on the same days as the planner. ----

struct Repeating {
  const char* start;
  const char* end;
  int code;
  const char* until;  // empty: no end of repetition
};

// The occurrences a calendar program finds in the exported file, by activity index.
std::map<int, std::vector<Occurrence>> ExpandedByCalendarProgram(
    const std::vector<Repeating>& activities, const std::string& zone) {
  store::Planner planner;
  planner.IanaTimeZone = zone;
  planner.Categories = {"Chantier¦255-1"};
  for (const Repeating& a : activities) {
    std::string colour = "255-1-" + std::to_string(a.code);
    if (*a.until) colour += std::string("-") + a.until;
    planner.Activities.push_back(std::string(a.start) + "¦" + a.end + "¦Pose¦0¦" + colour);
  }
  const auto file = TestFolder("occurrence") / "repeating.ics";
  std::ofstream(file, std::ios::binary) << settings::CalendarText(planner, "123", 0, 0);

  const std::string output = IcsCheck("expand '" + file.string() + "' 2020-01-01 2140-01-01");
  EXPECT_EQ(output.rfind("failed", 0), std::string::npos) << output;
  std::map<int, std::vector<Occurrence>> found;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    // event-0003_123|dd.mm.yyyy HH:MM|dd.mm.yyyy HH:MM
    const int index = std::stoi(line.substr(6, 4));
    found[index].emplace_back(line.substr(15, 16), line.substr(32, 16));
  }
  return found;
}

// The occurrences the planner shows, day by day, up to the last day given; those after the
// end of repetition are left out, as the views leave them out.
std::vector<Occurrence> ShownByPlanner(const Repeating& a, runtime::DateTime last) {
  std::vector<Occurrence> shown = {{a.start, a.end}};
  const auto limit = *a.until ? runtime::DateTime::Parse(a.until) : std::nullopt;
  for (auto day = runtime::DateTime::Parse(a.start)->Date(); day <= last; day = day.AddDays(1)) {
    if (limit && day > *limit) break;
    auto occurrence = OccurrenceOnDate(a.start, a.end, a.code, day);
    if (!occurrence.first.empty()) shown.push_back(occurrence);
  }
  return shown;
}

TEST(OccurrenceOnDate, ACalendarProgramFindsTheSameOccurrencesInTheExport) {
  const std::vector<Repeating> activities = {
      {"05.01.2026 10:00", "05.01.2026 11:30", 1, ""},
      {"28.01.2026 09:00", "28.01.2026 17:00", 1, "15.03.2026"},
      {"10.01.2026 23:30", "10.01.2026 23:45", 1, "15.01.2026"},
      {"13.02.2026 08:00", "13.02.2026 09:00", 2, ""},
      {"02.03.2026 14:00", "02.03.2026 15:00", 2, "01.11.2026"},
      {"20.10.2025 07:30", "21.10.2025 18:00", 3, ""},
      {"28.12.2025 10:00", "28.12.2025 12:00", 3, "01.06.2026"},
      {"28.01.2026 10:00", "28.01.2026 10:30", 4, ""},
      {"15.06.2026 16:00", "15.06.2026 17:00", 4, "15.06.2027"},
      {"01.02.2026 06:00", "01.02.2026 18:00", 5, ""},
      {"27.11.2025 10:00", "27.11.2025 11:00", 5, "28.11.2027"},
      {"28.02.2026 10:00", "28.02.2026 11:00", 6, ""},
      {"10.08.2026 10:00", "10.08.2026 11:00", 6, "10.08.2029"},
      {"28.02.2025 10:00", "28.02.2025 12:00", 7, ""},
      {"03.04.2026 10:00", "03.04.2026 12:00", 7, "04.04.2031"},
  };
  for (const std::string zone : {"Europe/Paris", "America/New_York", "Australia/Sydney"}) {
    const auto expanded = ExpandedByCalendarProgram(activities, zone);
    for (size_t i = 0; i < activities.size(); ++i) {
      const auto found = expanded.find(static_cast<int>(i));
      ASSERT_NE(found, expanded.end()) << zone << " activity " << i;
      const std::vector<Occurrence>& calendar = found->second;
      if (!*activities[i].until) {
        EXPECT_EQ(calendar.size(), 100u) << zone << " activity " << i;
      }
      const auto last = runtime::DateTime::Parse(calendar.back().first)->Date();
      EXPECT_EQ(ShownByPlanner(activities[i], last), calendar) << zone << " activity " << i;
    }
  }
}

}  // namespace
