/* The "scrollwnd" control scrolls a panel of controls larger than itself:
 * its one child, a "container" as large as the content, holds the panel's
 * controls and passes their commands to the scroll window's parent as 301. */
#ifndef GUI_SCROLLWND_H
#define GUI_SCROLLWND_H

#include "gui/common.h"
#include "gui/dialog.h"
#include "gui/scrolled.h"
#include "gui/static.h"

GUI_EXTERN_C_BEGIN

#define SVM_ADDCTRLS 0xF303
#define SVM_GETCTRL 0xF308
#define SVM_SETCONTAINERPROC 0xF329
#define SVM_GETFOCUSCHILD 0xF32A
#define MSG_SVCONTAINERINIT 300  /* to the container: lParam the set-up parameter */
#define MSG_SVCOMMAND 301        /* to the scroll window's parent: a container command */

/* Additional data 1 of a scroll window at creation (may be absent). */
typedef struct ContainerInfo {
  WindowProc containerProc; /* replaces the container's procedure when set */
  intptr_t controlCount;
  CtrlData* controls;
  LParam param; /* sent to the container with 300 after the controls exist */
} ContainerInfo;

#define CONTF_FOCUS 0x10u
typedef struct ContainerData {
  WindowHandle owner; /* the scroll window */
  uint32_t flags;
} ContainerData;

typedef struct ScrollWndData {
  ScrolledData scrdata;
  WindowHandle container;
  ContainerData* contData;
  uintptr_t reserved;
} ScrollWndData;

LResult DefaultContainerProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
