#include "app/activities/frmColor.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/activities/swatch_strip.h"
#include "app/store/palette.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace activities {

namespace {

constexpr int kPaletteSize = 48;
constexpr int kPaletteColumns = 8;
constexpr double kPalettePitch = 700;
constexpr double kLastPaletteColumnLeft = 4710;
constexpr double kClosedHeight = 5700;
constexpr double kOpenHeight = 9480;
constexpr int kLighterTones = 8;
constexpr int kLastRowTone = 18;
constexpr int kLastTone = 22;
constexpr int kToneStep = 12;
constexpr double kToneWidth = 90;
constexpr double kColumnToneWidth = 160;

int Nearest(double value) { return static_cast<int>(runtime::RoundHalfEven(value)); }

int Red(int colour) { return colour & 255; }
int Green(int colour) { return (colour / 256) & 255; }
int Blue(int colour) { return (colour / 65536) & 255; }
int Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

int PaletteIndexOf(int colour) {
  for (int i = 0; i < kPaletteSize; ++i)
    if (store::PaletteColour(i) == colour) return i;
  return -1;
}

}  // namespace

frmColor::frmColor(const store::Planner& planner, ProjectSwatch swatch, const forms::Form& owner,
                   const forms::Control& centreOver, const forms::TextMetrics& metrics)
    : forms::Form("frmColor", metrics),
      planner_(planner),
      swatch_(swatch),
      owner_(owner),
      centreOver_(centreOver) {
  Design();
  Connect();
}

void frmColor::Design() {
  SetCaption("Couleurs");
  SetBorderStyle(forms::kBorderFixedSingle);
  SetBackColor(forms::kWhite);
  SetKeyPreview(true);

  fraColors.SetBorderStyle(0);
  fraColors.SetBackColor(forms::kWhite);
  lblColor[0].Move(90, 210, 650, 650);
  lblColor[0].SetMousePointer(forms::kHandPointer);
  lblColor[0].SetBorderStyle(1);  // white would not show on the white window otherwise
  shSelect.Move(0, 0, 670, 670);
  shSelect.SetBorderColor(0xFF0000);
  shSelect.SetBorderWidth(2);
  shSelect.SetVisible(false);

  cmdOk[0].Move(3765, 4515, 1940, 560);
  cmdOk[0].SetCaption("Sélectionner");
  lblNuances.Move(120, 4680, 2655, 375);
  lblNuances.SetCaption("Nuances");
  lblNuances.SetBackStyle(forms::kTransparent);
  lblNuances.SetForeColor(0xFF0000);
  lblNuances.SetFont({"MS Sans Serif", 9.75, false, false, true});
  lblNuances.SetMousePointer(forms::kHandPointer);

  Frame1.Move(0, 5160, 6015, 3975);
  Frame1.SetBorderStyle(0);
  Frame1.SetBackColor(forms::kWhite);
  static const char* const kComponentNames[] = {"R", "G", "B"};
  static const forms::Color kTrackColours[] = {0x0000FF, 0x00FF00, 0xFF0000};
  static const double kTrackLefts[] = {2160, 2655, 3135};
  for (int i = 0; i < 3; ++i) {
    forms::Label& name = i == 0 ? lbl[0] : lbl.Load(i);
    name.Move(135, 630 + 600 * i, 375, 375);
    name.SetCaption(kComponentNames[i]);
    name.SetBackStyle(forms::kTransparent);
    name.SetVisible(true);
    forms::TextBox& box = i == 0 ? txtC[0] : txtC.Load(i);
    box.Move(570, 585 + 600 * i, 1095, 375);
    box.SetAlignment(forms::kAlignCenter);
    box.SetVisible(true);
    forms::Label& track = i == 0 ? lblCol[0] : lblCol.Load(i);
    track.Move(kTrackLefts[i], 510, 105, 1605);
    track.SetBackColor(kTrackColours[i]);
    track.SetVisible(true);
  }
  for (int i = 0; i < 3; ++i) {
    forms::Image& cursor = i == 0 ? imgCursor[0] : imgCursor.Load(i);
    cursor.Move(lblCol[i].Left() - 105, 510, 300, 120);
    cursor.SetPicture("cursor.png");
    cursor.SetStretch(true);
    cursor.SetMousePointer(forms::kSizeNSPointer);
    cursor.SetVisible(true);
  }

  Shape1.Move(3570, 360, 2145, 1995);
  Shape1.SetBorderColor(0x808080);
  lblChoice.Move(4080, 400, 1095, 975);
  lblChoice.SetBorderStyle(1);
  lblString.Move(4095, 720, 1095, 375);
  lblString.SetCaption("A");
  lblString.SetAlignment(forms::kAlignCenter);
  lblString.SetBackStyle(forms::kTransparent);
  lblString.SetFont({"MS Sans Serif", 15});
  lblDegrade[0].Move(4500, 1425, 195, 165);
  lblDegrade[0].SetMousePointer(forms::kHandPointer);
  lblDegrade[0].SetVisible(false);
  lblSelDegrade.Move(4335, 1425, 105, 165);
  lblSelDegrade.SetBorderStyle(1);
  lblSelDegrade.SetBackStyle(forms::kTransparent);
  lblSelDegrade.SetMousePointer(forms::kSizeWEPointer);
  Label1.Move(1695, 2370, 1815, 255);
  Label1.SetCaption("couleur de police");
  Label1.SetAlignment(forms::kAlignCenter);
  Label1.SetBackStyle(forms::kTransparent);

  static const char* const kTextColours[] = {"Auto", "Noir", "Blanc"};
  static const double kOptionLefts[] = {1680, 2340, 3015};
  static const forms::Color kOptionBacks[] = {forms::kWhite, forms::kWhite, forms::kBlack};
  static const forms::Color kOptionFores[] = {forms::kBlack, forms::kBlack, forms::kWhite};
  for (int i = 0; i < 3; ++i) {
    forms::OptionButton& option = i == 0 ? optPol[0] : optPol.Load(i);
    option.Move(kOptionLefts[i], 2625, 615, 375);
    option.SetCaption(kTextColours[i]);
    option.SetStyle(1);
    option.SetBackColor(kOptionBacks[i]);
    option.SetForeColor(kOptionFores[i]);
    option.SetVisible(true);
  }
  optPol[0].SetValue(true);

  forms::CommandButton& lowerOk = cmdOk.Load(1, Frame1);
  lowerOk.Move(3720, 3120, 1940, 560);
  lowerOk.SetVisible(true);
}

