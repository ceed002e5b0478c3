// The semantics of controls that the windows' logic relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/user_driver.h"
#include "runtime/rounding.h"

namespace {

using forms::testing::UserDriver;

struct Panel : forms::Form {
  Panel() : Form("frmPanel") {
    fraOuter.Move(100, 100, 6000, 4000);
    fraInner.Move(200, 200, 3000, 2000);
    lblInner.Move(50, 60, 1000, 255);
  }
  forms::Frame fraOuter{*this, "fraOuter"};
  forms::Frame fraInner{fraOuter, "fraInner"};
  forms::Label lblInner{fraInner, "lblInner"};
  forms::Label lblTop{*this, "lblTop"};
};

TEST(Visibility, OwnSettingSurvivesHiddenContainer) {
  Panel form;
  form.fraOuter.SetVisible(false);
  EXPECT_TRUE(form.fraInner.Visible());
  EXPECT_TRUE(form.lblInner.Visible());
  EXPECT_FALSE(form.fraInner.IsShown());
  EXPECT_FALSE(form.lblInner.IsShown());

  form.fraInner.SetVisible(false);
  form.fraOuter.SetVisible(true);
  EXPECT_FALSE(form.fraInner.Visible());
  EXPECT_TRUE(form.lblInner.Visible());
  EXPECT_FALSE(form.lblInner.IsShown());

  UserDriver user;
  EXPECT_THROW(user.Click(form.lblInner), std::logic_error);
  form.fraInner.SetVisible(true);
  EXPECT_TRUE(form.lblInner.IsShown());
  EXPECT_NO_THROW(user.Click(form.lblInner));
}

TEST(Geometry, KeptAsSetAndRoundedHalfToEvenWhereStoredWhole) {
  Panel form;
  form.lblTop.Move(2622.5, 100.25, 1311.5, 285);
  EXPECT_DOUBLE_EQ(form.lblTop.Left(), 2622.5);
  EXPECT_DOUBLE_EQ(form.lblTop.Top(), 100.25);
  EXPECT_DOUBLE_EQ(form.lblTop.Width(), 1311.5);
  EXPECT_EQ(runtime::RoundHalfEven(form.lblTop.Left()), 2622);
  EXPECT_EQ(runtime::RoundHalfEven(form.lblTop.Width()), 1312);
  EXPECT_EQ(runtime::RoundHalfEven(-0.5), 0);
  EXPECT_EQ(runtime::RoundHalfEven(440.5000001), 441);

  EXPECT_THROW(form.lblTop.SetWidth(-1), forms::RuntimeError);
  EXPECT_DOUBLE_EQ(form.lblTop.Width(), 1311.5);
}

struct Calendar : forms::Form {
  Calendar() : Form("frmCalendar") {
    fraCalendar.Move(3255, 120, 19215, 10000);
    lblJour[0].Move(240, 300, 2622, 2100);
    lblJour[0].SetCaption("Lundi");
    lblJour[0].SetBackColor(forms::kWindowBackground);
    lblJour[0].SetForeColor(0xC06700);
    lblJour[0].SetFontBold(true);
    lblJour[0].SetTag("template");
    lblJour[0].SetAlignment(forms::kAlignCenter);
    lblJour[0].SetVisible(false);
    lblJour.Click = [this](int index) { clicks.push_back(index); };
    lblJour.DblClick = [this](int index) { lblJour_DblClick(index); };
  }
  void lblJour_DblClick(int index) {
    doubleClicks.push_back(index);
    lblJour.Unload(index);
  }

