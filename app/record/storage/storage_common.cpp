// Helpers the storage pages share: captions, texts, the disk rows, the busy
// state of long disk operations and the disabled storage menu.
#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/desktop.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace storage {

const char* caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

void setText(WindowHandle window, int id, const char* text) {
  SendDlgItemMessage(window, id, MSG_SETTEXT, 0, reinterpret_cast<LParam>(text ? text : ""));
}

void showCursor(int index) { SetCursor(GetSystemCursor(index)); }

bool isWindow(WindowHandle hwnd) { return IsValidHandle(hwnd); }

int readDisks(DiskInfo (&rows)[DISK_LIST_ROWS]) {
  const int count = getDiskList(rows);
  if (count < 1) return 0;
  return count < DISK_LIST_ROWS ? count : DISK_LIST_ROWS;
}

BusyState::BusyState() {
  setDispSwitchEnabled(0);
  setLiveViewActive(getMainOutput(), 0);
  SetPowerKeyDownFlag(1);
  showCursor(kCursorBusy);
}

BusyState::~BusyState() {
  showCursor(kCursorArrow);
  SetPowerKeyDownFlag(0);
  setLiveViewActive(getMainOutput(), 1);
  setDispSwitchEnabled(1);
}

MenuDisabled::MenuDisabled() { EnableWindow(getDiskMenuWnd(), FALSE); }
MenuDisabled::~MenuDisabled() { EnableWindow(getDiskMenuWnd(), TRUE); }


void refreshHostTotals(WindowHandle) {
  const WindowHandle host = getDiskPageWnd();
  if (!isWindow(host)) return;
  const auto page = static_cast<WindowHandle>(SendDlgItemMessage(host, PAGE_ID_SHEET, PSM_GETACTIVEPAGE, 0, 0));
  if (isWindow(page)) refreshDiskTotals(page);
}

}  // namespace storage
