// The colour chooser, driven as a user drives it, over a stand-in for the project panel.
#include "app/activities/frmColor.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/store/palette.h"
#include "forms/testing.h"
#include "forms/user_driver.h"

namespace {

using forms::kBlack;
using forms::kLeftButton;
using forms::kWhite;

constexpr forms::Color kPaleCyan = 0xFFFFC0;  // palette 5: red 192, green 255, blue 255

// The owner window with its editor frame and the project panel's swatch.
class Owner : public forms::Form {
 public:
  Owner() : forms::Form("frmMain") {
    Move(1000, 500, 20000, 12000);
    fraActivite.Move(7200, 2040, 7095, 4800);
    lblColor.SetBackColor(0x123456);
    lblStringProj.SetForeColor(kWhite);
  }
  forms::Frame fraActivite{*this, "fraActivite"};
  forms::Label lblColor{*this, "lblColor"};
  forms::Label lblStringProj{*this, "lblStringProj"};
  forms::Shape Shape1{*this, "Shape1"};
};

class ColourChooserTest : public ::testing::Test {
 protected:
  activities::frmColor& Open(int chosenColour, int chosenTextFlag) {
    planner.ChosenColour = chosenColour;
    planner.ChosenTextFlag = chosenTextFlag;
    dialog = std::make_unique<activities::frmColor>(
        planner, activities::ProjectSwatch{owner.lblColor, owner.lblStringProj, owner.Shape1},
        owner, owner.fraActivite, world.metrics);
    dialog->Show();
    return *dialog;
  }

  int Current() const {
    return dialog->CurrentRed + 256 * dialog->CurrentGreen + 65536 * dialog->CurrentBlue;
  }
  std::vector<int> Boxes() const {
    return {std::stoi(dialog->txtC[0].Text()), std::stoi(dialog->txtC[1].Text()),
            std::stoi(dialog->txtC[2].Text())};
  }
  std::vector<bool> VisibleTones(int first, int last) const {
    std::vector<bool> shown;
    for (int i = first; i <= last; ++i) shown.push_back(dialog->lblDegrade[i].Visible());
    return shown;
  }
  // Where the blue frame stands, as the palette index it surrounds; -1 when hidden.
  int Framed() const {
    if (!dialog->shSelect.Visible()) return -1;
    for (int i = 0; i < 48; ++i)
      if (dialog->lblColor[i].Left() - 10 == dialog->shSelect.Left() &&
          dialog->lblColor[i].Top() - 10 == dialog->shSelect.Top())
        return i;
    return -2;
  }
  int TextMode() const {
    for (int i = 0; i < 3; ++i)
      if (dialog->optPol[i].Value()) return i;
    return -1;
  }

