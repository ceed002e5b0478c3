#include "app/settings/utc_stamp.h"

#include <cstdio>

#include "runtime/datetime.h"

namespace settings {

std::string LocalDateToUtcStamp(std::string_view dateText, int utcOffsetMinutes) {
  const auto local = runtime::DateTime::Parse(dateText);
  if (!local) return {};
  const runtime::DateTime utc = local->AddMinutes(-utcOffsetMinutes);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00Z", utc.Year(), utc.Month(), utc.Day(),
                utc.Hour(), utc.Minute());
  return text;
}

std::string UtcStamp(std::time_t moment) {
  std::tm utc{};
  gmtime_r(&moment, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

}  // namespace settings
