// Order of the activity labels inside the day cells of the month view.
#pragma once

#include "app/store/planner.h"
#include "forms/forms.h"

namespace mainwindow {

// Re-stacks, 300 twips apart from the cell's top, the labels of every visible day cell
// lblJour(..) whose Tag holds a date, in the order of their activities' starting time of
// day (equal times keep their element order), then moves every visible icon imgPeriode(1..)
// to its label's new corner.  A label belongs to a cell when it is visible, stands 240
// twips right of the cell's left edge and its top lies within the cell; its activity is
// the record `planner.Activities` holds at the label's Tag.
void OrderDayCellActivities(const forms::ControlArray<forms::Label>& lblJour,
                            forms::ControlArray<forms::Label>& lblActivite,
                            forms::ControlArray<forms::Image>& imgPeriode,
                            const store::Planner& planner);

}  // namespace mainwindow
