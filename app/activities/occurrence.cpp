#include "app/activities/occurrence.h"

namespace activities {

runtime::DateTime ZeroDate() { return *runtime::DateTime::FromParts(1899, 12, 30); }

OccurrenceWalk::OccurrenceWalk(Occurrence first, int code,
                               std::optional<runtime::DateTime> startsBefore)
    : current_(first),
      origin_(first.start),
      duration_(runtime::MinutesBetween(first.start, first.end)),
      code_(code),
      steady_(SteadyFrom(first.start, code)),
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
  MoveTo(step_ + 1);
}

void OccurrenceWalk::SkipBefore(runtime::DateTime Occurrence::*bound, runtime::DateTime time) {
  if (atEnd_ || current_.*bound >= time) return;
  if (!IsPeriodicCode(code_)) {
    atEnd_ = true;
    return;
  }
  // An occurrence ends at or after `time` when it starts at or after `time` less its length.
  const runtime::DateTime startAt =
      bound == &Occurrence::end ? time.AddMinutes(-duration_) : time;
  MoveTo(FirstStepFrom(origin_, code_, steady_, step_ + 1, startAt));
}

void OccurrenceWalk::MoveTo(std::int64_t step) {
  step_ = step;
  const runtime::DateTime start = RepetitionStart(origin_, code_, step, steady_);
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
