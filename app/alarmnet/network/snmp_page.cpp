// The SNMP tab: the device's SNMP agent and where its traps go.
#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace netset {
namespace {

enum : int { kEnable = 20384, kVersion, kPort, kRead, kWrite, kTrapAddress, kTrapPort };
constexpr int kPortMax = 65535, kCommunityChars = 32, kAddressChars = 64;

const CodeRow kErrors[] = {
    {NET_ERR_PORT_CLASH, Reaction::Box, "port_conflict", MSGBOX_INFO, 0, 0},
    {NET_ERR_SNMP_PORT, Reaction::Range, "snmpport", 1, kPortMax, kPort},
    {NET_ERR_TRAP_PORT, Reaction::Range, "trapport", 1, kPortMax, kTrapPort},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

void enableFields(WindowHandle page, bool on) {
  for (int id = kVersion; id <= kTrapPort; ++id) enableLabeledCtrl(page, id, on ? 1 : 0);
}

void init(WindowHandle page) {
  create(page, "button", "snmp_enable", kEnable);
  create(page, "combobox", "snmpver", kVersion);
  create(page, "sledit", "snmpport", kPort);
  create(page, "sledit", "snmpread", kRead);
  create(page, "sledit", "snmpwrite", kWrite);
  create(page, "sledit", "trapip", kTrapAddress);
  create(page, "sledit", "trapport", kTrapPort);
  pageframe::createBottomButtons(page, kSection, "snmp_apply", "snmp_close", PAGE_ID_EXIT);
  SnmpConfig snmp{};
  getSnmpConfig(login(), &snmp);
  setChecked(page, kEnable, snmp.enabled != 0);
  enableFields(page, snmp.enabled != 0);
  SendDlgItemMessage(page, kVersion, CB_DELETEALL, 0, 0);
  if (const char* text = lookupText(kSection, "snmp_v2"))
    SendDlgItemMessage(page, kVersion, CB_ADDSTRING, SNMP_VERSION_2, reinterpret_cast<LParam>(text));
  selectComboValue(page, kVersion, snmp.version);
  // A stored version the device no longer offers shows the one it does.
  if (SendDlgItemMessage(page, kVersion, CB_GETCURSEL, 0, 0) < 0) SendDlgItemMessage(page, kVersion, CB_SETCURSEL, 0, 0);
  limitText(page, kPort, kPortLimit);
  showNumber(page, kPort, snmp.port);
  limitText(page, kRead, kCommunityChars);
  showField(page, kRead, snmp.readCommunity, sizeof snmp.readCommunity);
  limitText(page, kWrite, kCommunityChars);
  showField(page, kWrite, snmp.writeCommunity, sizeof snmp.writeCommunity);
  limitText(page, kTrapAddress, kAddressChars);
  showField(page, kTrapAddress, snmp.trapAddress, sizeof snmp.trapAddress);
  limitText(page, kTrapPort, kPortLimit);
  showNumber(page, kTrapPort, snmp.trapPort);
}

int save(WindowHandle page) {
  SnmpConfig snmp{};
  if (int rc = getSnmpConfig(login(), &snmp)) return rc;
  snmp.enabled = isChecked(page, kEnable) ? 1 : 0;
  if (snmp.enabled) {
    const int version = comboValue(page, kVersion);
    if (version >= 0) snmp.version = static_cast<uint16_t>(version);
    if (!readInRange(page, kPort, 1, kPortMax, &snmp.port)) return NET_ERR_SNMP_PORT;
    readField(page, kRead, snmp.readCommunity, sizeof snmp.readCommunity);
    readField(page, kWrite, snmp.writeCommunity, sizeof snmp.writeCommunity);
    readField(page, kTrapAddress, snmp.trapAddress, sizeof snmp.trapAddress);
    if (!readInRange(page, kTrapPort, 1, kPortMax, &snmp.trapPort)) return NET_ERR_TRAP_PORT;
  }
  int rc = setSnmpConfig(login(), &snmp, 1);
  if (rc == 0) rc = applyNetConfig(login());
  return rc;
}

void command(WindowHandle page, int id, int code) {
  if (id == kEnable) {
    enableFields(page, isChecked(page, kEnable));
    enableApply(page, 0, 0);
  } else if ((id == kVersion && code == CBN_SELCHANGE) || (id >= kPort && id <= kTrapPort && code == EN_UPDATE)) {
    enableApply(page, 0, 0);
  }
}

void report(WindowHandle page, int code) { reportCode(page, kErrors, kErrorCount, code); }

}  // namespace

LResult snmpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
