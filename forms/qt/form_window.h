// The window of a form.  It observes the form: every change marks what changed, and one pass
// after the current event brings the widgets in line (windowless controls are repainted by
// their container; windowed ones keep their widget).  A resize by the user reaches the form
// once the size has stopped changing, not at every pixel of the drag.
#pragma once

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "forms/form.h"
#include "forms/qt/container_widget.h"

namespace forms::qt {

class FormWindow final : public ContainerWidget, public FormObserver {
 public:
  // `pictureFolder` is where the Picture names of images are looked up.
  FormWindow(Form& form, QString pictureFolder);
  ~FormWindow() override;

  Form& ModelForm() const { return form_; }
  const QString& PictureFolder() const { return pictureFolder_; }
  // The widget standing for a control: its own, or its container's for a windowless one.
  QWidget* WidgetOf(const Control& control) const;

  // Brings everything in line now, rather than after the current event.
  void SyncNow();
  void ScheduleSync();
  // Shows the form and handles events until it is hidden or unloaded.
  void RunModal();

  void FormChanged() override;
  void ControlChanged(Control& control) override;
  void ControlAdded(Control& control) override;
  void ControlRemoved(Control& control) override;
  void FormDestroyed() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Realise(Control& control);
  QWidget* ParentWidgetOf(const Control& control) const;
  void SyncForm();
  void SyncControl(Control& control);
  void Restack(Container& container);
  void ApplyUserSize();
  void CutOffWidgets();

  Form& form_;
  QString pictureFolder_;
  std::unordered_map<const Control*, QWidget*> widgets_;
  // Cleared before a control goes away; its widget's connections check it.
  std::unordered_map<const Control*, std::shared_ptr<bool>> live_;
  std::unordered_set<Control*> dirty_;
  std::unordered_set<Container*> restack_;
  bool formGone_ = false;
  bool formDirty_ = true;
  bool syncPending_ = false;
  QTimer resizeTimer_;
  QEventLoop* modalLoop_ = nullptr;
};

}  // namespace forms::qt
