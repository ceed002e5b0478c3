// The VTIMEZONE block of a published calendar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/activities/skipped_hour.h"
#include "platform/time_zone.h"
#include "runtime/datetime.h"

namespace settings {

// The block's lines for the zone named `zoneName`, whose rules are `rules`: the standard
// and daylight-saving rules of the zone, or a standard rule alone for a zone without
// daylight saving.  Central European time, and a zone whose rules are unknown, get the
// block the published calendars have always carried.
std::vector<std::string> TimeZoneBlock(std::string_view zoneName,
                                       const std::optional<platform::ZoneRules>& rules);

// The zone's offset from UTC at a local time, in minutes; two hours (Central European
// summer time) for a zone whose rules are unknown.
int UtcOffsetMinutes(const std::optional<platform::ZoneRules>& rules, runtime::DateTime local);

// The rules the block describes, and the skips of the clocks readers see in them.
using activities::BlockRules;
using activities::SkippedMinutes;

// The local times of the year at which the offset changes, in order; none without daylight
// saving.
std::vector<runtime::DateTime> OffsetChanges(const platform::ZoneRules& rules, int year);

// How far, in minutes, the offset moves at a change: the length of the hour the clocks
// skip or repeat.
int ChangeMinutes(const platform::ZoneRules& rules);

// The moment of a local time as calendar readers take it, in minutes of UTC: a skipped time
// with the offset before the change, a repeated one at its first passing.
std::int64_t ReaderMoment(const platform::ZoneRules& rules, runtime::DateTime local);

}  // namespace settings
