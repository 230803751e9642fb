// The sheet's rule page: what the event sets off, and which local and IP
// camera alarm outputs it triggers.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/events/handleset/handleset.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_building.h"
#include "app/page_colours.h"
#include "app/page_keys.h"
#include "gui/button.h"
#include "gui/control_paint.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace handleset {
namespace {

enum : int { kPopup = 21568, kAudio, kCenter, kEmail, kFtp = 21573, kTrigger, kList };
constexpr uint32_t kBoxStyle = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;
constexpr uint32_t kListStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_TREE;
constexpr int kCells = 3;
constexpr int kIpOutputsMax = 8;  // one byte of outputs per camera

struct ActionBox {
  const char* key;
  int id;
  uint32_t bit;
  uint32_t exStyle;
};
// In storing order; the snapshot box only where it is offered.
const ActionBox kBoxes[] = {{"popscreen", kPopup, LINK_POPUP, EDIT_CORNER_TOPRIGHT | EDIT_CORNER_TOPLEFT},
                            {"audioout", kAudio, LINK_AUDIO, 0},
                            {"uptocenter", kCenter, LINK_CENTER, 0},
                            {"sendemail", kEmail, LINK_EMAIL, 0},
                            {"snaptoftp", kFtp, LINK_FTP_SNAP, 0},
                            {"trigger", kTrigger, LINK_ALARM_OUT, EDIT_CORNER_BOTTOMRIGHT | EDIT_CORNER_BOTTOMLEFT}};

const ListColumnDesc kColumns[] = {{"list_sequence", LVCF_CHECKBOX, nullptr},
                                   {"list_alarmname", 0, nullptr},
                                   {"list_ipaddr", 0, nullptr}};

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

WindowHandle listOf(WindowHandle page) { return GetDlgItem(page, kList); }

void onListNotify(WindowHandle control, int, int code, LParam) {
  if (code == LVN_ITEMCHECKED || code == LVN_ITEMUNCHECKED || code == LVN_CHECKALL || code == LVN_UNCHECKALL)
    enableApply(GetParent(control), 0, 0);
}

void createControls(WindowHandle page) {
  const bool ftp = snapToFtpOffered(state().source);
  const CtrlResInfo* ftpRecord = pageframe::record(kSection, "snaptoftp");
  // Without the snapshot box the trigger box and the list take its place.
  const int lift = !ftp && ftpRecord ? ftpRecord->h : 0;
  for (const ActionBox& b : kBoxes) {
    if (b.id == kFtp && !ftp) continue;
    const CtrlResInfo* r = pageframe::record(kSection, b.key);
    if (!r) continue;
    const int y = b.id == kTrigger ? r->y - lift : r->y;
    pageframe::createFromKey(page, kSection, {"button", b.key, kBoxStyle, b.exStyle, b.id, false}, y);
  }
  if (const CtrlResInfo* r = pageframe::record(kSection, "alarmoutlist")) {
    const WindowHandle list = CreateWindowEx("ListView", "List View", kListStyle, 0, kList, r->x, r->y - lift, r->w,
                                             r->h + lift, page, 0);
    if (IsValidHandle(list)) {
      SetNotificationCallback(list, onListNotify);
      addListViewColumns(page, kList, kSection, kColumns, static_cast<int>(sizeof kColumns / sizeof kColumns[0]));
    }
  }
  createBottomButtons(page, "rule_ok", "rule_apply", "rule_cancel");
}

void addRow(WindowHandle list, int index, uintptr_t data, const char* const (&cells)[kCells], bool checked) {
  ListViewItemInfo item{};
  item.index = index;
  item.height = getOutputFontHeight(getCurOutput()) * 3 / 2;
  item.addData = data;
  item.flags = LVIF_CHECKBOX;
  const LResult added = SendMessage(list, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&item));
  if (added == 0 || added == -1) return;
  for (int column = 0; column < kCells; ++column) {
    ListViewSubItemInfo cell{};
    cell.column = column;
    cell.flags = column == 0 ? LVFLAG_CHECKBOX : 0;
    cell.text = const_cast<char*>(cells[column]);
    cell.textColor = SysPixelIndex[page_colours::kText];
    SendMessage(list, LVM_SETSUBITEM, static_cast<WParam>(added), reinterpret_cast<LParam>(&cell));
  }
  if (checked) SendMessage(list, LVM_SETCHECKED, 0, added);
}