void frmColor::Connect() {
  Load = [this] { Form_Load(); };
  Resize = [this] { Form_Resize(); };
  KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
  lblColor.Click = [this](int index) { lblColor_Click(index); };
  imgCursor.MouseDown = [this](int index, int button, int shift, double x, double y) {
    imgCursor_MouseDown(index, button, shift, x, y);
  };
  imgCursor.MouseMove = [this](int index, int button, int shift, double x, double y) {
    imgCursor_MouseMove(index, button, shift, x, y);
  };
  imgCursor.MouseUp = [this](int index, int button, int shift, double x, double y) {
    imgCursor_MouseUp(index, button, shift, x, y);
  };
  lblCol.MouseDown = [this](int index, int button, int shift, double x, double y) {
    lblCol_MouseDown(index, button, shift, x, y);
  };
  txtC.KeyPress = [this](int index, int& keyAscii) { txtC_KeyPress(index, keyAscii); };
  txtC.LostFocus = [this](int index) { txtC_LostFocus(index); };
  optPol.Click = [this](int index) { optPol_Click(index); };
  lblDegrade.Click = [this](int index) { lblDegrade_Click(index); };
  lblSelDegrade.MouseDown = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseDown(button, shift, x, y);
  };
  lblSelDegrade.MouseMove = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseMove(button, shift, x, y);
  };
  lblSelDegrade.MouseUp = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseUp(button, shift, x, y);
  };
  lblNuances.Click = [this] { lblNuances_Click(); };
  cmdOk.Click = [this](int index) { cmdOk_Click(index); };
}

