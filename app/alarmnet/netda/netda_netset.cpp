// The network settings dialog of the detect page: the IPv4 settings of the
// interfaces, the DNS servers and the default route, loaded from the
// device's record as the network settings page loads them and saved with
// Apply or OK.
#include <cstring>

#include "app/alarmnet/netda/netda.h"
#include "app/alarmnet/network/netset.h"
#include "app/alarmnet/network/nic_copies.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/msgbox.h"
#include "gui/display.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using netset::CodeRow;
using netset::Reaction;

constexpr const char* kSection = "netdanetset";
enum : int { kMode = 16448, kSelect, kType, kDhcp, kIpv4, kMaskV4, kGatewayV4, kPreDns, kAltDns, kRoute };
using netset::kBondCopy;
using netset::kWorkModeAlone;
using netset::kWorkModeFailover;

netset::NicState g;
const netset::NicIds kIds{kMode, kSelect, kDhcp, kPreDns, kAltDns, kRoute};


bool multi() { return hasMultiNic() != 0; }
int shownCopy() { return netset::shownCopy(g); }

const netset::AddressFields kFields{kIpv4, kMaskV4, kGatewayV4, kPreDns, kAltDns};

void report(WindowHandle dlg, int code) {
  if (!netset::reportAddressCode(dlg, kFields, code)) netset::reportCode(dlg, nullptr, 0, code);
}

void enableAddressFields(WindowHandle dlg, bool on) { netset::enableFields(dlg, kIpv4, kGatewayV4, on); }

void showCopy(WindowHandle dlg) {
  const netset::NicCopy& c = g.nic[shownCopy()];
  fillNicSpeedCombo(dlg, kType, shownCopy() == kBondCopy ? 0 : shownCopy());
  selectComboValue(dlg, kType, c.block.speed);
  setChecked(dlg, kDhcp, c.dhcp != 0);
  netset::showIpv4(dlg, kIpv4, c.block.ipv4);
  netset::showIpv4(dlg, kMaskV4, c.block.mask);
  netset::showIpv4(dlg, kGatewayV4, c.block.gateway);
  enableAddressFields(dlg, c.dhcp == 0);
}

void applyDnsRule(WindowHandle dlg) { netset::applyDnsRule(dlg, kIds, g); }

int gatherCopy(WindowHandle dlg) {
  netset::NicCopy c = g.nic[shownCopy()];
  const int speed = comboValue(dlg, kType);
  if (speed > 0) c.block.speed = static_cast<uint8_t>(speed);
  c.dhcp = isChecked(dlg, kDhcp) ? 1 : 0;
  if (!c.dhcp) {
    if (int rc = netset::readIpv4(dlg, kIpv4, &c.block.ipv4, NET_ERR_IPV4)) return rc;
    if (int rc = netset::readIpv4(dlg, kMaskV4, &c.block.mask, NET_ERR_MASK)) return rc;
    if (int rc = netset::readIpv4(dlg, kGatewayV4, &c.block.gateway, NET_ERR_GATEWAY)) return rc;
  }
  g.nic[shownCopy()] = c;
  return 0;
}

// The device's record with what was typed: saving the record without the
// fields would write the dialog's empty working copies over the addresses.
int gather(WindowHandle dlg, NetConfig* net) {
  if (int rc = gatherCopy(dlg)) return rc;
  if (int rc = getNetConfig(netset::login(), net)) return rc;
  netset::putNics(g, multi(), net);
  if (!netset::readAddress(dlg, kPreDns, &net->dns1)) return NET_ERR_PREFERRED_DNS;
  if (!netset::readAddress(dlg, kAltDns, &net->dns2)) return NET_ERR_ALTERNATE_DNS;
  return 0;
}

int checkAndKeep(WindowHandle dlg) {
  NetConfig net{};
  if (int rc = gather(dlg, &net)) return rc;
  return keepNetConfig(netset::login(), &net);
}

