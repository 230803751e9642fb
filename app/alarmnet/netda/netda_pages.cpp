// The detect and statistics pages of the network detection window.
#include <cstdio>
#include <cstring>

#include "app/alarmnet/netda/netda_pages.h"
#include "app/alarmnet_pages.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_frame.h"
#include "app/page_building.h"
#include "app/usbdev.h"
#include "gui/display.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/dialog.h"
#include "gui/edit.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace netda {
namespace {

constexpr int kTitleTest = 21008, kNicSelect = 21009, kAddr = 21010, kTest = 21011, kTitleExport = 21012;
constexpr int kRefresh = 21014, kDetect = 21015, kNetSet = 21016, kDetectClose = 21017;
constexpr int kNicName = 21024, kNicIp = 21040, kNicTraffic = 21056, kExport = 21072;
constexpr int kStatList = 21104, kStatRefresh = 21105, kStatClose = 21106;
constexpr int kAddrLimit = 128;
constexpr int kCell = 128;

constexpr ListColumnDesc kStatColumns[] = {{"net_res_type", 0, nullptr}, {"net_res_bandw", 0, nullptr}};

int interfaceCount() {
  const int count = g_chart.count;
  return count < 0 ? 0 : count > kMaxInterfaces ? kMaxInterfaces : count;
}

void makeRow(WindowHandle page, int i) {
  const CtrlResInfo* name = pageframe::record(kSection, "nicname");
  const int shift = name ? i * name->h : 0;
  struct Cell {
    const char* cls;
    const char* key;
    int id;
  };
  static const Cell kCells[] = {{"static", "nicname", kNicName}, {"static", "nicipaddr", kNicIp},
                                {"static", "nictraffic", kNicTraffic}, {"button", "export", kExport}};
  for (const Cell& c : kCells) {
    const CtrlResInfo* r = pageframe::record(kSection, c.key);
    if (!r) continue;
    pageframe::createFromKey(page, kSection, {c.cls, c.key, WS_CHILD | WS_VISIBLE, WS_EX_PLACE_X | WS_EX_PLACE_W,
                                              c.id + i, false},
                             r->y + shift);
  }
}

void makeDetectControls(WindowHandle page) {
  const uint32_t combo = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_NOTIFY;
  const uint32_t placed = WS_EX_PLACE_X | WS_EX_PLACE_W;
  const pageframe::Control kControls[] = {
      {"static", "title_test", WS_CHILD | WS_VISIBLE, placed, kTitleTest, false},
      {"combobox", "nicselect", combo, placed, kNicSelect, true},
      {"sledit", "addr", WS_CHILD | WS_VISIBLE, placed, kAddr, true},
      {"button", "test", WS_CHILD | WS_VISIBLE, placed, kTest, false},
      {"static", "title_export", WS_CHILD | WS_VISIBLE, placed, kTitleExport, false},
      {"combobox", "device", combo, placed, USBDEV_ID_DEVICE, true},
      {"button", "refresh", WS_CHILD | WS_VISIBLE, placed, kRefresh, false}};
  pageframe::createControls(page, kSection, kControls, static_cast<int>(sizeof kControls / sizeof kControls[0]));
  SendDlgItemMessage(page, kAddr, EM_LIMITTEXT, kAddrLimit, 0);
  for (int i = 0; i < interfaceCount(); ++i) makeRow(page, i);
  bottomButton(page, "detect", kDetect);
  bottomButton(page, "netset", kNetSet);
  bottomButton(page, "detect_close", kDetectClose);
}

void refreshDetect(WindowHandle page) {
  SendDlgItemMessage(page, kNicSelect, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < interfaceCount(); ++i) {
    char name[sizeof g_chart.names[0] + 1] = "";
    std::snprintf(name, sizeof name, "%.*s", static_cast<int>(sizeof g_chart.names[i]), g_chart.names[i]);
    if (name[0] == '\0') std::snprintf(name, sizeof name, "eth%d", i);
    char shown[64] = "";
    convertNicName(2, name, shown, sizeof shown);
    SendDlgItemMessage(page, kNicSelect, CB_ADDSTRING, static_cast<WParam>(i), reinterpret_cast<LParam>(shown));
  }
  SendDlgItemMessage(page, kNicSelect, CB_SETCURSEL, 0, 0);
  const BOOL writable = usbdevIsCd() ? FALSE : TRUE;
  for (int i = 0; i < interfaceCount(); ++i) EnableWindow(GetDlgItem(page, kExport + i), writable);
}

void openSettings(WindowHandle page) {
  if (!checkUserRight(RIGHT_LOCAL_PARAM, -1)) {
    showNoPermission(page);
    return;
  }
  g_settingsOpened = true;
  const WindowHandle menu = getMaintenanceMenuWnd();
  EnableWindow(menu, FALSE);
  showNetDaNetSetDialog(page);
  EnableWindow(menu, TRUE);
  refreshDetect(page);
}

void detectCommand(WindowHandle page, int id, int) {
  switch (id) {
    case kRefresh: {
      SetCursor(GetSystemCursor(PAGE_CURSOR_BUSY));
      refreshDetect(page);
      SetCursor(GetSystemCursor(PAGE_CURSOR_NORMAL));
      break;
    }
    case kNetSet: openSettings(page); break;
    case kDetectClose: closeMaintenanceMenu(); break;
    default: break;
  }
}

}  // namespace

void initDetect(WindowHandle page) {
  g_settingsOpened = false;
  makeDetectControls(page);
  refreshDetect(page);
}

// The window's traffic timer reaches every page; only the traffic page
// draws by it.
void ignoreTimer(WindowHandle, int) {}

const pageframe::PageHooks kDetectHooks{initDetect, nullptr, detectCommand, nullptr, nullptr,
                                        nullptr,    nullptr, nullptr,       nullptr, ignoreTimer};

LResult detectProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kDetectHooks, page, message, wParam, lParam);
}

void refreshStats(WindowHandle page) {
  NetTestResult usage{};
  if (getNetTestResult(&usage) != 0) return;
  const WindowHandle list = GetDlgItem(page, kStatList);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  uint64_t mask = 0;
  StatRow rows[7];
  const int count = statRows(usage, getIpChannelNum(&mask), getBandwidthKind(), rows);
  for (int i = 0; i < count; ++i) {
    char cells[2 * kCell] = {};
    const char* text = lookupText(kSection, rows[i].key);
    std::snprintf(cells, kCell, "%s", text ? text : "");
    formatBitrate(cells + kCell, kCell, static_cast<int64_t>(rows[i].value));
    addListViewItems(list, i, 2, cells);
  }
}

void initStats(WindowHandle page) {
  pageframe::createFromKey(page, kSection, {"listview", "netstatlist", kListStyle, WS_EX_PLACE_MASK, kStatList, false});
  addListViewColumns(page, kStatList, kSection, kStatColumns, 2);
  bottomButton(page, "stat_refresh", kStatRefresh);
  bottomButton(page, "stat_close", kStatClose);
  refreshStats(page);
}

void statCommand(WindowHandle page, int id, int) {
  if (id == kStatRefresh) refreshStats(page);
  else if (id == kStatClose) closeMaintenanceMenu();
}

const pageframe::PageHooks kStatHooks{initStats, nullptr, statCommand, nullptr, nullptr,
                                      nullptr,   nullptr, nullptr,     nullptr, ignoreTimer};

LResult statProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  return pageframe::runPage(kStatHooks, page, message, wParam, lParam);
}

}  // namespace netda
