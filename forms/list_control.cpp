#include "forms/list_control.h"

#include <algorithm>

#include "forms/error.h"

namespace forms {

std::string ListControl::List(int index) const {
  if (index < 0 || index >= ListCount()) return "";
  return items_[index];
}

void ListControl::SetList(int index, std::string text) {
  if (index < 0 || index >= ListCount())
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property array index");
  Update(items_[index], std::move(text));
}

void ListControl::AddItem(std::string text, int index) {
  if (index < -1 || index > ListCount())
    throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument");
  if (index == -1) {
    items_.push_back(std::move(text));
  } else {
    items_.insert(items_.begin() + index, std::move(text));
    if (listIndex_ >= index) ++listIndex_;
  }
  Changed();
}

void ListControl::RemoveItem(int index) {
  if (index < 0 || index >= ListCount())
    throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument");
  items_.erase(items_.begin() + index);
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  Changed();
}

void ListControl::Clear() {
  if (items_.empty() && listIndex_ == -1) return;
  items_.clear();
  listIndex_ = -1;
  Changed();
}

void ListControl::SetListIndex(int index) {
  if (index < -1 || index >= ListCount())
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  listIndex_ = index;
  Changed();
  RaiseClick();
}

int ListControl::FindItem(const std::string& text) const {
  auto it = std::find(items_.begin(), items_.end(), text);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

}  // namespace forms
