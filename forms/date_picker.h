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
  void SetValue(runtime::DateTime value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
    RaiseChange();
  }
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
};

}  // namespace forms
