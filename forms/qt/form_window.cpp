#include "forms/qt/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>

#include "forms/frame.h"
#include "forms/qt/units.h"
#include "forms/qt/widgets.h"

namespace forms::qt {

namespace {

// How long the size must stay still before the form hears of it.
constexpr int kResizeSettleMs = 120;

}  // namespace

FormWindow::FormWindow(Form& form, QString pictureFolder)
    : ContainerWidget(*this, form, nullptr), form_(form), pictureFolder_(std::move(pictureFolder)) {
  resizeTimer_.setSingleShot(true);
  resizeTimer_.setInterval(kResizeSettleMs);
  QObject::connect(&resizeTimer_, &QTimer::timeout, this, [this] { ApplyUserSize(); });
  for (Control* control : form.AllControls()) Realise(*control);
  form.SetObserver(this);
  SyncNow();
}

FormWindow::~FormWindow() {
  CutOffWidgets();
  if (!formGone_ && form_.Observer() == this) form_.SetObserver(nullptr);
}

void FormWindow::CutOffWidgets() {
  for (auto& [control, live] : live_) *live = false;
  live_.clear();
}

void FormWindow::FormDestroyed() {
  formGone_ = true;
  CutOffWidgets();
  widgets_.clear();
  dirty_.clear();
  restack_.clear();
  resizeTimer_.stop();
  hide();
  deleteLater();
}

QWidget* FormWindow::ParentWidgetOf(const Control& control) const {
  Control* frame = control.Parent().AsControl();
  return frame == nullptr ? const_cast<FormWindow*>(this) : widgets_.at(frame);
}

QWidget* FormWindow::WidgetOf(const Control& control) const {
  auto it = widgets_.find(&control);
  return it != widgets_.end() ? it->second : ParentWidgetOf(control);
}

void FormWindow::Realise(Control& control) {
  QWidget* parent = ParentWidgetOf(control);
  QWidget* widget = nullptr;
  if (control.Kind() == ControlKind::kFrame)
    widget = new ContainerWidget(*this, static_cast<Frame&>(control), parent);
  else if (!control.IsWindowless()) {
    auto live = std::make_shared<bool>(true);
    widget = CreateWidget(*this, control, parent, live);
    if (widget != nullptr) live_[&control] = std::move(live);
  }
  if (widget != nullptr) widgets_[&control] = widget;
  dirty_.insert(&control);
  restack_.insert(&control.Parent());
}

void FormWindow::ScheduleSync() {
  if (syncPending_ || formGone_) return;
  syncPending_ = true;
  QTimer::singleShot(0, this, [this] { SyncNow(); });
}

void FormWindow::FormChanged() {
  formDirty_ = true;
  if (modalLoop_ != nullptr && !form_.Visible()) modalLoop_->quit();
  ScheduleSync();
}

void FormWindow::ControlChanged(Control& control) {
  dirty_.insert(&control);
  restack_.insert(&control.Parent());
  ScheduleSync();
}

void FormWindow::ControlAdded(Control& control) {
  Realise(control);
  ScheduleSync();
}

void FormWindow::ControlRemoved(Control& control) {
  dirty_.erase(&control);
  if (auto it = live_.find(&control); it != live_.end()) {
    *it->second = false;
    live_.erase(it);
  }
  if (auto it = widgets_.find(&control); it != widgets_.end()) {
    it->second->hide();
    it->second->deleteLater();
    widgets_.erase(it);
  }
  Forget(control);
  for (auto& [owner, widget] : widgets_) {
    if (auto* container = dynamic_cast<ContainerWidget*>(widget)) container->Forget(control);
  }
  ParentWidgetOf(control)->update();
}

void FormWindow::SyncNow() {
  syncPending_ = false;
  if (formGone_) return;
  if (formDirty_) SyncForm();
  auto dirty = std::move(dirty_);
  dirty_.clear();
  for (Control* control : dirty) SyncControl(*control);
  auto restack = std::move(restack_);
  restack_.clear();
  for (Container* container : restack) Restack(*container);
}

void FormWindow::SyncForm() {
  formDirty_ = false;
  setWindowTitle(QString::fromStdString(form_.Caption()));
  const QSize size(Px(form_.ScaleWidth()), Px(form_.ScaleHeight()));
  if (form_.BorderStyle() == kBorderSizable) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!resizeTimer_.isActive() && this->size() != size) resize(size);
  } else {
    setFixedSize(size);
  }
  if (!isVisible()) move(Px(form_.Left()), Px(form_.Top()));
  setCursor(CursorFor(form_.MousePointer()));
  update();
  if (form_.Visible() && !isVisible()) {
    if (form_.WindowState() == kWindowMaximized)
      showMaximized();
    else
      show();
  } else if (!form_.Visible() && isVisible()) {
    hide();
  }
  if (!form_.Loaded()) close();
}

void FormWindow::SyncControl(Control& control) {
  QWidget* parent = ParentWidgetOf(control);
  auto it = widgets_.find(&control);
  if (it == widgets_.end()) {
    parent->update();  // windowless: its container repaints it
    return;
  }
  QWidget& widget = *it->second;
  widget.setGeometry(Px(control.Left()), Px(control.Top()), Px(control.Width()),
                     Px(control.Height()));
  widget.setEnabled(control.Enabled());
  widget.setToolTip(QString::fromStdString(control.ToolTipText()));
  widget.setCursor(CursorFor(control.MousePointer()));
  if (control.Kind() == ControlKind::kFrame)
    widget.update();
  else
    SyncWidget(control, widget);
  widget.setVisible(control.Visible());
  if (form_.ActiveControl() == &control && !widget.hasFocus() && widget.isVisible())
    widget.setFocus();
}

void FormWindow::Restack(Container& container) {
  for (Control* child : container.Children()) {
    if (auto it = widgets_.find(child); it != widgets_.end()) it->second->raise();
  }
  if (Control* frame = container.AsControl())
    widgets_.at(frame)->update();
  else
    update();
}

void FormWindow::RunModal() {
  setWindowModality(Qt::ApplicationModal);
  form_.Show();
  SyncNow();
  if (!form_.Visible()) return;
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec();
  modalLoop_ = nullptr;
  SyncNow();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  ContainerWidget::resizeEvent(event);
  if (event->size() != QSize(Px(form_.ScaleWidth()), Px(form_.ScaleHeight())))
    resizeTimer_.start();
}

void FormWindow::ApplyUserSize() {
  Form::EventScope scope(form_);
  form_.SetScaleSize(Twips(width()), Twips(height()));
  ScheduleSync();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (!formGone_ && form_.Loaded() && !form_.UnloadForm(kUnloadFromControlMenu)) {
    event->ignore();
    return;
  }
  event->accept();
}

// A key comes here when no control's widget has the focus, or when the focused widget
// passed it on after its control's filter had given it to the form: only the first is
// the form's to hear.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  QWidget* focus = QApplication::focusWidget();
  const bool controlFocused =
      focus != nullptr && focus != this && dynamic_cast<ContainerWidget*>(focus) == nullptr;
  int keyCode = KeyCodeOf(*event);
  if (controlFocused || formGone_ || !form_.Loaded() || keyCode == 0) {
    event->ignore();
    return;
  }
  Form::EventScope scope(form_);
  form_.RaiseKeyDown(nullptr, keyCode, 0);
  ScheduleSync();
}

}  // namespace forms::qt
