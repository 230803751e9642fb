/* The caret: one small inverted block per window, blinking while shown. */
#ifndef GUI_CARET_H
#define GUI_CARET_H

#include "gui/bitmap.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define MSG_CARETBLINK 325

BOOL CreateCaret(WindowHandle hwnd, const Bitmap* bitmap, int width, int height);
BOOL ActiveCaret(WindowHandle hwnd);
BOOL DestroyCaret(WindowHandle hwnd);
BOOL ShowCaret(WindowHandle hwnd);
BOOL HideCaret(WindowHandle hwnd);
BOOL SetCaretPos(WindowHandle hwnd, int x, int y);
BOOL ChangeCaretSize(WindowHandle hwnd, int width, int height);
BOOL GetCaretPos(WindowHandle hwnd, Point* pt);
unsigned GetCaretBlinkTime(WindowHandle hwnd);
BOOL SetCaretBlinkTime(WindowHandle hwnd, unsigned ms);

GUI_EXTERN_C_END

#endif
