/* The recording pages: the disk format run, the manual, schedule, holiday,
 * encoding and advanced record pages, and their registration. */
#ifndef APP_RECORD_PAGES_H
#define APP_RECORD_PAGES_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Formats `count` disks given as ints after it: the positive numbers in
 * order, at most 32, with the output's login; the device's answer (0 taken). */
int formatDisks(int output, int count, ...);
/* The same for a list of `count` disk numbers (at most 32 are read). */
int formatDiskArray(int output, int count, const int* disks);

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
