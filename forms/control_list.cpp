#include "forms/control_list.h"

#include "forms/control.h"

namespace forms {

void ControlList::PushBack(Control* control) {
  control->*slot_ = items_.size();
  items_.push_back(control);
}

void ControlList::PushFront(Control* control) {
  Compact();
  items_.insert(items_.begin(), control);
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->*slot_ = i;
}

void ControlList::Remove(Control* control) {
  const std::size_t slot = control->*slot_;
  if (slot >= items_.size() || items_[slot] != control) return;
  items_[slot] = nullptr;
  ++holes_;
  if (slot + 1 == items_.size()) {
    // Unloading from the end (the newest first) needs no compaction at all.
    while (!items_.empty() && items_.back() == nullptr) {
      items_.pop_back();
      --holes_;
    }
  }
}

const std::vector<Control*>& ControlList::Items() const {
  Compact();
  return items_;
}

void ControlList::Compact() const {
  if (holes_ == 0) return;
  std::size_t kept = 0;
  for (Control* control : items_) {
    if (control == nullptr) continue;
    control->*slot_ = kept;
    items_[kept++] = control;
  }
  items_.resize(kept);
  holes_ = 0;
}

}  // namespace forms
