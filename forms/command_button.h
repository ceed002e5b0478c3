// A push button.
#pragma once

#include "forms/control.h"

namespace forms {

class CommandButton : public Control {
 public:
  CommandButton(Container& parent, std::string name) : Control(parent, std::move(name)) {
    Move(0, 0, 1215, 495);
  }
  ControlKind Kind() const override { return ControlKind::kCommandButton; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value) { Update(caption_, std::move(value)); }
  // 0 standard look, 1 graphical (painted in BackColor).
  int Style() const { return style_; }
  void SetStyle(int value) { Update(style_, value); }

 protected:
  template <class>
  friend class ControlArray;
  CommandButton(const CommandButton&) = default;

 private:
  std::string caption_;
  int style_ = 0;
};

}  // namespace forms
