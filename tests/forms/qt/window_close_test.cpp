// The close box of a window asks the form, which may keep the window open.
#include <gtest/gtest.h>

#include <vector>

#include "form_window_fixture.h"
#include "forms/forms.h"

namespace {

struct Closable : forms::Form {
  Closable() : Form("frmClosable") {
    SetScaleSize(3000, 2000);
    QueryUnload = [this](int& cancel, int mode) {
      modes.push_back(mode);
      if (keepOpen) cancel = 1;
    };
  }
  bool keepOpen = true;
  std::vector<int> modes;
};

class WindowClose : public FormWindowTest<Closable> {};

TEST_F(WindowClose, TheWindowStaysWhileTheFormRefusesToUnload) {
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(form_->Loaded());

  form_->keepOpen = false;
  EXPECT_TRUE(window_->close());
  EXPECT_FALSE(form_->Loaded());
  EXPECT_EQ(form_->modes,
            (std::vector<int>{forms::kUnloadFromControlMenu, forms::kUnloadFromControlMenu}));
}

}  // namespace
