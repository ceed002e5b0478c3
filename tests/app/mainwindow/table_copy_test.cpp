// The copy button: the activity table's visible cells on the clipboard as tab-separated
// text, and the blue frame that shows the button pressed.
#include <gtest/gtest.h>

#include <string>

#include "calendar_fixture.h"

namespace {

const std::string kHeader =
    "Début\tFin\tActivités\tProjets\tRess. / Pers.1\tPériodicité";

class TableCopyTest : public CalendarTest {
 protected:
  TableCopyTest() {
    Add("05.03.2026 09:00", "05.03.2026 10:30", "Pose", 0, "255-0", {2});
    Add("06.03.2026 08:00", "06.03.2026 09:00", "Visite", 1, "65280-1-2");
  }
  std::string Copied() {
    user.Click(window->imgCopy);
    return world.clipboard.text;
  }

  forms::testing::UserDriver user;
};

TEST_F(TableCopyTest, VisibleCellsAreSeparatedByTabsAndRowsByCrLf) {
  Open();
  EXPECT_EQ(Copied(), kHeader +
                          "\r\n05.03.2026 09:00\t05.03.2026 10:30\tPose\tNord\tBox #1\t"
                          "\r\n06.03.2026 08:00\t06.03.2026 09:00\tVisite\tSud\t\thebdomadaire");
  EXPECT_EQ(world.clipboard.clears, 1);
  EXPECT_TRUE(window->MSFlexGrid1.Redraw());
  EXPECT_FALSE(window->MSFlexGrid1.Visible());
}

TEST_F(TableCopyTest, RowsHiddenByTheProjectBarAreLeftOut) {
  Open();
  user.Click(window->lblCategories[2]);  // "Sud"
  EXPECT_EQ(Copied(), kHeader +
                          "\r\n06.03.2026 08:00\t06.03.2026 09:00\tVisite\tSud\t\thebdomadaire");

  // The last row hidden leaves the line break after the row before it.
  user.Click(window->lblCategories[1]);  // "Nord"
  EXPECT_EQ(Copied(), kHeader + "\r\n05.03.2026 09:00\t05.03.2026 10:30\tPose\tNord\tBox #1\t"
                                "\r\n");
}

TEST_F(TableCopyTest, AHiddenLastColumnLeavesATabAtEveryRowsEnd) {
  Open();
  window->MSFlexGrid1.SetColWidth(16, 0);
  window->MSFlexGrid1.SetColWidth(5, 0);
  EXPECT_EQ(Copied(),
            "Début\tFin\tActivités\tProjets\t"
            "\r\n05.03.2026 09:00\t05.03.2026 10:30\tPose\tNord\t"
            "\r\n06.03.2026 08:00\t06.03.2026 09:00\tVisite\tSud\t");
}

TEST_F(TableCopyTest, TheHeaderRowAloneHasNoLineBreak) {
  planner.Activities.clear();
  Open();
  EXPECT_EQ(Copied(), kHeader);
}

TEST_F(TableCopyTest, NothingVisibleLeavesTheClipboardAsItWas) {
  Open();
  world.clipboard.text = "gardé";
  for (int r = 0; r < window->MSFlexGrid1.Rows(); ++r) window->MSFlexGrid1.SetRowHeight(r, 0);
  EXPECT_EQ(Copied(), "gardé");
  EXPECT_EQ(world.clipboard.clears, 0);
  EXPECT_EQ(world.clipboard.sets, 0);
}

TEST_F(TableCopyTest, TheButtonLooksPressedWhileTheMouseButtonIsDown) {
  Open();
  forms::Image& button = window->imgCopy;
  EXPECT_FALSE(window->shSelect.Visible());
  user.Press(button, forms::kRightButton, 100, 100);
  EXPECT_TRUE(window->shSelect.Visible());
  EXPECT_EQ(window->shSelect.BorderColor(), 0xFF0000u);
  // Released after the pointer left the button: the frame goes all the same.
  user.Release(button, forms::kRightButton, -800, 900);
  EXPECT_FALSE(window->shSelect.Visible());
  EXPECT_TRUE(world.clipboard.text.empty());  // no click, no copy
}

}  // namespace
