// The bookings of a few resources, read once from the activity records, so that the save
// looks at each record once however many editor rows it checks.
#pragma once

#include <optional>
#include <vector>

#include "app/activities/occurrence.h"
#include "app/store/planner.h"

namespace activities {

// One activity's hold on a resource: its stored occurrence and, when it repeats, the later
// ones up to its last day of repetition.
struct Booking {
  int activity;  // index into Activities
  Occurrence first;
  int periodicityCode;                       // 1..7 when it repeats
  std::optional<runtime::DateTime> lastDay;  // none: repeats without end

  OccurrenceWalk Occurrences() const {
    return OccurrenceWalk::ThroughLastDay(first, periodicityCode, lastDay);
  }
};

class BookingIndex {
 public:
  // The bookings of `resources` by every activity record except `skipped`; a record that
  // ParseActivityRecord refuses is passed over.  Indexes outside the resource table are
  // ignored.
  BookingIndex(const store::Planner& planner, const std::vector<int>& resources,
               std::optional<int> skipped);

  // The bookings of `resource` (one of those asked for) in record order.
  const std::vector<Booking>& Of(int resource) const;

 private:
  std::vector<int> listOf_;  // by resource index: its list in lists_, or -1
  std::vector<std::vector<Booking>> lists_;
};

}  // namespace activities
