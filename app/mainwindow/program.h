// The quorvane program: a Qt application in which the start-up runs and the main window is
// shown in a real window.  Kept in a header so that the mainwindow library stays free of Qt:
// only the executable (and the window's screenshot test) compile it, and they link forms_qt.
//
//   int main(int argc, char** argv) { return mainwindow::RunProgram(argc, argv); }
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include "app/mainwindow/startup_services.h"
#include "app/store/data_file.h"
#include "forms/qt/backend.h"

namespace mainwindow {

class Program {
 public:
  // The pictures of the windows are looked up in "pictures" beside the executable.
  Program(int& argc, char** argv)
      : application_(argc, argv),
        backend_(QDir(QCoreApplication::applicationDirPath()).filePath("pictures")),
        startup_(planner_, backend_.services(),
                 [this](frmMain& form) { backend_.Attach(form); }) {
    // Message and input boxes without a title of their own carry this one.
    QCoreApplication::setApplicationName("Quorvane");
  }

  // Runs the start-up, which ends with the main window shown; false when the program must
  // end (the user has been told why).
  bool Start() { return store::Main(planner_, startup_); }
  // Handles the window's events until it is closed, then gives the changes that could not be
  // written a last write; the program's exit code.
  int Run() {
    const int exitCode = backend_.Run(*startup_.MainWindow());
    store::WriteUnwrittenValues(planner_);
    return exitCode;
  }

  frmMain* MainWindow() const { return startup_.MainWindow(); }
  forms::qt::Backend& Backend() { return backend_; }

 private:
  QApplication application_;
  store::Planner planner_;
  forms::qt::Backend backend_;
  MainWindowStartup startup_;
};

inline int RunProgram(int argc, char** argv) {
  Program program(argc, argv);
  return program.Start() ? program.Run() : 1;
}

}  // namespace mainwindow
