// A form of type F shown in a real (off-screen) Qt window, one application for all suites
// of the test program whatever order they run in.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "forms/qt/backend.h"

// The one application of the test program, drawn off screen.
inline void StartOffscreenApplication() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "forms_qt_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

template <class F>
class FormWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartOffscreenApplication(); }

  void SetUp() override {
    backend_ = std::make_unique<forms::qt::Backend>();
    form_ = std::make_unique<F>();
    window_ = &backend_->Attach(*form_);
    form_->Show();
    window_->SyncNow();
    QApplication::processEvents();
  }

  void TearDown() override {
    form_.reset();
    QApplication::processEvents();
  }

  std::unique_ptr<forms::qt::Backend> backend_;
  std::unique_ptr<F> form_;
  forms::qt::FormWindow* window_ = nullptr;
};
