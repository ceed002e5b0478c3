// The shared calendars that did not reach the server: sent again with the next
// publication, and told to the user.
#pragma once

#include <string>
#include <vector>

#include "app/settings/publishing.h"
#include "app/store/planner.h"
#include "runtime/datetime.h"

namespace settings {

// Writes and sends the calendars of `projects`, then every other calendar whose last
// upload failed (`planner.UnsentCalendars`, kept in the data folder across runs).  After
// the first upload that fails the rest are not tried, so that a server that never answers
// holds the window for one time-out only; they stay unsent with it.  True when every
// calendar arrived.
bool PublishCalendars(store::Planner& planner, const std::vector<int>& projects,
                      const runtime::Clock& clock, const Publishing& publishing = {});

// What the user is told after a save whose publication failed, naming the projects whose
// calendars are still unsent.
std::string UnsentCalendarsMessage(const store::Planner& planner);

}  // namespace settings
