// The disk list page: its rows and totals, shared by the page and its
// commands.
#pragma once

#include <cstdint>

#include "app/device_records.h"
#include "gui/common.h"

namespace storage {

constexpr const char* kDiskSection = "disk_base";
constexpr int kDiskList = 19728, kTotal = 19729, kFree = 19730, kExpand = 19731, kInit = 19732, kAddNetHd = 19734;
constexpr int kStatusFormatting = 11, kStatusWaiting = 12, kStatusUnloaded = 13, kStatusAbsent = 14;
constexpr int kTypeEsata = 7, kTypeMiniSas = 8;

// Which picture a row's last two cells show.
enum class RowImage { kSet, kNotSupported, kDelete, kRight };
RowImage settingsImage(const DiskInfo& disk);
RowImage actionImage(const DiskInfo& disk);
// The status cell: the status text, with the progress of a formatting disk.
void statusText(const DiskInfo& disk, char* out, int size);

struct Totals {
  int64_t total = 0, free = 0;
};
// Fills the list from the device; the totals of its rows in bytes.
Totals fillDiskList(WindowHandle page);
void setTotals(WindowHandle page, const Totals& totals);
// MSG_DISK_REFRESH: one row again (or the totals only).
void refreshDiskRow(WindowHandle page, int diskIndex, bool totalsOnly);

// The page's commands and row actions.
void initDisks(WindowHandle page, bool expand);
void addNetDisk(WindowHandle page);
void openDiskProperties(WindowHandle page, int row);
void diskRowAction(WindowHandle page, int row);
// The selected row's index, or -1.
int selectedRow(WindowHandle page);

}  // namespace storage
