// The log export page: the recorder's working disks with check boxes, and
// the export of the logs kept on the ticked ones.
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/disk_texts.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/msgbox.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "app/playback.h"
#include "app/system/logs/log_pages.h"
#include "gui/button.h"
#include "gui/display.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace logs {
namespace {

constexpr const char* kExportSection = "logexport";
constexpr int kListId = 19728, kExportId = 19729;
constexpr int kStatusNormal = 0, kStatusIdle = 5, kStatusFormatting = 11, kStatusWaiting = 12, kStatusAbnormal = 2;
constexpr int kExportDisks = 4;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlacedEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_TREE | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kListEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr int kCellSize = 64;

const ListColumnDesc kColumns[] = {{"listv_no", LVCF_CHECKBOX, nullptr},   {"listv_size", 0, nullptr},
                                   {"listv_status", 0, nullptr}, {"listv_attr", 0, nullptr},
                                   {"listv_type", 0, nullptr}, {"listv_free", 0, nullptr},
                                   {"listv_group", 0, nullptr}};

WindowHandle listOf(WindowHandle page) { return GetDlgItem(page, kListId); }

void setCell(WindowHandle list, LResult row, int column, const char* text, uint32_t flags = 0) {
  ListViewSubItemInfo cell{};
  cell.flags = flags;
  cell.column = column;
  cell.text = const_cast<char*>(text);
  cell.textColor = SysPixelIndex[page_colours::kText];
  SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
}

void capacityCell(WindowHandle list, LResult row, int column, uint32_t mb) {
  char text[kCellSize];
  formatCapacity(text, sizeof text, static_cast<int64_t>(mb) << 20);
  setCell(list, row, column, text);
}

// Capacity, status, attribute and free space: what changes while a disk works.
void setChangingCells(WindowHandle list, LResult row, const DiskInfo& disk) {
  char text[kCellSize];
  capacityCell(list, row, 1, disk.capacity);
  getDiskStatusCellText(text, sizeof text, disk);
  setCell(list, row, 2, text);
  getDiskAttrText(text, sizeof text, disk);
  setCell(list, row, 3, text);
  capacityCell(list, row, 5, disk.freeSpace);
}

void addDiskRow(WindowHandle list, int index, const DiskInfo& disk) {
  ListViewItemInfo item{};
  item.index = index;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  item.flags = LVIF_CHECKBOX;
  const LResult row = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (row == 0 || row == -1) return;
  SendMessage(list, LVM_SETUNCHECKED, 0, row);
  char text[kCellSize];
  std::snprintf(text, sizeof text, "%d", diskNumberOf(&disk));
  setCell(list, row, 0, text, LVFLAG_CHECKBOX);
  setChangingCells(list, row, disk);
  getDiskTypeText(text, disk, sizeof text);
  setCell(list, row, 4, text);
  std::snprintf(text, sizeof text, "%d", disk.group);
  setCell(list, row, 6, text);
  SendMessage(list, LVM_ENABLEITEM, 0, row);
}

int readDisks(DiskInfo (&rows)[DISK_LIST_ROWS]) {
  const int count = getDiskList(rows);
  return count < 0 ? 0 : count > DISK_LIST_ROWS ? DISK_LIST_ROWS : count;
}

void fillList(WindowHandle page) {
  const WindowHandle list = listOf(page);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  for (int i = 0; i < count; ++i)
    if (rows[i].status == kStatusNormal || rows[i].status == kStatusIdle) addDiskRow(list, i, rows[i]);
  SendMessage(list, LVM_SETHEADCHECK, 0, 0);
}

// The list row of a disk-list index (the rows skip unlisted disks).
LResult rowOfDisk(WindowHandle list, int index) {
  const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < rows; ++i)
    if (SendMessage(list, LVM_GETITEMKEY, static_cast<WParam>(i), 0) == index)
      return SendMessage(list, LVM_GETITEMBYINDEX, static_cast<WParam>(i), 0);
  return 0;
}

