/* The disk texts and sums, and the disk refresh message, that the storage
 * pages share with the system information, upgrade, log export and wizard
 * pages. */
#ifndef APP_DISK_TEXTS_H
#define APP_DISK_TEXTS_H

#include "app/device_records.h"
#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* Disk texts and sums. A disk's number is port + 2 * bus + 1. */
int diskNumberOf(const DiskInfo* disk);
/* Text of the attribute: redundancy, else read-only, else read-write. */
int getDiskAttrText(char* out, int outLen, DiskInfo disk);
int getDiskTypeText(char* out, DiskInfo disk, int outLen);
int getDiskStatusText(char* out, int outLen, int status);
/* The status text of a list cell: a formatting disk adds its progress. */
int getDiskStatusCellText(char* out, int outLen, DiskInfo disk);
/* Capacity (or free space) of every listed disk, in bytes; 0 without one. */
int64_t sumDiskTotalSpace(void);
int64_t sumDiskFreeSpace(void);
int isNetDisk(DiskInfo disk);
int isDiskEditable(DiskInfo disk);

/* Message to the disk list page: wParam a disk number - 1, lParam 1 for the
 * totals only, else that disk's row. */
#define MSG_DISK_REFRESH 2062

GUI_EXTERN_C_END

#endif
