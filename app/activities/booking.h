// The checks of the activity save.  They run in a fixed order and the first that fails
// refuses the save with its message and says where the editor puts the focus:
//   1. a project is chosen;
//   2. the end is not before the start;
//   3. neither the start nor the end lies in an hour the clocks skip, in the zone the
//      calendars are published in;
//   4. no resource is chosen in two rows;
//   5. no chosen resource is booked by the stored occurrence of another activity at a time
//      that meets an occurrence of this one;
//   6. none is booked by a later occurrence of a periodic activity at such a time.
// Ranges meet when they share a minute, bounds included, both at the planner's times and
// as calendar readers place them: an occurrence that starts or ends in a skipped hour is
// moved past it there, so that no published calendar shows a resource booked twice.  A repeating activity is checked
// occurrence by occurrence up to its last day of repetition, and without one for ever, so
// that the outcome never depends on which of two activities was saved first.  The activity
// being modified never conflicts with itself.
#pragma once

#include <string>

#include "app/activities/activity_draft.h"
#include "app/store/planner.h"

namespace activities {

enum class SaveCheck {
  Passed,
  ProjectMissing,
  TimeOrder,
  SkippedTime,
  ResourceTwice,
  ResourceBooked,
  ResourceBookedPeriodic,
};

// Where the focus goes after a refusal.
enum class SaveFocus {
  Unchanged,
  StartHour,    // cmbH
  EndHour,      // cmbH2
  ResourceRow,  // cmbRessource(row)
};

struct SaveVerdict {
  SaveCheck check = SaveCheck::Passed;
  std::string message;  // empty when the save may go on
  SaveFocus focus = SaveFocus::Unchanged;
  int row = -1;                   // the editor row that gets the focus
  int conflictingActivity = -1;   // the activity that holds the resource

  bool Passed() const { return check == SaveCheck::Passed; }
};

SaveVerdict CheckActivitySave(const store::Planner& planner, const ActivityDraft& draft);

}  // namespace activities
