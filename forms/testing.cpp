#include "forms/testing.h"

#include "forms/form.h"

namespace forms::testing {

namespace {

int FirstButton(int buttons) {
  switch (buttons & kButtonsMask) {
    case kAbortRetryIgnore: return kAbort;
    case kYesNoCancel:
    case kYesNo: return kYes;
    case kRetryCancel: return kRetry;
    default: return kOK;
  }
}

}  // namespace

int ScriptedDialogs::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  shown.push_back({Shown::Kind::kMsgBox, prompt, title, buttons, ""});
  if (msgBoxAnswers.empty()) return FirstButton(buttons);
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
