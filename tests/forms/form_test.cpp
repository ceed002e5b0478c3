// The form, the mouse routing, the grid and the scripted services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/hit_test.h"
#include "forms/testing.h"
#include "forms/user_driver.h"

namespace {

using forms::testing::UserDriver;

struct Layers : forms::Form {
  Layers() : Form("frmLayers") {
    lblBack.Move(0, 0, 2000, 1000);
    lblFront.Move(1000, 0, 2000, 1000);
    shCover.Move(0, 0, 4000, 1000);  // drawn over both, never takes the mouse
    cmdWindowed.Move(1500, 500, 1000, 1000);
    fraPanel.Move(0, 2000, 3000, 2000);
    lblInPanel.Move(100, 100, 500, 500);
    lblBack.Click = [this] { hits.push_back("lblBack"); };
    lblFront.Click = [this] { hits.push_back("lblFront"); };
    cmdWindowed.Click = [this] { hits.push_back("cmdWindowed"); };
    lblInPanel.MouseDown = [this](int button, int, double x, double y) {
      hits.push_back("lblInPanel " + std::to_string(button) + " " + std::to_string(int(x)) +
                     "," + std::to_string(int(y)));
    };
  }
  forms::Label lblBack{*this, "lblBack"};
  forms::CommandButton cmdWindowed{*this, "cmdWindowed"};
  forms::Label lblFront{*this, "lblFront"};
  forms::Shape shCover{*this, "shCover"};
  forms::Frame fraPanel{*this, "fraPanel"};
  forms::Label lblInPanel{fraPanel, "lblInPanel"};
  std::vector<std::string> hits;
};

// The form hears a key before the focused control while it previews keys, and alone
// when no control has the focus; a key it clears, or a form it unloads, stops there.
TEST(Keys, TheFormHearsThemFirstWhenItPreviewsOrNoControlHasTheFocus) {
  struct Case {
    bool preview, focused;
    int formDoes;  // 0 nothing, 1 clears the key, 2 unloads the form
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {true, true, 0, {"form", "txtBox", "txtBox up"}}, {false, true, 0, {"txtBox", "txtBox up"}},
      {false, false, 0, {"form"}}, {true, true, 1, {"form", "txtBox up"}},
      {true, true, 2, {"form"}},
  };
  for (const Case& c : cases) {
    forms::Form form("frmKeyed");
    forms::TextBox txtBox{form, "txtBox"};
    std::vector<std::string> heard;
    form.KeyDown = [&](int& keyCode, int) {
      heard.push_back("form");
      if (c.formDoes == 1) keyCode = 0;
      if (c.formDoes == 2) form.UnloadForm();
    };
    txtBox.KeyDown = [&](int&, int) { heard.push_back("txtBox"); };
    txtBox.KeyUp = [&](int&, int) { heard.push_back("txtBox up"); };
    form.Show();
    form.SetKeyPreview(c.preview);
    UserDriver user;
    if (c.focused) user.Focus(txtBox);
    user.PressKey(form, forms::kKeyEscape);
    EXPECT_EQ(heard, c.heard) << c.preview << c.focused << c.formDoes;
  }
}

TEST(HitTesting, FollowsTheZOrderWithWindowedControlsInFront) {
  Layers form;
  UserDriver user;
  user.ClickAt(form, 1200, 200);  // both labels: the later one is in front
  form.lblFront.ZOrder(1);
  user.ClickAt(form, 1200, 200);
  form.lblBack.SetEnabled(false);  // a disabled label lets the mouse through
  user.ClickAt(form, 1200, 200);
  user.ClickAt(form, 1600, 600);  // the button, although created before lblFront
  EXPECT_EQ(user.ClickAt(form, 3500, 500), nullptr);  // only the shape there
  EXPECT_EQ(form.hits, (std::vector<std::string>{"lblFront", "lblBack", "lblFront",
                                                 "cmdWindowed"}));
}

TEST(HitTesting, EntersFramesAndGivesCoordinatesRelativeToTheControl) {
  Layers form;
  UserDriver user;
  EXPECT_EQ(user.ClickAt(form, 250, 2400), &form.lblInPanel);
  EXPECT_EQ(form.hits.back(), "lblInPanel 1 150,300");
  double x = 0;
  double y = 0;
  EXPECT_EQ(forms::ControlAt(form, 2000, 3500, x, y), &form.fraPanel);
  EXPECT_DOUBLE_EQ(x, 2000);
  EXPECT_DOUBLE_EQ(y, 1500);
  form.fraPanel.SetVisible(false);
  EXPECT_EQ(forms::ControlAt(form, 250, 2400, x, y), nullptr);
}

struct Sized : forms::Form {
  Sized() : Form("frmSized") {
    Move(0, 0, 12000, 9000);
    Resize = [this] { sizes.push_back(ScaleWidth()); };
    QueryUnload = [this](int& cancel, int mode) {
      modes.push_back(mode);
      cancel = refuse ? 1 : 0;
    };
  }
  std::vector<double> sizes;
  std::vector<int> modes;
  bool refuse = true;
};

TEST(Forms, ResizeIsRaisedOnShowingAndOncePerNewSize) {
  Sized form;
  form.SetWidth(13000);  // not shown yet: no Resize
  form.Show();
  form.SetScaleSize(14000, 8000);
  form.SetScaleSize(14000, 8000);
  form.SetLeft(500);  // a move only
  EXPECT_EQ(form.sizes, (std::vector<double>{12760, 14000}));
  EXPECT_DOUBLE_EQ(form.Width(), 14240);
}

TEST(Forms, QueryUnloadMayRefuse) {
  Sized form;
  form.Show();
  EXPECT_FALSE(form.UnloadForm(forms::kUnloadFromControlMenu));
  EXPECT_TRUE(form.Visible());
  form.refuse = false;
  EXPECT_TRUE(form.UnloadForm());
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.modes, (std::vector<int>{forms::kUnloadFromControlMenu,
                                          forms::kUnloadFromCode}));
}

