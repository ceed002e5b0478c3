// An option button.  Setting one (by the program or the user) clears the other option
// buttons of the same container and raises its Click; setting one that is set already
// raises nothing.
#pragma once

#include "forms/control.h"

namespace forms {

class OptionButton : public Control {
 public:
  OptionButton(Container& parent, std::string name) : Control(parent, std::move(name)) {
    Move(0, 0, 1215, 255);
  }
  ControlKind Kind() const override { return ControlKind::kOptionButton; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value) { Update(caption_, std::move(value)); }
  // 0 standard look, 1 graphical (drawn as a button in BackColor, pressed while set).
  int Style() const { return style_; }
  void SetStyle(int value) { Update(style_, value); }
  bool Value() const { return value_; }
  void SetValue(bool value);

 protected:
  template <class>
  friend class ControlArray;
  OptionButton(const OptionButton&) = default;

 private:
  std::string caption_;
  int style_ = 0;
  bool value_ = false;
};

}  // namespace forms
