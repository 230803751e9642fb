// The network disk dialogs: adding a NAS or IP SAN disk in a free slot, and
// the properties of a network disk (address, directory and, where the device
// keeps them, attribute and group).
#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/record/storage/storage_internal.h"
#include "app/storage_pages.h"
#include "app/disk_texts.h"
#include "gui/dialog.h"
#include "gui/text_entry.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/control_paint.h"
#include "gui/dc.h"
#include "gui/edit.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

namespace attrs = storage::attrs;

constexpr const char* kAddSection = "disk_nethdadd";
constexpr const char* kSetSection = "disk_nethdset";
constexpr int kAddSlot = 19760, kAddType = 19761, kAddIp = 19762, kAddDir = 19763, kSearch = 19764, kTargets = 19765;
constexpr int kSetNo = 20016, kSetType = 20017, kSetIp = 20018, kSetDir = 20019;
constexpr int kSlotsOffered = 8;
constexpr int kIpSan = 5, kNas = 4;
constexpr uint16_t kIscsiPort = 3260;
constexpr int kDirSize = 128;

constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr uint32_t kComboStyle = WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST;
constexpr uint32_t kIpStyle = WS_CHILD | WS_VISIBLE | IPS_PAGEADDRESS;
constexpr uint32_t kEditStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kListStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_TREE | LVS_NOTIFY_ON_RELEASE;
constexpr uint32_t kSingleEx = EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kFirstEx = EDIT_CORNER_TOPRIGHT, kLastEx = EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kListEx = EDIT_CORNER_TOPLEFT | EDIT_CORNER_BOTTOMLEFT | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT;
constexpr uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;

constexpr ValueKeyRow kErrors[] = {
    {"NethdIpErr", NET_DISK_ERR_ADDRESS}, {"NethdDirErr", NET_DISK_ERR_DIRECTORY},
    {"NethdExistErr", NET_DISK_ERR_EXISTS}, {"NethdIscsiErr", NET_DISK_ERR_ISCSI},
    {"NethdAddFail", -1}, {"NethdNoSupport", -2},
};
constexpr ValueKeyRow kTypes[] = {{"NAS", kNas}, {"IP SAN", kIpSan}};

struct AddState {
  bool added = false;
};
AddState g_add;
int g_setIndex = -1;

void showNetError(WindowHandle dlg, int code) {
  showMsgBoxValueName(dlg, kAddSection, kErrors, 6, code, code == -1 ? MSGBOX_ERROR : MSGBOX_INFO);
}

// The address field's text as the entry's address; "..." of an empty field
// is 0.0.0.0. False for a text that is no address.
bool parseAddress(const char* text, uint32_t* ip) {
  const char* dotted = std::strcmp(text, "...") == 0 || text[0] == '\0' ? "0.0.0.0" : text;
  in_addr addr{};
  if (inet_pton(AF_INET, dotted, &addr) != 1) return false;
  std::memcpy(ip, &addr, sizeof *ip);
  return true;
}

void addressText(uint32_t ip, char* out, int size) {
  uint8_t bytes[4];
  std::memcpy(bytes, &ip, sizeof bytes);
  formatIpAddr(bytes, out, size);
}

void getText(WindowHandle dlg, int id, char* out, int size) {
  out[0] = '\0';
  SendDlgItemMessage(dlg, id, MSG_GETTEXT, static_cast<WParam>(size), reinterpret_cast<LParam>(out));
  out[size - 1] = '\0';
}

void createBottom(WindowHandle dlg, const char* section, bool apply) {
  const int y = pageframe::bottomRow(dlg);
  if (apply)
    pageframe::createFromKey(dlg, section, {"button", "apply", kButtonStyle | WS_DISABLED, 0, PAGE_ID_APPLY, false}, y);
  pageframe::createFromKey(dlg, section, {"button", "ok", kButtonStyle, 0, PAGE_ID_OK, false}, y);
  const WindowHandle cancel =
      pageframe::createFromKey(dlg, section, {"button", "cancel", kButtonStyle, 0, IDCANCEL, false}, y);
  if (storage::isWindow(cancel)) SetFocusChild(cancel);
}

