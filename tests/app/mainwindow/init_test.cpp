// The main window filled at start-up: lists, project bar, activity table, hour scale.
#include <gmock/gmock.h>

#include "app/store/data_file.h"
#include "app/store/params.h"
#include "window_fixture.h"

namespace {

using ::testing::ElementsAre;

constexpr forms::Color kRed = 0x0000FF;
constexpr forms::Color kYellow = 0x00FFFF;

TEST_F(WindowTest, WithoutRecordsOnlyTheEntriesForEverythingAreListed) {
  mainwindow::frmMain& w = Open();

  EXPECT_TRUE(w.Visible());
  EXPECT_THAT(Items(w.cmbAffiche), ElementsAre("Tout"));
  EXPECT_EQ(w.cmbAffiche.ListIndex(), 0);
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout"));
  EXPECT_EQ(w.lstRess.ListCount(), 0);
  EXPECT_EQ(w.lstCat.ListCount(), 0);
  EXPECT_EQ(w.lblCategories.Count(), 1);
  EXPECT_EQ(w.scrollCat.Max(), 0);
  EXPECT_EQ(w.MSFlexGrid1.Rows(), 1);
  EXPECT_EQ(w.lblMois.Caption(), "mars 2026");
  EXPECT_EQ(w.CurrentDate, *runtime::DateTime::Parse("02.03.2026"));
  EXPECT_EQ(w.lblTitre.Caption(), "");
  // Hourglass while filling, the default pointer once done.
  ASSERT_FALSE(world.screen.history.empty());
  EXPECT_EQ(world.screen.history.front(), forms::kHourglassPointer);
  EXPECT_EQ(world.screen.history.back(), forms::kDefaultPointer);
}

TEST_F(WindowTest, ControlArraysThatTheViewsReuseAreLoadedHidden) {
  mainwindow::frmMain& w = Open();

  EXPECT_EQ(w.lblJour.Count(), 38);
  EXPECT_EQ(w.lblDegrade.Count(), 19);
  EXPECT_EQ(w.lblHeures.Count(), 24);
  EXPECT_EQ(w.Line1.Count(), 24);
  EXPECT_EQ(w.Line2.Count(), 24);
  EXPECT_EQ(w.Line3.Count(), 7);
  EXPECT_FALSE(w.lblDegrade[18].Visible());  // the day cells are shown by the month view
  EXPECT_THAT(Items(w.cmbH).size(), 24u);
  EXPECT_EQ(w.cmbM.List(11), "55");
  EXPECT_EQ(w.cmbH2.Text(), "00");
  EXPECT_EQ(w.cmbM2.Text(), "00");
}

TEST_F(WindowTest, PanelsShareThePlaceOfTheActivityEditor) {
  mainwindow::frmMain& w = Open();

  EXPECT_EQ(w.fraActivite.Left(), 7200);
  EXPECT_EQ(w.fraActivite.Top(), 2040);
  EXPECT_EQ(w.fraRessources.Left(), 7200);
  EXPECT_EQ(w.fraCategorie.Top(), 2040);
  EXPECT_EQ(w.fraSemaine.Left(), w.fraMois.Left() + 360);
  EXPECT_EQ(w.fraSemaine.Top(), w.fraMois.Top());
}

TEST_F(WindowTest, ResourceListsLeaveOutDeactivatedResources) {
  planner.Resources = {"Ann", "Salle 2\u00A61", "", "Bob"};
  mainwindow::frmMain& w = Open();

  EXPECT_THAT(Items(w.cmbAffiche), ElementsAre("Tout", "Ann", "Bob"));
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Bob"));
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Bob"));
}

TEST_F(WindowTest, ProjectBarHasOneColouredLabelPerProjectUnderTout) {
  planner.Categories = {"Nord\u00A6255-0", "Sud\u00A665535-1", "Est"};
  mainwindow::frmMain& w = Open();

  EXPECT_THAT(Items(w.lstCat), ElementsAre("Nord", "Sud", "Est"));
  EXPECT_THAT(Items(w.cmbcategorie), ElementsAre("Nord", "Sud", "Est"));
  ASSERT_EQ(w.lblCategories.Count(), 4);
  const forms::Label& tout = w.lblCategories[0];
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(w.lblCategories[k].Top(), tout.Top() + 300 * k);
    EXPECT_EQ(w.lblCategories[k].Left(), tout.Left());
    EXPECT_TRUE(w.lblCategories[k].Visible());
  }
  EXPECT_EQ(w.lblCategories[1].Caption(), "Nord");
  EXPECT_EQ(w.lblCategories[1].BackColor(), kRed);
  EXPECT_EQ(w.lblCategories[1].ForeColor(), forms::kWhite);
  EXPECT_EQ(w.lblCategories[2].BackColor(), kYellow);
  EXPECT_EQ(w.lblCategories[2].ForeColor(), forms::kBlack);
  // Without a colour field the label keeps the template's colours.
  EXPECT_EQ(w.lblCategories[3].BackColor(), tout.BackColor());
  EXPECT_EQ(w.scrollCat.Max(), 3);
}

