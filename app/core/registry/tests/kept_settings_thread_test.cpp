// Every page of the registry as a user applies it: one value changed by the
// host's mouse and keyboard, Apply clicked, and the file the device wrote
// loaded into a fresh device, which then holds every kept record byte for
// byte as before. Each page says what it changes, or why it keeps nothing:
// a page registered later without a line here fails.
#include <linux/input-event-codes.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <algorithm>
#include <functional>
#include <iterator>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/program.h"
#include "app/testing/fixed_address.h"
#include "app/testing/page_harness.h"
#include "core/input/tests/key_tap.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/propsheet.h"

namespace {

using livetest::PumpUntil;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every kept record by kind name and index, read from the image the
// parameter file would hold.
using Records = std::map<std::pair<std::string, uint32_t>, std::vector<uint8_t>>;
Records KeptRecords() {
  const std::vector<uint8_t> image = devsim::serializeSettings();
  constexpr size_t kHead = 16, kTrailer = 4;
  Records out;
  size_t at = kHead;
  const auto u32 = [&image](size_t from) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t{image[from + i]} << (8 * i);
    return v;
  };
  while (at + 1 < image.size() - kTrailer) {
    const size_t nameSize = image[at];
    const std::string name(image.begin() + static_cast<long>(at) + 1,
                           image.begin() + static_cast<long>(at + 1 + nameSize));
    at += 1 + nameSize;
    const uint32_t index = u32(at), size = u32(at + 4);
    at += 8;
    out[{name, index}].assign(image.begin() + static_cast<long>(at), image.begin() + static_cast<long>(at + size));
    at += size;
  }
  return out;
}

// The bytes of a record as the device answers `read` for it.
template <typename T, typename Read>
std::vector<uint8_t> Answered(Read read) {
  T record{};
  read(&record);
  const auto* p = reinterpret_cast<const uint8_t*>(&record);
  return std::vector<uint8_t>(p, p + sizeof record);
}

// What a fresh device answers for a record it does not keep: most kinds
// answer zeros, these their defaults.
std::vector<uint8_t> DefaultOf(const std::pair<std::string, uint32_t>& key, size_t size) {
  using Read = std::function<std::vector<uint8_t>(int index)>;
  static const std::map<std::string, Read> kDefaults = {
      {"NetConfig", [](int) { return Answered<NetConfig>([](NetConfig* r) { getNetConfig(nullptr, r); }); }},
      {"NetAdvConfig",
       [](int) { return Answered<NetAdvConfig>([](NetAdvConfig* r) { getNetAdvConfig(nullptr, r); }); }},
      {"SnmpConfig", [](int) { return Answered<SnmpConfig>([](SnmpConfig* r) { getSnmpConfig(nullptr, r); }); }},
      {"Rs232Config",
       [](int) { return Answered<Rs232Config>([](Rs232Config* r) { getRs232Config(nullptr, r); }); }},
      {"FtpConfig", [](int i) { return Answered<FtpConfig>([i](FtpConfig* r) { getFtpConfig(nullptr, i, r); }); }},
      {"DeviceConfig",
       [](int) { return Answered<DeviceConfig>([](DeviceConfig* r) { getDeviceConfig(nullptr, r); }); }},
      {"UserConfig", [](int) { return Answered<UserConfig>([](UserConfig* r) { getUserConfig(nullptr, r); }); }},
      {"StartGuide",
       [](int) { return Answered<uint32_t[2]>([](uint32_t(*r)[2]) { getStartGuideFlag(nullptr, *r); }); }},
      {"ChannelConfig",
       [](int i) { return Answered<ChannelConfig>([i](ChannelConfig* r) { getChannelConfig(nullptr, i, r); }); }},
      {"AlarmIn",
       [](int i) {
         return Answered<AlarmInConfig>([i](AlarmInConfig* r) { getAlarmInConfig(nullptr, i / 256, i % 256, r, 1); });
       }},
      {"PreviewConfig",
       [](int i) { return Answered<PreviewConfig>([i](PreviewConfig* r) { getPreviewConfig(nullptr, i, r); }); }},
      {"EncodeConfig",
       [](int i) { return Answered<EncodeConfig>([i](EncodeConfig* r) { getEncodeConfig(nullptr, i, r, 1); }); }},
      {"CaptureParams",
       [](int i) {
         return Answered<CaptureSettingPair>([i](CaptureSettingPair* r) { getCaptureParams(nullptr, i, r); });
       }},
      {"DiskRow",
       [](int i) {
         return Answered<DiskInfo>([i](DiskInfo* r) {
           DiskInfo rows[DISK_LIST_ROWS] = {};
           getDiskList(rows);
           *r = rows[i];
         });
       }},
  };
  auto it = kDefaults.find(key.first);
  return it != kDefaults.end() ? it->second(static_cast<int>(key.second)) : std::vector<uint8_t>(size);
}

// The records that differ between two sets, by kind and index. A record
// the device does not keep answers zeros for most kinds: one kept as zeros
// is no change.
std::set<std::pair<std::string, uint32_t>> Changed(const Records& before, const Records& after) {
  const auto zeros = [](const std::vector<uint8_t>& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
  };
  std::set<std::pair<std::string, uint32_t>> out;
  for (const auto& [key, bytes] : after) {
    auto it = before.find(key);
    if (it == before.end() ? !zeros(bytes) : it->second != bytes) out.insert(key);
  }
  for (const auto& [key, bytes] : before)
    if (!after.count(key) && !zeros(bytes)) out.insert(key);
  return out;
}

std::string Names(const std::set<std::pair<std::string, uint32_t>>& records) {
  std::string out;
  for (const auto& [kind, index] : records) out += kind + "[" + std::to_string(index) + "] ";
  return out;
}