  store::Planner planner;
  forms::testing::TestServices world;
  forms::testing::UserDriver user;
  Owner owner;
  std::unique_ptr<activities::frmColor> dialog;
};

TEST_F(ColourChooserTest, OpensOnThePaletteColourWithItsShadesAndSteps) {
  activities::frmColor& d = Open(5, 0);
  EXPECT_EQ(d.Caption(), "Couleurs");
  EXPECT_EQ(d.Width(), 5850);
  EXPECT_EQ(d.Height(), 5700);
  EXPECT_EQ(d.fraColors.Width(), 5730);
  EXPECT_EQ(d.fraColors.Height(), 4450);
  // Six rows of eight at a pitch of 700.
  EXPECT_EQ(d.lblColor[47].Left(), 4990);
  EXPECT_EQ(d.lblColor[47].Top(), 3710);
  EXPECT_EQ(d.lblColor[13].BackColor(), static_cast<forms::Color>(store::PaletteColour(13)));
  // Centred over the editor frame, level with its top.
  EXPECT_EQ(d.Left(), 1000 + 7200 + (7095 - 5850) / 2.0);
  EXPECT_EQ(d.Top(), 500 + 2040);

  EXPECT_EQ(Current(), static_cast<int>(kPaleCyan));
  EXPECT_EQ(Boxes(), (std::vector<int>{192, 255, 255}));
  EXPECT_EQ(TextMode(), 0);
  EXPECT_EQ(d.lblString.ForeColor(), kBlack);
  EXPECT_EQ(d.optPol[0].BackColor(), kPaleCyan);
  EXPECT_EQ(d.lblChoice.BackColor(), kPaleCyan);
  EXPECT_EQ(Framed(), 5);
  EXPECT_EQ(d.imgCursor[0].Top(), 907);  // 192: 510 + 1605 * 63 / 255
  EXPECT_EQ(d.imgCursor[1].Top(), 510);

  // Lighter tones stop once every channel is capped; the strip centres under the sample.
  EXPECT_EQ(VisibleTones(1, 8),
            (std::vector<bool>{true, true, true, true, true, true, false, false}));
  EXPECT_EQ(d.lblDegrade[6].BackColor(), kWhite);
  EXPECT_EQ(d.lblDegrade[0].Left(), 4598);
  EXPECT_EQ(d.lblDegrade[0].Top(), 1425);
  EXPECT_EQ(d.lblDegrade[8].Left(), 4598 - 720);
  EXPECT_EQ(d.lblDegrade[18].Left(), 4598 + 900);
  EXPECT_EQ(d.lblSelDegrade.Left(), 4598);
  EXPECT_EQ(d.lblSelDegrade.Width(), 90);
  // Four steps towards palette colour 4 hang below the colour.
  const forms::Color steps[] = {0xF2FFC0, 0xE5FFC0, 0xD8FFC0, 0xCBFFC0};
  for (int k = 0; k < 4; ++k) {
    const forms::Label& tone = d.lblDegrade[19 + k];
    EXPECT_TRUE(tone.Visible());
    EXPECT_EQ(tone.BackColor(), steps[k]) << k;
    EXPECT_EQ(tone.Left(), 4568);
    EXPECT_EQ(tone.Width(), 160);
    EXPECT_EQ(tone.Top(), 1425 + 165 * (k + 1));
  }
}

TEST_F(ColourChooserTest, BlackOrWhiteTextStartsFromTheColourItself) {
  activities::frmColor& d = Open(0x123456, 1);
  EXPECT_EQ(Current(), 0x123456);
  EXPECT_EQ(TextMode(), 1);
  EXPECT_EQ(d.lblString.ForeColor(), kBlack);
  EXPECT_EQ(Framed(), -1);
  EXPECT_EQ(VisibleTones(19, 22), (std::vector<bool>(4, false)));

  Open(0x123456, 2);
  EXPECT_EQ(TextMode(), 2);
  EXPECT_EQ(dialog->lblString.ForeColor(), kWhite);
}

TEST_F(ColourChooserTest, EdgesOfThePaletteHaveNoStepsTowardsANeighbour) {
  activities::frmColor& d = Open(0, 0);  // white
  EXPECT_EQ(VisibleTones(1, 8), (std::vector<bool>(8, false)));
  EXPECT_EQ(VisibleTones(19, 22), (std::vector<bool>(4, false)));
  user.Click(d.lblColor[40]);  // black
  EXPECT_EQ(VisibleTones(9, 18), (std::vector<bool>(10, false)));
  EXPECT_EQ(VisibleTones(19, 22), (std::vector<bool>(4, false)));
  for (int index : {8, 16}) {
    user.Click(d.lblColor[index]);
    EXPECT_EQ(VisibleTones(19, 22), (std::vector<bool>(4, false))) << index;
  }
  // Index 9 steps towards index 0 (above and to the left), index 3 towards index 2.
  user.Click(d.lblColor[9]);  // 0x8080FF towards white: blue and green rise by 25
  EXPECT_EQ(d.lblDegrade[19].BackColor(), 0x9999FF);
  user.Click(d.lblColor[3]);  // 0xC0FFFF towards 0xC0E0FF: green falls by 6
  EXPECT_EQ(d.lblDegrade[22].BackColor(), 0xC0E7FF);
}

TEST_F(ColourChooserTest, SelectWritesThePanelSwatchAndAnyChangeReturnsToAutomaticText) {
  activities::frmColor& d = Open(0x123456, 2);
  user.Click(d.optPol[1]);  // "Noir"
  EXPECT_EQ(d.lblString.ForeColor(), kBlack);
  user.Click(d.lblColor[17]);  // red
  EXPECT_EQ(Current(), 0x0000FF);
  EXPECT_EQ(TextMode(), 0);
  EXPECT_EQ(Framed(), 17);
  EXPECT_EQ(d.lblString.ForeColor(), kWhite);  // red is dark
  user.Click(d.optPol[2]);
  user.Click(d.optPol[1]);
  EXPECT_EQ(d.lblString.ForeColor(), kBlack);

  user.Click(d.cmdOk[0]);
  EXPECT_FALSE(d.Loaded());
  EXPECT_EQ(owner.lblColor.BackColor(), 0x0000FF);
  EXPECT_EQ(owner.lblStringProj.ForeColor(), kBlack);
  EXPECT_FALSE(owner.Shape1.Visible());
}

TEST_F(ColourChooserTest, ClosingTheWindowLeavesThePanelAsItWas) {
  activities::frmColor& d = Open(3, 0);
  user.Click(d.lblColor[30]);
  d.UnloadForm(forms::kUnloadFromControlMenu);
  EXPECT_EQ(owner.lblColor.BackColor(), 0x123456);
  EXPECT_EQ(owner.lblStringProj.ForeColor(), kWhite);
  EXPECT_TRUE(owner.Shape1.Visible());
}

// Esc, wherever the focus is, closes the dialog as its close box does.
TEST_F(ColourChooserTest, EscClosesTheWindowAndLeavesThePanelAsItWas) {
  for (const bool inBox : {true, false}) {
    SCOPED_TRACE(inBox ? "in a numeric box" : "no control focused");
    activities::frmColor& d = Open(3, 0);
    user.Click(d.lblColor[30]);
    if (inBox) user.Click(d.lblNuances), user.Type(d.txtC[0], "12");
    user.PressKey(d, forms::kKeyEscape);
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(owner.lblColor.BackColor(), 0x123456);
    EXPECT_EQ(owner.lblStringProj.ForeColor(), kWhite);
    EXPECT_TRUE(owner.Shape1.Visible());
  }
}

TEST_F(ColourChooserTest, SlidersRunFrom255AtTheTopTo0AtTheBottom) {
  activities::frmColor& d = Open(0x808080, 1);
  user.Click(d.lblNuances);
  forms::Image& red = d.imgCursor[0];
  user.Press(red, kLeftButton, 150, 60);
  user.MoveMouse(red, kLeftButton, 150, -5000);  // far above the track
  EXPECT_EQ(d.CurrentRed, 255);
  EXPECT_EQ(red.Top(), 510);
  EXPECT_EQ(d.txtC[0].Text(), "255");
  EXPECT_EQ(TextMode(), 0);  // a change of colour puts the text back to automatic
  user.MoveMouse(red, kLeftButton, 150, 460);  // 400 below the grab point
  EXPECT_EQ(d.CurrentRed, 191);
  EXPECT_EQ(red.Top(), 913);
  // More than the track's top below the cursor counts from the panel's top.
  user.MoveMouse(red, kLeftButton, 150, 5000);
  EXPECT_EQ(d.CurrentRed, 0);
  EXPECT_EQ(red.Top(), 2115);
  user.Release(red, kLeftButton, 150, 5000);
  EXPECT_EQ(red.MousePointer(), forms::kDefaultPointer);
  user.MoveMouse(red, 0, 150, 100);  // no drag without a press
  EXPECT_EQ(d.CurrentRed, 0);

  // A click on a track moves that cursor there.
  user.Click(d.lblCol[2], 50, 802.5);
  EXPECT_EQ(d.CurrentBlue, 137);  // at 802.5 less the last grab point (60)
  user.Press(d.imgCursor[1], forms::kRightButton, 0, 0);  // only the left button grabs
  user.Click(d.lblCol[1], 50, 862.5);
  EXPECT_EQ(d.CurrentGreen, 128);
  EXPECT_EQ(d.imgCursor[1].Top(), 1309);
}

TEST_F(ColourChooserTest, NumericBoxesApplyOnEnterOrWhenLeft) {
  activities::frmColor& d = Open(0, 0);
  user.Click(d.lblNuances);
  forms::TextBox& green = d.txtC[1];
  green.SetText("");
  user.Type(green, "a7");  // the letter is dropped; "" reads as 0 before the digit
  EXPECT_EQ(green.Text(), "07");
  user.Type(green, "\r");
  EXPECT_EQ(d.CurrentGreen, 7);
  EXPECT_EQ(green.Text(), "7");

  green.SetText("300");
  user.Type(green, "\r");
  EXPECT_EQ(d.CurrentGreen, 7);
  EXPECT_EQ(green.Text(), "300");

  green.SetText("2000");
  user.Type(green, "\r");  // four characters read as 255
  EXPECT_EQ(d.CurrentGreen, 255);

  forms::TextBox& blue = d.txtC[2];
  user.Focus(blue);
  blue.SetText("64");
  user.Focus(d.txtC[0]);
  EXPECT_EQ(d.CurrentBlue, 64);
  EXPECT_EQ(Current(), 0x40FFFF);
}

TEST_F(ColourChooserTest, TonesAndTheMarker) {
  activities::frmColor& d = Open(12, 0);  // 0x80FF80, column towards palette 3
  user.Click(d.lblNuances);
  const double stripLeft = d.lblDegrade[1].Left();
  // The first lighter tone of 0x80FF80 is 0x8CFF8C, not in the palette.
  user.Click(d.lblDegrade[1]);
  EXPECT_EQ(Current(), 0x8CFF8C);
  EXPECT_EQ(Framed(), -1);
  EXPECT_EQ(d.lblDegrade[1].Left(), stripLeft);  // the strip stays
  EXPECT_EQ(d.lblDegrade[0].BackColor(), 0x80FF80);
  EXPECT_EQ(d.lblSelDegrade.Left(), stripLeft);
  EXPECT_EQ(d.lblSelDegrade.MousePointer(), forms::kSizeWEPointer);

  // Dragging along the row stops at the outermost visible tone.
  user.Press(d.lblSelDegrade, kLeftButton, 40, 80);
  user.MoveMouse(d.lblSelDegrade, kLeftButton, 40 + 5000, 80);
  EXPECT_EQ(d.lblSelDegrade.Left(), d.lblDegrade[18].Left());
  EXPECT_EQ(Current(), static_cast<int>(d.lblDegrade[18].BackColor()));
  user.MoveMouse(d.lblSelDegrade, kLeftButton, 40 - 100, 80);  // a little to the left
  EXPECT_EQ(d.lblSelDegrade.Left(), d.lblDegrade[18].Left() - 100);
  EXPECT_EQ(Current(), static_cast<int>(d.lblDegrade[16].BackColor()));
  user.MoveMouse(d.lblSelDegrade, kLeftButton, 40 + 10, 80);  // onto the left edge of 17
  EXPECT_EQ(Current(), static_cast<int>(d.lblDegrade[17].BackColor()));
  user.Release(d.lblSelDegrade, kLeftButton, 0, 0);

  // A step of the column: the marker goes down it and drags along it.
  user.Click(d.lblDegrade[20]);
  EXPECT_EQ(d.lblSelDegrade.Top(), d.lblDegrade[20].Top());
  EXPECT_EQ(d.lblSelDegrade.MousePointer(), forms::kSizeNSPointer);
  user.Press(d.lblSelDegrade, kLeftButton, 10, 10);
  user.MoveMouse(d.lblSelDegrade, kLeftButton, 10, 10 + 1000);
  EXPECT_EQ(d.lblSelDegrade.Top(), d.lblDegrade[22].Top());
  EXPECT_EQ(Current(), static_cast<int>(d.lblDegrade[22].BackColor()));
  user.Release(d.lblSelDegrade, kLeftButton, 0, 0);

  // A tone that is a palette colour moves the blue frame onto it: white is a lighter tone
  // of palette 8 (0xE0E0E0) and palette 0.
  user.Click(d.lblColor[8]);
  user.Click(d.lblDegrade[3]);
  EXPECT_EQ(Current(), 0xFFFFFF);
  EXPECT_EQ(Framed(), 0);
}

TEST_F(ColourChooserTest, NuancesShowsAndHidesTheLowerPanel) {
  activities::frmColor& d = Open(0, 0);
  EXPECT_TRUE(d.cmdOk[0].Visible());
  user.Click(d.lblNuances);
  EXPECT_EQ(d.Height(), 9480);
  EXPECT_FALSE(d.cmdOk[0].Visible());
  EXPECT_EQ(d.Top(), 500 + 2040);
  user.Click(d.lblNuances);
  EXPECT_EQ(d.Height(), 5700);
  EXPECT_TRUE(d.cmdOk[0].Visible());
  EXPECT_EQ(d.Left(), 1000 + 7200 + (7095 - 5850) / 2.0);

  user.Click(d.lblNuances);
  user.Click(d.lblColor[22]);
  user.Click(d.cmdOk[1]);  // the lower button does what the upper one does
  EXPECT_EQ(owner.lblColor.BackColor(), 0xFF0000);
}

}  // namespace
