// The shade strip under the activity editor's colour swatch: eight lighter shades, the
// project's colour and ten darker shades, one swatch every 90 twips, read from left to
// right 8 ... 1, 0, 9 ... 18.  A click on a swatch, or the marker dragged along the strip,
// gives the activity its colour and a readable text colour.
#include <algorithm>

#include "app/activities/swatch_strip.h"
#include "app/mainwindow/frmMain.h"
#include "app/store/palette.h"
#include "runtime/rounding.h"

namespace mainwindow {

namespace {

constexpr int kLighterShades = 8;
constexpr int kLastShade = 18;
constexpr int kShadeStep = 12;
constexpr double kSwatchWidth = 90;

struct Rgb {
  int red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb Channels(forms::Color colour) {
  return {static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
          static_cast<int>((colour >> 16) & 255)};
}

forms::Color ColourOf(const Rgb& rgb) {
  return static_cast<forms::Color>(rgb.red + 256 * rgb.green + 65536 * rgb.blue);
}

Rgb Shifted(const Rgb& rgb, int step) {
  auto channel = [step](int value) { return std::clamp(value + step, 0, 255); };
  return {channel(rgb.red), channel(rgb.green), channel(rgb.blue)};
}

double Whole(double twips) { return static_cast<double>(runtime::RoundHalfEven(twips)); }

}  // namespace

// The strip of `colour`, centred under the swatch, with the marker on the base swatch.  A
// shade equal to the base or to the swatch before it in its run is hidden: once a channel
// is capped, the strip shows only the shades that still differ.
void frmMain::BuildShadeStrip(int colour) {
  const Rgb base = Channels(static_cast<forms::Color>(colour));
  Rgb previous = base;
  Rgb shade = base;
  for (int k = 1; k <= kLastShade && lblDegrade.Exists(k); ++k) {
    if (k == kLighterShades + 1) shade = base;  // the darker run starts again from the base
    shade = Shifted(shade, k <= kLighterShades ? kShadeStep : -kShadeStep);
    lblDegrade[k].SetBackColor(ColourOf(shade));
    lblDegrade[k].SetVisible(!(shade == base) && !(shade == previous));
    previous = shade;
  }

  const double x0 = Whole(Shape2.Left() + Shape2.Width() / 2 - 45);
  forms::Label& baseSwatch = lblDegrade[0];
  baseSwatch.Move(x0, baseSwatch.Top(), kSwatchWidth);
  baseSwatch.SetBackColor(ColourOf(base));
  baseSwatch.SetVisible(true);
  lblSelDegrade.Move(x0, baseSwatch.Top(), kSwatchWidth);
  lblSelDegrade.SetVisible(true);
  lblSelDegrade.ZOrder(0);  // in front of the swatches loaded after it
  for (int k = 1; k <= kLastShade && lblDegrade.Exists(k); ++k) {
    const double left = k <= kLighterShades ? x0 - kSwatchWidth * k
                                            : x0 + kSwatchWidth * (k - kLighterShades);
    lblDegrade[k].Move(left, baseSwatch.Top(), kSwatchWidth);
  }
}

void frmMain::ShowActivityColour() {
  const forms::Color colour = ColourOf({ShadeRed, ShadeGreen, ShadeBlue});
  lblColTache.SetBackColor(colour);
  lblString.SetForeColor(
      static_cast<forms::Color>(store::ContrastTextColour(static_cast<int>(colour))));
}

void frmMain::lblDegrade_Click(int index) {
  const forms::Label& swatch = lblDegrade[index];
  const Rgb rgb = Channels(swatch.BackColor());
  ShadeRed = rgb.red;
  ShadeGreen = rgb.green;
  ShadeBlue = rgb.blue;
  PanelDragging = false;
  ShowActivityColour();
  lblSelDegrade.Move(swatch.Left(), swatch.Top(), swatch.Width());
}

void frmMain::lblSelDegrade_MouseDown(int button, int /*shift*/, double x, double y) {
  if (button != forms::kLeftButton) return;
  PanelDragging = true;
  DragGrabX = static_cast<int>(runtime::RoundHalfEven(x));
  DragGrabY = static_cast<int>(runtime::RoundHalfEven(y));
}

// The marker follows the pointer along the strip; the swatch under its left edge gives the
// colour.
void frmMain::lblSelDegrade_MouseMove(int /*button*/, int /*shift*/, double x, double /*y*/) {
  if (!PanelDragging) return;
  const auto [left, picked] = activities::StopMarker(
      lblDegrade, 0, kLastShade, Whole(x - DragGrabX + lblSelDegrade.Left()), true);
  lblSelDegrade.Move(left, lblDegrade[0].Top());
  const Rgb rgb = Channels(lblDegrade[picked].BackColor());
  ShadeRed = rgb.red;
  ShadeGreen = rgb.green;
  ShadeBlue = rgb.blue;
  ShowActivityColour();
}

void frmMain::lblSelDegrade_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  PanelDragging = false;
}

}  // namespace mainwindow
