// A label: text painted by its container, which also takes the mouse.
#pragma once

#include "forms/control.h"

namespace forms {

inline constexpr int kTransparent = 0;  // BackStyle
inline constexpr int kOpaque = 1;
inline constexpr int kFlat = 0;  // Appearance
inline constexpr int k3D = 1;

class Label : public Control {
 public:
  Label(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kLabel; }
  bool IsWindowless() const override { return true; }

  // Lines are separated by a line feed (a CR before it is ignored).
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  int Alignment() const { return alignment_; }
  void SetAlignment(int value);
  // While on, the label takes the width of its longest line and the height of all lines.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  int BorderStyle() const { return borderStyle_; }  // 0 none, 1 fixed single
  void SetBorderStyle(int value);
  int BackStyle() const { return backStyle_; }
  void SetBackStyle(int value);
  // How a border is drawn: a plain line (flat, the default here) or sunken (3D).
  int Appearance() const { return appearance_; }
  void SetAppearance(int value) { Update(appearance_, value); }
  // The caption drawn on one line, cut with "…" where the label ends.
  bool Ellipsis() const { return ellipsis_; }
  void SetEllipsis(bool value) { Update(ellipsis_, value); }
  // Room left free between the border and the text on every side (twips); the automatic
  // size counts it.
  double Padding() const { return padding_; }
  void SetPadding(double value);
  // A label the mouse passes through, to what lies under it, while it keeps the looks of an
  // enabled one.
  bool PassesMouse() const { return passesMouse_; }
  void SetPassesMouse(bool value) { Update(passesMouse_, value); }
  bool TakesMouse() const override { return !passesMouse_; }

 protected:
  template <class>
  friend class ControlArray;
  Label(const Label&) = default;
  void FitToContent() override;

 private:
  std::string caption_;
  int alignment_ = kAlignLeft;
  bool autoSize_ = false;
  bool wordWrap_ = false;
  int borderStyle_ = 0;
  int backStyle_ = kOpaque;
  int appearance_ = kFlat;
  bool ellipsis_ = false;
  double padding_ = 0;
  bool passesMouse_ = false;
};

// The lines of a caption: split at line feeds, carriage returns dropped.
std::vector<std::string> CaptionLines(const std::string& caption);

}  // namespace forms
