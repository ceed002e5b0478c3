#include "forms/color.h"

#include <array>

namespace forms {

namespace {

// Indexed by system colour number; values as red, green, blue.
constexpr std::array<Color, 31> kSystemColors = {
    Rgb(200, 200, 200),  // 0 scroll bar
    Rgb(0, 0, 0),        // 1 desktop
    Rgb(153, 180, 209),  // 2 active title bar
    Rgb(191, 205, 219),  // 3 inactive title bar
    Rgb(240, 240, 240),  // 4 menu bar
    Rgb(255, 255, 255),  // 5 window background
    Rgb(100, 100, 100),  // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(0, 0, 0),        // 9 active title bar text
    Rgb(180, 180, 180),  // 10 active border
    Rgb(244, 247, 252),  // 11 inactive border
    Rgb(171, 171, 171),  // 12 application workspace
    Rgb(0, 120, 215),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(240, 240, 240),  // 15 button face
    Rgb(160, 160, 160),  // 16 button shadow
    Rgb(109, 109, 109),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(0, 0, 0),        // 19 inactive title bar text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(105, 105, 105),  // 21 3D dark shadow
    Rgb(227, 227, 227),  // 22 3D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(0, 0, 0),        // 25 (unused)
    Rgb(0, 102, 204),    // 26 hot-tracked item
    Rgb(185, 209, 234),  // 27 active title gradient
    Rgb(215, 228, 242),  // 28 inactive title gradient
    Rgb(0, 120, 215),    // 29 menu highlight
    Rgb(240, 240, 240),  // 30 menu bar
};

}  // namespace

Color ResolveColor(Color c) {
  if (!IsSystemColor(c)) return c & 0xFFFFFF;
  const Color number = c & 0xFF;
  return number < kSystemColors.size() ? kSystemColors[number] : kBlack;
}

}  // namespace forms
