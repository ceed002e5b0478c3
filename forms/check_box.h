// A check box.  A new Value, from the program or from the user, raises Click; setting the
// value it already has raises nothing.
#pragma once

#include "forms/control.h"

namespace forms {

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

class CheckBox : public Control {
 public:
  CheckBox(Container& parent, std::string name) : Control(parent, std::move(name)) {
    Move(0, 0, 1215, 255);
  }
  ControlKind Kind() const override { return ControlKind::kCheckBox; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value) { Update(caption_, std::move(value)); }
  int Value() const { return value_; }
  void SetValue(int value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
    RaiseClick();
  }

 protected:
  template <class>
  friend class ControlArray;
  CheckBox(const CheckBox&) = default;

 private:
  std::string caption_;
  int value_ = kUnchecked;
};

}  // namespace forms
