// Caption measuring and tip copying the controls share.
#pragma once

#include "gui/common.h"
#include "gui/control_tip.h"

namespace painters {

// Width of the text in the control's font (chosen by its extended style);
// 0 when no DC can be had.
int TextWidth(WindowHandle hwnd, const char* text);
// Copies at most size - 1 bytes into the tip's buffer and terminates; the
// bytes copied.
int CopyTipText(const char* text, BubbleTipExchange* tip);

}  // namespace painters
