// Where the grid views put their columns, rows and captions.
#include <set>

#include "app/store/data_file.h"
#include "calendar_fixture.h"

namespace {

TEST_F(CalendarTest, ColumnsShareTheFrameWidthWithAFortyTwipGap) {
  mainwindow::frmMain& w = Open();
  w.fraCalendar.SetWidth(19215);
  w.fraCalendar.SetHeight(kTallWindow - 760);

  w.DrawCalendar(false, false, false);
  EXPECT_EQ(w.lblJour[0].Left(), 240);
  EXPECT_EQ(w.lblJour[0].Width(), 2622);
  EXPECT_EQ(w.lblJour[1].Left() - w.lblJour[0].Left(), 2662);
  EXPECT_EQ(w.lblJour[6].Left(), 240 + 6 * 2662);
  EXPECT_EQ(w.lblActivite[0].Width(), 2622 - 240);
  EXPECT_EQ(w.lblJour[7].Height(), 2100);

  Menu(2);  // week
  EXPECT_EQ(w.lblJour[0].Left(), 540);
  EXPECT_EQ(w.lblJour[0].Width(), 2622);
  EXPECT_EQ(w.lblJour[3].Left() - w.lblJour[2].Left(), 2662);
  EXPECT_EQ(w.lblActivite[0].Width(), 2622);
  EXPECT_EQ(w.lblJour[7].Height(), 10560);
  // A separator after each day column, from the header's top.
  EXPECT_TRUE(w.Line3[6].Visible());
  EXPECT_EQ(w.Line3[0].X1(), 540 + 2622 + 10);
  EXPECT_EQ(w.Line3[0].Y1(), w.lblJour[0].Top());

  Menu(3);  // work week
  EXPECT_EQ(w.lblJour[0].Width(), 3671);
  EXPECT_TRUE(w.lblJour[4].Visible());
  EXPECT_FALSE(w.lblJour[5].Visible());
  EXPECT_FALSE(w.lblJour[6].Visible());
  EXPECT_FALSE(w.Line3[5].Visible());
  EXPECT_EQ(Cell("06.03.2026"), 11);
  EXPECT_EQ(Cell("07.03.2026"), -1);
}

TEST_F(CalendarTest, AMonthBeginningOnASundayHasSixRows) {
  mainwindow::frmMain& w = Open();  // March 2026

  const forms::Label& first = w.lblJour[7];
  EXPECT_EQ(first.Tag(), "01.03.2026");
  EXPECT_EQ(first.Caption(), "1");
  EXPECT_TRUE(first.Font().bold);
  EXPECT_EQ(first.Left(), w.lblJour[6].Left());  // alone in the Sunday column
  EXPECT_EQ(first.Top(), w.lblJour[0].Top() + w.lblJour[0].Height() + 40);
  EXPECT_EQ(w.lblJour[8].Left(), w.lblJour[0].Left());
  // At the window's first size the six rows share the frame's height, the last one in view.
  EXPECT_LT(first.Height(), 2100);
  EXPECT_EQ(w.lblJour[8].Top(), first.Top() + first.Height() + 40);
  EXPECT_LE(w.lblJour[37].Top() + w.lblJour[37].Height(), w.fraCalendar.Height());

  std::set<double> rows;
  for (int j = 7; j <= 37; ++j) {
    EXPECT_TRUE(w.lblJour[j].Visible());
    rows.insert(w.lblJour[j].Top());
  }
  EXPECT_EQ(rows.size(), 6u);
  EXPECT_EQ(w.lblJour[37].Tag(), "31.03.2026");
  // Today's number is ringed.
  EXPECT_TRUE(w.shToday.Visible());
  EXPECT_EQ(w.shToday.Left(), w.lblJour[8].Left() - 60);
  EXPECT_EQ(w.shToday.Top(), w.lblJour[8].Top() - 60);

  // With room enough, cells are 2100 twips high.
  w.Move(0, 0, 21600, kTallWindow);
  EXPECT_EQ(w.lblJour[8].Top(), first.Top() + 2100 + 40);
}

TEST_F(CalendarTest, AShortMonthLeavesItsLastCellsHiddenAndWithoutDate) {
  mainwindow::frmMain& w = Open();
  w.CurrentDate = Date("15.02.2027");  // a common February beginning on a Monday
  w.DrawCalendar(false, false, false);

  std::set<double> rows;
  for (int j = 7; j <= 34; ++j) rows.insert(w.lblJour[j].Top());
  EXPECT_EQ(rows.size(), 4u);
  EXPECT_EQ(w.lblJour[7].Left(), w.lblJour[0].Left());
  for (int j = 35; j <= 37; ++j) {
    EXPECT_FALSE(w.lblJour[j].Visible());
    EXPECT_EQ(w.lblJour[j].Tag(), "");
  }
  EXPECT_FALSE(w.shToday.Visible());
}

TEST_F(CalendarTest, WeekHeadersNameTheDaysOfTheWeekFromMonday) {
  mainwindow::frmMain& w = Open();
  w.CurrentDate = Date("09.03.2031");  // a Sunday: its week began six days before
  Menu(2);

  EXPECT_EQ(w.lblJour[0].Caption(), "Lundi 3 mars");
  EXPECT_EQ(w.lblJour[6].Caption(), "Dimanche 9 mars");
  EXPECT_EQ(w.lblJour[2].Alignment(), forms::kAlignCenter);
  EXPECT_EQ(w.lblSemaine.Caption(), "Semaine du \n3.03 au 9.03.2031");
  EXPECT_EQ(w.lblJour[7].Tag(), "03.03.2031");
  EXPECT_EQ(w.lblJour[7].Caption(), "");
  EXPECT_EQ(w.lblJour[13].Tag(), "09.03.2031");
  EXPECT_FALSE(w.shToday.Visible());

  w.CurrentDate = Date("03.03.2031");  // a Monday starts its own week
  Menu(3);
  EXPECT_EQ(w.lblSemaine.Caption(), "Semaine du \n3.03 au 7.03.2031");
  EXPECT_EQ(w.lblJour[4].Caption(), "Vendredi 7 mars");

  // Today's header is ringed.
  w.CurrentDate = Date("04.03.2026");
  Menu(2);
  EXPECT_TRUE(w.shToday.Visible());
  EXPECT_EQ(w.shToday.Left(), w.lblJour[0].Left());
  EXPECT_EQ(w.shToday.Top(), w.lblJour[0].Top() - 80);
  EXPECT_EQ(w.shToday.Height(), 500);

  // Back in the month view the headers are plain weekday names, aligned as designed.
  Menu(0);
  EXPECT_EQ(w.lblJour[0].Caption(), "Lundi");
  EXPECT_EQ(w.lblJour[6].Caption(), "Dimanche");
  EXPECT_TRUE(w.lblJour[6].Visible());
  for (int k = 0; k < 7; ++k) EXPECT_EQ(w.lblJour[k].Alignment(), forms::kAlignLeft) << k;
}

TEST_F(CalendarTest, TheHourScaleFollowsTheChosenRangeInTheWeekViewsOnly) {
  mainwindow::frmMain& w = Open();
  EXPECT_FALSE(w.lblHeures[0].Visible());

  Menu(3);  // "07:00 - 19:00" is the default range
  EXPECT_TRUE(w.lblHeures[11].Visible());
  EXPECT_FALSE(w.lblHeures[12].Visible());
  EXPECT_EQ(w.lblHeures[0].Tag(), "7");
  EXPECT_EQ(w.Line1[0].X2(), w.lblJour[4].Left() + w.lblJour[4].Width());

  user.Choose(w.cmbHeures, 0);
  EXPECT_FALSE(w.lblJour[5].Visible());  // still the work week
  EXPECT_TRUE(w.lblHeures[23].Visible());
  EXPECT_EQ(w.lblHeures[23].Caption(), "23:00");
  EXPECT_EQ(store::ReadIni("PARAM", "Heure", planner.DataFile), "0");

  Menu(0);
  EXPECT_FALSE(w.lblHeures[0].Visible());
  EXPECT_FALSE(w.Line1[0].Visible());
  w.cmbHeures.SetListIndex(2);  // in the month view the range changes nothing
  EXPECT_FALSE(w.lblHeures[0].Visible());
  EXPECT_EQ(store::ReadIni("PARAM", "Heure", planner.DataFile), "0");
}

}  // namespace
