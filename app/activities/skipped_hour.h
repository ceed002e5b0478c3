// The hour the clocks skip when they move forward, in the zone the calendars are published
// in.  A local time in it exists on no clock: calendar readers move it forward by the
// length of the skip, so that the planner's bookings are checked where readers show them.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/time_zone.h"
#include "runtime/datetime.h"

namespace activities {

// The rules of Central European time, which published calendars carry for a zone whose
// rules are unknown.
inline constexpr std::string_view kCentralEuropeanRules = "CET-1CEST,M3.5.0,M10.5.0/3";

// The rules readers place the calendar's times by: the zone's, or Central European time's
// when they are unknown.
platform::ZoneRules BlockRules(const std::optional<platform::ZoneRules>& rules);

// The rules of the zone the calendars are published in, read from the time-zone data, as
// readers of the calendars take them, once per zone; a civil time without changes when no
// zone is named.
platform::ZoneRules PublishedZoneRules(std::string_view ianaZone);

// The local time of the transition in the given year, to the minute; beyond the years that
// dates can name, in the nearest one.
runtime::DateTime TransitionTime(const platform::ZoneTransition& rule, int year);

// A skip of the clocks: from `from` (local time) they show `from` + `minutes`.
struct SkippedHour {
  runtime::DateTime from;
  int minutes = 0;

  bool Holds(runtime::DateTime local) const {
    return from <= local && local < from.AddMinutes(minutes);
  }
};

// The skips of the clocks whose transition falls in the given year: at most one for the
// zones there are, none without daylight saving.
std::vector<SkippedHour> SkippedHoursOf(const platform::ZoneRules& rules, int year);

// The skip that `local` lies in; nothing for a time that exists.
std::optional<SkippedHour> SkippedHourAt(const platform::ZoneRules& rules,
                                         runtime::DateTime local);

// The minutes by which calendar readers move a local time that the clocks skip, at a change
// to a larger offset, to the time that exists; 0 for a time that exists.
int SkippedMinutes(const platform::ZoneRules& rules, runtime::DateTime local);

}  // namespace activities
