// The agenda: the activities of one month as a list grouped by day, each day a date block
// on the left and one coloured line per activity or repetition on the right.
#pragma once

#include <optional>
#include <string>

#include "app/store/planner.h"
#include "forms/forms.h"
#include "runtime/datetime.h"

namespace mainwindow {

// The controls of the main window the agenda lays out.
struct AgendaControls {
  forms::Frame& fraAgenda;
  const forms::Frame& fraCalendar;
  forms::Frame& fraMenuCalendar;
  forms::Label& lblMoisAg;
  forms::ControlArray<forms::Label>& lblDate;
  forms::ControlArray<forms::Label>& lblDetail;
  forms::FlatScrollBar& ScrollAgenda;
};

// Builds the list of the month of `currentDate` anew from the activity records: on each day
// of the month, a line for each activity the grid views show that day (see ScanDays: the
// project chosen, `selectedProjectFilter` 0 for all, k for project k - 1, and the chosen
// resource), at the time its label starts there, in order of time (same time: by record).
// Lines carry their record's index in their Tag.  The scroll bar is reset and covers what
// does not fit in the frame, 300 twips a step.
void DrawAgenda(const AgendaControls& agenda, const store::Planner& planner,
                runtime::DateTime currentDate, int selectedProjectFilter,
                const std::optional<std::string>& chosenResource);

// What a new value of the scroll bar does: the list moves up 300 twips per step inside
// its frame, which stays where it is with the scroll bar, below the month bar; the
// agenda's pop-up `lblInfoAg` is hidden.
void FollowAgendaScroll(const AgendaControls& agenda, forms::Label& lblInfoAg);

}  // namespace mainwindow
