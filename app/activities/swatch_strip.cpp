#include "app/activities/swatch_strip.h"

#include <algorithm>

namespace activities {

MarkerStop StopMarker(const forms::ControlArray<forms::Label>& swatches, int first, int last,
                      double wanted, bool alongRow) {
  auto start = [alongRow](const forms::Label& s) { return alongRow ? s.Left() : s.Top(); };
  auto extent = [alongRow](const forms::Label& s) { return alongRow ? s.Width() : s.Height(); };

  double largest = 0;
  double smallest = 30000;
  for (int i = first; i <= last && swatches.Exists(i); ++i) {
    if (!swatches[i].Visible()) continue;
    largest = std::max(largest, start(swatches[i]));
    smallest = std::min(smallest, start(swatches[i]));
  }
  const double position = std::clamp(wanted, smallest, std::max(smallest, largest));

  for (int i = first; i <= last && swatches.Exists(i); ++i) {
    const forms::Label& swatch = swatches[i];
    if (start(swatch) <= position && position < start(swatch) + extent(swatch))
      return {position, i};
  }
  return {position, 0};
}

}  // namespace activities
