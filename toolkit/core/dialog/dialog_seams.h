// What dialogs and message boxes need of the controls, which are built
// separately: the push button and the static text the message box is made
// of. The stand-ins answer as the
// finished controls do for those uses and go when the controls land.
#pragma once

#include "gui/common.h"

// Registers "button" and "static" when no such class exists yet.
void EnsureDialogControlClasses();
