// The marker of a strip of colour swatches (the editor's shade strip, the colour chooser's
// tones): where it may stand and which swatch it picks there.
#pragma once

#include "forms/forms.h"

namespace activities {

struct MarkerStop {
  double position;  // along the strip, kept between the outermost visible swatches
  int swatch;       // the swatch whose span holds that position; 0 when none does
};

// The stop for a marker wanted at `wanted` along a row (Left) or a column (Top) of the
// swatches `first` to `last`.  A swatch's far edge belongs to the next one, so a marker
// standing on a swatch picks that swatch.
MarkerStop StopMarker(const forms::ControlArray<forms::Label>& swatches, int first, int last,
                      double wanted, bool alongRow);

}  // namespace activities
