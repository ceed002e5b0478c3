// A picture painted by its container, which also takes the mouse.  Picture names an image
// file of the program's resources (see forms/qt for where they are looked up).
#pragma once

#include "forms/control.h"

namespace forms {

class Image : public Control {
 public:
  Image(Container& parent, std::string name) : Control(parent, std::move(name)) {
    Move(0, 0, 480, 480);
  }
  ControlKind Kind() const override { return ControlKind::kImage; }
  bool IsWindowless() const override { return true; }

  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string value) { Update(picture_, std::move(value)); }
  // While on, the picture is stretched to the control; else it keeps its own size.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value) { Update(stretch_, value); }

 protected:
  template <class>
  friend class ControlArray;
  Image(const Image&) = default;

 private:
  std::string picture_;
  bool stretch_ = false;
};

}  // namespace forms
