#include "app/activities/activity_draft.h"

#include "app/activities/periodicity.h"

namespace activities {

ActivityRecord RecordOf(const ActivityDraft& draft) {
  ActivityRecord record;
  record.start = draft.start;
  record.end = draft.end;
  record.name = draft.name;
  record.project = draft.project;
  record.backColour = draft.backColour;
  record.blackText = draft.blackText;
  if (IsPeriodicCode(draft.periodicityCode)) {
    record.periodicityCode = draft.periodicityCode;
    record.lastDay = draft.lastDay;
  }
  for (int resource : draft.resourceRows) {
    if (resource >= 0) record.resources.push_back(resource);
  }
  return record;
}

}  // namespace activities
