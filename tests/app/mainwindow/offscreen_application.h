// The Qt application of the window screenshot tests: drawn off screen, with the screenshots
// folder of the build ready.
#pragma once

#include <stdlib.h>

#include <QApplication>
#include <QDir>

class OffscreenApplication {
 public:
  OffscreenApplication() = default;

 private:
  struct Environment {
    Environment() {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      QDir().mkpath(QUORVANE_BUILD_DIR "/screenshots");
    }
  } environment_;
  int argc_ = 1;
  char name_[9] = "quorvane";
  char* argv_[2] = {name_, nullptr};
  QApplication application_{argc_, argv_};
};
