// Date-time stamps of calendar files, in UTC.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace settings {

// "yyyymmddThhmm00Z" for a local "dd.mm.yyyy" or "dd.mm.yyyy HH:MM" in a zone that is
// `utcOffsetMinutes` ahead of UTC (by default the two hours of Central European summer
// time); the empty text when it is not such a text.
std::string LocalDateToUtcStamp(std::string_view dateText, int utcOffsetMinutes = 120);

// "yyyymmddThhmmssZ" of a moment.
std::string UtcStamp(std::time_t moment);

}  // namespace settings
