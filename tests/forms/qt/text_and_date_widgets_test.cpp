// Text boxes and date pickers in real Qt widgets: what the user types or picks reaches the
// form's model, through the handlers that may change it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/qt/backend.h"
#include "form_window_fixture.h"

namespace {

struct Editor : forms::Form {
  Editor() : Form("frmEditor") {
    SetScaleSize(6000, 3000);
    txtActivite.Move(240, 240, 4000, 315);
    // The field separator of stored records is typed as a vertical bar; a tab is refused.
    txtActivite.KeyPress = [](int& keyAscii) {
      if (keyAscii == 0xA6) keyAscii = '|';
      if (keyAscii == 9) keyAscii = 0;
    };
    DTPicker4.Move(240, 900, 1335, 315);
    DTPicker4.SetFormat(forms::kCustomFormat);
    DTPicker4.SetCustomFormat("dd.MM.yyyy");
    DTPicker4.SetValue(*runtime::DateTime::Parse("05.03.2026 14:30"));
    DTPicker4.Change = [this] { changes.push_back(DTPicker4.Value().Text()); };
    DTPicker1.Move(240, 1500, 2400, 315);
    DTPicker1.SetFormat(forms::kCustomFormat);
    DTPicker1.SetCustomFormat("dd.MM.yyyy HH:mm");
    DTPicker1.SetValue(*runtime::DateTime::Parse("05.03.2026 14:30"));
    cmbH.Move(240, 2100, 735, 315);
    for (int hour = 0; hour < 24; ++hour)
      cmbH.AddItem((hour < 10 ? "0" : "") + std::to_string(hour));
    cmbH.SetListIndex(0);
  }

  forms::TextBox txtActivite{*this, "txtActivite"};
  forms::DTPicker DTPicker4{*this, "DTPicker4"};
  forms::DTPicker DTPicker1{*this, "DTPicker1"};
  forms::ComboBox cmbH{*this, "cmbH"};
  std::vector<std::string> changes;
};

class TextAndDateWidgets : public FormWindowTest<Editor> {
 protected:
  void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
    }
  }
};

TEST_F(TextAndDateWidgets, AKeyReplacedByTheHandlerIsTypedAndReachesTheModel) {
  auto* line = qobject_cast<QLineEdit*>(window_->WidgetOf(form_->txtActivite));
  ASSERT_NE(line, nullptr);
  line->setFocus();
  Type(line, QString::fromUtf8("Plan \u00A6"));
  EXPECT_EQ(line->text(), QString("Plan |"));
  EXPECT_EQ(form_->txtActivite.Text(), "Plan |");

  Type(line, QString("\t"));
  Type(line, QString::fromUtf8(" coupe"));
  EXPECT_EQ(form_->txtActivite.Text(), "Plan | coupe");
}

TEST_F(TextAndDateWidgets, APickedDateKeepsTheTimeOfTheValue) {
  auto* edit = qobject_cast<QDateTimeEdit*>(window_->WidgetOf(form_->DTPicker4));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->displayFormat(), QString("dd.MM.yyyy"));
  EXPECT_EQ(edit->text(), QString("05.03.2026"));

  edit->setDate(QDate(2026, 3, 19));  // as the drop-down calendar sets it
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "19.03.2026 14:30");
  EXPECT_EQ(form_->changes, (std::vector<std::string>{"19.03.2026 14:30"}));

  // A value set by the program is shown without a Change from the widget.
  form_->DTPicker4.Change = nullptr;
  form_->DTPicker4.SetValue(*runtime::DateTime::Parse("01.04.2026"));
  window_->SyncNow();
  EXPECT_EQ(edit->text(), QString("01.04.2026"));
}

TEST_F(TextAndDateWidgets, ADateAndATimeTypedOnTheKeyboardAreTaken) {
  auto* date = qobject_cast<QDateTimeEdit*>(window_->WidgetOf(form_->DTPicker4));
  ASSERT_NE(date, nullptr);
  date->setFocus();
  // The cursor at the start of the field, nothing selected, as after a click there.
  date->findChild<QLineEdit*>()->setCursorPosition(0);
  QTest::keyClicks(date, "28022027");
  QApplication::processEvents();
  EXPECT_EQ(date->text(), QString("28.02.2027"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "28.02.2027 14:30");

  // The cursor at the end of a full section: the day is typed over.
  date->findChild<QLineEdit*>()->setCursorPosition(2);
  QTest::keyClicks(date, "03");
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "03.02.2027 14:30");

  auto* time = qobject_cast<QDateTimeEdit*>(window_->WidgetOf(form_->DTPicker1));
  ASSERT_NE(time, nullptr);
  time->setFocus();
  time->setCurrentSection(QDateTimeEdit::HourSection);
  time->findChild<QLineEdit*>()->setCursorPosition(11);
  QTest::keyClicks(time, "0945");
  EXPECT_EQ(form_->DTPicker1.Value().Text(), "05.03.2026 09:45");

  auto* hours = qobject_cast<QComboBox*>(window_->WidgetOf(form_->cmbH));
  ASSERT_NE(hours, nullptr);
  hours->setFocus();
  QTest::keyClicks(hours, "17");
  EXPECT_EQ(form_->cmbH.Text(), "17");
}

}  // namespace
