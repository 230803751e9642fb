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