void createControls(WindowHandle dlg) {
  struct Row {
    const char* cls;
    const char* key;
    int id;
  };
  static const Row kRows[] = {
      {"combobox", "nicmode", kMode},      {"combobox", "nicselect", kSelect}, {"combobox", "nictype", kType},
      {"button", "nicdhcp", kDhcp},        {"ipedit", "ipv4", kIpv4},          {"ipedit", "maskv4", kMaskV4},
      {"ipedit", "gatewayv4", kGatewayV4}, {"sledit", "predns", kPreDns},      {"sledit", "altdns", kAltDns},
      {"combobox", "route", kRoute}};
  const auto height = [](const char* key) {
    const CtrlResInfo* r = pageframe::record(kSection, key);
    return r ? r->h : 0;
  };
  const bool two = multi();
  const int shift = two ? 0 : height("nicmode") + height("nicselect");
  for (const Row& row : kRows) {
    if (!two && (row.id == kMode || row.id == kSelect || row.id == kRoute)) continue;
    const CtrlResInfo* r = pageframe::record(kSection, row.key);
    if (!r) continue;
    netset::createIn(dlg, kSection, row.cls, row.key, row.id, r->y - (row.id >= kType ? shift : 0));
  }
  const int y = pageframe::bottomRow(dlg);
  const uint32_t style = WS_CHILD | WS_VISIBLE;
  pageframe::createFromKey(dlg, kSection, {"button", "netda_netset_apply", style | WS_DISABLED,
                                           WS_EX_PLACE_X | WS_EX_PLACE_W, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(dlg, kSection, {"button", "ok", style, WS_EX_PLACE_X | WS_EX_PLACE_W, PAGE_ID_OK, false}, y);
  pageframe::createFromKey(dlg, kSection, {"button", "cancel", style, WS_EX_PLACE_X | WS_EX_PLACE_W, IDCANCEL,
                                           false}, y);
}

void showRoute(WindowHandle dlg) { netset::showRouteRow(dlg, kIds, g); }

void showInterfaceChoice(WindowHandle dlg) {
  if (g.workMode == kWorkModeAlone) fillNicCombo(dlg, kSelect);
  else fillBondNicCombo(dlg, kSelect);
  selectComboValue(dlg, kSelect, g.workMode == kWorkModeAlone ? g.shown : 0);
  enableLabeledCtrl(dlg, kSelect, g.workMode == kWorkModeAlone ? 1 : 0);
}

void init(WindowHandle dlg) {
  g = netset::NicState{};
  createControls(dlg);
  NetConfig net{};
  getNetConfig(netset::login(), &net);
  netset::loadNics(g, net);
  netset::limitText(dlg, kPreDns, netset::kAddressLimit);
  netset::limitText(dlg, kAltDns, netset::kAddressLimit);
  if (multi()) {
    fillNetWorkModeCombo(dlg, kMode);
    selectComboValue(dlg, kMode, g.workMode);
    showInterfaceChoice(dlg);
    fillNicCombo(dlg, kRoute);
  }
  showCopy(dlg);
  if (multi()) showRoute(dlg);
  netset::showAddress(dlg, kPreDns, net.dns1);
  netset::showAddress(dlg, kAltDns, net.dns2);
  applyDnsRule(dlg);
  SetFocusChild(GetDlgItem(dlg, IDCANCEL));
}

void changeWorkMode(WindowHandle dlg) {
  const int chosen = comboValue(dlg, kMode);
  const int rc = checkAndKeep(dlg);
  if (rc != 0 || chosen < kWorkModeFailover || chosen > kWorkModeAlone) {
    if (rc != 0) report(dlg, rc);
    selectComboValue(dlg, kMode, g.workMode);
  } else {
    g.workMode = chosen;
    if (chosen == kWorkModeAlone) g.shown = 0;
    showInterfaceChoice(dlg);
    showCopy(dlg);
    showRoute(dlg);
    applyDnsRule(dlg);
  }
  enableApply(dlg, 0, 0);
}

void changeInterface(WindowHandle dlg) {
  const int chosen = comboValue(dlg, kSelect);
  if (chosen == g.shown || shownCopy() == kBondCopy) return;
  const int rc = chosen < 0 || chosen > 1 ? 0 : checkAndKeep(dlg);
  if (rc != 0 || chosen < 0 || chosen > 1) {
    report(dlg, rc);
    selectComboValue(dlg, kSelect, g.shown);
  } else {
    g.shown = chosen;
    showCopy(dlg);
    applyDnsRule(dlg);
  }
  enableApply(dlg, 0, 0);
}

void clickDhcp(WindowHandle dlg) {
  if (g.pppoe) {
    showMsgBox(dlg, netset::kSection, "pppoe_dhcp_dis", MSGBOX_WARNING);
    setChecked(dlg, kDhcp, false);
  } else {
    enableAddressFields(dlg, !isChecked(dlg, kDhcp));
    applyDnsRule(dlg);
  }
  enableApply(dlg, 0, 0);
}

// 0 when saved; a refusal is shown and the dialog stays as it is.
int save(WindowHandle dlg) {
  int rc = checkAndKeep(dlg);
  if (rc == 0) rc = saveNetConfig(netset::login());
  if (rc != 0) {
    report(dlg, rc);
    return rc;
  }
  SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
  return 0;
}

void command(WindowHandle dlg, int id, int code) {
  switch (id) {
    case kMode:
      if (code == CBN_SELCHANGE) changeWorkMode(dlg);
      break;
    case kSelect:
      if (code == CBN_SELCHANGE) changeInterface(dlg);
      break;
    case kType:
      if (code == CBN_SELCHANGE) enableApply(dlg, 0, 0);
      break;
    case kDhcp: clickDhcp(dlg); break;
    case kIpv4: case kMaskV4: case kGatewayV4:
      if (code == IPN_UPDATE) enableApply(dlg, 0, 0);
      break;
    case kPreDns: case kAltDns:
      if (code == EN_UPDATE) enableApply(dlg, 0, 0);
      break;
    case kRoute:
      if (code == CBN_SELCHANGE) netset::takeRoute(dlg, kIds, g);
      break;
    case PAGE_ID_APPLY: save(dlg); break;
    case PAGE_ID_OK:
      if (save(dlg) == 0) SendMessage(dlg, MSG_CLOSE, 0, 0);
      break;
    case IDCANCEL: SendMessage(dlg, MSG_CLOSE, 0, 0); break;
    default: break;
  }
}

const pageframe::DialogHooks kHooks{init, pageframe::takesAll<command>};

}  // namespace

extern "C" int showNetDaNetSetDialog(WindowHandle parent) {
  // The window's record is not named after its section.
  constexpr const char* kWindow = "win_netda_netset";
  const DlgTemplate tmpl = pageframe::record(kSection, kWindow)
                               ? pageframe::dialogTemplate(kSection, kWindow, getMainOutput())
                               : pageframe::dialogTemplate(kSection);
  return pageframe::runDialog(tmpl, parent, pageframe::dialogProc<kHooks>);
}
