// The network settings window: a modeless page beside the system menu
// holding a property sheet of the network tabs the device offers.
#include "app/alarmnet/network/netset.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_caps.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"

namespace netset {
namespace {

bool offersPppoe() { return hasPppoe() != 0; }
bool offersFtp() { return hasFtp() != 0; }
bool offersSnmp() { return hasSnmp() != 0; }

const pageframe::SheetPage kPages[] = {{"base", basePageProc, nullptr},
                                       {"pppoe", pppoePageProc, offersPppoe},
                                       {"ddns", ddnsPageProc, nullptr},
                                       {"ntp", ntpPageProc, nullptr},
                                       {"email", emailPageProc, nullptr},
                                       {"ftp", ftpPageProc, offersFtp},
                                       {"snmp", snmpPageProc, offersSnmp},
                                       {"host", hostPageProc, nullptr}};

LResult netSetWinProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  switch (message) {
    case MSG_ERASEBKGND: return 0;
    case MSG_KEYDOWN:
      if (systemPageHook(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)) == 0) return 0;
      break;
    case MSG_DESTROY:
      DestroyAllControls(hwnd);
      // Closed with its menu rather than by 102: no stale registration.
      if (getSystemPageWnd() == hwnd) setSystemPageWnd(GUI_INVALID_HANDLE);
      return 0;
    case MSG_CLOSE: closeMainWindow(hwnd); return 0;
    case MSG_PAINT: return beginEndPaint(hwnd);
    case MSG_INITDIALOG:
      registerSystemPage(hwnd);
      pageframe::buildSheet(hwnd, kSection, kPages, static_cast<int>(sizeof kPages / sizeof kPages[0]));
      return 0;
    default: break;
  }
  return DefaultWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace netset

extern "C" WindowHandle createNetSetWindow(WindowHandle host) {
  return pageframe::openPage(netset::kSection, host, netset::netSetWinProc);
}
