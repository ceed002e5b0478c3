// A flat scroll bar.  A new Value, from the program or the user, raises Change.
#pragma once

#include "forms/control.h"

namespace forms {

inline constexpr int kVertical = 0;
inline constexpr int kHorizontal = 1;

class FlatScrollBar : public Control {
 public:
  FlatScrollBar(Container& parent, std::string name) : Control(parent, std::move(name)) {
    Move(0, 0, 255, 1215);
  }
  ControlKind Kind() const override { return ControlKind::kFlatScrollBar; }

  int Value() const { return value_; }
  // A value outside Min .. Max is an error (380).
  void SetValue(int value);
  int Min() const { return min_; }
  int Max() const { return max_; }
  // A Value that falls outside the new range is moved into it (raising Change).
  void SetMin(int value);
  void SetMax(int value);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value) { Update(smallChange_, value); }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int value) { Update(largeChange_, value); }
  int Orientation() const { return orientation_; }
  void SetOrientation(int value) { Update(orientation_, value); }

 protected:
  template <class>
  friend class ControlArray;
  FlatScrollBar(const FlatScrollBar&) = default;

 private:
  void KeepValueInRange();

  int value_ = 0;
  int min_ = 0;
  int max_ = 32767;
  int smallChange_ = 1;
  int largeChange_ = 1;
  int orientation_ = kVertical;
};

}  // namespace forms
