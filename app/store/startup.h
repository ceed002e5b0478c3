// The program's start-up: where the data lives, the tables and settings, the terminology,
// the time zone and user identifier, the main window, the first-run settings dialog, the
// window shown, and the version check, in that order.
#pragma once

#include <string>

#include "app/store/planner.h"

namespace store {

// What the start-up needs of the windows and of the settings and sharing services.
class StartupServices {
 public:
  virtual ~StartupServices() = default;

  // The data folder cannot be used; the program ends after this message.
  virtual void ShowStartupFailure(const std::string& message) = 0;
  // Something the user must know of the data file; the program goes on after this message.
  virtual void ShowDataFileNotice(const std::string& message) = 0;

  virtual std::string GetWindowsTimeZoneName() = 0;
  virtual std::string WindowsToIanaTimeZone(const std::string& windowsName) = 0;
  virtual std::string GetUserId() = 0;

  // Creates the main window with its controls, not yet shown.
  virtual void LoadMainForm() = 0;
  // Starts the version request, which goes on while the main window lives.
  virtual void StartVersionRequest() = 0;
  virtual void SetDefaultMousePointer() = 0;
  // Shows the settings dialog modally and returns when it has closed.
  virtual void ShowSettingsDialog() = 0;
  // Fills the main window from the tables and settings and shows it.
  virtual void InitMainForm() = 0;
};

inline constexpr const char* kDefaultProjectPlural = "Projets";
inline constexpr const char* kDefaultActivityPlural = "Activités";
inline constexpr const char* kDefaultResourcePlural = "Ressources / Personnes";

// Runs the start-up.  False when the data folder cannot be created or written to, when the
// data file cannot be read (one too large to load included), is too damaged to keep the
// record numbers it names, is a link to a file in which no value reads or holds sections
// none of which is the planner's, or when another planner uses the data file or its lock
// file cannot be had: the user has been told and the program must end, nothing written.
// The data file's links are followed once, here: the file they lead to is the one read and
// written for the whole run.  When its folder may not be written to, the data show and the
// user is told once that no change can be saved.
bool Main(Planner& planner, StartupServices& services);

}  // namespace store
