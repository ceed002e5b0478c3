// A text box.  A new Text, from the program or from the user, raises Change.
#pragma once

#include "forms/control.h"

namespace forms {

class TextBox : public Control {
 public:
  TextBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kTextBox; }

  const std::string& Text() const { return text_; }
  void SetText(std::string value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value) { Update(multiLine_, value); }
  int Alignment() const { return alignment_; }
  void SetAlignment(int value) { Update(alignment_, value); }
  int BorderStyle() const { return borderStyle_; }  // 0 none, 1 fixed single
  void SetBorderStyle(int value) { Update(borderStyle_, value); }
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { Update(locked_, value); }

  // What the user does when typing one character at the end of the text: KeyPress first,
  // whose handler may change or drop the key, then the text takes it (8 removes the last
  // character; 13 adds nothing to a single-line box).
  void TypeKey(int keyAscii);

 protected:
  template <class>
  friend class ControlArray;
  TextBox(const TextBox&) = default;

 private:
  std::string text_;
  bool multiLine_ = false;
  int alignment_ = kAlignLeft;
  int borderStyle_ = 1;
  bool locked_ = false;
};

}  // namespace forms
