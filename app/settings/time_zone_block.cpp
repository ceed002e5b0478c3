#include "app/settings/time_zone_block.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/activities/skipped_hour.h"
#include "runtime/datetime.h"

namespace settings {
namespace {

using activities::kCentralEuropeanRules;
using activities::TransitionTime;

// Rules are written as from this year on.
constexpr int kFirstYear = 1970;

const char* const kDayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::vector<std::string> CentralEuropeanRules() {
  return {"BEGIN:STANDARD",
          "TZOFFSETFROM:+0200",
          "TZOFFSETTO:+0100",
          "DTSTART:19961027T030000",
          "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
          "TZNAME:CET",
          "END:STANDARD",
          "BEGIN:DAYLIGHT",
          "TZOFFSETFROM:+0100",
          "TZOFFSETTO:+0200",
          "DTSTART:19810329T020000",
          "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
          "TZNAME:CEST",
          "END:DAYLIGHT"};
}

// "+hhmm", or "+hhmmss" when the offset has seconds.
std::string OffsetText(int seconds) {
  const char sign = seconds < 0 ? '-' : '+';
  seconds = std::abs(seconds);
  char text[16];
  if (seconds % 60 != 0) {
    std::snprintf(text, sizeof text, "%c%02d%02d%02d", sign, seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%c%02d%02d", sign, seconds / 3600, seconds / 60 % 60);
  }
  return text;
}

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The RRULE and DTSTART of a transition.  A time of day outside 0..24 hours moves the
// transition to another weekday: the days it may fall on are then listed.
std::vector<std::string> TransitionLines(const platform::ZoneTransition& rule) {
  const int shiftDays = FloorDiv(rule.Seconds, 86400);
  const int timeOfDay = rule.Seconds - shiftDays * 86400;
  const runtime::DateTime start = TransitionTime(rule, kFirstYear);
  char dtstart[40];
  std::snprintf(dtstart, sizeof dtstart, "DTSTART:%04d%02d%02dT%02d%02d%02d", start.Year(),
                start.Month(), start.Day(), start.Hour(), start.Minute(), timeOfDay % 60);

  std::string rrule = "RRULE:FREQ=YEARLY;";
  const std::string weekday = kDayNames[((rule.Weekday + shiftDays) % 7 + 7) % 7];
  if (shiftDays == 0) {
    rrule += "BYMONTH=" + std::to_string(rule.Month) + ";BYDAY=" +
             (rule.Week == 5 ? std::string("-1") : std::to_string(rule.Week)) + weekday;
  } else {
    // The unshifted weekday falls on one of seven days (days 1-7, 8-14, ... of the month,
    // or its last seven); the shift moves them, maybe past the month's end.  Counted from
    // the end of the year, a day after February has the same number in every year.
    const int monthLength = runtime::DaysInMonth(kFirstYear + 1, rule.Month);
    const int firstDay = (rule.Week == 5 ? monthLength - 6 : 7 * rule.Week - 6) + shiftDays;
    std::string days;
    if (firstDay >= 1 && firstDay + 6 <= monthLength) {
      for (int day = firstDay; day < firstDay + 7; ++day) {
        days += (day > firstDay ? "," : "") + std::to_string(day);
      }
      rrule += "BYMONTH=" + std::to_string(rule.Month) + ";BYMONTHDAY=" + days;
    } else {
      const runtime::DateTime yearEnd = *runtime::DateTime::FromParts(kFirstYear + 1, 12, 31);
      const runtime::DateTime monthStart =
          *runtime::DateTime::FromParts(kFirstYear + 1, rule.Month, 1);
      for (int day = firstDay; day < firstDay + 7; ++day) {
        const auto date = monthStart.AddDays(day - 1);
        days += (day > firstDay ? "," : "") +
                std::to_string(-runtime::DaysBetween(date, yearEnd) - 1);
      }
      rrule += "BYYEARDAY=" + days;
    }
    rrule += ";BYDAY=" + weekday;
  }
  return {dtstart, rrule};
}

void AddObservance(std::vector<std::string>& lines, const char* kind, int offsetFrom,
                   int offsetTo, const std::vector<std::string>& timing, const std::string& name) {
  lines.push_back(std::string("BEGIN:") + kind);
  lines.push_back("TZOFFSETFROM:" + OffsetText(offsetFrom));
  lines.push_back("TZOFFSETTO:" + OffsetText(offsetTo));
  lines.insert(lines.end(), timing.begin(), timing.end());
  lines.push_back("TZNAME:" + name);
  lines.push_back(std::string("END:") + kind);
}

}  // namespace

std::vector<std::string> TimeZoneBlock(std::string_view zoneName,
                                       const std::optional<platform::ZoneRules>& rules) {
  std::vector<std::string> lines = {"BEGIN:VTIMEZONE", "TZID:" + std::string(zoneName),
                                    "X-LIC-LOCATION:" + std::string(zoneName)};
  std::vector<std::string> observances;
  if (!rules || rules->Text == kCentralEuropeanRules) {
    observances = CentralEuropeanRules();
  } else if (!rules->HasDaylight) {
    AddObservance(observances, "STANDARD", rules->StandardOffset, rules->StandardOffset,
                  {"DTSTART:19700101T000000"}, rules->StandardName);
  } else {
    AddObservance(observances, "STANDARD", rules->DaylightOffset, rules->StandardOffset,
                  TransitionLines(rules->DaylightEnd), rules->StandardName);
    AddObservance(observances, "DAYLIGHT", rules->StandardOffset, rules->DaylightOffset,
                  TransitionLines(rules->DaylightStart), rules->DaylightName);
  }
  lines.insert(lines.end(), observances.begin(), observances.end());
  lines.push_back("END:VTIMEZONE");
  return lines;
}

int UtcOffsetMinutes(const std::optional<platform::ZoneRules>& rules, runtime::DateTime local) {
  if (!rules) return 120;
  if (!rules->HasDaylight) return rules->StandardOffset / 60;
  const runtime::DateTime start = TransitionTime(rules->DaylightStart, local.Year());
  const runtime::DateTime end = TransitionTime(rules->DaylightEnd, local.Year());
  const bool daylight = start < end ? local >= start && local < end : local >= start || local < end;
  return (daylight ? rules->DaylightOffset : rules->StandardOffset) / 60;
}

std::vector<runtime::DateTime> OffsetChanges(const platform::ZoneRules& rules, int year) {
  if (!rules.HasDaylight) return {};
  std::vector<runtime::DateTime> changes = {TransitionTime(rules.DaylightStart, year),
                                            TransitionTime(rules.DaylightEnd, year)};
  if (changes[1] < changes[0]) std::swap(changes[0], changes[1]);
  return changes;
}

int ChangeMinutes(const platform::ZoneRules& rules) {
  return std::abs(rules.DaylightOffset - rules.StandardOffset) / 60;
}

std::int64_t ReaderMoment(const platform::ZoneRules& rules, runtime::DateTime local) {
  return local.Minutes() - UtcOffsetMinutes(rules, local) + SkippedMinutes(rules, local);
}

}  // namespace settings
