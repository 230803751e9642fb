// The DDNS tab: one server entry per service type. Switching types keeps
// the edits of each visited type in a cache until Apply saves them all.
#include <cstring>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/layout.h"

namespace netset {
namespace {

enum : int { kEnable = 20322, kType, kServer, kDomain, kUser, kPassword, kConfirm };
constexpr int kLanguageWithoutNoIp = 2, kNoIpType = 3, kLastType = 5;
constexpr int kTextChars = 64, kUserChars = 32, kPasswordChars = 16;

// The fields a type uses.
enum : unsigned { kUsesServer = 1, kUsesDomain = 2, kUsesAccount = 4 };
unsigned usesOf(int type) {
  static const unsigned kUses[kLastType + 1] = {kUsesServer, kUsesServer | kUsesDomain | kUsesAccount, kUsesAccount,
                                                kUsesServer | kUsesDomain | kUsesAccount, kUsesServer | kUsesDomain,
                                                kUsesDomain | kUsesAccount};
  return type >= 0 && type <= kLastType ? kUses[type] : 0;
}

struct Cache {
  bool changed[DDNS_TYPES];
  DdnsServerEntry entry[DDNS_TYPES];
  int type;
};
Cache g;

const CodeRow kErrors[] = {
    {DEVICE_ERR_PASSWORD_MISMATCH, Reaction::Box, "passwdmismatch", MSGBOX_ERROR, 0, kPassword},
    {NET_ERR_DDNS_DOMAIN, Reaction::Box, "ddnsdomainerr", MSGBOX_INFO, 0, kDomain},
    {NET_ERR_DDNS_DOMAIN_USED, Reaction::Box, "ddnsdomainused", MSGBOX_INFO, 0, kDomain},
    {NET_ERR_DDNS_SERVER, Reaction::Box, "ddnsservererr", MSGBOX_INFO, 0, 0},
    {NET_ERR_DDNS_CONNECT, Reaction::Box, "ddnsconnecterr", MSGBOX_INFO, 0, 0},
    {NET_ERR_DDNS_ADDRESS, Reaction::Hint, "ddnsip", 0, 0, kServer},
    {NET_ERR_DDNS_DOMAIN_TEXT, Reaction::Hint, "domainname", 0, 0, kDomain},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

// A record's type that names no entry shows the first.
int validType(int type) { return type >= 0 && type < DDNS_TYPES ? type : 0; }

void applyRule(WindowHandle page, int type, bool enabled) {
  const unsigned uses = enabled ? usesOf(type) : 0;
  enableLabeledCtrl(page, kType, enabled ? 1 : 0);
  enableLabeledCtrl(page, kServer, (uses & kUsesServer) ? 1 : 0);
  enableLabeledCtrl(page, kDomain, (uses & kUsesDomain) ? 1 : 0);
  for (int id : {kUser, kPassword, kConfirm}) enableLabeledCtrl(page, id, (uses & kUsesAccount) ? 1 : 0);
}

void showType(WindowHandle page, int type) {
  DdnsServerEntry entry{};
  if (g.changed[type]) {
    entry = g.entry[type];
  } else {
    NetAdvConfig adv{};
    getNetAdvConfig(login(), &adv);
    entry = adv.ddns[type];
  }
  const unsigned uses = usesOf(type);
  const DdnsServerEntry none{};
  const DdnsServerEntry& server = (uses & kUsesServer) ? entry : none;
  const DdnsServerEntry& domain = (uses & kUsesDomain) ? entry : none;
  const DdnsServerEntry& account = (uses & kUsesAccount) ? entry : none;
  showField(page, kServer, server.server, sizeof server.server);
  showField(page, kDomain, domain.domain, sizeof domain.domain);
  showField(page, kUser, account.user, sizeof account.user);
  showField(page, kPassword, account.password, sizeof account.password);
  showField(page, kConfirm, account.password, sizeof account.password);
}

void fillTypes(WindowHandle page) {
  static const char* const kTypes[] = {"ddns_type_Dezudir", "ddns_type_DynDns", "ddns_type_peanuthull",
                                       "ddns_type_noip", "ddns_type_easyddns"};
  SendDlgItemMessage(page, kType, CB_DELETEALL, 0, 0);
  for (int type = 0; type < static_cast<int>(sizeof kTypes / sizeof kTypes[0]); ++type) {
    if (type == kNoIpType && GetSysInfoLanguage() == kLanguageWithoutNoIp) continue;
    const char* text = lookupText(kSection, kTypes[type]);
    if (text) SendDlgItemMessage(page, kType, CB_ADDSTRING, static_cast<WParam>(type), reinterpret_cast<LParam>(text));
  }
}

void init(WindowHandle page) {
  g = Cache{};
  NetAdvConfig adv{};
  getNetAdvConfig(login(), &adv);
  g.type = validType(adv.ddnsType);
  create(page, "button", "ddnsenable", kEnable);
  create(page, "combobox", "ddnstype", kType);
  create(page, "sledit", "ddnsip", kServer);
  create(page, "sledit", "domainname", kDomain);
  create(page, "sledit", "ddnsuser", kUser);
  create(page, "sledit", "ddnspwd", kPassword, -1, ES_PASSWORD);
  create(page, "sledit", "ddnsconfirm", kConfirm, -1, ES_PASSWORD);
  pageframe::createBottomButtons(page, kSection, "ddns_apply", "ddns_close", PAGE_ID_EXIT);
  getNetAdvConfig(login(), &adv);
  setChecked(page, kEnable, adv.ddnsEnabled != 0);
  fillTypes(page);
  selectComboValue(page, kType, g.type);
  limitText(page, kServer, kTextChars);
  limitText(page, kDomain, kTextChars);
  limitText(page, kUser, kUserChars);
  limitText(page, kPassword, kPasswordChars);
  limitText(page, kConfirm, kPasswordChars);
  showType(page, g.type);
  applyRule(page, g.type, adv.ddnsEnabled != 0);
}

// The screen's fields of the current type into `entry`.
int gatherEntry(WindowHandle page, DdnsServerEntry* entry) {
  const int type = g.type;
  if (type != 2 && type != kLastType) readField(page, kServer, entry->server, sizeof entry->server);
  if (type == 0) return 0;
  if (type != 2) readField(page, kDomain, entry->domain, sizeof entry->domain);
  readField(page, kUser, entry->user, sizeof entry->user);
  char password[kPasswordChars] = {}, confirm[kPasswordChars] = {};
  readField(page, kPassword, password, sizeof password);
  readField(page, kConfirm, confirm, sizeof confirm);
  if (fieldsDiffer(password, confirm, sizeof password)) return DEVICE_ERR_PASSWORD_MISMATCH;
  std::memcpy(entry->password, password, sizeof password);
  return 0;
}

int keep(WindowHandle page) {
  if (!isChecked(page, kEnable)) return 0;
  NetAdvConfig adv{};
  if (int rc = getNetAdvConfig(login(), &adv)) return rc;
  DdnsServerEntry entry = g.changed[g.type] ? g.entry[g.type] : adv.ddns[g.type];
  if (int rc = gatherEntry(page, &entry)) return rc;
  g.changed[g.type] = true;
  g.entry[g.type] = entry;
  return 0;
}

int save(WindowHandle page) {
  NetAdvConfig adv{};
  if (int rc = getNetAdvConfig(login(), &adv)) return rc;
  const bool enabled = isChecked(page, kEnable);
  adv.ddnsEnabled = enabled ? 1 : 0;
  for (int type = 0; type < DDNS_TYPES; ++type)
    if (g.changed[type]) adv.ddns[type] = g.entry[type];
  if (enabled) {
    adv.ddnsType = static_cast<uint8_t>(g.type);
    // The screen wins over the cache for the type shown: a cached entry of
    // that type is older than the edits on screen.
    if (int rc = gatherEntry(page, &adv.ddns[g.type])) return rc;
  }
  int rc = setNetAdvConfig(login(), &adv, 1);
  if (rc == 0) rc = applyNetConfig(login());
  if (rc == 0) {
    const int type = g.type;
    g = Cache{};
    g.type = type;
  }
  return rc;
}

void report(WindowHandle page, int code) {
  if (code == DEVICE_ERR_PASSWORD_MISMATCH) {
    SetDlgItemText(page, kPassword, "");
    SetDlgItemText(page, kConfirm, "");
  }
  reportCode(page, kErrors, kErrorCount, code);
}

void changeType(WindowHandle page) {
  const int chosen = comboValue(page, kType);
  if (chosen == g.type) return;
  const int rc = keep(page);
  if (rc != 0 || chosen < 0 || chosen >= DDNS_TYPES) {
    if (rc != 0) report(page, rc);
    selectComboValue(page, kType, g.type);
  } else {
    g.type = chosen;
    applyRule(page, g.type, true);
    showType(page, g.type);
  }
  enableApply(page, 0, 0);
}

void command(WindowHandle page, int id, int code) {
  if (id == kEnable) {
    applyRule(page, g.type, isChecked(page, kEnable));
    enableApply(page, 0, 0);
  } else if (id == kType) {
    if (code == CBN_SELCHANGE) changeType(page);
  } else if (id >= kServer && id <= kConfirm && code == EN_UPDATE) {
    enableApply(page, 0, 0);
  }
}

}  // namespace

LResult ddnsPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
