// The disk page: the recorder's disks with their size, state, attribute,
// type and free space; the ticked disks can be initialised.
#include <cstdio>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/disk_texts.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "app/system/wizard/wizard_lists.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/listview.h"
#include "gui/window.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startdisk";
constexpr int kList = 16464, kInit = 16465;
constexpr int kColumnCount = 6, kMaxDisks = 32;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kListExStyle = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

int readDisks(DiskInfo (&rows)[DISK_LIST_ROWS]) {
  const int count = getDiskList(rows);
  if (count < 1) return 0;
  return count < DISK_LIST_ROWS ? count : DISK_LIST_ROWS;
}

void fill(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kList);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  for (int i = 0; i < count; ++i) {
    const DiskInfo& disk = rows[i];
    Cell cells[kColumnCount] = {};
    std::snprintf(cells[0], kCellSize, "%d", diskNumberOf(&disk));
    formatCapacity(cells[1], kCellSize, static_cast<int64_t>(disk.capacity) << 20);
    getDiskStatusCellText(cells[2], kCellSize, disk);
    getDiskAttrText(cells[3], kCellSize, disk);
    getDiskTypeText(cells[4], disk, kCellSize);
    formatCapacity(cells[5], kCellSize, static_cast<int64_t>(disk.freeSpace) << 20);
    addRow(list, i, cells, kColumnCount, hasNoDiskInit() == 0);
  }
  SendMessage(list, LVM_SETHEADCHECK, 0, 0);
}

void init(WindowHandle page) {
  registerDiskPage(page);
  const bool noInit = hasNoDiskInit() != 0;
  if (IsValidHandle(make(page, kSection, "ListView", "disklist", kListStyle, kListExStyle, kList, false))) {
    ListColumnDesc columns[kColumnCount] = {{"listv_no", LVCF_CHECKBOX, nullptr}, {"listv_size", 0, nullptr},
                                            {"listv_status", 0, nullptr},         {"listv_attr", 0, nullptr},
                                            {"listv_type", 0, nullptr},           {"listv_free", 0, nullptr}};
    if (noInit) columns[0].flags = 0;
    addListViewColumns(page, kList, kSection, columns, kColumnCount);
  }
  if (!noInit)
    make(page, kSection, "button", "init", kButtonStyle, WS_EX_PLACE_X | WS_EX_PLACE_W, kInit, false,
         pageframe::bottomRow(page));
  makeButtons(page, kSection, "previous", PAGE_ID_PREVIOUS, "next", PAGE_ID_NEXT, "cancel");
  fill(page);
  setCurPageWnd(page);
  users::focusField(page, PAGE_ID_NEXT);
}

void initDisks(WindowHandle page) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = readDisks(rows);
  int disks[kMaxDisks] = {};
  int chosen = 0;
  for (int i = 0; i < count && chosen < kMaxDisks; ++i) {
    if (!rowChecked(page, kList, i)) continue;
    if (rows[i].readOnly) {
      showMsgBox(page, "disk_base", "readonlydisk", MSGBOX_INFO);
      return;
    }
    disks[chosen++] = diskNumberOf(&rows[i]);
  }
  if (chosen == 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  openDiskFormat(output(), chosen, disks);
  fill(page);
}

void command(WindowHandle page, int id, int) {
  if (id == kInit) initDisks(page);
  if (id == PAGE_ID_NEXT) goOn(page, Step::Disk);
}

void close(WindowHandle page) {
  setCurPageWnd(GUI_INVALID_HANDLE);
  setDiskPageWnd(GUI_INVALID_HANDLE);
  EndDialog(page, 0);
}

// Formatting ends with a refresh request: the list is read again. The list
// takes the keys that move in it.
bool other(WindowHandle page, int message, WParam wParam, LParam, LResult*) {
  if (message == MSG_DISK_REFRESH) {
    fill(page);
    return true;
  }
  return message == MSG_KEYDOWN && hasNoDiskInit() == 0 && listKey(page, kList, static_cast<int>(wParam));
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, nullptr, {init, pageframe::takesAll<command>, nullptr, close, nullptr, other}};

}  // namespace

int openDiskPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
