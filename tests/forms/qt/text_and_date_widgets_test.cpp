// Text boxes and date pickers in real Qt widgets: what the user types or picks reaches the
// form's model, through the handlers that may change it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "forms/forms.h"
#include "forms/qt/backend.h"
#include "forms/qt/date_field.h"
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

  forms::qt::DateField* Field(const forms::DTPicker& picker) {
    return dynamic_cast<forms::qt::DateField*>(window_->WidgetOf(picker));
  }

  // Everything in the field selected, as by Ctrl+A, and `keys` typed over it.
  static void TypeOverAll(forms::qt::DateField& field, const char* keys) {
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, keys);
  }

  static bool ShownRefused(const forms::qt::DateField& field) {
    return field.palette().color(QPalette::Text) == QColor(Qt::red);
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
  auto* edit = dynamic_cast<forms::qt::DateField*>(window_->WidgetOf(form_->DTPicker4));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Pattern(), QString("dd.MM.yyyy"));
  EXPECT_EQ(edit->text(), QString("05.03.2026"));

  // The drop-down calendar, opened from the keyboard; a day chosen there.
  QTest::keyClick(edit, Qt::Key_F4);
  ASSERT_TRUE(edit->Calendar().isVisible());
  edit->Calendar().setSelectedDate(QDate(2026, 3, 19));
  QTest::keyClick(edit->Calendar().findChild<QTableView*>(), Qt::Key_Return);
  EXPECT_FALSE(edit->Calendar().isVisible());
  EXPECT_EQ(edit->text(), QString("19.03.2026"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "19.03.2026 14:30");
  EXPECT_EQ(form_->changes, (std::vector<std::string>{"19.03.2026 14:30"}));

  // A value set by the program is shown without a Change from the widget.
  form_->DTPicker4.Change = nullptr;
  form_->DTPicker4.SetValue(*runtime::DateTime::Parse("01.04.2026"));
  window_->SyncNow();
  EXPECT_EQ(edit->text(), QString("01.04.2026"));
}

