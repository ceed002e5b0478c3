// The activity labels of the grid views: on which days, how many, with what, and the pass
// at page sizes for the print.
#include <cmath>

#include "calendar_fixture.h"

namespace {

using Captions = std::vector<std::string>;

TEST_F(CalendarTest, AnActivityOverSeveralDaysShowsOnEachOfItsDaysOfTheView) {
  Add("30.01.2026 10:00", "02.02.2026 12:00", "Salon");
  mainwindow::frmMain& w = Open();

  w.CurrentDate = Date("15.01.2026");
  w.DrawCalendar(false, false, false);
  EXPECT_EQ(Labels().size(), 2u);
  EXPECT_EQ(CaptionsOn("30.01.2026"), Captions{"Nord: Salon"});
  EXPECT_EQ(CaptionsOn("31.01.2026"), Captions{"Nord: Salon"});

  w.CurrentDate = Date("30.01.2026");
  Menu(2);
  EXPECT_EQ(Labels().size(), 3u);  // Friday, Saturday and Sunday
  EXPECT_EQ(CaptionsOn("01.02.2026"), Captions{"Nord: Salon"});
  user.Click(w.lblRightSem);
  EXPECT_EQ(Labels().size(), 1u);
  EXPECT_EQ(CaptionsOn("02.02.2026"), Captions{"Nord: Salon"});
}

// In the week views an activity over several days is drawn on each day over the hours it
// covers there: from its start on its first day, over the whole range on the days between,
// up to its end on its last.  The hours booked count it once, within the period shown.
TEST_F(CalendarTest, AnActivityOverSeveralDaysIsDrawnOverItsHoursOfEachDayAndCountedOnce) {
  Add("05.03.2026 18:00", "08.03.2026 09:00", "Location", 0, "255-0", {0});  // 63 hours
  Add("08.03.2026 20:00", "10.03.2026 08:00", "Retour", 0, "255-0", {0});    // 36 hours
  mainwindow::frmMain& w = Open();
  user.Choose(w.lstRessources, "Ann");
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 99 Heures");  // March
  Menu(2);
  user.Choose(w.cmbHeures, 4);  // 08:00 - 20:00
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 67 Heures");  // up to Sunday's end

  const forms::ControlArray<forms::Label>& rows = w.lblHeures;
  const double first = rows[0].Top();
  const double last = rows[11].Top() + rows[11].Height();
  const struct {
    const char* day;
    double top, bottom;
  } cases[] = {{"05.03.2026", rows[10].Top(), last},
               {"06.03.2026", first, last},
               {"07.03.2026", first, last},
               {"08.03.2026", first, rows[1].Top()}};
  for (const auto& [day, top, bottom] : cases) {
    const forms::Label& column = w.lblJour[Cell(day)];
    std::vector<std::pair<double, double>> drawn;
    for (const forms::Label* label : Labels())
      if (label->Caption() == "Nord: Location" && label->Left() == column.Left())
        drawn.emplace_back(label->Top(), label->Top() + label->Height());
    EXPECT_EQ(drawn, (std::vector<std::pair<double, double>>{{top, bottom}})) << day;
  }

  user.Click(w.lblRightSem);
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 32 Heures");  // from Monday's start

  // The agenda counts the month it lists, whatever grid was drawn last.
  Menu(1);
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 99 Heures");
  user.Click(w.lblRightAg);
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 0 Heures");  // April
}

// A repeating activity whose occurrences run past midnight is drawn and counted in its third
// week as in its first: in the week view each occurrence over its hours of each day, in the
// month cells once a day, and the hours counted are the hours drawn.
TEST_F(CalendarTest, EveryOccurrenceOfARepeatingActivityOverSeveralDaysShowsAsTheFirst) {
  const struct {
    const char* start;
    const char* end;
    const char* colour;
    const char* name;
    int resource;
    std::size_t labels;  // drawn in a week
    int hours;
  } cases[] = {
      // Weekly, Friday 18:00 to Monday 06:00: Monday's end, then Friday to Sunday.
      {"06.03.2026 18:00", "09.03.2026 06:00", "255-0-2", "Garde", 0, 4, 60},
      // Every night, 22:00 to 06:00: each day the night before's end and its own start.
      {"01.03.2026 22:00", "02.03.2026 06:00", "255-0-1", "Nuit", 1, 14, 56},
      // Daily for 70 years, a damaged record: its overlapping occurrences fill each day once.
      {"01.01.2000 08:00", "01.01.2070 08:00", "255-0-1", "Siècle", 2, 7, 168},
  };
  for (const auto& row : cases) Add(row.start, row.end, row.name, 0, row.colour, {row.resource});
  mainwindow::frmMain& w = Open();
  Menu(2);
  user.Choose(w.cmbHeures, 0);  // "24 heures": 440 twips an hour
  for (const auto& [start, end, colour, name, resource, labels, hours] : cases) {
    const std::string caption = std::string("Nord: ") + name;
    const std::string& person = planner.Resources[static_cast<std::size_t>(resource)];
    user.Choose(w.lstRessources, person);
    // Its week labels and month lines day by day, and the hours counted in the week.
    for (const char* monday : {"09.03.2026", "23.03.2026"}) {
      std::size_t drawn = 0;
      double twips = 0;
      for (int k = 0; k < 7; ++k) {
        w.CurrentDate = Date(monday).AddDays(k);
        const std::string day = w.CurrentDate.DateText();
        Menu(0);
        const Captions lines = CaptionsOn(day);
        Menu(2);
        const forms::Label& column = w.lblJour[Cell(day)];
        std::size_t weekLabels = 0;
        for (const forms::Label* label : Labels()) {
          if (label->Caption() != caption || label->Left() < column.Left() ||
              label->Left() >= column.Left() + column.Width())
            continue;
          ++weekLabels;
          twips += label->Height();
        }
        EXPECT_EQ(std::count(lines.begin(), lines.end(), caption), weekLabels > 0 ? 1 : 0)
            << name << " " << day;
        drawn += weekLabels;
      }
      EXPECT_EQ(drawn, labels) << name << " " << monday;
      EXPECT_EQ(twips, hours * 440) << name << " " << monday;
      EXPECT_EQ(w.lblTitre.Caption(), person + " - " + std::to_string(hours) + " Heures") << name;
    }
  }
}

TEST_F(CalendarTest, LabelsCarryTheirProjectColoursAndRecordIndex) {
  Add("03.03.2026 14:00", "03.03.2026 15:00", "Pose", 0, "255-0");
  Add("03.03.2026 08:30", "03.03.2026 09:00", "Dépose", 1, "65280-1");
  mainwindow::frmMain& w = Open();

  ASSERT_EQ(Labels().size(), 2u);
  const forms::Label& pose = w.lblActivite[2];  // created in order of time of day
  EXPECT_EQ(pose.Tag(), "0");
  EXPECT_EQ(pose.Caption(), "Nord: Pose");
  EXPECT_EQ(pose.BackColor(), 255u);
  EXPECT_EQ(pose.ForeColor(), forms::kWhite);
  const forms::Label& depose = w.lblActivite[1];
  EXPECT_EQ(depose.Tag(), "1");
  EXPECT_EQ(depose.ForeColor(), forms::kBlack);
  // In the cell, by time of day, right of the day number.
  const forms::Label& cell = w.lblJour[Cell("03.03.2026")];
  EXPECT_EQ(depose.Top(), cell.Top());
  EXPECT_EQ(pose.Top(), cell.Top() + 300);
  EXPECT_EQ(pose.Left(), cell.Left() + 240);
  EXPECT_EQ(pose.Width(), cell.Width() - 240);
}

// No label leaves its day's cell: a cell too small for its day's activities shows the
// earliest and gives its last line to how many more there are, on screen and on the page.
TEST_F(CalendarTest, AFullMonthCellSaysHowManyMoreActivitiesItHolds) {
  for (int i = 9; i >= 0; --i)
    Add("10.03.2026 0" + std::to_string(i) + ":00", "10.03.2026 0" + std::to_string(i) + ":30",
        "Tâche " + std::to_string(i));
  mainwindow::frmMain& w = Open();
  w.Move(0, 0, 21600, kTallWindow);  // room for six rows of full cells

  auto expectInsideWithCount = [&](std::size_t labels, const std::string& more) {
    const Captions shown = CaptionsOn("10.03.2026");
    ASSERT_EQ(shown.size(), labels);
    EXPECT_EQ(shown.back(), "Nord: Tâche " + std::to_string(labels - 1));
    const forms::Label& cell = w.lblJour[Cell("10.03.2026")];
    for (const forms::Label* label : Labels())
      EXPECT_LE(label->Top() + label->Height(), cell.Top() + cell.Height()) << label->Caption();
    ASSERT_EQ(w.lblMore.UBound(), 1);
    const forms::Label& count = w.lblMore[1];
    EXPECT_TRUE(count.Visible());
    EXPECT_EQ(count.Caption(), more);
    EXPECT_EQ(count.Top(), cell.Top() + 300.0 * static_cast<double>(labels));
    EXPECT_LE(count.Top() + count.Height(), cell.Top() + cell.Height());
  };
  expectInsideWithCount(6, "+4");

  int exports = 0;
  w.ExportPdf = [&] {
    ++exports;
    EXPECT_EQ(w.lblJour[0].Width(), 2150);
    // March 2026 spans six rows: shorter cells keep the last row on the 21 cm sheet.
    EXPECT_EQ(w.lblJour[8].Height(), 1500);
    double bottom = 0;
    for (int i = 7; i <= w.lblJour.UBound(); ++i)
      if (w.lblJour[i].Visible()) bottom = std::max(bottom, w.lblJour[i].Top() + w.lblJour[i].Height());
    EXPECT_LE(bottom, 21.0 * 567);
    expectInsideWithCount(4, "+6");
  };
  Menu(7);
  EXPECT_EQ(exports, 1);
  // Drawn again at screen sizes.
  EXPECT_EQ(w.lblJour[8].Height(), 2100);
  EXPECT_EQ(w.lblJour[0].Width(), std::nearbyint((w.fraCalendar.Width() - 860) / 7));
  expectInsideWithCount(6, "+4");
}

TEST_F(CalendarTest, TheWorkWeekIsPrintedInFiveWideColumns) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Visite");
  mainwindow::frmMain& w = Open();
  Menu(3);
  const double screenWidth = w.lblJour[0].Width();

