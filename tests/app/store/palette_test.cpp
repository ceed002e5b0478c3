#include "app/store/palette.h"

#include <gtest/gtest.h>

namespace store {
namespace {

int Colour(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

TEST(PaletteTest, SixRowsOfEightStartingWithAGreyStep) {
  EXPECT_EQ(PaletteColour(0), 0xFFFFFF);
  EXPECT_EQ(PaletteColour(17), 0x0000FF);
  EXPECT_EQ(PaletteColour(42), 0x002E65);
  EXPECT_EQ(PaletteColour(47), 0x620062);
  const int greys[] = {0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(PaletteColour(row * 8), greys[row]);
  EXPECT_EQ(PaletteColour(48), 0);
  EXPECT_EQ(PaletteColour(-1), 0);
}

TEST(PaletteTest, ContrastTextColourIsBlackOnLightColours) {
  EXPECT_EQ(ContrastTextColour(0xFFFFFF), 0);
  EXPECT_EQ(ContrastTextColour(0), 0xFFFFFF);
  EXPECT_EQ(ContrastTextColour(0x808080), 0xFFFFFF);
  EXPECT_EQ(ContrastTextColour(0x00FFFF), 0) << "yellow, luma 225.93";
  EXPECT_EQ(ContrastTextColour(0x0000FF), 0xFFFFFF) << "red, luma 76.245";
}

TEST(PaletteTest, ContrastTextColourAtTheThreshold) {
  // Luma exactly 160 gives black.
  EXPECT_EQ(ContrastTextColour(Colour(7, 229, 206)), 0);
  // Green, red, blue summed in that order give exactly 160 here, while blue first would
  // give 159.99999999999997 ...
  EXPECT_EQ(ContrastTextColour(Colour(59, 213, 152)), 0);
  // ... and 159.99999999999997 here, while blue first would give 160.
  EXPECT_EQ(ContrastTextColour(Colour(26, 210, 254)), 0xFFFFFF);
}

}  // namespace
}  // namespace store
