/* The control class registry: every control is a window of a named class.
 *
 * Names are at most 15 characters and begin with an ASCII letter; they are
 * kept upper-cased, so lookups ignore letter case. All changes are meant to
 * run on the desktop thread (or at start-up and shut-down), which serialises
 * them: the registry has no lock of its own. */
#ifndef GUI_CONTROL_CLASS_H
#define GUI_CONTROL_CLASS_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define CONTROL_CLASS_NAME_MAX 15

/* Results of the registry calls besides 0. */
#define CONTROL_CLASS_INVALID (-8)       /* bad or unknown name, name taken, class in use */
#define CONTROL_CLASS_NAME_TOO_LONG (-9)
#define CONTROL_CLASS_NO_MEMORY (-10)

/* Fields chosen by WndClassInfo.opMask in ControlClassInfoOp. */
#define CLASS_INFO_STYLE 0x01u /* style and extended style together */
#define CLASS_INFO_CURSOR 0x02u
#define CLASS_INFO_BACKGROUND 0x04u
#define CLASS_INFO_PROCEDURE 0x08u
#define CLASS_INFO_ADDITIONAL_DATA 0x10u

/* Operations of ControlClassInfoOp: 1 reads, anything else writes. */
#define CLASS_INFO_READ 1
#define CLASS_INFO_WRITE 2

/* Class style bit: controls of the class get a private client DC. */
#define CLASS_STYLE_PRIVATE_DC 0x00000020u

/* A class as a caller describes it. */
typedef struct WndClassInfo {
  const char* className;
  uint32_t opMask;
  uint32_t style;   /* or-ed into every control's own style */
  uint32_t exStyle; /* or-ed into every control's extended style */
  uintptr_t cursor;
  GalPixel backgroundColor;
  WindowProc windowProc;
  uintptr_t additionalData;
} WndClassInfo;

/* A registered class, owned by the registry. */
typedef struct ControlClass {
  char name[CONTROL_CLASS_NAME_MAX + 1]; /* upper-cased */
  uint32_t style;
  uint32_t exStyle;
  uintptr_t cursor;
  GalPixel backgroundColor;
  WindowProc windowProc;
  uintptr_t additionalData;
  int32_t usageCount; /* live controls of the class; raised by the creating thread, lowered by the desktop */
  struct ControlClass* next; /* the next class with the same first letter */
} ControlClass;

/* Empties the registry and registers the built-in classes in order; FALSE
 * at the first that fails. */
BOOL InitControlClass(void);
void TerminateControlClass(void);

int AddNewControlClass(const WndClassInfo* info);
/* CONTROL_CLASS_INVALID also while controls of the class exist. */
int DeleteControlClass(const char* className);
/* Only the first 15 characters take part; null when not registered. */
ControlClass* FindControlClass(const char* className);
int ControlClassInfoOp(int operation, WndClassInfo* info);

/* The window record of a control (window type 18); null for any other
 * handle. */
struct ControlRecord;
struct ControlRecord* GetControlPtr(WindowHandle hwnd);
/* Stores the extended style of a main window or control; FALSE for any
 * other handle. */
BOOL SetWindowExStyle(WindowHandle hwnd, uint32_t exStyle);

GUI_EXTERN_C_END

#endif
