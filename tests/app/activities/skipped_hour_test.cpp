// A time the clocks skip, in the zone the calendars are published in, is no time at which
// anything can be booked: the save refuses it and says why.
#include <gtest/gtest.h>

#include <string>

#include "app/activities/booking.h"
#include "site_planner.h"

namespace {

using activities::ActivityDraft;
using activities::CheckActivitySave;
using activities::SaveCheck;
using activities::SaveFocus;

runtime::DateTime At(const std::string& text) { return *runtime::DateTime::Parse(text); }

// Each zone's spring night: the day its clocks go from 02:00 to 03:00.
struct Zone {
  const char* name;
  const char* day;
  const char* season;  // the day after the change of hour
};
const Zone kZones[] = {{"Europe/Paris", "28.03.2027", "29.03.2027"},
                       {"America/New_York", "14.03.2027", "15.03.2027"},
                       {"Australia/Sydney", "03.10.2027", "04.10.2027"}};

// The edges of the skipped hour: the minute before it, its first and last minutes, the
// minute after it.
const struct {
  const char* time;
  bool skipped;
} kEdges[] = {{"01:59", false}, {"02:00", true}, {"02:59", true}, {"03:00", false}};

TEST(SkippedHour, AStartOrAnEndThatNoClockShowsIsRefusedAndSaysWhy) {
  for (const Zone& zone : kZones) {
    store::Planner planner = SitePlanner();
    planner.IanaTimeZone = zone.name;
    for (const auto& edge : kEdges) {
      for (const int code : {0, 2}) {  // single and weekly
        const std::string day = zone.day, time = day + " " + edge.time;
        const std::string where = std::string(zone.name) + " " + time + " code " +
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
          EXPECT_EQ(verdict.message, std::string("L'heure de début ") + edge.time +
                                         " n'existe pas le " + day +
                                         " : au passage à l'heure d'été, les horloges passent "
                                         "de 02:00 à 03:00")
              << where;
          EXPECT_EQ(verdict.focus, SaveFocus::StartHour) << where;
        }

        draft.start = At(day + " 01:00");
        draft.end = At(time);
        verdict = CheckActivitySave(planner, draft);
        EXPECT_EQ(verdict.Passed(), !edge.skipped) << where;
        if (edge.skipped) {
          EXPECT_EQ(verdict.message, std::string("L'heure de fin ") + edge.time +
                                         " n'existe pas le " + day +
                                         " : au passage à l'heure d'été, les horloges passent "
                                         "de 02:00 à 03:00")
              << where;
          EXPECT_EQ(verdict.focus, SaveFocus::EndHour) << where;
        }

        // The same hour a day later exists.
        draft.start = At(std::string(zone.season) + " " + edge.time);
        draft.end = draft.start.AddMinutes(30);
        EXPECT_TRUE(CheckActivitySave(planner, draft).Passed()) << where;
      }
    }
  }
}

}  // namespace
