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

// While a control's MSG_DESTROY runs on this thread: a caret it destroys
// need not be reported to the desktop, which forgets the caret window when
// it removes the control right after (a page closing has dozens of edits).
class ControlGoingScope {
 public:
  explicit ControlGoingScope(WindowHandle control);
  ~ControlGoingScope();
  ControlGoingScope(const ControlGoingScope&) = delete;
  ControlGoingScope& operator=(const ControlGoingScope&) = delete;

 private:
  WindowHandle previous_;
};
