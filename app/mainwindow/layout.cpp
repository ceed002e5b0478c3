// The main window lays its large areas out again for its new size.
#include "app/mainwindow/frmMain.h"

namespace mainwindow {

namespace {

// A window too small for the fixed margins asks for negative sizes: that step is passed
// over and the others still run.
template <class Step>
void TryStep(Step step) {
  try {
    step();
  } catch (const forms::RuntimeError&) {
  }
}

}  // namespace

void frmMain::Form_Resize() {
  if (WindowState() != forms::kWindowMinimized) {
    const double w = Width();
    const double h = Height();
    fraMenus.SetHeight(h);
    TryStep([&] { fraCalendar.Move(3255, 120, w - 3255 - 300, h - 760); });
    TryStep([&] {
      if (fraAgenda.Visible()) DrawAgenda();
    });
    TryStep([&] { DrawCalendar(fraSemaine.Visible(), !lblJour[6].Visible(), false); });
    TryStep([&] { MSFlexGrid1.Move(3755, 620, w - 3755 - 300, h - 1460); });
    TryStep([&] {
      fraMenuCalendar.SetLeft(fraCalendar.Left());
      fraMenuCalendar.SetWidth(fraTitre.Left() - fraMenuCalendar.Left());
    });
    TryStep([&] {
      fraTitre.SetWidth(fraCalendar.Left() + fraCalendar.Width() - fraTitre.Left());
    });
    TryStep([&] { fraimgCrisp.Move(w - 1400, 0, imgCrisp.Width(), imgCrisp.Height()); });
    fraCrisp.SetVisible(false);
    TryStep([&] {
      const double left = fraTitre.Width() - 4500;
      shMenu[7].SetLeft(left);
      imgMenu[7].SetLeft(left + 45);
      lblAffiche[7].SetLeft(left + 720);
    });
    TryStep([&] { SetTitle(lblTitre.Caption()); });
  }
  services_.screen.SetMousePointer(forms::kDefaultPointer);
}

}  // namespace mainwindow
