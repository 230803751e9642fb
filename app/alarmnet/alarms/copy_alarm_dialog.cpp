// The dialogs that choose the inputs (outputs) the one being edited is
// copied to: every local and IP item with a check box; the item being
// edited and the items of IP cameras that cannot be set are not offered.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/window.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace alarms {
namespace {

struct CopyDesc {
  Side side;
  const char* section;
  const char* listKey;
  int listId;
  ListColumnDesc columns[3];
};

const CopyDesc kIn{Side::kIn, "copyalarmin", "copy_alarmin_listv", 20282,
                   {{"copy_alarmin_listv_no", LVCF_CHECKBOX, nullptr}, {"copy_alarmin_listv_name", 0, nullptr},
                    {"copy_alarmin_listv_ipaddr", 0, nullptr}}};
const CopyDesc kOut{Side::kOut, "copyalarmout", "copy_alarmout_listv", 20283,
                    {{"copy_alarmout_listv_no", LVCF_CHECKBOX, nullptr}, {"copy_alarmout_listv_name", 0, nullptr},
                     {"copy_alarmout_listv_ipaddr", 0, nullptr}}};

constexpr uint32_t kRowCheck = LVIF_CHECKBOX, kRowRefused = LVIF_CHECKBOX | LVIF_DISABLE;

// The choice of the last dialog of each side; read by the page right after.
struct Choice {
  uint64_t mask;
  uint8_t bytes[IP_ALARM_CAMERAS];
  int source;
};
Choice g_choice[2];
const CopyDesc* g_open = nullptr;

Choice& choiceOf(Side side) { return g_choice[side == Side::kIn ? 0 : 1]; }

bool itemName(Side side, int group, int index, char (&name)[33]) {
  OutputLogin* login = getOutputLogin(getCurOutput());
  if (side == Side::kIn) {
    AlarmInConfig rec{};
    if (getAlarmInConfig(login, group, index, &rec, 1) != 0) return false;
    copyName(name, rec.name);
    return true;
  }
  AlarmOutConfig rec{};
  if (getAlarmOutConfig(login, group, index, &rec, 1) != 0) return false;
  copyName(name, rec.name);
  return true;
}

// The rows follow the order the checked-rows reader expects: every local
// item, then the items of each IP camera reporting alarms.
void fillList(WindowHandle list, const CopyDesc& d) {
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const int source = choiceOf(d.side).source;
  const char* localText = lookupText("commons", "local");
  char seq[32], name[33];
  for (int i = 0; i < localCount(d.side); ++i) {
    if (!itemName(d.side, 0, i, name)) continue;
    std::snprintf(seq, sizeof seq, localFormat(d.side), i + 1);
    const char* cells[3] = {seq, name, localText ? localText : ""};
    addAlarmRow(list, i, localValue(i) == source ? kRowRefused : kRowCheck, cells, 3, true);
  }
  IpAlarmCamera cams[IP_ALARM_CAMERAS];
  const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
  for (int c = 0; c < n; ++c) {
    if (!cams[c].hasInfo) continue;
    const bool valid = isChanValid(getAnalogChanNum() + cams[c].position, -1) != 0;
    for (int k = 0; k < countOf(cams[c], d.side); ++k) {
      if (!itemName(d.side, cams[c].position, k, name)) name[0] = '\0';
      std::snprintf(seq, sizeof seq, ipFormat(d.side), cams[c].position, k + 1);
      const char* cells[3] = {seq, name, cams[c].address};
      const int key = cams[c].position * 256 + k;
      addAlarmRow(list, key, key + 1 == source || !valid ? kRowRefused : kRowCheck, cells, 3, true);
    }
  }
}

void listNotified(WindowHandle list, int, int code, LParam data) {
  if (code != LVN_KEYDOWN || !data) return;
  const auto* key = reinterpret_cast<const ListViewKeyInfo*>(data);
  toggleListKeys(GetParent(list), list, static_cast<int>(key->scanCode));
}

void init(WindowHandle dlg, const CopyDesc& d) {
  Choice& c = choiceOf(d.side);
  c.mask = 0;
  std::memset(c.bytes, 0, sizeof c.bytes);
  constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
  const WindowHandle list = pageframe::createFromKey(
      dlg, d.section, {"ListView", d.listKey, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_TREE | LVS_ELLIPSIS, kPlaced, d.listId, false});
  const int y = pageframe::bottomRow(dlg);
  constexpr uint32_t kButton = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
  pageframe::createFromKey(dlg, d.section, {"button", "ok", kButton, kPlaced, PAGE_ID_OK, false}, y);
  const WindowHandle cancel = pageframe::createFromKey(dlg, d.section, {"button", "cancel", kButton, kPlaced, IDCANCEL, false}, y);
  if (IsValidHandle(list)) {
    SetNotificationCallback(list, listNotified);
    addListViewColumns(dlg, d.listId, d.section, d.columns, 3);
    fillList(list, d);
  }
  if (IsValidHandle(cancel)) SetFocusChild(cancel);
}

void store(WindowHandle dlg, const CopyDesc& d) {
  Choice& c = choiceOf(d.side);
  const WindowHandle list = GetDlgItem(dlg, d.listId);
  c.mask = 0;
  std::memset(c.bytes, 0, sizeof c.bytes);
  if (!IsValidHandle(list)) return;
  if (d.side == Side::kIn)
    getCheckedAlarmIns(list, &c.mask, c.bytes);
  else
    getCheckedAlarmOuts(list, &c.mask, c.bytes);
}

void initOpen(WindowHandle dlg) { init(dlg, *g_open); }

bool command(WindowHandle dlg, WParam wParam, LParam) {
  const CopyDesc& d = *g_open;
  if (pageframe::idOf(wParam) == PAGE_ID_OK) {
    store(dlg, d);
  } else if (pageframe::idOf(wParam) == IDCANCEL) {
    choiceOf(d.side).mask = 0;
    std::memset(choiceOf(d.side).bytes, 0, sizeof choiceOf(d.side).bytes);
  } else {
    return false;
  }
  SendMessage(dlg, MSG_CLOSE, 0, 0);
  return true;
}

const pageframe::DialogHooks kHooks{initOpen, command};

int show(const CopyDesc& d, WindowHandle parent, int value) {
  choiceOf(d.side).source = value;
  g_open = &d;
  return pageframe::runDialog(d.section, parent, pageframe::dialogProc<kHooks>);
}

void choice(Side side, uint64_t* mask, uint8_t* bytes) {
  const Choice& c = choiceOf(side);
  if (mask) *mask = c.mask;
  if (bytes) std::memcpy(bytes, c.bytes, sizeof c.bytes);
}

}  // namespace
}  // namespace alarms

extern "C" {

int showCopyAlarmInDialog(WindowHandle parent, int value) { return alarms::show(alarms::kIn, parent, value); }
int showCopyAlarmOutDialog(WindowHandle parent, int value) { return alarms::show(alarms::kOut, parent, value); }
void getCopyAlarmInChoice(uint64_t* mask, uint8_t* bytes) { alarms::choice(alarms::Side::kIn, mask, bytes); }
void getCopyAlarmOutChoice(uint64_t* mask, uint8_t* bytes) { alarms::choice(alarms::Side::kOut, mask, bytes); }

}  // extern "C"
