// The chain of open popup menus, as far as the desktop keeps it: the menus'
// screen rectangles are cut out of every visible region while they are
// open. The menus install their tracker at start-up (InitMenu); without
// one (the desktop run alone) no message is kept.
#pragma once

#include "gui/desktop.h"

// The menu tracker answers non-zero when it keeps an input message.
using MenuTracker = LResult (*)(int msg, WParam wParam, LParam lParam);
void SetMenuTracker(MenuTracker tracker);
LResult TellMenuTracker(int msg, WParam wParam, LParam lParam);

LResult StartPopupMenu(PopupMenuHead* menu);
LResult EndPopupMenu(PopupMenuHead* menu);
// 1 when a menu was open.
LResult EndAllPopupMenus();
bool AnyPopupMenuOpen();
