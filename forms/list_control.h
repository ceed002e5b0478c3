// What list boxes and combo boxes share: the items and the selected one.  A new ListIndex,
// set by the program or by the user, raises Click, even when it equals the old one.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class ListControl : public Control {
 public:
  int ListCount() const { return static_cast<int>(items_.size()); }
  // Item `index`; "" outside the list, as the original runtime answers.
  std::string List(int index) const;
  void SetList(int index, std::string text);
  // Appends, or inserts before `index`.
  void AddItem(std::string text, int index = -1);
  void RemoveItem(int index);
  // Removes every item; the selection goes without a Click.
  void Clear();

  int ListIndex() const { return listIndex_; }
  // -1 takes the selection away; anything outside -1 .. ListCount - 1 is an error (380).
  void SetListIndex(int index);
  // The first item whose text equals `text` exactly, or -1.
  int FindItem(const std::string& text) const;

 protected:
  using Control::Control;
  ListControl(const ListControl&) = default;

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

}  // namespace forms
