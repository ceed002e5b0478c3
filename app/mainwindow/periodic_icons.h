// The small icon that marks a label standing for a periodic activity sits in the label's
// lower right corner.
#pragma once

#include "forms/forms.h"

namespace mainwindow {

// Moves `icon` so that its lower right corner meets that of `label`; the icon's size is
// that of the template imgPeriode(0), `iconTemplate`.
void PlaceIconAtLabelCorner(forms::Image& icon, const forms::Label& label,
                            const forms::Image& iconTemplate);

// Every visible icon imgPeriode(1..) back to the corner of the label whose element index
// its Tag holds.  An icon whose Tag names no loaded label stays where it is.
void MoveIconsToTheirLabels(const forms::ControlArray<forms::Label>& lblActivite,
                            forms::ControlArray<forms::Image>& imgPeriode);

}  // namespace mainwindow
