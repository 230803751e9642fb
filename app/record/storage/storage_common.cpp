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

DlgTemplate dialogTemplate(const char* section, const char* key, int output) {
  DlgTemplate tmpl = pageframe::dialogTemplate(section);
  const CtrlResInfo* r = pageframe::record(section, key);
  tmpl.caption = r && r->caption ? r->caption : "";
  tmpl.w = r ? r->w : 0;
  tmpl.h = r ? r->h : 0;
  // In 64 bits: a hostile record size must not wrap the centring.
  tmpl.x = static_cast<int32_t>((static_cast<int64_t>(getScreenWidth(output)) - tmpl.w) / 2);
  tmpl.y = static_cast<int32_t>((static_cast<int64_t>(getScreenHeight(output)) - tmpl.h) / 2);
  return tmpl;
}

int runDialog(const char* section, const char* key, int output, WindowHandle parent, WindowProc proc) {
  const DlgTemplate tmpl = dialogTemplate(section, key, output);
  return static_cast<int>(DialogBoxIndirectParam(&tmpl, parent, proc, 0));
}

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
