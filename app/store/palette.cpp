#include "app/store/palette.h"

namespace store {

namespace {

constexpr int kPalette[48] = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
    0xE0E0E0, 0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF,
    0xC0C0C0, 0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
    0x808080, 0x0000D2, 0x0052C0, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,
    0x404040, 0x0000A0, 0x004090, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0x000000, 0x000078, 0x002E65, 0x004C4F, 0x005200, 0x4C3700, 0x550000, 0x620062,
};

}  // namespace

int PaletteColour(int index) { return index >= 0 && index < 48 ? kPalette[index] : 0; }

int ContrastTextColour(int colour) {
  int red = colour & 255;
  int green = (colour / 256) & 255;
  int blue = (colour / 65536) & 255;
  // The terms are summed in this order; another order can round differently at 160.
  double luma = 0.587 * green + 0.299 * red + 0.114 * blue;
  return luma >= 160.0 ? 0 : 0xFFFFFF;
}

}  // namespace store
