#include "forms/user_driver.h"

#include <stdexcept>

#include "forms/check_box.h"
#include "forms/form.h"
#include "forms/hit_test.h"
#include "forms/option_button.h"
#include "forms/text_box.h"
#include "runtime/text.h"

namespace forms::testing {

namespace {

bool TakesFocus(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::kLabel:
    case ControlKind::kFrame:
    case ControlKind::kShape:
    case ControlKind::kLine:
    case ControlKind::kImage:
    case ControlKind::kMSFlexGrid: return false;
    default: return true;
  }
}

}  // namespace

void UserDriver::Reach(const Control& control) const {
  if (control.Unloaded()) throw std::logic_error(control.Name() + " is unloaded");
  if (!control.IsShown()) throw std::logic_error(control.Name() + " is not on screen");
  if (!control.IsEnabledForUser()) throw std::logic_error(control.Name() + " is disabled");
}

void UserDriver::Click(Control& control, double x, double y) {
  Reach(control);
  Form::EventScope scope(control.OwnerForm());
  if (TakesFocus(control)) control.SetFocus();
  if (control.Unloaded()) return;
  control.RaiseMouseDown(kLeftButton, 0, x, y);
  if (control.Unloaded()) return;
  control.RaiseMouseUp(kLeftButton, 0, x, y);
  if (control.Unloaded()) return;
  switch (control.Kind()) {
    case ControlKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      box.SetValue(box.Value() == kChecked ? kUnchecked : kChecked);
      break;
    }
    case ControlKind::kOptionButton: {
      auto& option = static_cast<OptionButton&>(control);
      if (option.Value())
        option.RaiseClick();
      else
        option.SetValue(true);
      break;
    }
    default: control.RaiseClick();
  }
}

void UserDriver::DoubleClick(Control& control, double x, double y) {
  Form::EventScope scope(control.OwnerForm());
  Click(control, x, y);
  if (control.Unloaded()) return;
  control.RaiseDblClick();
  if (control.Unloaded()) return;
  control.RaiseMouseUp(kLeftButton, 0, x, y);
}

Control* UserDriver::ClickAt(Container& container, double x, double y) {
  double localX = 0;
  double localY = 0;
  Control* hit = ControlAt(container, x, y, localX, localY);
  if (hit != nullptr) Click(*hit, localX, localY);
  return hit;
}

void UserDriver::Press(Control& control, int button, double x, double y, int shift) {
  Reach(control);
  control.RaiseMouseDown(button, shift, x, y);
}

void UserDriver::MoveMouse(Control& control, int button, double x, double y, int shift) {
  Reach(control);
  control.RaiseMouseMove(button, shift, x, y);
}

void UserDriver::Release(Control& control, int button, double x, double y, int shift) {
  Reach(control);
  control.RaiseMouseUp(button, shift, x, y);
}

void UserDriver::Focus(Control& control) {
  Reach(control);
  control.SetFocus();
}

void UserDriver::Type(TextBox& box, std::string_view text) {
  Focus(box);
  Form::EventScope scope(box.OwnerForm());
  for (char32_t c : runtime::DecodeUtf8(text)) {
    if (box.Unloaded()) return;
    box.TypeKey(static_cast<int>(c));
  }
}

void UserDriver::PressKey(Control& control, int keyCode, int shift) {
  Reach(control);
  Form::EventScope scope(control.OwnerForm());
  int down = keyCode;
  if (!control.OwnerForm().RaiseKeyDown(&control, down, shift)) return;
  int up = keyCode;
  control.RaiseKeyUp(up, shift);
}

void UserDriver::PressKey(Form& form, int keyCode, int shift) {
  if (Control* focused = form.ActiveControl()) {
    PressKey(*focused, keyCode, shift);
    return;
  }
  int down = keyCode;
  form.RaiseKeyDown(nullptr, down, shift);
}

void UserDriver::Choose(ListControl& list, int index) {
  Reach(list);
  list.SetListIndex(index);
}

void UserDriver::Choose(ListControl& list, const std::string& text) {
  const int index = list.FindItem(text);
  if (index < 0) throw std::logic_error(list.Name() + " offers no item " + text);
  Choose(list, index);
}

void UserDriver::Choose(FileSystemList& list, int index) {
  Reach(list);
  Form::EventScope scope(list.OwnerForm());
  list.SetListIndex(index);
}

void UserDriver::Choose(FileListBox& list, const std::string& fileName) {
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) == fileName) {
      Choose(list, i);
      return;
    }
  }
  throw std::logic_error(list.Name() + " offers no file " + fileName);
}

void UserDriver::Open(DirListBox& list, int index) {
  Choose(list, index);
  Form::EventScope scope(list.OwnerForm());
  if (!list.Unloaded()) list.OpenSelected();
}

void UserDriver::PickDate(MonthView& calendar, runtime::DateTime date) {
  Reach(calendar);
  Form::EventScope scope(calendar.OwnerForm());
  calendar.SetValue(date);
  calendar.RaiseDateClick(date.Date());
}

void UserDriver::PickDate(DTPicker& picker, runtime::DateTime value) {
  Reach(picker);
  picker.SetValue(value);
}

void UserDriver::Scroll(FlatScrollBar& bar, int value) {
  Reach(bar);
  bar.SetValue(value);
}

}  // namespace forms::testing
