// The alarm window beside the system menu: a sheet with the status page and
// the input and output pages, the last two hidden when the recorder and its
// IP cameras have no input (no output). The status page lists the stored
// settings of every input and output.
#include <cstdio>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/alarmnet/alarms/alarm_pages.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/system_services.h"
#include "gui/button.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/control_paint.h"
#include "gui/display.h"
#include "gui/window_attr.h"

namespace alarms {
namespace {

constexpr int kInLabel = 20224, kOutLabel = 20226;
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_TREE;
constexpr uint32_t kPlaced = WS_EX_PLACE_X | WS_EX_PLACE_W;
constexpr int kInputPage = 1, kOutputPage = 2;

WindowHandle g_status = GUI_INVALID_HANDLE;

const ListColumnDesc kInColumns[4] = {
    {"list_sequence", 0, nullptr}, {"list_alarmname", 0, nullptr}, {"list_ipaddr", 0, nullptr}, {"list_alarmtype", 0, nullptr}};
const ListColumnDesc kOutColumns[4] = {
    {"list_sequence", 0, nullptr}, {"list_alarmname", 0, nullptr}, {"list_ipaddr", 0, nullptr}, {"list_delay", 0, nullptr}};

// Name and last cell of one stored item; false when the device gives none.
bool storedTexts(Side side, int group, int index, char (&name)[33], char (&last)[128]) {
  OutputLogin* login = getOutputLogin(getCurOutput());
  if (side == Side::kIn) {
    AlarmInConfig rec{};
    if (getAlarmInConfig(login, group, index, &rec, 1) != 0) return false;
    copyName(name, rec.name);
    formatValueText(kSection, kAlarmTypes, 2, rec.alarmType, last, sizeof last);
    return true;
  }
  AlarmOutConfig rec{};
  if (getAlarmOutConfig(login, group, index, &rec, 1) != 0) return false;
  copyName(name, rec.name);
  formatValueText("typecfg", kOutputDelays, 8, static_cast<int>(rec.delay), last, sizeof last);
  return true;
}

void fillList(WindowHandle list, Side side) {
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  const char* localText = lookupText(kSection, "local");
  char seq[32], name[33], last[128];
  for (int i = 0; i < localCount(side); ++i) {
    if (!storedTexts(side, 0, i, name, last)) continue;
    std::snprintf(seq, sizeof seq, localFormat(side), i + 1);
    const char* cells[4] = {seq, name, localText ? localText : "", last};
    addAlarmRow(list, i, 0, cells, 4, false);
  }
  IpAlarmCamera cams[IP_ALARM_CAMERAS];
  const int n = ipAlarmCameras(cams, IP_ALARM_CAMERAS);
  for (int c = 0; c < n; ++c) {
    if (!cams[c].hasInfo) continue;
    for (int k = 1; k <= countOf(cams[c], side); ++k) {
      if (!storedTexts(side, cams[c].position, k - 1, name, last)) continue;
      std::snprintf(seq, sizeof seq, ipFormat(side), cams[c].position, k);
      const char* cells[4] = {seq, name, cams[c].address, last};
      addAlarmRow(list, ipValue(cams[c].position, k) - 1, 0, cells, 4, false);
    }
  }
}

void ignoreNotification(WindowHandle, int, int, LParam) {}

WindowHandle makeList(WindowHandle page, const char* key, int id, const ListColumnDesc* columns) {
  const WindowHandle list = pageframe::createFromKey(page, kSection, {"ListView", key, kListStyle, kPlaced, id, false});
  if (!IsValidHandle(list)) return list;
  SetNotificationCallback(list, ignoreNotification);
  addListViewColumns(page, id, kSection, columns, 4);
  return list;
}

void initStatus(WindowHandle page) {
  g_status = page;
  makeList(page, "alarmoutput", kStatusOutList, kOutColumns);
  pageframe::createFromKey(page, kSection,
                           {"button", "close", WS_CHILD | WS_VISIBLE | BS_AUTOSIZE, kPlaced, PAGE_ID_EXIT, false},
                           pageframe::bottomRow(page));
  pageframe::createFromKey(page, kSection, {"static", "inputlist", WS_CHILD | WS_VISIBLE, kPlaced | WS_EX_TRANSPARENT, kInLabel, false});
  makeList(page, "alarminput", kStatusInList, kInColumns);
  pageframe::createFromKey(page, kSection, {"static", "outputlist", WS_CHILD | WS_VISIBLE, kPlaced | WS_EX_TRANSPARENT, kOutLabel, false});
  refillStatusList(Side::kIn);
  refillStatusList(Side::kOut);
}

void noCommand(WindowHandle, int, int) {}
int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

const pageframe::PageHooks kStatusHooks{initStatus, eraseBkgndGrey50, noCommand, noSave, noReport, closeSystemMenu};

const pageframe::SheetPage kPages[] = {
    {"status", statusPageProc, nullptr}, {"input", inputPageProc, nullptr}, {"output", outputPageProc, nullptr}};

bool windowMessage(WindowHandle, int message, WParam, LParam, LResult*) {
  if (message == MSG_CLOSE || message == MSG_DESTROY) {
    g_status = GUI_INVALID_HANDLE;
    resetInputPage();
    resetOutputPage();
  }
  return false;
}

void afterDefault(WindowHandle hwnd, int message, WParam, LParam) {
  if (message != MSG_INITDIALOG) return;
  const WindowHandle sheet = GetDlgItem(hwnd, PAGE_ID_SHEET);
  if (IsValidHandle(sheet) && !hasAlarmIn()) SendMessage(sheet, PSM_ENABLEPAGE, kInputPage, 0);
  if (IsValidHandle(sheet) && !hasAlarmOut()) SendMessage(sheet, PSM_ENABLEPAGE, kOutputPage, 0);
}

const pageframe::PageWindow kWindow{kSection, kPages, pageframe::kSystemSlot, windowMessage, afterDefault};

}  // namespace

void refillStatusList(Side side) {
  if (!IsValidHandle(g_status)) return;
  const WindowHandle list = GetDlgItem(g_status, side == Side::kIn ? kStatusInList : kStatusOutList);
  if (IsValidHandle(list)) fillList(list, side);
}

LResult statusPageProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kStatusHooks, page, message, wParam, lParam);
}

}  // namespace alarms

extern "C" int createAlarmSetWindow(WindowHandle host) {
  return pageframe::openWindow<alarms::kWindow>(host);
}
