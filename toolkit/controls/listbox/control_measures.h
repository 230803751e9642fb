// Measures the list box, combo box and combine control share.
#pragma once

#include "gui/common.h"

namespace ctlmeasure {

// The point packed into a mouse message's lParam.
inline int PointX(long long lParam) { return static_cast<short>(lParam & 0xFFFF); }
inline int PointY(long long lParam) { return static_cast<short>((lParam >> 16) & 0xFFFF); }

// The height of the window's font, or the system character height when no
// DC is free.
int ClientFontHeight(WindowHandle hwnd);

}  // namespace ctlmeasure
