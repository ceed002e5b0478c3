// What the windows ask of the world outside them, as interfaces injected into the forms:
// the program passes the Qt implementations (forms/qt), tests the scripted ones
// (forms/testing.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/text_metrics.h"
#include "runtime/datetime.h"

namespace forms {

class Form;

// Buttons, icons and answers of message boxes, combined by addition as in "kYesNo + kQuestion".
inline constexpr int kOKOnly = 0;
inline constexpr int kOKCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
// The button that Enter presses: the first unless the second is named.
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kButtonsMask = 7;
inline constexpr int kIconMask = 112;
inline constexpr int kDefaultButtonMask = 768;

inline constexpr int kOK = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAbort = 3;
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and returns the button pressed.  An empty title shows the
  // program's name.
  virtual int MsgBox(const std::string& prompt, int buttons = kOKOnly,
                     const std::string& title = "") = 0;
  // Asks for a text; Cancel gives "".
  virtual std::string InputBox(const std::string& prompt, const std::string& title = "",
                               const std::string& defaultText = "") = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() = 0;
};

// The mouse pointer of the whole program, over every control's own.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual int MousePointer() const = 0;
  virtual void SetMousePointer(int pointer) = 0;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Handles the events waiting, then returns.
  virtual void DoEvents() = 0;
  // Shows `form` modally and returns once it is hidden or unloaded.
  virtual void ShowModal(Form& form) = 0;
  // Calls `step` from the event loop about every `milliseconds` until it returns false;
  // never again while a call of it is running.
  virtual void Repeat(int milliseconds, std::function<bool()> step) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens an address or a file with the program the desktop associates with it; with
  // arguments, starts the file itself as a program.  Never waits for it.  `notOpened` runs
  // once, from the event loop or at once, when no program could be started or the opener
  // ended with a failure.
  virtual void Open(const std::string& target, const std::vector<std::string>& arguments = {},
                    const std::string& workingFolder = "",
                    std::function<void()> notOpened = {}) = 0;
};

class Random {
 public:
  virtual ~Random() = default;
  virtual double Next() = 0;      // uniform in [0, 1)
  virtual void Randomize() = 0;   // reseeds from the clock
};

// Everything a window needs from outside, handed to its constructor.
struct Services {
  Dialogs& dialogs;
  Clipboard& clipboard;
  Screen& screen;
  EventLoop& eventLoop;
  Shell& shell;
  const runtime::Clock& clock;
  Random& random;
  const TextMetrics& metrics;
};

}  // namespace forms