  int exports = 0;
  w.ExportPdf = [&] {
    ++exports;
    EXPECT_EQ(w.lblJour[0].Width(), 3150);
    EXPECT_EQ(w.lblJour[4].Left() - w.lblJour[0].Left(), 4 * 3190);
    EXPECT_FALSE(w.lblJour[5].Visible());
    EXPECT_EQ(Labels().size(), 1u);
    EXPECT_EQ(Labels().front()->Width(), 3150);
  };
  Menu(7);
  EXPECT_EQ(exports, 1);
  EXPECT_EQ(w.lblJour[0].Width(), screenWidth);
  EXPECT_FALSE(w.lblJour[5].Visible());
  EXPECT_TRUE(w.shMenu[3].FillColor() == forms::kButtonFace);
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_EQ(Labels().front()->Width(), screenWidth);
}

TEST_F(CalendarTest, RepetitionsShowWithTheirIconUpToTheLastDayOfRepetition) {
  Add("03.03.2026 09:00", "03.03.2026 10:00", "Réunion", 0, "255-0-2-24.03.2026");
  Add("05.03.2026 11:00", "05.03.2026 12:00", "Code inconnu", 0, "255-0-9");
  Add("06.03.2026 11:00", "06.03.2026 12:00", "Code immense", 0, "255-0-4294967297");
  mainwindow::frmMain& w = Open();

  for (const char* day : {"03.03.2026", "10.03.2026", "17.03.2026", "24.03.2026"})
    EXPECT_EQ(CaptionsOn(day), Captions{"Nord: Réunion"}) << day;
  EXPECT_TRUE(CaptionsOn("31.03.2026").empty());
  // A code outside 1 to 7 is no periodicity: the own day only, without icon.
  EXPECT_EQ(CaptionsOn("05.03.2026"), Captions{"Nord: Code inconnu"});
  EXPECT_TRUE(CaptionsOn("12.03.2026").empty());
  EXPECT_EQ(CaptionsOn("06.03.2026"), Captions{"Nord: Code immense"});
  EXPECT_TRUE(CaptionsOn("07.03.2026").empty());

  ASSERT_EQ(VisibleIcons(), 4);
  const forms::Image& icon = w.imgPeriode[1];
  const forms::Label& label = w.lblActivite[std::stoi(icon.Tag())];
  EXPECT_EQ(label.Caption(), "Nord: Réunion");
  EXPECT_EQ(icon.Left() + icon.Width(), label.Left() + label.Width());
  EXPECT_EQ(icon.Top() + icon.Height(), label.Top() + label.Height());
  EXPECT_EQ(icon.ToolTipText(), "Occurence d'un évènement périodique hebdomadaire");

  // The week view places a repetition at its own hours.
  w.CurrentDate = Date("17.03.2026");
  Menu(2);
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_EQ(Labels().front()->Top(), w.lblHeures[2].Top());  // 09:00 in "07:00 - 19:00"
  EXPECT_EQ(VisibleIcons(), 1);
}