std::string Text(WindowHandle page, int id) {
  char text[128] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A key pressed and released at once.
void Key(int code) {
  inputtest::TapKey(code);
}

// A user's click in the middle of a control.
void Click(WindowHandle page, int id) { livetest::ClickItem(page, id); }

// A user's click on a check box's mark, at its left end: a box's text may
// run under a control beside it.
void ClickMark(WindowHandle page, int id) {
  const WindowHandle box = GetDlgItem(page, id);
  Rect r{};
  GetWindowRect(box, &r);
  int x = r.left + (r.bottom - r.top) / 2, y = (r.top + r.bottom) / 2;
  ClientToScreen(page, &x, &y);
  livetest::ClickAt(x, y, [box] { return GetCapture() == box || (SendMessage(box, BM_GETSTATE, 0, 0) & BST_PUSHED); });
}

// A check box clicked: its state flips.
bool Tick(WindowHandle page, int id) {
  const bool was = Checked(page, id);
  ClickMark(page, id);
  return PumpUntil([&] { return Checked(page, id) != was; });
}

// A field of digits, dots and colons emptied from its end and typed into, as a
// user does.
bool Retype(WindowHandle page, int id, const std::string& digits) {
  Click(page, id);
  if (!PumpUntil([&] { return GetFocusChild(page) == GetDlgItem(page, id); })) return false;
  Key(KEY_END);
  for (size_t left = Text(page, id).size(); left > 0; --left) {
    Key(KEY_BACKSPACE);
    if (!livetest::PumpTyping([&] { return Text(page, id).size() < left; })) return false;
  }
  for (char c : digits) {
    const size_t typed = Text(page, id).size();
    livetest::TypeChar(c);
    if (!livetest::PumpTyping([&] { return Text(page, id).size() > typed; })) return false;
  }
  return Text(page, id) == digits;
}

// A drop-down box's next row (the one before, from its last) chosen by a
// click on the arrow and a click on the row.
bool NextValue(WindowHandle page, int id) {
  const int was = static_cast<int>(SendDlgItemMessage(page, id, CB_GETCURSEL, 0, 0));
  const int rows = static_cast<int>(SendDlgItemMessage(page, id, CB_GETCOUNT, 0, 0));
  if (rows < 2) return false;
  return livetest::ChooseByMouse(page, id, was + 1 < rows ? was + 1 : was - 1);
}

// A field of a kept record by the kind's name.
struct Field {
  std::string kind;
  size_t offset, size;
};
#define FIELD(Type, member, kind) \
  Field { kind, offsetof(Type, member), sizeof(static_cast<Type*>(nullptr)->member) }
// A whole record, every byte the user's.
Field Whole(const char* kind, size_t size) { return Field{kind, 0, size}; }

// What a case does on its page; false when a step did not take.
using Change = std::function<bool(WindowHandle page)>;

struct Case {
  int menu;
  const char* item;
  int tab;              // the sheet page changed, or -1 for a page without tabs
  Change change;        // null: the page keeps no setting (why beside it)
  // The fields of kept records the change may alter: every other byte
  // stays as it was.
  std::vector<Field> fields = {};
  int boxAnswer = IDOK;  // the answer to any question the Apply asks
  void (*prepare)() = nullptr;  // the device as the change needs it
  // The dialog the change goes through, by its layout section and the
  // record of its window when that is not "win_<section>"; a record the
  // dialog's choice must reach (a copy's target).
  const char* dialog = nullptr;
  const char* dialogKey = nullptr;
  std::pair<const char*, uint32_t> reaches = {nullptr, 0};
};

// Runs `steps` inside the modal loop that `click` opens (the fixture's).
std::function<bool(const std::function<void()>&, const std::function<bool()>&, const std::function<void()>&)>
    g_inLoopOpenedBy;

// Disks recorded by group, in which a local disk's properties may be set.
void GroupMode() { EXPECT_EQ(setStorageMode(0, 1), 0); }

// The interface on a fixed address, so that its DNS servers may be typed.
void FixedAddress() {
  const NetConfig net = livetest::FixedAddressConfig();
  EXPECT_EQ(setNetConfig(nullptr, &net, 1), 0);
}

// The captions of the dialogs the steps so far opened.
std::set<std::string> g_dialogsSeen;

// Where a dialog's buttons stand: on the active page of its sheet, if it
// has one.
WindowHandle ButtonsOf(WindowHandle dlg) {
  const WindowHandle sheet = GetDlgItem(dlg, PAGE_ID_SHEET);
  return IsValidHandle(sheet) ? static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0)) : dlg;
}

// A dialog opened by the click `open`, filled by `typing` once its `field`
// stands (in a window that was not active before: a page has a sheet
// too), and closed by OK.
bool FilledDialog(const std::function<void()>& open, int field, const std::function<bool(WindowHandle)>& typing) {
  bool typed = false;
  WindowHandle dlg = 0;
  const WindowHandle before = GetActiveWindow();
  const bool ran = g_inLoopOpenedBy(open,
                                    [&] {
                                      dlg = GetActiveWindow();
                                      return dlg != before && IsValidHandle(GetDlgItem(dlg, field));
                                    },
                                    [&] {
                                      const char* caption = GetWindowCaption(dlg);
                                      g_dialogsSeen.insert(caption ? caption : "");
                                      typed = typing(dlg);
                                      const WindowHandle buttons = ButtonsOf(dlg);
                                      Click(buttons, PAGE_ID_OK);
                                      // A refusal keeps the dialog: the user leaves it by Cancel.
                                      if (!PumpUntil([&] { return GetActiveWindow() != dlg; }, 100))
                                        Click(buttons, IDCANCEL);
                                    });
  return ran && typed && PumpUntil([&] { return GetActiveWindow() != dlg; });
}

// The tab `tab` of a dialog's sheet shown by a click, then `typing` on it.
std::function<bool(WindowHandle)> OnTab(int tab, const std::function<bool(WindowHandle)>& typing) {
  return [tab, typing](WindowHandle dlg) {
    const WindowHandle sheet = GetDlgItem(dlg, PAGE_ID_SHEET);
    if (!livetest::ClickTab(sheet, tab)) return false;
    return typing(static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(tab), 0)));
  };
}

// A step of a change: the dialog the page's button `button` opens, filled
// by `typing` once its `field` stands, and closed by OK.
Change ThroughDialog(int button, int field, std::function<bool(WindowHandle)> typing) {
  return [button, field, typing](WindowHandle page) {
    return FilledDialog([page, button] { Click(page, button); }, field, typing);
  };
}

// The copy dialog of the channel pages: every analog channel chosen by
// its "all" box.
Change CopiedToEveryChannel() {
  return ThroughDialog(PAGE_ID_COPY, CHANBOX_ALL_ANALOG, [](WindowHandle dlg) { return Tick(dlg, CHANBOX_ALL_ANALOG); });
}

// The copy dialog of the alarm pages: the list's second row ticked by a
// click on its check box.
Change CopiedToTheSecondRow(int list) {
  return ThroughDialog(PAGE_ID_COPY, list, [list](WindowHandle dlg) {
    livetest::ClickCell(GetDlgItem(dlg, list), 1, 0);
    return PumpUntil([] { return GetCapture() == 0; });
  });
}

// The network dialog of network detection: the preferred DNS server typed.
bool DetectedNetworkDns(WindowHandle page) {
  constexpr int kNetButton = 21016, kPreferredDns = 16455;
  return FilledDialog([page] { Click(page, kNetButton); }, kPreferredDns,
                      [](WindowHandle dlg) { return Retype(dlg, kPreferredDns, "8.8.4.4"); });
}

// A user added through the add dialog, which keeps the table at its OK
// (the page has no Apply).
bool AddedUser(WindowHandle page) {
  constexpr int kAddButton = 20481, kName = 20512, kPassword = 20513, kConfirm = 20514;
  return FilledDialog([page] { Click(page, kAddButton); }, kName, [](WindowHandle dlg) {
    return Retype(dlg, kName, "12") && Retype(dlg, kPassword, "5") && Retype(dlg, kConfirm, "5");
  });
}

