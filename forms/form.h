// A window: the top container of its controls.  A window class of the program derives from
// Form, holds its controls as members named like the designer named them, and connects their
// event slots to its member handlers in its constructor.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/text_metrics.h"

namespace forms {

// Border styles of a form.
inline constexpr int kBorderNone = 0;
inline constexpr int kBorderFixedSingle = 1;
inline constexpr int kBorderSizable = 2;
inline constexpr int kBorderFixedDialog = 3;

// Window states.
inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimized = 1;
inline constexpr int kWindowMaximized = 2;

// Why a form is asked to unload (QueryUnload).
inline constexpr int kUnloadFromControlMenu = 0;
inline constexpr int kUnloadFromCode = 1;

// What the window that shows a form listens to.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void FormChanged() = 0;  // caption, geometry, visibility, colours of the form
  virtual void ControlChanged(Control& control) = 0;
  virtual void ControlAdded(Control& control) = 0;
  virtual void ControlRemoved(Control& control) = 0;
  // The form is going away: its controls are gone already.
  virtual void FormDestroyed() = 0;
};

class Form : public Container {
 public:
  explicit Form(std::string name, const TextMetrics& metrics = DefaultTextMetrics());
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Form& OwnerForm() override { return *this; }
  const std::string& Name() const { return name_; }

  // Events of the form itself.
  std::function<void()> Load;
  std::function<void()> Resize;
  std::function<void(int& cancel, int unloadMode)> QueryUnload;
  std::function<void(int& cancel)> Unload;
  // A key pressed in the window; heard before the focused control's KeyDown while
  // KeyPreview is set, and alone when no control has the focus.
  std::function<void(int& keyCode, int shift)> KeyDown;

  // Raises Load the first time.
  void LoadForm();
  bool Loaded() const { return loaded_; }
  // Loads the form when needed and makes it visible.  A modal showing goes through the
  // EventLoop service.
  void Show();
  void Hide();
  // Asks QueryUnload then Unload; false when one of them cancelled.
  bool UnloadForm(int unloadMode = kUnloadFromCode);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Outer size and place of the window, in twips, borders and title bar included.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void SetLeft(double value);
  void SetTop(double value);
  void SetWidth(double value);
  void SetHeight(double value);
  void Move(double left, double top, double width, double height);
  // The inside of the window, where the controls are.
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Sets the outer size from the inside size (what the window system reports).
  void SetScaleSize(double width, double height);

  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int value);
  int WindowState() const { return windowState_; }
  void SetWindowState(int value);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color value);
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int value);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }

  // Where the window sends a key pressed while `focused` has the focus (nullptr: none has):
  // the form's KeyDown as KeyPreview says, then the control's unless the form cleared the
  // key.  False when a handler unloaded the form or the control: nothing may take the key.
  bool RaiseKeyDown(Control* focused, int& keyCode, int shift);

  // Every control of the form, in the order they were created.
  const std::vector<Control*>& AllControls() const { return controls_.Items(); }
  Control* ActiveControl() const { return activeControl_; }

  const TextMetrics& Metrics() const { return *metrics_; }
  void SetMetrics(const TextMetrics& metrics) { metrics_ = &metrics; }

  void SetObserver(FormObserver* observer) { observer_ = observer; }
  FormObserver* Observer() const { return observer_; }

  // While one of these lives, controls unloaded by handlers are kept alive, so that the code
  // that raised the event may still look at them (Control::Unloaded tells).
  class EventScope {
   public:
    explicit EventScope(Form& form);
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    Form& form_;
  };

 private:
  friend class Control;
  template <class T>
  friend class ControlArray;

  void Register(Control& control);
  void Forget(Control& control);
  void MoveFocus(Control* to);
  void Bury(std::unique_ptr<Control> control);
  void NotifyChanged(Control& control);
  void NotifyAdded(Control& control);
  void NotifyRemoved(Control& control);
  void NotifyForm();
  void RaiseResizeIfChanged(double oldScaleWidth, double oldScaleHeight);
  double BorderWidthTwips() const;
  double BorderHeightTwips() const;

  std::string name_;
  const TextMetrics* metrics_;
  FormObserver* observer_ = nullptr;
  ControlList controls_{&Control::formSlot_};
  Control* activeControl_ = nullptr;
  std::vector<std::unique_ptr<Control>> graveyard_;
  int eventDepth_ = 0;

  bool loaded_ = false;
  bool visible_ = false;
  std::string caption_;
  double left_ = 0;
  double top_ = 0;
  double width_ = 4800;
  double height_ = 3600;
  int borderStyle_ = kBorderSizable;
  int windowState_ = kWindowNormal;
  Color backColor_ = kButtonFace;
  int mousePointer_ = kDefaultPointer;
  bool keyPreview_ = false;
};

}  // namespace forms
