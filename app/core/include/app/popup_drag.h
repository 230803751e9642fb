/* Dragging a pop-up across the live view: a 33-pixel dead zone, the window
 * kept on the current output's screen, and the uncovered live view
 * repainted. Points come from a mouse message's lParam (x low 16 bits, y high
 * 16 bits, both signed). The caller keeps the drag state. */
#ifndef APP_POPUP_DRAG_H
#define APP_POPUP_DRAG_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

void getDragOrigin(WindowHandle hwnd, Rect* startRect, Point* origin, LParam lParam);
void getDragOriginClient(WindowHandle hwnd, Rect* startRect, Point* origin, LParam lParam);
void clampDragRect(WindowHandle hwnd, Rect* rect, Point origin, LParam lParam);
void moveDragWindow(int output, WindowHandle hwnd, Rect* prepared, const Rect* startRect, Point* origin,
                    LParam lParam);
void endDragWindow(int output, WindowHandle hwnd, Rect* prepared, const Rect* startRect, Point* origin,
                   LParam lParam);
void applyDragRect(int output, WindowHandle hwnd, const Rect* prepared, Point* origin);
/* The rectangle shifted into a screen of w x h: bottom, right, top, left. */
void clampRectToScreen(Rect* rect, int w, int h);

/* A dialog dragged by its caption. */
typedef struct PopupDrag {
  Point origin;
  Rect startRect;
  Rect prepared;
  int armed;
  int moved;
} PopupDrag;

/* MSG_NCLBUTTONDOWN with HT_CAPTION: a press on the caption (lParam in screen
 * coordinates). */
void popupDragBegin(PopupDrag* drag, WindowHandle hwnd, LParam lParam);
/* A mouse move while the capture is held (screen coordinates). */
void popupDragMove(PopupDrag* drag, WindowHandle hwnd, LParam lParam);
/* MSG_BROADCAST_NOTICE with wParam 0 or 1: applies a prepared move. */
void popupDragApply(PopupDrag* drag, WindowHandle hwnd);
/* Button up or MSG_NCLBUTTONUP: the last move, then the capture ends. */
void popupDragEnd(PopupDrag* drag, WindowHandle hwnd, LParam lParam);
/* Routes the drag messages of a dialog; 1 when the message was a drag's. */
int popupDragHandle(PopupDrag* drag, WindowHandle hwnd, int message, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
