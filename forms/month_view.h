// A month calendar.  The user's pick raises DateClick with the date; a Value set by the
// program raises nothing.
#pragma once

#include "forms/control.h"
#include "runtime/datetime.h"

namespace forms {

class MonthView : public Control {
 public:
  MonthView(Container& parent, std::string name) : Control(parent, std::move(name)) {
    SetBackColor(kWindowBackground);
    SetForeColor(kWindowText);
    Move(0, 0, 3330, 2820);
  }
  ControlKind Kind() const override { return ControlKind::kMonthView; }

  runtime::DateTime Value() const { return value_; }
  void SetValue(runtime::DateTime value) { Update(value_, value.Date()); }

 protected:
  template <class>
  friend class ControlArray;
  MonthView(const MonthView&) = default;

 private:
  runtime::DateTime value_;
};

}  // namespace forms
