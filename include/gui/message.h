/* Message queues and the message API.
 *
 * Every GUI thread owns one queue; a window's messages go to the queue of the
 * thread that owns its main window. A queue holds four sources, read in this
 * order: messages sent from other threads, notifications, the posted ring,
 * then the paint and timer marks. Message numbers are the toolkit's own. */
#ifndef GUI_MESSAGE_H
#define GUI_MESSAGE_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

typedef struct SyncMsgRecord SyncMsgRecord;
typedef struct MsgQueue MsgQueue;
typedef struct ThreadMsgInfo ThreadMsgInfo;

typedef struct Message {
  WindowHandle hwnd;
  int message;
  WParam wParam;
  LParam lParam;
  uintptr_t time;
  SyncMsgRecord* pAdd; /* non-null only for a message sent from another thread */
} Message;

/* Message numbers used by the queue code itself. */
#define MSG_MOUSEMOVE 4
#define MSG_FIRSTMOUSE 1
#define MSG_LASTMOUSE 17
#define MSG_KEYDOWN 18
#define MSG_CHAR 19
#define MSG_PAINT 177
#define MSG_REFRESH_RECT 181
#define MSG_COMMAND 288
#define MSG_QUIT 320
#define MSG_BROADCAST_NOTICE 322
#define MSG_TIMER 324

/* Window messages. Mouse: client 1..9; non-client 10..16 are the client
 * number + 9 (wParam the hit code, lParam the screen position). */
#define MSG_LBUTTONDOWN 1
#define MSG_LBUTTONUP 2
#define MSG_LBUTTONDBLCLK 3
#define MSG_RBUTTONDOWN 5
#define MSG_RBUTTONUP 6
#define MSG_RBUTTONDBLCLK 7
#define MSG_MOUSEWHEELDOWN 8 /* towards the user */
#define MSG_MOUSEWHEELUP 9
#define MSG_NCLBUTTONDOWN 10
#define MSG_NCLBUTTONUP 11
#define MSG_NCLBUTTONDBLCLK 12
#define MSG_NCMOUSEMOVE 13
#define MSG_NCRBUTTONDOWN 14
#define MSG_NCRBUTTONUP 15
#define MSG_NCRBUTTONDBLCLK 16
#define MSG_KEYUP 20
#define MSG_SYSKEYDOWN 21 /* keys while Alt is held */
#define MSG_SYSCHAR 22
#define MSG_SYSKEYUP 23
#define MSG_KEYSYM 24     /* one of several characters: byte | index << 8 */
#define MSG_KEYUP2 25     /* further key releases the event thread may post */
#define MSG_KEYUP3 26
#define MSG_LASTKEY 31
#define MSG_SETCURSOR 32
#define MSG_HITTEST 33
#define MSG_GETWINDOWRECT 35
#define MSG_GETCLIENTRECT 36
#define MSG_CALCCLIENTRECT 38
#define MSG_CSIZECHANGED 39 /* client width, client height */
#define MSG_PLACEIME 40
#define MSG_MOUSEACTIVE 50
#define MSG_TOPCTRLHIDDEN 52 /* to the parent of a hidden control on top */
#define MSG_POWERKEY 53
#define MSG_OUTPUTSWITCH 54
#define MSG_NCSETCURSOR 68
#define MSG_MOUSEENTER 80 /* wParam 1 in (lParam: window left), 0 out */
#define MSG_TRACKEDMOVE 81 /* move/resize tracking finished */
#define MSG_MAXIMIZE 104
#define MSG_MINIMIZE 105
#define MSG_REPAINTALL 180
#define MSG_SYSCOMMAND 289
#define MSG_IDLEINPUT 331 /* input after the idle time-out */
#define MSG_IDLE 332      /* idle notice; wParam the output */
#define MSG_NEEDIME 336   /* non-zero: the control takes the IME window */
#define MSG_IMESHOW 339
#define MSG_IMECLOSE 340
#define MSG_IMEACTIVEWIN 344
#define MSG_IMERECEIVER 345
#define MSG_EDITSKBMODE 346
#define MSG_IMEKEY 348
#define MSG_NEEDSKB 352   /* non-zero: the control takes the soft keyboard */
#define MSG_SKBOPEN 355
#define MSG_SKBCLOSE 356
#define MSG_SKBACTIVEWIN 359
#define MSG_SKBCURRENTEDIT 360
/* wParam of MSG_SKBCURRENTEDIT: the keyboard forgets the control in lParam
 * as the edit it types into (the control is going away). */
#define SKB_FORGET_EDIT 1
#define MSG_TIPSHOW 400
#define MSG_TIPHIDE 401
#define MSG_TIPOWNER 407

/* Results of the queue operations. */
#define MSG_ERR_INVALID (-1)
#define MSG_ERR_DROPPED (-2)     /* ring full, or the receiver dropped it */
#define MSG_ERR_OTHER_DISPLAY (-27)

#define DEF_MSGQUEUE_LEN 64

/* Window style bit that keeps input away from a window. */
#define WS_DISABLED 0x04000000u

int InitMsgQueue(MsgQueue* queue, int size);
void DestroyMsgQueue(MsgQueue* queue);

int PostMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
int PostQuitMessage(WindowHandle hwnd);
int SendNotifyMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
LResult SendMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
int SendRefreshMessage(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
int BroadcastMessage(int msg, WParam wParam, LParam lParam);

BOOL PeekMessageEx(Message* msg, WindowHandle hwnd, int first, int last, BOOL wait, BOOL remove);
BOOL GetMessage(Message* msg, WindowHandle hwnd);
BOOL PeekMessage(Message* msg, WindowHandle hwnd, int first, int last, BOOL remove);
BOOL PeekPostMessage(Message* msg, WindowHandle hwnd, int first, int last, BOOL remove);
BOOL WaitMessage(Message* msg, WindowHandle hwnd);
BOOL HavePendingMessage(WindowHandle hwnd);

LResult DispatchMessage(const Message* msg);
/* Run on the dispatching thread after each message that DispatchMessage gave
 * a window procedure, before a sender gets its answer; null for none. The
 * application finishes there what the handling of a message started (it
 * writes the settings a page applied). */
void SetMessageHandledHook(void (*hook)(void));
int ThrowAwayMessages(WindowHandle hwnd);
LResult CallWindowProcDirect(WindowHandle hwnd, int msg, WParam wParam, LParam lParam);
void NotifyParentEx(WindowHandle control, int code, LParam addData);
void HandleRefreshMsgs(void);

/* Per-thread queues: a thread that owns main windows has one record. */
ThreadMsgInfo* AllocThreadMsgQueue(void);
void FreeThreadMsgQueue(ThreadMsgInfo* info);
ThreadMsgInfo* GetThreadMsgQueueRecord(uintptr_t threadId);
void InitQueueRegistry(void);
void TermQueueRegistry(void);

/* Diagnostics slots of the system threads: 1 desktop, 2 short-lived,
 * 3 event, 4 timer, 5 frame-buffer host. */
void RecordThreadProcessId(int slot);

GUI_EXTERN_C_END

#endif
