// The basic tab of the network settings: work mode, the interface shown
// with its speed, DHCP, addresses, MAC and MTU, the DNS servers and the
// default-route interface. Each interface is edited in a working copy; the
// fields are gathered back on an interface change and on Apply.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/alarmnet/network/nic_copies.h"
#include "app/alarmnet_pages.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/window_attr.h"

namespace netset {
namespace {

enum : int {
  kMode = 20272, kSelect, kType, kDhcp, kIpv4, kMaskV4, kGatewayV4, kIpv6, kMaskV6, kGatewayV6, kMac, kMtu,
  kPreDns, kAltDns, kRoute, kPoe
};
constexpr int kIpv6PrefixMax = 128;
// Refusals of the IPv6 fields, which the device's check never sees: the
// device keeps IPv6 texts by key, so a text that is no address is refused
// here rather than dropped.
constexpr int kErrIpv6 = -100, kErrIpv6Prefix = -101, kErrIpv6Gateway = -102;
// Refusals of the PoE interface's address.

static_assert(sizeof(NetInterfaceBlock) == 60, "interface block");
static_assert(offsetof(NetInterfaceBlock, servicePort) == 28, "service port at +28");
static_assert(offsetof(NetInterfaceBlock, mac) == 16 && offsetof(NetInterfaceBlock, speed) == 22, "MAC, speed");

NicState g;
const NicIds kIds{kMode, kSelect, kDhcp, kPreDns, kAltDns, kRoute};

const CodeRow kErrors[] = {
    {NET_ERR_POE_CAMERA_CLASH, Reaction::Box, "poe_ipc_ip_conflict", MSGBOX_INFO, 0, kPoe},
    {NET_ERR_POE_LAN_CLASH, Reaction::Box, "eth0_poe_ip_conflict", MSGBOX_INFO, 0, kPoe},
    {NET_ERR_POE_LOOPBACK, Reaction::Box, "ip_err_127", MSGBOX_WARNING, 0, kPoe},
    {NET_ERR_POE_INVALID, Reaction::Hint, "poe_ipv4", 0, 0, kPoe},
    {NET_ERR_MTU, Reaction::Range, "mtu", NET_MTU_MIN, NET_MTU_MAX, kMtu},
    {kErrIpv6, Reaction::Hint, "ipv6", 0, 0, kIpv6},
    {kErrIpv6Prefix, Reaction::Range, "maskv6", 0, kIpv6PrefixMax, kMaskV6},
    {kErrIpv6Gateway, Reaction::Hint, "gatewayv6", 0, 0, kGatewayV6},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);
const AddressFields kFields{kIpv4, kMaskV4, kGatewayV4, kPreDns, kAltDns};

void report(WindowHandle page, int code) {
  if (!reportAddressCode(page, kFields, code)) reportCode(page, kErrors, kErrorCount, code);
}

bool multi() { return hasMultiNic() != 0; }
int shownCopy() { return netset::shownCopy(g); }
int speedNic() { return shownCopy() == kBondCopy ? 0 : shownCopy(); }

void showIpv6(WindowHandle page, int id, uint32_t word) {
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  if (ipv6ToText(word, text, sizeof text) != 0 || std::strcmp(text, "::") == 0) text[0] = '\0';
  SetDlgItemText(page, id, text);
}

void enableAddressFields(WindowHandle page, bool on) { enableFields(page, kIpv4, kGatewayV6, on); }

void showCopy(WindowHandle page) {
  const NicCopy& c = g.nic[shownCopy()];
  fillNicSpeedCombo(page, kType, speedNic());
  selectComboValue(page, kType, c.block.speed);
  setChecked(page, kDhcp, c.dhcp != 0);
  showIpv4(page, kIpv4, c.block.ipv4);
  showIpv4(page, kMaskV4, c.block.mask);
  showIpv4(page, kGatewayV4, c.block.gateway);
  showIpv6(page, kIpv6, c.extra.ipv6);
  if (c.block.reserved23[0] != 0) showNumber(page, kMaskV6, c.block.reserved23[0]);
  else SetDlgItemText(page, kMaskV6, "");
  showIpv6(page, kGatewayV6, c.extra.reserved);
  char mac[24];
  const uint8_t* m = c.block.mac;
  std::snprintf(mac, sizeof mac, "%02x:%02x:%02x:%02x:%02x:%02x", m[0], m[1], m[2], m[3], m[4], m[5]);
  SetDlgItemText(page, kMac, mac);
  showNumber(page, kMtu, c.block.mtu);
  enableAddressFields(page, c.dhcp == 0);
}

void applyDnsRule(WindowHandle page) { netset::applyDnsRule(page, kIds, g); }

int readIpv6(WindowHandle page, int id, uint32_t* out, int code) {
  char text[NET_ADDRESS_TEXT_SIZE];
  readText(page, id, text, sizeof text);
  if (text[0] == '\0') {
    *out = 0;
    return 0;
  }
  NetAddress a{};
  if (textToNetAddress(text, &a) < 0 || a.ipv6 == 0) return code;
  *out = a.ipv6;
  return 0;
}

int gatherIpv6(WindowHandle page, NicCopy& c) {
  if (!hasIpv6()) return 0;
  if (int rc = readIpv6(page, kIpv6, &c.extra.ipv6, kErrIpv6)) return rc;
  char text[8];
  readText(page, kMaskV6, text, sizeof text);
  const long long prefix = text[0] ? readNumber(page, kMaskV6) : 0;
  if (prefix < 0 || prefix > kIpv6PrefixMax) return kErrIpv6Prefix;
  c.block.reserved23[0] = static_cast<uint8_t>(prefix);
  return readIpv6(page, kGatewayV6, &c.extra.reserved, kErrIpv6Gateway);
}

// The fields into the shown copy; the first field that cannot be read
// names its code and the copy keeps its earlier values.
int gatherCopy(WindowHandle page) {
  NicCopy c = g.nic[shownCopy()];
  const int speed = comboValue(page, kType);
  if (speed > 0) c.block.speed = static_cast<uint8_t>(speed);
  c.dhcp = isChecked(page, kDhcp) ? 1 : 0;
  if (!c.dhcp) {
    if (int rc = readIpv4(page, kIpv4, &c.block.ipv4, NET_ERR_IPV4)) return rc;
    if (int rc = readIpv4(page, kMaskV4, &c.block.mask, NET_ERR_MASK)) return rc;
    if (int rc = readIpv4(page, kGatewayV4, &c.block.gateway, NET_ERR_GATEWAY)) return rc;
    if (int rc = gatherIpv6(page, c)) return rc;
  }
  const long long mtu = readNumber(page, kMtu);
  if (mtu < NET_MTU_MIN || mtu > NET_MTU_MAX) return NET_ERR_MTU;
  c.block.mtu = static_cast<uint32_t>(mtu);
  g.nic[shownCopy()] = c;
  return 0;
}

// The device's record with the tab's copies, selections and DNS fields.
int gather(WindowHandle page, NetConfig* net) {
  if (int rc = gatherCopy(page)) return rc;
  if (int rc = getNetConfig(login(), net)) return rc;
  putNics(g, false, net);
  if (multi()) {
    const int mode = comboValue(page, kMode);
    if (mode >= 0) net->workMode = static_cast<uint8_t>(mode);
  }
  if (!readAddress(page, kPreDns, &net->dns1)) return NET_ERR_PREFERRED_DNS;
  if (!readAddress(page, kAltDns, &net->dns2)) return NET_ERR_ALTERNATE_DNS;
  return 0;
}

int checkAndKeep(WindowHandle page) {
  NetConfig net{};
  if (int rc = gather(page, &net)) return rc;
  return keepNetConfig(login(), &net);
}

struct Row {
  const char* cls;
  const char* key;
  int id;
};

// Rows left out close up: with one interface the rows below the interface
// choice move up, and the PoE row past the route row too; without IPv6 the
// rows from the MAC down move up past the IPv6 rows.
void createControls(WindowHandle page) {
  static const Row kRows[] = {
      {"combobox", "nicmode", kMode},     {"combobox", "nicselect", kSelect}, {"combobox", "nictype", kType},
      {"button", "nicdhcp", kDhcp},       {"ipedit", "ipv4", kIpv4},          {"ipedit", "maskv4", kMaskV4},
      {"ipedit", "gatewayv4", kGatewayV4}, {"sledit", "ipv6", kIpv6},          {"sledit", "maskv6", kMaskV6},
      {"sledit", "gatewayv6", kGatewayV6}, {"static", "macaddr", kMac},        {"sledit", "mtu", kMtu},
      {"sledit", "predns", kPreDns},      {"sledit", "altdns", kAltDns},      {"combobox", "route", kRoute},
      {"ipedit", "poe_ipv4", kPoe}};
  const bool two = multi(), v6 = hasIpv6() != 0, poe = hasPoe() != 0;
  const int nicShift = two ? 0 : recordHeight("nicmode") + recordHeight("nicselect");
  const int v6Shift = v6 ? 0 : recordHeight("ipv6") + recordHeight("maskv6") + recordHeight("gatewayv6");
  for (const Row& row : kRows) {
    if (!two && (row.id == kMode || row.id == kSelect || row.id == kRoute)) continue;
    if (!v6 && row.id >= kIpv6 && row.id <= kGatewayV6) continue;
    if (!poe && row.id == kPoe) continue;
    int shift = row.id >= kType ? nicShift : 0;
    if (row.id >= kMac) shift += v6Shift;
    if (row.id == kPoe && !two) shift += recordHeight("route");
    create(page, row.cls, row.key, row.id, recordY(row.key) - shift);
  }
  pageframe::createBottomButtons(page, kSection, "base_apply", "base_close", PAGE_ID_EXIT);
}

void showRoute(WindowHandle page) { showRouteRow(page, kIds, g); }

void showPoe(WindowHandle page) {
  NetAddress poe{};
  char text[NET_ADDRESS_TEXT_SIZE];
  if (getPoeAddress(login(), &poe) != 0 || ipv4ToText(poe.ipv4, text, sizeof text) != 0) return;
  if (std::strcmp(text, "0.0.0.0") != 0) SetDlgItemText(page, kPoe, text);
}

void init(WindowHandle page) {
  g = NicState{};
  createControls(page);
  NetConfig net{};
  getNetConfig(login(), &net);
  loadNics(g, net);
  limitText(page, kMtu, kMtuLimit);
  limitText(page, kPreDns, kAddressLimit);
  limitText(page, kAltDns, kAddressLimit);
  if (multi()) {
    fillNetWorkModeCombo(page, kMode);
    selectComboValue(page, kMode, g.workMode);
    if (g.workMode == kWorkModeAlone) fillNicCombo(page, kSelect);
    else fillBondNicCombo(page, kSelect);
    SendDlgItemMessage(page, kSelect, CB_SETCURSEL, 0, 0);
    enableLabeledCtrl(page, kSelect, g.workMode == kWorkModeAlone ? 1 : 0);
    fillNicCombo(page, kRoute);
  }
  showCopy(page);
  if (multi()) showRoute(page);
  showAddress(page, kPreDns, net.dns1);
  showAddress(page, kAltDns, net.dns2);
  applyDnsRule(page);
  if (hasPoe()) showPoe(page);
}

void clickDhcp(WindowHandle page) {
  NetConfig net{};
  getNetConfig(login(), &net);
  g.pppoe = net.pppoeEnabled != 0;
  if (g.pppoe) {
    showMsgBox(page, kSection, "pppoe_dhcp_dis", MSGBOX_WARNING);
    setChecked(page, kDhcp, false);
  } else {
    enableAddressFields(page, !isChecked(page, kDhcp));
    applyDnsRule(page);
  }
  enableApply(page, 0, 0);
}

void changeInterface(WindowHandle page) {
  const int chosen = comboValue(page, kSelect);
  if (chosen == g.shown || shownCopy() == kBondCopy) return;
  // The fields still show the interface shown before: gather them there.
  const int rc = chosen < 0 || chosen > 1 ? 0 : checkAndKeep(page);
  if (rc != 0 || chosen < 0 || chosen > 1) {
    report(page, rc);
    selectComboValue(page, kSelect, g.shown);
  } else {
    g.shown = chosen;
    showCopy(page);
    applyDnsRule(page);
  }
  enableApply(page, 0, 0);
}

void changeRoute(WindowHandle page) { takeRoute(page, kIds, g); }

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kSelect:
      if (code == CBN_SELCHANGE) changeInterface(page);
      break;
    case kType:
      if (code == CBN_SELCHANGE) enableApply(page, 0, 0);
      break;
    case kDhcp: clickDhcp(page); break;
    case kIpv4: case kMaskV4: case kGatewayV4: case kPoe:
      if (code == IPN_UPDATE) enableApply(page, 0, 0);
      break;
    // The IPv6 fields too: typed into alone, they could never be applied.
    case kMtu: case kPreDns: case kAltDns: case kIpv6: case kMaskV6: case kGatewayV6:
      if (code == EN_UPDATE) enableApply(page, 0, 0);
      break;
    case kRoute:
      if (code == CBN_SELCHANGE) changeRoute(page);
      break;
    default: break;
  }
}

int save(WindowHandle page) {
  if (int rc = checkAndKeep(page)) return rc;
  if (int rc = saveNetConfig(login())) return rc;
  return savePoeAddress(page, kPoe, login());
}


}  // namespace

LResult basePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
