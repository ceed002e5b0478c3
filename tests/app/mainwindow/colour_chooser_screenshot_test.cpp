// The colour chooser with its lower panel open, in a real (off-screen) Qt window.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>

#include "app/activities/frmColor.h"
#include "forms/qt/backend.h"
#include "forms/user_driver.h"
#include "offscreen_application.h"
#include "window_pixels.h"

namespace {

QRgb Rgb(forms::Color colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

class Owner : public forms::Form {
 public:
  Owner() : forms::Form("frmMain") { fraActivite.Move(7200, 2040, 7095, 4800); }
  forms::Frame fraActivite{*this, "fraActivite"};
  forms::Label lblColor{*this, "lblColor"};
  forms::Label lblStringProj{*this, "lblStringProj"};
  forms::Shape Shape1{*this, "Shape1"};
};

TEST(ColourChooserScreenshot, PaletteSlidersAndShades) {
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");

  store::Planner planner;
  planner.ChosenColour = 13;  // 0xFFFF80, a pale blue
  Owner owner;
  activities::frmColor dialog(planner, {owner.lblColor, owner.lblStringProj, owner.Shape1},
                              owner, owner.fraActivite, backend.services().metrics);
  forms::qt::FormWindow& window = backend.Attach(dialog);
  dialog.Show();
  forms::testing::UserDriver user;
  user.Click(dialog.lblNuances);
  user.Click(dialog.lblColor[29]);  // 0xC0C000, a darker blue with white text
  user.Click(dialog.lblDegrade[2]);

  window.SyncNow();
  const QImage image = window.grab().toImage();
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/colour_chooser.png"));

  const forms::Color chosen = dialog.lblChoice.BackColor();
  EXPECT_EQ(chosen, dialog.lblDegrade[2].BackColor());
  EXPECT_GT(PixelsOfColour(image, dialog.lblChoice, Rgb(chosen), 0), 1500);
  EXPECT_GT(PixelsOfColour(image, dialog.lblColor[17], qRgb(255, 0, 0), 0), 1500);
  EXPECT_GT(PixelsOfColour(image, dialog.lblCol[1], qRgb(0, 255, 0), 0), 400);
  EXPECT_GT(PixelsOfColour(image, dialog.lblDegrade[19], Rgb(dialog.lblDegrade[19].BackColor()), 0),
            40);
  EXPECT_GT(PixelsOfColour(image, dialog.lblString, qRgb(255, 255, 255), 60), 20);
  EXPECT_GT(PixelsOfColour(image, dialog.imgCursor[0], qRgb(0x60, 0x60, 0x60), 10), 40);
  int boxesShowingNumbers = 0;
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
    if (edit->isVisible() && !edit->text().isEmpty()) ++boxesShowingNumbers;
  EXPECT_EQ(boxesShowingNumbers, 3);
}

}  // namespace
