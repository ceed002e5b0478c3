// The settings dialog in its tall view with sharing on, in a real (off-screen) Qt window.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>

#include "app/settings/frmTerminologie.h"
#include "forms/qt/backend.h"
#include "forms/user_driver.h"
#include "offscreen_application.h"
#include "window_pixels.h"

namespace {

TEST(SettingsDialogScreenshot, TermsExplanationCountsAndSharing) {
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");

  store::Planner planner;
  planner.DataFile = QUORVANE_BUILD_DIR "/test-scratch/no-such-data";
  planner.UserId = "4512";
  planner.Categories = {"a", "b", "c"};
  settings::frmTerminologie dialog(planner, backend.services());
  dialog.SharingServer.ProductHost = "www.quorvane.test";
  dialog.SharingServer.Account.Server = "127.0.0.1";
  dialog.SharingServer.WebHost = "cal.quorvane.test";
  forms::qt::FormWindow& window = backend.Attach(dialog);
  dialog.Show();
  forms::testing::UserDriver user;
  user.Choose(dialog.cmbType, "Cabinet médical");
  user.Click(dialog.lblDatas);
  user.Click(dialog.chkPartage);

  window.SyncNow();
  const QImage image = window.grab().toImage();
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/settings_dialog.png"));

  // The bold explanation and the counts are written in black on white.
  EXPECT_GT(PixelsOfColour(image, dialog.lblExplication, qRgb(0, 0, 0), 60), 500);
  EXPECT_GT(PixelsOfColour(image, dialog.lblNbProj, qRgb(0, 0, 0), 60), 50);
  EXPECT_GT(PixelsOfColour(image, dialog.lblDatas, qRgb(0, 0, 255), 60), 50);
  bool linkShown = false;
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
    if (edit->isVisible() && edit->text() == "https://www.quorvane.test/4512") linkShown = true;
  EXPECT_TRUE(linkShown);
}

// The compact view, as the dialog opens: what it shows stands whole inside the window.
TEST(SettingsDialogScreenshot, TheCompactViewCutsNothing) {
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  store::Planner planner;
  planner.DataFile = QUORVANE_BUILD_DIR "/test-scratch/no-such-data";
  settings::frmTerminologie dialog(planner, backend.services());
  forms::qt::FormWindow& window = backend.Attach(dialog);
  dialog.Show();
  forms::testing::UserDriver().Choose(dialog.cmbType, "Cabinet médical");
  window.SyncNow();
  const QImage image = window.grab().toImage();
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/settings_dialog_compact.png"));

  // No control shown is cut by the window's foot (those below it wait for the tall view).
  const double foot = image.height() * 15.0;
  for (const forms::Control* control : dialog.AllControls()) {
    if (!control->Visible() || control->Parent().AsControl() != nullptr) continue;
    EXPECT_FALSE(control->Top() < foot && control->Top() + control->Height() > foot)
        << control->Name();
  }
}

}  // namespace
