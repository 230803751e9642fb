// The disk list page beside the storage menu: every disk with its size,
// state, attribute, type, free space and group, the totals, and the buttons
// that start the work on disks.
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/page_keys.h"
#include "app/record_pages.h"
#include "app/record/storage/disk_list.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "app/disk_texts.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/propsheet.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace storage {
namespace {

constexpr int kNotifyDoubleClick = LVN_ITEMDBCLK;
constexpr int kNotifySettingsCell = LVN_CELLCLICK + 7, kNotifyActionCell = LVN_CELLCLICK + 8;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
constexpr uint32_t kButtonEx = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kListExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kTotalExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_TOPRIGHT;
constexpr uint32_t kFreeExStyle = WS_EX_PLACE_X | WS_EX_PLACE_W | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;

constexpr ListColumnDesc kColumns[] = {
    {"listv_no", LVCF_CHECKBOX, nullptr},        {"listv_size", 0, compareListText},
    {"listv_status", 0, compareListText},        {"listv_attr", 0, compareListText},
    {"listv_type", 0, compareListText},          {"listv_free", 0, compareListText},
    {"listv_group", 0, compareListNumber},       {"listv_config", 0, nullptr},
    {"listv_del", 0, nullptr},
};
constexpr int kColumnCount = 9;

void listNotify(WindowHandle list, int, int code, LParam) {
  const WindowHandle page = GetParent(list);
  if (code == kNotifyDoubleClick || code == kNotifySettingsCell) openDiskProperties(page, selectedRow(page));
  if (code == kNotifyActionCell) diskRowAction(page, selectedRow(page));
}

void createButton(WindowHandle page, const char* key, int id, int x) {
  const CtrlResInfo* r = pageframe::record(kDiskSection, key);
  if (!r) return;
  CreateWindowEx("button", r->caption ? r->caption : "", kButtonStyle, kButtonEx, id, x >= 0 ? x : r->x,
                 pageframe::bottomRow(page), r->w, r->h, page, 0);
}

void createControls(WindowHandle page) {
  const bool noInit = hasNoDiskInit() != 0;
  const CtrlResInfo* init = pageframe::record(kDiskSection, "init");
  if (!noInit) createButton(page, "init", kInit, -1);
  createButton(page, "addnethd", kAddNetHd, noInit && init ? init->x : -1);
  createButton(page, "info_close", PAGE_ID_EXIT, -1);
  if (hasDiskExpand()) createButton(page, "expand", kExpand, -1);
  const WindowHandle list = pageframe::createFromKey(
      page, kDiskSection, {"ListView", "disklist", kListStyle, kListExStyle, kDiskList, false});
  if (isWindow(list)) {
    SetWindowText(list, "List View");
    ListColumnDesc columns[kColumnCount];
    for (int i = 0; i < kColumnCount; ++i) columns[i] = kColumns[i];
    if (noInit) columns[0].flags &= ~LVCF_CHECKBOX;
    addListViewColumns(page, kDiskList, kDiskSection, columns, kColumnCount);
    SetNotificationCallback(list, listNotify);
  }
  pageframe::createFromKey(page, kDiskSection, {"static", "total", kLabelStyle, kTotalExStyle, kTotal, true});
  pageframe::createFromKey(page, kDiskSection, {"static", "free", kLabelStyle, kFreeExStyle, kFree, true});
}

void initPage(WindowHandle page) {
  loadListViewBitmaps();
  createControls(page);
  refreshDiskTotals(page);
  setCurPageWnd(page);
}

void toggleCheck(WindowHandle page) {
  const int row = selectedRow(page);
  if (row < 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  if (SendDlgItemMessage(page, kDiskList, LVM_GETCHECKEDBYKEY, static_cast<WParam>(row), 0) == 1) {
    SendDlgItemMessage(page, kDiskList, LVM_SETHEADCHECK, 0, 0);
    SendDlgItemMessage(page, kDiskList, LVM_SETUNCHECKEDBYKEY, static_cast<WParam>(row), 0);
  } else {
    SendDlgItemMessage(page, kDiskList, LVM_SETCHECKEDBYKEY, static_cast<WParam>(row), 0);
  }
}

// Keys with the list focused; true when handled.
bool listKey(WindowHandle page, int key) {
  if (GetFocusChild(page) != GetDlgItem(page, kDiskList)) return false;
  switch (key) {
    case PANEL_KEY_EDIT: openDiskProperties(page, selectedRow(page)); return true;
    case PANEL_KEY_ACTION:
      if (!checkUserRight(RIGHT_LOCAL_ADVANCE, -1)) {
        showNoPermission(page);
      } else if (selectedRow(page) < 0) {
        showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
      } else {
        diskRowAction(page, selectedRow(page));
      }
      return true;
    case PANEL_KEY_CHECK: toggleCheck(page); return true;
    case PANEL_KEY_CHECK_ALL: SendDlgItemMessage(page, kDiskList, LVM_TOGGLECHECKALL, 0, 0); return true;
    default: return false;
  }
}

void command(WindowHandle page, int id, int) {
  switch (id) {
    case kInit: initDisks(page, false); return;
    case kExpand: initDisks(page, true); return;
    case kAddNetHd: addNetDisk(page); return;
    default: return;
  }
}

LResult closeDiskMenu() { return SendMessage(getDiskMenuWnd(), MSG_CLOSE, 0, 0); }

// The list's keys, and a disk's row refreshed when its state changes.
bool other(WindowHandle page, int message, WParam wParam, LParam lParam, LResult*) {
  if (message == MSG_KEYDOWN) return listKey(page, static_cast<int>(wParam));
  if (message != MSG_DISK_REFRESH) return false;
  refreshDiskRow(page, static_cast<int>(wParam), lParam == 1);
  return true;
}

const pageframe::PageHooks kInfoHooks{initPage, nullptr, command, nullptr, nullptr, closeDiskMenu,
                                      nullptr,  nullptr, nullptr, nullptr, nullptr, other};

LResult infoPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kInfoHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"info", infoPageProc, nullptr}};

// Escape closes the menu and Left goes back to it, whatever is open or
// focused on the page.
int baseKey(WindowHandle window, int key, int) {
  if (key == KEY_ESC) {
    SendMessage(GetHosting(window), MSG_CLOSE, 0, 0);
    return 0;
  }
  if (key == KEY_LEFT) {
    SetActiveWindow(getDiskMenuWnd());
    return 0;
  }
  return -1;
}

void releaseBase(WindowHandle) {
  setCurPageWnd(GUI_INVALID_HANDLE);
  setDiskPageWnd(GUI_INVALID_HANDLE);
}

const pageframe::PageSlot kBaseSlot{getDiskPageWnd, setDiskPageWnd, baseKey, nullptr, releaseBase};
const pageframe::PageWindow kBaseWindow{kDiskSection, kPages, kBaseSlot};

int openDiskBase(WindowHandle host) { return isWindow(createDiskBaseWindow(host)) ? 0 : -1; }

}  // namespace
}  // namespace storage

extern "C" {

WindowHandle createDiskBaseWindow(WindowHandle host) {
  return pageframe::openPage(storage::kDiskSection, host, pageframe::windowProc<storage::kBaseWindow>);
}

int showDiskMenu(WindowHandle parent) { return showStorageMenu(parent); }

void registerStoragePages(void) {
  registerPage(APP_MENU_MAIN, "disk", showDiskMenu);
  registerPage(APP_MENU_STORAGE, "disk_base", storage::openDiskBase);
  registerDiskFormat(formatDiskArray);
}

}  // extern "C"
