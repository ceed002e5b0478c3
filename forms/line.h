// A straight line drawn by its container from (X1, Y1) to (X2, Y2).  It takes no mouse input.
#pragma once

#include "forms/control.h"
#include "forms/shape.h"

namespace forms {

class Line : public Control {
 public:
  Line(Container& parent, std::string name) : Control(parent, std::move(name)) {}
  ControlKind Kind() const override { return ControlKind::kLine; }
  bool IsWindowless() const override { return true; }
  bool TakesMouse() const override { return false; }

  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }
  void SetX1(double value) { Update(x1_, value); }
  void SetY1(double value) { Update(y1_, value); }
  void SetX2(double value) { Update(x2_, value); }
  void SetY2(double value) { Update(y2_, value); }
  Color BorderColor() const { return borderColor_; }
  void SetBorderColor(Color value) { Update(borderColor_, value); }
  int BorderWidth() const { return borderWidth_; }  // pixels
  void SetBorderWidth(int value) { Update(borderWidth_, value); }
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int value) { Update(borderStyle_, value); }

 protected:
  template <class>
  friend class ControlArray;
  Line(const Line&) = default;

 private:
  double x1_ = 0;
  double y1_ = 0;
  double x2_ = 1000;
  double y2_ = 0;
  Color borderColor_ = kWindowText;
  int borderWidth_ = 1;
  int borderStyle_ = kBorderSolid;
};

}  // namespace forms
