/* What the live view and the menus use of the recording and storage pages:
 * their entry points, the disk questions, the disk format request and the
 * helpers every settings page shares. */
#ifndef APP_RECORD_PAGES_H
#define APP_RECORD_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

int createManualRecordWindow(WindowHandle owner);
int createManualSnapshotWindow(WindowHandle owner);
int createScheduleSetWindow(WindowHandle owner);
int createEncodeSetWindow(WindowHandle owner);
int createAdvRecordSetWindow(WindowHandle owner);
int createHolidaySetWindow(WindowHandle owner);
int createDiskSmartInfoWindow(WindowHandle owner);
/* The storage menu, modal. */
int showDiskMenu(WindowHandle owner);

/* Any notification of a page's control enables its Apply button (4098). */
int enableApply(WindowHandle page, WParam wParam, LParam lParam);
/* Erase handler (message 176): the page in the grey-50 colour. */
int eraseBkgndGrey50(WindowHandle page, WParam wParam, LParam lParam);

/* 1 when a row of the device's disk list holds a local disk number 1..8. */
int hasLocalDisk(void);
/* 1 when disk detection is available and some disk can be detected. */
int hasDetectableDisk(void);
/* Formats `count` disks given as ints after it: the positive numbers in
 * order, at most 32, with the output's login; the device's answer (0 taken). */
int formatDisks(int output, int count, ...);

/* -1: ("manualsnapshot", "manualsnapshot_err_snapshot"); any other code:
 * ("manualsnapshot", "manualsnapshot_err_default") with the number. */
int showManualSnapError(WindowHandle owner, int code);
/* Ask whether every channel should record all day (continuous or motion). */
int startTimingRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);
int startMotionRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
