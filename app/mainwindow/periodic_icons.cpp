#include "app/mainwindow/periodic_icons.h"

#include "runtime/text.h"

namespace mainwindow {

void PlaceIconAtLabelCorner(forms::Image& icon, const forms::Label& label,
                            const forms::Image& iconTemplate) {
  icon.Move(label.Left() + label.Width() - iconTemplate.Width(),
            label.Top() + label.Height() - iconTemplate.Height());
}

void MoveIconsToTheirLabels(const forms::ControlArray<forms::Label>& lblActivite,
                            forms::ControlArray<forms::Image>& imgPeriode) {
  const forms::Image& iconTemplate = imgPeriode[0];
  for (int index : imgPeriode.Indexes()) {
    if (index == 0) continue;
    forms::Image& icon = imgPeriode[index];
    if (!icon.Visible()) continue;
    const auto labelIndex = runtime::ParseInteger(icon.Tag());
    if (!labelIndex || *labelIndex < 0 || *labelIndex > lblActivite.UBound() ||
        !lblActivite.Exists(static_cast<int>(*labelIndex)))
      continue;
    PlaceIconAtLabelCorner(icon, lblActivite[static_cast<int>(*labelIndex)], iconTemplate);
  }
}

}  // namespace mainwindow
