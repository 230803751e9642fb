// Message numbers the list box, combo box and combine control act on that
// the public headers do not name, and the one measure they share.
#pragma once

#include <linux/input-event-codes.h>

#include "gui/common.h"

namespace ctlmsg {

// Key scan codes with no name among the input event codes.
constexpr int kEditStart = 180, kClear = 183;

inline int PointX(long long lParam) { return static_cast<short>(lParam & 0xFFFF); }
inline int PointY(long long lParam) { return static_cast<short>((lParam >> 16) & 0xFFFF); }

// The height of the window's font, or the system character height when no
// DC is free.
int ClientFontHeight(WindowHandle hwnd);

}  // namespace ctlmsg
