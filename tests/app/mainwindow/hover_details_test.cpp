// The details pop-ups: `lblInfo` when the pointer reaches an activity label of the grids,
// `lblInfoAg` when an agenda line is clicked.
#include <algorithm>
#include <stdexcept>

#include "calendar_fixture.h"
#include "forms/hit_test.h"

namespace {

class HoverTest : public CalendarTest {
 protected:
  // The element of the visible activity label of record `record` drawn on `date`.
  int LabelOf(int record, const std::string& date) const {
    const forms::Label& cell = window->lblJour[Cell(date)];
    for (int i : window->lblActivite.Indexes()) {
      const forms::Label& label = window->lblActivite[i];
      if (i > 0 && label.Visible() && label.Tag() == std::to_string(record) &&
          label.Left() >= cell.Left() && label.Left() < cell.Left() + cell.Width())
        return i;
    }
    return -1;
  }

  void Hover(int label) { user.MoveMouse(window->lblActivite[label], 0, 100, 100); }

  // The width a pop-up takes for its text: the longest line and a one-pixel border each side.
  // The widest line, the border and the margin on both sides.
  double TextWidth(const forms::Label& popUp) const {
    double width = 0;
    for (const std::string& line : forms::CaptionLines(popUp.Caption()))
      width = std::max(width, window->Metrics().TextWidth(popUp.Font(), line));
    return width + 30 + 2 * popUp.Padding();
  }

