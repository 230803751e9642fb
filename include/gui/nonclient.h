/* Window frames and scroll bars: sizes of the frame, the scroll-bar API and
 * scrolling a window's contents. */
#ifndef GUI_NONCLIENT_H
#define GUI_NONCLIENT_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Frame styles. */
#define WS_CAPTION_EXTRA 0x10000000u /* the caption skin "winextra_caption" */
#define WS_DLGFRAME 0x00800000u      /* no resizing frame around the caption */
#define WS_THICKFRAME 0x00200000u
#define WS_THINFRAME 0x00100000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u
#define WS_MAXIMIZED 0x01000000u
#define WS_EX_NOCLOSEBOX 0x20000000u

/* Bars. */
#define SB_HORZ 1
#define SB_VERT 2

/* Scroll actions, wParam of 66 (horizontal) and 67 (vertical). */
#define MSG_HSCROLL 66
#define MSG_VSCROLL 67
#define SB_LINEUP 1
#define SB_LINEDOWN 2
#define SB_LINELEFT 3
#define SB_LINERIGHT 4
#define SB_PAGEUP 5
#define SB_PAGEDOWN 6
#define SB_PAGELEFT 7
#define SB_PAGERIGHT 8
#define SB_THUMBPOSITION 9
#define SB_THUMBTRACK 10
#define SB_ENDSCROLL 11

#define SIF_RANGE 0x01
#define SIF_PAGE 0x02
#define SIF_POS 0x04

typedef struct ScrollInfo {
  uint32_t cbSize;
  uint32_t fMask;
  int32_t nMin;
  int32_t nMax;
  int32_t nPage;
  int32_t nPos;
} ScrollInfo;

int ClientWidthToWindowWidth(uint32_t style, int clientWidth);
int ClientHeightToWindowHeight(uint32_t style, int clientHeight, BOOL hasMenu);

/* 1 on success; 0 for an invalid window or a bar its style lacks. */
BOOL EnableScrollBar(WindowHandle hwnd, int bar, BOOL enable);
BOOL ShowScrollBar(WindowHandle hwnd, int bar, BOOL show);
BOOL GetScrollPos(WindowHandle hwnd, int bar, int* pos);
BOOL GetScrollRange(WindowHandle hwnd, int bar, int* minPos, int* maxPos);
BOOL SetScrollPos(WindowHandle hwnd, int bar, int pos);
BOOL SetScrollRange(WindowHandle hwnd, int bar, int minPos, int maxPos);
BOOL SetScrollInfo(WindowHandle hwnd, int bar, const ScrollInfo* info, BOOL redraw);
BOOL GetScrollInfo(WindowHandle hwnd, int bar, ScrollInfo* info);
void ScrollWindow(WindowHandle hwnd, int dx, int dy, const Rect* scrollRect, const Rect* clipRect);

/* The thumb-drag flag: raised while a scroll-bar part is pressed; the
 * desktop and the application may clear it to end a drag. */
int GetScrollDragFlag(void);
void SetScrollDragFlag(int flag);

GUI_EXTERN_C_END

#endif
