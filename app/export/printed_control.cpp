#include "app/export/printed_control.h"

#include "forms/label.h"
#include "forms/text_box.h"
#include "runtime/text.h"

namespace agendaexport {
namespace {

// Texts are drawn half a centimetre higher than the control stands in its frame.
constexpr float kRaise = 0.5f;
// An auto-sized label is as wide as its text on screen; the printed text needs more room.
constexpr float kAutoSizeExtra = 0.5f;
// The first elements of every indexed set are centred vertically: the week-day headers.
// The hour scale's rows are not: each hour stands at the top of its row, at its hour line,
// as the window shows it.
constexpr int kFirstUncentredIndex = 7;
constexpr char kHourRows[] = "lblHeures";

float Cm(double twips) { return static_cast<float>(twips) / kTwipsPerCm; }

// A colour as the writer takes it: the decimal text of the colour integer, red in the low
// byte.  A system colour is given as the desktop paints it, not as its number.
std::string ColourText(forms::Color colour) {
  return std::to_string(forms::ResolveColor(colour));
}

int AlignFlags(const forms::Control& control, int alignment) {
  int flags = 1;
  if (alignment == forms::kAlignRight) flags = 2;
  if (alignment == forms::kAlignCenter) flags = 4;
  if (control.Index() < kFirstUncentredIndex && control.Name() != kHourRows) flags += 32;
  return flags;
}

}  // namespace

std::optional<PrintedBox> BoxOf(const forms::Control& control) {
  std::string text;
  int alignment;
  bool autoSize = false;
  bool oneLine = false;
  if (control.Kind() == forms::ControlKind::kLabel) {
    const auto& label = static_cast<const forms::Label&>(control);
    text = label.Caption();
    alignment = label.Alignment();
    autoSize = label.AutoSize();
    oneLine = label.Ellipsis();
  } else if (control.Kind() == forms::ControlKind::kTextBox) {
    const auto& textBox = static_cast<const forms::TextBox&>(control);
    text = textBox.Text();
    alignment = textBox.Alignment();
  } else {
    return std::nullopt;
  }

  PrintedBox box;
  box.x = Cm(control.Left());
  box.y = Cm(control.Top()) - kRaise;
  box.w = Cm(control.Width()) + (autoSize ? kAutoSizeExtra : 0);
  box.h = Cm(control.Height());
  box.oneLine = oneLine;
  box.text = oneLine ? runtime::Replace(text, "\n", " ") : runtime::Replace(text, "\n", "\r\n");
  box.fontName = control.Font().name;
  box.fontSize = static_cast<float>(control.Font().size);
  box.align = AlignFlags(control, alignment);
  box.textColour = ColourText(control.ForeColor());
  // A day cell, and the count of a full cell's activities left out, which stands on it.
  if (control.Name() == "lblJour" || control.Name() == "lblMore") {
    box.fillColour = kLightGrey;
    box.lineColour = "White";
  } else if (control.Name() == "lblDate") {
    box.fillColour = "White";
    box.lineColour = "Black";
  } else {
    box.fillColour = ColourText(control.BackColor());
    box.lineColour = "White";
  }
  return box;
}

PrintedLine LineOf(const forms::Line& line) {
  PrintedLine printed;
  printed.x1 = Cm(line.X1());
  printed.y1 = Cm(line.Y1()) - kRaise;
  printed.x2 = Cm(line.X2());
  printed.y2 = Cm(line.Y2()) - kRaise;
  if (line.Name() == "Line2") {
    printed.colour = kLightGrey;
    printed.dash = "0.5;0.1";
  } else {
    printed.colour = "Black";
  }
  return printed;
}

}  // namespace agendaexport
