// The published calendar read by a calendar library: every repetition it expands falls on
// the day and at the time the planner shows, no more and no fewer.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/activities/occurrence.h"
#include "app/settings/calendar_export.h"
#include "app/settings/calendar_test_support.h"
#include "runtime/text.h"

namespace {

using Occurrence = std::pair<std::string, std::string>;

struct Repeating {
  std::string start;
  std::string end;
  int code;
  std::string until;  // empty: no last date
};

runtime::DateTime At(const std::string& text) { return *runtime::DateTime::Parse(text); }

constexpr std::time_t kNow = 1704067200;  // 01.01.2024 00:00 UTC, a year after the first

// The occurrences calendar programs find in the exported file from 2023 to 2033, by
// activity index, in order of start: [0] with their ends as the standard places them, [1]
// as recurring-ical-events does, counting a duration as elapsed time; and the number of
// occurrences given as events of their own.
using Found = std::array<std::map<int, std::vector<Occurrence>>, 2>;
Found ExpandedByCalendarPrograms(
    const std::vector<Repeating>& activities, const std::string& zone, int* ownEvents) {
  store::Planner planner;
  planner.IanaTimeZone = zone;
  planner.Categories = {"Chantier¦255-1"};
  for (const Repeating& a : activities) {
    std::string colour = "255-1-" + std::to_string(a.code);
    if (!a.until.empty()) colour += "-" + a.until;
    planner.Activities.push_back(a.start + "¦" + a.end + "¦Pose¦0¦" + colour);
  }
  const auto file = TestFolder("occurrence") / "repeating.ics";
  const std::string text = settings::CalendarText(planner, "123", 0, kNow);
  std::ofstream(file, std::ios::binary) << text;
  *ownEvents = static_cast<int>(runtime::Split(text, "\nRECURRENCE-ID").size()) - 1;

  const std::string output = IcsCheck("expand '" + file.string() + "' 2023-01-01 2034-01-01");
  EXPECT_EQ(output.rfind("failed", 0), std::string::npos) << output;
  Found found;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    // event-0003_123|start|end by the standard|end by the library, each as
    // dd.mm.yyyy HH:MM, a second event of one activity being event-0003-2_123
    const size_t bar = line.find('|');
    for (int reader : {0, 1})
      found[reader][std::stoi(line.substr(6, 4))].emplace_back(
          line.substr(bar + 1, 16), line.substr(bar + 18 + 17 * reader, 16));
  }
  for (auto& byReader : found) {
    for (auto& [index, occurrences] : byReader) {
      std::sort(occurrences.begin(), occurrences.end(), [](const auto& a, const auto& b) {
        return At(a.first) < At(b.first);
      });
    }
  }
  return found;
}

// The occurrences the planner shows day by day from 2023 to the end of 2033, up to the last
// date.
std::vector<Occurrence> ShownByPlanner(const Repeating& a) {
  const auto first = At("01.01.2023");
  std::vector<Occurrence> shown;
  const auto keep = [&](const Occurrence& o) {
    if (At(o.second) > first) shown.push_back(o);
  };
  keep({a.start, a.end});
  auto last = At("31.12.2033");
  if (!a.until.empty()) last = std::min(last, At(a.until));
  for (auto day = std::max(At(a.start).Date(), first.AddDays(-1)); day <= last;
       day = day.AddDays(1)) {
    auto occurrence = activities::OccurrenceOnDate(a.start, a.end, a.code, day);
    if (!occurrence.first.empty()) keep(occurrence);
  }
  return shown;
}

