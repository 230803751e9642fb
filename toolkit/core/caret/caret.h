// The caret as the painting code, the desktop and window destruction see
// it.
#pragma once

#include "core/window/window_record.h"

// Hidden for an erase when shown (true), shown again after it.
bool HideCaretForErase(WindowRecord* win);
void ShowCaretAfterErase(WindowRecord* win);
// Before painting the screen under a drawn caret comes back; after it a
// shown caret is captured and drawn anew.
void RestoreUnderCaret(WindowRecord* win);
void RedrawCaretAfterPaint(WindowRecord* win, HDC hdc);
void BlinkCaret(WindowRecord* win);
// The blink period of the window's caret (500 without one).
unsigned CaretPeriodOf(WindowHandle hwnd);
// Frees the caret of a window that goes.
void FreeCaretOf(WindowRecord* win);