// The second user's own dialogs, opened by the icons of its row: a new
// password in the modify dialog, the local log right on the rights
// dialog's first tab; each OK keeps the table.
constexpr int kUserList = 20480, kRightColumn = 4, kModifyColumn = 5;
bool ModifiedUser(WindowHandle page) {
  constexpr int kChange = 20578, kPassword = 20579, kConfirm = 20580;
  const WindowHandle list = GetDlgItem(page, kUserList);
  return FilledDialog([list] { livetest::ClickCell(list, 1, kModifyColumn); }, kChange, [](WindowHandle dlg) {
    return Tick(dlg, kChange) && Retype(dlg, kPassword, "6") && Retype(dlg, kConfirm, "6");
  });
}
bool RightedUser(WindowHandle page) {
  constexpr int kLocalLog = 20528;
  const WindowHandle list = GetDlgItem(page, kUserList);
  return FilledDialog([list] { livetest::ClickCell(list, 1, kRightColumn); }, PAGE_ID_SHEET,
                      OnTab(0, [](WindowHandle tab) { return Tick(tab, kLocalLog); }));
}

// The network disk the list shows second: its address typed in the
// properties dialog its settings cell opens; the dialog's OK keeps it.
bool ReaddressedNetDisk(WindowHandle page) {
  constexpr int kList = 19728, kSettingsColumn = 7, kAddress = 20018;
  const WindowHandle list = GetDlgItem(page, kList);
  return FilledDialog([list] { livetest::ClickCell(list, 1, kSettingsColumn); }, kAddress,
                      [](WindowHandle dlg) { return livetest::TypeAddress(dlg, kAddress, "192.168.1.21"); });
}

// A device with a NAS as disk 20 (bus 9, port 1), listed after the local
// disk.
void OneNetDisk() {
  constexpr int kDisk = 20;
  NetDiskConfig config{};
  NetDiskEntry& nas = config.entries[kDisk - getLocalDiskNum()];
  nas.type = 4;
  nas.ip = 0x1401A8C0;  // 192.168.1.20 in memory order
  std::snprintf(nas.directory, sizeof nas.directory, "/nvr");
  EXPECT_EQ(changeNetDisk(0, &config), 0);
  static DiskInfo rows[DISK_LIST_ROWS] = {};
  getDiskList(rows);
  rows[1] = DiskInfo{};
  rows[1].bus = 9;
  rows[1].port = 1;
  rows[1].type = 4;
  rows[1].capacity = rows[1].freeSpace = 10;
  rows[1].group = 1;
  device_seam::overrideAnswer(getDiskList, 2, rows, sizeof rows);
}

// The fifth holiday switched on in the editor its row's edit icon opens;
// the editor's OK keeps it.
bool EnabledHoliday(WindowHandle page) {
  constexpr int kList = 18944, kEditColumn = 5, kName = 18960, kEnable = 18961;
  const WindowHandle list = GetDlgItem(page, kList);
  return FilledDialog([list] { livetest::ClickCell(list, 4, kEditColumn); }, kName,
                      [](WindowHandle dlg) { return Tick(dlg, kEnable); });
}

// The disk list: the read-write attribute chosen in the properties dialog
// that the disk's settings cell opens; the dialog's OK keeps it.
bool ReadWriteDisk(WindowHandle page) {
  constexpr int kList = 19728, kSettingsColumn = 7, kReadWrite = 19762;
  const WindowHandle list = GetDlgItem(page, kList);
  return FilledDialog([list] { livetest::ClickCell(list, 0, kSettingsColumn); }, kReadWrite,
                      [](WindowHandle dlg) { return Tick(dlg, kReadWrite); });
}

// The record schedule: the first legend swatch taken by a click, then a
// drag over Monday's first hours of the week grid.
bool DrawnSchedule(WindowHandle page) {
  constexpr int kGridLeft = 100, kGridTop = 90, kHourW = 20, kLegendX = 25, kLegendY = 368;
  const auto screen = [page](int x, int y) {
    ClientToScreen(page, &x, &y);
    return Point{x, y};
  };
  const auto pressed = [] { return GetCapture() != 0; };
  const Point swatch = screen(kLegendX, kLegendY), from = screen(kGridLeft + 5, kGridTop + 5),
              to = screen(kGridLeft + 3 * kHourW + 5, kGridTop + 5);
  livetest::ClickAt(swatch.x, swatch.y, pressed);
  livetest::DragAt(from.x, from.y, to.x, to.y, pressed);
  return PumpUntil([page] { return livetest::Enabled(page, PAGE_ID_APPLY); });
}

// Steps of a change, then Apply clicked.
Change Tick(int box) {
  return [box](WindowHandle page) { return Tick(page, box); };
}
Change Type(int field, const char* text) {
  return [field, text](WindowHandle page) { return Retype(page, field, text); };
}
// A button pressed (a layout's picture): the page lights Apply.
Change Press(int button) {
  return [button](WindowHandle page) {
    Click(page, button);
    return PumpUntil([page] { return livetest::Enabled(page, PAGE_ID_APPLY); });
  };
}
Change Next(int box) {
  return [box](WindowHandle page) { return NextValue(page, box); };
}
Change Applied(std::vector<Change> steps) {
  return [steps](WindowHandle page) {
    for (const Change& step : steps)
      if (!step(page)) return false;
    Click(page, PAGE_ID_APPLY);
    return true;
  };
}

// Control ids of the pages.
constexpr int kNetMtu = 20283, kPppoeEnable = 20302, kPppoeUser = 20303, kPppoePassword = 20304,
              kPppoeConfirm = 20305, kDdnsEnable = 20322, kNtpEnable = 20336, kNtpInterval = 20337, kNtpServer = 20338,
              kNtpPort = 20339, kMailPort = 20350, kFtpEnable = 20369, kFtpServer = 20371, kFtpPort = 20372,
              kSnmpEnable = 20384, kSnmpPort = 20386, kSnmpTrapPort = 20390, kHttpPort = 20403;
constexpr int kMotionEnable = 19249, kLossEnable = 19441, kTamperEnable = 19265, kSerialSpeed = 20432;
constexpr int kOverwrite = 18688, kDateFormat = 20244, kSmartEnable = 19808, kQuality = 18446, kAlarmInType = 20250,
              kExceptionAudio = 20465, kPreviewDwell = 20450, kStorageMode = 19792;
// The sub stream's quality (the main stream's, 54 further) and the
// snapshot's; daylight saving by the zone's rule, the menu lock time, an
// alarm output's delay and the live view's 3x3 layout.
constexpr int kSubQuality = kQuality + 54, kPictureQuality = 18519, kDstAuto = 20272, kLockTime = 20259,
              kAlarmOutDelay = 20271, kThreeByThree = 20468;

