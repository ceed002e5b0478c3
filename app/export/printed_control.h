// What one control of the printed frame becomes on the page, in centimetres measured from
// the top-left corner of the frame (the top-left corner of the area inside the margins).
#pragma once

#include <optional>
#include <string>

#include "forms/control.h"
#include "forms/line.h"

namespace agendaexport {

inline constexpr float kTwipsPerCm = 567;
// The light grey of the day cells and of the half-hour lines.
inline constexpr char kLightGrey[] = "14737632";

// A label or a text box printed as a text box.  `y` is the page's, before the agenda's
// vertical offset.
struct PrintedBox {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  std::string text;  // lines separated by CR LF
  std::string fontName;
  float fontSize = 0;
  int align = 0;  // flags of DrawTextBox
  std::string textColour;
  std::string fillColour;
  std::string lineColour;  // of the top side, the only one drawn
  bool oneLine = false;    // the text cut with "…" where the box ends, as on screen
};

// A line, at the same vertical place as the texts beside it.
struct PrintedLine {
  float x1 = 0;
  float y1 = 0;
  float x2 = 0;
  float y2 = 0;
  std::string colour;
  std::string dash;  // "" for a solid line
};

// The box of a label or a text box, or nothing for any other control.
std::optional<PrintedBox> BoxOf(const forms::Control& control);

PrintedLine LineOf(const forms::Line& line);

}  // namespace agendaexport
