// Which control a point of a container falls on: windowed controls first, front to back,
// then the windowless ones that take the mouse.  Hidden and disabled controls are passed over.
#pragma once

#include "forms/control.h"

namespace forms {

// The control directly under (x, y), in twips relative to `container`, or nothing when the
// container itself is hit.  Frames are not entered.
Control* ChildAt(Container& container, double x, double y);

// The innermost control under (x, y), entering frames; nothing for the container itself.
// `localX` and `localY` receive the point relative to the control found.
Control* ControlAt(Container& container, double x, double y, double& localX, double& localY);

}  // namespace forms
