#include "app/mainwindow/occurrence_range.h"

#include <algorithm>
#include <cstdint>

#include "app/activities/periodicity.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

int StepDays(int code) {
  switch (code) {
    case 1: return 1;
    case 2: return 7;
    case 3: return 14;
    default: return 0;
  }
}

int StepMonths(int code) {
  switch (code) {
    case 4: return 1;
    case 5: return 3;
    case 6: return 6;
    case 7: return 12;
    default: return 0;
  }
}

std::int64_t MonthNumber(runtime::DateTime date) {
  return std::int64_t{date.Year()} * 12 + date.Month() - 1;
}

// `steps` month steps of `months` each, every step taken from the one before, so that a day
// clamped at a month's end stays clamped.  Clamping only lowers the day, and within two
// years of steps every month the steps can reach has been visited (February twice, once in
// a common year), so from then on the day no longer changes and the rest is one jump.
runtime::DateTime StepMonthsFrom(runtime::DateTime date, int months, std::int64_t steps) {
  const std::int64_t stepped = std::min<std::int64_t>(steps, (24 + months - 1) / months);
  for (std::int64_t i = 0; i < stepped; ++i) date = date.AddMonths(months);
  return date.AddMonths(static_cast<int>((steps - stepped) * months));
}

}  // namespace

int PeriodicCodeOf(const std::string& text) {
  const std::optional<long long> code = runtime::ParseInteger(text);
  return code && *code >= 1 && *code <= 7 ? static_cast<int>(*code) : 0;
}

std::vector<Occurrence> OccurrencesBetween(runtime::DateTime start, runtime::DateTime end,
                                           int code, runtime::DateTime first,
                                           runtime::DateTime last) {
  std::vector<Occurrence> result;
  if (!activities::IsPeriodicCode(code)) return result;
  const runtime::DateTime startDay = start.Date();

  if (const int days = StepDays(code)) {
    // The first step k >= 1 that reaches `first`.
    const std::int64_t toFirst = runtime::DaysBetween(startDay, first);
    std::int64_t k = toFirst <= days ? 1 : (toFirst + days - 1) / days;
    for (;; ++k) {
      const std::int64_t offset = k * days;
      const runtime::DateTime day = startDay.AddDays(offset);
      if (day > last) break;
      result.push_back({start.AddDays(offset), end.AddDays(offset)});
    }
    return result;
  }

  // Month steps give at most one repetition per month.
  const int months = StepMonths(code);
  for (std::int64_t month = std::max(MonthNumber(first), MonthNumber(startDay) + 1);
       month <= MonthNumber(last); ++month) {
    const std::int64_t distance = month - MonthNumber(startDay);
    if (distance % months != 0) continue;
    const runtime::DateTime occurrenceStart = StepMonthsFrom(start, months, distance / months);
    const runtime::DateTime day = occurrenceStart.Date();
    if (day < first || day > last) continue;
    result.push_back({occurrenceStart, StepMonthsFrom(end, months, distance / months)});
  }
  return result;
}

std::optional<Occurrence> OccurrenceOn(runtime::DateTime start, runtime::DateTime end, int code,
                                       runtime::DateTime day) {
  const std::vector<Occurrence> found = OccurrencesBetween(start, end, code, day, day);
  if (found.empty()) return std::nullopt;
  return found.front();
}

}  // namespace mainwindow
