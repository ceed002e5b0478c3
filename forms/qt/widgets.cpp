#include "forms/qt/widgets.h"

#include <algorithm>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "forms/check_box.h"
#include "forms/combo_box.h"
#include "forms/command_button.h"
#include "forms/date_picker.h"
#include "forms/error.h"
#include "forms/file_lists.h"
#include "forms/form.h"
#include "forms/list_box.h"
#include "forms/month_view.h"
#include "forms/option_button.h"
#include "forms/qt/date_field.h"
#include "forms/qt/form_window.h"
#include "forms/qt/units.h"
#include "forms/scroll_bar.h"
#include "forms/text_box.h"

namespace forms::qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The key as the KeyPress event numbers it, 0 for keys that type nothing.
int KeyAsciiOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    default: break;
  }
  const QList<uint> text = event.text().toUcs4();
  return text.isEmpty() ? 0 : static_cast<int>(text.front());
}

// Focus and keys of a windowed control go to the model first; the keys that reach the
// window itself are the form's (FormWindow::keyPressEvent).
class ControlFilter : public QObject {
 public:
  ControlFilter(FormWindow& window, Control& control, std::shared_ptr<const bool> live,
                QObject* parent)
      : QObject(parent), window_(window), control_(control), live_(std::move(live)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!*live_ || control_.Unloaded()) return false;
    Form::EventScope scope(control_.OwnerForm());
    if (event->type() == QEvent::FocusIn) {
      try {
        control_.SetFocus();
      } catch (const RuntimeError&) {
        // A control hidden by the program while Qt still gave it the focus.
      }
      window_.ScheduleSync();
    } else if (event->type() == QEvent::KeyPress) {
      // A key the form or the control ended with goes no further: the window may be gone.
      const auto& key = static_cast<QKeyEvent&>(*event);
      int keyCode = KeyCodeOf(key);
      if (keyCode != 0 && !control_.OwnerForm().RaiseKeyDown(&control_, keyCode, 0)) return true;
      if (control_.Kind() == ControlKind::kTextBox) return FilterTyping(watched, key);
      // Enter presses the focused button as Space does; a held key presses it once.
      auto* button = qobject_cast<QPushButton*>(watched);
      if (button != nullptr && keyCode == kKeyReturn) {
        if (!key.isAutoRepeat()) button->click();
        return true;
      }
      window_.ScheduleSync();
    }
    return false;
  }

 private:
  bool FilterTyping(QObject* watched, const QKeyEvent& event) {
    const int typed = KeyAsciiOf(event);
    if (typed == 0) return false;
    int keyAscii = typed;
    control_.RaiseKeyPress(keyAscii);
    window_.ScheduleSync();
    if (control_.Unloaded() || keyAscii == 0) return true;
    if (keyAscii == typed) return false;
    // The handler replaced the key: type the replacement instead.
    if (auto* line = qobject_cast<QLineEdit*>(watched)) {
      line->insert(QString::fromUcs4(reinterpret_cast<const char32_t*>(&keyAscii), 1));
      return true;
    }
    return false;
  }

  FormWindow& window_;
  Control& control_;
  std::shared_ptr<const bool> live_;
};

// What a widget's connections need to reach its control.
struct Bridge {
  FormWindow& window;
  Control& control;
  std::shared_ptr<const bool> live;
};

// Brings what the user did in a widget to the model, while its control is there.
template <class Action>
void AsUser(const Bridge& bridge, Action action) {
  if (!*bridge.live || bridge.control.Unloaded()) return;
  Form::EventScope scope(bridge.control.OwnerForm());
  action();
  bridge.window.ScheduleSync();
}

// Connects a signal that only the user's doing emits (or that syncing blocks) to the model.
template <class Object, class Base, class Slot, class... Args>
void OnUser(const Bridge& bridge, Object* sender, void (Base::*signal)(Args...), Slot slot) {
  QObject::connect(sender, signal, sender,
                   [bridge, slot](Args... args) { AsUser(bridge, [&] { slot(args...); }); });
}

