// The base of every control: where it sits, how it looks in general, and how its events are
// raised.  Geometry is in twips, relative to the container, kept exactly as set.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/color.h"
#include "forms/control_list.h"
#include "forms/events.h"
#include "forms/font.h"

namespace forms {

class Control;
class Form;
template <class T>
class ControlArray;

enum class ControlKind {
  kLabel,
  kFrame,
  kShape,
  kLine,
  kImage,
  kTextBox,
  kComboBox,
  kListBox,
  kCommandButton,
  kCheckBox,
  kOptionButton,
  kMonthView,
  kDTPicker,
  kFlatScrollBar,
  kMSFlexGrid,
  kDriveListBox,
  kDirListBox,
  kFileListBox,
};

// Mouse pointers (MousePointer property of controls and of the screen).
inline constexpr int kDefaultPointer = 0;
inline constexpr int kArrowPointer = 1;
inline constexpr int kCrossPointer = 2;
inline constexpr int kIBeamPointer = 3;
inline constexpr int kSizeAllPointer = 5;
inline constexpr int kSizeNESWPointer = 6;
inline constexpr int kSizeNSPointer = 7;
inline constexpr int kSizeNWSEPointer = 8;
inline constexpr int kSizeWEPointer = 9;
inline constexpr int kUpArrowPointer = 10;
inline constexpr int kHourglassPointer = 11;
inline constexpr int kNoDropPointer = 12;
inline constexpr int kArrowHourglassPointer = 13;
inline constexpr int kHandPointer = 99;

// Alignment of text.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignCenter = 2;

// Something that holds controls: the form or a frame.  Children are kept back to front.
class Container {
 public:
  Container();
  virtual ~Container() = default;
  const std::vector<Control*>& Children() const { return children_.Items(); }
  virtual Form& OwnerForm() = 0;
  // The frame this container is, or nothing for the form.
  virtual Control* AsControl() { return nullptr; }

 private:
  friend class Control;
  ControlList children_;
};

class Control : public ControlEvents<> {
 public:
  Control(Container& parent, std::string name);
  virtual ~Control();
  Control& operator=(const Control&) = delete;

  virtual ControlKind Kind() const = 0;
  // Windowless controls are painted by their container and have no window of their own.
  virtual bool IsWindowless() const { return false; }
  // Shapes and lines never take the mouse; it goes to what lies below them.
  virtual bool TakesMouse() const { return true; }

  const std::string& Name() const { return name_; }
  // The element number inside a control array, -1 for a control of its own.
  int Index() const { return index_; }
  Container& Parent() const { return *parent_; }
  Form& OwnerForm() const { return parent_->OwnerForm(); }
  // True once the element is unloaded; it lives on until the events under way have ended.
  bool Unloaded() const { return unloaded_; }

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void SetLeft(double value);
  void SetTop(double value);
  void SetWidth(double value);   // a negative value is an error (380)
  void SetHeight(double value);  // likewise
  void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
            std::optional<double> height = {});

  // The control's own setting, whatever its containers' settings.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // Whether it is on screen inside its form: its own setting and every containing frame's.
  bool IsShown() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Whether the user can reach it: enabled, and every containing frame too.
  bool IsEnabledForUser() const;

  const std::string& Tag() const { return tag_; }
  void SetTag(std::string value) { tag_ = std::move(value); }
  const std::string& ToolTipText() const { return toolTip_; }
  void SetToolTipText(std::string value);
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int value);

  Color BackColor() const { return backColor_; }
  void SetBackColor(Color value);
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color value);

  const forms::Font& Font() const { return font_; }
  void SetFont(const forms::Font& value);
  void SetFontName(std::string value);
  void SetFontSize(double value);
  void SetFontBold(bool value);

  // 0 brings the control to the front of its container, 1 sends it to the back.  Windowed
  // controls always stand in front of windowless ones.
  void ZOrder(int position = 0);
  void SetFocus();

  // Raising the events: program changes, the test driver and the Qt backend all come here.
  void RaiseClick();
  void RaiseDblClick();
  void RaiseChange();
  void RaiseGotFocus();
  void RaiseLostFocus();
  void RaiseMouseDown(int button, int shift, double x, double y);
  void RaiseMouseMove(int button, int shift, double x, double y);
  void RaiseMouseUp(int button, int shift, double x, double y);
  void RaiseKeyPress(int& keyAscii);
  void RaiseKeyDown(int& keyCode, int shift);
  void RaiseKeyUp(int& keyCode, int shift);
  void RaiseDateClick(runtime::DateTime date);

 protected:
  // A new element of a control array, with the properties of `source` (its element 0):
  // same container, hidden, in front of its siblings.
  Control(const Control& source);
  // Tells the form's observer (the window) that the control must be shown anew.
  void Changed();
  // Sets a property and tells the observer, when the value is new.
  template <class V>
  void Update(V& member, V value) {
    if (member == value) return;
    member = std::move(value);
    Changed();
  }
  // Called after the font or text changed, for controls that size themselves.
  virtual void FitToContent() {}

 private:
  template <class T>
  friend class ControlArray;
  friend class Form;

  template <auto Own, auto OfArray, class... A>
  void Fire(A&&... args);
  void Attach();
  void Detach();

  friend class ControlList;
  friend class Container;

  Container* parent_;
  std::size_t childSlot_ = 0;  // place among the container's children
  std::size_t formSlot_ = 0;   // place in the form's control order
  std::string name_;
  int index_ = -1;
  ControlEvents<int>* arrayEvents_ = nullptr;
  bool unloaded_ = false;

  double left_ = 0;
  double top_ = 0;
  double width_ = 0;
  double height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string tag_;
  std::string toolTip_;
  int mousePointer_ = kDefaultPointer;
  Color backColor_ = kButtonFace;
  Color foreColor_ = kButtonText;
  forms::Font font_;
};

}  // namespace forms
