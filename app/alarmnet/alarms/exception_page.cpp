// The exception page beside the system menu: what each exception type sets
// off (warning sound, alarm centre, e-mail, alarm outputs), one type at a
// time or every type at once.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/window.h"
#include "gui/message.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace alarms {
namespace {

constexpr const char* kExSection = "exceptionset";
constexpr int kType = 20464, kAudio = 20465, kUpload = 20466, kEmail = 20467, kAlarmOut = 20468, kList = 20469;
constexpr int kAllTypes = 255, kNetBroken = 3, kIpConflict = 4, kViException = 6, kViDismatch = 7, kRecError = 13;
constexpr int kTypeCount = 9;

const ValueKeyRow kTypes[kTypeCount] = {{"typeall", kAllTypes}, {"hdfull", 1},        {"hderror", 2},
                                        {"netbroken", 3},        {"ipconflict", 4},   {"illegalaccess", 5},
                                        {"viexception", 6},      {"vidismatch", 7},   {"recerror", kRecError}};
// The check boxes and the action bit each sets.
const struct {
  int id;
  uint32_t bit;
} kBoxes[4] = {{kAudio, LINK_AUDIO}, {kUpload, LINK_CENTER}, {kEmail, LINK_EMAIL}, {kAlarmOut, LINK_ALARM_OUT}};

struct State {
  ExceptionLinkageTable table;
  int current;
};
State g{};

EventLinkage& entryOf(int type) { return g.table.entries[type - 1]; }

bool offered(int value) {
  if (isDeviceVariant()) return value == 2 || value == 3 || value == 5;
  if (value == kViException) return getAnalogChanNum() > 0;
  if (value == kViDismatch) return hasCvbsOutput() && getAnalogChanNum() > 0;
  return true;
}

void fillTypes(WindowHandle page) {
  SendDlgItemMessage(page, kType, CB_DELETEALL, 0, 0);
  for (const ValueKeyRow& row : kTypes) {
    if (!offered(row.value)) continue;
    const char* key = row.value == kRecError && !hasCaptureSchedule() ? "recerror_nopic" : row.key;
    const char* text = lookupText(kExSection, key);
    if (!text) continue;
    SendDlgItemMessage(page, kType, CB_ADDSTRING, static_cast<WParam>(row.value), reinterpret_cast<LParam>(text));
  }
}

void fillOutputs(WindowHandle page, const EventLinkage& link) {
  const WindowHandle list = GetDlgItem(page, kList);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const char* localText = lookupText(kExSection, "local");
  char seq[32], name[33];
  bool all = true;
  int rows = 0;
  for (int i = 0; i < localCount(Side::kOut); ++i) {
    AlarmOutConfig rec{};
    getAlarmOutConfig(getOutputLogin(getCurOutput()), 0, i, &rec, 1);
    copyName(name, rec.name);
    std::snprintf(seq, sizeof seq, "A->%d", i + 1);
    const char* cells[3] = {seq, name, localText ? localText : ""};
    HLVROW row = addAlarmRow(list, i, LVIF_CHECKBOX, cells, 3, true);
    const bool on = (link.localOutputs >> i) & 1u;
    if (row && on) SendMessage(list, LVM_SETCHECKED, 0, reinterpret_cast<LParam>(row));
    all = all && on;
    ++rows;
  }
  IpAlarmCamera cams[IP_ALARM_CAMERAS];
  const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
  for (int c = 0; c < n; ++c) {
    const int j = cams[c].position - 1;
    for (int k = 0; k < cams[c].outputs; ++k) {
      AlarmOutConfig rec{};
      getAlarmOutConfig(getOutputLogin(getCurOutput()), cams[c].position, k, &rec, 1);
      copyName(name, rec.name);
      std::snprintf(seq, sizeof seq, "D%d->%d", j + 1, k + 1);
      const char* cells[3] = {seq, name, cams[c].address};
      HLVROW row = addAlarmRow(list, cams[c].position * 256 + k, LVIF_CHECKBOX, cells, 3, true);
      const bool on = k < 8 && ((link.ipOutputs[j] >> k) & 1u);
      if (row && on) SendMessage(list, LVM_SETCHECKED, 0, reinterpret_cast<LParam>(row));
      all = all && on;
      ++rows;
    }
  }
  SendMessage(list, LVM_SETHEADCHECK, rows > 0 && all ? 1 : 0, 0);
}

void showEntry(WindowHandle page, const EventLinkage& link) {
  for (const auto& box : kBoxes) setChecked(page, box.id, (link.actions & box.bit) != 0);
  fillOutputs(page, link);
  ShowWindow(GetDlgItem(page, kList), isChecked(page, kAlarmOut) ? SW_SHOWNORMAL : SW_HIDE);
}

// The boxes and the checked rows as one linkage; outputs only while
// "alarmout" is checked.
EventLinkage readBoxes(WindowHandle page) {
  EventLinkage link{};
  for (const auto& box : kBoxes)
    if (isChecked(page, box.id)) link.actions |= box.bit;
  if (!isChecked(page, kAlarmOut)) return link;
  const WindowHandle list = GetDlgItem(page, kList);
  const int local = localCount(Side::kOut);
  int row = 0;
  for (int i = 0; i < local; ++i, ++row)
    if (SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(row), 0) == 1) link.localOutputs |= 1u << i;
  IpAlarmCamera cams[IP_ALARM_CAMERAS];
  const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
  for (int c = 0; c < n; ++c)
    for (int k = 0; k < cams[c].outputs; ++k, ++row)
      if (k < 8 && SendMessage(list, LVM_GETCHECKED, static_cast<WParam>(row), 0) == 1)
        link.ipOutputs[cams[c].position - 1] |= static_cast<uint8_t>(1u << k);
  return link;
}

