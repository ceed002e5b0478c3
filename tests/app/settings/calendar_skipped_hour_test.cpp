// What the planner accepts around the hour the clocks skip never overlaps in the published
// calendar, as a calendar library reads it: a repetition whose occurrence starts or ends in
// that hour is checked where readers show it, an hour later.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/activities/activity_draft.h"
#include "app/activities/booking.h"
#include "app/settings/calendar_export.h"
#include "app/settings/calendar_test_support.h"
#include "tests/app/spring_nights.h"

namespace {

using runtime::DateTime;

DateTime At(const std::string& text) { return *DateTime::Parse(text); }

constexpr std::time_t kNow = 1798761600;  // 01.01.2027 00:00 UTC
constexpr int kMinutes = 30;               // each repetition's length

std::string RecordText(const activities::ActivityDraft& draft) {
  return activities::ActivityRecordText(activities::RecordOf(draft));
}

activities::ActivityDraft Draft(DateTime start, int minutes, int code, int resource) {
  activities::ActivityDraft draft;
  draft.start = start;
  draft.end = start.AddMinutes(minutes);
  draft.name = "Leçon";
  draft.project = 0;
  draft.periodicityCode = code;
  draft.resourceRows = {resource};
  return draft;
}

// The occurrences the library finds from the day before to the day after `day`, by
// resource: the activity and where the standard and the library end it.
struct Found {
  int activity;
  DateTime start, end;
};
std::map<int, std::vector<Found>> PublishedByResource(const store::Planner& planner,
                                                      const std::string& day,
                                                      const std::map<int, int>& resourceOf) {
  const auto file = TestFolder("skipped") / "calendar.ics";
  std::ofstream(file, std::ios::binary) << settings::CalendarText(planner, "123", 0, kNow);
  const DateTime d = At(day);
  char from[16], to[16];
  std::snprintf(from, sizeof from, "%04d-%02d-%02d", d.Year(), d.Month(), d.Day() - 1);
  std::snprintf(to, sizeof to, "%04d-%02d-%02d", d.Year(), d.Month(), d.Day() + 2);
  const std::string output = IcsCheck("expand '" + file.string() + "' " + from + " " + to);
  EXPECT_EQ(output.rfind("failed", 0), std::string::npos) << output;
  std::map<int, std::vector<Found>> found;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    // event-0003_123|start|end by the standard|end by the library
    const int activity = std::stoi(line.substr(6, 4));
    const size_t bar = line.find('|');
    const DateTime start = At(line.substr(bar + 1, 16));
    for (const int reader : {0, 1}) {
      found[resourceOf.at(activity)].push_back(
          {activity, start, At(line.substr(bar + 18 + 17 * reader, 16))});
    }
  }
  return found;
}

TEST(SkippedHourBookings, WhatThePlannerAcceptsNeverOverlapsInThePublishedCalendar) {
  // A daily repetition from the day before, at the minute before the skipped hour, its
  // first and last minutes and the minute after it; readers show it on the day of the
  // change an hour later when it starts or ends in that hour.
  const struct {
    const char* time;
    bool moved;
  } edges[] = {{"01:59", true}, {"02:00", true}, {"02:59", true}, {"03:00", false}};
  // One-off bookings that day, from the repetition's time on: one that meets it only where
  // readers show it, and one just after it there.
  const struct {
    int from, to;
    bool meetsMoved;
  } others[] = {{65, 80, true}, {91, 100, false}};

  for (const SpringNight& z : kSpringNights) {
    store::Planner planner;
    planner.IanaTimeZone = z.zone;
    planner.Categories = {"Conduite¦255-1"};
    std::map<int, int> resourceOf;
    const auto store = [&](const activities::ActivityDraft& draft) {
      resourceOf[planner.ActivityMax() + 1] = draft.resourceRows[0];
      planner.Activities.push_back(RecordText(draft));
    };
    for (const auto& edge : edges) {
      const DateTime repeatsFrom = At(z.day + std::string(" ") + edge.time).AddDays(-1);
      for (const auto& other : others) {
        for (const bool repetitionFirst : {true, false}) {
          const int resource = static_cast<int>(planner.Resources.size());
          planner.Resources.push_back("Moniteur " + std::to_string(resource));
          const auto repetition = Draft(repeatsFrom, kMinutes, 1, resource);
          const auto oneOff = Draft(repeatsFrom.AddDays(1).AddMinutes(other.from),
                                    other.to - other.from, 0, resource);
          store(repetitionFirst ? repetition : oneOff);
          const auto& second = repetitionFirst ? oneOff : repetition;
          const auto verdict = activities::CheckActivitySave(planner, second);
          const bool refused = edge.moved && other.meetsMoved;
          EXPECT_EQ(verdict.Passed(), !refused)
              << z.zone << " " << edge.time << " +" << other.from << " "
              << (repetitionFirst ? "one-off after" : "repetition after") << ": "
              << verdict.message;
          if (verdict.Passed()) store(second);
        }
      }
    }
    // A booking held in the data file in the skipped hour, made before it was refused,
    // blocks its resource where readers show it.
    const int resource = static_cast<int>(planner.Resources.size());
    planner.Resources.push_back("Moniteur " + std::to_string(resource));
    store(Draft(At(z.day + std::string(" 02:30")), 60, 0, resource));
    for (const auto& [from, refused] : {std::pair{"03:35", true}, std::pair{"04:31", false}}) {
      const auto after = Draft(At(z.day + std::string(" ") + from), 25, 0, resource);
      const auto verdict = activities::CheckActivitySave(planner, after);
      EXPECT_EQ(verdict.Passed(), !refused) << z.zone << " " << from << ": " << verdict.message;
      if (verdict.Passed()) store(after);
    }

    const auto found = PublishedByResource(planner, z.day, resourceOf);
    ASSERT_EQ(found.size(), planner.Resources.size()) << z.zone;
    for (const auto& [resource, occurrences] : found) {
      for (const Found& a : occurrences) {
        for (const Found& b : occurrences) {
          if (a.activity == b.activity) continue;
          EXPECT_FALSE(a.start <= b.end && b.start <= a.end)
              << z.zone << " " << planner.Resources[resource] << ": " << a.start.Text() << "-"
              << a.end.Text() << " meets " << b.start.Text() << "-" << b.end.Text();
        }
      }
    }
  }
}

}  // namespace
