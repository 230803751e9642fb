// The system information window: six read-only tabs of device identity,
// channel, record, alarm, network and disk state, each read from the
// device when its tab is made; the disk tab again when an operation ends.
#include <cstdio>
#include <cstring>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/maintenance_pages.h"
#include "app/page_colours.h"
#include "app/disk_texts.h"
#include "app/system/maintenance/maintenance.h"
#include "app/system/maintenance/sysinfo.h"
#include "gui/display.h"
#include "gui/dialog.h"
#include "gui/gal.h"
#include "gui/listview.h"
#include "gui/static.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

using sysinfo::kCell;
constexpr const char* kSection = "systeminfo";
constexpr uint32_t kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_TREE;
constexpr uint32_t kLabelStyle = WS_CHILD | WS_VISIBLE | SS_EDITFRAME;
constexpr int kDevName = 20736, kModel = 20737, kSerial = 20738, kMainVer = 20739, kEncodeVer = 20740;
constexpr int kChanList = 20752, kRecordList = 20768, kAlarmList = 20784, kNetList = 20800, kHddList = 20816;
constexpr int kHddTotal = 20817, kHddFree = 20818;
constexpr int kWorkModeAlone = 2;
constexpr int kStatusFormatting = 11;

constexpr ListColumnDesc kChanColumns[] = {{"channelno", 0, nullptr}, {"channelname", 0, nullptr},
                                           {"status", 0, nullptr},    {"motion", 0, nullptr},
                                           {"tampering", 0, nullptr}, {"videoloss", 0, nullptr},
                                           {"videoexception", 0, nullptr}};
constexpr ListColumnDesc kIpOnlyChanColumns[] = {{"channelno", 0, nullptr},       {"channelname", 0, nullptr},
                                                 {"status_no_vdexp", 0, nullptr}, {"motion", 0, nullptr},
                                                 {"tampering_no_vdexp", 0, nullptr}, {"videoloss", 0, nullptr}};
constexpr ListColumnDesc kRecordColumns[] = {
    {"channelno", 0, nullptr},  {"recordstatus", 0, nullptr}, {"streamtype", 0, nullptr},
    {"framerate", 0, nullptr},  {"bitrate", 0, nullptr},      {"resolution", 0, nullptr},
    {"recordtype", 0, nullptr}, {"compressparam", 0, nullptr}, {"redundancy", 0, nullptr}};
constexpr ListColumnDesc kAlarmColumns[] = {{"alarmsequence", 0, nullptr}, {"alarmdevice", 0, nullptr},
                                            {"alarmtype", 0, nullptr},     {"alarminoutstatus", 0, nullptr},
                                            {"trigrecordchan", 0, nullptr}};
constexpr ListColumnDesc kBondColumns[] = {{"nicno_1nic", 0, nullptr}, {"bond0", 0, nullptr}};
constexpr ListColumnDesc kOneNicColumns[] = {{"nicno_1nic", 0, nullptr}, {"netnic1_1nic", 0, nullptr}};
constexpr ListColumnDesc kTwoNicColumns[] = {{"nicno_2nic", 0, nullptr}, {"netnic1_nic", 0, nullptr},
                                             {"netnic2_nic", 0, nullptr}};
constexpr ListColumnDesc kDiskColumns[] = {{"listv_no", 0, nullptr},   {"listv_status", 0, nullptr},
                                           {"listv_size", 0, nullptr}, {"listv_free", 0, nullptr},
                                           {"listv_attr", 0, nullptr}, {"listv_type", 0, nullptr},
                                           {"listv_group", 0, nullptr}};

template <size_t N>
constexpr int countOf(const ListColumnDesc (&)[N]) {
  return static_cast<int>(N);
}

WindowHandle makeList(WindowHandle page, const char* key, int id, const ListColumnDesc* columns, int count) {
  const WindowHandle list =
      pageframe::createFromKey(page, kSection, {"listview", key, kListStyle, WS_EX_PLACE_MASK, id, false});
  addListViewColumns(page, id, kSection, columns, count);
  return list;
}