void listNotified(WindowHandle list, int, int code, LParam data) {
  const WindowHandle page = GetParent(list);
  if (code >= LVN_ITEMCHECKED && code <= LVN_UNCHECKALL) {
    enableApply(page, 0, 0);
    return;
  }
  // The keys change checks without enabling Apply.
  if (code == LVN_KEYDOWN && data)
    toggleListKeys(page, list, static_cast<int>(reinterpret_cast<const ListViewKeyInfo*>(data)->scanCode));
}

void init(WindowHandle page) {
  std::memset(&g.table, 0, sizeof g.table);
  getExceptionConfig(getOutputLogin(getCurOutput()), &g.table);
  g.current = isDeviceVariant() ? 2 : 1;
  constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
  constexpr uint32_t kCheck = WS_CHILD | WS_VISIBLE | BS_FRAMED | BS_AUTOCHECKBOX;
  const pageframe::Control controls[] = {
      {"combobox", "type", WS_CHILD | WS_VISIBLE | CBS_NOTIFY | CBS_DROPDOWNLIST, kPlaced | EDIT_CORNER_TOPRIGHT | EDIT_CORNER_BOTTOMRIGHT, kType, true},
      {"button", "audio", kCheck, kPlaced | EDIT_CORNER_TOPRIGHT, kAudio, true},
      {"button", "exupload", kCheck, kPlaced, kUpload, true},
      {"button", "email", kCheck, kPlaced, kEmail, true},
      {"button", "alarmout", kCheck, kPlaced | EDIT_CORNER_BOTTOMRIGHT, kAlarmOut, true},
      {"ListView", "outputlist", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_TREE, kPlaced, kList, false}};
  pageframe::createControls(page, kExSection, controls, 6);
  pageframe::createBottomButtons(page, kExSection, "base_apply", "base_close", PAGE_ID_EXIT);
  if (IsValidHandle(GetDlgItem(page, kList))) {
    static const ListColumnDesc kColumns[3] = {
        {"list_sequence", LVCF_CHECKBOX, nullptr}, {"list_alarmname", 0, nullptr}, {"list_ipaddr", 0, nullptr}};
    SetNotificationCallback(GetDlgItem(page, kList), listNotified);
    addListViewColumns(page, kList, kExSection, kColumns, 3);
  }
  fillTypes(page);
  selectComboValue(page, kType, g.current);
  showEntry(page, entryOf(g.current));
}

void typeChanged(WindowHandle page) {
  const int v = comboValue(page, kType);
  if (v != kAllTypes && (v < 1 || v > EXCEPTION_TYPES)) return;
  if (g.current != kAllTypes) entryOf(g.current) = readBoxes(page);
  g.current = v;
  enableLabeledCtrl(page, kUpload, v == kNetBroken || v == kIpConflict ? 0 : 1);
  if (v != kAllTypes)
    showEntry(page, entryOf(v));
  else
    enableApply(page, 0, 0);
}

void command(WindowHandle page, int id, int code) {
  if (id == kType && code == CBN_SELCHANGE) typeChanged(page);
  if (id == kAudio || id == kUpload || id == kEmail) enableApply(page, 0, 0);
  if (id == kAlarmOut) {
    ShowWindow(GetDlgItem(page, kList), isChecked(page, kAlarmOut) ? SW_SHOWNORMAL : SW_HIDE);
    enableApply(page, 0, 0);
  }
}

int save(WindowHandle page) {
  const EventLinkage link = readBoxes(page);
  const int v = comboValue(page, kType);
  if (v == kAllTypes) {
    for (const ValueKeyRow& row : kTypes)
      if (row.value != kAllTypes) entryOf(row.value) = link;
  } else if (v >= 1 && v <= EXCEPTION_TYPES) {
    entryOf(v) = link;
  }
  const int rc = setExceptionConfig(getOutputLogin(getCurOutput()), &g.table);
  if (rc != 0) return rc;
  return saveDeviceParams();
}

void report(WindowHandle page, int code) { reportSaveFailed(page, code); }

const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, save, report, closeSystemMenu};

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"base", pageProc, nullptr}};
const pageframe::PageWindow kWindow{kExSection, kPages, pageframe::kSystemSlot};

}  // namespace
}  // namespace alarms

extern "C" int createExceptionSetWindow(WindowHandle host) {
  return pageframe::openWindow<alarms::kWindow>(host);
}
