// The activity editor, the resource panel and the project panel move with the mouse: a
// press of the left button on a panel's surface grabs it, the grabbed point follows the
// pointer and any release drops the panel where it is, in or out of the window's sight.
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "app/mainwindow/frmMain.h"
#include "forms/error.h"
#include "runtime/rounding.h"

namespace mainwindow {

namespace {

constexpr int kErrOverflow = 6;

// A position in whole twips; one that no whole number holds is an overflow error.
int WholeTwips(double twips) {
  if (!std::isfinite(twips) || std::abs(twips) > std::numeric_limits<int>::max())
    throw forms::RuntimeError(kErrOverflow, "Overflow");
  return static_cast<int>(runtime::RoundHalfEven(twips));
}

void ReportDragError(forms::Dialogs& dialogs, int statement, const char* procedure) {
  dialogs.MsgBox("Erreur à la ligne " + std::to_string(statement) + procedure);
}

}  // namespace

// A failing step ends the handler and is reported with its statement number; the steps
// before it stand, those after it are not taken.
void frmMain::PanelMouseDown(forms::Frame& panel, const char* procedure, int button, double x,
                             double y) {
  int statement = 1;
  try {
    if (button != forms::kLeftButton) return;
    statement = 2;
    const int grabX = WholeTwips(x);
    statement = 3;
    const int grabY = WholeTwips(y);
    statement = 4;
    PanelDragging = true;
    DragGrabX = grabX;
    DragGrabY = grabY;
    statement = 5;
    panel.SetMousePointer(forms::kSizeAllPointer);
  } catch (const std::exception&) {
    ReportDragError(services_.dialogs, statement, procedure);
  }
}

void frmMain::PanelMouseMove(forms::Frame& panel, const char* procedure, double x, double y) {
  int statement = 1;
  try {
    if (!PanelDragging) return;
    statement = 2;
    const int left = WholeTwips(x - DragGrabX + panel.Left());
    statement = 3;
    const int top = WholeTwips(y - DragGrabY + panel.Top());
    statement = 4;
    panel.Move(left, top);
  } catch (const std::exception&) {
    ReportDragError(services_.dialogs, statement, procedure);
  }
}

void frmMain::PanelMouseUp(forms::Frame& panel, const char* procedure) {
  int statement = 1;
  try {
    PanelDragging = false;
    statement = 2;
    panel.SetMousePointer(forms::kDefaultPointer);
  } catch (const std::exception&) {
    ReportDragError(services_.dialogs, statement, procedure);
  }
}

void frmMain::fraActivite_MouseDown(int button, int /*shift*/, double x, double y) {
  PanelMouseDown(fraActivite, "de la procédure fraActivite_MouseDown de frmMain", button, x, y);
}

void frmMain::fraActivite_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  PanelMouseMove(fraActivite, "de la procédure fraActivite_MouseMove de frmMain", x, y);
}

void frmMain::fraActivite_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  PanelMouseUp(fraActivite, "de la procédure fraActivite_MouseUp de frmMain");
}

void frmMain::fraRessources_MouseDown(int button, int /*shift*/, double x, double y) {
  PanelMouseDown(fraRessources, "de la procédure fraressources_MouseDown de frmMain", button,
                 x, y);
}

void frmMain::fraRessources_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  PanelMouseMove(fraRessources, "de la procédure fraressources_MouseMove de frmMain", x, y);
}

void frmMain::fraRessources_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  PanelMouseUp(fraRessources, "de la procédure fraressources_MouseUp de frmMain");
}

void frmMain::fraCategorie_MouseDown(int button, int /*shift*/, double x, double y) {
  PanelMouseDown(fraCategorie, "de la procédure fraCategorie_MouseDown de frmMain", button, x,
                 y);
}

void frmMain::fraCategorie_MouseMove(int /*button*/, int /*shift*/, double x, double y) {
  PanelMouseMove(fraCategorie, "de la procédure fraCategorie_MouseMove de frmMain", x, y);
}

void frmMain::fraCategorie_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  PanelMouseUp(fraCategorie, "de la procédure fraCategorie_MouseUp de frmMain");
}

}  // namespace mainwindow
