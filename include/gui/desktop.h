/* The desktop: the window stacks of the two displays, activation, capture,
 * the tool windows, input routing and the idle time-out. Window management
 * runs on the desktop thread; other threads send it requests (the numbers
 * below) with SendMessage to __gui_hwnd_desktop. */
#ifndef GUI_DESKTOP_H
#define GUI_DESKTOP_H

#include <pthread.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

extern WindowHandle __gui_hwnd_desktop;

/* Window-management requests: wParam, lParam and the answer are given per
 * request. */
/* Mouse input the desktop routes to a window: the mouse number + 224. */
#define MSG_DT_MOUSEOFFSET 224
#define MSG_DT_FIRSTMOUSE 225
#define MSG_DT_LASTMOUSE 233

/* Requests of the desktop's own life and of the control classes. */
#define MSG_DT_INIT 208
#define MSG_DT_END 210 /* 1 when no window is left, and the desktop quits */
#define MSG_DT_REINIT 211
#define MSG_DT_RETURNTOPREVIEW 212
#define MSG_DT_BACKGROUND 223
#define MSG_DT_IDLEBROADCAST 323 /* broadcast of MSG_BROADCAST_NOTICE */
#define MSG_DT_BROADCAST 374     /* lParam the Message to post to every main window */
#define MSG_DT_ADDCTRLCLASS 375
#define MSG_DT_DELCTRLCLASS 376
#define MSG_DT_ADDCTRL 377
#define MSG_DT_REMOVECTRL 378
#define MSG_DT_FINDCTRLCLASS 379
#define MSG_DT_CTRLCLASSINFO 380
#define MSG_DT_FORGETCTRLS 383 /* count, array of control handles: 0 */

#define MSG_DT_ADDNEWMAINWIN 240  /* window, node: previous active or 0 */
#define MSG_DT_REMOVEMAINWIN 241  /* window: active afterwards */
#define MSG_DT_MOVETOTOP 242      /* window, 0 or DT_RAISE_ONLY: 0 */
/* lParam of MSG_DT_MOVETOTOP: raise the window without activating it, so
 * the keyboard stays where it is. */
#define DT_RAISE_ONLY 1
#define MSG_DT_SETACTIVEMAIN 243  /* window: previous active */
#define MSG_DT_GETACTIVEMAIN 244
#define MSG_DT_SHOWMAINWIN 245    /* window: previous active or 0 */
#define MSG_DT_HIDEMAINWIN 246    /* window: active afterwards */
#define MSG_DT_MOVEMAINWIN 247    /* window, Rect*: 0 */
#define MSG_DT_SETCAPTURE 248     /* window or 0: previous capture */
#define MSG_DT_GETCAPTURE 249
#define MSG_DT_ENDTRACKMENU 250   /* PopupMenuHead* */
#define MSG_DT_TRACKPOPUPMENU 251 /* PopupMenuHead* */
#define MSG_DT_CLOSEMENU 252      /* menu or 0 for any: 1 when one was open */
#define MSG_DT_SCROLLMAINWIN 253  /* window, ScrollWindowInfo* */
#define MSG_DT_CARETCREATE 254
#define MSG_DT_CARETDESTROY 255
#define MSG_DT_ENABLEMAINWIN 256  /* window, 1/0: previous enabled state */
#define MSG_DT_ISENABLED 257
#define MSG_DT_SETWINCURSOR 258
#define MSG_DT_GETNEXTMAINWIN 259
#define MSG_DT_ADDPREVIEWWIN 260
#define MSG_DT_SHOWCTRLWIN 266
#define MSG_DT_HIDECTRLWIN 267
#define MSG_DT_STARTDRAGWIN 268   /* window, DragInfo*: 0 or -1 */
#define MSG_DT_CANCELDRAGWIN 269

