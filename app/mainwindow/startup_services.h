// What the start-up asks of the windows and of the sharing services, as the program
// answers it: the main window, the time-zone names, the user identifier, the event loop.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/mainwindow/frmMain.h"
#include "app/store/startup.h"

namespace mainwindow {

class MainWindowStartup final : public store::StartupServices {
 public:
  // `onLoaded` runs once the main window exists, before anything else is done with it (the
  // program gives it a real window there).
  MainWindowStartup(store::Planner& planner, forms::Services services,
                    std::function<void(frmMain&)> onLoaded = {});

  // The main window, once the start-up has loaded it.
  frmMain* MainWindow() const { return form_.get(); }

  void ShowStartupFailure(const std::string& message) override;
  void ShowDataFileNotice(const std::string& message) override;
  std::string GetWindowsTimeZoneName() override;
  std::string WindowsToIanaTimeZone(const std::string& windowsName) override;
  std::string GetUserId() override;
  void LoadMainForm() override;
  void StartVersionRequest() override;
  void SetDefaultMousePointer() override;
  void ShowSettingsDialog() override;
  void InitMainForm() override;

 private:
  store::Planner& planner_;
  forms::Services services_;
  std::function<void(frmMain&)> onLoaded_;
  std::unique_ptr<frmMain> form_;
};

}  // namespace mainwindow
