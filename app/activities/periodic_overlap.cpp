#include "app/activities/periodic_overlap.h"

namespace activities {

bool PeriodicOverlaps(OccurrenceWalk booking, OccurrenceWalk windows) {
  // Starts and ends only grow from one occurrence to the next, so an occurrence that ends
  // before the other walk's current one starts can meet none of its later ones either.
  while (!booking.AtEnd() && !windows.AtEnd()) {
    const Occurrence& b = booking.Current();
    const Occurrence& w = windows.Current();
    if (b.end < w.start) {
      booking.SkipEndingBefore(w.start);
    } else if (w.end < b.start) {
      windows.SkipEndingBefore(b.start);
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace activities