TEST_F(CalendarTest, TheResourceFilterFindsTheNameAsWritten) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Avec Ann", 0, "255-0", {0});
  Add("04.03.2026 10:00", "04.03.2026 11:00", "Avec Anne", 0, "255-0", {1});
  Add("04.03.2026 11:00", "04.03.2026 12:00", "Avec la boîte", 0, "255-0", {2});
  Add("04.03.2026 12:00", "04.03.2026 13:00", "Avec [A", 0, "255-0", {3});
  mainwindow::frmMain& w = Open();

  w.cmbAffiche.SetText("Ann");
  EXPECT_EQ(CaptionsOn("04.03.2026"), (Captions{"Nord: Avec Ann", "Nord: Avec Anne"}));
  w.cmbAffiche.SetText("Box #1");
  EXPECT_EQ(CaptionsOn("04.03.2026"), Captions{"Nord: Avec la boîte"});
  w.cmbAffiche.SetText("[A");
  EXPECT_EQ(CaptionsOn("04.03.2026"), Captions{"Nord: Avec [A"});
  w.cmbAffiche.SetListIndex(0);
  EXPECT_EQ(CaptionsOn("04.03.2026").size(), 4u);
}

TEST_F(CalendarTest, MalformedRecordsArePassedOverAlone) {
  planner.Activities.push_back("06.03.2026 08:00\u00A606.03.2026 09:00\u00A6X\u00A6x\u00A6255-0");
  planner.Activities.push_back("06.03.2026 08:00\u00A6trop court");
  Add("06.03.2026 09:00", "pas une date", "Fin illisible");
  Add("06.03.2026 10:00", "06.03.2026 11:00", "Lue");
  mainwindow::frmMain& w = Open();

  EXPECT_EQ(CaptionsOn("06.03.2026"), Captions{"Nord: Lue"});
  w.CurrentDate = Date("06.03.2026");
  Menu(2);
  EXPECT_EQ(CaptionsOn("06.03.2026"), Captions{"Nord: Lue"});
}

