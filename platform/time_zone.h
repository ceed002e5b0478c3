// The system's time zone: its IANA name and the rules its time-zone data gives for it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/environment.h"

namespace platform {

struct SystemZoneFiles {
  std::filesystem::path Etc = "/etc";
  std::filesystem::path ZoneInfo = "/usr/share/zoneinfo";
};

// The IANA name of the zone in force: TZ, else /etc/timezone, else the target of the
// /etc/localtime link; the empty text when none of them names a zone.
std::string SystemTimeZoneName(const Environment& environment, const SystemZoneFiles& files = {});

// True when both names lead to the same zone file (one is a link to the other).
bool SameZone(std::string_view a, std::string_view b, const SystemZoneFiles& files = {});

// A change of offset: the given weekday (0 Sunday .. 6 Saturday) of the given week
// (1 to 4, 5 the last) of the month, at the given local time in seconds, which may lie
// outside 0..24 hours.
struct ZoneTransition {
  int Month = 0;
  int Week = 0;
  int Weekday = 0;
  int Seconds = 7200;
};

// The zone's rules for the present and the future.  Offsets are seconds east of UTC.
struct ZoneRules {
  std::string Text;  // the rule text as the time-zone data holds it
  std::string StandardName;
  int StandardOffset = 0;
  bool HasDaylight = false;
  std::string DaylightName;
  int DaylightOffset = 0;
  ZoneTransition DaylightStart;
  ZoneTransition DaylightEnd;
};

// The rules of a POSIX TZ text such as "CET-1CEST,M3.5.0,M10.5.0/3"; nothing when the
// text is not of that form (the day-of-year forms are not read).
std::optional<ZoneRules> ParseZoneRules(std::string_view text);

// The rules at the end of the zone's file in the time-zone data; nothing when the zone
// has no such file or the file carries no rule text.
std::optional<ZoneRules> ReadZoneRules(std::string_view zoneName,
                                       const SystemZoneFiles& files = {});

}  // namespace platform
