// Controls in order (back to front, or the window's control order), with removal and
// bringing to the front in constant time.  Drawings load and unload thousands of labels;
// a removed control leaves a hole that is closed the next time the order is read.
#pragma once

#include <cstddef>
#include <vector>

namespace forms {

class Control;

class ControlList {
 public:
  // Each control remembers its place in the list through the member `slot`.
  explicit ControlList(std::size_t Control::*slot) : slot_(slot) {}

  void PushBack(Control* control);
  void PushFront(Control* control);
  void Remove(Control* control);
  const std::vector<Control*>& Items() const;

 private:
  void Compact() const;

  std::size_t Control::*slot_;
  mutable std::vector<Control*> items_;
  mutable std::size_t holes_ = 0;
};

}  // namespace forms