// An activity of a missing project shows nothing: it takes no line of its cell and the
// count of the ones not shown leaves it out too, so that lines and count agree.
TEST_F(CalendarTest, AnActivityOfAMissingProjectTakesNoLineAndIsNotCounted) {
  Add("11.03.2026 07:00", "11.03.2026 08:00", "Sans projet", 7);
  for (int i = 0; i < 8; ++i) Add("11.03.2026 09:00", "11.03.2026 10:00", std::to_string(i));
  Open().Move(0, 0, 21600, kTallWindow);

  const Captions shown = CaptionsOn("11.03.2026");
  EXPECT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown.back(), "Nord: 5");
  const forms::Label& cell = window->lblJour[Cell("11.03.2026")];
  EXPECT_EQ(window->lblMore[1].Caption(), "+2");
  EXPECT_EQ(window->lblMore[1].Top(), cell.Top() + 6 * 300);
}

TEST_F(CalendarTest, AProjectNumberNoRecordCanHaveShowsUnderNoProjectFilter) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Hors liste", 2147483647);
  Add("04.03.2026 10:00", "04.03.2026 11:00", "Pose", 1);
  Open();
  user.Click(window->lblCategories[2]);
  EXPECT_EQ(CaptionsOn("04.03.2026"), Captions{"Sud: Pose"});
}

TEST_F(CalendarTest, OverlappingActivitiesOfAWeekColumnStandSideBySide) {
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Premier");
  Add("04.03.2026 09:30", "04.03.2026 11:00", "Second");
  mainwindow::frmMain& w = Open();
  Menu(2);

  ASSERT_EQ(Labels().size(), 2u);
  const forms::Label& first = w.lblActivite[1];
  const forms::Label& second = w.lblActivite[2];
  const double column = w.lblJour[2].Left();
  const double half = std::nearbyint(w.lblJour[0].Width() / 2);
  EXPECT_EQ(second.Left(), column);  // the later one stands left
  EXPECT_EQ(first.Left(), column + half);
  EXPECT_EQ(first.Width(), half);
}

}  // namespace
