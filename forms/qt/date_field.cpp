#include "forms/qt/date_field.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QValidator>

namespace forms::qt {

namespace {

constexpr QChar kBlank = '_';

// Refuses a text as soon as `allowed` does.
class RangeValidator : public QValidator {
 public:
  RangeValidator(std::function<bool(const QString&)> allowed, QObject* parent)
      : QValidator(parent), allowed_(std::move(allowed)) {}

  State validate(QString& input, int&) const override {
    return allowed_(input) ? Acceptable : Invalid;
  }

 private:
  std::function<bool(const QString&)> allowed_;
};

// The arrow of a drop-down list, as the style draws the combo boxes beside the field.
QIcon DropDownArrow(const QWidget& field) {
  QPixmap arrow(12, 12);
  arrow.fill(Qt::transparent);
  QPainter painter(&arrow);
  QStyleOption option;
  option.initFrom(&field);
  option.rect = arrow.rect();
  field.style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, &field);
  return QIcon(arrow);
}

bool Typeable(QStringView run) {
  return run == u"dd" || run == u"MM" || run == u"yyyy" || run == u"HH" || run == u"mm";
}

// The digits a two-digit part can take: its highest first digit, and its lowest and highest
// values.  Years take any digits.
struct Range {
  int highestFirst = 9;
  int lowest = 0;
  int highest = 99;
};

Range RangeOf(QChar letter) {
  switch (letter.unicode()) {
    case 'd': return {3, 1, 31};
    case 'M': return {1, 1, 12};
    case 'H': return {2, 0, 23};
    case 'm': return {5, 0, 59};
    default: return {};
  }
}

// Whether the digits of a part, its first alone or both (-1 for a blank), can still make a
// day, a month, an hour or a minute.
bool InRange(QChar letter, int first, int second) {
  const Range range = RangeOf(letter);
  if (first < 0) return true;
  if (second < 0) return first <= range.highestFirst;
  const int value = first * 10 + second;
  return value >= range.lowest && value <= range.highest;
}

// The standard menu's paste, known by its caption: the actions of that menu carry no names
// in every Qt version.  The caption may be followed by a tab and the shortcut.
QAction* PasteAction(const QMenu& menu) {
  const QString caption = QLineEdit::tr("&Paste");
  for (QAction* action : menu.actions()) {
    if (action->text().section('\t', 0, 0) == caption) return action;
  }
  return nullptr;
}

int DigitAt(const QString& text, int position) {
  return position < text.size() && text[position].isDigit() ? text[position].digitValue() : -1;
}

}  // namespace

DateField::DateField(QWidget* parent) : QLineEdit(parent), calendar_(new QCalendarWidget(this)) {
  calendar_->setWindowFlags(Qt::Popup);
  calendar_->setFirstDayOfWeek(Qt::Monday);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  connect(calendar_, &QCalendarWidget::clicked, this,
          [this](QDate date) { PickFromCalendar(date); });
  connect(calendar_, &QCalendarWidget::activated, this,
          [this](QDate date) { PickFromCalendar(date); });
  QAction* dropDown = addAction(DropDownArrow(*this), TrailingPosition);
  connect(dropDown, &QAction::triggered, this, [this] { ShowCalendar(); });
  setValidator(new RangeValidator(
      [this](const QString& text) {
        for (const Part& part : parts_) {
          if (part.length != 2) continue;
          if (!InRange(part.letter, DigitAt(text, part.start), DigitAt(text, part.start + 1)))
            return false;
        }
        return true;
      },
      this));
  connect(this, &QLineEdit::textEdited, this, [this] { UserEdited(); });
}

void DateField::SetPattern(const QString& pattern) {
  if (pattern == pattern_) return;
  pattern_ = pattern;
  parts_.clear();
  QString mask;
  bool typeable = true;
  for (int i = 0; i < pattern.size();) {
    int end = i + 1;
    if (pattern[i].isLetter()) {
      while (end < pattern.size() && pattern[end] == pattern[i]) ++end;
      typeable = typeable && Typeable(QStringView(pattern).mid(i, end - i));
      parts_.push_back({i, end - i, pattern[i]});
      mask += QString(end - i, '9');
    } else {
      mask += QString('\\') + pattern[i];
    }
    i = end;
  }
  if (!typeable) parts_.clear();
  setInputMask(typeable ? mask + ';' + kBlank : QString());
  setReadOnly(!typeable);
  if (valueShown_) ShowValue();
}

void DateField::SetValue(runtime::DateTime value) {
  if (valueShown_ && value == value_ && !refused_) return;
  value_ = value;
  valueShown_ = true;
  calendar_->setSelectedDate(QDate(value.Year(), value.Month(), value.Day()));
  ShowValue();
}

