/* The storage pages: the storage menu with the disk list, the format
 * confirmation and its progress window, and the local and network disk
 * dialogs. */
#ifndef APP_STORAGE_PAGES_H
#define APP_STORAGE_PAGES_H

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* The storage menu (modal) and the disk list page under it. */
int showDiskMenu(WindowHandle parent);
WindowHandle createDiskBaseWindow(WindowHandle host);
/* Sets the disk list page's totals again (from the open page's list). */
void refreshDiskTotals(WindowHandle page);

/* Format work: 1 recorder disks, 2 the removable backup device, 3 expand. */
enum FormatType { FORMAT_TYPE_DISKS = 1, FORMAT_TYPE_USB = 2, FORMAT_TYPE_EXPAND = 3 };
void setFormatType(int kind);
int getFormatType(void);
void setFormatFsChoice(int value);
int getFormatFsChoice(void);
void setExpandPartFlag(int flag);
int getExpandPartFlag(void);
int showFormatDialog(WindowHandle parent);
int showFormatingDialog(WindowHandle parent);

/* Disk dialogs. */
int showLocalHdSetDialog(WindowHandle parent, int diskIndex);
/* 0 saved, -1 redundancy without another read-write disk, -2 declined. */
int saveDiskAttrAndGroup(WindowHandle dialog, int diskIndex);
int showNetHdAddDialog(WindowHandle parent, int arg);
int showNetHdSetDialog(WindowHandle parent, int diskIndex);

/* The S.M.A.R.T. window with the bad-sector check beside the maintenance
 * menu, and the advanced disk page beside the storage menu: 0, or -1 when
 * the page could not be created. */
int createDiskSmartInfoWindow(WindowHandle host);
int createDiskAdvanceWindow(WindowHandle host);

/* Registers the storage pages with the page registry. */
void registerStoragePages(void);

GUI_EXTERN_C_END

#endif
