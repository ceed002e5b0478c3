#include "app/activities/occurrence.h"

#include "app/activities/periodicity.h"

namespace activities {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

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

}  // namespace

runtime::DateTime ZeroDate() { return *runtime::DateTime::FromParts(1899, 12, 30); }

OccurrenceWalk::OccurrenceWalk(Occurrence first, int code,
                               std::optional<runtime::DateTime> startsBefore)
    : current_(first), code_(code), startsBefore_(startsBefore) {}

OccurrenceWalk OccurrenceWalk::ThroughLastDay(Occurrence first, int code,
                                             std::optional<runtime::DateTime> lastDay) {
  if (!lastDay) return OccurrenceWalk(first, code);
  return OccurrenceWalk(first, code, lastDay->Date().AddDays(1));
}

void OccurrenceWalk::Next() {
  if (atEnd_) return;
  if (const int days = StepDays(code_)) {
    current_ = {current_.start.AddDays(days), current_.end.AddDays(days)};
  } else if (const int months = StepMonths(code_)) {
    current_ = {current_.start.AddMonths(months), current_.end.AddMonths(months)};
  } else {
    atEnd_ = true;
    return;
  }
  StopPastLimit();
}

void OccurrenceWalk::SkipBefore(runtime::DateTime Occurrence::*bound, runtime::DateTime time) {
  if (const int days = StepDays(code_); days > 0 && !atEnd_ && current_.*bound < time) {
    // Day steps never clamp, so the occurrence is reached in one jump.
    const std::int64_t period = days * kMinutesPerDay;
    const std::int64_t steps =
        (runtime::MinutesBetween(current_.*bound, time) + period - 1) / period;
    current_ = {current_.start.AddMinutes(steps * period),
                current_.end.AddMinutes(steps * period)};
    StopPastLimit();
  }
  // Month steps go one by one: a day clamped at a month's end stays clamped.
  while (!atEnd_ && current_.*bound < time) Next();
}

void OccurrenceWalk::StopPastLimit() {
  if (startsBefore_ && current_.start >= *startsBefore_) atEnd_ = true;
}

std::pair<std::string, std::string> OccurrenceOnDate(std::string_view start,
                                                     std::string_view end, int code,
                                                     runtime::DateTime day) {
  const auto first = runtime::DateTime::Parse(start);
  const auto last = runtime::DateTime::Parse(end);
  if (!first || !last || !IsPeriodicCode(code)) return {};

  OccurrenceWalk walk({*first, *last}, code);
  walk.Next();
  walk.SkipStartingBefore(day);
  const Occurrence& found = walk.Current();
  if (found.start.Date() != day && day != ZeroDate()) return {};
  return {found.start.Text(), found.end.Text()};
}

}  // namespace activities
