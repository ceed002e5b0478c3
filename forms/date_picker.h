// A date (and time) picker.  A new Value, from the program or the user, raises Change.
#pragma once

#include <string>

#include "forms/control.h"
#include "runtime/datetime.h"

namespace forms {

// Formats.
inline constexpr int kLongDate = 0;
inline constexpr int kShortDate = 1;
inline constexpr int kTimeFormat = 2;
inline constexpr int kCustomFormat = 3;

class DTPicker : public Control {
 public:
  DTPicker(Container& parent, std::string name) : Control(parent, std::move(name)) {
    SetBackColor(kWindowBackground);
    SetForeColor(kWindowText);
    Move(0, 0, 1335, 315);
  }
  ControlKind Kind() const override { return ControlKind::kDTPicker; }

  runtime::DateTime Value() const { return value_; }
  // A value set clears a refused text: the field shows the value again.
  void SetValue(runtime::DateTime value) {
    if (value_ == value) {
      if (textRefused_) {
        textRefused_ = false;
        Changed();
      }
      return;
    }
    value_ = value;
    textRefused_ = false;
    Changed();
    RaiseChange();
  }
  // Whether the field shows a text the user typed that is no date, the value left as it was.
  // Set by the field that shows the picker, which keeps that text in sight until a whole date
  // is typed or a value is set.
  bool TextRefused() const { return textRefused_; }
  void SetTextRefused(bool refused) { textRefused_ = refused; }
  int Format() const { return format_; }
  void SetFormat(int value) { Update(format_, value); }
  // Patterns of "dd", "MM", "yyyy", "HH", "mm", as in "dd.MM.yyyy HH:mm".
  const std::string& CustomFormat() const { return customFormat_; }
  void SetCustomFormat(std::string value) { Update(customFormat_, std::move(value)); }
  // The pattern the value is shown with.
  std::string DisplayPattern() const;

 protected:
  template <class>
  friend class ControlArray;
  DTPicker(const DTPicker&) = default;

 private:
  runtime::DateTime value_;
  int format_ = kShortDate;
  std::string customFormat_;
  bool textRefused_ = false;
};

}  // namespace forms