QWidget* CreateTextBox(const Bridge& bridge, TextBox& box, QWidget* parent) {
  if (box.MultiLine()) {
    auto* edit = new QPlainTextEdit(parent);
    OnUser(bridge, edit, &QPlainTextEdit::textChanged,
           [&box, edit] { box.SetText(edit->toPlainText().toStdString()); });
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  OnUser(bridge, edit, &QLineEdit::textEdited,
         [&box](const QString& text) { box.SetText(text.toStdString()); });
  return edit;
}

void UserClicksOption(OptionButton& option) {
  if (option.Value())
    option.RaiseClick();
  else
    option.SetValue(true);
}

QWidget* CreateOptionButton(const Bridge& bridge, OptionButton& option, QWidget* parent) {
  QAbstractButton* button = nullptr;
  if (option.Style() == 1) {
    button = new QPushButton(parent);
    button->setCheckable(true);
  } else {
    button = new QRadioButton(parent);
  }
  button->setAutoExclusive(false);
  OnUser(bridge, button, &QAbstractButton::clicked,
         [&option](bool) { UserClicksOption(option); });
  return button;
}

// The texts of a list's items.
template <class List>
QStringList ItemsOf(const List& list) {
  QStringList items;
  for (int i = 0; i < list.ListCount(); ++i) items << Q(list.List(i));
  return items;
}

void SyncRows(const QStringList& rows, int currentRow, QComboBox& combo) {
  QStringList current;
  for (int i = 0; i < combo.count(); ++i) current << combo.itemText(i);
  if (rows != current) {
    combo.clear();
    combo.addItems(rows);
  }
  combo.setCurrentIndex(currentRow);
}

void SyncRows(const QStringList& rows, int currentRow, QListWidget& widget) {
  QStringList current;
  for (int i = 0; i < widget.count(); ++i) current << widget.item(i)->text();
  if (rows != current) {
    widget.clear();
    widget.addItems(rows);
  }
  widget.setCurrentRow(currentRow);
}

// The folder list shows the root, each folder down to Path, then Path's subfolders, each
// by its own name and indented by its depth.
QStringList FolderRows(const DirListBox& list) {
  QStringList rows;
  const int depth = list.AncestorCount();
  for (int i = -depth; i < list.ListCount(); ++i) {
    const std::string path = list.List(i);
    const std::size_t slash = path.rfind('/');
    const std::string name = path == "/" ? path : path.substr(slash + 1);
    const int indent = i < 0 ? depth + i : depth;
    rows << QString(indent * 2, ' ') + Q(name);
  }
  return rows;
}

// The folder list, whose rows are indented by their depth: typing a folder's first letters
// goes to it, as in a list whose rows begin with their names.
class FolderList : public QListWidget {
 public:
  using QListWidget::QListWidget;

  void keyboardSearch(const QString& search) override {
    if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > QApplication::keyboardInputInterval())
      typed_.clear();
    sinceTyped_.start();
    // A first letter moves on from the current row; more letters may keep it.
    const int from = typed_.isEmpty() ? currentRow() + 1 : std::max(currentRow(), 0);
    typed_ += search;
    for (int step = 0; step < count(); ++step) {
      const int row = (from + step) % count();
      if (item(row)->text().trimmed().startsWith(typed_, Qt::CaseInsensitive)) {
        setCurrentRow(row);
        return;
      }
    }
  }

 private:
  QString typed_;
  QElapsedTimer sinceTyped_;
};

QWidget* CreateFileSystemList(const Bridge& bridge, FileSystemList& list, QWidget* parent) {
  if (list.Kind() == ControlKind::kDriveListBox) {
    auto* combo = new QComboBox(parent);
    OnUser(bridge, combo, &QComboBox::activated,
           [&list](int index) { list.SetListIndex(index); });
    return combo;
  }
  QListWidget* view = list.Kind() == ControlKind::kDirListBox ? new FolderList(parent)
                                                               : new QListWidget(parent);
  if (list.Kind() == ControlKind::kDirListBox) {
    auto& folders = static_cast<DirListBox&>(list);
    // Rows start at the root, which is item -AncestorCount().
    OnUser(bridge, view, &QListWidget::currentRowChanged, [&folders](int row) {
      if (row >= 0) folders.SetListIndex(row - folders.AncestorCount());
    });
    OnUser(bridge, view, &QListWidget::itemActivated,
           [&folders](QListWidgetItem*) { folders.OpenSelected(); });
  } else {
    OnUser(bridge, view, &QListWidget::currentRowChanged,
           [&list](int row) { list.SetListIndex(row); });
    OnUser(bridge, view, &QListWidget::itemDoubleClicked,
           [&list](QListWidgetItem*) { list.RaiseDblClick(); });
  }
  return view;
}

