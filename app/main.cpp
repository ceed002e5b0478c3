// The planner's program: runs the start-up sequence and then the window's event loop.
#include <iostream>

#include "app/store/planner.h"
#include "app/store/startup.h"

namespace {

// Start-up services for as long as the program has no window: no version request, an empty
// time zone and user identifier, and a settings dialog that closes without choosing terms.
class ConsoleStartupServices final : public store::StartupServices {
 public:
  void ShowStartupFailure(const std::string& message) override {
    std::cerr << message << '\n';
  }
  std::string GetWindowsTimeZoneName() override { return {}; }
  std::string WindowsToIanaTimeZone(const std::string&) override { return {}; }
  std::string GetUserId() override { return {}; }
  void LoadMainForm() override {}
  bool VersionRequestExecuting() override { return false; }
  void StartVersionRequest() override {}
  void DoEvents() override {}
  void SetDefaultMousePointer() override {}
  void ShowSettingsDialog() override {}
  void InitMainForm() override {}
};

}  // namespace

int main() {
  store::Planner planner;
  ConsoleStartupServices services;
  return store::Main(planner, services) ? 0 : 1;
}
