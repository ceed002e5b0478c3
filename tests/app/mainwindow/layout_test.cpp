// The main window lays its areas out again when its size changes.
#include "forms/user_driver.h"
#include "window_fixture.h"

namespace {

TEST_F(WindowTest, EnlargingTheWindowEnlargesTheAreasByTheSameAmount) {
  mainwindow::frmMain& w = Open();
  const double calendarWidth = w.fraCalendar.Width();
  const double calendarHeight = w.fraCalendar.Height();
  const double gridWidth = w.MSFlexGrid1.Width();
  const double chatLeft = w.fraimgCrisp.Left();
  const double pdfLeft = w.shMenu[7].Left();
  w.fraCrisp.SetVisible(true);

  w.Move(w.Left(), w.Top(), w.Width() + 1000, w.Height() + 1000);

  EXPECT_EQ(w.fraCalendar.Width(), calendarWidth + 1000);
  EXPECT_EQ(w.fraCalendar.Height(), calendarHeight + 1000);
  EXPECT_EQ(w.MSFlexGrid1.Width(), gridWidth + 1000);
  EXPECT_EQ(w.fraimgCrisp.Left(), chatLeft + 1000);
  EXPECT_EQ(w.fraMenus.Height(), w.Height());
  EXPECT_EQ(w.fraTitre.Left() + w.fraTitre.Width(),
            w.fraCalendar.Left() + w.fraCalendar.Width());
  EXPECT_EQ(w.fraMenuCalendar.Left() + w.fraMenuCalendar.Width(), w.fraTitre.Left());
  EXPECT_EQ(w.shMenu[7].Left(), pdfLeft + 1000);
  EXPECT_EQ(w.lblAffiche[7].Left(), w.shMenu[7].Left() + 720);
  EXPECT_FALSE(w.fraCrisp.Visible());
}

TEST_F(WindowTest, LayoutRunsOncePerChangeOfSize) {
  mainwindow::frmMain& w = Open();
  world.screen.history.clear();

  w.Move(w.Left(), w.Top(), w.Width() + 15, w.Height());
  w.Move(w.Left() + 300, w.Top(), w.Width(), w.Height());  // moved, not resized

  EXPECT_EQ(world.screen.history.size(), 1u);
}

TEST_F(WindowTest, MinimisingChangesNothingButThePointer) {
  mainwindow::frmMain& w = Open();
  w.fraCrisp.SetVisible(true);
  const double calendarWidth = w.fraCalendar.Width();
  world.screen.history.clear();

  w.SetWindowState(forms::kWindowMinimized);

  EXPECT_EQ(w.fraCalendar.Width(), calendarWidth);
  EXPECT_TRUE(w.fraCrisp.Visible());
  EXPECT_EQ(world.screen.history, std::vector<int>{forms::kDefaultPointer});
}

TEST_F(WindowTest, AWindowTooSmallForTheMarginsKeepsWhatWouldBeNegative) {
  mainwindow::frmMain& w = Open();
  const double calendarWidth = w.fraCalendar.Width();
  const double gridWidth = w.MSFlexGrid1.Width();

  w.Move(w.Left(), w.Top(), 3400, 9000);

  EXPECT_EQ(w.fraCalendar.Width(), calendarWidth);  // 3400 - 3555 < 0
  EXPECT_EQ(w.MSFlexGrid1.Width(), gridWidth);
  EXPECT_EQ(w.fraMenus.Height(), 9000);             // the steps after still ran
  EXPECT_EQ(w.fraimgCrisp.Left(), 3400 - 1400);
}

}  // namespace

namespace {

// Window coordinates of a control's rectangle.
struct Box {
  double left, top, right, bottom;
};

Box InWindow(const forms::Control& control) {
  double left = control.Left(), top = control.Top();
  for (forms::Control* frame = control.Parent().AsControl(); frame != nullptr;
       frame = frame->Parent().AsControl()) {
    left += frame->Left();
    top += frame->Top();
  }
  return {left, top, left + control.Width(), top + control.Height()};
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The frames the window lays out must not hide the week bar's controls or the day headers.
TEST_F(WindowTest, TheChatButtonAndTheTitleBarLeaveTheWeekViewUncovered) {
  mainwindow::frmMain& w = Open();
  for (double width : {16000.0, 21600.0, 28800.0}) {
    w.Move(w.Left(), w.Top(), width, 13200);
    forms::testing::UserDriver().Click(w.lblAffiche[2]);
    for (int k = 0; k <= 6; ++k) {
      EXPECT_FALSE(Overlap(InWindow(w.fraimgCrisp), InWindow(w.lblJour[k])))
          << "header " << k << " at window width " << width;
      EXPECT_FALSE(Overlap(InWindow(w.fraTitre), InWindow(w.lblJour[k])));
    }
    EXPECT_FALSE(Overlap(InWindow(w.fraTitre), InWindow(w.cmbHeures))) << width;
    EXPECT_FALSE(Overlap(InWindow(w.fraTitre), InWindow(w.lblPlage))) << width;
    EXPECT_LE(InWindow(w.lblJour[6]).right, w.ScaleWidth()) << width;
  }
}

}  // namespace
