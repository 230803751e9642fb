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

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kSystemSlot};

}  // namespace
}  // namespace netset

extern "C" WindowHandle createNetSetWindow(WindowHandle host) {
  return pageframe::openPage(netset::kSection, host, pageframe::windowProc<netset::kWindow>);
}
