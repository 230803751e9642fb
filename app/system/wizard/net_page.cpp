// The network page: a reduced basic network tab. Work mode, interface,
// speed, DHCP, the IPv4 addresses, DNS servers, the route interface and the
// PoE address; Next checks and saves what was typed.
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/msgbox.h"
#include "app/nic_fillers.h"
#include "app/system/users/users.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/text_entry.h"

namespace wizard {
namespace {

constexpr const char* kSection = "startnetset";
constexpr const char* kNetSection = "netset";
enum : int { kMode = 16448, kSelect, kType, kDhcp, kIpv4, kMask, kGateway, kPreDns, kAltDns, kRoute, kPoe };
constexpr int kBond = 2, kAlone = 2, kFailover = 0;
constexpr int kDnsLimit = 64;
constexpr int kAddressEdited = 4, kTextEdited = 3;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr uint32_t kIpStyle = WS_CHILD | WS_VISIBLE | IPS_IPV4 | IPS_NOTIFY;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kTop = EDIT_CORNER_TOPRIGHT, kBottom = EDIT_CORNER_BOTTOMRIGHT;

struct Copy {
  NetInterfaceBlock block;
  uint8_t dhcp;
};
struct State {
  Copy nic[3];  // the two interfaces and the bond
  int workMode, shown, route, main;
  bool pppoe, modified;
};
State g{};

bool multi() { return hasMultiNic() != 0; }
int shownCopy() { return multi() && g.workMode != kAlone ? kBond : g.shown; }

// How a refusal is shown: a box of section "netset", the valid-wanted hint
// of a field, nothing, and where the focus goes.
enum class Show { Box, Wanted, Nothing };
struct Refusal {
  int code;
  Show show;
  const char* key;
  int style;
  int focus;
};
const Refusal kRefusals[] = {
    {NET_ERR_POE_CAMERA_CLASH, Show::Box, "poe_ipc_ip_conflict", MSGBOX_INFO, kPoe},
    {NET_ERR_POE_LAN_CLASH, Show::Box, "eth0_poe_ip_conflict", MSGBOX_INFO, kPoe},
    {NET_ERR_POE_LOOPBACK, Show::Box, "ip_err_127", MSGBOX_WARNING, kPoe},
    {NET_ERR_POE_INVALID, Show::Wanted, "poe_ipv4", 0, kPoe},
    {DEVICE_OK_QUIET, Show::Nothing, nullptr, 0, 0},
    {NET_ERR_DEVICE_IP_CONFLICT, Show::Box, "deviceip_conflict", MSGBOX_INFO, kIpv4},
    {NET_ERR_IPV4, Show::Wanted, "ipv4", 0, kIpv4},
    {NET_ERR_IPV4_LOOPBACK, Show::Box, "ip_err_127", MSGBOX_WARNING, kIpv4},
    {NET_ERR_HOST_ZERO, Show::Box, "host_err_0", MSGBOX_WARNING, kIpv4},
    {NET_ERR_HOST_BROADCAST, Show::Box, "host_err_255", MSGBOX_WARNING, kIpv4},
    {NET_ERR_MASK, Show::Wanted, "maskv4", 0, kMask},
    {NET_ERR_MASK_VALUE, Show::Box, "err_value_mask", MSGBOX_INFO, kMask},
    {NET_ERR_GATEWAY, Show::Wanted, "gatewayv4", 0, kGateway},
    {NET_ERR_GATEWAY_LOOPBACK, Show::Box, "ip_err_127", MSGBOX_WARNING, kGateway},
    {NET_ERR_PREFERRED_DNS, Show::Wanted, "predns", 0, kPreDns},
    {NET_ERR_ALTERNATE_DNS, Show::Wanted, "altdns", 0, kAltDns},
    {NET_ERR_ADDRESS_CLASH, Show::Box, "ethx_ip_conflict", MSGBOX_INFO, kIpv4},
    {NET_ERR_POE_ADDRESS_CLASH, Show::Box, "eth0_poe_ip_conflict", MSGBOX_INFO, kIpv4},
};

void report(WindowHandle page, int code) {
  for (const Refusal& r : kRefusals) {
    if (r.code != code) continue;
    if (r.show == Show::Box) showMsgBox(page, kNetSection, r.key, r.style);
    if (r.show == Show::Wanted) showValidWantedHint(page, kNetSection, r.key);
    if (r.focus) users::focusField(page, r.focus);
    return;
  }
  showSaveFailedCode(page, code);
}

void showIpv4(WindowHandle page, int id, uint32_t word) {
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  if (ipv4ToText(word, text, sizeof text) != 0) text[0] = '\0';
  SetDlgItemText(page, id, text);
}

// The address's text; "0.0.0.0" and "::" show as an empty field.
void showDns(WindowHandle page, int id, const NetAddress& address) {
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  if (ipv4ToText(address.ipv4, text, sizeof text) != 0 || std::strcmp(text, "0.0.0.0") == 0) {
    if (ipv6ToText(address.ipv6, text, sizeof text) != 0 || std::strcmp(text, "::") == 0) text[0] = '\0';
  }
  SetDlgItemText(page, id, text);
}

// The field's address; an empty field is "0.0.0.0". False for no address.
bool readAddress(WindowHandle page, int id, NetAddress* out) {
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  GetDlgItemText(page, id, text, sizeof text);
  text[sizeof text - 1] = '\0';
  *out = NetAddress{};
  return textToNetAddress(text[0] ? text : "0.0.0.0", out) >= 0;
}

bool readIpv4(WindowHandle page, int id, uint32_t* out) {
  NetAddress a{};
  if (!readAddress(page, id, &a) || a.ipv6 != 0) return false;
  *out = a.ipv4;
  return true;
}

void enableAddresses(WindowHandle page, bool on) {
  for (int id = kIpv4; id <= kGateway; ++id) enableLabeledCtrl(page, id, on ? 1 : 0);
}

// The DHCP state that decides over the DNS fields: the route interface's
// when it is another than the one shown.
bool dnsByDhcp(WindowHandle page) {
  if (multi() && g.workMode == kAlone) {
    const int route = comboValue(page, kRoute);
    if (route >= 0 && route < 2 && route != g.shown) return g.nic[route].dhcp != 0;
  }
  return isChecked(page, kDhcp);
}

void applyDnsRule(WindowHandle page) {
  const int on = !dnsByDhcp(page) && !g.pppoe ? 1 : 0;
  enableLabeledCtrl(page, kPreDns, on);
  enableLabeledCtrl(page, kAltDns, on);
}

void showCopy(WindowHandle page) {
  const Copy& c = g.nic[shownCopy()];
  fillNicSpeedCombo(page, kType, shownCopy() == kBond ? 0 : shownCopy());
  selectComboValue(page, kType, c.block.speed);
  setChecked(page, kDhcp, c.dhcp != 0);
  showIpv4(page, kIpv4, c.block.ipv4);
  showIpv4(page, kMask, c.block.mask);
  showIpv4(page, kGateway, c.block.gateway);
  enableAddresses(page, c.dhcp == 0);
}

// The fields into the copy shown; a field that holds no address keeps the
// copy's value (Next refuses it).
void keepFields(WindowHandle page) {
  Copy& c = g.nic[shownCopy()];
  const int speed = comboValue(page, kType);
  if (speed > 0) c.block.speed = static_cast<uint8_t>(speed);
  c.dhcp = isChecked(page, kDhcp) ? 1 : 0;
  readIpv4(page, kIpv4, &c.block.ipv4);
  readIpv4(page, kMask, &c.block.mask);
  readIpv4(page, kGateway, &c.block.gateway);
}

void showRoute(WindowHandle page) {
  const char* key = g.workMode == kAlone ? "route" : g.workMode == kFailover ? "nic_main" : nullptr;
  showLabeledCtrl(page, kRoute, key ? 1 : 0);
  if (!key) return;
  if (const char* caption = lookupText(kNetSection, key)) SetDlgItemText(page, kRoute + PAGE_LABEL_OFFSET, caption);
  selectComboValue(page, kRoute, g.workMode == kAlone ? g.route : g.main);
}

void showInterfaces(WindowHandle page) {
  if (g.workMode == kAlone) fillNicCombo(page, kSelect);
  else fillBondNicCombo(page, kSelect);
  selectComboValue(page, kSelect, g.workMode == kAlone ? g.shown : 0);
  enableLabeledCtrl(page, kSelect, g.workMode == kAlone ? 1 : 0);
  showRoute(page);
}

struct Row {
  const char* cls;
  const char* key;
  int id;
  uint32_t style, exStyle;
};

// Rows left out close up: with one interface the rows from the speed down
// move up by the two interface rows, and the PoE row by the route row too.
void createControls(WindowHandle page) {
  static const Row kRows[] = {
      {"combobox", "nicmode", kMode, kListStyle, kTop | kBottom}, {"combobox", "nicselect", kSelect, kListStyle, 0},
      {"combobox", "nictype", kType, kListStyle, 0},             {"button", "nicdhcp", kDhcp, kBoxStyle, 0},
      {"ipedit", "ipv4", kIpv4, kIpStyle, 0},                    {"ipedit", "maskv4", kMask, kIpStyle, 0},
      {"ipedit", "gatewayv4", kGateway, kIpStyle, kBottom},      {"sledit", "predns", kPreDns, kEditStyle, kTop},
      {"sledit", "altdns", kAltDns, kEditStyle, kBottom},        {"combobox", "route", kRoute, kListStyle, kTop | kBottom},
      {"ipedit", "poe_ipv4", kPoe, kIpStyle, kTop | kBottom}};
  const bool two = multi(), poe = hasPoe() != 0;
  const auto height = [](const char* key) {
    const CtrlResInfo* r = pageframe::record(kSection, key);
    return r ? r->h : 0;
  };
  const int nicShift = two ? 0 : height("nicmode") + height("nicselect");
  for (const Row& row : kRows) {
    if (!two && (row.id == kMode || row.id == kSelect || row.id == kRoute)) continue;
    if (!poe && row.id == kPoe) continue;
    const CtrlResInfo* r = pageframe::record(kSection, row.key);
    if (!r) continue;
    int shift = row.id >= kType ? nicShift : 0;
    if (row.id == kPoe && !two) shift += height("route");
    make(page, kSection, row.cls, row.key, row.style, row.exStyle, row.id, true, r->y - shift);
  }
  makeButtons(page, kSection, "previous", PAGE_ID_PREVIOUS, "next", PAGE_ID_NEXT, "cancel");
}

void init(WindowHandle page) {
  g = State{};
  createControls(page);
  NetConfig net{};
  getNetConfig(login(), &net);
  g.nic[0] = {net.interfaces[0], net.dhcp[0]};
  g.nic[1] = {net.interfaces[1], net.dhcp[1]};
  g.nic[kBond] = {net.bond, net.bondDhcp};
  g.workMode = net.workMode;
  g.route = net.routeInterface;
  g.main = net.mainInterface;
  g.pppoe = net.pppoeEnabled != 0;
  SendDlgItemMessage(page, kPreDns, EM_LIMITTEXT, kDnsLimit, 0);
  SendDlgItemMessage(page, kAltDns, EM_LIMITTEXT, kDnsLimit, 0);
  if (multi()) {
    fillNetWorkModeCombo(page, kMode);
    selectComboValue(page, kMode, g.workMode);
    fillNicCombo(page, kRoute);
    showInterfaces(page);
  }
  showCopy(page);
  showDns(page, kPreDns, net.dns1);
  showDns(page, kAltDns, net.dns2);
  applyDnsRule(page);
  if (hasPoe()) {
    NetAddress poe{};
    if (getPoeAddress(login(), &poe) == 0 && poe.ipv4 != 0) showIpv4(page, kPoe, poe.ipv4);
  }
  users::focusField(page, PAGE_ID_NEXT);
}

// A change of the work mode or interface, when the network layer allows it
// now; otherwise the box takes its earlier value again.
void changeChoice(WindowHandle page, int id) {
  const int before = id == kMode ? g.workMode : g.shown;
  const int chosen = comboValue(page, id);
  if (chosen == before) return;
  if (const int rc = returnNoError()) {
    report(page, rc);
    selectComboValue(page, id, before);
    return;
  }
  keepFields(page);
  if (id == kMode) {
    g.workMode = chosen;
    g.shown = 0;
    showInterfaces(page);
  } else if (chosen >= 0 && chosen < 2) {
    g.shown = chosen;
  }
  showCopy(page);
  applyDnsRule(page);
  g.modified = true;
}

void clickDhcp(WindowHandle page) {
  if (g.pppoe && isChecked(page, kDhcp)) {
    showMsgBox(page, kNetSection, "pppoe_dhcp_dis", MSGBOX_WARNING);
    setChecked(page, kDhcp, false);
  } else {
    enableAddresses(page, !isChecked(page, kDhcp));
    applyDnsRule(page);
  }
  g.modified = true;
}

// The device's record with what the page shows; 0 or the field's code.
int gather(WindowHandle page, NetConfig* net) {
  Copy& c = g.nic[shownCopy()];
  if (!c.dhcp && !isChecked(page, kDhcp)) {
    if (!readIpv4(page, kIpv4, &c.block.ipv4)) return NET_ERR_IPV4;
    if (!readIpv4(page, kMask, &c.block.mask)) return NET_ERR_MASK;
    if (!readIpv4(page, kGateway, &c.block.gateway)) return NET_ERR_GATEWAY;
  }
  keepFields(page);
  if (const int rc = getNetConfig(login(), net)) return rc;
  const auto put = [](NetInterfaceBlock& block, uint8_t& dhcp, const Copy& from) {
    const uint16_t servicePort = block.servicePort;  // the ports tab's field
    block = from.block;
    block.servicePort = servicePort;
    dhcp = from.dhcp;
  };
  put(net->interfaces[0], net->dhcp[0], g.nic[0]);
  put(net->interfaces[1], net->dhcp[1], g.nic[1]);
  put(net->bond, net->bondDhcp, g.nic[kBond]);
  net->workMode = static_cast<uint8_t>(g.workMode);
  if (multi()) {
    const int route = comboValue(page, kRoute);
    if (route >= 0 && g.workMode == kAlone) g.route = route;
    if (route >= 0 && g.workMode == kFailover) g.main = route;
  }
  net->routeInterface = static_cast<uint8_t>(g.route);
  net->mainInterface = static_cast<uint8_t>(g.main);
  if (!readAddress(page, kPreDns, &net->dns1)) return NET_ERR_PREFERRED_DNS;
  if (!readAddress(page, kAltDns, &net->dns2)) return NET_ERR_ALTERNATE_DNS;
  return 0;
}

// The basic tab's steps: the check, keeping what was typed, the save.
int checkAndSave(WindowHandle page) {
  if (const int rc = returnNoError()) return rc;
  NetConfig net{};
  if (const int rc = gather(page, &net)) return rc;
  if (const int rc = keepNetConfig(login(), &net)) return rc;
  if (const int rc = saveNetConfig(login())) return rc;
  return savePoeAddress(page, kPoe, login());
}

void command(WindowHandle page, int id, int code) {
  switch (id) {
    case kMode: case kSelect:
      if (code == CBN_SELCHANGE) changeChoice(page, id);
      return;
    case kDhcp: clickDhcp(page); return;
    case kRoute:
      if (code == CBN_SELCHANGE) {
        applyDnsRule(page);
        g.modified = true;
      }
      return;
    case kType:
      if (code == CBN_SELCHANGE) g.modified = true;
      return;
    case kIpv4: case kMask: case kGateway: case kPoe:
      if (code == kAddressEdited) g.modified = true;
      return;
    case kPreDns: case kAltDns:
      if (code == kTextEdited) g.modified = true;
      return;
    case PAGE_ID_NEXT:
      // Saved as the network settings save it, so that nothing typed is lost.
      if (g.modified) {
        if (const int rc = checkAndSave(page)) return report(page, rc);
        g.modified = false;
      }
      goOn(page, Step::Network);
      return;
    default: return;
  }
}

const Page kPage{kSection, PAGE_ID_PREVIOUS, nullptr, {init, pageframe::takesAll<command>}};

}  // namespace

int openNetworkPage(WindowHandle owner) { return runPage<kPage>(owner); }

}  // namespace wizard
