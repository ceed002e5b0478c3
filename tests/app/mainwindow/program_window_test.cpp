// The program's main window in a real (off-screen) Qt window: what a person would see.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>

#include "app/mainwindow/program.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "forms/qt/units.h"
#include "platform/scratch_folder.h"
#include "window_pixels.h"

namespace {

using forms::qt::Px;

TEST(ProgramWindowTest, MainWindowShowsTheMenuAndTheMonth) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ScratchFolder home;
  ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
  std::filesystem::create_directories(home / "Quorvane");
  store::Planner earlier;
  earlier.DataFile = home / "Quorvane/data";
  for (const char* resource : {"Ann", "Bob", "Salle 2"}) store::AddResource(earlier, resource);
  store::AddCategory(earlier, "Chantier Nord\u00A6255-0");
  store::AddCategory(earlier, "Chantier Sud\u00A665535-1");
  store::AddCategory(earlier, "Atelier\u00A616711680-0");
  store::AddActivity(earlier,
                     "05.03.2026 09:00\u00A605.03.2026 10:30\u00A6Pose\u00A60\u00A6255-0\u00A61");
  earlier.ProjectTerms[0] = "Chantiers";
  earlier.ActivityTerms[0] = "Tâches";
  earlier.ResourceTerms[0] = "Ressources / Personnes";
  store::SaveParams(earlier);

  int argc = 1;
  char name[] = "quorvane";
  char* argv[] = {name, nullptr};
  mainwindow::Program program(argc, argv);
  ASSERT_TRUE(program.Start());
  mainwindow::frmMain& w = *program.MainWindow();
  forms::qt::FormWindow& window = program.Backend().Attach(w);
  window.SyncNow();

  const QImage image = window.grab().toImage();
  QDir().mkpath(QUORVANE_BUILD_DIR "/screenshots");
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/main_window.png"));

  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Quorvane");
  EXPECT_EQ(image.width(), Px(w.ScaleWidth()));
  EXPECT_EQ(image.height(), Px(w.ScaleHeight()));
  // The month caption and the menu captions are drawn in the menu blue.
  const QRgb blue = qRgb(0x00, 0x67, 0xC0);
  EXPECT_GT(PixelsOfColour(image, w.lblMois, blue), 50);
  EXPECT_GT(PixelsOfColour(image, w.lblAffiche[6], blue), 50);
  EXPECT_GT(PixelsOfColour(image, w.lblAffiche[4], blue), 50);
  // The chosen view's menu entry is filled with the button face, the others stay white.
  const QRgb buttonFace = forms::qt::ToQColor(forms::kButtonFace).rgb();
  EXPECT_GT(PixelsOfColour(image, w.shMenu[0], buttonFace, 0), 1000);
  EXPECT_LT(PixelsOfColour(image, w.shMenu[2], buttonFace, 0), 50);
  // Each project's label in the project bar carries its colour.
  EXPECT_GT(PixelsOfColour(image, w.lblCategories[1], qRgb(0xFF, 0, 0)), 500);

  // A message box bears the program's name in its title bar.
  QString boxTitle;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxTitle = box->windowTitle();
      box->close();
    }
  });
  program.Backend().services().dialogs.MsgBox("Le fichier a été créé.", forms::kInformation);
  EXPECT_EQ(boxTitle, "Quorvane");
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