TEST(Labels, AutoSizeFitsTheLongestLineAndAllLines) {
  forms::testing::TestServices world;
  forms::Form form("frmInfo", world.metrics);
  forms::Label info(form, "lblInfo");
  info.SetAutoSize(true);
  info.SetCaption("Projet\nUne activité bien longue\n09:00 - 10:00");
  const double line = world.metrics.LineHeight(info.Font());
  EXPECT_DOUBLE_EQ(info.Height(), 3 * line);
  EXPECT_DOUBLE_EQ(info.Width(),
                   world.metrics.TextWidth(info.Font(), "Une activité bien longue"));
  info.SetAutoSize(false);
  info.SetCaption("x");
  EXPECT_DOUBLE_EQ(info.Height(), 3 * line);
}

TEST(Grid, CellsSizesAndCurrentCellColours) {
  forms::Form form("frmGrid");
  forms::MSFlexGrid grid(form, "MSFlexGrid1");
  grid.SetCols(17);
  grid.SetFixedCols(0);
  grid.SetRows(3);
  grid.SetTextMatrix(0, 2, "Activité");
  grid.SetTextMatrix(2, 16, "Annuel");
  grid.SetColWidth(4, 0);
  grid.SetRowHeight(1, 0);
  grid.SetRow(2);
  grid.SetCol(5);
  grid.SetCellBackColor(0xFFC0C0);
  grid.SetCellForeColor(forms::kWhite);

  EXPECT_EQ(grid.TextMatrix(0, 2), "Activité");
  EXPECT_EQ(grid.TextMatrix(2, 16), "Annuel");
  EXPECT_EQ(grid.TextMatrix(1, 1), "");
  EXPECT_DOUBLE_EQ(grid.ColWidth(4), 0);
  EXPECT_DOUBLE_EQ(grid.RowHeight(1), 0);
  EXPECT_GT(grid.RowHeight(0), 0);
  grid.SetRow(1);
  EXPECT_EQ(grid.CellBackColor(), 0u);
  grid.SetRow(2);
  EXPECT_EQ(grid.CellBackColor(), 0xFFC0C0u);
  EXPECT_EQ(grid.CellForeColor(), forms::kWhite);

  grid.SetRows(4);  // appending a row keeps the cells
  EXPECT_EQ(grid.TextMatrix(2, 16), "Annuel");
  EXPECT_EQ(grid.TextMatrix(3, 16), "");
  EXPECT_THROW(grid.TextMatrix(4, 0), forms::RuntimeError);
  EXPECT_THROW(grid.SetCol(17), forms::RuntimeError);
}

TEST(ScriptedServices, AnswerFromTheirQueuesAndRecord) {
  forms::testing::TestServices world;
  forms::Services services = world.services();
  world.dialogs.msgBoxAnswers = {forms::kNo};
  world.dialogs.inputBoxAnswers = {"Paul"};
  EXPECT_EQ(services.dialogs.MsgBox("Voulez-vous désactiver: Paul", forms::kYesNo), forms::kNo);
  EXPECT_EQ(services.dialogs.MsgBox("Encore ?", forms::kYesNo + forms::kQuestion), forms::kYes);
  EXPECT_EQ(services.dialogs.InputBox("Ajouter Ressource :"), "Paul");
  EXPECT_EQ(services.dialogs.InputBox("Ajouter Ressource :", "", "x"), "");
  ASSERT_EQ(world.dialogs.shown.size(), 4u);
  EXPECT_EQ(world.dialogs.shown[1].buttons, forms::kYesNo + forms::kQuestion);
  EXPECT_EQ(world.dialogs.shown[3].defaultText, "x");

  forms::Form dialog("frmColor");
  forms::CommandButton cmdOk(dialog, "cmdOk");
  bool chosen = false;
  cmdOk.Click = [&] {
    chosen = true;
    dialog.UnloadForm();
  };
  world.eventLoop.modalScripts.push_back([&](forms::Form&) { UserDriver().Click(cmdOk); });
  services.eventLoop.ShowModal(dialog);
  EXPECT_TRUE(chosen);
  EXPECT_FALSE(dialog.Visible());
  services.eventLoop.ShowModal(dialog);  // no script left: closed as by its close box
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(world.eventLoop.modalForms, (std::vector<std::string>{"frmColor", "frmColor"}));
}

}  // namespace
