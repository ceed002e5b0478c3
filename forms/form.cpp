#include "forms/form.h"

#include <algorithm>

#include "forms/error.h"

namespace forms {

Form::Form(std::string name, const TextMetrics& metrics)
    : name_(std::move(name)), metrics_(&metrics) {}

Form::~Form() {
  if (observer_ != nullptr) observer_->FormDestroyed();
}

Form::EventScope::EventScope(Form& form) : form_(form) { ++form_.eventDepth_; }

Form::EventScope::~EventScope() {
  if (--form_.eventDepth_ == 0 && !form_.graveyard_.empty()) {
    auto dead = std::move(form_.graveyard_);
    form_.graveyard_.clear();
  }
}

void Form::LoadForm() {
  if (loaded_) return;
  loaded_ = true;
  EventScope scope(*this);
  if (Load) {
    auto handler = Load;
    handler();
  }
}

void Form::Show() {
  LoadForm();
  if (visible_) return;
  SetVisible(true);
  if (Resize) {
    EventScope scope(*this);
    auto handler = Resize;
    handler();
  }
}

void Form::Hide() { SetVisible(false); }

bool Form::RaiseKeyDown(Control* focused, int& keyCode, int shift) {
  EventScope scope(*this);
  if (KeyDown && (keyPreview_ || focused == nullptr)) {
    auto handler = KeyDown;
    handler(keyCode, shift);
    if (!loaded_) return false;
  }
  if (focused == nullptr) return true;
  if (keyCode != 0) focused->RaiseKeyDown(keyCode, shift);
  return loaded_ && !focused->Unloaded();
}

bool Form::UnloadForm(int unloadMode) {
  if (!loaded_) return true;
  EventScope scope(*this);
  int cancel = 0;
  if (QueryUnload) {
    auto handler = QueryUnload;
    handler(cancel, unloadMode);
    if (cancel != 0) return false;
  }
  if (Unload) {
    auto handler = Unload;
    handler(cancel);
    if (cancel != 0) return false;
  }
  loaded_ = false;
  visible_ = false;
  NotifyForm();
  return true;
}

void Form::SetCaption(std::string value) {
  if (caption_ == value) return;
  caption_ = std::move(value);
  NotifyForm();
}

void Form::SetVisible(bool value) {
  if (visible_ == value) return;
  if (value) loaded_ = true;
  visible_ = value;
  NotifyForm();
}

void Form::SetLeft(double value) { Move(value, top_, width_, height_); }
void Form::SetTop(double value) { Move(left_, value, width_, height_); }
void Form::SetWidth(double value) { Move(left_, top_, value, height_); }
void Form::SetHeight(double value) { Move(left_, top_, width_, value); }

void Form::Move(double left, double top, double width, double height) {
  if (width < 0 || height < 0)
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const double oldScaleWidth = ScaleWidth();
  const double oldScaleHeight = ScaleHeight();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  NotifyForm();
  RaiseResizeIfChanged(oldScaleWidth, oldScaleHeight);
}

double Form::BorderWidthTwips() const {
  switch (borderStyle_) {
    case kBorderNone: return 0;
    case kBorderSizable: return 240;
    default: return 120;
  }
}

double Form::BorderHeightTwips() const {
  switch (borderStyle_) {
    case kBorderNone: return 0;
    case kBorderSizable: return 585;
    default: return 465;
  }
}

double Form::ScaleWidth() const { return std::max(0.0, width_ - BorderWidthTwips()); }
double Form::ScaleHeight() const { return std::max(0.0, height_ - BorderHeightTwips()); }

void Form::SetScaleSize(double width, double height) {
  Move(left_, top_, width + BorderWidthTwips(), height + BorderHeightTwips());
}

void Form::RaiseResizeIfChanged(double oldScaleWidth, double oldScaleHeight) {
  if (!visible_ || !Resize) return;
  if (oldScaleWidth == ScaleWidth() && oldScaleHeight == ScaleHeight()) return;
  EventScope scope(*this);
  auto handler = Resize;
  handler();
}

void Form::SetBorderStyle(int value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  NotifyForm();
}

void Form::SetWindowState(int value) {
  if (windowState_ == value) return;
  windowState_ = value;
  NotifyForm();
  if (visible_ && Resize) {
    EventScope scope(*this);
    auto handler = Resize;
    handler();
  }
}

void Form::SetBackColor(Color value) {
  if (backColor_ == value) return;
  backColor_ = value;
  NotifyForm();
}

void Form::SetMousePointer(int value) {
  if (mousePointer_ == value) return;
  mousePointer_ = value;
  NotifyForm();
}

void Form::Register(Control& control) { controls_.PushBack(&control); }

void Form::Forget(Control& control) {
  controls_.Remove(&control);
  if (activeControl_ == &control) activeControl_ = nullptr;
}

void Form::MoveFocus(Control* to) {
  if (activeControl_ == to) return;
  Control* from = activeControl_;
  activeControl_ = to;
  EventScope scope(*this);
  if (from != nullptr) {
    from->RaiseLostFocus();
    NotifyChanged(*from);
  }
  if (to != nullptr && activeControl_ == to) {
    to->RaiseGotFocus();
    NotifyChanged(*to);
  }
}

void Form::Bury(std::unique_ptr<Control> control) {
  control->unloaded_ = true;
  control->Detach();
  if (activeControl_ == control.get()) activeControl_ = nullptr;
  NotifyRemoved(*control);
  if (eventDepth_ > 0)
    graveyard_.push_back(std::move(control));
}

void Form::NotifyChanged(Control& control) {
  if (observer_ != nullptr) observer_->ControlChanged(control);
}
void Form::NotifyAdded(Control& control) {
  if (observer_ != nullptr) observer_->ControlAdded(control);
}
void Form::NotifyRemoved(Control& control) {
  if (observer_ != nullptr) observer_->ControlRemoved(control);
}
void Form::NotifyForm() {
  if (observer_ != nullptr) observer_->FormChanged();
}

}  // namespace forms
