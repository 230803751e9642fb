// The live view settings window: a modeless page beside the system menu
// holding a property sheet with the base and the view page.
#include "app/app_registry.h"
#include "app/core/previewset/previewset.h"
#include "app/dialog_template.h"
#include "app/system_pages.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/display.h"
#include "gui/layout.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace previewset {
namespace {

void addPage(WindowHandle sheet, const char* key, WindowProc proc) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo(kWindow, key, &r) || !r) return;
  DlgTemplate page{};
  page.caption = r->caption ? r->caption : "";
  SendMessage(sheet, PSM_ADDPAGE, reinterpret_cast<WParam>(&page), reinterpret_cast<LParam>(proc));
}

void buildSheet(WindowHandle hwnd) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo(kWindow, "tab_previewset", &r) || !r) return;
  const WindowHandle sheet =
      CreateWindowEx("propsheet", "", WS_VISIBLE | PSS_SCROLLABLE, WS_EX_PLACE_MASK, kSheetId, r->x, r->y, r->w, r->h,
          hwnd, 0);
  if (!IsValidHandle(sheet)) return;
  addPage(sheet, "tab_previewset_base", basePageProc);
  addPage(sheet, "tab_previewset_view", viewPageProc);
  SendMessage(sheet, PSM_SETACTIVEINDEX, 0, 0);
}

void forgetRegistration(WindowHandle hwnd) {
  if (getSystemPageWnd() == hwnd) setSystemPageWnd(GUI_INVALID_HANDLE);
}

void closeMainWindow(WindowHandle hwnd) {
  setSystemPageWnd(GUI_INVALID_HANDLE);
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
}

LResult previewSetWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (systemPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      forgetRegistration(hwnd);
      return 0;
    case MSG_CLOSE: closeMainWindow(hwnd); return 0;
    case MSG_PAINT: EndPaint(hwnd, BeginPaint(hwnd)); return 0;
    case MSG_INITDIALOG:
      registerSystemPage(hwnd);
      buildSheet(hwnd);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LResult runPage(const PageHooks& hooks, WindowHandle page, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_INITPAGE: hooks.init(page); return 0;
    case MSG_ERASEBKGND: hooks.erase(page, wParam, lParam); return 0;
    case MSG_COMMAND: break;
    default: return pageDefault(page, message, wParam, lParam);
  }
  const int id = static_cast<int>(wParam & 0xFFFF), code = static_cast<int>((wParam >> 16) & 0xFFFF);
  if (id == kApplyId) {
    const int rc = hooks.save(page);
    if (rc != 0)
      hooks.report(page, rc);
    else
      SendDlgItemMessage(page, kApplyId, MSG_ENABLE, 0, 0);
  } else if (id == kCloseId) {
    closeSystemMenu();
  } else {
    hooks.command(page, id, code);
  }
  return 0;
}

LResult pageDefault(WindowHandle page, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case 298: return 1;
    case MSG_SHEETCMD: return 0;
    case MSG_PAINT: EndPaint(page, BeginPaint(page)); return 0;
    default: return DefaultPageProc(page, message, wParam, lParam);
  }
}

}  // namespace previewset

extern "C" int createPreviewSetWindow(WindowHandle host) {
  CtrlResInfo* r = nullptr;
  if (!GetCtrlResInfo(previewset::kWindow, "win_previewset", &r)) r = nullptr;
  DlgTemplate dlg = app::templateFromRecord(r, WS_VISIBLE, WS_EX_NOCLOSEBOX | WS_EX_PLACE_MASK,
                                            app::Placement::kAsRecorded, getCurOutput());
  const WindowHandle page = CreateMainWindowIndirectParam(&dlg, host, previewset::previewSetWinProc, 0);
  return page == GUI_INVALID_HANDLE ? -1 : 0;
}
