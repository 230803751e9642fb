// What dialogs need of the controls that are built separately: the edit
// question of the group moves. The stand-in answers as the finished edit
// controls do and goes when they land.
#pragma once

#include "gui/common.h"

// An edit that is not part of a combobox or IP-address edit (none yet).
bool IsFreeStandingEdit(WindowHandle hwnd);
