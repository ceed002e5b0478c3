// Whether two series of occurrences share a minute.
#pragma once

#include "app/activities/occurrence.h"

namespace activities {

// Whether an occurrence of `booking`, from its current one on, meets an occurrence of
// `windows`, from its current one on (both bounds included, Meets).  Exact whatever the
// dates, and for two repetitions without end too: the pair of series repeats itself, so the
// search stops once every way the two can stand towards each other has been met.
bool PeriodicOverlaps(OccurrenceWalk booking, OccurrenceWalk windows);

}  // namespace activities
