#include "app/mainwindow/label_placement.h"

#include <gtest/gtest.h>

#include <tuple>

#include "view_test_form.h"

namespace {

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }

struct Placed {
  double top;
  double height;
};

class LabelPlacement : public ::testing::Test {
 protected:
  // Places an activity of 12.03.2031 (or the given end day) in the hour range `range`.
  Placed Place(int range, const char* start, const char* end) {
    form.LayOutHours(range);
    mainwindow::PositionActivityLabel(form.lblActivite, label, At(start), At(end), 3000, 2622,
                                      form.lblHeures, form.cmbHeures, form.lblInfo);
    return {form.lblActivite[label].Top(), form.lblActivite[label].Height()};
  }
  double RowTop(int row) const { return form.lblHeures[row].Top(); }
  // The grid's bottom border: the last row's bottom.
  double GridBottom() const { return RowTop(11) + form.lblHeures[11].Height(); }

  viewtest::ViewForm form;
  int label = form.AddLabel(0, 0, 285);
};

TEST_F(LabelPlacement, MinutesSnapToTheFullOrTheHalfHour) {
  // 07:00 - 19:00: the 14:00 row is row 7; a start at 14:30 lies half a row lower.
  Placed placed = Place(3, "12.03.2031 14:30", "12.03.2031 16:00");
  EXPECT_EQ(placed.top, RowTop(7) + 440);
  EXPECT_EQ(placed.height, RowTop(9) - RowTop(7) - 440);
  EXPECT_EQ(form.lblActivite[label].Left(), 3000);
  EXPECT_EQ(form.lblActivite[label].Width(), 2622);

  placed = Place(3, "12.03.2031 14:15", "12.03.2031 15:16");
  EXPECT_EQ(placed.top, RowTop(7));
  EXPECT_EQ(placed.height, 880 + 440);

  // 09:10 to 09:20: no whole row, half a row for the end minute.
  placed = Place(4, "12.03.2031 09:10", "12.03.2031 09:20");
  EXPECT_EQ(placed.top, RowTop(1));
  EXPECT_EQ(placed.height, 440);
  // 09:00 to 09:15 would have no height at all.
  placed = Place(4, "12.03.2031 09:00", "12.03.2031 09:15");
  EXPECT_EQ(placed.height, 285);

  // The 24-hour range has rows of 440 twips, and half-rows of 220.
  placed = Place(0, "12.03.2031 06:45", "12.03.2031 08:00");
  EXPECT_EQ(placed.top, 1140 + 6 * 440 + 220);
  EXPECT_EQ(placed.height, 440 + 220);
}

TEST_F(LabelPlacement, ActivitiesOutsideTheRangeStayAtItsEdges) {
  // 08:00 - 20:00: an activity from 06:00 starts at the range's first line and ends on its
  // row.
  Placed placed = Place(4, "12.03.2031 06:00", "12.03.2031 09:00");
  EXPECT_EQ(placed.top, RowTop(0));
  EXPECT_EQ(placed.height, RowTop(1) - RowTop(0));

  // Wholly after the range: inside the last row, on the grid's bottom border.
  for (const auto& [range, start, end] : {std::tuple{4, "12.03.2031 21:00", "12.03.2031 22:00"},
                                          std::tuple{3, "12.03.2031 19:30", "12.03.2031 21:00"}}) {
    placed = Place(range, start, end);
    EXPECT_EQ(placed.top + placed.height, GridBottom()) << start;
    EXPECT_GE(placed.top, RowTop(11)) << start;
  }

  // Wholly before the range: at its first line, at the least height.
  placed = Place(4, "12.03.2031 05:00", "12.03.2031 06:30");
  EXPECT_EQ(placed.top, RowTop(0));
  EXPECT_EQ(placed.height, 285);
}

TEST_F(LabelPlacement, AnActivityEndingOnALaterDayReachesTheLastRowsBottom) {
  // Begun after the range: inside the last row, on the grid's bottom border.
  Placed placed = Place(4, "12.03.2031 22:00", "13.03.2031 01:00");
  EXPECT_EQ(placed.top + placed.height, GridBottom());
  EXPECT_GE(placed.top, RowTop(11));

  placed = Place(4, "12.03.2031 10:00", "13.03.2031 01:00");
  EXPECT_EQ(placed.top + placed.height, GridBottom());

  // The same day of another month is another day too.
  placed = Place(4, "12.03.2031 10:00", "12.04.2031 11:00");
  EXPECT_EQ(placed.top + placed.height, GridBottom());
}

TEST_F(LabelPlacement, WithoutAChosenRangeLabelsArePlacedAsInTheFullDay) {
  form.LayOutHours(0);
  form.cmbHeures.SetListIndex(-1);
  form.lblInfo.SetVisible(true);
  mainwindow::PositionActivityLabel(form.lblActivite, label, At("12.03.2031 03:00"),
                                    At("12.03.2031 04:00"), 540, 2622, form.lblHeures,
                                    form.cmbHeures, form.lblInfo);
  EXPECT_EQ(form.lblActivite[label].Top(), RowTop(3));
  EXPECT_EQ(form.lblActivite[label].Height(), 440);
  EXPECT_FALSE(form.lblInfo.Visible());
}

}  // namespace
