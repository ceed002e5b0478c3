#include "forms/combo_box.h"
#include "forms/error.h"
#include "forms/list_box.h"

namespace forms {

namespace {

constexpr int kErrTextReadOnly = 383;

void SelectItemOfText(ListControl& list, const std::string& text) {
  const int index = list.FindItem(text);
  if (index < 0) throw RuntimeError(kErrTextReadOnly, "'Text' property is read-only");
  list.SetListIndex(index);
}

}  // namespace

ListBox::ListBox(Container& parent, std::string name) : ListControl(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  SetForeColor(kWindowText);
  Move(0, 0, 1215, 1425);
}

void ListBox::SetText(const std::string& value) { SelectItemOfText(*this, value); }

ComboBox::ComboBox(Container& parent, std::string name) : ListControl(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  SetForeColor(kWindowText);
  Move(0, 0, 1215, 315);
}

std::string ComboBox::Text() const {
  if (style_ == kDropdownList || ListIndex() >= 0) return List(ListIndex());
  return typed_;
}

void ComboBox::SetText(const std::string& value) {
  if (style_ == kDropdownList) {
    SelectItemOfText(*this, value);
    return;
  }
  const bool changed = Text() != value;
  typed_ = value;
  const int index = FindItem(value);
  if (index >= 0) {
    SetListIndex(index);
  } else if (changed) {
    Changed();
    RaiseChange();
  }
}

}  // namespace forms
