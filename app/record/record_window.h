// What the windows of the record pages share: the record menu's key hook,
// the record page slot, and closing.
#pragma once

#include "gui/common.h"

namespace recordpages {

// The window procedure of a record page; `init` builds its sheet on 291
// after the page took the record page slot.
LResult windowProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam, void (*init)(WindowHandle));

}  // namespace recordpages
