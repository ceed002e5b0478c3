#include "forms/scroll_bar.h"

#include <algorithm>

#include "forms/error.h"

namespace forms {

void FlatScrollBar::SetValue(int value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_))
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  if (value_ == value) return;
  value_ = value;
  Changed();
  RaiseChange();
}

void FlatScrollBar::SetMin(int value) {
  Update(min_, value);
  KeepValueInRange();
}

void FlatScrollBar::SetMax(int value) {
  Update(max_, value);
  KeepValueInRange();
}

void FlatScrollBar::KeepValueInRange() {
  SetValue(std::clamp(value_, std::min(min_, max_), std::max(min_, max_)));
}

}  // namespace forms