  forms::Frame fraCalendar{*this, "fraCalendar"};
  forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
  std::vector<int> clicks;
  std::vector<int> doubleClicks;
};

TEST(ControlArray, LoadCopiesTheTemplateAndStartsHidden) {
  Calendar form;
  forms::Label& cell = form.lblJour.Load(7);
  EXPECT_EQ(cell.Index(), 7);
  EXPECT_EQ(cell.Name(), "lblJour");
  EXPECT_FALSE(cell.Visible());
  EXPECT_EQ(cell.Caption(), "Lundi");
  EXPECT_EQ(cell.Tag(), "template");
  EXPECT_DOUBLE_EQ(cell.Left(), 240);
  EXPECT_DOUBLE_EQ(cell.Height(), 2100);
  EXPECT_EQ(cell.BackColor(), forms::kWindowBackground);
  EXPECT_EQ(cell.ForeColor(), 0xC06700u);
  EXPECT_TRUE(cell.Font().bold);
  EXPECT_EQ(cell.Alignment(), forms::kAlignCenter);
  EXPECT_EQ(&cell.Parent(), static_cast<forms::Container*>(&form.fraCalendar));

  // Loaded while the template is shown: still hidden.
  form.lblJour[0].SetVisible(true);
  EXPECT_FALSE(form.lblJour.Load(8).Visible());

  EXPECT_EQ(form.lblJour.Count(), 3);
  EXPECT_EQ(form.lblJour.UBound(), 8);
  EXPECT_FALSE(form.lblJour.Exists(3));
}

TEST(ControlArray, LoadingTwiceOrReachingMissingElementsAreErrors) {
  Calendar form;
  form.lblJour.Load(1);
  try {
    form.lblJour.Load(1);
    FAIL();
  } catch (const forms::RuntimeError& e) {
    EXPECT_EQ(e.Number(), forms::kErrAlreadyLoaded);
  }
  try {
    form.lblJour[2];
    FAIL();
  } catch (const forms::RuntimeError& e) {
    EXPECT_EQ(e.Number(), forms::kErrNoSuchElement);
  }
  try {
    form.lblJour.Unload(0);
    FAIL();
  } catch (const forms::RuntimeError& e) {
    EXPECT_EQ(e.Number(), forms::kErrCannotUnloadDesigned);
  }
}

TEST(ControlArray, EventsCarryTheIndexAndAnElementMayUnloadItselfInItsHandler) {
  Calendar form;
  for (int i = 1; i <= 3; ++i) form.lblJour.Load(i).SetVisible(true);
  UserDriver user;
  user.Click(form.lblJour[2]);
  EXPECT_EQ(form.clicks, std::vector<int>{2});

  forms::Label& doomed = form.lblJour[3];
  user.DoubleClick(doomed);  // the handler unloads element 3 between DblClick and MouseUp
  EXPECT_EQ(form.doubleClicks, std::vector<int>{3});
  EXPECT_FALSE(form.lblJour.Exists(3));
  EXPECT_EQ(form.lblJour.Count(), 3);
  // Gone from its container, so the mouse no longer finds it.
  for (forms::Control* child : form.fraCalendar.Children()) EXPECT_NE(child->Index(), 3);

  // Reloading the index gives a fresh copy of the template.
  forms::Label& again = form.lblJour.Load(3);
  EXPECT_EQ(again.Caption(), "Lundi");
  EXPECT_FALSE(again.Visible());
}

TEST(ControlArray, AnElementMayStandInAnotherFrame) {
  Calendar form;
  forms::Frame fraSemaine{form, "fraSemaine"};
  fraSemaine.Move(1560, 0, 8600, 800);
  fraSemaine.SetVisible(false);

  forms::Label& inWeekBar = form.lblJour.Load(1, fraSemaine);
  EXPECT_EQ(&inWeekBar.Parent(), static_cast<forms::Container*>(&fraSemaine));
  EXPECT_EQ(inWeekBar.Caption(), "Lundi");
  EXPECT_DOUBLE_EQ(inWeekBar.Left(), 240);  // relative to its own frame
  for (forms::Control* child : form.fraCalendar.Children()) EXPECT_NE(child, &inWeekBar);
  // It follows its own frame's visibility, not element 0's.
  inWeekBar.SetVisible(true);
  EXPECT_FALSE(inWeekBar.IsShown());
  fraSemaine.SetVisible(true);
  EXPECT_TRUE(inWeekBar.IsShown());

  // The mouse finds it in its frame and the event carries its index.
  inWeekBar.Move(100, 100, 1000, 300);
  UserDriver user;
  user.Click(inWeekBar);
  EXPECT_EQ(form.clicks, std::vector<int>{1});

  form.lblJour.Unload(1);
  EXPECT_TRUE(fraSemaine.Children().empty());
  // Loading the index again without a frame puts it beside element 0.
  EXPECT_EQ(&form.lblJour.Load(1).Parent(), static_cast<forms::Container*>(&form.fraCalendar));

  Calendar other;
  try {
    other.lblJour.Load(2, fraSemaine);  // a frame of another window
    FAIL();
  } catch (const forms::RuntimeError& e) {
    EXPECT_EQ(e.Number(), forms::kErrInvalidArgument);
  }
}

struct Editor : forms::Form {
  Editor() : Form("frmEditor") {
    cmbPeriode.AddItem("Aucune");
    cmbPeriode.AddItem("Journalière");
    cmbPeriode.AddItem("Hebdomadaire");
    lstRess.AddItem("Ann");
    lstRess.AddItem("Anne");
    cmbPeriode.Click = [this] { Log("cmbPeriode_Click " + cmbPeriode.Text()); };
    lstRess.Click = [this] { Log("lstRess_Click " + lstRess.Text()); };
    chkFinPeriode.Click = [this] { chkFinPeriode_Click(); };
    optRess.Click = [this](int index) { Log("optRess_Click " + std::to_string(index)); };
    scrollCat.Change = [this] { Log("scrollCat_Change " + std::to_string(scrollCat.Value())); };
    txtActivite.Change = [this] { Log("txtActivite_Change " + txtActivite.Text()); };
    optRess.Load(1);
    optRess[0].SetValue(true);
    log.clear();
  }
  // Re-entrant: a program change inside a handler raises its own handler at once.
  void chkFinPeriode_Click() {
    Log("chkFinPeriode_Click " + std::to_string(chkFinPeriode.Value()));
    if (chkFinPeriode.Value() == forms::kChecked) cmbPeriode.SetListIndex(2);
    Log("chkFinPeriode_Click end");
  }
  void Log(std::string line) { log.push_back(std::move(line)); }

