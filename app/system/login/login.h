// What the login dialog and the security-code dialog share: the layout of
// the current output, their template, controls and background.
#pragma once

#include <cstdint>

#include "gui/dialog.h"
#include "gui/layout.h"

namespace login {

// The record of the current output's layout (main or auxiliary), or null.
const CtrlResInfo* record(const char* section, const char* key);
// A modal template from `rectKey`, centred on the current output; a missing
// record leaves 0, 0, size 0 and an empty caption.
DlgTemplate centredTemplate(const char* section, const char* rectKey);
// A control from its record; null when the record is missing.
WindowHandle createControl(WindowHandle dlg, const char* section, const char* cls, const char* key, uint32_t style,
                           uint32_t exStyle, int id, bool labelled);
// Loads the top strip picture of the current output's layout.
void loadTopStrip();
// Grey 50, the top strip over the full width and the "tipinfo" band.
void paintBackground(WindowHandle dlg, WParam hdc, LParam rect);

}  // namespace login

extern "C" int createDefaultPasswdDialog(WindowHandle owner);
