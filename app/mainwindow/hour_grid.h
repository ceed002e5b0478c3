// The hour scale of the week views: one row per hour of the chosen range, a full-hour
// line under each row and a dotted half-hour line through it.
#pragma once

#include "forms/forms.h"

namespace mainwindow {

// Lays the rows lblHeures(0..) and the lines Line1 and Line2 out for the range chosen in
// `cmbHeures` ("24 heures": 24 rows of 440 twips; the twelve-hour ranges from 05:00 to
// 09:00: 12 rows of 880 twips with half-hour lines; no choice: a single row for 00), stacked
// from Top 1140, each row's Tag its hour; the lines reach the right edge of Sunday's header
// lblJour(6), or of Friday's lblJour(4) while Sunday's is hidden.  The rows past the range
// are hidden.  Does nothing while the week bar `fraSemaine` is hidden.
void LayoutHourGrid(const forms::Frame& fraSemaine, const forms::ComboBox& cmbHeures,
                    const forms::ControlArray<forms::Label>& lblJour,
                    forms::ControlArray<forms::Label>& lblHeures,
                    forms::ControlArray<forms::Line>& Line1,
                    forms::ControlArray<forms::Line>& Line2);

}  // namespace mainwindow