class ActivityTableTest : public WindowTest {
 protected:
  ActivityTableTest() {
    planner.Resources = {"Ann", "Salle 2\u00A61", "Bob"};
    planner.Categories = {"Nord\u00A6255-0", "Sud\u00A665535-1"};
    planner.Activities = {
        "05.03.2026 09:00\u00A605.03.2026 10:30\u00A6Pose\u00A60\u00A6255-0\u00A62",
        "06.03.2026 08:00\u00A606.03.2026 09:00\u00A6Visite\u00A61\u00A665535-1-2-30.06.2026"
        "\u00A60\u00A61\u00A62",
        "",
        "07.03.2026 08:00\u00A607.03.2026 09:00\u00A6Perdue\u00A67\u00A6abc\u00A6x\u00A69",
    };
  }
};

TEST_F(ActivityTableTest, HeadersNameTheColumnsInTheTermsInForce) {
  mainwindow::frmMain& w = Open();
  const forms::MSFlexGrid& grid = w.MSFlexGrid1;

  ASSERT_EQ(grid.Cols(), 17);
  std::vector<std::string> headers;
  for (int c = 0; c < 17; ++c) headers.push_back(grid.TextMatrix(0, c));
  EXPECT_THAT(headers, ElementsAre("Début", "Fin", "Activités", "Projets", "Couleur",
                                   "Ress. / Pers.1", "Ress. / Pers.2", "Ress. / Pers.3",
                                   "Ress. / Pers.4", "Ress. / Pers.5", "Ress. / Pers.6",
                                   "Ress. / Pers.7", "Ress. / Pers.8", "Ress. / Pers.9",
                                   "Ress. / Pers.10", "", "Périodicité"));
}

TEST_F(ActivityTableTest, OneRowPerActivityWithItsProjectResourcesAndPeriodicity) {
  mainwindow::frmMain& w = Open();
  const forms::MSFlexGrid& grid = w.MSFlexGrid1;

  // The empty record is no activity and gets no row.
  ASSERT_EQ(grid.Rows(), 4);
  EXPECT_EQ(grid.TextMatrix(1, 0), "05.03.2026 09:00");
  EXPECT_EQ(grid.TextMatrix(1, 1), "05.03.2026 10:30");
  EXPECT_EQ(grid.TextMatrix(1, 2), "Pose");
  EXPECT_EQ(grid.TextMatrix(1, 3), "Nord");
  EXPECT_EQ(grid.TextMatrix(1, 4), "255-0");
  EXPECT_EQ(grid.TextMatrix(1, 5), "Bob");
  EXPECT_EQ(grid.TextMatrix(1, 15), "0");
  EXPECT_EQ(grid.TextMatrix(1, 16), "");

  EXPECT_EQ(grid.TextMatrix(2, 3), "Sud");
  EXPECT_EQ(grid.TextMatrix(2, 5), "Ann");
  EXPECT_EQ(grid.TextMatrix(2, 6), "Salle 2\u00A61");  // deactivated, still shown
  EXPECT_EQ(grid.TextMatrix(2, 7), "Bob");
  EXPECT_EQ(grid.TextMatrix(2, 15), "1");
  EXPECT_EQ(grid.TextMatrix(2, 16), "hebdomadaire");

  EXPECT_EQ(grid.TextMatrix(3, 15), "3");
}

TEST_F(ActivityTableTest, UnreadableFieldsLeaveTheirCellsEmptyAndTheFillGoesOn) {
  mainwindow::frmMain& w = Open();
  const forms::MSFlexGrid& grid = w.MSFlexGrid1;

  EXPECT_EQ(grid.TextMatrix(3, 2), "Perdue");
  EXPECT_EQ(grid.TextMatrix(3, 3), "");  // project 7 does not exist
  EXPECT_EQ(grid.TextMatrix(3, 5), "");  // not a number
  EXPECT_EQ(grid.TextMatrix(3, 6), "");  // no resource 9
  forms::MSFlexGrid& table = w.MSFlexGrid1;
  table.SetRow(3);
  table.SetCol(0);
  EXPECT_EQ(table.CellBackColor(), 0u);  // the grid's own colours
}

