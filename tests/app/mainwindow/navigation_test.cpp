// Moving the shown date, the project bar, and clicks on the day cells.
#include "calendar_fixture.h"

namespace {

TEST_F(CalendarTest, MonthArrowsKeepTheDayOrTakeTheMonthsLastDay) {
  mainwindow::frmMain& w = Open();
  w.CurrentDate = Date("31.01.2026");
  user.Click(w.lblRight);
  EXPECT_EQ(w.CurrentDate, Date("28.02.2026"));
  EXPECT_EQ(w.lblMois.Caption(), "février 2026");
  EXPECT_EQ(w.lblMoisAg.Caption(), "février 2026");
  EXPECT_EQ(w.lblJour[7].Tag(), "01.02.2026");

  w.CurrentDate = Date("31.03.2026");
  user.Click(w.lblLeft);
  EXPECT_EQ(w.CurrentDate, Date("28.02.2026"));
  user.Click(w.lblLeft);
  EXPECT_EQ(w.CurrentDate, Date("28.01.2026"));
  EXPECT_EQ(w.lblMois.Caption(), "janvier 2026");
}

TEST_F(CalendarTest, WeekArrowsCrossMonthEndsAndKeepTheWorkWeek) {
  mainwindow::frmMain& w = Open();
  Menu(3);
  user.Click(w.lblLeftSem);
  EXPECT_EQ(w.CurrentDate, Date("23.02.2026"));
  EXPECT_EQ(w.lblSemaine.Caption(), "Semaine du \n23.02 au 27.02.2026");
  EXPECT_FALSE(w.lblJour[5].Visible());

  Menu(2);
  EXPECT_EQ(w.lblSemaine.Caption(), "Semaine du \n23.02 au 1.03.2026");
  EXPECT_EQ(w.lblJour[13].Tag(), "01.03.2026");
  w.CurrentDate = Date("29.03.2026");
  user.Click(w.lblRightSem);
  EXPECT_EQ(w.lblJour[0].Caption(), "Lundi 30 mars");
  EXPECT_EQ(w.lblJour[2].Caption(), "Mercredi 1 avril");
  EXPECT_TRUE(w.lblJour[6].Visible());

  // Choosing the month view after moving by weeks shows the month of the shown date.
  Menu(0);
  EXPECT_EQ(w.lblMois.Caption(), "avril 2026");
  EXPECT_EQ(w.lblJour[7].Tag(), "01.04.2026");
}

TEST_F(CalendarTest, TodayReturnsToTheCurrentMonthOrWeek) {
  mainwindow::frmMain& w = Open();
  w.CurrentDate = Date("10.07.2026");
  w.lblMois.SetCaption("juillet 2026");
  user.Click(w.imgToday[0]);
  EXPECT_EQ(w.CurrentDate, Date("02.03.2026"));
  EXPECT_EQ(w.lblMois.Caption(), "mars 2026");
  EXPECT_EQ(w.lblJour[7].Tag(), "01.03.2026");

  Menu(3);
  user.Click(w.lblRightSem);
  user.Click(w.imgToday[1]);  // the picture of the week bar
  EXPECT_EQ(w.lblJour[7].Tag(), "02.03.2026");
  EXPECT_FALSE(w.lblJour[5].Visible());
}

TEST_F(CalendarTest, TheMonthCalendarDropsDownAndMovesTheView) {
  mainwindow::frmMain& w = Open();
  Menu(2);
  user.Click(w.lblSemaine);
  EXPECT_TRUE(w.MonthView1.Visible());
  EXPECT_EQ(w.MonthView1.Left(), w.fraSemaine.Left());
  EXPECT_EQ(w.MonthView1.Value(), Date("02.03.2026"));
  user.PickDate(w.MonthView1, Date("20.03.2026"));
  EXPECT_FALSE(w.MonthView1.Visible());
  EXPECT_EQ(w.lblJour[7].Tag(), "16.03.2026");
  EXPECT_EQ(w.lblMois.Caption(), "mars 2026");

  Menu(0);
  user.Click(w.lblMois);
  EXPECT_EQ(w.MonthView1.Left(), w.fraMois.Left());
  user.PickDate(w.MonthView1, Date("05.05.2026"));
  EXPECT_EQ(w.lblMois.Caption(), "mai 2026");
  EXPECT_EQ(w.lblJour[7].Tag(), "01.05.2026");

  user.Click(w.lblMois);
  user.Click(w.lblMois);
  EXPECT_FALSE(w.MonthView1.Visible());
}

TEST_F(CalendarTest, ADoubleClickOpensTheEditorOnTheSlotUnderThePointer) {
  mainwindow::frmMain& w = Open();
  struct Opened {
    std::string date;
    int hour;
    int minute;
  };
  std::vector<Opened> opened;
  w.OpenNewActivity = [&](const std::string& date, int hour, int minute) {
    opened.push_back({date, hour, minute});
  };

  // The month view has no hour slots.
  user.DoubleClick(w.lblJour[Cell("12.03.2026")], 300, 900);
  user.DoubleClick(w.lblJour[3]);  // a weekday header
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].date, "12.03.2026");
  EXPECT_EQ(opened[0].hour, 0);
  EXPECT_EQ(opened[0].minute, 0);

  Menu(2);  // "07:00 - 19:00": rows of 880 twips from Top 1140
  forms::Label& wednesday = w.lblJour[Cell("04.03.2026")];
  user.DoubleClick(wednesday, 100, 0);  // 60 twips below the 07:00 row's top
  user.Press(wednesday, forms::kLeftButton, 100, 440);  // exactly 500 below
  EXPECT_EQ(w.ClickedHour, 7);
  EXPECT_EQ(w.ClickedMinute, 0);
  user.DoubleClick(wednesday, 100, 441);
  user.DoubleClick(wednesday, 100, 880 * 3 + 600);
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[1].date, "04.03.2026");
  EXPECT_EQ(opened[1].hour, 7);
  EXPECT_EQ(opened[1].minute, 0);
  EXPECT_EQ(opened[2].minute, 30);
  EXPECT_EQ(opened[3].hour, 10);
  EXPECT_EQ(opened[3].minute, 30);

  // Without an editor plugged in, nothing happens.
  w.OpenNewActivity = nullptr;
  user.DoubleClick(wednesday, 100, 0);
}

