// The Qt side of the program's windows.  Made once, after the QApplication:
//
//   QApplication application(argc, argv);
//   forms::qt::Backend backend(picturesFolder);
//   frmMain main(planner, backend.services());
//   backend.Attach(main);          // the window follows the form from now on
//   main.InitMainForm();           // ends with main.Show()
//   return backend.Run(main);      // until the main form is unloaded
#pragma once

#include <QString>
#include <QTranslator>

#include "forms/form.h"
#include "forms/qt/form_window.h"
#include "forms/qt/units.h"
#include "forms/qt/services.h"
#include "forms/system_random.h"
#include "runtime/datetime.h"

namespace forms::qt {

class Backend {
 public:
  explicit Backend(QString pictureFolder = QString());

  // The window of `form`, made on first use.  It lives as long as the form.
  FormWindow& Attach(Form& form);
  // Handles events until `main` is unloaded; returns the application's exit code.
  int Run(Form& main);
  Services services();

 private:
  QString pictureFolder_;
  QTranslator qtTexts_;
  QtDialogs dialogs_;
  QtClipboard clipboard_;
  QtScreen screen_;
  QtEventLoop eventLoop_{*this};
  QtShell shell_;
  runtime::SystemClock clock_;
  SystemRandom random_{clock_};
  QtTextMetrics metrics_;
};

}  // namespace forms::qt