void diskChanged(WindowHandle page, WParam wParam, LParam lParam) {
  if (lParam == 1) {
    fillList(page);
    return;
  }
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  const int index = findDiskIndex(static_cast<int>(wParam));
  if (index < 0 || index >= count) return;
  const WindowHandle list = listOf(page);
  const LResult row = rowOfDisk(list, index);
  if (row == 0 || row == -1) return;
  const DiskInfo& disk = rows[index];
  setChangingCells(list, row, disk);
  SendMessage(list, LVM_SETUNCHECKED, 0, row);
  const bool busy =
      disk.status == kStatusFormatting || disk.status == kStatusWaiting || disk.status == kStatusAbnormal;
  SendMessage(list, busy ? LVM_DISABLEITEM : LVM_ENABLEITEM, 0, row);
}

void toggleSelected(WindowHandle page) {
  const WindowHandle list = listOf(page);
  const LResult row = SendMessage(list, LVM_GETSELECTEDITEM, 0, 0);
  if (row == 0 || row == -1) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  const bool checked = SendMessage(list, LVM_GETCHECKED, 0, row) == 1;
  SendMessage(list, checked ? LVM_SETUNCHECKED : LVM_SETCHECKED, 0, row);
}

// The ticked disks by their numbers, in list order.
FormatDiskArg tickedDisks(WindowHandle list) {
  FormatDiskArg arg{};
  DiskInfo disks[DISK_LIST_ROWS] = {};
  const int count = readDisks(disks);
  const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < rows && arg.count < FORMAT_DISK_MAX; ++i) {
    if (SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(i), 0) != 1) continue;
    const LResult index = SendMessage(list, LVM_GETITEMKEY, static_cast<WParam>(i), 0);
    if (index < 0 || index >= count) continue;
    arg.disks[arg.count] = static_cast<uint32_t>(diskNumberOf(&disks[index]));
    arg.results[arg.count] = 1;
    ++arg.count;
  }
  return arg;
}

void exportTicked(WindowHandle page) {
  const FormatDiskArg arg = tickedDisks(listOf(page));
  const int running = getExportRunning();
  if (arg.count == 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
  } else if (running & EXPORT_RUNNING_LOCAL) {
    showMsgBox(page, "commons", "local_exporting_hint", MSGBOX_INFO);
  } else if (running & EXPORT_RUNNING_REMOTE) {
    showMsgBox(page, "commons", "remote_exporting_hint", MSGBOX_INFO);
  } else {
    setExportMode(kExportDisks);
    setFormatDiskArg(arg);
    runWithMaintenanceMenuDisabled(showExportDialog, page);
  }
}

// Keys reach the page through the list, which has the focus.
void listNotified(WindowHandle list, int, int code, LParam data) {
  const auto* key = reinterpret_cast<const ListViewKeyInfo*>(data);
  if (code != LVN_KEYDOWN || !key) return;
  if (key->scanCode == PANEL_KEY_CHECK) toggleSelected(GetParent(list));
  if (key->scanCode == PANEL_KEY_CHECK_ALL) SendMessage(list, LVM_TOGGLECHECKALL, 0, 0);
}

void init(WindowHandle page) {
  const int y = pageframe::bottomRow(page);
  const WindowHandle list =
      pageframe::createFromKey(page, kExportSection, {"ListView", "disklist", kListStyle, kListEx, kListId, false});
  if (IsValidHandle(list)) SetNotificationCallback(list, listNotified);
  addListViewColumns(page, kListId, kExportSection, kColumns, sizeof kColumns / sizeof kColumns[0]);
  pageframe::createFromKey(page, kExportSection, {"button", "export", kButtonStyle, kPlacedEx, kExportId, false}, y);
  pageframe::createFromKey(page, kExportSection, {"button", "close", kButtonStyle, kPlacedEx, PAGE_ID_EXIT, false}, y);
  fillList(page);
  setCurPageWnd(page);
}

void command(WindowHandle page, int id, int) {
  if (id == kExportId) exportTicked(page);
}

int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

// A disk came or went: the device list follows.
bool diskMessage(WindowHandle page, int message, WParam wParam, LParam lParam, LResult*) {
  if (message != MSG_DISK_REFRESH) return false;
  diskChanged(page, wParam, lParam);
  return true;
}

const pageframe::PageHooks kHooks{init,    eraseBkgndGrey50, command, noSave,  noReport, closeMaintenanceMenu,
                                  nullptr, nullptr,          nullptr, nullptr, nullptr,  diskMessage};

}  // namespace

LResult exportPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace logs