void closeButton(WindowHandle page, const char* key) { maintenance::bottomButton(page, kSection, key, PAGE_ID_EXIT); }

// A row whose cells are all in `sysPixel`.
void addRow(WindowHandle list, int index, int count, const char* cells, int sysPixel) {
  const HLVROW row = addListViewItems(list, index, count, cells);
  if (!row || sysPixel == page_colours::kText) return;
  for (int column = 0; column < count; ++column) {
    ListViewSubItemInfo info{};
    info.column = column;
    info.text = const_cast<char*>(cells + static_cast<size_t>(column) * kCell);
    info.textColor = SysPixelIndex[sysPixel];
    SendMessage(list, LVM_SETSUBITEM, reinterpret_cast<WParam>(row), reinterpret_cast<LParam>(&info));
  }
}

OutputLogin* login() { return getOutputLogin(getCurOutput()); }

// Each present channel (numbered from 1, as the device numbers them) in
// order: analog ones, then the IP channels of the mask, with the number
// shown ("A3", "D1").
template <typename Visit>
void forEachChannel(Visit visit) {
  const int analog = getAnalogChannelNum();
  char number[16];
  for (int n = 1; n <= analog; ++n) {
    std::snprintf(number, sizeof number, "A%d", n);
    visit(n, number, true);
  }
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  for (int ip = 1; ip <= 64 - analog && ip <= 64; ++ip) {
    if (!(mask >> (ip - 1) & 1u)) continue;
    std::snprintf(number, sizeof number, "D%d", ip);
    visit(analog + ip, number, false);
  }
}

void initDevice(WindowHandle page) {
  const struct {
    const char* key;
    int id;
  } kFields[] = {{"devname", kDevName}, {"model", kModel}, {"sequence", kSerial}, {"mainver", kMainVer},
                 {"encodever", kEncodeVer}};
  for (const auto& f : kFields)
    pageframe::createFromKey(page, kSection, {"static", f.key, kLabelStyle, WS_EX_PLACE_MASK, f.id, true});
  closeButton(page, "dev_close");
  DeviceInfo info{};
  getDeviceInfo(login(), &info);
  char text[kCell];
  std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof info.name), info.name);
  SetDlgItemText(page, kDevName, text);
  std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof info.model), info.model);
  SetDlgItemText(page, kModel, text);
  std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof info.serial), info.serial);
  SetDlgItemText(page, kSerial, text);
  formatVersionLong(info.mainVersion, info.mainBuildDate, text, sizeof text);
  SetDlgItemText(page, kMainVer, text);
  formatVersionShort(info.encoderVersion, info.encoderBuildDate, text, sizeof text);
  SetDlgItemText(page, kEncodeVer, text);
}

void initChannels(WindowHandle page) {
  const bool analog = getAnalogChannelNum() > 0;
  const WindowHandle list = analog ? makeList(page, "chanlist", kChanList, kChanColumns, countOf(kChanColumns))
                                   : makeList(page, "chanlist", kChanList, kIpOnlyChanColumns,
                                              countOf(kIpOnlyChanColumns));
  closeButton(page, "chan_close");
  const int columns = analog ? countOf(kChanColumns) : countOf(kIpOnlyChanColumns);
  int index = 0;
  forEachChannel([&](int channel, const char* number, bool isAnalog) {
    ChannelStatus s{};
    getChannelStatus(channel, &s);
    const bool on = s.enabled != 0;
    char cells[7 * kCell] = {};
    auto put = [&](int column, const char* text) { std::snprintf(cells + column * kCell, kCell, "%s", text); };
    put(0, number);
    std::snprintf(cells + kCell, kCell, "%.*s", static_cast<int>(sizeof s.name), s.name);
    put(2, sysinfo::caption(isAnalog ? (on ? "chanstatus_enable" : "chanstatus_disable")
                                     : (on ? "chanstatus_connect" : "chanstatus_disconnect")));
    put(3, sysinfo::caption(sysinfo::detectionKey(on, s.motionOn, s.motionAlarm)));
    put(4, sysinfo::caption(sysinfo::detectionKey(on, s.tamperOn, s.tamperAlarm)));
    put(5, sysinfo::caption(sysinfo::detectionKey(on, s.videoLossOn, s.videoLoss)));
    if (analog) put(6, sysinfo::caption(sysinfo::videoExceptionKey(on, s.videoException)));
    addRow(list, index++, columns, cells, on ? page_colours::kText : page_colours::kTextOff);
  });
}