void SyncFileSystemList(const FileSystemList& list, QWidget& widget) {
  if (list.Kind() == ControlKind::kDriveListBox) {
    SyncRows(ItemsOf(list), list.ListIndex(), static_cast<QComboBox&>(widget));
  } else if (list.Kind() == ControlKind::kDirListBox) {
    auto& folders = static_cast<const DirListBox&>(list);
    SyncRows(FolderRows(folders), folders.ListIndex() + folders.AncestorCount(),
             static_cast<QListWidget&>(widget));
  } else {
    SyncRows(ItemsOf(list), list.ListIndex(), static_cast<QListWidget&>(widget));
  }
}

QString ButtonStyle(const Control& control) {
  return QString("background-color: %1; color: %2;")
      .arg(ToQColor(control.BackColor()).name(), ToQColor(control.ForeColor()).name());
}

}  // namespace

int KeyCodeOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab: return kKeyTab;
    case Qt::Key_Delete: return kKeyDelete;
    default: break;
  }
  // Letters, digits and the other keys below 256 are numbered as their character.
  return event.key() < 0x100 ? event.key() : 0;
}

QWidget* CreateWidget(FormWindow& window, Control& control, QWidget* parent,
                      std::shared_ptr<const bool> live) {
  const Bridge bridge{window, control, live};
  QWidget* widget = nullptr;
  switch (control.Kind()) {
    case ControlKind::kTextBox:
      widget = CreateTextBox(bridge, static_cast<TextBox&>(control), parent);
      break;
    case ControlKind::kComboBox: {
      auto& list = static_cast<ComboBox&>(control);
      auto* combo = new QComboBox(parent);
      OnUser(bridge, combo, &QComboBox::activated,
             [&list](int index) { list.SetListIndex(index); });
      widget = combo;
      break;
    }
    case ControlKind::kListBox: {
      auto& list = static_cast<ListBox&>(control);
      auto* view = new QListWidget(parent);
      OnUser(bridge, view, &QListWidget::currentRowChanged,
             [&list](int row) { list.SetListIndex(row); });
      OnUser(bridge, view, &QListWidget::itemDoubleClicked,
             [&list](QListWidgetItem*) { list.RaiseDblClick(); });
      widget = view;
      break;
    }
    case ControlKind::kCommandButton: {
      auto* button = new QPushButton(parent);
      OnUser(bridge, button, &QPushButton::clicked, [&control](bool) {
        control.RaiseClick();
      });
      widget = button;
      break;
    }
    case ControlKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      auto* check = new QCheckBox(parent);
      OnUser(bridge, check, &QCheckBox::clicked, [&box](bool checked) {
        box.SetValue(checked ? kChecked : kUnchecked);
      });
      widget = check;
      break;
    }
    case ControlKind::kOptionButton:
      widget = CreateOptionButton(bridge, static_cast<OptionButton&>(control), parent);
      break;
    case ControlKind::kMonthView: {
      auto& calendar = static_cast<MonthView&>(control);
      auto* view = new QCalendarWidget(parent);
      view->setFirstDayOfWeek(Qt::Monday);
      view->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
      OnUser(bridge, view, &QCalendarWidget::clicked, [&calendar](QDate date) {
        const auto picked = runtime::DateTime::FromParts(date.year(), date.month(), date.day());
        if (!picked) return;
        calendar.SetValue(*picked);
        calendar.RaiseDateClick(*picked);
      });
      widget = view;
      break;
    }
    case ControlKind::kDTPicker: {
      auto& picker = static_cast<DTPicker&>(control);
      auto* field = new DateField(parent);
      field->Taken = [bridge, &picker](runtime::DateTime value) {
        AsUser(bridge, [&] { picker.SetValue(value); });
      };
      field->Refused = [bridge, &picker](bool refused) {
        if (*bridge.live && !picker.Unloaded()) picker.SetTextRefused(refused);
      };
      widget = field;
      break;
    }
    case ControlKind::kFlatScrollBar: {
      auto& bar = static_cast<FlatScrollBar&>(control);
      auto* scroll = new QScrollBar(parent);
      OnUser(bridge, scroll, &QScrollBar::valueChanged,
             [&bar](int value) { bar.SetValue(value); });
      widget = scroll;
      break;
    }
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
      widget = CreateFileSystemList(bridge, static_cast<FileSystemList&>(control), parent);
      break;
    default: return nullptr;
  }
  widget->installEventFilter(new ControlFilter(window, control, std::move(live), widget));
  return widget;
}

