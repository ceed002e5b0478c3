#include "forms/testing.h"

#include "forms/form.h"

namespace forms::testing {

namespace {

// The answer of the button that Enter presses.
int DefaultButton(int buttons) {
  const bool second = (buttons & kDefaultButtonMask) == kDefaultButton2;
  switch (buttons & kButtonsMask) {
    case kOKCancel: return second ? kCancel : kOK;
    case kAbortRetryIgnore: return second ? kRetry : kAbort;
    case kYesNoCancel:
    case kYesNo: return second ? kNo : kYes;
    case kRetryCancel: return second ? kCancel : kRetry;
    default: return kOK;
  }
}

}  // namespace

int ScriptedDialogs::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  shown.push_back({Shown::Kind::kMsgBox, prompt, title, buttons, ""});
  if (msgBoxAnswers.empty()) return DefaultButton(buttons);
  const int answer = msgBoxAnswers.front();
  msgBoxAnswers.pop_front();
  return answer;
}

std::string ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
  shown.push_back({Shown::Kind::kInputBox, prompt, title, 0, defaultText});
  if (inputBoxAnswers.empty()) return "";
  std::string answer = inputBoxAnswers.front();
  inputBoxAnswers.pop_front();
  return answer;
}

void ScriptedEventLoop::DoEvents() {
  ++doEventsCalls;
  if (onDoEvents) onDoEvents();
  // A step may ask for more steps; they are called from the next turn on.
  std::vector<std::function<bool()>> steps = std::move(repeated);
  repeated.clear();
  std::vector<std::function<bool()>> going;
  for (auto& step : steps)
    if (step()) going.push_back(std::move(step));
  for (auto& step : repeated) going.push_back(std::move(step));
  repeated = std::move(going);
}

void ScriptedEventLoop::Repeat(int, std::function<bool()> step) {
  repeated.push_back(std::move(step));
}

void ScriptedEventLoop::ShowModal(Form& form) {
  modalForms.push_back(form.Name());
  form.Show();
  if (!modalScripts.empty()) {
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    script(form);
  }
  if (form.Visible()) form.UnloadForm(kUnloadFromControlMenu);
}

double SequenceRandom::Next() {
  if (values.empty()) return 0;
  const double value = values.front();
  values.pop_front();
  return value;
}

TestServices::TestServices() : clock(*runtime::DateTime::FromParts(2026, 3, 2, 9, 0), 1772442000) {}

}  // namespace forms::testing
