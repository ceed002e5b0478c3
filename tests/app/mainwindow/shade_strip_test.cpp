// The shade strip of the activity editor: its swatches for a project's colour, and the
// activity colour picked by a click or by dragging the marker.
#include <gtest/gtest.h>

#include <array>

#include "activity_editor_fixture.h"

namespace {

using Rgb = std::array<int, 3>;

Rgb Channels(forms::Color colour) {
  return {static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
          static_cast<int>((colour >> 16) & 255)};
}

class ShadeStripTest : public EditorTest {
 protected:
  // Opens the editor and chooses the project, which builds the strip of its colour.
  mainwindow::frmMain& StripOf(const std::string& project) {
    mainwindow::frmMain& w = OpenEditorWindow();
    w.OpenNewActivity("04.03.2026", 9, 0);
    user.Choose(w.cmbcategorie, project);
    return w;
  }
  Rgb Swatch(int k) const { return Channels(window->lblDegrade[k].BackColor()); }
  bool Shown(int k) const { return window->lblDegrade[k].Visible(); }
};

TEST_F(ShadeStripTest, SwatchesStandEveryNinetyTwipsCentredUnderTheColour) {
  mainwindow::frmMain& w = StripOf("Rouge");
  EXPECT_EQ(w.lblDegrade[0].Left(), 682);
  EXPECT_EQ(w.lblDegrade[0].Top(), 885);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(w.lblDegrade[k].Left(), 682 - 90 * k) << k;
  for (int k = 9; k <= 18; ++k) EXPECT_EQ(w.lblDegrade[k].Left(), 682 + 90 * (k - 8)) << k;
  for (int k = 0; k <= 18; ++k) {
    EXPECT_EQ(w.lblDegrade[k].Width(), 90) << k;
    EXPECT_EQ(w.lblDegrade[k].Top(), 885) << k;
  }
  EXPECT_EQ(w.lblSelDegrade.Left(), 682);
  EXPECT_TRUE(w.lblSelDegrade.Visible());
}

TEST_F(ShadeStripTest, RedRisesInTheOtherChannelsOnceCapped) {
  StripOf("Rouge");  // (250, 0, 0)
  EXPECT_EQ(Swatch(0), (Rgb{250, 0, 0}));
  EXPECT_EQ(Swatch(1), (Rgb{255, 12, 12}));
  EXPECT_EQ(Swatch(8), (Rgb{255, 96, 96}));
  for (int k = 1; k <= 8; ++k) EXPECT_TRUE(Shown(k)) << k;
  EXPECT_EQ(Swatch(9), (Rgb{238, 0, 0}));
  EXPECT_EQ(Swatch(18), (Rgb{130, 0, 0}));
}

TEST_F(ShadeStripTest, WhiteHasOnlyDarkerShadesAndBlackOnlyLighterOnes) {
  StripOf("Blanc");
  for (int k = 1; k <= 8; ++k) EXPECT_FALSE(Shown(k)) << k;
  EXPECT_EQ(Swatch(9), (Rgb{243, 243, 243}));
  EXPECT_EQ(Swatch(18), (Rgb{135, 135, 135}));
  for (int k = 9; k <= 18; ++k) EXPECT_TRUE(Shown(k)) << k;

  user.Choose(window->cmbcategorie, "Noir");
  for (int k = 9; k <= 18; ++k) EXPECT_FALSE(Shown(k)) << k;
  EXPECT_EQ(Swatch(1), (Rgb{12, 12, 12}));
  EXPECT_EQ(Swatch(8), (Rgb{96, 96, 96}));
  for (int k = 1; k <= 8; ++k) EXPECT_TRUE(Shown(k)) << k;
}

TEST_F(ShadeStripTest, ACappedRunHidesTheRepeatedShades) {
  // (255, 0, 0): every lighter shade is new; darker, red falls to 135 and the rest stays 0.
  planner.Categories[4] = "Rouge\u00A6255-0";
  mainwindow::frmMain& w = StripOf("Rouge");
  EXPECT_EQ(Swatch(1), (Rgb{255, 12, 12}));
  // (250, 250, 250) runs into white after one step: the seven lighter shades after it are
  // equal to it and hidden.
  planner.Categories[2] = "Blanc\u00A6" + std::to_string(250 + 256 * 250 + 65536 * 250) + "-1";
  user.Choose(w.cmbcategorie, "Blanc");
  EXPECT_TRUE(Shown(1));
  EXPECT_EQ(Swatch(1), (Rgb{255, 255, 255}));
  for (int k = 2; k <= 8; ++k) EXPECT_FALSE(Shown(k)) << k;
}

TEST_F(ShadeStripTest, AClickedSwatchBecomesTheActivitysColour) {
  mainwindow::frmMain& w = StripOf("Rouge");
  user.Click(w.lblDegrade[5]);
  EXPECT_EQ(w.lblColTache.BackColor(), w.lblDegrade[5].BackColor());
  EXPECT_EQ(Channels(w.lblColTache.BackColor()), (Rgb{255, 60, 60}));
  EXPECT_EQ(w.lblString.ForeColor(), forms::kWhite);
  EXPECT_EQ(w.lblSelDegrade.Left(), w.lblDegrade[5].Left());
  EXPECT_EQ(w.ShadeRed, 255);
  EXPECT_EQ(w.ShadeGreen, 60);

  // A light shade of white takes black text.
  user.Choose(w.cmbcategorie, "Blanc");
  user.Click(w.lblDegrade[9]);
  EXPECT_EQ(w.lblString.ForeColor(), forms::kBlack);
}

TEST_F(ShadeStripTest, TheDraggedMarkerPicksTheSwatchUnderItsLeftEdge) {
  mainwindow::frmMain& w = StripOf("Rouge");
  forms::Label& marker = w.lblSelDegrade;
  // Grabbed 40 twips inside, moved left so that its left edge lies 20 twips into swatch 5.
  user.Press(marker, forms::kLeftButton, 40, 80);
  EXPECT_TRUE(w.PanelDragging);
  const double target = w.lblDegrade[5].Left() + 20;
  user.MoveMouse(marker, forms::kLeftButton, target - marker.Left() + 40, 80);
  EXPECT_EQ(marker.Left(), target);
  EXPECT_EQ(w.lblColTache.BackColor(), w.lblDegrade[5].BackColor());

  // Far beyond the darker end it stops at the last visible swatch.
  user.MoveMouse(marker, forms::kLeftButton, 5000, 80);
  EXPECT_EQ(marker.Left(), w.lblDegrade[18].Left());
  EXPECT_EQ(w.lblColTache.BackColor(), w.lblDegrade[18].BackColor());
  user.Release(marker, forms::kLeftButton, 5000, 80);
  EXPECT_FALSE(w.PanelDragging);

  // Without a press the marker does not follow.
  user.MoveMouse(marker, 0, -3000, 80);
  EXPECT_EQ(marker.Left(), w.lblDegrade[18].Left());
}

TEST_F(ShadeStripTest, TheMarkerStopsAtTheLastVisibleLighterShadeOfWhite) {
  mainwindow::frmMain& w = StripOf("Blanc");
  forms::Label& marker = w.lblSelDegrade;
  user.Press(marker, forms::kLeftButton, 10, 10);
  user.MoveMouse(marker, forms::kLeftButton, -3000, 10);
  EXPECT_EQ(marker.Left(), w.lblDegrade[0].Left());
  EXPECT_EQ(w.lblColTache.BackColor(), forms::kWhite);
}

}  // namespace
