// What the shutdown dialog and the hint window share: their template, the
// painter of their background and the restart the hint leads to.
#pragma once

#include "gui/dialog.h"

namespace shutdown {

// A modal template sized by the record "win_<section>" and centred on a
// screen of `width` x `height`; a missing record gives 0, 0 with size 0.
DlgTemplate centredTemplate(const char* section, int width, int height, bool caption);
// Grey 50 over the client with the "tipinfo" band of the main menu at the
// bottom (MSG_ERASEBKGND).
void paintBackground(WindowHandle window, WParam hdc, LParam rect);

}  // namespace shutdown
