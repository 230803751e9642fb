// Calls the default procedures and the painting code make into areas that
// are built separately: the non-client area and scroll bars, menus,
// the caret, live-video areas, the edit controls' soft-keyboard flags,
// moving windows and boxes filled through a DC. Each does the least the
// finished call would (no frame, no menu bar, no caret) and is replaced by
// the real call when its area lands.
#pragma once

#include "core/cursor/system_cursor.h"
#include "core/window/window_record.h"

// Non-client area: the hit test outside the client area (1 outside the
// window, else 4: a frame without parts), the client rectangle recomputed
// from the window rectangle (the same rectangle: no frame), the scroll bars'
// share of non-client mouse input (none) and the non-client drawing.
int NonClientHitTest(WindowRecord* win, int x, int y);
void RecomputeClientRect(WindowRecord* win);
bool ScrollBarsTakeMouse(WindowRecord* win, int msg, int hitCode, LParam lParam);
void DrawNonClientArea(WindowRecord* win, HDC hdc, const Rect* clip);
void RedrawCaptionBar(WindowRecord* win, bool active);

// Menus: the menu bar highlight under the pointer, menu-bar tracking and
// the system menu at a screen point.
void HighlightMenuBarAt(WindowRecord* win, int x, int y, int hitCode);
void TrackMenuBarAt(WindowRecord* win, int x, int y);
void TrackMenuBarItem(WindowRecord* win, int item);
void OpenSystemMenu(WindowRecord* win, int x, int y);

// The pointer position in screen coordinates, as the last raw mouse message
// a window received gave it.
void NoteCursorPosition(int x, int y);
void CursorPosition(int* x, int* y);

// Caret: whether it is shown (and then hidden for an erase), shown again,
// the screen under it restored before painting, redrawn after, and a blink.
bool HideCaretForErase(WindowRecord* win);
void ShowCaretAfterErase(WindowRecord* win);
void RestoreUnderCaret(WindowRecord* win);
void RedrawCaretAfterPaint(WindowRecord* win, HDC hdc);
void BlinkCaret(WindowRecord* win);

// Live-video areas of a display and the output-switch request flag.
void RefreshLiveVideoAreas(WindowRecord* win);
void ReplanLiveVideoAreas(const Rect& damaged);
void SetOutputSwitchRequest(bool raised);

// The edit controls' soft-keyboard flags and an edit's host kind (0 none,
// 1 or 3 a combobox, 2 an IP-address edit).
void ClearIpEditKeyboardFlag();
void SetSingleLineEditKeyboardFlag(int flag);
int EditParentKind(WindowHandle edit);

// Moves a window (main windows through the desktop) and captures the mouse
// for a window (0 releases it).
void MoveWindowTo(WindowHandle hwnd, const Rect& rect, bool repaint);
void CaptureMouse(WindowHandle hwnd);

// Fills a rectangle (DC coordinates) with a pixel through the DC's clip.
void FillWithPixel(HDC hdc, const Rect& rect, GalPixel pixel);
