// The rows of the disk list: texts, pictures and totals.
#include <cstdio>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/app_registry.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/page_colours.h"
#include "app/record/storage/disk_list.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "app/disk_texts.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace storage {
namespace {

constexpr int kCellSize = 64, kTotalSize = 16;
constexpr int kIconSet = 3, kIconDelete = 4, kIconNotSupported = 5, kIconRight = 6;

const Bitmap* iconOf(RowImage image) {
  const ListViewBitmaps* icons = getListViewBitmaps();
  if (!icons) return nullptr;
  int index = kIconNotSupported;
  switch (image) {
    case RowImage::kSet: index = kIconSet; break;
    case RowImage::kDelete: index = kIconDelete; break;
    case RowImage::kRight: index = kIconRight; break;
    default: break;
  }
  const Bitmap* icon = &icons->icons[index];
  return icon->bmWidth > 0 ? icon : nullptr;
}

void setCell(WindowHandle list, LParam row, int column, const char* text, const Bitmap* image = nullptr) {
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = const_cast<char*>(text);
  cell.textColor = SysPixelIndex[page_colours::kText];
  cell.flags = image ? LVFLAG_BITMAP : 0;
  cell.image = reinterpret_cast<uintptr_t>(image);
  SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

// Columns 1, 2, 3 and 5: what changes while the disk works.
void setChangingCells(WindowHandle list, LParam row, const DiskInfo& disk) {
  char text[kCellSize];
  formatCapacity(text, sizeof text, static_cast<int64_t>(disk.capacity) << 20);
  setCell(list, row, 1, text);
  statusText(disk, text, sizeof text);
  setCell(list, row, 2, text);
  getDiskAttrText(text, sizeof text, disk);
  setCell(list, row, 3, text);
  formatCapacity(text, sizeof text, static_cast<int64_t>(disk.freeSpace) << 20);
  setCell(list, row, 5, text);
}

void setAllCells(WindowHandle list, LParam row, int index, const DiskInfo& disk) {
  char text[kCellSize];
  std::snprintf(text, sizeof text, "%d", diskNumberOf(&disk));
  setCell(list, row, 0, text);
  SendMessage(list, LVM_SETUNCHECKEDBYKEY, static_cast<WParam>(index), 0);
  setChangingCells(list, row, disk);
  getDiskTypeText(text, disk, sizeof text);
  setCell(list, row, 4, text);
  std::snprintf(text, sizeof text, "%d", disk.group);
  setCell(list, row, 6, text);
  setCell(list, row, 7, "", iconOf(settingsImage(disk)));
  setCell(list, row, 8, "", iconOf(actionImage(disk)));
}

void markBusy(WindowHandle list, LParam row, const DiskInfo& disk) {
  const bool busy = disk.status == kStatusFormatting || disk.status == kStatusWaiting;
  SendMessage(list, busy ? LVM_DISABLEITEM : LVM_ENABLEITEM, static_cast<WParam>(row), 0);
}

}  // namespace

RowImage settingsImage(const DiskInfo& disk) { return isDiskEditable(disk) ? RowImage::kSet : RowImage::kNotSupported; }

RowImage actionImage(const DiskInfo& disk) {
  if (isNetDisk(disk)) return RowImage::kDelete;
  if (disk.status == kStatusAbsent && canDeleteDisk(disk.bus, disk.port)) return RowImage::kDelete;
  if (disk.type != kTypeEsata && disk.type != kTypeMiniSas) return RowImage::kNotSupported;
  return disk.status == kStatusUnloaded ? RowImage::kRight : RowImage::kDelete;
}

void statusText(const DiskInfo& disk, char* out, int size) { getDiskStatusCellText(out, size, disk); }

Totals fillDiskList(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kDiskList);
  Totals totals;
  if (!isWindow(list)) return totals;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  for (int i = 0; i < count; ++i) {
    ListViewItemInfo item{};
    item.index = i;
    item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
    item.flags = hasNoDiskInit() ? 0 : LVIF_CHECKBOX;
    const LResult row = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
    if (row == 0 || row == -1) continue;
    setAllCells(list, row, i, rows[i]);
    markBusy(list, row, rows[i]);
    totals.total += static_cast<int64_t>(rows[i].capacity) << 20;
    totals.free += static_cast<int64_t>(rows[i].freeSpace) << 20;
  }
  SendMessage(list, LVM_SETHEADCHECK, 0, 0);
  return totals;
}

void setTotals(WindowHandle page, const Totals& totals) {
  char text[kTotalSize];
  formatCapacity(text, sizeof text, totals.total);
  setText(page, kTotal, text);
  formatCapacity(text, sizeof text, totals.free);
  setText(page, kFree, text);
}

void refreshDiskRow(WindowHandle page, int diskIndex, bool totalsOnly) {
  if (totalsOnly) return setTotals(page, {sumDiskTotalSpace(), sumDiskFreeSpace()});
  const int index = findDiskIndex(diskIndex);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  const WindowHandle list = GetDlgItem(page, kDiskList);
  if (index < 0 || index >= count || !isWindow(list)) return;
  const LResult row = SendMessage(list, LVM_GETITEMBYINDEX, static_cast<WParam>(index), 0);
  if (row == 0) return;
  setChangingCells(list, row, rows[index]);
  markBusy(list, row, rows[index]);
  SendMessage(list, LVM_SETHEADCHECK, 0, 0);
  if (rows[index].status != kStatusFormatting) setTotals(page, {sumDiskTotalSpace(), sumDiskFreeSpace()});
}

}  // namespace storage

extern "C" void refreshDiskTotals(WindowHandle page) {
  storage::setTotals(page, storage::fillDiskList(page));
}
