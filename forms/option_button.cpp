#include "forms/option_button.h"

namespace forms {

void OptionButton::SetValue(bool value) {
  if (value_ == value) return;
  if (value) {
    for (Control* sibling : Parent().Children()) {
      if (sibling == this || sibling->Kind() != ControlKind::kOptionButton) continue;
      auto* other = static_cast<OptionButton*>(sibling);
      other->Update(other->value_, false);
    }
  }
  value_ = value;
  Changed();
  if (value) RaiseClick();
}

}  // namespace forms