// The dialogs' own: the motion page's handling button and the handling
// sheet's linkage tab and popup box; the alarm copy lists; the schedule
// tabs' day edit buttons and the all-day boxes of their editors (the
// snapshot editor's ids stand 32 above the record editor's).
constexpr int kMotionHandling = 19250, kLinkageTab = 2, kPopup = 21568, kCopyInList = 20282, kCopyOutList = 20283;
constexpr int kRecordDayEdit = 18962, kRecordAllDay = 18961, kCaptureDayEdit = 19010, kCaptureAllDay = 18993;

enum NetTab { kBaseTab, kPppoeTab, kDdnsTab, kNtpTab, kEmailTab, kFtpTab, kSnmpTab, kHostTab };
constexpr int kDetectTab = 1;

// Every registration with what a user changes on it. Items that open a
// menu, search, show or run something keep no setting; the others keep
// records that a later start must find.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {APP_MENU_SYSTEM, "netset", kBaseTab, Applied({Type(kNetMtu, "1400")}),
       {FIELD(NetConfig, interfaces[0].mtu, "NetConfig")}, IDYES},
      {APP_MENU_SYSTEM, "netset", kPppoeTab,
       Applied({Tick(kPppoeEnable), Type(kPppoeUser, "1234"), Type(kPppoePassword, "5678"),
                Type(kPppoeConfirm, "5678")}),
       {FIELD(NetConfig, pppoeEnabled, "NetConfig"), FIELD(NetConfig, pppoeUser, "NetConfig"),
        FIELD(NetConfig, pppoePassword, "NetConfig")},
       IDYES},
      {APP_MENU_SYSTEM, "netset", kDdnsTab, Applied({Tick(kDdnsEnable)}),
       {FIELD(NetAdvConfig, ddnsEnabled, "NetAdvConfig")}},
      {APP_MENU_SYSTEM, "netset", kNtpTab,
       Applied({Tick(kNtpEnable), Type(kNtpInterval, "60"), Type(kNtpServer, "10.0.0.1"), Type(kNtpPort, "123")}),
       {FIELD(NetAdvConfig, ntpEnabled, "NetAdvConfig"), FIELD(NetAdvConfig, ntpInterval, "NetAdvConfig"),
        FIELD(NetAdvConfig, ntpServer, "NetAdvConfig"), FIELD(NetAdvConfig, ntpPort, "NetAdvConfig")}},
      {APP_MENU_SYSTEM, "netset", kEmailTab, Applied({Type(kMailPort, "25")}),
       {FIELD(EmailConfig, smtpPort, "EmailConfig")}},
      {APP_MENU_SYSTEM, "netset", kFtpTab,
       Applied({Tick(kFtpEnable), Type(kFtpServer, "10.0.0.2"), Type(kFtpPort, "21")}),
       {FIELD(FtpConfig, enabled, "FtpConfig"), FIELD(FtpConfig, server, "FtpConfig"),
        FIELD(FtpConfig, port, "FtpConfig")}},
      {APP_MENU_SYSTEM, "netset", kSnmpTab,
       Applied({Tick(kSnmpEnable), Type(kSnmpPort, "161"), Type(kSnmpTrapPort, "162")}),
       {FIELD(SnmpConfig, enabled, "SnmpConfig"), FIELD(SnmpConfig, port, "SnmpConfig"),
        FIELD(SnmpConfig, trapPort, "SnmpConfig")}},
      {APP_MENU_SYSTEM, "netset", kHostTab, Applied({Type(kHttpPort, "8080")}),
       {FIELD(NetConfig, httpPort, "NetConfig")}},
      {APP_MENU_SYSTEM, "232set", 0, Applied({Next(kSerialSpeed)}), {FIELD(Rs232Config, baudRate, "Rs232Config")}},
      {APP_MENU_CAMERA, "motionset", 0, Applied({Tick(kMotionEnable)}),
       {FIELD(ChannelConfig, motionEnable, "ChannelConfig")}},
      {APP_MENU_CAMERA, "videolossset", 0, Applied({Tick(kLossEnable)}),
       {FIELD(ChannelConfig, videoLossEnable, "ChannelConfig")}},
      {APP_MENU_CAMERA, "videotamperset", 0, Applied({Tick(kTamperEnable)}),
       {FIELD(ChannelConfig, tamperEnable, "ChannelConfig")}},
      {APP_MENU_RECORD, "scheduleset", 0, Applied({DrawnSchedule}), {FIELD(RecordConfig, segments, "RecordConfig")}},
      {APP_MENU_RECORD, "scheduleset", 1, Applied({DrawnSchedule}), {FIELD(CaptureConfig, segments, "CaptureConfig")}},
      // The editor defines the whole entry it switches on.
      {APP_MENU_RECORD, "holidayset", 0, EnabledHoliday, {FIELD(HolidayTable, entries[4], "Holidays")}, IDOK, nullptr,
       "holidayedit"},
      {APP_MENU_RECORD, "encodeset", 0, Applied({Next(kQuality)}),
       {FIELD(EncodeConfig, blocks[ENCODE_MAIN].quality, "EncodeConfig")}},
      {APP_MENU_RECORD, "encodeset", 1, Applied({Next(kSubQuality)}),
       {FIELD(EncodeConfig, blocks[ENCODE_SUB].quality, "EncodeConfig")}},
      {APP_MENU_RECORD, "encodeset", 2, Applied({Next(kPictureQuality)}),
       {FIELD(CaptureSettingPair, normal.quality, "CaptureParams")}},
      {APP_MENU_RECORD, "advanceset", 0, Applied({Tick(kOverwrite)}), {FIELD(AdvRecordConfig, overwrite, "AdvRecord")}},
      {APP_MENU_MAINTENANCE, "disk_smart", 0, Applied({Tick(kSmartEnable)}),
       {Whole("SmartCheckOff", sizeof(uint32_t))}},
      // The bad-sector check runs on the disk and keeps nothing.
      {APP_MENU_MAINTENANCE, "disk_smart", 1, nullptr},
      // The new user takes the first free row of the table.
      {APP_MENU_SYSTEM, "userset", 0, AddedUser, {FIELD(UserConfig, users[2], "UserConfig")}, IDOK, nullptr, "useradd"},
      {APP_MENU_SYSTEM, "display", 0, Applied({Next(kDateFormat)}), {FIELD(DeviceConfig, dateFormat, "DeviceConfig")}},
      {APP_MENU_SYSTEM, "display", 1, Applied({Tick(kDstAuto)}),
       {FIELD(DeviceConfig, dstBias, "DeviceConfig"), FIELD(DeviceConfig, dstEnabled, "DeviceConfig"),
        FIELD(DeviceConfig, dstAuto, "DeviceConfig"), FIELD(DeviceConfig, dstStart, "DeviceConfig"),
        FIELD(DeviceConfig, dstEnd, "DeviceConfig")}},
      // The main output's lock time.
      {APP_MENU_SYSTEM, "display", 2, Applied({Next(kLockTime)}),
       {FIELD(DeviceConfig, outputs[3].lockTime, "DeviceConfig")}},
      // The status of every alarm input and output: nothing to keep.
      {APP_MENU_SYSTEM, "alarmset", 0, nullptr},
      {APP_MENU_SYSTEM, "alarmset", 1, Applied({Next(kAlarmInType)}), {FIELD(AlarmInConfig, alarmType, "AlarmIn")}},
      {APP_MENU_SYSTEM, "alarmset", 2, Applied({Next(kAlarmOutDelay)}), {FIELD(AlarmOutConfig, delay, "AlarmOut")}},
      {APP_MENU_SYSTEM, "exception", 0, Applied({Tick(kExceptionAudio)}),
       {FIELD(ExceptionLinkageTable, entries[0].actions, "ExceptionTable")}},
      {APP_MENU_SYSTEM, "previewset", 0, Applied({Next(kPreviewDwell)}),
       {FIELD(PreviewConfig, dwellCode, "PreviewConfig")}},
      {APP_MENU_SYSTEM, "previewset", 1, Applied({Press(kThreeByThree)}),
       {FIELD(PreviewConfig, layoutMode, "PreviewConfig")}},
      {APP_MENU_STORAGE, "disk_advance", 0, Applied({Next(kStorageMode)}), {Whole("StorageMode", sizeof(uint32_t))},
       IDYES},
      {APP_MENU_MAINTENANCE, "netda", kDetectTab, DetectedNetworkDns, {FIELD(NetConfig, dns1, "NetConfig")}, IDOK,
       FixedAddress, "netdanetset", "win_netda_netset"},
      // Traffic and statistics: shown, never kept.
      {APP_MENU_MAINTENANCE, "netda", 0, nullptr},
      {APP_MENU_MAINTENANCE, "netda", 2, nullptr},
      {APP_MENU_STORAGE, "disk_base", 0, ReadWriteDisk, {FIELD(DiskInfo, readOnly, "DiskRow")}, IDOK, GroupMode,
       "disk_localhdset", "win_localhdset"},
      {APP_MENU_STORAGE, "disk_base", 0, ReaddressedNetDisk, {FIELD(NetDiskConfig, entries, "NetDisks")}, IDOK,
       OneNetDisk, "disk_nethdset", "win_nethdset"},
      // The other dialogs the pages open: the event handling sheet, the
      // copy dialogs (each copy reaching the second channel or item), the
      // day editors of the schedules and a user's own dialogs.
      {APP_MENU_CAMERA, "motionset", 0,
       Applied({ThroughDialog(kMotionHandling, PAGE_ID_SHEET,
                              OnTab(kLinkageTab, [](WindowHandle tab) { return Tick(tab, kPopup); }))}),
       {FIELD(ChannelConfig, motionLinkage, "ChannelConfig")}, IDOK, nullptr, "handleset"},
      {APP_MENU_CAMERA, "videolossset", 0, Applied({Tick(kLossEnable), CopiedToEveryChannel()}),
       {FIELD(ChannelConfig, videoLossEnable, "ChannelConfig")}, IDOK, nullptr, "copychan", "copychan_win",
       {"ChannelConfig", 2}},
      {APP_MENU_CAMERA, "motionset", 0, Applied({Tick(kMotionEnable), CopiedToEveryChannel()}),
       {FIELD(ChannelConfig, motionEnable, "ChannelConfig")}, IDOK, nullptr, "copychan", "copychan_win",
       {"ChannelConfig", 2}},
      {APP_MENU_RECORD, "encodeset", 0, Applied({Next(kQuality), CopiedToEveryChannel()}),
       {FIELD(EncodeConfig, blocks[ENCODE_MAIN].quality, "EncodeConfig")}, IDOK, nullptr, "copychan", "copychan_win",
       {"EncodeConfig", 2}},
      {APP_MENU_SYSTEM, "alarmset", 1, Applied({Next(kAlarmInType), CopiedToTheSecondRow(kCopyInList)}),
       {FIELD(AlarmInConfig, alarmType, "AlarmIn")}, IDOK, nullptr, "copyalarmin", nullptr, {"AlarmIn", 1}},
      {APP_MENU_SYSTEM, "alarmset", 2, Applied({Next(kAlarmOutDelay), CopiedToTheSecondRow(kCopyOutList)}),
       {FIELD(AlarmOutConfig, delay, "AlarmOut")}, IDOK, nullptr, "copyalarmout", nullptr, {"AlarmOut", 1}},
      {APP_MENU_RECORD, "scheduleset", 0,
       Applied({ThroughDialog(kRecordDayEdit, kRecordAllDay, [](WindowHandle d) { return Tick(d, kRecordAllDay); })}),
       {FIELD(RecordConfig, days, "RecordConfig")}, IDOK, nullptr, "scheduleedit"},
      {APP_MENU_RECORD, "scheduleset", 1,
       Applied({ThroughDialog(kCaptureDayEdit, kCaptureAllDay, [](WindowHandle d) { return Tick(d, kCaptureAllDay); })}),
       {FIELD(CaptureConfig, days, "CaptureConfig")}, IDOK, nullptr, "scheduleedit_for_snap"},
      {APP_MENU_SYSTEM, "userset", 0, ModifiedUser, {FIELD(UserConfig, users[1], "UserConfig")}, IDOK, nullptr,
       "usermodify"},
      {APP_MENU_SYSTEM, "userset", 0, RightedUser, {FIELD(UserConfig, users[1], "UserConfig")}, IDOK, nullptr,
       "userright"},
      // Configuration import and export, and the restore of the defaults,
      // which writes the file itself.
      {APP_MENU_MAINTENANCE, "config", -1, nullptr},
      {APP_MENU_MAINTENANCE, "default", -1, nullptr},
      // Searches, logs, information and actions: nothing to keep.
      {APP_MENU_EXPORT, "export_gen", -1, nullptr},
      {APP_MENU_EXPORT, "export_event", -1, nullptr},
      {APP_MENU_EXPORT, "export_pic", -1, nullptr},
      {APP_MENU_MAINTENANCE, "log", -1, nullptr},
      {APP_MENU_MAINTENANCE, "sysinfo", -1, nullptr},
      {APP_MENU_MAINTENANCE, "upgrade", -1, nullptr},
      {APP_MENU_MAIN, "shutdown", -1, nullptr},
      // Menus: their pages are registrations of their own.
      {APP_MENU_MAIN, "cameraconfig", -1, nullptr},
      {APP_MENU_MAIN, "disk", -1, nullptr},
      // States of the running device (manual recording, snapshots, alarm
      // outputs), which no start keeps.
      {APP_MENU_MANUAL, "manual_rec", -1, nullptr},
      {APP_MENU_MANUAL, "manual_pic", -1, nullptr},
      {APP_MENU_MANUAL, "manual_alarm", -1, nullptr},
  };
  return cases;
}

