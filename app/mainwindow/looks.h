// The looks the main window's design repeats: colours, fonts and a few kinds of label.
#pragma once

#include <string>

#include "forms/forms.h"

namespace mainwindow {

inline constexpr forms::Color kMenuBlue = 0xC06700;     // menu captions and day numbers
inline constexpr forms::Color kLightGrey = 0xC0C0C0;    // menu borders
inline constexpr forms::Color kGrey = 0x808080;         // hour scale
inline constexpr forms::Color kPaleGrey = 0xE0E0E0;     // half-hour lines
inline constexpr forms::Color kRed = 0x0000FF;
inline constexpr forms::Color kChatBlue = 0xE79000;
inline constexpr forms::Color kDarkGrey = 0x404040;

inline const forms::Font kArial12{"Arial", 12};

// The title bar's caption as designed, for one line.
inline constexpr double kTitleTop = 200;
inline constexpr double kTitleHeight = 400;
inline constexpr double kTitleWidth = 3600;
inline const forms::Font kTitleFont{"Arial", 12, true};
inline const forms::Font kArial975Bold{"Arial", 9.75, true};
inline const forms::Font kSansSerif975{"MS Sans Serif", 9.75};
inline const forms::Font kSansSerif975Bold{"MS Sans Serif", 9.75, true};

// A caption on a transparent background.
void DesignCaption(forms::Label& label, const std::string& caption, double left, double top,
                   double width, double height, const forms::Font& font = forms::Font{},
                   forms::Color foreColor = forms::kButtonText);

// The "X" in the top right corner of a floating panel.
void DesignCloseLabel(forms::Label& label, double left);

// A floating panel: a white, hidden frame with a bold caption.
void DesignPanel(forms::Frame& frame, const std::string& caption, double left, double top,
                 double width, double height);

// "<" and ">" of the month and week bars.
void DesignArrow(forms::Label& label, const std::string& caption, double left, double top);

// A square hatched over a colour swatch while no colour is shown.
void DesignHatch(forms::Shape& shape, double left, double top, double width, double height);

}  // namespace mainwindow
