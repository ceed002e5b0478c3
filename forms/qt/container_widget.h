// The widget of a form's inside or of a frame: paints the windowless controls it holds, back
// to front, and routes the mouse to the one under it, in twips relative to that control.
// Between a press and its release the mouse stays with the control pressed.  The wheel turns
// the container's vertical scroll bar, as over the list that the bar scrolls.
#pragma once

#include <QWidget>

#include "forms/control.h"

namespace forms::qt {

class FormWindow;

class ContainerWidget : public QWidget {
 public:
  ContainerWidget(FormWindow& window, Container& container, QWidget* parent);
  Container& ModelContainer() const { return container_; }
  // Forgets a control that is about to go away.
  void Forget(const Control& control);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The windowless control under a point of this widget, or the frame itself, or nothing.
  Control* Target(const QPointF& position) const;
  // A point of this widget in twips relative to `target`.
  QPointF Local(const Control& target, const QPointF& position) const;
  void UpdateCursor(const Control* target);

  FormWindow& window_;
  Container& container_;
  Control* captured_ = nullptr;
  bool clickPending_ = false;
};

}  // namespace forms::qt
