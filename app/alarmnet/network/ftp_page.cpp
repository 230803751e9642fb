// The FTP tab: the picture-upload servers and the directories pictures go
// into. Every server shown waits in a cache until Apply saves it.
#include <cstring>
#include <initializer_list>

#include "app/alarmnet/network/netset.h"
#include "app/control_services.h"
#include "app/device_caps.h"
#include "app/msgbox.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/edit.h"

namespace netset {
namespace {

enum : int {
  kServerNo = 20368, kEnable, kProtocol, kAddress, kPort, kUser, kPassword, kStructure, kFirst, kFirstName, kSecond,
  kSecondName
};
constexpr int kServers = 2;
constexpr int kAddressChars = 64, kUserChars = 32, kPasswordChars = 16, kDirNameChars = 64;
constexpr int kRoot = 0, kOneLevel = 1, kTwoLevels = 2;
constexpr int kDirNameSize = 65;

struct FtpState {
  int current;
  bool marked[kServers];
  FtpConfig slot[kServers];
  int structure[kServers], firstKind[kServers], secondKind[kServers];
  char firstName[kServers][sizeof(FtpConfig::firstName)];
  char secondName[kServers][sizeof(FtpConfig::secondName)];
};
FtpState g;

const CodeRow kErrors[] = {
    {-1, Reaction::CommonsBox, "savefailed", MSGBOX_ERROR, 0, 0},
    {NET_ERR_FTP_PORT, Reaction::Range, "ftpport", 1, 65535, kPort},
    {NET_ERR_FTP_SERVER, Reaction::Hint, "ftpserver", 0, 0, kAddress},
    {NET_ERR_FTP_FIRST_NAME, Reaction::NameHint, "fstdir_name", 0, 0, kFirstName},
    {NET_ERR_FTP_SECOND_NAME, Reaction::NameHint, "secdir_name", 0, 0, kSecondName},
    {NET_ERR_FTP_FIRST_EMPTY, Reaction::Hint, "fstdir_name", 0, 0, kFirstName},
    {NET_ERR_FTP_SECOND_EMPTY, Reaction::Hint, "secdir_name", 0, 0, kSecondName},
};
constexpr int kErrorCount = static_cast<int>(sizeof kErrors / sizeof kErrors[0]);

struct Row {
  const char* key;
  int value;
};

template <int N>
void fillRows(WindowHandle page, int id, const Row (&rows)[N], int count = N) {
  SendDlgItemMessage(page, id, CB_DELETEALL, 0, 0);
  for (int i = 0; i < count && i < N; ++i)
    if (const char* text = lookupText(kSection, rows[i].key))
      SendDlgItemMessage(page, id, CB_ADDSTRING, static_cast<WParam>(rows[i].value), reinterpret_cast<LParam>(text));
}

void fillStructures(WindowHandle page) {
  static const Row kRows[] = {{"use_rootdir", kRoot}, {"use_firstdir", kOneLevel}, {"use_seconddir", kTwoLevels}};
  fillRows(page, kStructure, kRows);
}

void enableRange(WindowHandle page, int first, int last, bool on) {
  for (int id = first; id <= last; ++id) enableLabeledCtrl(page, id, on ? 1 : 0);
}

void showFirstName(WindowHandle page) {
  const int s = g.current, kind = g.firstKind[s];
  if (kind == FTP_FIRST_CUSTOM) {
    showField(page, kFirstName, g.firstName[s], sizeof g.firstName[s]);
  } else {
    char name[kDirNameSize] = {};
    if (getFtpDirName(1, kind, name) != 0) name[0] = '\0';
    showField(page, kFirstName, name, sizeof name);
  }
  enableLabeledCtrl(page, kFirstName, kind == FTP_FIRST_CUSTOM);
}

void showSecondName(WindowHandle page) {
  const int s = g.current;
  const bool custom = g.secondKind[s] == FTP_SECOND_CUSTOM;
  if (custom) showField(page, kSecondName, g.secondName[s], sizeof g.secondName[s]);
  else SetDlgItemText(page, kSecondName, "");
  enableLabeledCtrl(page, kSecondName, custom);
}

void clearRow(WindowHandle page, int combo, int name) {
  SendDlgItemMessage(page, combo, CB_DELETEALL, 0, 0);
  enableLabeledCtrl(page, combo, 0);
  SetDlgItemText(page, name, "");
  enableLabeledCtrl(page, name, 0);
}

void layoutDirRows(WindowHandle page) {
  static const Row kFirstRows[] = {{"firstdir_name1", 1}, {"firstdir_name2", 2}, {"firstdir_name3", 3},
                                   {"firstdir_custom", FTP_FIRST_CUSTOM}};
  static const Row kSecondRows[] = {{"seconddir_name1", 1}, {"seconddir_name2", 2},
                                    {"seconddir_custom", FTP_SECOND_CUSTOM}};
  const int s = g.current, structure = g.structure[s];
  if (structure == kOneLevel || structure == kTwoLevels) {
    enableLabeledCtrl(page, kFirst, 1);
    fillRows(page, kFirst, kFirstRows);
    selectComboValue(page, kFirst, g.firstKind[s]);
    showFirstName(page);
  } else {
    clearRow(page, kFirst, kFirstName);
  }
  if (structure == kTwoLevels) {
    enableLabeledCtrl(page, kSecond, 1);
    fillRows(page, kSecond, kSecondRows);
    selectComboValue(page, kSecond, g.secondKind[s]);
    showSecondName(page);
  } else {
    clearRow(page, kSecond, kSecondName);
  }
}

// The record of server s, read once and then kept with what the tab
// remembers of its directories.
const FtpConfig& slotOf(int s) {
  if (g.marked[s]) return g.slot[s];
  FtpConfig& rec = g.slot[s];
  rec = FtpConfig{};
  getFtpConfig(login(), s + 1, &rec);
  g.marked[s] = true;
  std::memset(g.firstName[s], 0, sizeof g.firstName[s]);
  std::memset(g.secondName[s], 0, sizeof g.secondName[s]);
  g.structure[s] = static_cast<int>(rec.dirStructure);
  g.firstKind[s] = rec.dirStructure >= kOneLevel ? rec.firstKind : 1;
  g.secondKind[s] = rec.dirStructure == kTwoLevels ? rec.secondKind : 1;
  if (rec.dirStructure >= kOneLevel && rec.firstKind == FTP_FIRST_CUSTOM)
    std::memcpy(g.firstName[s], rec.firstName, sizeof rec.firstName);
  if (rec.dirStructure == kTwoLevels && rec.secondKind == FTP_SECOND_CUSTOM)
    std::memcpy(g.secondName[s], rec.secondName, sizeof rec.secondName);
  return rec;
}

void showServer(WindowHandle page, int s) {
  if (s < 0 || s >= kServers) return;
  g.current = s;
  const FtpConfig& rec = slotOf(s);
  enableRange(page, kProtocol, kSecondName, true);
  selectComboValue(page, kProtocol, rec.protocol);
  showField(page, kAddress, rec.server, sizeof rec.server);
  showNumber(page, kPort, rec.port);
  showField(page, kUser, rec.user, sizeof rec.user);
  showField(page, kPassword, rec.password, sizeof rec.password);
  fillStructures(page);
  selectComboValue(page, kStructure, g.structure[s]);
  layoutDirRows(page);
  setChecked(page, kEnable, rec.enabled != 0);
  if (!rec.enabled) enableRange(page, kProtocol, kSecondName, false);
}

void init(WindowHandle page) {
  g = FtpState{};
  create(page, "combobox", "ftp_no", kServerNo);
  create(page, "button", "ftp_enable", kEnable);
  create(page, "combobox", "ftp_protocol", kProtocol);
  create(page, "sledit", "ftpserver", kAddress);
  create(page, "sledit", "ftpport", kPort);
  create(page, "sledit", "ftpuser", kUser);
  create(page, "sledit", "ftppasswd", kPassword, -1, ES_PASSWORD);
  create(page, "combobox", "dirstruct", kStructure);
  create(page, "combobox", "firstdir", kFirst);
  create(page, "sledit", "fstdir_name", kFirstName);
  create(page, "combobox", "seconddir", kSecond);
  create(page, "sledit", "secdir_name", kSecondName);
  pageframe::createBottomButtons(page, kSection, "ftp_apply", "ftp_close", PAGE_ID_EXIT);
  limitText(page, kAddress, kAddressChars);
  limitText(page, kPort, kPortLimit);
  limitText(page, kUser, kUserChars);
  limitText(page, kPassword, kPasswordChars);
  limitText(page, kFirstName, kDirNameChars);
  limitText(page, kSecondName, kDirNameChars);
  static const Row kServerRows[] = {{"ftp_no_main", 0}, {"ftp_no_sec", 1}};
  fillRows(page, kServerNo, kServerRows, getFtpServerNum());
  selectComboValue(page, kServerNo, 0);
  static const Row kProtocols[] = {{"ftp_protocol_ftp", 1}, {"ftp_protocol_sftp", 2}};
  fillRows(page, kProtocol, kProtocols);
  showServer(page, 0);
}

// Custom names on screen go into their buffers before the rows change.
void keepCustomNames(WindowHandle page) {
  const int s = g.current;
  if (g.structure[s] != kRoot && g.firstKind[s] == FTP_FIRST_CUSTOM)
    readField(page, kFirstName, g.firstName[s], sizeof g.firstName[s]);
  if (g.structure[s] == kTwoLevels && g.secondKind[s] == FTP_SECOND_CUSTOM)
    readField(page, kSecondName, g.secondName[s], sizeof g.secondName[s]);
}

FtpConfig gatherRecord(WindowHandle page) {
  const int s = g.current;
  FtpConfig rec{};
  rec.enabled = isChecked(page, kEnable) ? 1 : 0;
  const int protocol = comboValue(page, kProtocol);
  rec.protocol = static_cast<uint8_t>(protocol > 0 ? protocol : 0);
  readField(page, kAddress, rec.server, sizeof rec.server);
  const long long port = readNumber(page, kPort);
  // Out of the record's range is out of the port range: the check refuses.
  rec.port = port < 0 || port > INT32_MAX ? -1 : static_cast<int32_t>(port);
  readField(page, kUser, rec.user, sizeof rec.user);
  readField(page, kPassword, rec.password, sizeof rec.password);
  const int structure = comboValue(page, kStructure);
  rec.dirStructure = static_cast<uint32_t>(structure > 0 ? structure : 0);
  if (rec.dirStructure == kOneLevel || rec.dirStructure == kTwoLevels) {
    const int kind = comboValue(page, kFirst);
    if (kind > 0) g.firstKind[s] = kind;
    rec.firstKind = static_cast<uint16_t>(g.firstKind[s]);
    if (g.firstKind[s] == FTP_FIRST_CUSTOM) {
      readField(page, kFirstName, g.firstName[s], sizeof g.firstName[s]);
      std::memcpy(rec.firstName, g.firstName[s], sizeof rec.firstName);
    }
  }
  if (rec.dirStructure == kTwoLevels) {
    const int kind = comboValue(page, kSecond);
    if (kind > 0) g.secondKind[s] = kind;
    rec.secondKind = static_cast<uint16_t>(g.secondKind[s]);
    if (g.secondKind[s] == FTP_SECOND_CUSTOM) {
      readField(page, kSecondName, g.secondName[s], sizeof g.secondName[s]);
      std::memcpy(rec.secondName, g.secondName[s], sizeof rec.secondName);
    }
  }
  return rec;
}

// An enabled server needs an address to upload to, whatever the device's
// own check accepts.
int checkServer(const FtpConfig& rec) { return rec.enabled && rec.server[0] == '\0' ? NET_ERR_FTP_SERVER : 0; }

int keep(WindowHandle page) {
  const FtpConfig rec = gatherRecord(page);
  int rc = checkServer(rec);
  if (rc == 0) rc = checkFtpConfig(login(), g.current + 1, &rec);
  if (rc == 0) {
    g.marked[g.current] = true;
    g.slot[g.current] = rec;
  }
  return rc;
}

// The server shown first, then every other server visited.
int save(WindowHandle page) {
  const FtpConfig rec = gatherRecord(page);
  if (int rc = checkServer(rec)) return rc;
  if (int rc = setFtpConfig(login(), g.current + 1, &rec, 1)) return rc;
  for (int s = 0; s < kServers; ++s)
    if (s != g.current && g.marked[s])
      if (int rc = setFtpConfig(login(), s + 1, &g.slot[s], 1)) return rc;
  if (int rc = applyNetConfig(login())) return rc;
  // The slots are read afresh when next shown.
  for (bool& marked : g.marked) marked = false;
  return 0;
}

void report(WindowHandle page, int code) { reportCode(page, kErrors, kErrorCount, code); }

void changeServer(WindowHandle page) {
  const int chosen = comboValue(page, kServerNo);
  if (chosen == g.current || chosen < 0 || chosen >= kServers) return;
  const int rc = keep(page);
  if (rc != 0) {
    selectComboValue(page, kServerNo, g.current);
    report(page, rc);
  } else {
    // Another server shown is no edit: Apply stays as the edits left it.
    showServer(page, chosen);
  }
}

void clickEnable(WindowHandle page) {
  const int s = g.current;
  if (!isChecked(page, kEnable)) {
    enableRange(page, kProtocol, kSecondName, false);
  } else {
    enableRange(page, kProtocol, kStructure, true);
    const int structure = g.structure[s];
    if (structure == kOneLevel || structure == kTwoLevels) {
      enableLabeledCtrl(page, kFirst, 1);
      enableLabeledCtrl(page, kFirstName, g.firstKind[s] == FTP_FIRST_CUSTOM);
    }
    if (structure == kTwoLevels) {
      enableLabeledCtrl(page, kSecond, 1);
      enableLabeledCtrl(page, kSecondName, g.secondKind[s] == FTP_SECOND_CUSTOM);
    }
  }
  enableApply(page, 0, 0);
}

void command(WindowHandle page, int id, int code) {
  const int s = g.current;
  if (id == kEnable) {
    clickEnable(page);
    return;
  }
  if (id == kAddress || id == kPort || id == kUser || id == kPassword || id == kFirstName || id == kSecondName) {
    if (code == EN_UPDATE) enableApply(page, 0, 0);
    return;
  }
  if (code != CBN_SELCHANGE) return;
  switch (id) {
    case kServerNo: changeServer(page); return;
    case kProtocol: showNumber(page, kPort, getFtpDefaultPort(comboValue(page, kProtocol))); break;
    case kStructure: {
      keepCustomNames(page);
      const int structure = comboValue(page, kStructure);
      if (structure >= kRoot && structure <= kTwoLevels) g.structure[s] = structure;
      layoutDirRows(page);
      break;
    }
    case kFirst: {
      if (g.firstKind[s] == FTP_FIRST_CUSTOM) readField(page, kFirstName, g.firstName[s], sizeof g.firstName[s]);
      const int kind = comboValue(page, kFirst);
      if (kind > 0) g.firstKind[s] = kind;
      showFirstName(page);
      break;
    }
    case kSecond: {
      if (g.secondKind[s] == FTP_SECOND_CUSTOM) readField(page, kSecondName, g.secondName[s], sizeof g.secondName[s]);
      const int kind = comboValue(page, kSecond);
      if (kind > 0) g.secondKind[s] = kind;
      showSecondName(page);
      break;
    }
    default: return;
  }
  enableApply(page, 0, 0);
}

}  // namespace

LResult ftpPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks = tabHooks(init, command, save, report);
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace netset
