// The projects whose shared calendar is still to be sent, kept in the data folder beside
// the data file ("calendriers.en-attente", one project index a line), so that the promise
// to send them again holds across a restart.  The file is the planner's own: whatever else
// stands under its name (a link, a pipe) is neither read nor followed, and is replaced.
#pragma once

#include <string>

#include "app/store/planner.h"

namespace store {

std::string UnsentCalendarsPath(const Planner& planner);

// Fills `planner.UnsentCalendars` from the file; lines that are not an index are passed
// over, and a missing or unreadable file, or anything but a small regular file, leaves the
// set empty.
void ReadUnsentCalendars(Planner& planner);

// Replaces the file with `planner.UnsentCalendars` as a whole, or removes it when the set
// is empty.  Nothing without a data folder.  0, or the errno of the step that failed, also
// kept in `planner.UnsentCalendarsError`.
int WriteUnsentCalendars(Planner& planner);

// Removes the file, whose project numbers would name other projects once the data file is
// replaced or deleted; the set in memory stays.  0, or the errno of the failure.
int RemoveUnsentCalendars(const Planner& planner);

}  // namespace store
