// Colours as the forms store them: 0x00BBGGRR for a plain colour (red in the low byte), or
// 0x800000nn for the system colour number nn, which stays unresolved until it is painted.
#pragma once

#include <cstdint>

namespace forms {

using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

inline constexpr Color kScrollBarColor = 0x80000000;
inline constexpr Color kWindowBackground = 0x80000005;
inline constexpr Color kWindowText = 0x80000008;
inline constexpr Color kHighlight = 0x8000000D;
inline constexpr Color kHighlightText = 0x8000000E;
inline constexpr Color kButtonFace = 0x8000000F;
inline constexpr Color kButtonShadow = 0x80000010;
inline constexpr Color kGrayText = 0x80000011;
inline constexpr Color kButtonText = 0x80000012;
inline constexpr Color kInfoText = 0x80000017;
inline constexpr Color kInfoBackground = 0x80000018;

inline constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

// The plain colour to paint for `c`: system colours take the values of a default desktop
// theme; anything else keeps its low 24 bits.
Color ResolveColor(Color c);

inline constexpr int Red(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int Blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
inline constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}

}  // namespace forms
