// A list box.  Its Text is the selected item, "" without a selection.
#pragma once

#include "forms/list_control.h"

namespace forms {

class ListBox : public ListControl {
 public:
  ListBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kListBox; }

  std::string Text() const { return List(ListIndex()); }
  // Selects the item of that text (raising Click); an error (383) when there is none.
  void SetText(const std::string& value);

 protected:
  template <class>
  friend class ControlArray;
  ListBox(const ListBox&) = default;
};

}  // namespace forms
