// Opening an existing activity in the editor: from its label in the grids, from the
// repetition icon of an occurrence and from its agenda line.
#include <gtest/gtest.h>

#include "activity_editor_fixture.h"

namespace {

TEST_F(EditorTest, ALabelOpensTheActivityInModifyMode) {
  Add("04.03.2026 14:00", "04.03.2026 15:30", "Pose fenêtres", 1, "65280-1", {2, 0});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  w.lblInfo.SetVisible(true);
  user.DoubleClick(LabelOf(0));

  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_FALSE(w.lblInfo.Visible());
  EXPECT_EQ(w.fraActivite.Caption(), "Modifier une activité");
  EXPECT_EQ(w.shMenu[4].FillColor(), forms::kButtonFace);
  EXPECT_EQ(w.txtActivite.Text(), "Pose fenêtres");
  EXPECT_EQ(Start(), "04.03.2026 14:00");
  EXPECT_EQ(End(), "04.03.2026 15:30");
  EXPECT_EQ(StartShown(), "14:00");
  EXPECT_EQ(EndShown(), "15:30");
  EXPECT_EQ(w.cmbcategorie.Text(), "Sud");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Salle 2", "Ann"}));
  EXPECT_EQ(w.fraActivite.Height(), 5200);
  EXPECT_EQ(w.cmbPeriode.Text(), "Aucune");
  EXPECT_FALSE(w.chkFinPeriode.Visible());
  EXPECT_FALSE(w.DTPicker3.Visible());
  EXPECT_FALSE(w.Shape2.Visible());
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(w.MSFlexGrid1.Row(), 15), "0");
}

TEST_F(EditorTest, AnIconOpensTheRepeatingActivityWithItsFirstDateAndLastDate) {
  Add("02.03.2026 08:00", "02.03.2026 09:00", "Point", 0, "255-0-2-23.03.2026", {1});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(0);
  // The icon beside the occurrence of the 16th.
  int icon = 0;
  for (int i : w.imgPeriode.Indexes()) {
    if (i == 0 || !w.imgPeriode[i].Visible()) continue;
    const forms::Label& label = w.lblActivite[std::stoi(w.imgPeriode[i].Tag())];
    const forms::Label& cell = w.lblJour[Cell("16.03.2026")];
    if (label.Top() >= cell.Top() && label.Top() < cell.Top() + cell.Height()) icon = i;
  }
  ASSERT_GT(icon, 0);
  user.DoubleClick(w.imgPeriode[icon]);

  EXPECT_EQ(w.fraActivite.Caption(), "Modifier une activité");
  EXPECT_EQ(Start(), "02.03.2026 08:00");
  EXPECT_EQ(w.cmbPeriode.Text(), "Hebdomadaire");
  EXPECT_TRUE(w.chkFinPeriode.Visible());
  EXPECT_EQ(w.chkFinPeriode.Value(), forms::kChecked);
  EXPECT_TRUE(w.DTPicker3.Visible());
  EXPECT_EQ(w.DTPicker3.Value().DateText(), "23.03.2026");  // not the first repetition
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Bob"}));
}

TEST_F(EditorTest, AnAgendaLineOpensItsActivity) {
  Add("05.03.2026 09:00", "05.03.2026 10:00", "Visite", 0, "255-0", {0});
  Add("10.03.2026 11:00", "10.03.2026 11:45", "Métré", 1, "65280-1", {1});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(1);
  int line = 0;
  for (int i : w.lblDetail.Indexes())
    if (i > 0 && w.lblDetail[i].Tag() == "1") line = i;
  ASSERT_GT(line, 0);
  w.lblInfoAg.SetVisible(true);
  user.DoubleClick(w.lblDetail[line]);

  EXPECT_FALSE(w.lblInfoAg.Visible());
  EXPECT_EQ(w.txtActivite.Text(), "Métré");
  EXPECT_EQ(End(), "10.03.2026 11:45");
  EXPECT_EQ(w.cmbcategorie.Text(), "Sud");
}

