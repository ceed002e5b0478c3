// Windows time-zone names and the IANA names the published calendars carry.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/time_zone.h"

namespace settings {

struct TimeZoneMapping {
  const char* WindowsName;  // the Windows key name, as Windows spells it
  const char* IanaName;
};

// The 64 zones that calendars are published in, in the order they are searched.
std::span<const TimeZoneMapping> TimeZoneMappings();

// The Windows key name of the system's zone, or the empty text when the zone is not in the
// table.  An IANA alias of a zone in the table (one linked to the same zone data) counts
// as that zone.
std::string GetWindowsTimeZoneName();
std::string GetWindowsTimeZoneName(const platform::Environment& environment,
                                   const platform::SystemZoneFiles& files);

// The IANA name of a Windows key name, compared trimmed and without regard to case;
// "UTC" for a name the table lacks.
std::string WindowsToIanaTimeZone(std::string_view windowsName);

}  // namespace settings
