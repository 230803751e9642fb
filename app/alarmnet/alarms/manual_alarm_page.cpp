// The manual alarm page beside the manual menu: every alarm output of the
// recorder and its IP cameras with its state, triggered or cleared one at a
// time or all at once.
#include <cstdio>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/scrolled.h"
#include "gui/window.h"
#include "gui/message.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace alarms {
namespace {

constexpr const char* kManSection = "manualalarm";
constexpr int kList = 17984, kSingle = 17985, kTriggerAll = 17986, kClearAll = 17987;
constexpr int kStateColumn = 3;
constexpr uint32_t kRowInvalid = LVIF_DISABLE;
const ValueKeyRow kStates[2] = {{"no", 0}, {"yes", 1}};

// State of output code c: bit c of the local mask, or bit c mod 32 of the
// camera's mask for an IP output.
int stateOf(int code) {
  if (code < 256) return code < 32 ? static_cast<int>((getLocalAlarmOutMask() >> code) & 1u) : 0;
  return (static_cast<uint32_t>(getIpAlarmOutMask(code / 256)) >> (code % 32)) & 1u;
}

void stateText(int state, char (&out)[64]) { formatValueText("commons", kStates, 2, state, out, sizeof out); }

void fillList(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kList);
  if (!IsValidHandle(list)) return;
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const char* localText = lookupText(kManSection, "local");
  char seq[32], name[33], state[64];
  const uint32_t local = getLocalAlarmOutMask();
  OutputLogin* login = getOutputLogin(getCurOutput());
  for (int i = 0; i < localCount(Side::kOut); ++i) {
    AlarmOutConfig rec{};
    getAlarmOutConfig(login, 0, i, &rec, 1);
    copyName(name, rec.name);
    std::snprintf(seq, sizeof seq, "A->%d", i + 1);
    stateText(static_cast<int>((local >> i) & 1u), state);
    const char* cells[4] = {seq, name, localText ? localText : "", state};
    addAlarmRow(list, i, 0, cells, 4, false);
  }
  IpAlarmCamera cams[IP_ALARM_CAMERAS];
  const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
  for (int c = 0; c < n; ++c) {
    const int j = cams[c].position;
    const uint32_t status = static_cast<uint32_t>(getIpAlarmOutMask(j));
    const bool valid = isChanValid(getAnalogChanNum() + j, -1) != 0;
    for (int k = 0; k < cams[c].outputs; ++k) {
      AlarmOutConfig rec{};
      getAlarmOutConfig(login, j, k, &rec, 1);
      copyName(name, rec.name);
      std::snprintf(seq, sizeof seq, "D%d->%d", j, k + 1);
      stateText(static_cast<int>((status >> k) & 1u), state);
      const char* cells[4] = {seq, name, cams[c].address, state};
      addAlarmRow(list, j * 256 + k, valid ? 0 : kRowInvalid, cells, 4, false);
    }
  }
}

void setButtonCaption(WindowHandle page, int state) {
  const char* text = lookupText(kManSection, state ? "clear_single" : "trigger");
  if (text) SetDlgItemText(page, kSingle, text);
}

// The button's caption and the selected row's state cell; -50 with no
// selected row (after the hint).
int showState(WindowHandle page, int state) {
  setButtonCaption(page, state);
  HLVROW row = nullptr;
  if (selectedRowKey(GetDlgItem(page, kList), &row) < 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return -50;
  }
  char text[64];
  stateText(state, text);
  setRowCell(GetDlgItem(page, kList), row, kStateColumn, text);
  return 0;
}

void single(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kList);
  const int code = selectedRowKey(list);
  if (code < 0) {
    showMsgBox(page, "commons", "itemselect", MSGBOX_INFO);
    return;
  }
  const int next = stateOf(code) ? 0 : 1;
  const int loginId = getLoginId(getCurOutput());
  if (code >= 256) {
    if (setIpAlarmOutState(loginId, code / 256, code % 256, next, 1) != 0) return;
  } else if (next) {
    triggerLocalAlarmOut(loginId, code);
  } else {
    clearLocalAlarmOut(loginId, code);
  }
  HLVROW row = nullptr;
  selectedRowKey(list, &row);
  showState(page, next);
  // The row itself, not its code taken as a position.
  SendMessage(list, LVM_SELECTITEM, 0, reinterpret_cast<LParam>(row));
}

void all(WindowHandle page, bool trigger) {
  // Only an explicit Yes acts: a missing question text must not.
  if (askMsgBox(page, kManSection, trigger ? "triggerall_hint" : "clearall_hint") != IDYES) return;
  const int loginId = getLoginId(getCurOutput());
  if (trigger)
    triggerAllAlarmOuts(loginId);
  else
    clearAllAlarmOuts(loginId);
  setButtonCaption(page, trigger ? 1 : 0);
  fillList(page);
}

void listNotified(WindowHandle list, int, int code, LParam) {
  if (code != SVN_SELCHANGED) return;
  const WindowHandle page = GetParent(list);
  const int key = selectedRowKey(list);
  if (key >= 0) showState(page, stateOf(key));
}

void init(WindowHandle page) {
  constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
  const WindowHandle list = pageframe::createFromKey(
      page, kManSection, {"ListView", "output", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_TREE, kPlaced, kList, false});
  const int y = pageframe::bottomRow(page);
  constexpr uint32_t kButton = WS_CHILD | WS_VISIBLE | BS_AUTOSIZE;
  const pageframe::Control buttons[] = {{"button", "trigger", kButton, kPlaced, kSingle, false},
                                        {"button", "triggerall", kButton, kPlaced, kTriggerAll, false},
                                        {"button", "clearall", kButton, kPlaced, kClearAll, false},
                                        {"button", "close", kButton, kPlaced, PAGE_ID_EXIT, false}};
  for (const auto& b : buttons) pageframe::createFromKey(page, kManSection, b, y);
  if (IsValidHandle(list)) {
    static const ListColumnDesc kColumns[4] = {{"list_sequence", 0, nullptr}, {"list_alarmname", 0, nullptr},
                                               {"list_ipaddr", 0, nullptr}, {"list_trigger", 0, nullptr}};
    SetNotificationCallback(list, listNotified);
    addListViewColumns(page, kList, kManSection, kColumns, 4);
  }
  fillList(page);
  // The state of output 0 on the button; no hint while nothing is selected.
  setButtonCaption(page, stateOf(0));
}

void command(WindowHandle page, int id, int) {
  if (id == kSingle) single(page);
  if (id == kTriggerAll) all(page, true);
  if (id == kClearAll) all(page, false);
}

int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

const pageframe::PageHooks kHooks{init, eraseBkgndGrey50, command, noSave, noReport, closeManualMenu};

LResult pageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kPages[] = {{"base", pageProc, nullptr}};
const pageframe::PageWindow kWindow{kManSection, kPages, pageframe::kManualSlot};

}  // namespace
}  // namespace alarms

extern "C" int createManualAlarmWindow(WindowHandle host) {
  return pageframe::openWindow<alarms::kWindow>(host);
}