// Whatever the rows can offer, opening an activity and saving it again gives back every
// resource it holds.
TEST_F(EditorTest, ASaveAgainKeepsResourcesTheRowsCannotOffer) {
  planner.Resources.push_back("Ann");  // 5: a second Ann
  planner.Resources.push_back("");     // 6: a gap in the data file
  // Resource -1 names nobody and is no resource; Paul (3) is deactivated.
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Trous", 0, "255-0", {1, -1, 4});
  Add("04.03.2026 11:00", "04.03.2026 12:00", "Paul seul", 0, "255-0", {0, 3});
  Add("04.03.2026 13:00", "04.03.2026 14:00", "Homonymes", 0, "255-0", {5, 6, 0});
  const std::string paulRecord = planner.Activities[1], namesakes = planner.Activities[2];
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Bob", "Zoé"}));

  user.DoubleClick(LabelOf(1));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Ann", "Paul"}));
  Save();
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_EQ(planner.Activities[1], paulRecord);

  user.DoubleClick(LabelOf(2));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Ann", "", "Ann"}));
  Save();
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_EQ(planner.Activities[2], namesakes);

  // Removing the first row moves the kept ones up; only the removed resource goes.
  user.DoubleClick(LabelOf(2));
  user.Click(w.imgKillAct[0]);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"", "Ann"}));
  Save();
  EXPECT_EQ(planner.Activities[2], "04.03.2026 13:00\u00A604.03.2026 14:00\u00A6Homonymes"
                                   "\u00A60\u00A6255-0\u00A66\u00A60");
}

TEST_F(EditorTest, AStoredTimeOffTheFiveMinuteStepsIsShownAndKept) {
  Add("04.03.2026 09:07", "04.03.2026 10:52", "Relevé", 0, "255-0", {0});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  EXPECT_EQ(StartShown(), "09:07");
  EXPECT_EQ(EndShown(), "10:52");
  EXPECT_EQ(w.cmbM.List(2), "07");
  EXPECT_EQ(Start(), "04.03.2026 09:07");
  EXPECT_EQ(End(), "04.03.2026 10:52");

  Save();
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_EQ(planner.Activities[0], "04.03.2026 09:07\u00A604.03.2026 10:52\u00A6Relevé\u00A60"
                                   "\u00A6255-0\u00A60");

  // A new activity is offered the five-minute steps only.
  w.OpenNewActivity("04.03.2026", 9, 0);
  EXPECT_EQ(w.cmbM.ListCount(), 12);
  EXPECT_EQ(w.cmbM2.ListCount(), 12);
}

TEST_F(EditorTest, ACodeOutsideTheListOpensAsNotRepeating) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Hebdo", 0, "255-0-2", {0});
  Add("04.03.2026 11:00", "04.03.2026 12:00", "Code 9", 0, "255-0-9-30.04.2026", {1});
  Add("04.03.2026 13:00", "04.03.2026 14:00", "Énorme", 0, "255-0-4294967298", {2});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  EXPECT_EQ(w.cmbPeriode.Text(), "Hebdomadaire");
  user.DoubleClick(LabelOf(1));
  EXPECT_EQ(w.cmbPeriode.Text(), "Aucune");
  EXPECT_FALSE(w.DTPicker3.Visible());
  user.DoubleClick(LabelOf(0));
  user.DoubleClick(LabelOf(2));
  EXPECT_EQ(w.cmbPeriode.Text(), "Aucune");
}

TEST_F(EditorTest, TheShadeMarkerSitsOnTheActivitysOwnShade) {
  // Red 255 two shades darker is 231.
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Foncé", 0, "231-0", {0});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  EXPECT_EQ(w.lblColTache.BackColor(), 231u);
  EXPECT_EQ(w.lblDegrade[10].BackColor(), 231u);
  EXPECT_EQ(w.lblSelDegrade.Left(), w.lblDegrade[10].Left());
  EXPECT_EQ(w.lblSelDegrade.Top(), w.lblDegrade[10].Top());
}

TEST_F(EditorTest, ANewActivityOverAModifiedOneKeepsTheDescription) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Relevé", 0, "255-0", {0});
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  w.OpenNewActivity("05.03.2026", 8, 0);
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter une activité");
  EXPECT_EQ(w.txtActivite.Text(), "Relevé");
  user.Choose(w.cmbcategorie, 0);
  Save();
  EXPECT_EQ(planner.Activities.size(), 2u);
}

}  // namespace