void DateField::keyPressEvent(QKeyEvent* event) {
  const bool alt = event->modifiers() & Qt::AltModifier;
  if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
    ShowCalendar();
    return;
  }
  if (!parts_.empty()) {
    const QString typed = event->text();
    const bool one = typed.size() == 1;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (!Typed()) ShowValue();
    } else if (event->matches(QKeySequence::Paste)) {
      Paste();
      return;
    } else if (one && typed[0].isDigit() && TypeDigit(typed[0])) {
      return;
    } else if (one && typed[0].isPrint() && !typed[0].isLetterOrNumber() && EndSection()) {
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void DateField::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (QAction* paste = PasteAction(*menu); paste != nullptr && !parts_.empty()) {
    paste->disconnect();
    connect(paste, &QAction::triggered, this, [this] { Paste(); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// The runs of digits pasted laid over the places of the whole field, a run of one digit
// for a two-digit part taking a leading zero: "1.3.2031" is 01.03.2031.
void DateField::Paste() {
  const QString pasted = QGuiApplication::clipboard()->text();
  QString digits;
  std::size_t part = 0;
  for (int i = 0; i < pasted.size();) {
    if (!pasted[i].isDigit()) {
      ++i;
      continue;
    }
    int end = i;
    while (end < pasted.size() && pasted[end].isDigit()) ++end;
    if (end - i == 1 && part < parts_.size() && parts_[part].length == 2) digits += '0';
    digits += pasted.mid(i, end - i);
    ++part;
    i = end;
  }
  QString text = pattern_;
  int next = 0;
  for (const Part& each : parts_) {
    for (int place = each.start; place < each.start + each.length; ++place)
      text[place] = next < digits.size() ? digits[next++] : kBlank;
  }
  setText(text);
  const std::optional<runtime::DateTime> typed = Typed();
  const bool whole = typed && next == digits.size();
  ShowRefused(!whole);
  if (whole) Take(*typed);
}

// A digit typed at the start of a full part starts that part again rather than mixing with
// the digits it had; anywhere else it takes its place as in any masked field, and past the
// last place it is refused.  As the first of two, a digit too high to begin the part is the
// whole part: 7 typed for a day is the 7th.  True when the digit is typed here.
bool DateField::TypeDigit(QChar digit) {
  const int at = hasSelectedText() ? selectionStart() : cursorPosition();
  for (const Part& part : parts_) {
    if (part.start != at) continue;
    const bool full = !displayText().mid(part.start, part.length).contains(kBlank);
    const bool tooHigh = part.length == 2 && !InRange(part.letter, digit.digitValue(), -1);
    if (!hasSelectedText() && (full || tooHigh)) setSelection(part.start, part.length);
    if (!tooHigh) return false;
    insert(QString('0') + digit);
    return true;
  }
  return false;
}

std::optional<runtime::DateTime> DateField::Typed() const {
  const QString text = displayText();
  int year = value_.Year(), month = value_.Month(), day = value_.Day();
  int hour = value_.Hour(), minute = value_.Minute();
  for (const Part& part : parts_) {
    bool whole = false;  // no place blank
    const int number = text.mid(part.start, part.length).toInt(&whole);
    if (!whole) return std::nullopt;
    if (part.letter == 'y') year = number;
    if (part.letter == 'M') month = number;
    if (part.letter == 'd') day = number;
    if (part.letter == 'H') hour = number;
    if (part.letter == 'm') minute = number;
  }
  return runtime::DateTime::FromParts(year, month, day, hour, minute);
}

void DateField::UserEdited() {
  const std::optional<runtime::DateTime> typed = Typed();
  ShowRefused(!typed);
  if (typed) Take(*typed);
}

void DateField::Take(runtime::DateTime value) {
  if (value == value_) return;
  value_ = value;
  calendar_->setSelectedDate(QDate(value.Year(), value.Month(), value.Day()));
  if (Taken) Taken(value);
}

void DateField::ShowValue() {
  // A civil time, shown as it is: in the system's zone a time the clocks skip would be no
  // time at all, and the field would show no date.
  const QDateTime shown(QDate(value_.Year(), value_.Month(), value_.Day()),
                        QTime(value_.Hour(), value_.Minute()), Qt::UTC);
  setText(QLocale().toString(shown, pattern_));
  ShowRefused(false);
}

void DateField::ShowRefused(bool refused) {
  if (refused != refused_) {
    refused_ = refused;
    if (Refused) Refused(refused);
  }
  QPalette colours = palette();
  colours.setColor(QPalette::Text,
                   refused ? QColor(Qt::red) : QApplication::palette(this).color(QPalette::Text));
  setPalette(colours);
}

// A separator typed after the first digit of a two-digit part, its second place blank: that
// digit is the part, with a leading zero, and the cursor goes on to the next part.
bool DateField::EndSection() {
  const int cursor = cursorPosition();
  const QString text = displayText();
  for (const Part& part : parts_) {
    if (part.length != 2 || cursor != part.start + 1 || DigitAt(text, part.start) < 0 ||
        DigitAt(text, part.start + 1) >= 0)
      continue;
    setSelection(part.start, part.length);
    insert(QString('0') + text[part.start]);
    return true;
  }
  return false;
}

void DateField::PickFromCalendar(QDate date) {
  calendar_->hide();
  const auto picked = runtime::DateTime::FromParts(date.year(), date.month(), date.day(),
                                                   value_.Hour(), value_.Minute());
  if (!picked) return;
  Take(*picked);
  ShowValue();
}

void DateField::ShowCalendar() {
  calendar_->setSelectedDate(QDate(value_.Year(), value_.Month(), value_.Day()));
  calendar_->move(mapToGlobal(QPoint(0, height())));
  calendar_->show();
  calendar_->setFocus(Qt::PopupFocusReason);
}

}  // namespace forms::qt
