// The log search window beside the maintenance menu: a sheet of the search
// page and the log export page.
#include "app/app_registry.h"
#include "app/login_rights.h"
#include "app/system/logs/log_pages.h"
#include "app/system/logs/log_tables.h"
#include "app/system_pages.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"

namespace logs {
namespace {

const pageframe::SheetPage kPages[] = {{"log", searchPageProc, nullptr}};

// The export page's record is named after its own section.
void addExportPage(WindowHandle window) {
  const WindowHandle sheet = GetDlgItem(window, PAGE_ID_SHEET);
  const CtrlResInfo* r = pageframe::record(kSection, "tab_logexport_log");
  if (!IsValidHandle(sheet) || !r) return;
  DlgTemplate tmpl{};
  tmpl.caption = r->caption ? r->caption : "";
  tmpl.dwAddData = static_cast<LParam>(window);
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&tmpl), reinterpret_cast<LParam>(exportPageProc));
  // Adding marks the new page active without showing it: the search page
  // is shown first.
  SendMessage(sheet, PSM_SETACTIVEINDEX, 0, 0);
}

// The export page registers itself as the current page; gone with the
// window, it must not stay registered.
bool holdsCurrentPage(WindowHandle window) {
  const WindowHandle page = getCurPageWnd();
  return IsValidHandle(page) && GetParent(GetParent(page)) == window;
}

bool windowMessage(WindowHandle hwnd, int message, WParam, LParam, LResult*) {
  if (message == MSG_CLOSE || (message == MSG_DESTROY && holdsCurrentPage(hwnd))) setCurPageWnd(GUI_INVALID_HANDLE);
  return false;
}

void afterDefault(WindowHandle hwnd, int message, WParam, LParam) {
  if (message == MSG_INITDIALOG) addExportPage(hwnd);
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kMaintenanceSlot, windowMessage, afterDefault};

}  // namespace
}  // namespace logs

extern "C" int createLogSearchWindow(WindowHandle owner) {
  return pageframe::openWindow<logs::kWindow>(owner);
}
