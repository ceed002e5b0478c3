// Where an activity label stands on the hour scale of the week views.
#pragma once

#include "forms/forms.h"
#include "runtime/datetime.h"

namespace mainwindow {

// Gives lblActivite(index) its Top and Height from the activity's times on the hour rows
// `lblHeures` of the range chosen in `cmbHeures`, and `left` and `width` unchanged.  Minutes
// 0 to 15 snap to the full hour, 16 to 59 to the half hour; an activity that begins before
// the range starts at its first line, one after it ends at its last line; one that ends with
// the range, after it or on a later day reaches the bottom of the last row.  Labels are at
// least 285 twips high.  The hover pop-up `lblInfo` is hidden first.
void PositionActivityLabel(forms::ControlArray<forms::Label>& lblActivite, int index,
                           runtime::DateTime start, runtime::DateTime end, int left, int width,
                           const forms::ControlArray<forms::Label>& lblHeures,
                           const forms::ComboBox& cmbHeures, forms::Label& lblInfo);

}  // namespace mainwindow
