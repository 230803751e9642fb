/* Windows: main windows and controls, their creation and destruction, the
 * threads main windows run on, and the queries on window records.
 *
 * A window handle is the address of the window's record. Main windows are
 * stacked by the desktop; every change of their stacking, visibility,
 * position or activation is a request to the desktop thread. */
#ifndef GUI_WINDOW_H
#define GUI_WINDOW_H

#include <pthread.h>

#include "gui/common.h"
#include "gui/message.h"

GUI_EXTERN_C_BEGIN

/* Style bits. */
#define WS_VISIBLE 0x08000000u
#define WS_CHILD 0x40000000u
#define WS_CAPTION 0x20000000u
#define WS_BORDER 0x00400000u
#define WS_VSCROLL 0x00080000u
#define WS_HSCROLL 0x00040000u

/* Extended style bits. */
#define WS_EX_PRIVATE_DC 0x00000002u
#define WS_EX_TOPMOST 0x00000008u
#define WS_EX_TRANSPARENT 0x00000020u
#define WS_EX_PREVIEW 0x00000040u
#define WS_EX_NOT_ACTIVATED 0x00000080u
#define WS_EX_USEPARENTFONT 0x00000100u
#define WS_EX_SYSFONT7 0x00000200u
#define WS_EX_KEEPCURSOR 0x00000800u /* a control ignores MSG_SETCURSOR */
#define WS_EX_SYSFONT8 0x00008000u
#define WS_EX_SYSFONT9 0x02000000u
#define WS_EX_ROUTE_OUTPUTSWITCH 0x04000000u /* MSG_OUTPUTSWITCH goes to the first hosted window */
#define WS_EX_OWN_CLIPINFO 0x40000000u

/* Messages of window creation and destruction. */
#define MSG_CREATE 96
#define MSG_NCCREATE 97
#define MSG_CLOSE 102
#define MSG_DESTROY 100
#define MSG_SIZECHANGING 37
#define MSG_SIZECHANGED 34
#define MSG_ERASEBKGND 176
#define MSG_NCPAINT 178
#define MSG_SHOWWINDOW 160
#define MSG_ACTIVATE 179
#define MSG_NCACTIVATE 51
#define MSG_SETFOCUS 48
#define MSG_KILLFOCUS 49
#define MSG_ISDIALOG 296

/* Filled by the caller of CreateMainWindow; the rectangle is written back
 * as placed on the screen. */
typedef struct MainWinCreate {
  uint32_t dwStyle;
  uint32_t dwExStyle;
  const char* spCaption;
  uintptr_t hMenu;
  uintptr_t hCursor;
  uintptr_t hIcon;
  WindowHandle hHosting; /* 0 or the desktop: the calling thread's own queue */
  WindowProc MainWindowProc;
  int32_t lx, ty, rx, by;
  GalPixel iBkColor;
  LParam dwAddData;
  LParam dwReserved;
} MainWinCreate;

/* Handle, or GUI_INVALID_HANDLE on failure. */
WindowHandle CreateMainWindow(MainWinCreate* create);
WindowHandle CreateWindowEx(const char* className, const char* caption, uint32_t style, uint32_t exStyle,
                            int id, int x, int y, int w, int h, WindowHandle parent, LParam addData);
/* 1 destroyed; 0 refused (preview window, the procedure refused 100) or
 * not a main window. The record stays until MainWindowThreadCleanup. */
BOOL DestroyMainWindow(WindowHandle hwnd);
BOOL DestroyWindow(WindowHandle control);
void MainWindowThreadCleanup(WindowHandle hwnd);

/* Null attributes: a joinable thread with a stack of 256 KB; one that ends
 * without anyone waiting for it is joined by the next call. */
int CreateThreadForMainWindow(pthread_t* thread, pthread_attr_t* attr, void* (*entry)(void*), void* arg);
/* Joins the thread (made by CreateThreadForMainWindow) that made the main
 * window; -1 for any other handle. The window may be gone already. */
int WaitMainWindowClose(WindowHandle hwnd, void** result);

/* Record queries: invalid handles answer -1 unless stated. */
int IsWindow(WindowHandle hwnd);     /* 0 or 1 */
int IsMainWindow(WindowHandle hwnd); /* 0 or 1 */
int IsControl(WindowHandle hwnd);    /* 0 or 1 */
int IsDialog(WindowHandle hwnd);
WindowHandle GetMainWindowHandle(WindowHandle hwnd);
WindowHandle GetParent(WindowHandle hwnd); /* all ones for an invalid handle */
WindowHandle GetHosting(WindowHandle hwnd);
WindowHandle GetFirstHosted(WindowHandle hwnd);
WindowHandle GetNextHosted(WindowHandle hwnd, WindowHandle hosted);
WindowHandle GetNextChild(WindowHandle hwnd, WindowHandle child);
WindowHandle GetNextMainWindow(WindowHandle hwnd);

/* The message a held button repeats; a null window clears it. */
void SetAutoRepeatMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);

/* ---- Default window procedures ---- */

/* The three default procedures, set at start-up: 0 main windows, 1 dialogs,
 * 2 controls. */
extern WindowProc __gui_def_proc[3];

/* Answers of MSG_HITTEST. */
#define HT_OUT 1
#define HT_MENUBAR 2
#define HT_TRANSPARENT 3
#define HT_BORDER 4
#define HT_CLIENT 12
#define HT_ICON 20
#define HT_CLOSEBUTTON 21
#define HT_MAXBUTTON 22
#define HT_MINBUTTON 23
#define HT_HSCROLL 24
#define HT_VSCROLL 25
#define HT_CAPTION 33
/* The resizing frame: its sides, then its corners. */
#define HT_BORDER_TOP 35
#define HT_BORDER_BOTTOM 36
#define HT_BORDER_LEFT 37
#define HT_BORDER_RIGHT 38
#define HT_CORNER_TL 39
#define HT_CORNER_TR 40
#define HT_CORNER_BL 41
#define HT_CORNER_BR 42

/* Hands a message to the default procedure of the window's kind: main
 * windows (dialogs included) entry 0, controls entry 2, another window that
 * answers 296 entry 1; 0 otherwise. */
LResult DefaultWindowProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
LResult DefaultMainWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
LResult DefaultControlProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
/* The deepest window under the cursor; 0 when no main window is there. */
WindowHandle GetWindowUnderCursor(void);

GUI_EXTERN_C_END

#endif
