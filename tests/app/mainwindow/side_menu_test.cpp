// The side menu: views, panel toggles, the print and the settings.
#include "calendar_fixture.h"

namespace {

using forms::kButtonFace;
using forms::kWhite;

TEST_F(CalendarTest, ViewEntriesSwitchTheFramesAndTheHighlight) {
  mainwindow::frmMain& w = Open();
  EXPECT_TRUE(w.fraMois.Visible());
  EXPECT_EQ(w.shMenu[0].FillColor(), kButtonFace);

  Menu(1);
  EXPECT_FALSE(w.fraCalendar.Visible());
  EXPECT_TRUE(w.fraAgenda.Visible());
  EXPECT_TRUE(w.fraMenuCalendar.Visible());
  EXPECT_TRUE(w.fraMois.Visible());  // only the calendar frame is hidden
  EXPECT_EQ(w.shMenu[0].FillColor(), kWhite);
  EXPECT_EQ(w.shMenu[1].FillColor(), kButtonFace);

  user.Click(w.imgMenu[2]);  // the picture does what its caption does
  EXPECT_TRUE(w.fraCalendar.Visible());
  EXPECT_FALSE(w.fraAgenda.Visible());
  EXPECT_FALSE(w.fraMenuCalendar.Visible());
  EXPECT_FALSE(w.fraMois.Visible());
  EXPECT_TRUE(w.fraSemaine.Visible());
  EXPECT_TRUE(w.lblJour[6].Visible());
  EXPECT_EQ(w.shMenu[2].FillColor(), kButtonFace);
  EXPECT_EQ(w.shMenu[1].FillColor(), kWhite);

  Menu(3);
  EXPECT_FALSE(w.lblJour[5].Visible());
  Menu(0);
  EXPECT_TRUE(w.fraMois.Visible());
  EXPECT_FALSE(w.fraSemaine.Visible());
  EXPECT_TRUE(w.lblJour[5].Visible());
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(w.shMenu[k].FillColor(), kWhite);
}

TEST_F(CalendarTest, PanelEntriesToggleTheirPanelAndCloseTheOthers) {
  mainwindow::frmMain& w = Open();
  int editors = 0, projectPanels = 0, resourcePanels = 0;
  w.OpenNewActivity = [&](const std::string& date, int hour, int minute) {
    EXPECT_EQ(date, "");
    EXPECT_EQ(hour, 0);
    EXPECT_EQ(minute, 0);
    ++editors;
    w.fraActivite.SetVisible(true);
  };
  w.ShowProjectPanel = [&] {
    ++projectPanels;
    w.fraCategorie.SetVisible(true);
  };
  w.ShowResourcePanel = [&] {
    ++resourcePanels;
    w.fraRessources.SetVisible(true);
  };
  int closes = 0;
  w.lblCloseCat.Click = [&] { ++closes; };

  Menu(6);
  EXPECT_EQ(projectPanels, 1);
  EXPECT_EQ(w.shMenu[6].FillColor(), kButtonFace);
  Menu(6);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(w.fraCategorie.Visible());
  EXPECT_EQ(w.shMenu[6].FillColor(), kWhite);
  Menu(6);
  EXPECT_EQ(projectPanels, 2);

  Menu(5);  // the resource panel replaces the project panel
  EXPECT_EQ(resourcePanels, 1);
  EXPECT_FALSE(w.fraCategorie.Visible());
  EXPECT_TRUE(w.fraRessources.Visible());
  EXPECT_EQ(w.shMenu[6].FillColor(), kWhite);
  EXPECT_EQ(w.shMenu[5].FillColor(), kButtonFace);

  Menu(4);
  EXPECT_EQ(editors, 1);
  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_EQ(w.shMenu[5].FillColor(), kWhite);
  Menu(2);  // a view entry hides the editor and leaves every panel entry white
  EXPECT_FALSE(w.fraActivite.Visible());
  for (int k = 4; k <= 6; ++k) EXPECT_EQ(w.shMenu[k].FillColor(), kWhite);
  Menu(4);
  EXPECT_EQ(editors, 2);
}

TEST_F(CalendarTest, ThePrintEntryStandsInTheTitleBarAndPrintsTheVisibleGrid) {
  mainwindow::frmMain& w = Open();
  EXPECT_EQ(&w.lblAffiche[7].Parent(), static_cast<forms::Container*>(&w.fraTitre));
  EXPECT_EQ(&w.shMenu[7].Parent(), static_cast<forms::Container*>(&w.fraTitre));
  EXPECT_EQ(w.lblAffiche[7].Caption(), "Créer un PDF");
  EXPECT_TRUE(w.lblAffiche[7].IsShown());
  EXPECT_GE(w.shMenu[7].Left(), 0);
  EXPECT_LE(w.shMenu[7].Left() + w.shMenu[7].Width(), w.fraTitre.Width());

  // Without the export plugged in the print draws the grid twice and writes nothing.
  Menu(7);
  EXPECT_EQ(w.shMenu[7].FillColor(), kWhite);
  EXPECT_TRUE(w.fraMois.Visible());

  int exports = 0;
  w.ExportPdf = [&] {
    ++exports;
    EXPECT_TRUE(w.fraSemaine.Visible());
    EXPECT_TRUE(w.lblJour[6].Visible());
    EXPECT_EQ(w.lblJour[0].Width(), 2150);
  };
  Menu(2);
  Menu(7);
  EXPECT_EQ(exports, 1);
  EXPECT_EQ(w.shMenu[2].FillColor(), kButtonFace);
}

// Each view the filter redraws brings the side menu's resource list (and with it the
// title) in line, the agenda as much as the grids.
TEST_F(CalendarTest, WithAResourceChosenEveryViewRunsTheResourceListsClick) {
  mainwindow::frmMain& w = Open();
  int listClicks = 0;
  w.lstRessources.Click = [&] { ++listClicks; };
  w.cmbAffiche.SetListIndex(0);
  Menu(1);
  Menu(0);
  EXPECT_EQ(listClicks, 0);  // "Tout" filters nothing

  w.cmbAffiche.SetListIndex(2);  // "Anne": the month view is drawn again
  EXPECT_EQ(listClicks, 1);
  Menu(1);
  EXPECT_EQ(listClicks, 2);
  EXPECT_TRUE(w.fraAgenda.Visible());
  Menu(2);
  EXPECT_EQ(listClicks, 3);
}

TEST_F(CalendarTest, SettingsRewriteTheCaptionsWhenTheDialogHasClosed) {
  mainwindow::frmMain& w = Open();
  w.ShowSettings = [&] {
    planner.ProjectTerms = {"Chantiers", "Chantier", "M"};
    planner.ActivityTerms = {"Étapes", "Étape", "F"};
  };
  Menu(8);
  EXPECT_EQ(w.lblAffiche[6].Caption(), "Chantiers");
  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter une étape");
  EXPECT_EQ(w.shMenu[8].FillColor(), kWhite);
}

TEST_F(CalendarTest, WithoutAnyProjectTheStartUpOpensTheProjectPanel) {
  planner.Categories.clear();
  window = std::make_unique<mainwindow::frmMain>(planner, world.services());
  int projectPanels = 0;
  window->ShowProjectPanel = [&] { ++projectPanels; };
  window->LoadForm();
  window->InitMainForm();
  EXPECT_EQ(projectPanels, 1);
  EXPECT_EQ(window->shMenu[6].FillColor(), kButtonFace);
  EXPECT_EQ(window->shMenu[0].FillColor(), kButtonFace);
}

}  // namespace