// The table's case of a registration, or null.
const Case* ListedCase(int menu, const std::string& item) {
  for (const Case& c : Cases())
    if (c.menu == menu && item == c.item) return &c;
  return nullptr;
}

// The caption of a row's dialog, as its layout record gives it.
std::string DialogCaption(const Case& c) {
  const std::string key = c.dialogKey ? c.dialogKey : std::string("win_") + c.dialog;
  CtrlResInfo* r = nullptr;
  return GetCtrlResInfo(c.dialog, key.c_str(), &r) && r->caption ? r->caption : "";
}

// The pages that change something, in groups that run side by side: the
// network page's tabs, the camera and record pages, and the rest.
// Groups small enough that each walk stays well inside the test time limit
// under ThreadSanitizer on a loaded machine.
enum class Group { kNetwork, kCameraAndRecord, kSystem, kStorageAndMaintenance };
Group GroupOf(const Case& c) {
  if (std::string(c.item) == "netset") return Group::kNetwork;
  if (c.menu == APP_MENU_CAMERA || c.menu == APP_MENU_RECORD) return Group::kCameraAndRecord;
  if (c.menu == APP_MENU_SYSTEM) return Group::kSystem;
  return Group::kStorageAndMaintenance;
}

// The menu window a page lives beside, and the slot of its page.
struct MenuSlots {
  void (*setMenu)(WindowHandle);
  WindowHandle (*page)(void);
};
MenuSlots SlotsOf(int menu) {
  switch (menu) {
    case APP_MENU_MANUAL: return {setManualMenuWnd, getManualPageWnd};
    case APP_MENU_RECORD: return {setRecordMenuWnd, getRecordPageWnd};
    case APP_MENU_SYSTEM: return {setSystemMenuWnd, getSystemPageWnd};
    case APP_MENU_MAINTENANCE: return {setMaintenanceMenuWnd, getMaintenancePageWnd};
    case APP_MENU_STORAGE: return {setDiskMenuWnd, getDiskPageWnd};
    case APP_MENU_CAMERA: return {setCameraMenuWnd, getCameraPageWnd};
    default: return {nullptr, nullptr};
  }
}

