// A time the clocks skip, in the zone the calendars are published in, is no time at which
// anything can be booked: the save refuses it and says why.
#include <gtest/gtest.h>

#include <string>

#include "app/activities/booking.h"
#include "site_planner.h"
#include "tests/app/spring_nights.h"

namespace {

using activities::ActivityDraft;
using activities::CheckActivitySave;
using activities::SaveCheck;
using activities::SaveFocus;

runtime::DateTime At(const std::string& text) { return *runtime::DateTime::Parse(text); }

// The edges of the skipped hour: the minute before it, its first and last minutes, the
// minute after it.
const struct {
  const char* time;
  bool skipped;
} kEdges[] = {{"01:59", false}, {"02:00", true}, {"02:59", true}, {"03:00", false}};

TEST(SkippedHour, AStartOrAnEndThatNoClockShowsIsRefusedAndSaysWhy) {
  for (const SpringNight& zone : kSpringNights) {
    store::Planner planner = SitePlanner();
    planner.IanaTimeZone = zone.zone;
    for (const auto& edge : kEdges) {
      for (const int code : {0, 2}) {  // single and weekly
        const std::string day = zone.day, time = day + " " + edge.time;
        const std::string where = std::string(zone.zone) + " " + time + " code " +
                                  std::to_string(code);
        ActivityDraft draft;
        draft.project = 0;
        draft.periodicityCode = code;
        draft.resourceRows = {0};

        draft.start = At(time);
        draft.end = At(day + " 04:00");
        auto verdict = CheckActivitySave(planner, draft);
        EXPECT_EQ(verdict.Passed(), !edge.skipped) << where;
        if (edge.skipped) {
          EXPECT_EQ(verdict.check, SaveCheck::SkippedTime) << where;
          EXPECT_EQ(verdict.message, SkippedHourRefusal("début", edge.time, day)) << where;
          EXPECT_EQ(verdict.focus, SaveFocus::StartHour) << where;
        }

        draft.start = At(day + " 01:00");
        draft.end = At(time);
        verdict = CheckActivitySave(planner, draft);
        EXPECT_EQ(verdict.Passed(), !edge.skipped) << where;
        if (edge.skipped) {
          EXPECT_EQ(verdict.message, SkippedHourRefusal("fin", edge.time, day)) << where;
          EXPECT_EQ(verdict.focus, SaveFocus::EndHour) << where;
        }

        // The same hour a day later exists.
        draft.start = At(std::string(zone.dayAfter) + " " + edge.time);
        draft.end = draft.start.AddMinutes(30);
        EXPECT_TRUE(CheckActivitySave(planner, draft).Passed()) << where;
      }
    }
  }
}

}  // namespace