void initRecords(WindowHandle page) {
  const WindowHandle list = makeList(page, "recordlist", kRecordList, kRecordColumns, countOf(kRecordColumns));
  closeButton(page, "record_close");
  int index = 0;
  forEachChannel([&](int channel, const char* number, bool) {
    ChannelStatus c{};
    getChannelStatus(channel, &c);
    RecordStatus r{};
    getRecordStatus(channel, &r);
    char cells[9 * kCell] = {};
    sysinfo::recordCells(number, r, cells);
    addRow(list, index++, countOf(kRecordColumns), cells, c.enabled ? page_colours::kText : page_colours::kTextOff);
  });
}

void initAlarms(WindowHandle page) {
  const WindowHandle list = makeList(page, "alarmlist", kAlarmList, kAlarmColumns, countOf(kAlarmColumns));
  closeButton(page, "alarm_close");
  int index = 0;
  char number[32];
  auto addIn = [&](int input) {
    AlarmInStatus s{};
    getAlarmInStatus(input, &s);
    char cells[5 * kCell] = {};
    sysinfo::alarmInCells(number, s, cells);
    addListViewItems(list, index++, 5, cells);
  };
  auto addOut = [&](int output) {
    AlarmOutStatus s{};
    getAlarmOutStatus(output, &s);
    char cells[5 * kCell] = {};
    sysinfo::alarmOutCells(number, s, cells);
    addListViewItems(list, index++, 5, cells);
  };
  for (int n = 1; n <= getAlarmInNum(); ++n) {
    std::snprintf(number, sizeof number, "A<-%d", n);
    addIn(n - 1);
  }
  for (int n = 1; n <= getAlarmOutNum(); ++n) {
    std::snprintf(number, sizeof number, "A->%d", n);
    addOut(n - 1);
  }
  uint64_t mask = 0;
  getIpChannelNum(&mask);
  for (int ip = 1; ip <= 64; ++ip) {
    int inputs = 0, outputs = 0;
    if (!(mask >> (ip - 1) & 1u) || getChannelAlarmFlags(ip, &inputs, &outputs) != 0) continue;
    for (int k = 1; k <= inputs && k <= 255; ++k) {
      std::snprintf(number, sizeof number, "D%d<-%d", ip, k);
      addIn(ip * 256 + k - 1);
    }
    for (int k = 1; k <= outputs && k <= 255; ++k) {
      std::snprintf(number, sizeof number, "D%d->%d", ip, k);
      addOut(ip * 256 + k - 1);
    }
  }
}

void initNetwork(WindowHandle page) {
  NetConfig net{};
  const bool bonded = hasMultiNic() && getNetConfig(login(), &net) == 0 && net.workMode != kWorkModeAlone;
  if (bonded) makeList(page, "netlist", kNetList, kBondColumns, countOf(kBondColumns));
  else if (getNicNum() < 2) makeList(page, "netlist", kNetList, kOneNicColumns, countOf(kOneNicColumns));
  else makeList(page, "netlist", kNetList, kTwoNicColumns, countOf(kTwoNicColumns));
  closeButton(page, "net_close");
}

