// Shared by the dialog files.
#pragma once

#include <vector>

#include "core/window/child_walk.h"
#include "core/window/window_record.h"
#include "gui/dialog.h"

// The dialog's controls in child order, read under the stack lock from any
// thread. Their records stay unfreed while `walk` lives, so handles taken
// from the views may be asked short questions after the lock is let go (a
// control gone meanwhile answers as an invalid window). A walk kept over a
// send that may run a loop would keep every control retired meanwhile.
std::vector<ChildView> DialogChildren(const ChildWalk& walk, WindowHandle hDlg);
// Whether the control answers a dialog code with any of `bits`; one that
// has gone answers none.
bool HasDialogCode(WindowHandle control, LResult bits);
// The item exists, is enabled and visible.
bool ItemUsable(WindowHandle hDlg, int id);
// Creates the template's controls in the dialog; false at the first that
// fails (a null class name ends the list early).
bool CreateTemplateControls(WindowHandle hDlg, const DlgTemplate* dlg);
// Whether the window is a modal dialog whose loop runs.
bool IsModalDialog(WindowHandle hwnd);
// Whether a message box is shown (GetMsgBoxState).
bool MessageBoxShown();