// Month steps from the last days of a month and from 29 February, with and without a last
// date, beside the common cases.
std::vector<Repeating> Activities() {
  std::vector<Repeating> activities = {
      {"05.01.2026 10:00", "05.01.2026 11:30", 1, ""},
      {"28.01.2026 09:00", "28.01.2026 17:00", 1, "15.03.2026"},
      {"10.01.2026 23:30", "10.01.2026 23:45", 1, "15.01.2026"},
      {"13.02.2026 08:00", "13.02.2026 09:00", 2, ""},
      {"02.03.2026 14:00", "02.03.2026 15:00", 2, "01.11.2026"},
      {"20.10.2025 07:30", "21.10.2025 18:00", 3, ""},
      {"28.12.2025 10:00", "28.12.2025 12:00", 3, "01.06.2026"},
      {"31.01.2024 23:30", "01.02.2024 00:30", 4, ""},  // over midnight
      // Over the changes of offset: over several days, and over the night of the change.
      {"08.01.2027 18:00", "11.01.2027 06:00", 2, ""},
      {"09.01.2027 22:00", "10.01.2027 06:00", 2, ""},
      {"20.03.2027 23:00", "21.03.2027 03:30", 1, "30.11.2027"},
      {"10.10.2026 16:00", "10.10.2026 16:45", 1, "15.04.2026"},  // last day before the start
      // A night begun long ago: its occurrences from a year back on end as shown.
      {"04.01.1000 22:00", "05.01.1000 06:00", 2, ""},
      // Ten years from Friday evening to Monday morning, over every change on a Sunday
      // night; in the hour the spring night skips in Paris, New York and Sydney.
      {"29.03.2024 18:00", "01.04.2024 06:00", 2, "31.12.2033"},
      {"28.03.2027 02:30", "28.03.2027 03:30", 0, ""},
      {"14.03.2027 02:30", "14.03.2027 03:30", 0, ""},
      {"03.10.2027 02:30", "03.10.2027 03:30", 0, ""},
  };
  // Each month code from a month whose steps reach February.
  const struct {
    int code;
    const char* month;
  } codes[] = {{4, "01.2024"}, {5, "11.2023"}, {6, "08.2024"}, {7, "02.2024"}};
  for (const auto& c : codes) {
    for (int day = 28; day <= 31; ++day) {
      const std::string start = std::to_string(day) + "." + c.month;
      if (!runtime::DateTime::Parse(start)) continue;  // no 30 or 31 February
      const std::string until = day % 2 ? "15.06.2029" : "";
      activities.push_back({start + " 10:00", start + " 11:30", c.code, until});
    }
    activities.push_back({"29.02.2024 08:00", "29.02.2024 09:00", c.code, ""});
    activities.push_back({"29.02.2024 08:00", "29.02.2024 09:00", c.code, "28.02.2031"});
  }
  return activities;
}

// Both readers, the standard's and recurring-ical-events, find what the planner shows; an
// occurrence in the hour the spring night skips an hour long from the time after the
// change, as the planner counts it.
TEST(PublishedCalendar, ACalendarLibraryExpandsTheOccurrencesThePlannerShows) {
  const std::vector<Repeating> activities = Activities();
  // Each zone with the booking of an hour in the hour its clocks skip, and what readers show.
  const struct {
    const char* zone;
    std::string skipped;
    Occurrence shown;
  } zones[] = {{"Europe/Paris", "28.03.2027 02:30", {"28.03.2027 03:30", "28.03.2027 04:30"}},
               {"America/New_York", "14.03.2027 02:30", {"14.03.2027 03:30", "14.03.2027 04:30"}},
               {"Australia/Sydney", "03.10.2027 02:30", {"03.10.2027 03:30", "03.10.2027 04:30"}}};
  for (const auto& z : zones) {
    int ownEvents = 0;
    const Found found = ExpandedByCalendarPrograms(activities, z.zone, &ownEvents);
    // The nights crossed by a change from a year back to ten years on: not one per change
    // since the year 1000, which made over two thousand.
    EXPECT_LT(ownEvents, 150) << z.zone;
    for (size_t i = 0; i < activities.size(); ++i) {
      std::vector<Occurrence> shown = ShownByPlanner(activities[i]);
      if (activities[i].start == z.skipped) shown = {z.shown};
      for (int reader : {0, 1}) {
        const auto occurrences = found[reader].find(static_cast<int>(i));
        ASSERT_NE(occurrences, found[reader].end()) << z.zone << " activity " << i;
        EXPECT_EQ(occurrences->second, shown) << z.zone << " " << activities[i].start
                                              << " code " << activities[i].code << " by "
                                              << (reader ? "the library" : "the standard");
      }
    }
  }
}

}  // namespace
