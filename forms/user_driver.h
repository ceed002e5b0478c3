// A headless user: clicks, double-clicks, presses, moves the mouse, types and picks on the
// controls of a form, raising the events in the order a user's actions raise them.  It
// refuses (std::logic_error) to act on a control the user could not reach: hidden, disabled,
// or inside a hidden or disabled frame.  Coordinates are twips relative to the control.
#pragma once

#include <string>
#include <string_view>

#include "forms/combo_box.h"
#include "forms/control.h"
#include "forms/date_picker.h"
#include "forms/file_lists.h"
#include "forms/list_control.h"
#include "forms/month_view.h"
#include "forms/scroll_bar.h"
#include "forms/text_box.h"

namespace forms::testing {

class UserDriver {
 public:
  // MouseDown, MouseUp, then the control's own reaction: a check box toggles, an option
  // button is set, anything else raises Click.  Focusable controls take the focus first.
  void Click(Control& control, double x = 0, double y = 0);
  // As Click, then DblClick and a second MouseUp.
  void DoubleClick(Control& control, double x = 0, double y = 0);
  // Clicks whatever lies at (x, y) of a form or frame, as the window routes the mouse.
  // Returns the control clicked, nothing when the container itself was hit.
  Control* ClickAt(Container& container, double x, double y);

  void Press(Control& control, int button, double x, double y, int shift = 0);
  void MoveMouse(Control& control, int button, double x, double y, int shift = 0);
  void Release(Control& control, int button, double x, double y, int shift = 0);

  // Gives the control the focus (GotFocus, and LostFocus of the one that had it).
  void Focus(Control& control);
  // Types each character of `text` at the end of a text box, through KeyPress.  "\r" is the
  // Enter key.
  void Type(TextBox& box, std::string_view text);
  // KeyDown (the form's first while it previews keys) then KeyUp with a key code.
  void PressKey(Control& control, int keyCode, int shift = 0);
  // A key pressed in the window: on the control that has the focus, else on the form.
  void PressKey(Form& form, int keyCode, int shift = 0);

  // Selects an item of a list or combo box (raising Click).
  void Choose(ListControl& list, int index);
  void Choose(ListControl& list, const std::string& text);
  // Chooses an item of a drive, folder or file list: a drive becomes the current one, a
  // folder or file is selected.
  void Choose(FileSystemList& list, int index);
  void Choose(FileListBox& list, const std::string& fileName);
  // Double-clicks an item of a folder list, which opens it.
  void Open(DirListBox& list, int index);
  void PickDate(MonthView& calendar, runtime::DateTime date);
  void PickDate(DTPicker& picker, runtime::DateTime value);
  void Scroll(FlatScrollBar& bar, int value);

 private:
  void Reach(const Control& control) const;
};

}  // namespace forms::testing