TEST_F(CalendarTest, TheProjectBarFiltersTheViewsAndWritesTheTitle) {
  Add("05.03.2026 09:00", "05.03.2026 10:00", "Nord seul", 0, "255-0", {0});
  Add("05.03.2026 10:00", "05.03.2026 11:00", "Sud seul", 1, "65280-1", {1});
  mainwindow::frmMain& w = Open();

  user.Click(w.lblCategories[2]);
  EXPECT_EQ(w.SelectedProjectFilter, 2);
  EXPECT_EQ(CaptionsOn("05.03.2026"), std::vector<std::string>{"Sud: Sud seul"});
  EXPECT_EQ(w.lblTitre.Caption(), "Projets Sud");
  EXPECT_EQ(w.ShSelProjet.Top(), w.lblCategories[2].Top() - 50);
  // The activity table follows: the row of the other project is folded away.
  EXPECT_EQ(w.MSFlexGrid1.RowHeight(1), 0);
  EXPECT_EQ(w.MSFlexGrid1.RowHeight(2), w.MSFlexGrid1.RowHeight(0));

  // With a resource chosen the redraw runs the resource list's handler, which writes the
  // title last, with the hours booked.
  w.lstRessources.SetListIndex(2);  // "Anne", booked for the Sud activity only
  user.Click(w.lblCategories[2]);
  EXPECT_EQ(w.lblTitre.Caption(), "Projets Sud\n (Anne - 1 Heures)");
  user.Click(w.lblCategories[0]);
  EXPECT_EQ(w.lblTitre.Caption(), "Anne - 1 Heures");
  EXPECT_EQ(CaptionsOn("05.03.2026"), std::vector<std::string>{"Sud: Sud seul"});
  w.lstRessources.SetListIndex(0);
  user.Click(w.lblCategories[0]);
  EXPECT_EQ(w.lblTitre.Caption(), "");
  EXPECT_EQ(CaptionsOn("05.03.2026").size(), 2u);

  // The week view keeps the filter.
  Menu(2);
  user.Click(w.lblCategories[1]);
  EXPECT_EQ(CaptionsOn("05.03.2026"), std::vector<std::string>{"Nord: Nord seul"});
  EXPECT_EQ(w.shMenu[2].FillColor(), forms::kButtonFace);
}

TEST_F(CalendarTest, FromTheAgendaTheProjectBarReturnsToTheLastGridView) {
  mainwindow::frmMain& w = Open();
  Menu(1);
  EXPECT_FALSE(w.fraCalendar.Visible());
  user.Click(w.lblCategories[1]);  // the month bar is still set visible under the agenda
  EXPECT_TRUE(w.fraCalendar.Visible());
  EXPECT_FALSE(w.fraAgenda.Visible());
  EXPECT_EQ(w.shMenu[0].FillColor(), forms::kButtonFace);

  Menu(2);
  Menu(1);
  user.Click(w.lblCategories[0]);  // after a week view the agenda is drawn again
  EXPECT_TRUE(w.fraAgenda.Visible());
  EXPECT_TRUE(w.fraMenuCalendar.Visible());
  EXPECT_EQ(w.shMenu[1].FillColor(), forms::kButtonFace);
}

TEST_F(CalendarTest, TheProjectBarScrollsByRowsAndItsMarkerFollows) {
  planner.Categories.clear();
  for (int i = 0; i < 20; ++i) planner.Categories.push_back("P" + std::to_string(i) + "\u00A6255-0");
  mainwindow::frmMain& w = Open();
  EXPECT_EQ(w.scrollCat.Max(), 20);
  user.Click(w.lblCategories[6]);
  const double marker = w.ShSelProjet.Top();

  user.Scroll(w.scrollCat, 5);
  EXPECT_EQ(w.lblCategories[5].Top(), 60);
  EXPECT_EQ(w.lblCategories[0].Top(), -1440);
  EXPECT_EQ(w.lblCategories[20].Top(), 60 + 15 * 300);
  EXPECT_EQ(w.ShSelProjet.Top(), marker - 1500);
  EXPECT_EQ(w.ShSelProjet.Top(), w.lblCategories[6].Top() - 50);
}

}  // namespace
