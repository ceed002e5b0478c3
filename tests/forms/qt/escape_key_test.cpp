// Keys in a real window reach the form once, whichever widget has the focus, and a form
// that unloads on Esc takes its window away.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "form_window_fixture.h"
#include "forms/forms.h"

namespace {

struct Dialog : forms::Form {
  Dialog() : Form("frmDialog") {
    SetScaleSize(5000, 3000);
    SetKeyPreview(true);
    txtBox.Move(240, 240, 3000, 315);
    cmbList.Move(240, 900, 3000, 315);
    cmbList.AddItem("Un");
    KeyDown = [this](int& keyCode, int) {
      heard.push_back(keyCode);
      if (keyCode == forms::kKeyEscape) UnloadForm(forms::kUnloadFromControlMenu);
    };
  }
  forms::TextBox txtBox{*this, "txtBox"};
  forms::ComboBox cmbList{*this, "cmbList"};
  std::vector<int> heard;
};

class EscapeKey : public FormWindowTest<Dialog> {};

TEST_F(EscapeKey, ReachesTheFormOnceFromAnyWidgetAndClosesTheWindow) {
  const std::function<QWidget*(forms::qt::FormWindow&, Dialog&)> focuses[] = {
      [](forms::qt::FormWindow& w, Dialog& d) { return w.WidgetOf(d.txtBox); },
      [](forms::qt::FormWindow& w, Dialog& d) { return w.WidgetOf(d.cmbList); },
      [](forms::qt::FormWindow&, Dialog&) -> QWidget* { return nullptr; },  // none
  };
  for (const auto& focusOf : focuses) {
    auto dialog = std::make_unique<Dialog>();
    forms::qt::FormWindow& window = backend_->Attach(*dialog);
    if (focusOf(window, *dialog) == nullptr) {  // a window with nothing to focus
      dialog->txtBox.SetVisible(false);
      dialog->cmbList.SetVisible(false);
    }
    dialog->Show();
    window.SyncNow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* focus = focusOf(window, *dialog);
    if (focus != nullptr) focus->setFocus();
    QApplication::processEvents();
    SCOPED_TRACE(focus != nullptr ? focus->metaObject()->className() : "no focus");
    ASSERT_EQ(QApplication::focusWidget(), focus);

    // Keys go where the window system sends them: to the focused widget, else the window.
    QWidget* receiver = focus != nullptr ? focus : &window;
    // Enter is passed on by the widgets: the window hears it too, and must not tell it again.
    QTest::keyClick(receiver, Qt::Key_A);
    QTest::keyClick(receiver, Qt::Key_Return);
    QTest::keyClick(receiver, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(dialog->heard, (std::vector<int>{'A', forms::kKeyReturn, forms::kKeyEscape}));
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_FALSE(window.isVisible());
    dialog.reset();
    QApplication::processEvents();
  }
}

}  // namespace
