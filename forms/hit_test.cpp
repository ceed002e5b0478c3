#include "forms/hit_test.h"

#include "forms/frame.h"

namespace forms {

namespace {

bool Contains(const Control& control, double x, double y) {
  return x >= control.Left() && x < control.Left() + control.Width() && y >= control.Top() &&
         y < control.Top() + control.Height();
}

Control* FrontmostAt(Container& container, double x, double y, bool windowless) {
  const auto& children = container.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* child = *it;
    if (child->IsWindowless() != windowless || !child->TakesMouse()) continue;
    if (child->Kind() == ControlKind::kMSFlexGrid) continue;
    if (child->Visible() && child->Enabled() && Contains(*child, x, y)) return child;
  }
  return nullptr;
}

}  // namespace

Control* ChildAt(Container& container, double x, double y) {
  if (Control* windowed = FrontmostAt(container, x, y, false)) return windowed;
  return FrontmostAt(container, x, y, true);
}

Control* ControlAt(Container& container, double x, double y, double& localX, double& localY) {
  Control* hit = ChildAt(container, x, y);
  if (hit == nullptr) return nullptr;
  x -= hit->Left();
  y -= hit->Top();
  if (hit->Kind() == ControlKind::kFrame) {
    double innerX = 0;
    double innerY = 0;
    if (Control* inner = ControlAt(static_cast<Frame&>(*hit), x, y, innerX, innerY)) {
      localX = innerX;
      localY = innerY;
      return inner;
    }
  }
  localX = x;
  localY = y;
  return hit;
}

}  // namespace forms