void frmColor::Form_Load() {
  lblColor[0].SetBackColor(static_cast<forms::Color>(store::PaletteColour(0)));
  double x = lblColor[0].Left();
  double y = lblColor[0].Top();
  for (int i = 1; i < kPaletteSize; ++i) {
    if (x < kLastPaletteColumnLeft) {
      x += kPalettePitch;
    } else {
      x = lblColor[0].Left();
      y += kPalettePitch;
    }
    forms::Label& swatch = lblColor.Load(i);
    swatch.Move(x, y);
    swatch.SetBackColor(static_cast<forms::Color>(store::PaletteColour(i)));
    swatch.SetVisible(true);
  }
  shSelect.ZOrder(0);

  TrackHeight = Nearest(lblCol[0].Height());
  TrackTop = Nearest(lblCol[0].Top());
  TrackBottom = TrackTop + TrackHeight;

  fraColors.Move(0, 0, x + lblColor[0].Width() + 90, y + lblColor[0].Height() + 90);
  Move(Left(), Top(), fraColors.Width() + 120, kClosedHeight);

  for (int i = 1; i <= kLastTone; ++i) lblDegrade.Load(i);
  lblSelDegrade.ZOrder(0);

  if (planner_.ChosenTextFlag <= 0)
    SetColor(store::PaletteColour(planner_.ChosenColour), 0);
  else
    SetColor(planner_.ChosenColour, planner_.ChosenTextFlag + 1);
}

void frmColor::Form_Resize() {
  Move(owner_.Left() + centreOver_.Left() + (centreOver_.Width() - Width()) / 2,
       owner_.Top() + centreOver_.Top(), Width(), Height());
}

void frmColor::SetColor(int colour, int mode) {
  SuppressUpdate = true;
  CurrentRed = Red(colour);
  CurrentGreen = Green(colour);
  CurrentBlue = Blue(colour);
  SuppressUpdate = false;
  UpdateColor(mode, false);
}

void frmColor::UpdateColor(int mode, bool keepShades) {
  if (SuppressUpdate) return;
  const int c = Rgb(CurrentRed, CurrentGreen, CurrentBlue);
  lblChoice.SetBackColor(static_cast<forms::Color>(c));
  const auto t = static_cast<forms::Color>(store::ContrastTextColour(c));
  optPol[0].SetBackColor(static_cast<forms::Color>(c));
  optPol[0].SetForeColor(t);

  // Selecting an option raises its click, whose own refresh would redraw the strip around a
  // tone just picked: it is held off while this refresh chooses the option.
  SuppressUpdate = true;
  if (mode <= 0) {
    optPol[0].SetValue(true);
    lblString.SetForeColor(t);
  } else {
    lblString.SetForeColor(optPol[mode - 1].ForeColor());
    optPol[mode - 1].SetValue(true);
  }
  txtC[0].SetText(std::to_string(CurrentRed));
  txtC[1].SetText(std::to_string(CurrentGreen));
  txtC[2].SetText(std::to_string(CurrentBlue));
  SuppressUpdate = false;

  imgCursor[0].SetTop(ValueToCursorTop(CurrentRed));
  imgCursor[1].SetTop(ValueToCursorTop(CurrentGreen));
  imgCursor[2].SetTop(ValueToCursorTop(CurrentBlue));

  if (!keepShades) DrawGradient(c);

  shSelect.SetVisible(false);
  const int p = PaletteIndexOf(c);
  if (p >= 0) {
    shSelect.Move(lblColor[p].Left() - 10, lblColor[p].Top() - 10);
    shSelect.SetVisible(true);
  }
}

int frmColor::ValueToCursorTop(int value) const {
  return TrackTop + Nearest(TrackHeight * (255.0 - value) / 255.0);
}

