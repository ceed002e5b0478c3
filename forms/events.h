// The event slots of controls.  A form connects them to its member handlers, e.g.
//   cmdNewRess.Click = [this] { cmdNewRess_Click(); };
//   lblJour.DblClick = [this](int index) { lblJour_DblClick(index); };
// The slots of a control array carry the element's index first.
#pragma once

#include <functional>

#include "runtime/datetime.h"

namespace forms {

// Mouse buttons and shift keys, as bit masks.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes of KeyDown/KeyUp that the windows use.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyDelete = 46;

template <class... Index>
struct ControlEvents {
  std::function<void(Index...)> Click;
  std::function<void(Index...)> DblClick;
  std::function<void(Index...)> Change;
  std::function<void(Index...)> GotFocus;
  std::function<void(Index...)> LostFocus;
  // Coordinates in twips, relative to the control's top left corner.
  std::function<void(Index..., int button, int shift, double x, double y)> MouseDown;
  std::function<void(Index..., int button, int shift, double x, double y)> MouseMove;
  std::function<void(Index..., int button, int shift, double x, double y)> MouseUp;
  // The handler may change or clear (0) the key before the control takes it.
  std::function<void(Index..., int& keyAscii)> KeyPress;
  std::function<void(Index..., int& keyCode, int shift)> KeyDown;
  std::function<void(Index..., int& keyCode, int shift)> KeyUp;
  std::function<void(Index..., runtime::DateTime date)> DateClick;
};

}  // namespace forms
