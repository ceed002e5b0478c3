// The projects whose shared calendar is still to be sent, kept in the data folder beside
// the data file ("unsent-calendars", one project index a line), so that the promise to send
// them again holds across a restart.
#pragma once

#include <string>

#include "app/store/planner.h"

namespace store {

// Fills `planner.UnsentCalendars` from the file; lines that are not an index are passed
// over, and a missing or unreadable file leaves the set empty.
void ReadUnsentCalendars(Planner& planner);

// Replaces the file with `planner.UnsentCalendars` as a whole, or removes it when the set
// is empty.  Nothing without a data folder.  0, or the errno of the step that failed.
int WriteUnsentCalendars(const Planner& planner);

}  // namespace store
