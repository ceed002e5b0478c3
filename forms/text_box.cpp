#include "forms/text_box.h"

#include "runtime/text.h"

namespace forms {

TextBox::TextBox(Container& parent, std::string name) : Control(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  SetForeColor(kWindowText);
  Move(0, 0, 1215, 285);
}

void TextBox::SetText(std::string value) {
  if (text_ == value) return;
  text_ = std::move(value);
  Changed();
  RaiseChange();
}

void TextBox::TypeKey(int keyAscii) {
  RaiseKeyPress(keyAscii);
  if (keyAscii == 0 || Unloaded() || locked_) return;
  if (keyAscii == 8) {
    const int length = runtime::Len(text_);
    if (length > 0) SetText(runtime::Left(text_, length - 1));
    return;
  }
  if (keyAscii == 13 && !multiLine_) return;
  std::string typed = text_;
  if (keyAscii == 13) {
    typed += "\r\n";
  } else {
    runtime::AppendUtf8(typed, static_cast<char32_t>(keyAscii));
  }
  SetText(std::move(typed));
}

}  // namespace forms