TEST_F(TextAndDateWidgets, ADateAndATimeTypedOnTheKeyboardAreTaken) {
  auto* date = Field(form_->DTPicker4);
  ASSERT_NE(date, nullptr);
  date->setFocus();
  // The cursor at the start of the field, nothing selected, as after a click there.
  date->setCursorPosition(0);
  QTest::keyClicks(date, "28022027");
  QApplication::processEvents();
  EXPECT_EQ(date->text(), QString("28.02.2027"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "28.02.2027 14:30");

  // The cursor at the start of a full day: the day is typed over.
  date->setCursorPosition(0);
  QTest::keyClicks(date, "03");
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "03.02.2027 14:30");
  // One digit mended inside a part leaves the others; past the last place, nothing is typed.
  date->setCursorPosition(0);
  QTest::keyClick(date, Qt::Key_Delete);
  QTest::keyClicks(date, "1");
  date->setCursorPosition(8);
  QTest::keyClicks(date, "3");
  date->setCursorPosition(10);
  QTest::keyClicks(date, "4");
  EXPECT_EQ(date->text(), QString("13.02.2037"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "13.02.2037 14:30");

  auto* time = Field(form_->DTPicker1);
  ASSERT_NE(time, nullptr);
  time->setFocus();
  time->setCursorPosition(11);
  QTest::keyClicks(time, "0945");
  EXPECT_EQ(form_->DTPicker1.Value().Text(), "05.03.2026 09:45");

  auto* hours = qobject_cast<QComboBox*>(window_->WidgetOf(form_->cmbH));
  ASSERT_NE(hours, nullptr);
  hours->setFocus();
  QTest::keyClicks(hours, "17");
  EXPECT_EQ(form_->cmbH.Text(), "17");
}

TEST_F(TextAndDateWidgets, ADateTypedOverASelectionOrIntoAClearedFieldIsTheDateTyped) {
  forms::qt::DateField& date = *Field(form_->DTPicker4);
  date.setFocus();
  TypeOverAll(date, "12.03.2031");
  EXPECT_EQ(date.text(), QString("12.03.2031"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "12.03.2031 14:30");

  // Cleared, the field shows its empty places; the date in force stays until one is typed.
  QTest::keyClick(&date, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&date, Qt::Key_Backspace);
  EXPECT_EQ(date.displayText(), QString("__.__.____"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "12.03.2031 14:30");
  QTest::keyClicks(&date, "24.12.2030");
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "24.12.2030 14:30");

  // Rubbed out key by key from its end, then typed without the dots.
  date.setCursorPosition(10);
  for (int i = 0; i < 10; ++i) QTest::keyClick(&date, Qt::Key_Backspace);
  QTest::keyClicks(&date, "01012029");
  EXPECT_EQ(date.text(), QString("01.01.2029"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "01.01.2029 14:30");

  // A day and a month of one digit, each ended by its dot.
  TypeOverAll(date, "7.4.2032");
  EXPECT_EQ(date.text(), QString("07.04.2032"));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "07.04.2032 14:30");
  EXPECT_FALSE(ShownRefused(date));
}

TEST_F(TextAndDateWidgets, AnIncompleteOrImpossibleDateIsRefusedInSightAndNeverTaken) {
  forms::qt::DateField& date = *Field(form_->DTPicker4);
  date.setFocus();
  // An incomplete date is shown in red and left out of the value; Enter puts the date in
  // force back.
  TypeOverAll(date, "12.03.20");
  EXPECT_EQ(date.displayText(), QString("12.03.20__"));
  EXPECT_TRUE(ShownRefused(date));
  QTest::keyClick(&date, Qt::Key_Return);
  EXPECT_EQ(date.text(), QString("05.03.2026"));
  EXPECT_FALSE(ShownRefused(date));

  // No 30 February: still red once the user leaves the field, and known to the model as no
  // date, until the program sets a value, the one in force though it is.
  TypeOverAll(date, "30.02.2027");
  EXPECT_EQ(date.text(), QString("30.02.2027"));
  EXPECT_TRUE(ShownRefused(date));
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&date, &leave);
  window_->SyncNow();
  EXPECT_EQ(date.text(), QString("30.02.2027"));
  EXPECT_TRUE(ShownRefused(date));
  EXPECT_TRUE(form_->DTPicker4.TextRefused());
  form_->DTPicker4.SetValue(form_->DTPicker4.Value());
  window_->SyncNow();
  EXPECT_EQ(date.text(), QString("05.03.2026"));
  EXPECT_FALSE(ShownRefused(date));
  EXPECT_FALSE(form_->DTPicker4.TextRefused());

  // A digit that no day, month or hour can end with is not typed at all.
  TypeOverAll(date, "32.13");
  EXPECT_EQ(date.displayText(), QString("03.1_.____"));
  auto& time = *Field(form_->DTPicker1);
  time.setFocus();
  time.setCursorPosition(11);
  QTest::keyClicks(&time, "24");
  EXPECT_EQ(time.displayText(), QString("05.03.2026 2_:30"));
  EXPECT_EQ(form_->DTPicker1.Value().Text(), "05.03.2026 14:30");
  EXPECT_TRUE(form_->changes.empty());
}

TEST_F(TextAndDateWidgets, APastedDateIsTakenOrRefusedInSight) {
  forms::qt::DateField& date = *Field(form_->DTPicker4);
  date.setFocus();
  for (const char* pasted : {"1.3.2031", "3.4.2031", "24122030"}) {
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(&date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&date, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(ShownRefused(date)) << pasted;
  }
  EXPECT_EQ(form_->changes, (std::vector<std::string>{"01.03.2031 14:30", "03.04.2031 14:30",
                                                      "24.12.2030 14:30"}));
  // Year first is not this field's order: shown as read, in red, the value kept.
  QGuiApplication::clipboard()->setText("2030-12-26");
  QTest::keyClick(&date, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(date.text(), QString("20.30.1226"));
  EXPECT_TRUE(ShownRefused(date));
  EXPECT_EQ(form_->DTPicker4.Value().Text(), "24.12.2030 14:30");
}

// The paste of the field's right-click menu follows the rules of Ctrl+V.
TEST_F(TextAndDateWidgets, TheMenuPasteGivesTheDateCtrlVGives) {
  forms::qt::DateField& date = *Field(form_->DTPicker4);
  for (const auto& [pasted, selected, shown] : {std::tuple{"12.06.2032", false, "12.06.2032"},
                                                std::tuple{"1.3.2031", true, "01.03.2031"}}) {
    form_->DTPicker4.SetValue(*runtime::DateTime::Parse("05.03.2026 14:30"));
    window_->SyncNow();
    date.setFocus();
    selected ? date.selectAll() : date.setCursorPosition(3);
    QGuiApplication::clipboard()->setText(pasted);
    QContextMenuEvent open(QContextMenuEvent::Mouse, {5, 5}, date.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&date, &open);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
      if (action->text().startsWith(QLineEdit::tr("&Paste"))) action->trigger();
    menu->close();
    EXPECT_EQ(date.text().toStdString(), shown) << pasted;
    EXPECT_EQ(form_->DTPicker4.Value().Text(), std::string(shown) + " 14:30");
  }
}

}  // namespace