  static bool InFront(const forms::Label& popUp) {
    const auto& siblings = popUp.Parent().Children();
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
      if ((*it)->IsWindowless()) return *it == &popUp;
    return false;
  }
};

TEST_F(HoverTest, AMonthLabelShowsItsActivityBelowItFromTheCellsLeftEdge) {
  planner.Resources[1] = "Anne\u00A61";  // deactivated
  Add("03.03.2026 14:00", "03.03.2026 15:30", "Pose", 1, "255-0", {1, 7, 0});
  mainwindow::frmMain& w = Open();
  const int i = LabelOf(0, "03.03.2026");
  ASSERT_GT(i, 0);
  const forms::Label& label = w.lblActivite[i];

  Hover(i);
  const forms::Label& info = w.lblInfo;
  ASSERT_TRUE(info.Visible());
  // Resource 7 does not exist; a deactivated one shows its record as stored.
  EXPECT_EQ(info.Caption(), "Sud\nPose\n14:00 - 15:30\navec :\n-Anne\u00A61\n-Ann");
  EXPECT_EQ(info.Left(), w.lblJour[Cell("03.03.2026")].Left());
  EXPECT_EQ(info.Top(), label.Top() + 285);
  EXPECT_EQ(info.Width(), std::max(TextWidth(info), label.Width() + 240));
  EXPECT_FALSE(info.AutoSize());
  EXPECT_EQ(info.BackColor(), forms::kWindowBackground);
  EXPECT_EQ(info.ForeColor(), forms::kWindowText);
  EXPECT_EQ(info.BorderStyle(), 1);
  // Drawn as an enabled label, it lets the pointer through to what lies under it.
  EXPECT_TRUE(info.Enabled());
  EXPECT_GT(info.Padding(), 0);
  EXPECT_NE(forms::ChildAt(w.fraCalendar, info.Left() + 100, info.Top() + 100), &info);
  EXPECT_TRUE(InFront(info));
  EXPECT_EQ(w.LastHoverIndex, i);

  // Over a day cell the pop-up goes, and the same label shows it again.
  user.MoveMouse(w.lblJour[Cell("03.03.2026")], 0, 50, 50);
  EXPECT_FALSE(info.Visible());
  EXPECT_EQ(w.LastHoverIndex, 0);
  Hover(i);
  EXPECT_TRUE(info.Visible());
}

TEST_F(HoverTest, ALongTextWidensThePopUpAndANarrowOneKeeps240TwipsOverTheLabel) {
  Add("03.03.2026 08:00", "03.03.2026 09:00", "Réfection complète de la toiture du hangar Nord");
  Add("04.03.2026 08:00", "04.03.2026 09:00", "Pose");
  mainwindow::frmMain& w = Open();

  Hover(LabelOf(0, "03.03.2026"));
  EXPECT_EQ(w.lblInfo.Caption(),
            "Nord\nRéfection complète de la toiture du hangar Nord\n08:00 - 09:00");
  EXPECT_GT(TextWidth(w.lblInfo), w.lblActivite[1].Width() + 240);
  EXPECT_EQ(w.lblInfo.Width(), TextWidth(w.lblInfo));
  EXPECT_EQ(w.lblInfo.Height(),
            3 * w.Metrics().LineHeight(w.lblInfo.Font()) + 30 + 2 * w.lblInfo.Padding());

  const int pose = LabelOf(1, "04.03.2026");
  Hover(pose);
  EXPECT_EQ(w.lblInfo.Caption(), "Nord\nPose\n08:00 - 09:00");
  EXPECT_EQ(w.lblInfo.Width(), w.lblActivite[pose].Width() + 240);
  EXPECT_EQ(w.lblInfo.Left(), w.lblJour[Cell("04.03.2026")].Left());
}

TEST_F(HoverTest, AWeekOccurrenceShowsTheTimesOfItsActivityAtTheLabelsOwnLeft) {
  Add("02.03.2026 09:15", "02.03.2026 10:45", "Réunion", 0, "255-0-1-06.03.2026");
  Add("03.03.2026 22:00", "05.03.2026 07:00", "Garde", 1, "65280-1", {2});
  mainwindow::frmMain& w = Open();
  Menu(2);

  const int thursday = LabelOf(0, "05.03.2026");
  ASSERT_GT(thursday, 0);
  Hover(thursday);
  EXPECT_EQ(w.lblInfo.Caption(), "Nord\nRéunion\n09:15 - 10:45");
  EXPECT_EQ(w.lblInfo.Left(), w.lblActivite[thursday].Left());
  EXPECT_EQ(w.lblInfo.Top(), w.lblActivite[thursday].Top() + 285);
  EXPECT_EQ(w.lblInfo.Width(),
            std::max(TextWidth(w.lblInfo), w.lblActivite[thursday].Width() + 240));

  // Times only, never dates, for an activity over several days.
  Hover(LabelOf(1, "04.03.2026"));
  EXPECT_EQ(w.lblInfo.Caption(), "Sud\nGarde\n22:00 - 07:00\navec :\n-Box #1");

  // Switching the view hides it.
  Menu(3);
  EXPECT_FALSE(w.lblInfo.Visible());
}

TEST_F(HoverTest, MovingWithinOneLabelDoesNotBuildThePopUpAgain) {
  Add("03.03.2026 08:00", "03.03.2026 09:00", "Pose");
  Add("04.03.2026 08:00", "04.03.2026 09:00", "Dépose");
  mainwindow::frmMain& w = Open();
  const int pose = LabelOf(0, "03.03.2026");
  Hover(pose);
  ASSERT_EQ(w.lblInfo.Caption(), "Nord\nPose\n08:00 - 09:00");

  // The record changes behind the drawing: only a new request reads it.
  planner.Activities[0] = "03.03.2026 08:00\u00A603.03.2026 11:00\u00A6Pose\u00A60\u00A6255-0";
  user.MoveMouse(w.lblActivite[pose], 0, 400, 120);
  user.MoveMouse(w.lblActivite[pose], 0, 10, 10);
  EXPECT_EQ(w.lblInfo.Caption(), "Nord\nPose\n08:00 - 09:00");

  const int depose = LabelOf(1, "04.03.2026");
  Hover(depose);
  EXPECT_EQ(w.lblInfo.Caption(), "Nord\nDépose\n08:00 - 09:00");
  EXPECT_EQ(w.lblInfo.Left(), w.lblJour[Cell("04.03.2026")].Left());
  Hover(pose);
  EXPECT_EQ(w.lblInfo.Caption(), "Nord\nPose\n08:00 - 11:00");
}

TEST_F(HoverTest, AfterARedrawTheLabelOfTheSameIndexWaitsForTheDayCell) {
  Add("03.03.2026 08:00", "03.03.2026 09:00", "Pose");
  mainwindow::frmMain& w = Open();
  const int pose = LabelOf(0, "03.03.2026");
  Hover(pose);
  user.Click(w.lblRight);  // each month change hides the pop-up and redraws
  user.Click(w.lblLeft);
  ASSERT_FALSE(w.lblInfo.Visible());
  ASSERT_EQ(LabelOf(0, "03.03.2026"), pose);

  Hover(pose);
  EXPECT_FALSE(w.lblInfo.Visible());
  user.MoveMouse(w.lblJour[Cell("03.03.2026")], 0, 50, 50);
  Hover(pose);
  EXPECT_TRUE(w.lblInfo.Visible());
}

TEST_F(HoverTest, AnotherLabelWhereThePopUpsLabelStoodHidesIt) {
  Add("02.03.2026 08:00", "02.03.2026 09:00", "Tri");
  Add("03.03.2026 08:00", "03.03.2026 09:00", "Pose");
  Add("03.03.2026 10:00", "03.03.2026 11:00", "Dépose");
  mainwindow::frmMain& w = Open();
  const int depose = LabelOf(2, "03.03.2026");
  Hover(depose);
  ASSERT_TRUE(w.lblInfo.Visible());

  // "Tri" moves to a later day: "Dépose" stays in place under another element number.
  planner.Activities[0] = "05.03.2026 08:00\u00A605.03.2026 09:00\u00A6Tri\u00A60\u00A6255-0";
  w.DrawCalendar(false, false, false);
  const int moved = LabelOf(2, "03.03.2026");
  ASSERT_NE(moved, depose);
  ASSERT_EQ(w.lblInfo.Top(), w.lblActivite[moved].Top() + 285);
  Hover(moved);
  EXPECT_FALSE(w.lblInfo.Visible());
  EXPECT_EQ(w.LastHoverIndex, moved);
}

TEST_F(HoverTest, ALabelOfAnActivityThatCannotBeReadShowsNothing) {
  Add("03.03.2026 08:00", "03.03.2026 09:00", "Pose");
  mainwindow::frmMain& w = Open();
  const int pose = LabelOf(0, "03.03.2026");
  planner.Activities[0] = "03.03.2026 08:00\u00A603.03.2026 09:00\u00A6Pose\u00A69\u00A6255-0";
  Hover(pose);
  EXPECT_FALSE(w.lblInfo.Visible());
  planner.Activities[0] = "03.03.2026 08:00";
  w.lblActivite[pose].SetTag("x");
  user.MoveMouse(w.lblJour[Cell("03.03.2026")], 0, 50, 50);
  Hover(pose);
  EXPECT_FALSE(w.lblInfo.Visible());
}

class AgendaHoverTest : public HoverTest {
 protected:
  // The agenda line whose caption is `caption`.
  forms::Label& Line(const std::string& caption) {
    for (int i : window->lblDetail.Indexes())
      if (i > 0 && window->lblDetail[i].Caption() == caption) return window->lblDetail[i];
    throw std::runtime_error("no line " + caption);
  }
};

TEST_F(AgendaHoverTest, AClickOnALineShowsItsDetailsAndASecondClickHidesThem) {
  Add("03.03.2026 14:00", "03.03.2026 15:30", "Pose", 1, "255-0", {0, 3});
  Add("02.03.2026 09:00", "02.03.2026 10:00", "Point", 0, "255-0-2");
  mainwindow::frmMain& w = Open();
  Menu(1);
  const forms::Label& info = w.lblInfoAg;

  forms::Label& pose = Line("14:00 Sud: Pose");
  user.Click(pose);
  ASSERT_TRUE(info.Visible());
  EXPECT_EQ(info.Caption(), "Sud\nPose\n14:00 - 15:30\navec :\n-Ann\n-[A");
  EXPECT_EQ(info.Left(), pose.Left());
  EXPECT_EQ(info.Top(), pose.Top() + 285);
  EXPECT_EQ(info.Width(), std::max(TextWidth(info), pose.Width() + 240));
  EXPECT_EQ(info.BackColor(), forms::kWindowBackground);
  EXPECT_EQ(info.ForeColor(), forms::kWindowText);
  EXPECT_TRUE(InFront(info));
  user.Click(pose);
  EXPECT_FALSE(info.Visible());

  // A weekly repetition, clicked on a later week, moves the pop-up to its line.
  user.Click(pose);
  forms::Label& repetition = Line("09:00 Nord: Point");
  ASSERT_NE(repetition.Tag(), "");
  forms::Label* later = nullptr;
  for (int i : w.lblDetail.Indexes())
    if (i > 0 && w.lblDetail[i].Caption() == "09:00 Nord: Point") later = &w.lblDetail[i];
  ASSERT_NE(later, &repetition);
  user.Click(*later);
  EXPECT_TRUE(info.Visible());
  EXPECT_EQ(info.Caption(), "Nord\nPoint\n09:00 - 10:00");
  EXPECT_EQ(info.Top(), later->Top() + 285);
  EXPECT_EQ(info.Width(), later->Width() + 240);
}

TEST_F(AgendaHoverTest, ThePointerOverTheBackgroundOrADayHeadingHidesThePopUp) {
  Add("03.03.2026 14:00", "03.03.2026 15:30", "Pose");
  mainwindow::frmMain& w = Open();
  Menu(1);
  forms::Label& pose = Line("14:00 Nord: Pose");

  user.Click(pose);
  ASSERT_TRUE(w.lblInfoAg.Visible());
  user.MoveMouse(w.fraAgenda, 0, 50, 50);
  EXPECT_FALSE(w.lblInfoAg.Visible());

  user.Click(pose);
  ASSERT_TRUE(w.lblInfoAg.Visible());
  user.MoveMouse(w.lblDate[1], 0, 50, 50);
  EXPECT_FALSE(w.lblInfoAg.Visible());
}

// A save or the settings dialog redraws the agenda: the lines are new, the pop-up goes.
TEST_F(AgendaHoverTest, ARedrawOfTheAgendaTakesThePopUpAway) {
  Add("03.03.2026 14:00", "03.03.2026 15:30", "Pose");
  mainwindow::frmMain& w = Open();
  Menu(1);
  user.Click(Line("14:00 Nord: Pose"));
  ASSERT_TRUE(w.lblInfoAg.Visible());
  w.DrawAgenda();
  EXPECT_FALSE(w.lblInfoAg.Visible());
}

}  // namespace
