/* Invalidation and painting.
 *
 * Damage collects in a window's invalid region (client coordinates) and the
 * window is posted MSG_PAINT; its procedure paints between
 * BeginPaint and EndPaint, whose DC is clipped to the collected region.
 * Erasing is not deferred: invalidation with erase calls the window's erase
 * handler (MSG_ERASEBKGND) at once, in the calling thread. Any thread may invalidate. */
#ifndef GUI_PAINT_H
#define GUI_PAINT_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Rectangle in client coordinates, null for the whole client area. 1 when
 * the region was changed; 0 for an invalid window, a transparent control
 * whose rectangle misses it, or while the window is painting. */
BOOL InvalidateRect(WindowHandle hwnd, const Rect* rect, BOOL erase);
/* As InvalidateRect for a preview main window (0 for any other), keeping
 * the live-video areas of its display in step. */
BOOL PrevInvalidateRect(WindowHandle hwnd, const Rect* rect, BOOL erase);
/* Repaints at once: frame, invalidation of the whole window, then 177. */
void UpdateWindow(WindowHandle hwnd, BOOL erase);
/* 1 with the bounding rectangle of the invalid region; 0 for an invalid
 * window. */
BOOL GetUpdateRect(WindowHandle hwnd, Rect* rect);
/* A client DC clipped to the invalid region, which is emptied; HDC_INVALID
 * for an invalid window (drawing through it does nothing). */
HDC BeginPaint(WindowHandle hwnd);
void EndPaint(WindowHandle hwnd, HDC hdc);

GUI_EXTERN_C_END

#endif
