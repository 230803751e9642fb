// Shared by the dialog files.
#pragma once

#include <vector>

#include "core/window/window_record.h"
#include "gui/dialog.h"

// The dialog's controls in child order, read under the stack lock.
std::vector<WindowRecord*> DialogChildren(WindowHandle hDlg);
// The item exists, is enabled and visible.
bool ItemUsable(WindowHandle hDlg, int id);
// Creates the template's controls in the dialog; false at the first that
// fails (a null class name ends the list early).
bool CreateTemplateControls(WindowHandle hDlg, const DlgTemplate* dlg);
// Whether the window is a modal dialog whose loop runs.
bool IsModalDialog(WindowHandle hwnd);
// Whether a message box is shown (GetMsgBoxState).
bool MessageBoxShown();
