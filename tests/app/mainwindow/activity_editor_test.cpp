// The activity editor opened for a new activity: its presets from a day cell, an hour
// slot and the menu, the periodicity and last date, and the resource rows.
#include <gtest/gtest.h>

#include "activity_editor_fixture.h"

namespace {

using forms::kButtonFace;
using forms::kWhite;

TEST_F(EditorTest, ADayCellOfTheMonthOpensTheDayFromMidnight) {
  mainwindow::frmMain& w = OpenEditorWindow();
  user.DoubleClick(w.lblJour[Cell("12.03.2026")], 300, 900);
  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter une activité");
  EXPECT_EQ(w.cmdValideActivite.Caption(), "Valider");
  EXPECT_EQ(w.DTPicker4.Value().DateText(), "12.03.2026");
  EXPECT_EQ(Start(), "12.03.2026 00:00");
  EXPECT_EQ(End(), "12.03.2026 00:00");
  EXPECT_EQ(StartShown(), "00:00");
  EXPECT_EQ(EndShown(), "00:00");
  EXPECT_EQ(w.cmbPeriode.Text(), "Aucune");
  EXPECT_FALSE(w.chkFinPeriode.Visible());
  // A double click does not light the menu entry; only the menu does.
  EXPECT_EQ(w.shMenu[4].FillColor(), kWhite);
}

TEST_F(EditorTest, AnHourSlotEndsHalfAnHourLater) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);  // "07:00 - 19:00": rows of 880 twips from Top 1140
  forms::Label& wednesday = w.lblJour[Cell("04.03.2026")];
  user.DoubleClick(wednesday, 100, 880 * 3 + 600);  // 10:30
  EXPECT_EQ(Start(), "04.03.2026 10:30");
  EXPECT_EQ(End(), "04.03.2026 11:00");
  EXPECT_EQ(StartShown(), "10:30");
  EXPECT_EQ(EndShown(), "11:00");

  user.DoubleClick(wednesday, 100, 880 * 3 + 100);  // 10:00
  EXPECT_EQ(Start(), "04.03.2026 10:00");
  EXPECT_EQ(End(), "04.03.2026 10:30");
}

TEST_F(EditorTest, HalfPastElevenAtNightEndsWithinTheHourList) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("04.03.2026", 23, 30);
  EXPECT_EQ(Start(), "04.03.2026 23:30");
  EXPECT_EQ(End(), "04.03.2026 23:00");
  EXPECT_EQ(EndShown(), "23:00");

  // The save refuses it until a time is changed.
  Fill("Nuit", 0, {});
  Save();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt, "L'heure de fin ne peut être avant l'heure de début");
  EXPECT_EQ(w.ActiveControl(), &w.cmbH2);
  user.Choose(w.cmbM2, "55");
  Save();
  EXPECT_EQ(planner.Activities.size(), 1u);
}

TEST_F(EditorTest, TheMenuOpensTodayAndClosesAgain) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_EQ(w.shMenu[4].FillColor(), kButtonFace);
  EXPECT_EQ(Start(), "02.03.2026 00:00");
  EXPECT_EQ(End(), "02.03.2026 00:00");
  EXPECT_EQ(w.DTPicker5.Value().DateText(), "02.03.2026");

  user.Type(w.txtActivite, "Brouillon");
  user.Choose(w.cmbcategorie, 1);
  Menu(4);
  EXPECT_FALSE(w.fraActivite.Visible());
  EXPECT_EQ(w.shMenu[4].FillColor(), kWhite);
  EXPECT_EQ(w.txtActivite.Text(), "");
  EXPECT_EQ(w.cmbcategorie.ListIndex(), -1);
}

