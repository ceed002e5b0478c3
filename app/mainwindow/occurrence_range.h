// The repetitions of a periodic activity that begin within a range of days, computed
// directly from the stored occurrence rather than stepped one by one, so that drawing a
// view costs the same for an activity begun last week or ten years ago.  The results are
// those of activities::OccurrenceOnDate day by day.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/activities/occurrence.h"
#include "runtime/datetime.h"

namespace mainwindow {

using activities::Occurrence;

// The repetitions (the stored occurrence excluded) whose start falls on a day from `first`
// to `last` (dates at 00:00, both included), in order.
std::vector<Occurrence> OccurrencesBetween(runtime::DateTime start, runtime::DateTime end,
                                           int code, runtime::DateTime first,
                                           runtime::DateTime last);

// The last day an occurrence from `start` to `end` covers: the day of its end, or the day
// before when it ends at 00:00 after it began, covering nothing of that day.
runtime::DateTime LastDayCovered(runtime::DateTime start, runtime::DateTime end);

// The repetition that begins on `day`, if one does.
std::optional<Occurrence> OccurrenceOn(runtime::DateTime start, runtime::DateTime end, int code,
                                       runtime::DateTime day);

}  // namespace mainwindow
