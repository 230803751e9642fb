/* The host side of the frame-buffer window: the auto-reset events the input
 * engine waits on, the input record the window procedure writes, and the
 * calls tests use to feed input and read back what the window shows. */
#ifndef GUI_HOST_H
#define GUI_HOST_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Auto-reset event: a signal wakes one wait and is then consumed. */
typedef struct HostEvent HostEvent;

HostEvent* HostCreateEvent(const char* name); /* unsignalled; null when out of memory */
void HostCloseEvent(HostEvent* event);
void HostSignalEvent(HostEvent* event);
/* Waits for the first of `count` events that is signalled, consuming its
 * signal. timeoutMs < 0 waits without limit. Answers the event's index,
 * -1 on time-out, -2 for bad arguments. */
int HostWaitForEvents(HostEvent* const* events, int count, long timeoutMs);

/* Mouse-button word written by the window procedure (replaced, not or-ed). */
#define HOST_BUTTON_NONE 0
#define HOST_BUTTON_LEFT 1
#define HOST_BUTTON_RIGHT 2
#define HOST_BUTTON_MIDDLE 4
#define HOST_WHEEL_TOWARDS 8
#define HOST_WHEEL_AWAY 16

/* The input engine registers the events it created ("MOUSE" and "kbd");
 * null unregisters them. */
void HostSetInputEvents(HostEvent* mouse, HostEvent* keyboard);
/* One mouse change: the pointer in the client coordinates of the host
 * window, whether it lies inside the client area (1) or not (0), and the
 * button word after the change. */
typedef struct HostMouseRecord {
  int x, y;
  int inside;
  int buttons;
} HostMouseRecord;
/* Takes the oldest mouse change the engine has not read, else the state
 * after the last one. Each button change carries the pointer where it
 * happened; moves that follow each other are merged into the last. Answers
 * 1 while further changes wait (the mouse event is signalled again for
 * them), else 0. */
int HostTakeMouseRecord(HostMouseRecord* record);
/* The key record: key word (Linux input key code in the high 16 bits, low
 * half 0) and the pressed byte (1 down, 0 up). */
void HostGetKeyRecord(uint32_t* keyWord, uint8_t* pressed);
/* Which device holds the oldest change not read yet: HOST_INPUT_MOUSE,
 * HOST_INPUT_KEYBOARD, or HOST_INPUT_NONE when neither holds one. The
 * engine reads that one first, so that input reaches it in the order the
 * host took it in, whichever event woke it. */
#define HOST_INPUT_NONE 0
#define HOST_INPUT_MOUSE 1
#define HOST_INPUT_KEYBOARD 2
int HostOldestInput(void);

/* Input fed exactly as the host window delivers it (same recording, same
 * events). Buttons: HOST_BUTTON_LEFT, _RIGHT or _MIDDLE. A button goes
 * where the last move put the pointer. Called on the host thread, the
 * engine is woken as for the host's own input (motion at most once a
 * frame); on any other thread, at once. */
void HostInjectMouseMove(int x, int y);
void HostInjectMouseButton(int button, int down);
/* Wheel delta in host units: positive turns away from the user. */
void HostInjectWheel(int delta);
/* Key as a Linux input key code. */
void HostInjectKey(int linuxKeyCode, int down);
/* Asks for the host window to close, as its close button does. */
void HostInjectClose(void);

/* The start gate: the main host window stays unshown until its first
 * complete frame. A program whose first screen is more than the first
 * window painted (a start-up page opening over it) holds the gate, then
 * releases it: HOST_GATE_RELEASE_NOW opens it once a window has been
 * painted (and ends a wait for a next window); _WITH_NEXT_WINDOW opens it
 * once the next window shown has been painted whole. Both do nothing once
 * the gate is open, and the gate's time limit holds regardless; any other
 * value of `how` is ignored. */
#define HOST_GATE_RELEASE_NOW 0
#define HOST_GATE_RELEASE_WITH_NEXT_WINDOW 1
void HostHoldStartGate(void);
void HostReleaseStartGate(int how);

/* Waits until every dirty rectangle handed to the host so far is shown. */
void HostFlush(void);
/* What the window of output slot 0 (main) or 1 (auxiliary) shows at (x, y),
 * as 0x00RRGGBB; -1 outside the window or with no window. */
int64_t HostReadWindowPixel(int slot, int x, int y);
/* Client size of the window of a slot; 0 when it has no window. */
int HostGetWindowSize(int slot, int* width, int* height);

GUI_EXTERN_C_END

#endif