// Lighter tones 1..8 to the left of the colour, darker 9..18 to its right, and, for a
// palette colour outside the first column, four steps towards its palette neighbour hanging
// below it (19..22).  A tone equal to the colour or to the tone before it is hidden.
void frmColor::DrawGradient(int colour) {
  const int r0 = Red(colour);
  const int g0 = Green(colour);
  const int b0 = Blue(colour);
  int r = r0;
  int g = g0;
  int b = b0;
  int previous = colour;
  for (int i = 1; i <= kLastRowTone; ++i) {
    const int step = i <= kLighterTones ? kToneStep : -kToneStep;
    if (i == kLighterTones + 1) {
      r = r0;
      g = g0;
      b = b0;
    }
    r = std::clamp(r + step, 0, 255);
    g = std::clamp(g + step, 0, 255);
    b = std::clamp(b + step, 0, 255);
    const int tone = Rgb(r, g, b);
    lblDegrade[i].SetBackColor(static_cast<forms::Color>(tone));
    lblDegrade[i].SetVisible(tone != colour && tone != previous);
    previous = tone;
  }

  const double x0 = Nearest(Shape1.Left() + Shape1.Width() / 2 - 45);
  const double top0 = Nearest(lblDegrade[0].Top());
  lblDegrade[0].Move(x0, top0, kToneWidth);
  lblDegrade[0].SetBackColor(static_cast<forms::Color>(colour));
  lblDegrade[0].SetVisible(true);
  lblSelDegrade.Move(x0, top0, kToneWidth);
  lblSelDegrade.SetVisible(true);
  for (int i = 1; i <= kLastRowTone; ++i) {
    const double left = i <= kLighterTones ? x0 - kToneWidth * i
                                           : x0 + kToneWidth * (i - kLighterTones);
    lblDegrade[i].Move(left, top0, kToneWidth);
  }

  const int p = std::max(PaletteIndexOf(colour), 0);
  if (p % kPaletteColumns == 0) {
    for (int i = kLastRowTone + 1; i <= kLastTone; ++i) lblDegrade[i].SetVisible(false);
    return;
  }
  const int neighbour = store::PaletteColour(p <= kPaletteColumns ? p - 1 : p - 9);
  auto towards = [](int from, int to, int k) {
    const int step = std::min(Nearest(std::abs(to - from) / 5.0), 48);
    return std::clamp(from <= to ? from + k * step : from - k * step, 0, 255);
  };
  double top = lblDegrade[0].Top() + lblDegrade[0].Height();
  for (int k = 1; k <= 4; ++k) {
    forms::Label& tone = lblDegrade[kLastRowTone + k];
    tone.SetBackColor(static_cast<forms::Color>(Rgb(towards(r0, Red(neighbour), k),
                                                    towards(g0, Green(neighbour), k),
                                                    towards(b0, Blue(neighbour), k))));
    tone.Move(lblDegrade[0].Left() - 30, top, kColumnToneWidth);
    tone.SetVisible(true);
    top += tone.Height();
  }
}

void frmColor::SetComponent(int index, int value) {
  if (index == 0) CurrentRed = value;
  if (index == 1) CurrentGreen = value;
  if (index == 2) CurrentBlue = value;
}

void frmColor::TakeColour(forms::Color colour) {
  const int c = static_cast<int>(colour);
  CurrentRed = Red(c);
  CurrentGreen = Green(c);
  CurrentBlue = Blue(c);
}

void frmColor::lblColor_Click(int index) {
  SetColor(static_cast<int>(lblColor[index].BackColor()), 0);
  shSelect.Move(lblColor[index].Left() - 10, lblColor[index].Top() - 10);
  shSelect.SetVisible(true);
}

void frmColor::imgCursor_MouseDown(int /*index*/, int button, int /*shift*/, double x,
                                   double y) {
  if (button != forms::kLeftButton) return;
  ChooserDragging = true;
  ChooserGrabX = Nearest(x);
  ChooserGrabY = Nearest(y);
}

// A pointer above the track's top counts from the cursor image; one below it is taken as a
// position in the lower panel (a track click passes such a position).
void frmColor::imgCursor_MouseMove(int index, int /*button*/, int /*shift*/, double /*x*/,
                                   double y) {
  if (!ChooserDragging) return;
  int newTop = y <= TrackTop ? Nearest(y - ChooserGrabY + imgCursor[index].Top())
                             : Nearest(y - ChooserGrabY);
  if (newTop > TrackBottom) newTop = TrackBottom;
  if (newTop < TrackTop) newTop = TrackTop;
  const int value = 255 - Nearest((newTop - TrackTop) * 255.0 / TrackHeight);
  imgCursor[index].SetTop(newTop);
  SetComponent(index, value);
  shSelect.SetVisible(false);
  UpdateColor(0, false);
}

void frmColor::imgCursor_MouseUp(int index, int /*button*/, int /*shift*/, double /*x*/,
                                 double /*y*/) {
  ChooserDragging = false;
  imgCursor[index].SetMousePointer(forms::kDefaultPointer);
}

void frmColor::lblCol_MouseDown(int index, int /*button*/, int /*shift*/, double x, double y) {
  ChooserDragging = true;
  imgCursor_MouseMove(index, forms::kLeftButton, 0, x, lblCol[index].Top() + y);
  ChooserDragging = false;
}

