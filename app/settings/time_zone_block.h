// The VTIMEZONE block of a published calendar.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The rules the block describes: the zone's, or Central European time's when they are unknown.
platform::ZoneRules BlockRules(const std::optional<platform::ZoneRules>& rules);

// The local times of the year at which the offset changes, in order; none without daylight
// saving.
std::vector<runtime::DateTime> OffsetChanges(const platform::ZoneRules& rules, int year);

}  // namespace settings
