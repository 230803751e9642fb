// The NTP tab: the time server the device synchronises with.
#include <initializer_list>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"

namespace netset {
namespace {

enum : int { kEnable = 20336, kInterval, kServer, kPort };
constexpr int kIntervalMax = 10080, kPortMax = 65535;
constexpr int kServerChars = 64;

const CodeRow kErrors[] = {
    {NET_ERR_NTP_INTERVAL, Reaction::Range, "interval", 1, kIntervalMax, kInterval},
    {NET_ERR_NTP_PORT, Reaction::Range, "ntpport", 1, kPortMax, kPort},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

void enableFields(WindowHandle page, bool on) {
  for (int id : {kInterval, kServer, kPort}) enableLabeledCtrl(page, id, on ? 1 : 0);
}

void init(WindowHandle page) {
  create(page, "button", "ntpenable", kEnable);
  create(page, "sledit", "interval", kInterval);
  create(page, "sledit", "ntpserver", kServer);
  create(page, "sledit", "ntpport", kPort);
  pageframe::createBottomButtons(page, kSection, "ntp_apply", "ntp_close", PAGE_ID_EXIT);
  NetAdvConfig adv{};
  getNetAdvConfig(login(), &adv);
  setChecked(page, kEnable, adv.ntpEnabled != 0);
  limitText(page, kInterval, kPortLimit);
  showNumber(page, kInterval, adv.ntpInterval);
  limitText(page, kServer, kServerChars);
  showField(page, kServer, adv.ntpServer, sizeof adv.ntpServer);
  limitText(page, kPort, kPortLimit);
  showNumber(page, kPort, adv.ntpPort);
  enableFields(page, adv.ntpEnabled != 0);
}

int save(WindowHandle page) {
  NetAdvConfig adv{};
  if (int rc = getNetAdvConfig(login(), &adv)) return rc;
  adv.ntpEnabled = isChecked(page, kEnable) ? 1 : 0;
  if (adv.ntpEnabled) {
    if (!readInRange(page, kInterval, 1, kIntervalMax, &adv.ntpInterval)) return NET_ERR_NTP_INTERVAL;
    readField(page, kServer, adv.ntpServer, sizeof adv.ntpServer);
    if (!readInRange(page, kPort, 1, kPortMax, &adv.ntpPort)) return NET_ERR_NTP_PORT;
  }
  int rc = setNetAdvConfig(login(), &adv, 1);
  if (rc == 0) rc = applyNetConfig(login());
  return rc;
}

void command(WindowHandle page, int id, int code) {
  if (id == kEnable) {
    enableFields(page, isChecked(page, kEnable));
    enableApply(page, 0, 0);
  } else if (id >= kInterval && id <= kPort && code == EN_UPDATE) {
    enableApply(page, 0, 0);
  }
}

void report(WindowHandle page, int code) { reportCode(page, kErrors, kErrorCount, code); }

}  // namespace

LResult ntpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