// The key has not reached the text yet.  Enter applies a value from 0 to 255; a longer
// text is read as 255, anything not a number as 0.
void frmColor::txtC_KeyPress(int index, int& keyAscii) {
  SuppressUpdate = true;
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (!digit && keyAscii != forms::kKeyReturn && keyAscii != forms::kKeyBack) keyAscii = 0;
  forms::TextBox& box = txtC[index];
  if (runtime::Len(box.Text()) > 3) box.SetText("255");
  if (!runtime::ParseInteger(box.Text())) box.SetText("0");
  const std::optional<long long> value = runtime::ParseInteger(box.Text());
  if (keyAscii == forms::kKeyReturn && *value >= 0 && *value < 256) {
    SetComponent(index, static_cast<int>(*value));
    SuppressUpdate = false;
    shSelect.SetVisible(false);
    UpdateColor(0, false);
  }
  SuppressUpdate = false;
}

void frmColor::txtC_LostFocus(int index) {
  int key = forms::kKeyReturn;
  txtC_KeyPress(index, key);
}

void frmColor::optPol_Click(int index) { UpdateColor(index + 1, false); }

void frmColor::lblDegrade_Click(int index) {
  const forms::Label& tone = lblDegrade[index];
  TakeColour(tone.BackColor());
  shSelect.SetVisible(false);
  ChooserDragging = false;
  UpdateColor(0, true);
  lblSelDegrade.Move(tone.Left(), tone.Top(), tone.Width());
  lblSelDegrade.SetMousePointer(index > kLastRowTone ? forms::kSizeNSPointer
                                                     : forms::kSizeWEPointer);
}

void frmColor::lblSelDegrade_MouseDown(int button, int /*shift*/, double x, double y) {
  if (button != forms::kLeftButton) return;
  ChooserDragging = true;
  ChooserGrabX = Nearest(x);
  ChooserGrabY = Nearest(y);
}

// The marker slides along the row or down the column it stands on and gives the colour of
// the tone under its left (top) edge.
void frmColor::lblSelDegrade_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  if (!ChooserDragging) return;
  const bool onRow = lblSelDegrade.Top() == lblDegrade[0].Top();
  const int first = onRow ? 0 : kLastRowTone + 1;
  const int last = onRow ? kLastRowTone : kLastTone;
  const double wanted = onRow ? Nearest(x - ChooserGrabX + lblSelDegrade.Left())
                              : Nearest(y - ChooserGrabY + lblSelDegrade.Top());
  const auto [position, selected] = StopMarker(lblDegrade, first, last, wanted, onRow);
  if (onRow) {
    lblSelDegrade.SetMousePointer(forms::kSizeWEPointer);
    lblSelDegrade.Move(position, lblDegrade[0].Top());
  } else {
    lblSelDegrade.Move(lblDegrade[kLastRowTone + 1].Left(), position);
    lblSelDegrade.SetMousePointer(selected != 0 ? forms::kSizeNSPointer : forms::kSizeWEPointer);
  }
  TakeColour(lblDegrade[selected].BackColor());
  UpdateColor(0, true);
}

void frmColor::lblSelDegrade_MouseUp(int /*button*/, int /*shift*/, double /*x*/,
                                     double /*y*/) {
  ChooserDragging = false;
}

void frmColor::lblNuances_Click() {
  if (Height() != kClosedHeight) {
    SetHeight(kClosedHeight);
    cmdOk[0].SetVisible(true);
  } else {
    SetHeight(kOpenHeight);
    cmdOk[0].SetVisible(false);
  }
}

// Esc closes the dialog as its close box does: nothing is handed to the project panel.
void frmColor::Form_KeyDown(int& keyCode, int /*shift*/) {
  if (keyCode != forms::kKeyEscape) return;
  keyCode = 0;
  UnloadForm(forms::kUnloadFromControlMenu);
}

void frmColor::cmdOk_Click(int /*index*/) {
  swatch_.lblColor.SetBackColor(static_cast<forms::Color>(Rgb(CurrentRed, CurrentGreen, CurrentBlue)));
  swatch_.lblStringProj.SetForeColor(lblString.ForeColor());
  swatch_.Shape1.SetVisible(false);
  selected_ = true;
  UnloadForm();
}

}  // namespace activities
