#include "app/activities/occurrence.h"

#include "app/activities/periodicity.h"

namespace activities {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

}  // namespace

runtime::DateTime ZeroDate() { return *runtime::DateTime::FromParts(1899, 12, 30); }

OccurrenceWalk::OccurrenceWalk(Occurrence first, int code,
                               std::optional<runtime::DateTime> startsBefore)
    : current_(first),
      duration_(runtime::MinutesBetween(first.start, first.end)),
      code_(code),
      startsBefore_(startsBefore) {}

OccurrenceWalk OccurrenceWalk::ThroughLastDay(Occurrence first, int code,
                                             std::optional<runtime::DateTime> lastDay) {
  if (!lastDay) return OccurrenceWalk(first, code);
  return OccurrenceWalk(first, code, lastDay->Date().AddDays(1));
}

void OccurrenceWalk::Next() {
  if (atEnd_) return;
  if (!IsPeriodicCode(code_)) {
    atEnd_ = true;
    return;
  }
  MoveTo(RepetitionStart(current_.start, code_, 1));
}

void OccurrenceWalk::SkipBefore(runtime::DateTime Occurrence::*bound, runtime::DateTime time) {
  if (const int days = PeriodDays(code_); days > 0 && !atEnd_ && current_.*bound < time) {
    // Day steps never clamp, so the occurrence is reached in one jump.
    const std::int64_t period = days * kMinutesPerDay;
    const std::int64_t steps =
        (runtime::MinutesBetween(current_.*bound, time) + period - 1) / period;
    MoveTo(current_.start.AddMinutes(steps * period));
  }
  // Month steps go one by one: a day clamped at a month's end stays clamped.
  while (!atEnd_ && current_.*bound < time) Next();
}

void OccurrenceWalk::MoveTo(runtime::DateTime start) {
  current_ = {start, start.AddMinutes(duration_)};
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
