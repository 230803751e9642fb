/* What the live view, the menus and the recording pages share of the
 * recording services: the disk questions, the snapshot error box and the
 * all-day recording questions. */
#ifndef APP_RECORD_SERVICES_H
#define APP_RECORD_SERVICES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 1 when a row of the device's disk list holds a local disk number 1..8. */
int hasLocalDisk(void);
/* 1 when disk detection is available and some disk can be detected. */
int hasDetectableDisk(void);

/* -1: ("manualsnapshot", "manualsnapshot_err_snapshot"); any other code:
 * ("manualsnapshot", "manualsnapshot_err_default") with the number. */
int showManualSnapError(WindowHandle owner, int code);
/* Ask whether every channel should record all day (continuous or motion)
 * and, on Yes, make every channel's schedule all-day of that type. */
int startTimingRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);
int startMotionRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
