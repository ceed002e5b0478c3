// The services as the program has them, on Qt: French message and input boxes, the system
// clipboard, the override cursor, the event loop, the desktop's opener.
#pragma once

#include "forms/services.h"

namespace forms::qt {

class Backend;

class QtDialogs final : public Dialogs {
 public:
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
};

class QtClipboard final : public Clipboard {
 public:
  void Clear() override;
  void SetText(const std::string& text) override;
  std::string GetText() override;
};

class QtScreen final : public Screen {
 public:
  int MousePointer() const override { return pointer_; }
  void SetMousePointer(int pointer) override;

 private:
  int pointer_ = 0;
};

class QtEventLoop final : public EventLoop {
 public:
  explicit QtEventLoop(Backend& backend) : backend_(backend) {}
  void DoEvents() override;
  void ShowModal(Form& form) override;
  void Repeat(int milliseconds, std::function<bool()> step) override;

 private:
  Backend& backend_;
};

// xdg-open for addresses and files, its exit status watched from the event loop; a file
// with arguments is started as a program.
class QtShell final : public Shell {
 public:
  void Open(const std::string& target, const std::vector<std::string>& arguments,
            const std::string& workingFolder, std::function<void()> notOpened) override;
};

class QtTextMetrics final : public TextMetrics {
 public:
  double TextWidth(const Font& font, std::string_view line) const override;
  double LineHeight(const Font& font) const override;
};

}  // namespace forms::qt
