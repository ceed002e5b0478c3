// Whether two series of occurrences share a minute.
#pragma once

#include "app/activities/occurrence.h"

namespace activities {

// Whether an occurrence of `booking`, from its current one on, meets an occurrence of
// `windows`, from its current one on (both bounds included, Meets).  Both walks must come
// to an end or one of them must: the editor's activity always does.
bool PeriodicOverlaps(OccurrenceWalk booking, OccurrenceWalk windows);

}  // namespace activities