// --- Add ---

void targetNotify(WindowHandle list, int, int code, LParam) {
  if (code != SVN_CLICKED && code != SVN_SELCHANGED) return;
  const auto row = SendMessage(list, LVM_GETSELECTEDITEM, 0, 0);
  if (!row) return;
  char text[kDirSize + 1] = "";
  ListViewSubItemInfo cell{};
  cell.column = 1;
  cell.text = text;
  cell.bufferSize = sizeof text;
  SendMessage(list, LVM_GETSUBITEMTEXT, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  storage::setText(GetParent(list), kAddDir, text);
}

void fillSlots(WindowHandle dlg) {
  const int used = getNetDiskSlotMask();
  const char* name = storage::caption(kAddSection, "nethdno");
  for (int s = 0; s < kSlotsOffered; ++s) {
    if (used & (1 << s)) continue;
    char text[80];
    std::snprintf(text, sizeof text, "%s %d", name, s + 1);
    SendDlgItemMessage(dlg, kAddSlot, CB_ADDSTRING, static_cast<WParam>(s), reinterpret_cast<LParam>(text));
  }
  SendDlgItemMessage(dlg, kAddSlot, CB_SETCURSEL, 0, 0);
}

void initAdd(WindowHandle dlg) {
  g_add.added = false;
  const pageframe::Control controls[] = {
      {"combobox", "nethdno", kComboStyle, kSingleEx, kAddSlot, true},
      {"combobox", "nethdtype", kComboStyle, kFirstEx, kAddType, true},
      {"ipedit", "nethdip", kIpStyle, 0, kAddIp, true},
      {"sledit", "nethddir", kEditStyle, kLastEx, kAddDir, true},
      {"ListView", "iscsi_listv", kListStyle, kListEx, kTargets, false},
  };
  pageframe::createControls(dlg, kAddSection, controls, 5);
  pageframe::createFromKey(dlg, kAddSection, {"button", "nethdsearch", kButtonStyle, 0, kSearch, false},
                           pageframe::bottomRow(dlg));
  SendDlgItemMessage(dlg, kAddDir, EM_LIMITTEXT, kDirSize, 0);
  const ListColumnDesc columns[] = {{"iscsi_list_no", 0, nullptr}, {"iscsi_list_dirct", 0, nullptr}};
  addListViewColumns(dlg, kTargets, kAddSection, columns, 2);
  SetNotificationCallback(GetDlgItem(dlg, kTargets), targetNotify);
  createBottom(dlg, kAddSection, false);
  fillSlots(dlg);
  addValueComboItems(dlg, kAddType, kTypes, 2, nullptr, 0);
  selectComboValue(dlg, kAddType, kNas);
  storage::setText(dlg, kAddIp, "");
  storage::setText(dlg, kAddDir, "");
  ShowWindow(GetDlgItem(dlg, kTargets), SW_HIDE);
}

void addDisk(WindowHandle dlg) {
  const int slot = comboValue(dlg, kAddSlot);
  // Only a slot the box offered: never an entry outside the table.
  if (slot < 0 || slot >= kSlotsOffered) return;
  NetDiskConfig config{};
  NetDiskEntry& e = config.entries[slot];
  e.type = static_cast<uint8_t>(comboValue(dlg, kAddType) == kIpSan ? kIpSan : kNas);
  if (e.type == kIpSan) e.port = kIscsiPort;
  char ip[256];
  getText(dlg, kAddIp, ip, sizeof ip);
  if (!parseAddress(ip, &e.ip)) return showNetError(dlg, NET_DISK_ERR_ADDRESS);
  getText(dlg, kAddDir, e.directory, sizeof e.directory);
  const int rc = addNetDisk(getLoginId(getCurOutput()), &config);
  if (rc != 0) return showNetError(dlg, rc);
  g_add.added = true;
  SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void enableOk(WindowHandle dlg) { SendDlgItemMessage(dlg, PAGE_ID_OK, MSG_ENABLE, 1, 0); }

void addCommand(WindowHandle dlg, int id, int code) {
  switch (id) {
    case kAddSlot:
      if (code == CBN_SELCHANGE) enableOk(dlg);
      return;
    case kAddType:
      if (code != CBN_SELCHANGE) return;
      ShowWindow(GetDlgItem(dlg, kTargets), SW_HIDE);
      enableOk(dlg);
      return;
    case kAddIp:
      if (code == IPN_UPDATE) enableOk(dlg);
      return;
    case kAddDir:
      if (code == EN_UPDATE) enableOk(dlg);
      return;
    case PAGE_ID_OK: addDisk(dlg); return;
    case IDCANCEL: SendMessage(dlg, MSG_CLOSE, 0, 0); return;
    default: return;  // the target search finds nothing
  }
}

void closeAdd(WindowHandle dlg) {
  if (g_add.added) storage::refreshHostTotals(dlg);
  EndDialog(dlg, 0);
}

const pageframe::DialogHooks kAddHooks{initAdd, pageframe::takesAll<addCommand>, nullptr, closeAdd};

// --- Properties ---

struct SetRow {
  DiskInfo row{};
  int slot = -1;
};

// The disk's row and network slot; slot -1 when it has none.
SetRow setRow() {
  SetRow r;
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = storage::readDisks(rows);
  if (g_setIndex < 0 || g_setIndex >= count) return r;
  r.row = rows[g_setIndex];
  const int slot = diskNumberOf(&r.row) - getLocalDiskNum();
  if (slot >= 0 && slot < NET_DISK_SLOTS) r.slot = slot;
  return r;
}

void initSet(WindowHandle dlg) {
  const bool withAttrs = netDisksHaveAttributes() != 0;
  const pageframe::Control controls[] = {
      {"static", "diskno", kLabelStyle, kSingleEx, kSetNo, true},
      {"static", "nethdtype", kLabelStyle, kFirstEx, kSetType, true},
      {"ipedit", "nethdip", kIpStyle, 0, kSetIp, true},
      {"sledit", "nethddir", kEditStyle, kLastEx, kSetDir, true},
  };
  pageframe::createControls(dlg, kSetSection, controls, 4);
  SendDlgItemMessage(dlg, kSetDir, EM_LIMITTEXT, kDirSize, 0);
  if (withAttrs) {
    attrs::create(dlg, kSetSection);
  } else {
    const CtrlResInfo* at = pageframe::record(kSetSection, "diskattr");
    pageframe::createFromKey(dlg, kSetSection, {"static", "capacity", kLabelStyle, kSingleEx, attrs::kCapacity, true},
                             at ? at->y : -1);
  }
  createBottom(dlg, kSetSection, true);
  const SetRow r = setRow();
  if (r.slot < 0) return;
  NetDiskConfig config{};
  getNetDiskConfig(getOutputLogin(getMainOutput()), &config, 0);
  const NetDiskEntry& e = config.entries[r.slot];
  char text[kDirSize + 1];
  std::snprintf(text, sizeof text, "%d", diskNumberOf(&r.row));
  storage::setText(dlg, kSetNo, text);
  formatValueName(kTypes, 2, e.type, text, sizeof text);
  storage::setText(dlg, kSetType, text);
  // No address shows the empty field: 0 would be refused by its first part.
  if (e.ip != 0) addressText(e.ip, text, sizeof text);
  storage::setText(dlg, kSetIp, e.ip != 0 ? text : "");
  std::memcpy(text, e.directory, kDirSize);
  text[kDirSize] = '\0';
  storage::setText(dlg, kSetDir, text);
  attrs::show(dlg, r.row);
  for (int id = attrs::kAttrLabel; id <= attrs::kGroupLabel; ++id) ShowWindow(GetDlgItem(dlg, id), withAttrs ? SW_SHOWNORMAL : SW_HIDE);
  for (int i = 0; i < attrs::kGroupCount; ++i)
    ShowWindow(GetDlgItem(dlg, attrs::kGroupFirst + i), withAttrs ? SW_SHOWNORMAL : SW_HIDE);
}

enum class NetSave { kSaved, kUnchanged, kRefused };

// Nothing to save when nothing changed or the disk has no slot; a refusal
// (a bad address or the device's answer) is shown.
NetSave saveNetDisk(WindowHandle dlg) {
  const SetRow r = setRow();
  if (r.slot < 0) return NetSave::kUnchanged;
  NetDiskConfig config{};
  getNetDiskConfig(getOutputLogin(getMainOutput()), &config, 0);
  NetDiskEntry& e = config.entries[r.slot];
  char ip[256], dir[kDirSize + 1];
  getText(dlg, kSetIp, ip, sizeof ip);
  getText(dlg, kSetDir, dir, sizeof dir);
  uint32_t address = 0;
  if (!parseAddress(ip, &address)) {
    showNetError(dlg, NET_DISK_ERR_ADDRESS);
    return NetSave::kRefused;
  }
  // Compared as addresses: the field and the record may spell one alike.
  if (address == e.ip && std::strncmp(dir, e.directory, kDirSize) == 0) return NetSave::kUnchanged;
  e.ip = address;
  std::memset(e.directory, 0, sizeof e.directory);
  std::memcpy(e.directory, dir, std::strlen(dir) < kDirSize ? std::strlen(dir) : kDirSize);
  const int rc = changeNetDisk(getLoginId(getMainOutput()), &config);
  if (rc == 0) return NetSave::kSaved;
  showNetError(dlg, rc);
  return NetSave::kRefused;
}

void saveSet(WindowHandle dlg, bool close) {
  int attrResult = 0;
  if (netDisksHaveAttributes()) {
    attrResult = saveDiskAttrAndGroup(dlg, g_setIndex);
    if (attrResult == -2) return;
    if (attrResult != 0) showMsgBox(dlg, "disk_localhdset", "redunderror", MSGBOX_INFO);
  }
  const NetSave net = saveNetDisk(dlg);
  const bool attrFailed = !netDisksHaveAttributes() || attrResult != 0;
  if (!(attrFailed && net != NetSave::kSaved)) storage::refreshHostTotals(dlg);
  // A refused change keeps the dialog open with the typed values and Apply.
  if (net == NetSave::kRefused) return;
  SendDlgItemMessage(dlg, PAGE_ID_APPLY, MSG_ENABLE, 0, 0);
  if (close) SendMessage(dlg, MSG_CLOSE, 0, 0);
}

void setCommand(WindowHandle dlg, int id, int code) {
  if (netDisksHaveAttributes() && attrs::click(dlg, id)) return;
  switch (id) {
    case kSetIp:
    case kSetDir:
      if ((id == kSetIp && code == IPN_UPDATE) || (id == kSetDir && code == EN_UPDATE)) {
        enableOk(dlg);
        enableApply(dlg, 0, 0);
      }
      return;
    case PAGE_ID_OK: saveSet(dlg, true); return;
    case PAGE_ID_APPLY: saveSet(dlg, false); return;
    case IDCANCEL:
      storage::refreshHostTotals(dlg);
      SendMessage(dlg, MSG_CLOSE, 0, 0);
      return;
    default: return;
  }
}

void eraseSet(WindowHandle dlg, WParam hdc, LParam rect) {
  attrs::paintDialog(dlg, kSetSection, hdc, rect, netDisksHaveAttributes() != 0);
}

const pageframe::DialogHooks kSetHooks{initSet, pageframe::takesAll<setCommand>, eraseSet};

}  // namespace

extern "C" {

int showNetHdAddDialog(WindowHandle parent, int) {
  return pageframe::runDialog(pageframe::dialogTemplate(kAddSection, "win_nethdadd", getCurOutput()), parent,
                              pageframe::dialogProc<kAddHooks>);
}

int showNetHdSetDialog(WindowHandle parent, int diskIndex) {
  g_setIndex = diskIndex;
  return pageframe::runDialog(pageframe::dialogTemplate(kSetSection, "win_nethdset", getMainOutput()), parent,
                              pageframe::dialogProc<kSetHooks>);
}

}  // extern "C"
