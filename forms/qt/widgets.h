// The real Qt widgets of windowed controls: made once per control, then brought in line
// with the control's properties whenever it changed.  What the user does in them goes back
// to the control, which raises the same events as a change by the program.
#pragma once

#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "forms/control.h"

namespace forms::qt {

class FormWindow;

// Nothing for controls that have no widget (windowless ones, frames, the grid).  The widget
// reaches the control only while `live` holds true: the window clears it before the control
// goes away, as Qt may still send the widget events until it is deleted.
QWidget* CreateWidget(FormWindow& window, Control& control, QWidget* parent,
                      std::shared_ptr<const bool> live);
// The KeyDown code of a key (kKeyEscape, kKeyReturn, ...; a letter as its capital); 0 for
// keys the forms do not number.
int KeyCodeOf(const QKeyEvent& event);
// Applies the properties special to the control's kind (not geometry or visibility).
void SyncWidget(Control& control, QWidget& widget);

}  // namespace forms::qt
