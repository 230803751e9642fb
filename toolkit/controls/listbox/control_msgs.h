// Message numbers the list box, combo box and combine control act on that
// the public headers do not name, and the one measure they share.
#pragma once

#include "gui/common.h"

namespace ctlmsg {

constexpr int kLButtonDown = 1, kLButtonUp = 2, kLButtonDblClk = 3, kMouseMove = 4;
constexpr int kWheelDown = 8, kWheelUp = 9;
constexpr int kClientSized = 39;  // posted after every size change
constexpr int kDropDownHidden = 52, kActive = 80;

// Key scan codes.
constexpr int kEscape = 1, kEnter = 28, kSpace = 57, kHome = 102, kUp = 103, kPageUp = 104, kLeft = 105;
constexpr int kRight = 106, kEnd = 107, kDown = 108, kPageDown = 109, kEditStart = 180, kClear = 183;

inline int PointX(long long lParam) { return static_cast<short>(lParam & 0xFFFF); }
inline int PointY(long long lParam) { return static_cast<short>((lParam >> 16) & 0xFFFF); }

// The height of the window's font, or the system character height when no
// DC is free.
int ClientFontHeight(WindowHandle hwnd);

}  // namespace ctlmsg