class KeptSettings : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    g_inLoopOpenedBy = [this](const std::function<void()>& click, const std::function<bool()>& opened,
                              const std::function<void()>& steps) { return RunInLoopOpenedBy(click, opened, steps); };
    path_ = "/tmp/kept_settings_thread_test." + std::to_string(::getpid()) + ".dat";
    device_seam::setSettingsFile(path_);
  }
  void TearDown() override {
    g_inLoopOpenedBy = nullptr;
    std::remove(path_.c_str());
    device_seam::setSettingsFile("");
    LiveGui::TearDown();
  }

  // Opens the page as its menu does and shows the tab; the page changed.
  WindowHandle Open(const Case& c) {
    const MenuSlots slots = SlotsOf(c.menu);
    if (!slots.page) return 0;
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    slots.setMenu(host_);
    if (openMenuPage(c.menu, c.item, host_) != 0) return 0;
    win_ = slots.page();
    if (!IsValidHandle(win_)) return 0;
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    if (c.tab < 0 || !IsValidHandle(sheet)) return win_;
    if (!livetest::ClickTab(sheet, c.tab)) return 0;
    return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(c.tab), 0));
  }
  void Close(const Case& c) {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    SlotsOf(c.menu).setMenu(GUI_INVALID_HANDLE);
  }

  // The case's change applied on a fresh device, and the file it wrote
  // loaded into another.
 public:  // what ForEachChange runs, named by the tests
  void RoundTrip(const Case& c);
  // The case's Apply with each of its writes refused in turn.
  void RefusalWalk(const Case& c);

 protected:
  // A fresh device and file, as the case needs them.
  void Fresh(const Case& c) {
    device_seam::resetAll();
    std::remove(path_.c_str());
    livetest::Boxes().clear();
    livetest::BoxAnswer() = c.boxAnswer;
    g_dialogsSeen.clear();
    if (c.prepare) c.prepare();
  }
  // `run` for every registered page of the group that changes one.
  void ForEachChange(Group group, void (KeptSettings::*run)(const Case&));

  std::string path_;
  WindowHandle host_ = 0, win_ = 0;
};

void KeptSettings::RoundTrip(const Case& c) {
  SCOPED_TRACE(std::string(c.item) + " tab " + std::to_string(c.tab));
  Fresh(c);
  const std::vector<uint8_t> before = devsim::serializeSettings();
  const WindowHandle page = Open(c);
  ASSERT_TRUE(IsValidHandle(page));
  EXPECT_TRUE(c.change(page));
  // The change is kept and the file written once the Apply is handled.
  PumpUntil([&] {
    const std::vector<uint8_t> now = devsim::serializeSettings();
    return now != before && ReadFile(path_) == now;
  });
  Close(c);
  std::string boxes;
  for (const auto& b : livetest::Boxes()) boxes += b.text + "\n";
  const std::vector<uint8_t> kept = devsim::serializeSettings();
  EXPECT_TRUE(kept != before) << "the Apply kept nothing; boxes:\n" << boxes;
  if (c.dialog) {
    const std::string caption = DialogCaption(c);
    EXPECT_FALSE(caption.empty()) << c.dialog << " has no window record";
    EXPECT_TRUE(g_dialogsSeen.count(caption)) << c.dialog << " was not the dialog the change went through";
  }
  EXPECT_TRUE(ReadFile(path_) == kept) << "the file is not the kept set";
  // A fresh device that starts from the file.
  device_seam::resetAll();
  loadSavedDeviceParams();
  EXPECT_TRUE(devsim::serializeSettings() == kept) << "the records loaded differ";
}

void KeptSettings::ForEachChange(Group group, void (KeptSettings::*run)(const Case&)) {
  char item[64];
  int menu = 0, ran = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i)
    for (const Case& c : Cases()) {
      if (c.menu != menu || item != std::string(c.item) || !c.change || GroupOf(c) != group) continue;
      (this->*run)(c);
      ++ran;
    }
  EXPECT_GT(ran, 0) << "no page of the group is registered";
}

// The device's writes: its setters and what keeps or applies records.
bool IsWrite(const std::string& op) {
  for (const char* prefix : {"set", "save", "add", "change", "remove", "apply", "restore", "delete", "keep"})
    if (op.rfind(prefix, 0) == 0) return true;
  return false;
}

// Live previews of an edit, which keep nothing and ask nothing back.
bool IsPreview(const std::string& op) { return op == "setMotionPreview"; }

