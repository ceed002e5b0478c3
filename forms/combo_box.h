// A combo box.  The drop-down list style (the default here, as every list of the windows is
// one) offers its items only; the drop-down combo style also takes typed text.
#pragma once

#include "forms/list_control.h"

namespace forms {

inline constexpr int kDropdownCombo = 0;
inline constexpr int kSimpleCombo = 1;
inline constexpr int kDropdownList = 2;

class ComboBox : public ListControl {
 public:
  ComboBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kComboBox; }

  int Style() const { return style_; }
  void SetStyle(int value) { Update(style_, value); }

  // The selected item; in the drop-down combo style, the typed text.
  std::string Text() const;
  // Drop-down list: selects the item of that text, raising Click; an error (383) when no
  // item has it.  Drop-down combo: takes the text, raising Change, and selects the item of
  // that text if there is one.
  void SetText(const std::string& value);

 protected:
  template <class>
  friend class ControlArray;
  ComboBox(const ComboBox&) = default;

 private:
  int style_ = kDropdownList;
  std::string typed_;
};

}  // namespace forms
