#include "app/activities/skipped_hour.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace activities {
namespace {

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Day of the month of the transition's weekday in the given year, before any shift by
// its time of day.
int RuleDay(const platform::ZoneTransition& rule, int year) {
  const runtime::DateTime first = *runtime::DateTime::FromParts(year, rule.Month, 1);
  const int firstWeekday = first.Weekday() - 1;  // 0 Sunday
  int day = 1 + (rule.Weekday - firstWeekday + 7) % 7 + 7 * (rule.Week - 1);
  while (day > runtime::DaysInMonth(year, rule.Month)) day -= 7;
  return day;
}

}  // namespace

platform::ZoneRules BlockRules(const std::optional<platform::ZoneRules>& rules) {
  return rules ? *rules : *platform::ParseZoneRules(kCentralEuropeanRules);
}

platform::ZoneRules PublishedZoneRules(std::string_view ianaZone) {
  if (ianaZone.empty()) return {};  // no zone named: plain civil time, nothing skipped
  // Every save checks against these rules: the zone's file is read once, not at each save.
  static std::mutex mutex;
  static std::string readZone;
  static platform::ZoneRules readRules;
  const std::lock_guard lock(mutex);
  if (readZone != ianaZone) {
    readRules = BlockRules(platform::ReadZoneRules(ianaZone));
    readZone = ianaZone;
  }
  return readRules;
}

runtime::DateTime TransitionTime(const platform::ZoneTransition& rule, int year) {
  year = std::clamp(year, 1, 9999);
  return runtime::DateTime::FromParts(year, rule.Month, RuleDay(rule, year))
      ->AddMinutes(FloorDiv(rule.Seconds, 60));
}

std::vector<SkippedHour> SkippedHoursOf(const platform::ZoneRules& rules, int year) {
  std::vector<SkippedHour> skips;
  if (!rules.HasDaylight) return skips;
  const std::pair<const platform::ZoneTransition&, int> changes[] = {
      {rules.DaylightStart, (rules.DaylightOffset - rules.StandardOffset) / 60},
      {rules.DaylightEnd, (rules.StandardOffset - rules.DaylightOffset) / 60}};
  for (const auto& [transition, forward] : changes) {
    if (forward > 0) skips.push_back({TransitionTime(transition, year), forward});
  }
  return skips;
}

std::optional<SkippedHour> SkippedHourAt(const platform::ZoneRules& rules,
                                         runtime::DateTime local) {
  // A change late on the last night of a year may skip into the next one.
  for (const int year : {local.Year(), local.Year() - 1}) {
    for (const SkippedHour& skip : SkippedHoursOf(rules, year)) {
      if (skip.Holds(local)) return skip;
    }
  }
  return std::nullopt;
}

int SkippedMinutes(const platform::ZoneRules& rules, runtime::DateTime local) {
  const auto skip = SkippedHourAt(rules, local);
  return skip ? skip->minutes : 0;
}

}  // namespace activities
