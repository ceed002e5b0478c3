#include "forms/control.h"

#include <algorithm>

#include "forms/error.h"
#include "forms/form.h"

namespace forms {

Control::Control(Container& parent, std::string name)
    : parent_(&parent), name_(std::move(name)) {
  Attach();
}

Control::Control(const Control& source)
    : ControlEvents<>(),
      parent_(source.parent_),
      name_(source.name_),
      index_(source.index_),
      left_(source.left_),
      top_(source.top_),
      width_(source.width_),
      height_(source.height_),
      visible_(false),
      enabled_(source.enabled_),
      tag_(source.tag_),
      toolTip_(source.toolTip_),
      mousePointer_(source.mousePointer_),
      backColor_(source.backColor_),
      foreColor_(source.foreColor_),
      font_(source.font_) {
  Attach();
}

Container::Container() : children_(&Control::childSlot_) {}

Control::~Control() { Detach(); }

void Control::Attach() {
  parent_->children_.PushBack(this);
  OwnerForm().Register(*this);
}

void Control::Detach() {
  parent_->children_.Remove(this);
  OwnerForm().Forget(*this);
}

void Control::Changed() {
  if (!unloaded_) OwnerForm().NotifyChanged(*this);
}

void Control::SetLeft(double value) { Move(value); }
void Control::SetTop(double value) { Move(left_, value); }
void Control::SetWidth(double value) { Move(left_, top_, value); }
void Control::SetHeight(double value) { Move(left_, top_, width_, value); }

void Control::Move(double left, std::optional<double> top, std::optional<double> width,
                   std::optional<double> height) {
  if ((width && *width < 0) || (height && *height < 0))
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  const double newTop = top.value_or(top_);
  const double newWidth = width.value_or(width_);
  const double newHeight = height.value_or(height_);
  if (left == left_ && newTop == top_ && newWidth == width_ && newHeight == height_) return;
  left_ = left;
  top_ = newTop;
  width_ = newWidth;
  height_ = newHeight;
  Changed();
}

void Control::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Changed();
}

bool Control::IsShown() const {
  if (!visible_) return false;
  const Control* frame = parent_->AsControl();
  return frame == nullptr || frame->IsShown();
}

void Control::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Changed();
}

bool Control::IsEnabledForUser() const {
  if (!enabled_) return false;
  const Control* frame = parent_->AsControl();
  return frame == nullptr || frame->IsEnabledForUser();
}

void Control::SetToolTipText(std::string value) {
  if (toolTip_ == value) return;
  toolTip_ = std::move(value);
  Changed();
}

void Control::SetMousePointer(int value) {
  if (mousePointer_ == value) return;
  mousePointer_ = value;
  Changed();
}

void Control::SetBackColor(Color value) {
  if (backColor_ == value) return;
  backColor_ = value;
  Changed();
}

void Control::SetForeColor(Color value) {
  if (foreColor_ == value) return;
  foreColor_ = value;
  Changed();
}

void Control::SetFont(const forms::Font& value) {
  if (font_ == value) return;
  font_ = value;
  FitToContent();
  Changed();
}

void Control::SetFontName(std::string value) {
  forms::Font font = font_;
  font.name = std::move(value);
  SetFont(font);
}

void Control::SetFontSize(double value) {
  forms::Font font = font_;
  font.size = value;
  SetFont(font);
}

void Control::SetFontBold(bool value) {
  forms::Font font = font_;
  font.bold = value;
  SetFont(font);
}

void Control::ZOrder(int position) {
  auto& siblings = parent_->children_;
  siblings.Remove(this);
  if (position == 0)
    siblings.PushBack(this);
  else
    siblings.PushFront(this);
  Changed();
}

void Control::SetFocus() {
  if (!IsShown() || !IsEnabledForUser())
    throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument");
  OwnerForm().MoveFocus(this);
}

template <auto Own, auto OfArray, class... A>
void Control::Fire(A&&... args) {
  if (unloaded_) return;
  Form::EventScope scope(OwnerForm());
  // The handler is copied first: it may unload this element or replace the slot.
  if (arrayEvents_ != nullptr) {
    auto handler = arrayEvents_->*OfArray;
    if (handler) handler(index_, std::forward<A>(args)...);
  } else {
    auto handler = this->*Own;
    if (handler) handler(std::forward<A>(args)...);
  }
}

void Control::RaiseClick() { Fire<&Control::Click, &ControlEvents<int>::Click>(); }
void Control::RaiseDblClick() { Fire<&Control::DblClick, &ControlEvents<int>::DblClick>(); }
void Control::RaiseChange() { Fire<&Control::Change, &ControlEvents<int>::Change>(); }
void Control::RaiseGotFocus() { Fire<&Control::GotFocus, &ControlEvents<int>::GotFocus>(); }
void Control::RaiseLostFocus() { Fire<&Control::LostFocus, &ControlEvents<int>::LostFocus>(); }

void Control::RaiseMouseDown(int button, int shift, double x, double y) {
  Fire<&Control::MouseDown, &ControlEvents<int>::MouseDown>(button, shift, x, y);
}
void Control::RaiseMouseMove(int button, int shift, double x, double y) {
  Fire<&Control::MouseMove, &ControlEvents<int>::MouseMove>(button, shift, x, y);
}
void Control::RaiseMouseUp(int button, int shift, double x, double y) {
  Fire<&Control::MouseUp, &ControlEvents<int>::MouseUp>(button, shift, x, y);
}
void Control::RaiseKeyPress(int& keyAscii) {
  Fire<&Control::KeyPress, &ControlEvents<int>::KeyPress>(keyAscii);
}
void Control::RaiseKeyDown(int& keyCode, int shift) {
  Fire<&Control::KeyDown, &ControlEvents<int>::KeyDown>(keyCode, shift);
}
void Control::RaiseKeyUp(int& keyCode, int shift) {
  Fire<&Control::KeyUp, &ControlEvents<int>::KeyUp>(keyCode, shift);
}
void Control::RaiseDateClick(runtime::DateTime date) {
  Fire<&Control::DateClick, &ControlEvents<int>::DateClick>(date);
}

}  // namespace forms
