// The typeface of a control.
#pragma once

#include <string>

namespace forms {

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace forms
