// A frame: a control that holds other controls, with an optional border and caption.
#pragma once

#include "forms/control.h"

namespace forms {

class Frame : public Control, public Container {
 public:
  Frame(Container& parent, std::string name);
  Frame(const Frame&) = delete;
  ControlKind Kind() const override { return ControlKind::kFrame; }
  Form& OwnerForm() override { return Control::OwnerForm(); }
  Control* AsControl() override { return this; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  int BorderStyle() const { return borderStyle_; }  // 0 none, 1 fixed single
  void SetBorderStyle(int value);

 private:
  std::string caption_;
  int borderStyle_ = 1;
};

}  // namespace forms
