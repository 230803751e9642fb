// The host and ports tab: alarm host, service, HTTP, multicast, RTSP and
// HTTPS settings and fast load. A change of the service port, multicast
// address or RTSP port asks for the reboot it needs and starts it.
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/msgbox.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace netset {
namespace {

enum : int {
  kAlarmHost = 20400, kAlarmPort, kServicePort, kHttpPort, kMulticast, kRtspPort, kHttps, kHttpsPort, kFastLoad
};
constexpr int kPortMax = 65535, kServicePortMin = 2000, kRtspFixed = 554, kRtspMin = 1024;
constexpr int kFtpPort = 21, kTelnetPort = 23;

const CodeRow kErrors[] = {
    {DEVICE_OK_QUIET, Reaction::Nothing, nullptr, 0, 0, 0},
    {NET_ERR_QUIET, Reaction::Nothing, nullptr, 0, 0, 0},
    {NET_ERR_ALARM_HOST, Reaction::Hint, "alarmhostip", 0, 0, kAlarmHost},
    {NET_ERR_ALARM_HOST_PORT, Reaction::Range, "alarmhostport", 0, kPortMax, kAlarmPort},
    {NET_ERR_MULTICAST, Reaction::Hint, "multicastip", 0, 0, kMulticast},
    {NET_ERR_SERVICE_PORT, Reaction::Range, "serviceport", kServicePortMin, kPortMax, kServicePort},
    {NET_ERR_HTTP_PORT, Reaction::Box, "http_port_hint", MSGBOX_INFO, 0, kHttpPort},
    {NET_ERR_PORT_CLASH, Reaction::Box, "port_conflict", MSGBOX_INFO, 0, 0},
    {NET_ERR_RTSP_PORT, Reaction::Box, "rtsp_port_hint", MSGBOX_INFO, 0, kRtspPort},
    {NET_ERR_HTTPS_PORT, Reaction::Range, "https_port", 1, kPortMax, kHttpsPort},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

bool hasRtspRow() { return hasRtspPort() != 0; }

void createControls(WindowHandle page) {
  create(page, "sledit", "alarmhostip", kAlarmHost);
  create(page, "sledit", "alarmhostport", kAlarmPort);
  create(page, "sledit", "serviceport", kServicePort);
  create(page, "sledit", "httpport", kHttpPort);
  create(page, "sledit", "multicastip", kMulticast);
  // Without the RTSP row the HTTPS rows take its place.
  const int shift = hasRtspRow() ? 0 : recordY("https_enable") - recordY("rtspport");
  if (hasRtspRow()) create(page, "sledit", "rtspport", kRtspPort);
  create(page, "button", "https_enable", kHttps, recordY("https_enable") - shift);
  create(page, "sledit", "https_port", kHttpsPort, recordY("https_port") - shift);
  create(page, "button", "enable_fastload", kFastLoad, recordY("enable_fastload") - shift);
  pageframe::createBottomButtons(page, kSection, "host_apply", "host_close", PAGE_ID_EXIT);
}

void init(WindowHandle page) {
  createControls(page);
  NetConfig net{};
  getNetConfig(login(), &net);
  limitText(page, kAlarmHost, kAddressLimit);
  showAddress(page, kAlarmHost, net.alarmHost);
  for (int id : {kAlarmPort, kServicePort, kHttpPort, kRtspPort, kHttpsPort}) limitText(page, id, kPortLimit);
  showNumber(page, kAlarmPort, net.alarmHostPort);
  showNumber(page, kServicePort, net.interfaces[0].servicePort);
  showNumber(page, kHttpPort, net.httpPort);
  limitText(page, kMulticast, kAddressLimit);
  showAddress(page, kMulticast, net.multicast);
  if (hasRtspRow()) showNumber(page, kRtspPort, net.rtspPort);
  setChecked(page, kHttps, net.httpsEnabled != 0);
  showNumber(page, kHttpsPort, net.httpsPort);
  enableLabeledCtrl(page, kHttpsPort, net.httpsEnabled != 0 ? 1 : 0);
  setChecked(page, kFastLoad, net.fastLoad != 0);
}

// The fields over the device's record, in the order of the checks; the
// first failing one names its code.
int gather(WindowHandle page, NetConfig* net) {
  if (!readAddress(page, kAlarmHost, &net->alarmHost)) return NET_ERR_ALARM_HOST;
  if (!readInRange(page, kAlarmPort, 0, kPortMax, &net->alarmHostPort)) return NET_ERR_ALARM_HOST_PORT;
  if (!readInRange(page, kServicePort, kServicePortMin, kPortMax, &net->interfaces[0].servicePort))
    return NET_ERR_SERVICE_PORT;
  if (!readInRange(page, kHttpPort, 1, kPortMax, &net->httpPort) || net->httpPort == kFtpPort ||
      net->httpPort == kTelnetPort)
    return NET_ERR_HTTP_PORT;
  if (!readAddress(page, kMulticast, &net->multicast)) return NET_ERR_MULTICAST;
  if (hasRtspRow() && (!readInRange(page, kRtspPort, kRtspFixed, kPortMax, &net->rtspPort) ||
                       (net->rtspPort != kRtspFixed && net->rtspPort < kRtspMin)))
    return NET_ERR_RTSP_PORT;
  net->httpsEnabled = isChecked(page, kHttps) ? 1 : 0;
  if (net->httpsEnabled && !readInRange(page, kHttpsPort, 1, kPortMax, &net->httpsPort)) return NET_ERR_HTTPS_PORT;
  net->fastLoad = isChecked(page, kFastLoad) ? 1 : 0;
  return 0;
}

bool rebootNow(WindowHandle page) { return confirmMsgBox(page, kSection, "param_reboot") != 0; }

int save(WindowHandle page) {
  NetConfig net{};
  if (int rc = getNetConfig(login(), &net)) return rc;
  const uint16_t servicePort = net.interfaces[0].servicePort, rtspPort = net.rtspPort;
  const NetAddress multicast = net.multicast;
  if (int rc = gather(page, &net)) return rc;
  if (int rc = checkNetPorts(login(), &net)) return rc;
  const bool same = net.interfaces[0].servicePort == servicePort &&
                    std::memcmp(&net.multicast, &multicast, sizeof multicast) == 0 &&
                    (!hasRtspRow() || net.rtspPort == rtspPort);
  if (same) {
    int rc = setNetConfig(login(), &net, 1);
    if (rc == 0) rc = applyNetConfig(login());
    return rc;
  }
  // The whole record is checked before the reboot question: a refusal
  // (a multicast address outside the group range) asks nothing.
  if (int rc = checkNetConfig(login(), &net)) return rc;
  return saveAndOfferReboot(page, net, rebootNow);
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kHttps:
      enableLabeledCtrl(page, kHttpsPort, isChecked(page, kHttps) ? 1 : 0);
      enableApply(page, 0, 0);
      break;
    case kFastLoad:
      if (isChecked(page, kFastLoad)) showMsgBox(page, kSection, "enable_fastload_hint", MSGBOX_INFO);
      enableApply(page, 0, 0);
      break;
    default:
      if (id >= kAlarmHost && id <= kHttpsPort && code == EN_UPDATE) enableApply(page, 0, 0);
      break;
  }
}

void report(WindowHandle page, int code) { reportCode(page, kErrors, kErrorCount, code); }

}  // namespace

LResult hostPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
