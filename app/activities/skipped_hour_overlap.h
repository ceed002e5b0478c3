// Bookings where the clocks skip an hour.  A repetition keeps its time of day, so once a
// year one of its occurrences may start or end in the hour the clocks skip: calendar
// readers show it where the time exists, moved forward by the skip, and there it may meet
// an activity that the planner's times leave clear.
#pragma once

#include "app/activities/occurrence.h"
#include "platform/time_zone.h"

namespace activities {

// The occurrence as calendar readers place it: a start in a skipped hour moved past it with
// its end, the length kept, and an end that then lies in a skipped hour moved past it too.
Occurrence AsReadersPlaceIt(const platform::ZoneRules& rules, const Occurrence& occurrence);

// Whether an occurrence of `a` and one of `b`, from their current ones on, meet as readers
// place them, where one of the two starts or ends in a skipped hour.  The other pairs are
// the planner's times as readers show them: PeriodicOverlaps and Meets judge those.
bool MeetWhereClocksSkip(const OccurrenceWalk& a, const OccurrenceWalk& b,
                         const platform::ZoneRules& rules);

}  // namespace activities
