// The window procedure the sheet pages beside a menu share.
#include "app/app_registry.h"
#include "app/pageframe/page_building.h"
#include "gui/message.h"
#include "gui/window.h"

namespace pageframe {

LResult sheetWindow(const PageSlot& slot, const char* section, const SheetPage* pages, int count, WindowHandle hwnd,
                    int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (slot.keyHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      if (slot.get() == hwnd) slot.set(GUI_INVALID_HANDLE);
      return 0;
    case MSG_CLOSE:
      if (slot.get() == hwnd) slot.set(GUI_INVALID_HANDLE);
      DestroyMainWindow(hwnd);
      MainWindowThreadCleanup(hwnd);
      return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      slot.set(hwnd);
      buildSheet(hwnd, section, pages, count);
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

LResult systemSheetWindow(const char* section, const SheetPage* pages, int count, WindowHandle hwnd, int message,
                          WParam wParam, LParam lParam) {
  static const PageSlot kSystem{getSystemPageWnd, setSystemPageWnd, systemPageHook};
  return sheetWindow(kSystem, section, pages, count, hwnd, message, wParam, lParam);
}

LResult manualSheetWindow(const char* section, const SheetPage* pages, int count, WindowHandle hwnd, int message,
                          WParam wParam, LParam lParam) {
  static const PageSlot kManual{getManualPageWnd, setManualPageWnd, onManualPageKeyUp};
  return sheetWindow(kManual, section, pages, count, hwnd, message, wParam, lParam);
}

}  // namespace pageframe