// A device name fills its field without a terminator.
void nameOf(const char* field, size_t size, char* out, size_t outSize) {
  size_t n = 0;
  while (n < size && field[n]) ++n;
  std::snprintf(out, outSize, "%.*s", static_cast<int>(n), field);
}

int addLocalRows(WindowHandle list, const EventLinkage& linkage) {
  const char* local = lookupText("commons", "local");
  int rows = 0;
  const int outputs = getAlarmOutNum();
  for (int i = 0; i < outputs && i < 32; ++i) {
    AlarmOutConfig out{};
    if (getAlarmOutConfig(login(), 0, i, &out, 0) != 0) continue;
    char first[32], name[sizeof out.name + 1];
    std::snprintf(first, sizeof first, "A->%d", i + 1);
    nameOf(out.name, sizeof out.name, name, sizeof name);
    const char* const cells[kCells] = {first, name, local ? local : ""};
    addRow(list, rows++, static_cast<uintptr_t>(i), cells, (linkage.localOutputs >> i) & 1u);
  }
  return rows;
}

int addIpRows(WindowHandle list, const EventLinkage& linkage, int rows) {
  uint64_t present = 0;
  getIpChannelNum(&present);
  for (int j = 0; j < IP_ALARM_CAMERAS; ++j) {
    IpChannelInfo info{};
    int inputs = 0, outputs = 0;
    if (!((present >> j) & 1u) || getIpChannelInfo(j + 1, &info, 0) != 0 ||
        getChannelAlarmFlags(j + 1, &inputs, &outputs) != 0)
      continue;
    char address[65];
    nameOf(reinterpret_cast<const char*>(info.bytes), 64, address, sizeof address);
    for (int k = 0; k < outputs && k < kIpOutputsMax; ++k) {
      AlarmOutConfig out{};
      getAlarmOutConfig(login(), j + 1, k, &out, 0);
      char first[32], name[sizeof out.name + 1];
      std::snprintf(first, sizeof first, "D%d->%d", j + 1, k + 1);
      nameOf(out.name, sizeof out.name, name, sizeof name);
      const char* const cells[kCells] = {first, name, address};
      addRow(list, rows++, static_cast<uintptr_t>(j + 1) * 256 + static_cast<uintptr_t>(k), cells,
             (linkage.ipOutputs[j] >> k) & 1u);
    }
  }
  return rows;
}

bool allChecked(WindowHandle list) {
  const LResult count = SendMessage(list, LVM_GETITEMCOUNT, 0, 0);
  if (count <= 0) return false;
  for (LResult i = 0; i < count; ++i)
    if (SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(i), 0) != 1) return false;
  return true;
}

void fillList(WindowHandle page) {
  const WindowHandle list = listOf(page);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const int local = addLocalRows(list, state().linkage);
  addIpRows(list, state().linkage, local);
  SendMessage(list, LVM_SETHEADCHECK, allChecked(list) ? 1 : 0, 0);
}

void showList(WindowHandle page) {
  const WindowHandle list = listOf(page);
  if (IsValidHandle(list)) ShowWindow(list, isChecked(page, kTrigger) ? SW_SHOWNORMAL : SW_HIDE);
}

void init(WindowHandle page) {
  State& s = state();
  const EventLinkage* source = linkageOf(s.source);
  s.linkage = source ? *source : EventLinkage{};
  createControls(page);
  for (const ActionBox& b : kBoxes) setChecked(page, b.id, (s.linkage.actions & b.bit) != 0);
  fillList(page);
  showList(page);
}