// Esc closes the editor as its close button does, wherever its focus is: nothing saved.
TEST_F(EditorTest, EscClosesTheEditorWithoutSaving) {
  mainwindow::frmMain& w = OpenEditorWindow();
  const std::vector<std::string> activities = planner.Activities;
  forms::Control* const focuses[] = {&w.txtActivite, &w.cmbcategorie, &w.cmbRessource[0]};
  for (forms::Control* focus : focuses) {
    SCOPED_TRACE(focus->Name());
    Menu(4);
    Fill("Brouillon", 1, {"Ann"});
    user.Focus(*focus);
    user.PressKey(w, forms::kKeyEscape);
    EXPECT_FALSE(w.fraActivite.Visible());
    EXPECT_EQ(w.shMenu[4].FillColor(), kWhite);
    EXPECT_EQ(w.txtActivite.Text(), "");
    EXPECT_EQ(planner.Activities, activities);
    EXPECT_TRUE(published.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
  }
}

TEST_F(EditorTest, TheProjectBarPresetsTheProjectAndItsColours) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  EXPECT_EQ(w.cmbcategorie.ListIndex(), -1);
  EXPECT_TRUE(w.Shape2.Visible());
  EXPECT_EQ(w.lblColTache.BackColor(), kWhite);
  EXPECT_FALSE(w.lblSelDegrade.Visible());
  for (int k = 0; k <= 18; ++k) EXPECT_FALSE(w.lblDegrade[k].Visible()) << k;
  Menu(4);

  // Scrolled so that the chosen project no longer stands at its first place.
  user.Click(w.lblCategories[2]);
  user.Scroll(w.scrollCat, 1);
  Menu(4);
  EXPECT_EQ(w.cmbcategorie.Text(), "Sud");
  EXPECT_EQ(w.lblColTache.BackColor(), 65280u);
  EXPECT_EQ(w.lblString.ForeColor(), forms::kBlack);
  EXPECT_FALSE(w.Shape2.Visible());
  EXPECT_TRUE(w.lblSelDegrade.Visible());
  EXPECT_EQ(w.lblDegrade[0].BackColor(), 65280u);
  EXPECT_EQ(w.lblSelDegrade.Left(), w.lblDegrade[0].Left());

  // Choosing another project takes its colour.
  user.Choose(w.cmbcategorie, "Nord");
  EXPECT_EQ(w.lblColTache.BackColor(), 255u);
  EXPECT_EQ(w.lblString.ForeColor(), kWhite);
}

TEST_F(EditorTest, ANewDateMovesStartAndEndAndKeepsTheirTimes) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("04.03.2026", 14, 30);
  user.PickDate(w.DTPicker4, Date("19.03.2026"));
  EXPECT_EQ(Start(), "19.03.2026 14:30");
  EXPECT_EQ(End(), "19.03.2026 15:00");
  EXPECT_EQ(w.DTPicker5.Value().DateText(), "19.03.2026");

  user.Choose(w.cmbH2, "17");
  user.Choose(w.cmbM, "05");
  EXPECT_EQ(Start(), "19.03.2026 14:05");
  EXPECT_EQ(End(), "19.03.2026 17:00");
}

TEST_F(EditorTest, TheLastDateStartsAtTheFirstRepetitionOfThePeriod) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("31.01.2026", 9, 0);
  user.Choose(w.cmbPeriode, "Hebdomadaire");
  EXPECT_TRUE(w.chkFinPeriode.Visible());
  EXPECT_FALSE(w.DTPicker3.Visible());
  user.Click(w.chkFinPeriode);
  EXPECT_TRUE(w.DTPicker3.Visible());
  EXPECT_EQ(w.DTPicker3.Value().DateText(), "07.02.2026");

  // A new period while the box is ticked starts the last date again; a month from the 31st
  // is clamped to February's last day.
  user.Choose(w.cmbPeriode, "Mensuel");
  EXPECT_EQ(w.DTPicker3.Value().DateText(), "28.02.2026");

  user.Choose(w.cmbPeriode, "Aucune");
  EXPECT_FALSE(w.chkFinPeriode.Visible());
  EXPECT_FALSE(w.DTPicker3.Visible());
  EXPECT_EQ(w.chkFinPeriode.Value(), forms::kChecked);

  user.Choose(w.cmbPeriode, "Annuel");
  EXPECT_TRUE(w.DTPicker3.Visible());
  EXPECT_EQ(w.DTPicker3.Value().DateText(), "31.01.2027");
  user.Click(w.chkFinPeriode);
  EXPECT_FALSE(w.DTPicker3.Visible());
}

