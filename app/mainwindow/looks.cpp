#include "app/mainwindow/looks.h"

namespace mainwindow {

void DesignCaption(forms::Label& label, const std::string& caption, double left, double top,
                   double width, double height, const forms::Font& font,
                   forms::Color foreColor) {
  label.Move(left, top, width, height);
  label.SetFont(font);
  label.SetForeColor(foreColor);
  label.SetBackStyle(forms::kTransparent);
  label.SetCaption(caption);
}

void DesignCloseLabel(forms::Label& label, double left) {
  label.Move(left, 0, 375, 255);
  label.SetCaption("X");
  label.SetAlignment(forms::kAlignCenter);
  label.SetFont(kArial975Bold);
  label.SetBackColor(kRed);
  label.SetForeColor(forms::kWhite);
  label.SetMousePointer(forms::kHandPointer);
}

void DesignPanel(forms::Frame& frame, const std::string& caption, double left, double top,
                 double width, double height) {
  frame.Move(left, top, width, height);
  frame.SetCaption(caption);
  frame.SetFont(kSansSerif975Bold);
  frame.SetBackColor(forms::kWhite);
  frame.SetVisible(false);
}

void DesignArrow(forms::Label& label, const std::string& caption, double left, double top) {
  DesignCaption(label, caption, left, top, 400, 480, {"Arial", 18, true}, kMenuBlue);
  label.SetAlignment(forms::kAlignCenter);
  label.SetMousePointer(forms::kHandPointer);
}

void DesignHatch(forms::Shape& shape, double left, double top, double width, double height) {
  shape.Move(left, top, width, height);
  shape.SetFillStyle(forms::kFillUpwardDiagonal);
  shape.SetFillColor(kLightGrey);
  shape.SetBorderColor(kLightGrey);
}

}  // namespace mainwindow
