#include "app/mainwindow/hour_grid.h"

#include <gtest/gtest.h>

#include "view_test_form.h"

namespace {

class HourGrid : public ::testing::Test {
 protected:
  HourGrid() {
    // Seven day headers of a week view, 2622 wide at a pitch of 2662 from 540.
    form.lblJour[0].Move(540, 840, 2622, 320);
    for (int k = 1; k <= 6; ++k) form.lblJour.Load(k).Move(540 + k * 2662, 840, 2622, 320);
    for (int k = 0; k <= 6; ++k) form.lblJour[k].SetVisible(true);
  }
  void LayOut(int range) {
    form.cmbHeures.SetListIndex(range);
    mainwindow::LayoutHourGrid(form.fraSemaine, form.cmbHeures, form.lblJour, form.lblHeures,
                               form.Line1, form.Line2);
  }
  int VisibleRows() const {
    int rows = 0;
    for (int r = 0; r <= 23; ++r) rows += form.lblHeures[r].Visible() ? 1 : 0;
    return rows;
  }

  viewtest::ViewForm form;
  const double sundayRight = 540 + 6 * 2662 + 2622;
};

TEST_F(HourGrid, TheFullDayHas24RowsWithoutHalfHourLines) {
  LayOut(0);
  EXPECT_EQ(VisibleRows(), 24);
  for (int r = 0; r <= 23; ++r) {
    EXPECT_EQ(form.lblHeures[r].Top(), 1140 + r * 440);
    EXPECT_EQ(form.lblHeures[r].Height(), 440);
    EXPECT_EQ(form.lblHeures[r].Tag(), std::to_string(r));
    EXPECT_TRUE(form.Line1[r].Visible());
    EXPECT_FALSE(form.Line2[r].Visible());
  }
  EXPECT_EQ(form.lblHeures[7].Caption(), "07:00");
  EXPECT_EQ(form.lblHeures[23].Caption(), "23:00");
  const forms::Line& underFirst = form.Line1[0];
  EXPECT_EQ(underFirst.X1(), 495 + 20);
  EXPECT_EQ(underFirst.X2(), sundayRight);
  EXPECT_EQ(underFirst.Y1(), 1140 + 440);
  EXPECT_EQ(underFirst.Y2(), 1140 + 440);
}

TEST_F(HourGrid, TwelveHourRangesHaveHalfHourLinesButOnTheLastRow) {
  LayOut(0);
  LayOut(1);  // 05:00 - 17:00
  EXPECT_EQ(VisibleRows(), 12);
  EXPECT_EQ(form.lblHeures[0].Caption(), "05:00\n\n05:30");
  EXPECT_EQ(form.lblHeures[11].Caption(), "16:00\n\n16:30");
  EXPECT_EQ(form.lblHeures[11].Tag(), "16");
  EXPECT_EQ(form.lblHeures[11].Top(), 1140 + 11 * 880);
  for (int r = 0; r <= 10; ++r) {
    EXPECT_TRUE(form.Line2[r].Visible()) << r;
    EXPECT_EQ(form.Line2[r].Y1(), 1140 + r * 880 + 440);
  }
  for (int r = 11; r <= 23; ++r) EXPECT_FALSE(form.Line2[r].Visible()) << r;
  for (int r = 12; r <= 23; ++r) EXPECT_FALSE(form.Line1[r].Visible()) << r;

  LayOut(5);  // 09:00 - 21:00
  EXPECT_EQ(form.lblHeures[0].Tag(), "9");
  EXPECT_EQ(form.lblHeures[11].Caption(), "20:00\n\n20:30");
}

TEST_F(HourGrid, InTheWorkWeekTheLinesEndAtFriday) {
  form.lblJour[5].SetVisible(false);
  form.lblJour[6].SetVisible(false);
  LayOut(3);
  EXPECT_EQ(form.Line1[4].X2(), 540 + 4 * 2662 + 2622);
  EXPECT_EQ(form.Line2[4].X2(), 540 + 4 * 2662 + 2622);
}

TEST_F(HourGrid, WithoutAChosenRangeOneRowForMidnightIsShown) {
  LayOut(-1);
  EXPECT_EQ(VisibleRows(), 1);
  EXPECT_EQ(form.lblHeures[0].Caption(), "00:00\n\n00:30");
  EXPECT_EQ(form.lblHeures[0].Height(), 880);
  EXPECT_TRUE(form.Line1[0].Visible());
  EXPECT_FALSE(form.Line2[0].Visible());
}

TEST_F(HourGrid, OutsideTheWeekViewsNothingMoves) {
  form.fraSemaine.SetVisible(false);
  LayOut(0);
  EXPECT_EQ(form.lblHeures[0].Height(), 880);
  EXPECT_EQ(form.lblHeures[0].Caption(), "");
}

}  // namespace