TEST_F(EditorTest, ATypedBrokenBarBecomesAVerticalBar) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  user.Type(w.txtActivite, "Plan \u00A6 coupe");
  EXPECT_EQ(w.txtActivite.Text(), "Plan | coupe");
}

TEST_F(EditorTest, ResourceRowsOfferTheActiveResourcesNotChosenJustAbove) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  EXPECT_EQ(Items(w.cmbRessource[0]),
            (std::vector<std::string>{"Ann", "Bob", "Salle 2", "Zoé"}));  // Paul is deactivated
  user.Choose(w.cmbRessource[0], "Ann");
  user.Click(w.cmdNewRess);
  EXPECT_EQ(Items(w.cmbRessource[1]), (std::vector<std::string>{"Bob", "Salle 2", "Zoé"}));
  EXPECT_EQ(w.cmbRessource[1].ListIndex(), -1);
  EXPECT_EQ(w.cmbRessource[1].Top(), 2760 + 400);
  EXPECT_EQ(w.imgKillAct[1].Top(), 2760 + 400);
  EXPECT_EQ(w.fraActivite.Height(), 5200);
  EXPECT_EQ(w.fraValide.Top(), 4045);
  EXPECT_EQ(w.cmdNewRess.Top(), 3640);
}

TEST_F(EditorTest, TheTenthRowDisablesAddingUntilTheEditorCloses) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  for (int n = 2; n <= 10; ++n) user.Click(w.cmdNewRess);
  EXPECT_EQ(w.cmbRessource.Count(), 10);
  EXPECT_EQ(w.fraActivite.Height(), 4800 + 9 * 400);
  EXPECT_FALSE(w.cmdNewRess.Enabled());
  EXPECT_THROW(user.Click(w.cmdNewRess), std::logic_error);

  user.Click(w.imgKillAct[4]);
  EXPECT_EQ(w.cmbRessource.Count(), 9);
  EXPECT_FALSE(w.cmdNewRess.Enabled());

  user.Click(w.lblCloseActivite);
  EXPECT_EQ(w.cmbRessource.Count(), 1);
  EXPECT_EQ(w.fraActivite.Height(), 4800);
  EXPECT_TRUE(w.cmdNewRess.Enabled());
}

TEST_F(EditorTest, RemovingARowMovesTheRowsBelowUp) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  Fill("", 0, {"Ann", "Bob", "Salle 2", "Zoé"});
  user.Click(w.imgKillAct[2]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Ann", "Bob", "Zoé"}));
  EXPECT_EQ(w.fraActivite.Height(), 5600);
  EXPECT_EQ(w.cmbRessource[2].Top(), 2760 + 800);
  EXPECT_TRUE(w.cmbRessource[2].Visible());
  EXPECT_EQ(Items(w.cmbRessource[2]), (std::vector<std::string>{"Salle 2", "Zoé"}));

  user.Click(w.imgKillAct[1]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Ann", "Zoé"}));
  EXPECT_EQ(w.fraActivite.Height(), 5200);

  user.Click(w.imgKillAct[0]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Zoé"}));
  EXPECT_EQ(w.fraActivite.Height(), 4800);
  user.Click(w.imgKillAct[0]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{""}));
}

TEST_F(EditorTest, AnEmptyRowMovesUpEmpty) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(4);
  Fill("", 0, {"Ann"});
  user.Click(w.cmdNewRess);
  user.Click(w.cmdNewRess);
  user.Choose(w.cmbRessource[2], "Bob");
  user.Click(w.imgKillAct[0]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"", "Bob"}));
}

}  // namespace
