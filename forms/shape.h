// A shape drawn by its container: rectangle, square, oval, circle or a rounded one.  It
// takes no mouse input.
#pragma once

#include "forms/control.h"

namespace forms {

// Shape kinds.
inline constexpr int kShapeRectangle = 0;
inline constexpr int kShapeSquare = 1;
inline constexpr int kShapeOval = 2;
inline constexpr int kShapeCircle = 3;
inline constexpr int kShapeRoundedRectangle = 4;
inline constexpr int kShapeRoundedSquare = 5;

// Fill styles.
inline constexpr int kFillSolid = 0;
inline constexpr int kFillTransparent = 1;
inline constexpr int kFillHorizontalLine = 2;
inline constexpr int kFillVerticalLine = 3;
inline constexpr int kFillUpwardDiagonal = 4;
inline constexpr int kFillDownwardDiagonal = 5;
inline constexpr int kFillCross = 6;
inline constexpr int kFillDiagonalCross = 7;

// Border (line) styles, of shapes and lines.
inline constexpr int kBorderTransparent = 0;
inline constexpr int kBorderSolid = 1;
inline constexpr int kBorderDash = 2;
inline constexpr int kBorderDot = 3;
inline constexpr int kBorderDashDot = 4;
inline constexpr int kBorderDashDotDot = 5;
inline constexpr int kBorderInsideSolid = 6;

class Shape : public Control {
 public:
  Shape(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kShape; }
  bool IsWindowless() const override { return true; }
  bool TakesMouse() const override { return false; }

  int ShapeKind() const { return shape_; }
  void SetShape(int value);
  Color FillColor() const { return fillColor_; }
  void SetFillColor(Color value);
  int FillStyle() const { return fillStyle_; }
  void SetFillStyle(int value);
  Color BorderColor() const { return borderColor_; }
  void SetBorderColor(Color value);
  int BorderWidth() const { return borderWidth_; }  // pixels
  void SetBorderWidth(int value);
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int value);
  int BackStyle() const { return backStyle_; }  // 0 transparent, 1 opaque (BackColor)
  void SetBackStyle(int value);

 protected:
  template <class>
  friend class ControlArray;
  Shape(const Shape&) = default;

 private:
  int shape_ = kShapeRectangle;
  Color fillColor_ = kBlack;
  int fillStyle_ = kFillTransparent;
  Color borderColor_ = kWindowText;
  int borderWidth_ = 1;
  int borderStyle_ = kBorderSolid;
  int backStyle_ = 0;
};

}  // namespace forms