TEST_F(ActivityTableTest, EveryCellOfARowTakesTheActivityColours) {
  mainwindow::frmMain& w = Open();
  forms::MSFlexGrid& grid = w.MSFlexGrid1;

  for (int c : {0, 8, 16}) {
    grid.SetRow(1);
    grid.SetCol(c);
    EXPECT_EQ(grid.CellBackColor(), kRed);
    EXPECT_EQ(grid.CellForeColor(), forms::kWhite);
    grid.SetRow(2);
    EXPECT_EQ(grid.CellBackColor(), kYellow);
    EXPECT_EQ(grid.CellForeColor(), forms::kBlack);
  }
}

TEST_F(ActivityTableTest, AsManyResourceColumnsShowAsTheBusiestActivityNeeds) {
  mainwindow::frmMain& w = Open();
  const forms::MSFlexGrid& grid = w.MSFlexGrid1;

  EXPECT_EQ(grid.ColWidth(0), 1700);
  EXPECT_EQ(grid.ColWidth(2), 2500);
  EXPECT_EQ(grid.ColWidth(4), 0);
  for (int c : {5, 6, 7}) EXPECT_EQ(grid.ColWidth(c), 1800) << c;
  for (int c : {8, 14, 15}) EXPECT_EQ(grid.ColWidth(c), 0) << c;
  EXPECT_EQ(grid.ColWidth(16), 1800);
}

TEST_F(WindowTest, ResourceFieldsPastTheTenthHaveNoColumn) {
  std::string record = "05.03.2026 09:00\u00A605.03.2026 10:30\u00A6Long\u00A60\u00A6255-0";
  for (int i = 0; i < 12; ++i) record += "\u00A60";
  planner.Resources = {"Ann"};
  planner.Categories = {"Nord\u00A6255-0"};
  planner.Activities = {record};
  mainwindow::frmMain& w = Open();

  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 14), "Ann");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 15), "0");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 16), "");
}

TEST_F(WindowTest, HourScaleStacksTheRowsUnderEachOther) {
  mainwindow::frmMain& w = Open();

  EXPECT_EQ(w.lblHeures[0].Caption(), "00:00\n00:30");
  EXPECT_EQ(w.lblHeures[7].Caption(), "07:00\n07:30\n");
  EXPECT_EQ(w.lblHeures[23].Caption(), "23:00\n23:30\n");
  const double rowHeight = w.lblHeures[0].Height();
  EXPECT_EQ(w.lblHeures[7].Top(), w.lblHeures[0].Top() + 7 * rowHeight);
  EXPECT_EQ(w.lblHeures[7].Left(), w.lblHeures[0].Left());
  const forms::Line& line = w.Line1[7];
  EXPECT_EQ(line.X1(), w.lblHeures[7].Left() + w.lblHeures[7].Width());
  EXPECT_EQ(line.X2(), w.fraCalendar.Width());
  EXPECT_EQ(line.Y1(), w.lblHeures[7].Top() + rowHeight);
  EXPECT_EQ(line.Y2(), line.Y1());
}

TEST_F(WindowTest, HourRangeComesFromTheSettingElseSevenToSeven) {
  EXPECT_EQ(Open().cmbHeures.Text(), "07:00 - 19:00");
  ASSERT_EQ(window->cmbHeures.ListCount(), 6);

  store::WriteIni(planner, store::kParamSection, "Heure", "0", planner.DataFile);
  EXPECT_EQ(Open().cmbHeures.Text(), "24 heures");
  store::WriteIni(planner, store::kParamSection, "Heure", "6", planner.DataFile);
  EXPECT_EQ(Open().cmbHeures.ListIndex(), 3);
  store::WriteIni(planner, store::kParamSection, "Heure", "deux", planner.DataFile);
  EXPECT_EQ(Open().cmbHeures.ListIndex(), 3);
}

TEST_F(WindowTest, HourRangeCaptionShowsTheTimeZoneAsTooltip) {
  planner.WindowsTimeZone = "Romance Standard Time";
  EXPECT_EQ(Open().lblPlage.ToolTipText(), "Romance Standard Time");
}

}  // namespace
