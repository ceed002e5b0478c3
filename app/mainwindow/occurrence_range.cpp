#include "app/mainwindow/occurrence_range.h"

#include <algorithm>
#include <cstdint>

#include "app/activities/periodicity.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

std::int64_t MonthNumber(runtime::DateTime date) {
  return std::int64_t{date.Year()} * 12 + date.Month() - 1;
}

}  // namespace

std::vector<Occurrence> OccurrencesBetween(runtime::DateTime start, runtime::DateTime end,
                                           int code, runtime::DateTime first,
                                           runtime::DateTime last) {
  std::vector<Occurrence> result;
  if (!activities::IsPeriodicCode(code)) return result;
  const runtime::DateTime startDay = start.Date();

  const std::int64_t duration = runtime::MinutesBetween(start, end);
  if (const int days = activities::PeriodDays(code)) {
    // The first step k >= 1 that reaches `first`.
    const std::int64_t toFirst = runtime::DaysBetween(startDay, first);
    std::int64_t k = toFirst <= days ? 1 : (toFirst + days - 1) / days;
    for (;; ++k) {
      const std::int64_t offset = k * days;
      const runtime::DateTime day = startDay.AddDays(offset);
      if (day > last) break;
      const runtime::DateTime repetition = start.AddDays(offset);
      result.push_back({repetition, repetition.AddMinutes(duration)});
    }
    return result;
  }

  // Month steps give at most one repetition per month.
  const int months = activities::PeriodMonths(code);
  for (std::int64_t month = std::max(MonthNumber(first), MonthNumber(startDay) + 1);
       month <= MonthNumber(last); ++month) {
    const std::int64_t distance = month - MonthNumber(startDay);
    if (distance % months != 0) continue;
    const runtime::DateTime occurrenceStart =
        activities::RepetitionStart(start, code, distance / months);
    const runtime::DateTime day = occurrenceStart.Date();
    if (day < first || day > last) continue;
    result.push_back({occurrenceStart, occurrenceStart.AddMinutes(duration)});
  }
  return result;
}

runtime::DateTime LastDayCovered(runtime::DateTime start, runtime::DateTime end) {
  return end > start && end == end.Date() ? end.AddDays(-1) : end.Date();
}

std::optional<Occurrence> OccurrenceOn(runtime::DateTime start, runtime::DateTime end, int code,
                                       runtime::DateTime day) {
  const std::vector<Occurrence> found = OccurrencesBetween(start, end, code, day, day);
  if (found.empty()) return std::nullopt;
  return found.front();
}

}  // namespace mainwindow
