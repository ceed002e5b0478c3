#include "forms/label.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

Label::Label(Container& parent, std::string name) : Control(parent, std::move(name)) {
  Move(0, 0, 1215, 255);
}

void Label::SetCaption(std::string value) {
  if (caption_ == value) return;
  caption_ = std::move(value);
  FitToContent();
  Changed();
}

void Label::SetAlignment(int value) { Update(alignment_, value); }

void Label::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  FitToContent();
  Changed();
}

void Label::SetWordWrap(bool value) { Update(wordWrap_, value); }

void Label::SetBorderStyle(int value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  FitToContent();
  Changed();
}

void Label::SetBackStyle(int value) { Update(backStyle_, value); }

void Label::SetPadding(double value) {
  if (padding_ == value) return;
  padding_ = value;
  FitToContent();
  Changed();
}

void Label::FitToContent() {
  if (!autoSize_) return;
  const TextMetrics& metrics = OwnerForm().Metrics();
  const std::vector<std::string> lines = CaptionLines(caption_);
  double width = 0;
  for (const std::string& line : lines) width = std::max(width, metrics.TextWidth(Font(), line));
  // A single border takes one pixel on each side.
  const double frame = (borderStyle_ != 0 ? 2 * 15 : 0) + 2 * padding_;
  Move(Left(), Top(), width + frame, metrics.LineHeight(Font()) * lines.size() + frame);
}

std::vector<std::string> CaptionLines(const std::string& caption) {
  std::vector<std::string> lines(1);
  for (char c : caption) {
    if (c == '\n')
      lines.emplace_back();
    else if (c != '\r')
      lines.back() += c;
  }
  return lines;
}

}  // namespace forms