// Every output row unchecked clears the outputs as well: keeping them would
// leave no way to clear a stored output.
void storeOutputs(WindowHandle page, EventLinkage* linkage) {
  const WindowHandle list = listOf(page);
  if (!IsValidHandle(list)) return;
  uint64_t mask = 0;
  // The helper writes one byte per IP slot the device can have.
  static_assert(IP_ALARM_CAMERAS >= IP_CHANNEL_BOUND, "a byte for every IP slot");
  uint8_t bytes[IP_ALARM_CAMERAS] = {};
  getCheckedAlarmOuts(list, &mask, bytes);
  const int local = getAlarmOutNum();
  for (int i = 0; i < local && i < 32; ++i) {
    if ((mask >> i) & 1u)
      linkage->localOutputs |= 1u << i;
    else
      linkage->localOutputs &= ~(1u << i);
  }
  uint64_t present = 0;
  getIpChannelNum(&present);
  for (int j = 0; j < IP_ALARM_CAMERAS; ++j) {
    int inputs = 0, outputs = 0;
    if (!((present >> j) & 1u) || getChannelAlarmFlags(j + 1, &inputs, &outputs) != 0 || outputs <= 0) continue;
    const bool cameraChecked = local + j < 64 && ((mask >> (local + j)) & 1u);
    linkage->ipOutputs[j] = cameraChecked ? bytes[j] : 0;
  }
}

int store(WindowHandle page) {
  State& s = state();
  const bool ftp = snapToFtpOffered(s.source);
  for (const ActionBox& b : kBoxes) {
    if (b.id == kFtp && !ftp) {
      // Where snapshots cannot be sent the bit cannot stay set.
      if (s.source == EVENT_SOURCE_ALARMIN || s.source == EVENT_SOURCE_MOTION) s.linkage.actions &= ~b.bit;
      continue;
    }
    if (isChecked(page, b.id))
      s.linkage.actions |= b.bit;
    else
      s.linkage.actions &= ~b.bit;
  }
  storeOutputs(page, &s.linkage);
  if (EventLinkage* target = linkageOf(s.source)) *target = s.linkage;
  return 0;
}

void toggleSelected(WindowHandle page) {
  const WindowHandle list = listOf(page);
  int index = -1;
  if (SendMessage(list, LVM_GETSELECTEDITEM, 0, reinterpret_cast<LParam>(&index)) == 0 || index < 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  if (SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(index), 0) == 1) {
    SendMessage(list, LVM_SETUNCHECKED, static_cast<WParam>(index), 0);
    SendMessage(list, LVM_SETHEADCHECK, 0, 0);
  } else {
    SendMessage(list, LVM_SETCHECKED, static_cast<WParam>(index), 0);
  }
}

void onKey(WindowHandle page, int key) {
  const WindowHandle list = listOf(page);
  if (!IsValidHandle(list) || GetFocusChild(page) != list) return;
  if (key == PANEL_KEY_CHECK) {
    toggleSelected(page);
  } else if (key == PANEL_KEY_CHECK_ALL) {
    SendMessage(list, LVM_TOGGLECHECKALL, 0, 0);
  } else {
    return;
  }
  enableApply(page, 0, 0);
}

void command(WindowHandle page, int id, int) {
  switch (id) {
    case kPopup: case kAudio: case kCenter: case kEmail: case kFtp: enableApply(page, 0, 0); break;
    case kTrigger: showList(page); enableApply(page, 0, 0); break;
    case PAGE_ID_OK: store(page); finishSheet(page); break;
    default: break;
  }
}

const pageframe::PageHooks kHooks{init, paintDialogBackground, command, store, nullptr, nullptr, closeSheet, onKey};

}  // namespace

LResult rulePageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

}  // namespace handleset
