// The desktop's opener as the program starts it: its exit status tells whether a viewer
// took the file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <string>

#include "form_window_fixture.h"
#include "forms/qt/services.h"

namespace {

namespace fs = std::filesystem;

class OpenerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartOffscreenApplication(); }

  OpenerTest() : folder_(fs::temp_directory_path() / ("opener_" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    savedPath_ = std::getenv("PATH");
    ::setenv("PATH", (folder_.string() + ":" + savedPath_).c_str(), 1);
  }
  ~OpenerTest() override {
    ::setenv("PATH", savedPath_.c_str(), 1);
    fs::remove_all(folder_);
  }

  // An xdg-open that ends with `status`.
  void OpenerEndingWith(int status) {
    const fs::path opener = folder_ / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nexit " << status << "\n";
    fs::permissions(opener, fs::perms::owner_all);
  }

  // Opens a file and waits up to `milliseconds` for the report that it was not opened;
  // whether it came.
  bool NotOpened(int milliseconds) {
    bool reported = false;
    forms::qt::QtShell shell;
    shell.Open((folder_ / "Quorvane.pdf").string(), {}, "", [&] { reported = true; });
    QElapsedTimer waited;
    waited.start();
    while (!reported && waited.elapsed() < milliseconds) QApplication::processEvents();
    return reported;
  }

  fs::path folder_;
  std::string savedPath_;
};

TEST_F(OpenerTest, AnOpenerThatFailsIsReportedAndOneThatSucceedsIsNot) {
  // The report ends the wait, which only a busy machine makes long; a report that ought not
  // to come is waited for as long as an opener normally takes.
  OpenerEndingWith(3);
  EXPECT_TRUE(NotOpened(60000));
  OpenerEndingWith(0);
  EXPECT_FALSE(NotOpened(2000));
}

}  // namespace
