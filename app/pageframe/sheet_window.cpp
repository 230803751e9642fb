// The window procedure the pages beside a menu share.
#include "app/app_registry.h"
#include "app/page_building.h"
#include "gui/message.h"
#include "gui/window.h"

namespace pageframe {

const PageSlot kSystemSlot{getSystemPageWnd, setSystemPageWnd, systemPageHook};
const PageSlot kMaintenanceSlot{getMaintenancePageWnd, setMaintenancePageWnd, maintenancePageHook};
const PageSlot kManualSlot{getManualPageWnd, setManualPageWnd, onManualPageKeyUp};
const PageSlot kRecordSlot{getRecordPageWnd, setRecordPageWnd, recordPageHook};
const PageSlot kDiskSlot{getDiskPageWnd, setDiskPageWnd, diskPageHook};

namespace {

// What the window of a page does with a message its hooks leave: it takes
// the menu's page slot, builds the sheet on creation, passes keys to the
// menu's hook and gives the slot back as the slot says.
LResult windowDefault(const PageWindow& window, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  const PageSlot& slot = *window.slot;
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (slot.keyHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Destroyed with its menu rather than closed: a handle left in the
      // slot could later name another window.
      if (slot.get() == hwnd) slot.set(GUI_INVALID_HANDLE);
      return 0;
    case MSG_CLOSE:
      if (slot.leave)
        slot.leave(hwnd);
      else if (slot.get() == hwnd)
        slot.set(GUI_INVALID_HANDLE);
      DestroyMainWindow(hwnd);
      MainWindowThreadCleanup(hwnd);
      return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      (slot.enter ? slot.enter : slot.set)(hwnd);
      buildSheet(hwnd, window.section, window.pages, window.count);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LResult runWindow(const PageWindow& window, WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  LResult answer = 0;
  if (window.message && window.message(hwnd, message, wParam, lParam, &answer)) return answer;
  answer = windowDefault(window, hwnd, message, wParam, lParam);
  if (window.after) window.after(hwnd, message, wParam, lParam);
  return answer;
}

}  // namespace pageframe
