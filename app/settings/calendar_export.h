// The published calendar of a project: one iCalendar file per project, named by the user
// identifier and the project index.
#pragma once

#include <ctime>
#include <string>

#include "app/settings/publishing.h"
#include "app/store/planner.h"
#include "runtime/datetime.h"

namespace settings {

// The iCalendar text of project `projectIndex`: its activities as events, in the time zone
// `planner.IanaTimeZone`, stamped with the moment `now`.  Lines end in CR LF.
std::string CalendarText(const store::Planner& planner, const std::string& userId,
                         int projectIndex, std::time_t now);

// Writes the calendar of project `projectIndex` (-1: of every project) as
// "<userId>-<index>.ics" and publishes it; nothing where there is no server (see `Publish`).
// False when a calendar did not reach the server: it then stays there as it was.
bool ExportICalendar(const store::Planner& planner, const std::string& userId,
                     int projectIndex, const runtime::Clock& clock,
                     const Publishing& publishing = {});

}  // namespace settings
