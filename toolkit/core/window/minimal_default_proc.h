// The smallest default procedure the window module needs until the full
// default procedures are installed: it answers the two geometry messages of
// creation and moving (37 copies the requested rectangle, 34 takes it as the
// window rectangle with a client area of the same size, no frame) and drops
// the damage on 177 as painting would.
#pragma once

#include "gui/common.h"

LResult MinimalWindowProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
