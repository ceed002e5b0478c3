// Enter, on either key, and Space press the focused button of a real window once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "form_window_fixture.h"
#include "forms/forms.h"

namespace {

struct Buttons : forms::Form {
  Buttons() : Form("frmButtons") {
    txtNom.Move(240, 240, 3000, 315);
    cmdValider.Move(240, 900, 1500, 375);
    cmdValider.SetCaption("Valider");
    cmdValider.Click = [this] { ++clicks; };
  }
  forms::TextBox txtNom{*this, "txtNom"};
  forms::CommandButton cmdValider{*this, "cmdValider"};
  int clicks = 0;
};

using ButtonKeys = FormWindowTest<Buttons>;

TEST_F(ButtonKeys, EnterAndSpacePressTheFocusedButtonOnce) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  QWidget* button = window_->WidgetOf(form_->cmdValider);
  QWidget* text = window_->WidgetOf(form_->txtNom);
  const struct {
    QWidget* focus;
    Qt::Key key;
    int clicks;
  } cases[] = {{button, Qt::Key_Return, 1}, {button, Qt::Key_Enter, 1},
               {button, Qt::Key_Space, 1},  {text, Qt::Key_Return, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    form_->clicks = 0;
    c.focus->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), c.focus);
    QTest::keyClick(c.focus, c.key);
    QApplication::processEvents();
    EXPECT_EQ(form_->clicks, c.clicks);
  }
}

}  // namespace
