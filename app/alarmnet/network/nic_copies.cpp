// The interface working copies the network pages share.
#include "app/alarmnet/network/nic_copies.h"

#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/msgbox.h"
#include "gui/dialog.h"

namespace netset {
namespace {

void putCopy(NetInterfaceBlock& block, uint8_t& dhcp, NetAddress& extra, const NicCopy& c) {
  const uint16_t servicePort = block.servicePort;
  block = c.block;
  block.servicePort = servicePort;
  dhcp = c.dhcp;
  extra = c.extra;
}

bool deciderUsesDhcp(WindowHandle page, const NicIds& ids, const NicState& s) {
  if (hasMultiNic() && s.workMode == kWorkModeAlone) {
    const int route = comboValue(page, ids.route), nic = comboValue(page, ids.select);
    if (route >= 0 && route < 2 && route != nic) return s.nic[route].dhcp != 0;
  }
  return isChecked(page, ids.dhcp);
}

}  // namespace

void loadNics(NicState& s, const NetConfig& net) {
  s.nic[0] = NicCopy{net.interfaces[0], net.dhcp[0], net.interfaceExtra[0]};
  s.nic[1] = NicCopy{net.interfaces[1], net.dhcp[1], net.interfaceExtra[1]};
  s.nic[kBondCopy] = NicCopy{net.bond, net.bondDhcp, net.bondExtra};
  s.workMode = net.workMode;
  s.shown = 0;
  s.route = net.routeInterface;
  s.main = net.mainInterface;
  s.pppoe = net.pppoeEnabled != 0;
}

int shownCopy(const NicState& s) { return hasMultiNic() && s.workMode != kWorkModeAlone ? kBondCopy : s.shown; }

void putNics(const NicState& s, bool multi, NetConfig* net) {
  putCopy(net->interfaces[0], net->dhcp[0], net->interfaceExtra[0], s.nic[0]);
  putCopy(net->interfaces[1], net->dhcp[1], net->interfaceExtra[1], s.nic[1]);
  putCopy(net->bond, net->bondDhcp, net->bondExtra, s.nic[kBondCopy]);
  if (multi) net->workMode = static_cast<uint8_t>(s.workMode);
  net->routeInterface = static_cast<uint8_t>(s.route);
  net->mainInterface = static_cast<uint8_t>(s.main);
}

void showIpv4(WindowHandle page, int id, uint32_t word) {
  char text[NET_ADDRESS_TEXT_SIZE] = "";
  if (ipv4ToText(word, text, sizeof text) != 0) text[0] = '\0';
  SetDlgItemText(page, id, text);
}

int readIpv4(WindowHandle page, int id, uint32_t* out, int code) {
  NetAddress a{};
  char text[NET_ADDRESS_TEXT_SIZE];
  readText(page, id, text, sizeof text);
  if (textToNetAddress(text[0] ? text : "0.0.0.0", &a) < 0 || a.ipv6 != 0) return code;
  *out = a.ipv4;
  return 0;
}

void enableFields(WindowHandle page, int first, int last, bool on) {
  for (int id = first; id <= last; ++id) enableLabeledCtrl(page, id, on ? 1 : 0);
}

void applyDnsRule(WindowHandle page, const NicIds& ids, const NicState& s) {
  const bool on = !deciderUsesDhcp(page, ids, s) && !s.pppoe;
  enableLabeledCtrl(page, ids.preDns, on ? 1 : 0);
  enableLabeledCtrl(page, ids.altDns, on ? 1 : 0);
}

void showRouteRow(WindowHandle page, const NicIds& ids, const NicState& s) {
  const char* key = s.workMode == kWorkModeAlone ? "route" : s.workMode == kWorkModeFailover ? "nic_main" : nullptr;
  showLabeledCtrl(page, ids.route, key ? 1 : 0);
  if (!key) return;
  if (const char* caption = lookupText(kSection, key)) SetDlgItemText(page, ids.route + kLabelOffset, caption);
  selectComboValue(page, ids.route, s.workMode == kWorkModeAlone ? s.route : s.main);
}

void takeRoute(WindowHandle page, const NicIds& ids, NicState& s) {
  const int chosen = comboValue(page, ids.route);
  if (chosen >= 0) {
    if (s.workMode == kWorkModeAlone) s.route = chosen;
    else if (s.workMode == kWorkModeFailover) s.main = chosen;
  }
  applyDnsRule(page, ids, s);
  enableApply(page, 0, 0);
}

}  // namespace netset
