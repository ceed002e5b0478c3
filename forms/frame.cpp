#include "forms/frame.h"

namespace forms {

Frame::Frame(Container& parent, std::string name) : Control(parent, std::move(name)) {
  Move(0, 0, 1695, 1215);
}

void Frame::SetCaption(std::string value) { Update(caption_, std::move(value)); }
void Frame::SetBorderStyle(int value) { Update(borderStyle_, value); }

}  // namespace forms