  forms::ComboBox cmbPeriode{*this, "cmbPeriode"};
  forms::ListBox lstRess{*this, "lstRess"};
  forms::CheckBox chkFinPeriode{*this, "chkFinPeriode"};
  forms::ControlArray<forms::OptionButton> optRess{*this, "optRess"};
  forms::FlatScrollBar scrollCat{*this, "scrollCat"};
  forms::TextBox txtActivite{*this, "txtActivite"};
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(ProgramChanges, RaiseTheUsersEventsOnceAndReentrantly) {
  Editor form;
  form.cmbPeriode.SetListIndex(1);
  form.lstRess.SetText("Anne");
  form.chkFinPeriode.SetValue(forms::kChecked);
  form.chkFinPeriode.SetValue(forms::kChecked);  // unchanged: no Click
  form.scrollCat.SetValue(5);
  form.scrollCat.SetValue(5);
  form.txtActivite.SetText("Réunion");
  form.txtActivite.SetText("Réunion");
  EXPECT_EQ(form.log, (Log{"cmbPeriode_Click Journalière", "lstRess_Click Anne",
                           "chkFinPeriode_Click 1", "cmbPeriode_Click Hebdomadaire",
                           "chkFinPeriode_Click end", "scrollCat_Change 5",
                           "txtActivite_Change Réunion"}));
}

TEST(ProgramChanges, ListsSelectByExactTextAndReselectingRaisesClickAgain) {
  Editor form;
  form.cmbPeriode.SetText("Journalière");
  form.cmbPeriode.SetListIndex(1);
  EXPECT_THROW(form.cmbPeriode.SetText("journalière"), forms::RuntimeError);
  EXPECT_EQ(form.cmbPeriode.ListIndex(), 1);
  EXPECT_EQ(form.log, (Log{"cmbPeriode_Click Journalière", "cmbPeriode_Click Journalière"}));

  form.cmbPeriode.Clear();  // no Click
  EXPECT_EQ(form.cmbPeriode.ListIndex(), -1);
  EXPECT_EQ(form.cmbPeriode.Text(), "");
  EXPECT_EQ(form.log.size(), 2u);
  EXPECT_THROW(form.cmbPeriode.SetListIndex(0), forms::RuntimeError);
}

TEST(ProgramChanges, OptionButtonsOfAContainerExcludeEachOther) {
  Editor form;
  form.optRess[1].SetValue(true);
  EXPECT_FALSE(form.optRess[0].Value());
  form.optRess[1].SetValue(true);
  form.optRess[0].SetValue(true);
  EXPECT_FALSE(form.optRess[1].Value());
  EXPECT_EQ(form.log, (Log{"optRess_Click 1", "optRess_Click 0"}));
}

TEST(ProgramChanges, ScrollBarValueFollowsItsRange) {
  Editor form;
  form.scrollCat.SetMax(20);
  form.scrollCat.SetValue(12);
  form.scrollCat.SetMax(4);  // the value is pulled back into the range
  EXPECT_EQ(form.scrollCat.Value(), 4);
  EXPECT_THROW(form.scrollCat.SetValue(5), forms::RuntimeError);
  EXPECT_EQ(form.log, (Log{"scrollCat_Change 12", "scrollCat_Change 4"}));
}

TEST(UserActions, TypingGoesThroughKeyPressWhichMayChangeOrDropTheKey) {
  Editor form;
  form.txtActivite.KeyPress = [](int& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'A';
  };
  UserDriver user;
  user.Type(form.txtActivite, "axé\b!");
  EXPECT_EQ(form.txtActivite.Text(), "A!");
  EXPECT_EQ(form.log, (Log{"txtActivite_Change A", "txtActivite_Change Aé",
                           "txtActivite_Change A", "txtActivite_Change A!"}));
}

TEST(UserActions, ClicksToggleCheckBoxesAndMoveTheFocus) {
  Editor form;
  std::vector<std::string> focus;
  form.txtActivite.LostFocus = [&] { focus.push_back("txt lost"); };
  form.lstRess.GotFocus = [&] { focus.push_back("lst got"); };
  UserDriver user;
  user.Focus(form.txtActivite);
  user.Click(form.chkFinPeriode);
  user.Click(form.chkFinPeriode);
  EXPECT_EQ(form.chkFinPeriode.Value(), forms::kUnchecked);
  user.Choose(form.lstRess, "Ann");
  user.Click(form.lstRess);
  EXPECT_EQ(focus, (std::vector<std::string>{"txt lost", "lst got"}));
  EXPECT_EQ(form.ActiveControl(), &form.lstRess);
  form.chkFinPeriode.SetEnabled(false);
  EXPECT_THROW(user.Click(form.chkFinPeriode), std::logic_error);
}

}  // namespace
