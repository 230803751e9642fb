// The common handling of a sheet page's messages.
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace pageframe {
namespace {

LResult pageDefault(WindowHandle page, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_QUERYPAGE: return 1;
    case MSG_SHEETCMD: return 0;
    case MSG_PAINT: EndPaint(page, BeginPaint(page)); return 0;
    default: return DefaultPageProc(page, message, wParam, lParam);
  }
}

}  // namespace

LResult runPage(const PageHooks& hooks, WindowHandle page, int message, WParam wParam, LParam lParam) {
  LResult answer = 0;
  if (hooks.message && hooks.message(page, message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case MSG_INITPAGE: hooks.init(page); return 0;
    case MSG_ERASEBKGND: (hooks.erase ? hooks.erase : eraseBkgndGrey50)(page, wParam, lParam); return 0;
    case MSG_COMMAND: break;
    case MSG_KEYDOWN:
      if (hooks.key) hooks.key(page, static_cast<int>(wParam));
      return pageDefault(page, message, wParam, lParam);
    case MSG_PAINT:
      if (!hooks.paint) return pageDefault(page, message, wParam, lParam);
      hooks.paint(page);
      return 0;
    case MSG_TIMER:
      if (!hooks.timer) return pageDefault(page, message, wParam, lParam);
      hooks.timer(page, static_cast<int>(wParam));
      return 0;
    case MSG_DESTROY:
      if (hooks.destroy) hooks.destroy(page);
      return pageDefault(page, message, wParam, lParam);
    default: return pageDefault(page, message, wParam, lParam);
  }
  const int id = idOf(wParam);
  if (id == IDCANCEL && hooks.cancel) {
    hooks.cancel(page);
  } else if (id == PAGE_ID_APPLY) {
    const int rc = hooks.save ? hooks.save(page) : 0;
    // An Apply the device took is kept only once the file holds it: the
    // pages that leave the write to the device hear of a failure too.
    if (rc == 0 && keepDeviceParams() != 0)
      showMsgBox(page, "commons", "savefailed", MSGBOX_ERROR);
    else if (rc == 0)
      SendDlgItemMessage(page, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
    else if (hooks.report)
      hooks.report(page, rc);
  } else if (id == PAGE_ID_EXIT && hooks.exit) {
    hooks.exit();
  } else if (hooks.command) {
    hooks.command(page, id, codeOf(wParam));
  }
  return 0;
}

}  // namespace pageframe
