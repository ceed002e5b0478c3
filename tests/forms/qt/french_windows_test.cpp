// The windows are in French on a system whose language is not: the month calendar and the
// date pickers' drop-down calendars name months and days in French, and Qt's own texts are
// French too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <cstdlib>
#include <memory>

#include "form_window_fixture.h"
#include "forms/forms.h"
#include "forms/qt/date_field.h"

namespace {

struct Calendars : forms::Form {
  Calendars() : Form("frmCalendars") {
    SetScaleSize(6000, 5000);
    MonthView1.Move(120, 120, 4000, 3000);
    MonthView1.SetValue(*runtime::DateTime::Parse("05.03.2026"));
    DTPicker4.Move(120, 3300, 1335, 315);
    DTPicker4.SetFormat(forms::kCustomFormat);
    DTPicker4.SetCustomFormat("dd.MM.yyyy");
    DTPicker4.SetValue(*runtime::DateTime::Parse("05.08.2026"));
  }
  forms::MonthView MonthView1{*this, "MonthView1"};
  forms::DTPicker DTPicker4{*this, "DTPicker4"};
};

class FrenchWindows : public FormWindowTest<Calendars> {
 protected:
  // A system in the C locale, as far as this test program is the first to ask.
  static void SetUpTestSuite() {
    ::setenv("LC_ALL", "C", 1);
    ::setenv("LANG", "C", 1);
    ::unsetenv("LANGUAGE");
    FormWindowTest<Calendars>::SetUpTestSuite();
  }

  static QString MonthShown(const QCalendarWidget& calendar) {
    const auto* button = calendar.findChild<QToolButton*>("qt_calendar_monthbutton");
    return button != nullptr ? button->text() : QString();
  }
};

TEST_F(FrenchWindows, CalendarsNameMonthsAndDaysInFrench) {
  auto* month = qobject_cast<QCalendarWidget*>(window_->WidgetOf(form_->MonthView1));
  ASSERT_NE(month, nullptr);
  EXPECT_EQ(MonthShown(*month), QString::fromUtf8("mars"));
  EXPECT_EQ(month->locale().dayName(1, QLocale::ShortFormat), QString::fromUtf8("lun."));

  auto* picker = dynamic_cast<forms::qt::DateField*>(window_->WidgetOf(form_->DTPicker4));
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(MonthShown(picker->Calendar()), QString::fromUtf8("août"));
}

TEST_F(FrenchWindows, TextFieldMenusAreInFrench) {
  QLineEdit field;
  std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  QStringList entries;
  for (const QAction* action : menu->actions()) entries << action->text();
  EXPECT_TRUE(entries.join(", ").contains(QString::fromUtf8("Tout sélectionner")))
      << entries.join(", ").toStdString();
}

}  // namespace
