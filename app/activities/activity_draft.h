// What the activity editor holds when the user saves: the values its controls show.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/activities/activity_record.h"
#include "runtime/datetime.h"

namespace activities {

struct ActivityDraft {
  runtime::DateTime start;
  runtime::DateTime end;
  std::string name;
  int project = -1;  // index into Categories; -1 while none is chosen
  int backColour = 0xFFFFFF;
  bool blackText = true;
  int periodicityCode = 0;  // the periodicity list's index; 0 does not repeat
  std::optional<runtime::DateTime> lastDay;  // set while "Définir dernière fois" is ticked
  std::vector<int> resourceRows;  // per editor row in order: the resource index, or -1
  std::optional<int> editedIndex;  // the activity being modified; none in add mode
};

// The record the save stores: empty rows give no resource field, and the last day is kept
// only for a repeating activity.
ActivityRecord RecordOf(const ActivityDraft& draft);

}  // namespace activities