void fillDisks(WindowHandle page) {
  const WindowHandle list = GetDlgItem(page, kHddList);
  SendMessage(list, LVM_DELALLITEM, 0, 0);
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i) {
    const DiskInfo& d = rows[i];
    char cells[7 * kCell] = {};
    char* c = cells;
    std::snprintf(c, kCell, "%d", diskNumberOf(&d));
    char status[kCell] = "";
    getDiskStatusText(status, sizeof status, static_cast<int>(d.status));
    if (d.status == kStatusFormatting)
      std::snprintf(c + kCell, kCell, "%.100s %02d%%", status, getDiskFormatProgress(d.bus, d.port));
    else
      std::snprintf(c + kCell, kCell, "%s", status);
    formatCapacity(c + 2 * kCell, kCell, d.capacity);
    formatCapacity(c + 3 * kCell, kCell, d.freeSpace);
    getDiskAttrText(c + 4 * kCell, kCell, d);
    getDiskTypeText(c + 5 * kCell, d, kCell);
    std::snprintf(c + 6 * kCell, kCell, "%u", static_cast<unsigned>(d.group));
    addListViewItems(list, i, 7, cells);
  }
  char text[kCell];
  formatCapacity(text, sizeof text, sumDiskTotalSpace());
  SetDlgItemText(page, kHddTotal, text);
  formatCapacity(text, sizeof text, sumDiskFreeSpace());
  SetDlgItemText(page, kHddFree, text);
}

WindowHandle g_diskPage = GUI_INVALID_HANDLE;

void initDisks(WindowHandle page) {
  makeList(page, "hddlist", kHddList, kDiskColumns, countOf(kDiskColumns));
  pageframe::createFromKey(page, kSection, {"static", "hddtotal", kLabelStyle, WS_EX_PLACE_MASK, kHddTotal, true});
  pageframe::createFromKey(page, kSection, {"static", "hddfree", kLabelStyle, WS_EX_PLACE_MASK, kHddFree, true});
  closeButton(page, "hdd_close");
  g_diskPage = page;
  fillDisks(page);
}

void erase(WindowHandle p, WParam w, LParam l) { eraseBkgndGrey50(p, w, l); }
void noCommand(WindowHandle, int, int) {}
int noSave(WindowHandle) { return 0; }
void noReport(WindowHandle, int) {}

template <void (*Init)(WindowHandle)>
LResult tabProc(WindowHandle page, int message, WParam wParam, LParam lParam) {
  static const pageframe::PageHooks kHooks{Init, erase, noCommand, noSave, noReport, closeMaintenanceMenu};
  return pageframe::runPage(kHooks, page, message, wParam, lParam);
}

const pageframe::SheetPage kTabs[] = {
    {"sysinfo", tabProc<initDevice>, nullptr},       {"chanstatus", tabProc<initChannels>, nullptr},
    {"recordstatus", tabProc<initRecords>, nullptr}, {"alarmstatus", tabProc<initAlarms>, nullptr},
    {"netstatus", tabProc<initNetwork>, nullptr},    {"hddstatus", tabProc<initDisks>, nullptr}};

bool windowMessage(WindowHandle, int message, WParam, LParam, LResult* answer) {
  switch (message) {
    case MSG_DISK_REFRESH:
      if (IsValidHandle(g_diskPage)) fillDisks(g_diskPage);
      *answer = 0;
      return true;
    case MSG_INITDIALOG: g_diskPage = GUI_INVALID_HANDLE; return false;
    case MSG_CLOSE:
      setCurPageWnd(GUI_INVALID_HANDLE);
      g_diskPage = GUI_INVALID_HANDLE;
      return false;
    case MSG_DESTROY: g_diskPage = GUI_INVALID_HANDLE; return false;
    default: return false;
  }
}

const pageframe::PageWindow kWindow{kSection, kTabs, pageframe::kMaintenanceSlot, windowMessage};

}  // namespace

extern "C" int createSystemInfoWindow(WindowHandle owner) {
  return pageframe::openWindow<kWindow>(owner);
}
