// The field of a date picker.  The date (and time) is typed as digits over the places its
// pattern gives them, the separators standing in between: over the date shown, over a
// selection or in a cleared field alike, with or without the separators.  A separator typed
// after the first digit of a day, month, hour or minute completes it with a leading zero, so
// "1.3.2031" is 01.03.2031.
//
// What is typed is never made into another date: a digit that puts a part out of its range
// (day 32, month 13, hour 24) is refused as it is typed; while the text is not a whole, real
// date (a place still blank, 31.02) it is shown in red and the value stays as it was, even
// when the field loses the focus, so that the refusal is seen; Enter brings the value back
// into it.  A pasted text is read as its runs of digits, a run of one digit taking a leading
// zero, over the whole field; what is then no date is shown in red too.  Patterns with the names of days or
// months are shown, not typed.  A drop-down calendar picks a date and keeps the time.
#pragma once

#include <QCalendarWidget>
#include <QLineEdit>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/datetime.h"

namespace forms::qt {

class DateField : public QLineEdit {
 public:
  explicit DateField(QWidget* parent);

  // A pattern of "dd", "MM", "yyyy", "HH" and "mm" between separators ("dd.MM.yyyy HH:mm").
  void SetPattern(const QString& pattern);
  const QString& Pattern() const { return pattern_; }
  // The value in force, shown at once unless it is the one in force already: what the user is
  // typing stays as it is, unless it is refused.
  void SetValue(runtime::DateTime value);
  runtime::DateTime Value() const { return value_; }
  QCalendarWidget& Calendar() const { return *calendar_; }

  // Each date the user types or picks, once whole and real.
  std::function<void(runtime::DateTime)> Taken;
  // Whether the text shown has become, or stopped being, a refused one.
  std::function<void(bool)> Refused;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // A run of one pattern letter: where it stands in the text.
  struct Part {
    int start = 0;
    int length = 0;
    QChar letter;
  };

  std::optional<runtime::DateTime> Typed() const;
  void UserEdited();
  void Take(runtime::DateTime value);
  void ShowValue();
  void ShowRefused(bool refused);
  bool TypeDigit(QChar digit);
  bool EndSection();
  void Paste();
  void PickFromCalendar(QDate date);
  void ShowCalendar();

  QString pattern_;
  std::vector<Part> parts_;  // empty when the pattern is shown, not typed
  runtime::DateTime value_;
  bool valueShown_ = false;
  bool refused_ = false;
  QCalendarWidget* calendar_;
};

}  // namespace forms::qt
