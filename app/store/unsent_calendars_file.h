// The projects whose shared calendar is still to be sent, kept in the data folder beside
// the data file ("calendriers.en-attente", one project index a line), so that the promise
// to send them again holds across a restart.  The file is the planner's own: whatever else
// stands under its name (a link, a pipe) is neither read nor followed, and is replaced.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/store/planner.h"

namespace store {

std::string UnsentCalendarsPath(const Planner& planner);

// Fills `planner.UnsentCalendars` from the file, whose lines end in LF, CR LF or CR.  A
// missing file leaves the set empty, and so does a list that a program killed while it
// replaced or removed the data left beside other data than its own: that list is removed.
// Nothing when every line read; else what the user is told: lines that are no index are
// passed over, and an unreadable file, or anything but a small regular file, leaves the set
// empty.
std::optional<std::string> ReadUnsentCalendars(Planner& planner);

// Runs `replace`, which replaces or removes the data file, so that the list goes with the
// data it was written for: a file beside the list first names the data file standing, then
// `replace` runs, then the list is removed if it succeeded, and that file last.  A program
// killed in between leaves that file: the next start keeps the list beside the data file it
// names, and removes it beside any other.  0; else the errno of `replace`, the list kept, or
// that of naming the data file, with `listFailed` set and `replace` not run.
int ReplaceDataWithoutUnsentCalendars(const Planner& planner, const std::function<int()>& replace,
                                      bool& listFailed);

// Replaces the file with `planner.UnsentCalendars` as a whole, or removes it when the set
// is empty.  Nothing without a data folder.  0, or the errno of the step that failed, also
// kept in `planner.UnsentCalendarsError`.
int WriteUnsentCalendars(Planner& planner);

}  // namespace store
