// Side by side placement of the activity labels of a week view whose times overlap.
#pragma once

#include "forms/forms.h"

namespace mainwindow {

// Places the visible labels lblActivite(1..) of one day column that overlap in time side
// by side in sub-columns of equal width, then moves every visible icon imgPeriode(1..) to
// its label's new corner.  Works on the labels' geometry alone: two labels share a day
// column when their Lefts are equal, and overlap when each one's top lies above the
// other's bottom (labels that only touch do not).  Tops, heights and visibility never
// change; no label is pushed past `windowWidth`, the main window's width.
void ArrangeOverlappingActivities(forms::ControlArray<forms::Label>& lblActivite,
                                  forms::ControlArray<forms::Image>& imgPeriode,
                                  double windowWidth);

}  // namespace mainwindow
