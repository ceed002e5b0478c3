#include "app/mainwindow/day_cell_order.h"

#include <gtest/gtest.h>

#include "view_test_form.h"

namespace {

constexpr double kCellLeft = 2902;
constexpr double kCellTop = 3600;
constexpr double kCellHeight = 2100;

class DayCellOrder : public ::testing::Test {
 protected:
  DayCellOrder() {
    for (int i = 1; i <= 7; ++i) form.lblJour.Load(i);
    cell = form.lblJour.UBound();
    form.lblJour[cell].Move(kCellLeft, kCellTop, 2622, kCellHeight);
    form.lblJour[cell].SetTag("12.03.2031");
    form.lblJour[cell].SetVisible(true);
  }
  // A label in the cell at slot `slot` for record `record`.
  int Label(int record, int slot, double left = kCellLeft + 240) {
    const int index = form.AddLabel(left, kCellTop + slot * 300, 285, 2382);
    form.lblActivite[index].SetTag(std::to_string(record));
    return index;
  }
  void Order() {
    mainwindow::OrderDayCellActivities(form.lblJour, form.lblActivite, form.imgPeriode, planner);
  }
  double Slot(int label) const { return (form.lblActivite[label].Top() - kCellTop) / 300; }

  viewtest::ViewForm form;
  store::Planner planner;
  int cell = 0;
};

TEST_F(DayCellOrder, LabelsAreRestackedByStartTimeEqualTimesInCreationOrder) {
  planner.Activities = {"12.03.2031 14:00¦12.03.2031 15:00¦A¦0¦255-1",
                        "11.03.2031 08:30¦12.03.2031 10:00¦B¦0¦255-1",
                        "12.03.2031 08:30¦12.03.2031 09:00¦C¦0¦255-1"};
  const int afternoon = Label(0, 0);
  const int firstEarly = Label(1, 1);
  const int secondEarly = Label(2, 2);
  const int icon = form.AddIcon(afternoon);
  Order();
  EXPECT_EQ(Slot(firstEarly), 0);
  EXPECT_EQ(Slot(secondEarly), 1);
  EXPECT_EQ(Slot(afternoon), 2);
  EXPECT_EQ(form.lblActivite[afternoon].Left(), kCellLeft + 240);
  EXPECT_EQ(form.imgPeriode[icon].Top(), kCellTop + 600 + 285 - 165);
  EXPECT_EQ(form.imgPeriode[icon].Left(), kCellLeft + 240 + 2382 - 255);
}

TEST_F(DayCellOrder, ARepetitionAndALaterDaySortByTheirTimeOfDay) {
  // A daily activity begun months ago at 07:00, a one-off at 09:00 and a stay begun on
  // Monday at 18:00 (shown on this Wednesday too).
  planner.Activities = {"12.03.2031 09:00¦12.03.2031 10:00¦One-off¦0¦255-1",
                        "10.03.2031 18:00¦12.03.2031 20:00¦Stay¦0¦255-1",
                        "02.01.2031 07:00¦02.01.2031 07:30¦Daily¦0¦255-1-1"};
  const int oneOff = Label(0, 0);
  const int stay = Label(1, 1);
  const int daily = Label(2, 2);
  Order();
  EXPECT_EQ(Slot(daily), 0);
  EXPECT_EQ(Slot(oneOff), 1);
  EXPECT_EQ(Slot(stay), 2);
}

TEST_F(DayCellOrder, OnlyVisibleMembersOfDatedVisibleCellsMove) {
  planner.Activities = {"12.03.2031 14:00¦12.03.2031 15:00¦A¦0¦255-1",
                        "12.03.2031 08:00¦12.03.2031 09:00¦B¦0¦255-1"};
  const int late = Label(0, 1);
  const int early = Label(1, 3);
  const int hidden = Label(1, 5);
  form.lblActivite[hidden].SetVisible(false);
  const int atBottom = Label(1, 7);  // its top is the cell's bottom: not a member
  const int otherColumn = Label(1, 4, kCellLeft);
  Order();
  EXPECT_EQ(Slot(early), 0);
  EXPECT_EQ(Slot(late), 1);
  EXPECT_EQ(Slot(hidden), 5);
  EXPECT_EQ(Slot(atBottom), 7);
  EXPECT_EQ(Slot(otherColumn), 4);

  // Without a date in its Tag, or hidden, the cell is left alone.
  form.lblActivite[late].SetTop(kCellTop + 900);
  form.lblJour[cell].SetTag("");
  Order();
  EXPECT_EQ(Slot(late), 3);
  form.lblJour[cell].SetTag("12.03.2031");
  form.lblJour[cell].SetVisible(false);
  Order();
  EXPECT_EQ(Slot(late), 3);
}

TEST_F(DayCellOrder, UnreadableRecordsSortAsMidnightWithoutHarm) {
  planner.Activities = {"12.03.2031 10:00¦12.03.2031 11:00¦A¦0¦255-1", "garbled"};
  const int readable = Label(0, 0);
  const int garbled = Label(1, 1);
  const int noRecord = Label(57, 2);
  Order();
  EXPECT_EQ(Slot(garbled), 0);
  EXPECT_EQ(Slot(noRecord), 1);
  EXPECT_EQ(Slot(readable), 2);
}

}  // namespace
