/* The input layer (one engine behind a table of operations, with an
 * optional mouse calibration) and the low-level events made from what the
 * engine reports. */
#ifndef GUI_INPUT_H
#define GUI_INPUT_H

#include <sys/time.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Mouse buttons as engines report them. */
#define IAL_MOUSE_LEFTBUTTON 4
#define IAL_MOUSE_RIGHTBUTTON 1
#define IAL_MOUSE_MIDDLEBUTTON 2
#define IAL_MOUSE_WHEEL_TOWARDS 8
#define IAL_MOUSE_WHEEL_AWAY 16

/* Which source an engine wait is for and what arrived. */
#define IAL_MOUSEEVENT 1
#define IAL_KEYEVENT 2

#define IAL_ENGINE_NAME_LEN 16
#define IAL_MDEV_LEN 1024

/* One input engine. Operations that an engine does not offer are null. */
typedef struct IalEngine {
  const char* name;
  int (*init_input)(struct IalEngine* engine, const char* mdev, const char* mtype);
  void (*term_input)(void);
  int (*update_mouse)(void); /* 0: nothing to read */
  void (*get_mouse_xy)(int* x, int* y);
  void (*set_mouse_xy)(int x, int y);
  int (*get_mouse_button)(void);
  void (*set_mouse_range)(int left, int top, int right, int bottom);
  int (*update_keyboard)(void); /* number of key-state entries, 0: nothing */
  const uint8_t* (*get_keyboard_state)(void);
  void (*set_leds)(unsigned int leds); /* 4 caps, 2 num, 1 scroll lock */
  /* Waits for the sources in `which` at most as long as *timeout says and
   * counts *timeout down by the time waited. Answers the sources that
   * arrived, 0 on time-out, negative to be called again. */
  int (*wait_event)(int which, struct timeval* timeout);
  char mdev[IAL_MDEV_LEN + 1];
} IalEngine;

/* 0; -18 a [system] key is missing; -21 the engine does not start. */
int InitIAL(void);
void TermIAL(void);
/* Five points each: four corners and the centre. 1 when installed, 0 when a
 * triple of points is degenerate (the calibration stays as it was). */
BOOL SetMouseCalibrationParameters(const Point* source, const Point* destination);
/* The host's local time as calendar seconds and microseconds; 0. */
int GetTimeOfDayLocal(struct timeval* now);

/* ---- Low-level events ---- */

/* One low-level event as the event reader delivers it. */
struct LowLevelEvent {
  int32_t type;   /* 0 time-out, 1 key, 2 mouse */
  int32_t count;  /* time-outs: running count */
  int32_t status;
  int32_t event;  /* mouse or key code */
  int32_t data1;  /* mouse x, or scan code */
  int32_t data2;  /* mouse y, or key status */
  int32_t mouseStatus;
};

/* Status word of key and mouse events. */
#define KS_RIGHTSHIFT 0x0001
#define KS_LEFTSHIFT 0x0002
#define KS_RIGHTALT 0x0004
#define KS_LEFTALT 0x0008
#define KS_RIGHTCTRL 0x0010
#define KS_LEFTCTRL 0x0020
#define KS_SCROLLLOCK 0x0040
#define KS_NUMLOCK 0x0080
#define KS_CAPSLOCK 0x0100
/* Mouse input handed straight to the window holding the capture: its
 * position is on the screen, not in the window's client area. */
#define KS_CAPTURED 0x0400
#define KS_REPEATED 0x0800
#define KS_LEFTBUTTON 0x1000
#define KS_RIGHTBUTTON 0x2000
#define KS_WHEEL 0x4000

/* Mouse event codes. */
#define ME_MOVED 0
#define ME_LEFTDOWN 1
#define ME_LEFTUP 2
#define ME_LEFTDBLCLICK 3
#define ME_RIGHTDOWN 16
#define ME_RIGHTUP 32
#define ME_RIGHTDBLCLICK 48
#define ME_WHEEL_TOWARDS 256
#define ME_WHEEL_AWAY 512

/* Key event codes (a repeat is a down with KS_REPEATED). */
#define KE_KEYDOWN 1
#define KE_KEYUP 2
#define KE_KEYUP2 4 /* further releases an engine may report */
#define KE_KEYUP3 8

/* 1 on success, 0 when the input layer does not start. */
int InitLowLevelEvents(void);
void TermLowLevelEvents(void);
/* which: IAL_MOUSEEVENT | IAL_KEYEVENT as the engine wait answered, 0 after
 * a time-out. 1 when an event was made. */
int ReadLowLevelEvent(int which, struct LowLevelEvent* event);
int GetKeyStatus(unsigned int code);
unsigned int GetShiftKeyStatus(void);

/* Holds on input: while one is on, no key or mouse change is read; what the
 * host takes in meanwhile waits in its queues and reaches the desktop in
 * the order taken in once the last hold is released. A program holds input
 * while windows its first input may need (the soft keyboard) are still
 * being made. Holds count; a release with none on does nothing. */
void HoldInput(void);
void ReleaseInput(void);

GUI_EXTERN_C_END

#endif
