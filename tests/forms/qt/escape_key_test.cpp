// Keys in a real window reach the form once, whichever widget has the focus, and a form
// that unloads on Esc takes its window away; Enter and Space press the focused button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <vector>

#include "form_window_fixture.h"
#include "forms/forms.h"

namespace {

struct Dialog : forms::Form {
  Dialog() : Form("frmDialog") {
    SetKeyPreview(true);
    txtBox.Move(240, 240, 3000, 315);
    cmbList.Move(240, 900, 3000, 315);
    KeyDown = [this](int& keyCode, int) {
      heard.push_back(keyCode);
      if (keyCode == forms::kKeyEscape) UnloadForm(forms::kUnloadFromControlMenu);
    };
  }
  forms::TextBox txtBox{*this, "txtBox"};
  forms::ComboBox cmbList{*this, "cmbList"};
  forms::CommandButton cmdOk{*this, "cmdOk"};
  std::vector<int> heard;
};

TEST(EscapeKey, ReachesTheFormOnceFromAnyWidgetAndClosesTheWindow) {
  StartOffscreenApplication();
  forms::qt::Backend backend;
  for (const char* focused : {"txtBox", "cmbList", "nothing"}) {
    SCOPED_TRACE(focused);
    Dialog dialog;
    forms::qt::FormWindow& window = backend.Attach(dialog);
    QWidget* focus = nullptr;
    for (forms::Control* control : dialog.AllControls()) {
      control->SetVisible(control->Name() == focused);  // nothing to focus in the last case
      if (control->Name() == focused) focus = window.WidgetOf(*control);
    }
    dialog.Show();
    window.SyncNow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    if (focus != nullptr) focus->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focus);

    // Keys go to the focused widget, else to the window.  The widgets pass Enter on to the
    // window, which must not tell the form a second time.
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_Escape})
      QTest::keyClick(focus != nullptr ? focus : &window, key);
    QApplication::processEvents();
    EXPECT_EQ(dialog.heard, (std::vector<int>{'A', forms::kKeyReturn, forms::kKeyEscape}));
    EXPECT_FALSE(window.isVisible());
  }
}

// Enter, keypad Enter and Space each press the focused button once;
// Enter in a text box presses nothing.
TEST(ButtonKeys, EnterEitherKeyAndSpacePressTheFocusedButtonOnce) {
  StartOffscreenApplication();
  forms::qt::Backend backend;
  Dialog dialog;
  int clicks = 0;
  dialog.cmdOk.Click = [&] { ++clicks; };
  forms::qt::FormWindow& window = backend.Attach(dialog);
  dialog.Show();
  window.SyncNow();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const struct {
    forms::Control& focused;
    Qt::Key key;
    int clicks;
  } cases[] = {{dialog.cmdOk, Qt::Key_Return, 1}, {dialog.cmdOk, Qt::Key_Enter, 1},
               {dialog.cmdOk, Qt::Key_Space, 1}, {dialog.txtBox, Qt::Key_Return, 0}};
  for (const auto& c : cases) {
    clicks = 0;
    QWidget* focus = window.WidgetOf(c.focused);
    focus->setFocus();
    QTest::keyClick(focus, c.key);
    QApplication::processEvents();
    EXPECT_EQ(clicks, c.clicks) << c.focused.Name() << " " << c.key;
  }
}

}  // namespace
