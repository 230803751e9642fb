/* What the live view uses of the recording and storage pages: the disk
 * questions, the disk format request, the snapshot error box and the
 * all-day recording questions. */
#ifndef APP_RECORD_PAGES_H
#define APP_RECORD_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* 1 when a row of the device's disk list holds a local disk number 1..8. */
int hasLocalDisk(void);
/* 1 when disk detection is available and some disk can be detected. */
int hasDetectableDisk(void);
/* Formats `count` disks given as ints after it: the positive numbers in
 * order, at most 32, with the output's login; the device's answer (0 taken). */
int formatDisks(int output, int count, ...);
/* The same for a list of `count` disk numbers (at most 32 are read). */
int formatDiskArray(int output, int count, const int* disks);

/* -1: ("manualsnapshot", "manualsnapshot_err_snapshot"); any other code:
 * ("manualsnapshot", "manualsnapshot_err_default") with the number. */
int showManualSnapError(WindowHandle owner, int code);
/* Ask whether every channel should record all day (continuous or motion)
 * and, on Yes, make every channel's schedule all-day of that type. */
int startTimingRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);
int startMotionRecordAll(int output, WindowHandle owner, WParam wParam, LParam lParam);

/* The manual record and manual snapshot pages beside the manual menu: 0,
 * or -1 when the page could not be created. */
int createManualRecordWindow(WindowHandle host);
int createManualSnapshotWindow(WindowHandle host);

/* The schedule and holiday pages (modeless under the record menu): 0, or
 * -1 when the page could not be created. */
int createScheduleSetWindow(WindowHandle host);
int createHolidaySetWindow(WindowHandle host);
/* ("commons", "savefailed") for -1, nothing for other codes; 0. */
int showSaveFailedIfMinus1(WindowHandle window, int code);
/* The one-day editors of the schedule page's selected channel. */
int showScheduleEditDialog(WindowHandle parent);
int showSnapScheduleEditDialog(WindowHandle parent);
/* The holiday editor for the entry passed with setDiskDlgArgs(2, index);
 * isHolidayChanged tells whether its last save wrote the entry. */
int showHolidayEditDialog(WindowHandle parent);
int isHolidayChanged(void);
/* The encoding and advanced record pages (modeless under the record menu). */
int createEncodeSetWindow(WindowHandle host);
int createAdvRecordSetWindow(WindowHandle host);
void registerEncodePages(void);
/* Registers the record pages with the page registry. */
void registerRecordPages(void);

GUI_EXTERN_C_END

#endif
