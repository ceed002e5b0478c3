// Scripted and recording services for tests of the windows, without a screen.
//
//   forms::testing::TestServices world;            // fixed clock, scripted answers
//   world.dialogs.msgBoxAnswers.push_back(forms::kYes);
//   frmMain form(planner, world.services());
//   ...
//   EXPECT_EQ(world.dialogs.shown.back().prompt, "...");
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/services.h"

namespace forms::testing {

// Answers message and input boxes from queues and records what was shown.  With the queue
// empty, a message box answers as Enter would, with its default button (the first unless
// kDefaultButton2 names the second), and an input box with "" (Cancel).
class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    enum class Kind { kMsgBox, kInputBox } kind;
    std::string prompt;
    std::string title;
    int buttons = 0;          // message boxes
    std::string defaultText;  // input boxes
  };

  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;

  std::deque<int> msgBoxAnswers;
  std::deque<std::string> inputBoxAnswers;
  std::vector<Shown> shown;
};

class RecordingClipboard final : public Clipboard {
 public:
  void Clear() override { text.clear(); ++clears; }
  void SetText(const std::string& value) override { text = value; ++sets; }
  std::string GetText() override { return text; }

  std::string text;
  int clears = 0;
  int sets = 0;
};

class RecordingScreen final : public Screen {
 public:
  int MousePointer() const override { return history.empty() ? 0 : history.back(); }
  void SetMousePointer(int pointer) override { history.push_back(pointer); }

  std::vector<int> history;  // every pointer set, in order
};

// DoEvents counts and calls each repeated step once; ShowModal shows the form, runs the
// next script (the user's doing while the form is up) and, when the script left the form
// up, unloads it as a close box would.
class ScriptedEventLoop final : public EventLoop {
 public:
  void DoEvents() override;
  void ShowModal(Form& form) override;
  void Repeat(int milliseconds, std::function<bool()> step) override;

  std::vector<std::function<bool()>> repeated;  // the steps still repeated
  std::function<void()> onDoEvents;
  std::deque<std::function<void(Form&)>> modalScripts;
  std::vector<std::string> modalForms;  // names of the forms shown modally
  int doEventsCalls = 0;
};

class RecordingShell final : public Shell {
 public:
  struct Opened {
    std::string target;
    std::vector<std::string> arguments;
    std::string workingFolder;
  };
  void Open(const std::string& target, const std::vector<std::string>& arguments,
            const std::string& workingFolder, std::function<void()> notOpened) override {
    opened.push_back({target, arguments, workingFolder});
    if (!starts && notOpened) notOpened();
  }

  std::vector<Opened> opened;
  bool starts = true;  // whether a program starts for what is opened
};

// Returns the queued values, then 0.
class SequenceRandom final : public Random {
 public:
  double Next() override;
  void Randomize() override { ++randomizeCalls; }

  std::deque<double> values;
  int randomizeCalls = 0;
};

// One of each, with a fixed clock at 02.03.2026 09:00.
struct TestServices {
  TestServices();
  Services services() {
    return Services{dialogs, clipboard, screen, eventLoop, shell, clock, random, metrics};
  }

  ScriptedDialogs dialogs;
  RecordingClipboard clipboard;
  RecordingScreen screen;
  ScriptedEventLoop eventLoop;
  RecordingShell shell;
  runtime::FixedClock clock;
  SequenceRandom random;
  EstimatedTextMetrics metrics;
};

}  // namespace forms::testing
