#include "forms/qt/container_widget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "forms/form.h"
#include "forms/frame.h"
#include "forms/qt/form_window.h"
#include "forms/qt/painting.h"
#include "forms/qt/units.h"
#include "forms/scroll_bar.h"

namespace forms::qt {

namespace {

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
  }
}

int ButtonsOf(Qt::MouseButtons buttons) {
  int result = 0;
  if (buttons & Qt::LeftButton) result |= kLeftButton;
  if (buttons & Qt::RightButton) result |= kRightButton;
  if (buttons & Qt::MiddleButton) result |= kMiddleButton;
  return result;
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  int result = 0;
  if (modifiers & Qt::ShiftModifier) result |= kShiftMask;
  if (modifiers & Qt::ControlModifier) result |= kCtrlMask;
  if (modifiers & Qt::AltModifier) result |= kAltMask;
  return result;
}

bool TakesMouseHere(const Control& control) {
  return control.IsWindowless() && control.TakesMouse() && control.Visible() &&
         control.Enabled();
}

}  // namespace

ContainerWidget::ContainerWidget(FormWindow& window, Container& container, QWidget* parent)
    : QWidget(parent), window_(window), container_(container) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ContainerWidget::Forget(const Control& control) {
  if (captured_ == &control) captured_ = nullptr;
}

void ContainerWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (Control* frame = container_.AsControl())
    PaintFrameFace(painter, static_cast<const Frame&>(*frame));
  else
    painter.fillRect(rect(), ToQColor(container_.OwnerForm().BackColor()));
  for (const Control* child : container_.Children()) {
    if (!child->IsWindowless() || !child->Visible()) continue;
    switch (child->Kind()) {
      case ControlKind::kLabel: PaintLabel(painter, static_cast<const Label&>(*child)); break;
      case ControlKind::kShape: PaintShape(painter, static_cast<const Shape&>(*child)); break;
      case ControlKind::kLine: PaintLine(painter, static_cast<const Line&>(*child)); break;
      case ControlKind::kImage:
        PaintImage(painter, static_cast<const Image&>(*child), window_.PictureFolder());
        break;
      default: break;
    }
  }
}

Control* ContainerWidget::Target(const QPointF& position) const {
  const double x = Twips(position.x());
  const double y = Twips(position.y());
  const auto& children = container_.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* child = *it;
    if (TakesMouseHere(*child) && x >= child->Left() && x < child->Left() + child->Width() &&
        y >= child->Top() && y < child->Top() + child->Height())
      return child;
  }
  return container_.AsControl();
}

QPointF ContainerWidget::Local(const Control& target, const QPointF& position) const {
  const QPointF twips(Twips(position.x()), Twips(position.y()));
  // The frame itself measures from its own corner, which is this widget's.
  if (&target == container_.AsControl()) return twips;
  return twips - QPointF(target.Left(), target.Top());
}

void ContainerWidget::UpdateCursor(const Control* target) {
  const int pointer = target != nullptr ? target->MousePointer() : kDefaultPointer;
  setCursor(CursorFor(pointer));
}

void ContainerWidget::mousePressEvent(QMouseEvent* event) {
  Form::EventScope scope(container_.OwnerForm());
  captured_ = Target(event->position());
  clickPending_ = captured_ != nullptr;
  if (captured_ == nullptr) return;
  const QPointF at = Local(*captured_, event->position());
  captured_->RaiseMouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers()), at.x(),
                            at.y());
  window_.ScheduleSync();
}

void ContainerWidget::mouseMoveEvent(QMouseEvent* event) {
  Form::EventScope scope(container_.OwnerForm());
  Control* target = event->buttons() != Qt::NoButton && captured_ != nullptr
                        ? captured_
                        : Target(event->position());
  UpdateCursor(target);
  if (target == nullptr) return;
  const QPointF at = Local(*target, event->position());
  target->RaiseMouseMove(ButtonsOf(event->buttons()), ShiftOf(event->modifiers()), at.x(),
                         at.y());
  window_.ScheduleSync();
}

void ContainerWidget::mouseReleaseEvent(QMouseEvent* event) {
  Form::EventScope scope(container_.OwnerForm());
  Control* target = captured_;
  captured_ = nullptr;
  if (target == nullptr) return;
  const QPointF at = Local(*target, event->position());
  const double x = at.x();
  const double y = at.y();
  target->RaiseMouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers()), x, y);
  // A click is a press and a release on the same control.
  if (clickPending_ && !target->Unloaded() && x >= 0 && y >= 0 && x < target->Width() &&
      y < target->Height())
    target->RaiseClick();
  clickPending_ = false;
  window_.ScheduleSync();
}

void ContainerWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  Form::EventScope scope(container_.OwnerForm());
  captured_ = Target(event->position());
  clickPending_ = false;
  if (captured_ == nullptr) return;
  captured_->RaiseDblClick();
  window_.ScheduleSync();
}

// A container without a vertical scroll bar of its own leaves the wheel to the one that
// holds it.
void ContainerWidget::wheelEvent(QWheelEvent* event) {
  for (Control* child : container_.Children()) {
    if (child->Kind() != ControlKind::kFlatScrollBar || !child->Visible() || !child->Enabled() ||
        static_cast<FlatScrollBar*>(child)->Orientation() != kVertical)
      continue;
    if (QWidget* bar = window_.WidgetOf(*child)) {
      QApplication::sendEvent(bar, event);
      return;
    }
  }
  event->ignore();
}

}  // namespace forms::qt