void SyncWidget(Control& control, QWidget& widget) {
  const QSignalBlocker blocker(widget);
  widget.setFont(ToQFont(control.Font()));
  switch (control.Kind()) {
    case ControlKind::kTextBox: {
      auto& box = static_cast<TextBox&>(control);
      const QString text = Q(box.Text());
      if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        if (line->text() != text) line->setText(text);
        line->setReadOnly(box.Locked());
        line->setFrame(box.BorderStyle() != 0);
        line->setAlignment(box.Alignment() == kAlignCenter  ? Qt::AlignHCenter
                           : box.Alignment() == kAlignRight ? Qt::AlignRight
                                                            : Qt::AlignLeft);
      } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget)) {
        if (edit->toPlainText() != text) edit->setPlainText(text);
        edit->setReadOnly(box.Locked());
        edit->setFrameShape(box.BorderStyle() != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
      }
      QPalette palette = widget.palette();
      palette.setColor(QPalette::Base, ToQColor(box.BackColor()));
      palette.setColor(QPalette::Text, ToQColor(box.ForeColor()));
      widget.setPalette(palette);
      break;
    }
    case ControlKind::kComboBox: {
      auto& list = static_cast<ListControl&>(control);
      SyncRows(ItemsOf(list), list.ListIndex(), static_cast<QComboBox&>(widget));
      break;
    }
    case ControlKind::kListBox: {
      auto& list = static_cast<ListControl&>(control);
      SyncRows(ItemsOf(list), list.ListIndex(), static_cast<QListWidget&>(widget));
      break;
    }
    case ControlKind::kCommandButton: {
      auto& command = static_cast<CommandButton&>(control);
      auto& button = static_cast<QPushButton&>(widget);
      button.setText(Q(command.Caption()));
      button.setStyleSheet(command.Style() == 1 ? ButtonStyle(command) : QString());
      break;
    }
    case ControlKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      auto& check = static_cast<QCheckBox&>(widget);
      check.setText(Q(box.Caption()));
      check.setCheckState(box.Value() == kChecked  ? Qt::Checked
                          : box.Value() == kGrayed ? Qt::PartiallyChecked
                                                   : Qt::Unchecked);
      break;
    }
    case ControlKind::kOptionButton: {
      auto& option = static_cast<OptionButton&>(control);
      auto& button = static_cast<QAbstractButton&>(widget);
      button.setText(Q(option.Caption()));
      button.setChecked(option.Value());
      if (option.Style() == 1) button.setStyleSheet(ButtonStyle(option));
      break;
    }
    case ControlKind::kMonthView: {
      auto& calendar = static_cast<MonthView&>(control);
      const runtime::DateTime value = calendar.Value();
      static_cast<QCalendarWidget&>(widget).setSelectedDate(
          QDate(value.Year(), value.Month(), value.Day()));
      break;
    }
    case ControlKind::kDTPicker: {
      auto& picker = static_cast<DTPicker&>(control);
      auto& field = static_cast<DateField&>(widget);
      field.SetPattern(Q(picker.DisplayPattern()));
      // A refused text stays in sight until the user mends it or the program sets a value.
      if (!picker.TextRefused()) field.SetValue(picker.Value());
      break;
    }
    case ControlKind::kFlatScrollBar: {
      auto& bar = static_cast<FlatScrollBar&>(control);
      auto& scroll = static_cast<QScrollBar&>(widget);
      scroll.setOrientation(bar.Orientation() == kHorizontal ? Qt::Horizontal : Qt::Vertical);
      scroll.setRange(std::min(bar.Min(), bar.Max()), std::max(bar.Min(), bar.Max()));
      scroll.setSingleStep(bar.SmallChange());
      scroll.setPageStep(bar.LargeChange());
      scroll.setValue(bar.Value());
      break;
    }
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
      SyncFileSystemList(static_cast<FileSystemList&>(control), widget);
      break;
    default: break;
  }
}

}  // namespace forms::qt