// The boxes shown so far, by their text's section and key (or their text).
std::set<std::string> BoxesShown() {
  std::set<std::string> out;
  for (const auto& b : livetest::Boxes()) out.insert(b.key.empty() ? b.text : b.section + "/" + b.key);
  return out;
}

// One answer every write is refused with: no page gives it a meaning of its own.
constexpr int kRefused = -5;

void KeptSettings::RefusalWalk(const Case& c) {
  SCOPED_TRACE(std::string(c.item) + " tab " + std::to_string(c.tab));
  // The Apply as the device takes it: its writes, its boxes and what it kept.
  Fresh(c);
  const Records before = KeptRecords();
  WindowHandle page = Open(c);
  ASSERT_TRUE(IsValidHandle(page));
  device_seam::startCallLog();
  EXPECT_TRUE(c.change(page));
  PumpUntil([&] { return ReadFile(path_) == devsim::serializeSettings(); });
  const std::vector<device_seam::Call> log = device_seam::callLog();
  const std::set<std::string> accepted = BoxesShown();
  const Records after = KeptRecords();
  const auto changed = Changed(before, after);
  if (c.reaches.first) {
    const std::pair<std::string, uint32_t> target{c.reaches.first, c.reaches.second};
    EXPECT_TRUE(changed.count(target)) << "the choice did not reach " << Names({target}) << "; changed "
                                       << Names(changed);
  }
  Close(c);
  // Every changed byte lies in a field the row names; a record the device
  // did not keep is compared with what it answered for it.
  Fresh(c);
  for (const auto& key : changed) {
    const std::vector<uint8_t> now = after.count(key) ? after.at(key) : std::vector<uint8_t>();
    const std::vector<uint8_t> was = before.count(key) ? before.at(key) : DefaultOf(key, now.size());
    for (size_t at = 0; at < now.size() && at < was.size(); ++at) {
      if (now[at] == was[at]) continue;
      bool named = false;
      for (const Field& f : c.fields)
        named = named || (f.kind == key.first && at >= f.offset && at < f.offset + f.size);
      if (named) continue;
      ADD_FAILURE() << key.first << "[" << key.second << "] byte " << at << " changed from " << int{was[at]} << " to "
                    << int{now[at]} << ", which the user did not touch";
      break;
    }
  }
  std::vector<std::string> writes;
  for (const auto& call : log)
    if (IsWrite(call.op) && !IsPreview(call.op) && std::find(writes.begin(), writes.end(), call.op) == writes.end())
      writes.push_back(call.op);
  EXPECT_FALSE(writes.empty()) << "the Apply wrote nothing";
  for (size_t k = 0; k < writes.size(); ++k) {
    SCOPED_TRACE(writes[k] + " refused");
    Fresh(c);
    const Records start = KeptRecords();
    page = Open(c);
    ASSERT_TRUE(IsValidHandle(page));
    device_seam::overrideAnswer(device_seam::Op::named(writes[k]), kRefused);
    c.change(page);
    const auto told = [&] {
      for (const std::string& box : BoxesShown())
        if (!accepted.count(box)) return true;
      return false;
    };
    EXPECT_TRUE(PumpUntil(told)) << "no box tells of the refusal";
    device_seam::clearOverrides();
    const WindowHandle apply = GetDlgItem(page, PAGE_ID_APPLY);
    if (IsValidHandle(apply) && IsWindowVisible(apply)) {
      EXPECT_TRUE(IsWindowEnabled(apply)) << "Apply greyed out as if kept";
    }
    const auto kept = Changed(start, KeptRecords());
    // Nothing the Apply does not change changed: what the writes before
    // the refused one kept may stay.
    for (const auto& record : kept) EXPECT_TRUE(changed.count(record)) << Names({record}) << "changed by the refusal";
    Close(c);
  }
}

TEST_F(KeptSettings, EveryRegisteredPageIsInTheTable) {
  char item[64];
  int menu = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i)
    EXPECT_TRUE(ListedCase(menu, item)) << "menu " << menu << " item " << item << ": add it to the table";
}

// Every tab of a page that keeps settings has its row: a tab added later
// without one fails.
TEST_F(KeptSettings, EveryTabOfAPageThatKeepsSettingsIsInTheTable) {
  char item[64];
  int menu = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i) {
    const Case* listed = ListedCase(menu, item);
    if (!listed || !listed->change) continue;
    const WindowHandle page = Open(*listed);
    ASSERT_TRUE(IsValidHandle(page)) << item;
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    const int tabs = IsValidHandle(sheet) ? static_cast<int>(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0)) : 1;
    Close(*listed);
    for (int tab = 0; tab < tabs; ++tab) {
      bool found = false;
      for (const Case& c : Cases()) found = found || (c.menu == menu && item == std::string(c.item) && c.tab == tab);
      EXPECT_TRUE(found) << item << " tab " << tab << ": add it to the table";
    }
  }
}

// The windows of the layout file: every section after its global
// definitions is one.
std::vector<std::string> LayoutWindows() {
  std::ifstream in("../guiRes/rirurRes/conf/1024x768.cfg");
  std::vector<std::string> out;
  bool windows = false;
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') continue;
    const std::string name = line.substr(1, line.size() - 2);
    if (windows) out.push_back(name);
    windows = windows || name == "global_defines";
  }
  return out;
}