/* What the desktop tells the menu tracker about one popup (lParam the
 * PopupMenuHead*), in this order: lay it out, show it once the windows
 * beneath are clipped, hide it once their clips are rebuilt; then
 * MSG_DT_ENDTRACKMENU (it is closed) or, for all, MSG_DT_CLOSEMENU. */
#define MSG_DT_LAYOUTPOPUP 384
#define MSG_DT_SHOWPOPUP 368
#define MSG_DT_HIDEPOPUP 369

/* Desktop procedure messages. */
#define MSG_DT_PLACEIME 41
#define MSG_DT_CLOSEALLWINS 330
#define MSG_DT_REGIME 337
#define MSG_DT_UNREGIME 338
#define MSG_DT_IMECMD 342
#define MSG_DT_IMEQUERY 343
#define MSG_DT_REGSKB 353
#define MSG_DT_UNREGSKB 354
#define MSG_DT_SKBCMD 357
#define MSG_DT_SKBQUERY 358
#define MSG_DT_SETKEYHOOK 381
#define MSG_DT_SETMOUSEHOOK 382
#define MSG_DT_REGBUBBLETIP 402
#define MSG_DT_UNREGBUBBLETIP 403
#define MSG_DT_REGTOOLWIN 410
#define MSG_DT_UNREGTOOLWIN 411

/* Registration errors. */
#define DT_ERR_IME_TAKEN (-15)
#define DT_ERR_IME_NOT_REGISTERED (-16)
#define DT_ERR_NO_IME (-17)
#define DT_ERR_SKB_TAKEN (-24)
#define DT_ERR_SKB_NOT_REGISTERED (-25)
#define DT_ERR_NO_SKB (-26)

/* The head of a popup menu record as the desktop reads it. */
typedef struct PopupMenuHead {
  Rect rect; /* screen rectangle */
  WindowHandle owner;
  WParam word1;
  LParam word2;
} PopupMenuHead;

/* Scroll request: pixels of the window's visible part in rect move by dx, dy. */
typedef struct ScrollWindowInfo {
  int dx, dy;
  Rect rect; /* client coordinates */
} ScrollWindowInfo;

/* Start of move/resize tracking: hit code and pointer position. */
typedef struct DragInfo {
  int location;
  int x, y;
} DragInfo;

/* Input hooks: an answer of 1 (key hook: any non-zero) consumes the message. */
typedef int (*MsgHook)(WindowHandle context, WindowHandle target, int msg, WParam wParam, LParam lParam);

void* DesktopMain(void* startSemaphore);
LResult DesktopWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);
/* Desktop set-up (window metrics, lists, heaps, screen rectangle, desktop
 * region); 0 when the window metrics cannot be loaded. */
int InitDesktop(void);
void TerminateDesktop(void);

/* Queries. */
WindowHandle WindowUnderPointer(int x, int y);
WindowHandle GetDisplayPreviewWindow(int display);
WindowHandle FirstPreviewWindow(int display);
WindowHandle GetCurTopMainWindow(void);
int IsNoWinsOnPreview(int display);
int GetWindowDisplay(WindowHandle hwnd);
int IsMenuPopup(int display);
pthread_t GetMainWinThread(WindowHandle hwnd);

void ReturnToPreview(void);
void CloseAllWinsByChangeLang(void);
void SetPowerKeyDownFlag(int flag);
int GetPowerKeyDownFlag(void);

/* Window-policy queries: 1 yes, 0 no. */
int IsDispSwitchAllowed(void);
int IsPreviewPaintSuppressed(WindowHandle hwnd);
int IsPlaybackScreenWindow(WindowHandle hwnd);
int IsPreviewOverlaid(WindowHandle hwnd);
int IsPlaybackWindow(WindowHandle hwnd);
int IsControlOfClass(WindowHandle hwnd, const char* className);
int ShouldBroadcastIdleTick(void);
int CanReturnToPreview(int output);
int IsPreviewBusyState(int output);
int BothOutputsNotLowRes(void);

GUI_EXTERN_C_END

#endif
