// Dragging the activity editor, the resource panel and the project panel by their surface.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "forms/user_driver.h"
#include "window_fixture.h"

namespace {

class PanelDragTest : public WindowTest {
 protected:
  // Each panel with the name its error messages give it.
  struct Panel {
    forms::Frame mainwindow::frmMain::*frame;
    const char* name;
  };
  static constexpr Panel kPanels[] = {{&mainwindow::frmMain::fraActivite, "fraActivite"},
                                      {&mainwindow::frmMain::fraRessources, "fraressources"},
                                      {&mainwindow::frmMain::fraCategorie, "fraCategorie"}};

  forms::Frame& Shown(const Panel& panel) {
    forms::Frame& frame = (*window).*panel.frame;
    frame.SetVisible(true);
    return frame;
  }
  std::string LastMessage() const {
    return world.dialogs.shown.empty() ? "" : world.dialogs.shown.back().prompt;
  }

  forms::testing::UserDriver user;
};

TEST_F(PanelDragTest, TheGrabbedPointFollowsThePointer) {
  Open();
  for (const Panel& panel : kPanels) {
    forms::Frame& frame = Shown(panel);
    const double left = frame.Left();
    const double top = frame.Top();

    user.Press(frame, forms::kLeftButton, 300, 200);
    EXPECT_TRUE(window->PanelDragging) << panel.name;
    EXPECT_EQ(frame.MousePointer(), forms::kSizeAllPointer) << panel.name;

    user.MoveMouse(frame, forms::kLeftButton, 700, 150);
    EXPECT_EQ(frame.Left(), left + 400) << panel.name;
    EXPECT_EQ(frame.Top(), top - 50) << panel.name;
    // The pointer held still: it stands on the grabbed point again, and nothing moves.
    user.MoveMouse(frame, forms::kLeftButton, 300, 200);
    EXPECT_EQ(frame.Left(), left + 400) << panel.name;
    EXPECT_EQ(frame.Top(), top - 50) << panel.name;

    user.Release(frame, forms::kLeftButton, 300, 200);
    EXPECT_FALSE(window->PanelDragging) << panel.name;
    EXPECT_EQ(frame.MousePointer(), forms::kDefaultPointer) << panel.name;
    user.MoveMouse(frame, 0, 900, 900);
    EXPECT_EQ(frame.Left(), left + 400) << panel.name;
    EXPECT_EQ(frame.Top(), top - 50) << panel.name;
  }
  EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST_F(PanelDragTest, PositionsAreWholeTwipsAHalfGoingToTheEvenNeighbour) {
  Open();
  forms::Frame& frame = Shown(kPanels[0]);
  frame.Move(3360, 2040);
  user.Press(frame, forms::kLeftButton, 100.5, 99.5);
  EXPECT_EQ(window->DragGrabX, 100);
  EXPECT_EQ(window->DragGrabY, 100);
  user.MoveMouse(frame, forms::kLeftButton, 201.5, 100.25);
  EXPECT_EQ(frame.Left(), 3462);
  EXPECT_EQ(frame.Top(), 2040);
}

TEST_F(PanelDragTest, OnlyTheLeftButtonAloneGrabsButAnyButtonDrops) {
  Open();
  forms::Frame& frame = Shown(kPanels[1]);
  const double left = frame.Left();
  for (int button : {forms::kRightButton, forms::kLeftButton | forms::kRightButton,
                     forms::kMiddleButton}) {
    user.Press(frame, button, 300, 200);
    user.MoveMouse(frame, button, 800, 800);
    EXPECT_FALSE(window->PanelDragging) << button;
    EXPECT_EQ(frame.Left(), left) << button;
    EXPECT_EQ(frame.MousePointer(), forms::kDefaultPointer) << button;
  }

  user.Press(frame, forms::kLeftButton, 300, 200);
  user.Release(frame, forms::kRightButton, 300, 200);
  EXPECT_FALSE(window->PanelDragging);
  EXPECT_EQ(frame.MousePointer(), forms::kDefaultPointer);
  user.MoveMouse(frame, forms::kLeftButton, 800, 800);
  EXPECT_EQ(frame.Left(), left);
}

TEST_F(PanelDragTest, APanelDroppedOutOfTheWindowStaysThere) {
  Open();
  forms::Frame& frame = Shown(kPanels[2]);
  frame.Move(5040, 7080);
  user.Press(frame, forms::kLeftButton, 100, 100);
  user.MoveMouse(frame, forms::kLeftButton, -13000, 30000);
  user.Release(frame, forms::kLeftButton, 100, 100);
  EXPECT_EQ(frame.Left(), -8060);
  EXPECT_EQ(frame.Top(), 36980);
  EXPECT_TRUE(frame.Visible());
}

// A coordinate no whole number of twips holds fails the step that rounds it: the handler
// reports the step and leaves the drag as it stood.
TEST_F(PanelDragTest, AFailingStepIsReportedWithItsNumberAndTheHandlersName) {
  Open();
  const double huge = std::numeric_limits<double>::infinity();
  for (const Panel& panel : kPanels) {
    forms::Frame& frame = Shown(panel);
    const std::string handler = std::string("de la procédure ") + panel.name;

    user.Press(frame, forms::kLeftButton, huge, 10);
    EXPECT_EQ(LastMessage(), "Erreur à la ligne 2" + handler + "_MouseDown de frmMain");
    EXPECT_EQ(world.dialogs.shown.back().buttons, forms::kOKOnly);
    EXPECT_EQ(world.dialogs.shown.back().title, "");  // the program's name
    EXPECT_FALSE(window->PanelDragging);
    EXPECT_EQ(frame.MousePointer(), forms::kDefaultPointer);

    user.Press(frame, forms::kLeftButton, 10, 20);
    const double left = frame.Left();
    const double top = frame.Top();
    user.MoveMouse(frame, forms::kLeftButton, 50, std::nan(""));
    EXPECT_EQ(LastMessage(), "Erreur à la ligne 3" + handler + "_MouseMove de frmMain");
    EXPECT_EQ(frame.Left(), left);
    EXPECT_EQ(frame.Top(), top);
    EXPECT_TRUE(window->PanelDragging);
    user.Release(frame, forms::kLeftButton, 10, 20);
  }
  EXPECT_EQ(world.dialogs.shown.size(), 6u);
}

}  // namespace
