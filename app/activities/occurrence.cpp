#include "app/activities/occurrence.h"

#include <optional>

namespace activities {
namespace {

// Days between occurrences for the codes that step by days; 0 for the others.
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

std::optional<runtime::DateTime> NextOccurrence(runtime::DateTime from, int code) {
  if (const int days = StepDays(code)) return from.AddDays(days);
  if (const int months = StepMonths(code)) return from.AddMonths(months);
  return std::nullopt;
}

}  // namespace

runtime::DateTime ZeroDate() { return *runtime::DateTime::FromParts(1899, 12, 30); }

std::pair<std::string, std::string> OccurrenceOnDate(std::string_view start,
                                                     std::string_view end, int code,
                                                     runtime::DateTime day) {
  auto occurrenceStart = runtime::DateTime::Parse(start);
  auto occurrenceEnd = runtime::DateTime::Parse(end);
  if (!occurrenceStart || !occurrenceEnd || !NextOccurrence(*occurrenceStart, code)) return {};

  occurrenceStart = NextOccurrence(*occurrenceStart, code);
  occurrenceEnd = NextOccurrence(*occurrenceEnd, code);
  if (const int days = StepDays(code); days > 0 && *occurrenceStart < day) {
    // Day steps never clamp, so the occurrence can be reached in one jump.
    const std::int64_t period = std::int64_t{days} * 1440;
    const std::int64_t steps =
        (runtime::MinutesBetween(*occurrenceStart, day) + period - 1) / period;
    occurrenceStart = occurrenceStart->AddMinutes(steps * period);
    occurrenceEnd = occurrenceEnd->AddMinutes(steps * period);
  }
  // Month steps go one by one: a day clamped at a month's end stays clamped.
  while (*occurrenceStart < day) {
    occurrenceStart = NextOccurrence(*occurrenceStart, code);
    occurrenceEnd = NextOccurrence(*occurrenceEnd, code);
  }
  if (occurrenceStart->Date() != day && day != ZeroDate()) return {};
  return {occurrenceStart->Text(), occurrenceEnd->Text()};
}

}  // namespace activities
