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
// missing file leaves the set empty.  Nothing when every line read; else what the user is
// told: lines that are no index are passed over, and an unreadable file, or anything but a
// small regular file, leaves the set empty.
std::optional<std::string> ReadUnsentCalendars(Planner& planner);

// Runs `replace`, which replaces or removes the data file, so that the list goes with the
// data it was written for: it is set aside first, then removed once `replace` has done its
// work, or put back when it failed.  A program killed in between leaves it set aside, as a
// temporary that the next start removes: never the old data's list beside new data.  0;
// else the errno of `replace`, the list back in place, or that of setting the list aside,
// with `listFailed` set and `replace` not run.
int ReplaceDataWithoutUnsentCalendars(const Planner& planner, const std::function<int()>& replace,
                                      bool& listFailed);

// Replaces the file with `planner.UnsentCalendars` as a whole, or removes it when the set
// is empty.  Nothing without a data folder.  0, or the errno of the step that failed, also
// kept in `planner.UnsentCalendarsError`.
int WriteUnsentCalendars(Planner& planner);

}  // namespace store