// The windows of the layout that no row goes through, and why none needs to.
const std::map<std::string, const char*>& WithoutARow() {
  static const char* const kPage = "a page of the registry: its tabs have rows";
  static const char* const kMenu = "a menu, or texts the pages share";
  static const char* const kLive = "the live view's, opened by no page";
  static const char* const kWizard = "the start-up wizard's, opened at start-up by no page";
  static const char* const kShows = "shows, searches or asks, and keeps nothing";
  static const std::map<std::string, const char*> kWindows = {
      {"commons", kMenu}, {"mainmenu", kMenu}, {"cameramenu", kMenu}, {"systempages", kMenu},
      {"recordpages", kMenu}, {"exportmenu", kMenu}, {"manualmenu", kMenu}, {"recordmenu", kMenu},
      {"systemmenu", kMenu}, {"maintenancemenu", kMenu}, {"diskmenu", kMenu}, {"typecfg", kMenu},
      {"zonecaptions", kMenu},
      {"displayset", kPage}, {"previewset", kPage}, {"manualrecord", kPage}, {"manualsnapshot", kPage},
      {"disk_base", kPage}, {"scheduleset", kPage}, {"holidayset", kPage}, {"netset", kPage}, {"userset", kPage},
      {"encodeset", kPage}, {"advrecordset", kPage}, {"rs232set", kPage}, {"disk_smartinfo", kPage},
      {"disk_detect", kPage}, {"disk_advance", kPage}, {"logsearch", kPage}, {"motionset", kPage},
      {"alarmset", kPage}, {"exceptionset", kPage}, {"manualalarm", kPage}, {"videolossset", kPage},
      {"videotamperset", kPage}, {"systeminfo", kPage}, {"netda", kPage}, {"defaultset", kPage},
      {"configuration", kPage}, {"upgrade", kPage}, {"playback", kPage}, {"shutdown", kPage},
      {"preview", kLive}, {"leftmenu", kLive}, {"rightmenu", kLive}, {"outmodeset", kLive},
      {"previewstrategy", kLive}, {"preview_small", kLive}, {"ptzplay", kLive}, {"addipc", kLive},
      {"leftcolorset", kLive}, {"login", kLive}, {"defaultpasswd", kLive}, {"langsel", kLive},
      {"startguide", kWizard}, {"startpasswd", kWizard}, {"starttime", kWizard}, {"startnetset", kWizard},
      {"startdiskmode", kWizard}, {"startdisk", kWizard}, {"startcamera", kWizard}, {"startrecord", kWizard},
      {"logdetail", kShows}, {"logexport", kShows}, {"searchresult", kShows}, {"usbdev", kShows},
      {"shutdownhint", kShows}, {"upgrading", kShows},
      // The disk list's initialisation: it formats, and the simulated disk
      // cannot be formatted.
      {"format", kShows}, {"formating", kShows},
      // Asks whether a resolution the General page applied stays.
      {"resolution", kShows},
      // Chooses days inside the schedule editors, whose rows keep them.
      {"copyweek", kShows},
      // The simulated device reaches no network and refuses every disk
      // added; the storage tests show that refusal.
      {"disk_nethdadd", kShows},
  };
  return kWindows;
}

// Every window of the layout is a page, a dialog a row goes through, or
// says why it needs no row: a dialog added later without one fails.
TEST_F(KeptSettings, EveryDialogOfTheLayoutIsInTheTable) {
  const std::vector<std::string> windows = LayoutWindows();
  EXPECT_GT(windows.size(), WithoutARow().size()) << "the layout's windows were not read";
  for (const std::string& window : windows) {
    const bool rowed = std::any_of(Cases().begin(), Cases().end(),
                                   [&window](const Case& c) { return c.dialog && window == c.dialog; });
    EXPECT_NE(rowed, WithoutARow().count(window) == 1) << window << ": give it a row, or say why it needs none";
  }
}

TEST_F(KeptSettings, NetworkTabsAppliedAreThereAfterARestart) {
  ForEachChange(Group::kNetwork, &KeptSettings::RoundTrip);
}
TEST_F(KeptSettings, CameraAndRecordPagesAppliedAreThereAfterARestart) {
  ForEachChange(Group::kCameraAndRecord, &KeptSettings::RoundTrip);
}
TEST_F(KeptSettings, SystemStorageAndMaintenancePagesAppliedAreThereAfterARestart) {
  ForEachChange(Group::kSystem, &KeptSettings::RoundTrip);
  ForEachChange(Group::kStorageAndMaintenance, &KeptSettings::RoundTrip);
}

// Every write of an Apply refused in turn is shown, keeps Apply lit and
// keeps the device as it was; an Apply the device takes changes only what
// the user changed.
TEST_F(KeptSettings, NetworkTabsShowEveryRefusedWrite) {
  ForEachChange(Group::kNetwork, &KeptSettings::RefusalWalk);
}
TEST_F(KeptSettings, CameraAndRecordPagesShowEveryRefusedWrite) {
  ForEachChange(Group::kCameraAndRecord, &KeptSettings::RefusalWalk);
}
TEST_F(KeptSettings, SystemPagesShowEveryRefusedWrite) {
  ForEachChange(Group::kSystem, &KeptSettings::RefusalWalk);
}
TEST_F(KeptSettings, StorageAndMaintenancePagesShowEveryRefusedWrite) {
  ForEachChange(Group::kStorageAndMaintenance, &KeptSettings::RefusalWalk);
}

// An IPv6 address typed into the basic tab of the network page and applied
// in one process shows in that field in the next.
class KeptIpv6 : public livetest::LiveGui {
 protected:
  // Each process starts the toolkit itself: a fork must not share it.
  static void SetUpTestSuite() {}
  static void TearDownTestSuite() {}
  void SetUp() override {}
  void TearDown() override { std::remove(path_.c_str()); }  // also after a failed step

  // The toolkit up on a device kept in `path_` and set by `device`, the
  // network page open on its basic tab; the tab.
  WindowHandle OpenBasicTab(void (*device)()) {
    StartGui();
    LiveGui::SetUp();
    device_seam::setSettingsFile(path_);
    started_ = true;
    device();
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    setSystemMenuWnd(host_);
    if (openMenuPage(APP_MENU_SYSTEM, "netset", host_) != 0) return 0;
    const WindowHandle sheet = GetDlgItem(getSystemPageWnd(), PAGE_ID_SHEET);
    desktest::Drain();
    return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, kBaseTab, 0));
  }
  void Stop() {
    if (!started_) return;
    SendMessage(getSystemPageWnd(), MSG_CLOSE, 0, 0);
    desktest::Drain();
    setSystemMenuWnd(GUI_INVALID_HANDLE);
    LiveGui::TearDown();
    LiveGui::TearDownTestSuite();
    device_seam::setSettingsFile("");
    started_ = false;
  }

  // The first process: the address typed and applied; 0 once the file
  // holds it.
  int ApplyInThisProcess() {
    // A fixed address, so that the IPv6 field takes typing.
    const WindowHandle page = OpenBasicTab(FixedAddress);
    if (!IsValidHandle(page)) return 2;
    livetest::BoxAnswer() = IDYES;
    if (!Retype(page, kIpv6, kAddress)) return 3;
    Click(page, PAGE_ID_APPLY);
    const bool kept = PumpUntil([&] {
      NetConfig net{};
      getNetConfig(nullptr, &net);
      return net.interfaceExtra[0].ipv6 != 0 && ReadFile(path_) == devsim::serializeSettings();
    });
    finishDeviceParams();
    return kept ? 0 : 4;
  }

  static constexpr int kIpv6 = 20279;
  static constexpr const char* kAddress = "2001::5";
  std::string path_ = "/tmp/kept_ipv6_thread_test." + std::to_string(::getpid()) + ".dat";
  WindowHandle host_ = 0;
  bool started_ = false;
};

TEST_F(KeptIpv6, TypedOnTheBasicTabItShowsThereAfterARestart) {
  std::remove(path_.c_str());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(ApplyInThisProcess());
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0) << "2: no page, 3: not typed, 4: not kept";
  const WindowHandle page = OpenBasicTab(loadSavedDeviceParams);
  ASSERT_TRUE(IsValidHandle(page));
  EXPECT_EQ(Text(page, kIpv6), kAddress);
  Stop();
  std::remove(path_.c_str());
}

}  // namespace
