// Toolkit calls the application services make that the toolkit's public
// headers do not declare yet (dialogs, window attributes, live-video areas,
// cursors). The declarations match the toolkit's own; until those land, the
// stand-ins in msgbox_seams.cpp and toolkit_seams.cpp answer for them.
#pragma once

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef uintptr_t HCURSOR;

int MessageBox(WindowHandle owner, const char* text, const char* caption, uint32_t type);
WindowHandle GetDlgItem(WindowHandle hDlg, int id);
LResult SendDlgItemMessage(WindowHandle hDlg, int id, int message, WParam wParam, LParam lParam);
BOOL ShowWindow(WindowHandle hwnd, int command);
WindowHandle SetActiveWindow(WindowHandle hwnd);
void ScreenToClient(WindowHandle hwnd, int* x, int* y);
void ClientToScreen(WindowHandle hwnd, int* x, int* y);
Size* GetScreenExtentEx(int output, Size* size);
int EnableSwitchDispDev(int flag);
HCURSOR GetSystemCursor(int index);
HCURSOR SetCursorEx(HCURSOR cursor, BOOL setDefault);

GUI_EXTERN_C_END
