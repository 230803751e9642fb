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
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/core/device/sim_state.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/program.h"
#include "app/testing/fixed_address.h"
#include "app/testing/page_harness.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/propsheet.h"

namespace {

using livetest::PumpUntil;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Text(WindowHandle page, int id) {
  char text[128] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A key pressed and released at once.
void Key(int code) {
  HostInjectKey(code, 1);
  HostInjectKey(code, 0);
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

// What a case does on its page; false when a step did not take.
using Change = std::function<bool(WindowHandle page)>;

struct Case {
  int menu;
  const char* item;
  int tab;              // the sheet page changed, or -1 for a page without tabs
  Change change;        // null: the page keeps no setting (why beside it)
  int boxAnswer = IDOK;  // the answer to any question the Apply asks
  void (*prepare)() = nullptr;  // the device as the change needs it
};

// Runs `steps` inside the modal loop that `click` opens (the fixture's).
std::function<bool(const std::function<void()>&, const std::function<bool()>&, const std::function<void()>&)>
    g_inLoopOpenedBy;

// Disks recorded by group, in which a local disk's properties may be set.
void GroupMode() { setStorageMode(0, 1); }

// The interface on a fixed address, so that its DNS servers may be typed.
void FixedAddress() {
  const NetConfig net = livetest::FixedAddressConfig();
  setNetConfig(nullptr, &net, 1);
}

// A dialog opened by the click `open`, filled by `typing` once its `field`
// stands, and closed by OK.
bool FilledDialog(const std::function<void()>& open, int field, const std::function<bool(WindowHandle)>& typing) {
  bool typed = false;
  WindowHandle dlg = 0;
  const bool ran = g_inLoopOpenedBy(open,
                                    [&] {
                                      dlg = GetActiveWindow();
                                      return IsValidHandle(GetDlgItem(dlg, field));
                                    },
                                    [&] {
                                      typed = typing(dlg);
                                      Click(dlg, PAGE_ID_OK);
                                    });
  return ran && typed && PumpUntil([&] { return GetActiveWindow() != dlg; });
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

enum NetTab { kBaseTab, kPppoeTab, kDdnsTab, kNtpTab, kEmailTab, kFtpTab, kSnmpTab, kHostTab };
constexpr int kDetectTab = 1;

// Every registration with what a user changes on it. Items that open a
// menu, search, show or run something keep no setting; the others keep
// records that a later start must find.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {APP_MENU_SYSTEM, "netset", kBaseTab, Applied({Type(kNetMtu, "1400")}), IDYES},
      {APP_MENU_SYSTEM, "netset", kPppoeTab,
       Applied({Tick(kPppoeEnable), Type(kPppoeUser, "1234"), Type(kPppoePassword, "5678"),
                Type(kPppoeConfirm, "5678")}),
       IDYES},
      {APP_MENU_SYSTEM, "netset", kDdnsTab, Applied({Tick(kDdnsEnable)})},
      {APP_MENU_SYSTEM, "netset", kNtpTab,
       Applied({Tick(kNtpEnable), Type(kNtpInterval, "60"), Type(kNtpServer, "10.0.0.1"), Type(kNtpPort, "123")})},
      {APP_MENU_SYSTEM, "netset", kEmailTab, Applied({Type(kMailPort, "25")})},
      {APP_MENU_SYSTEM, "netset", kFtpTab, Applied({Tick(kFtpEnable), Type(kFtpServer, "10.0.0.2"), Type(kFtpPort, "21")})},
      {APP_MENU_SYSTEM, "netset", kSnmpTab, Applied({Tick(kSnmpEnable), Type(kSnmpPort, "161"), Type(kSnmpTrapPort, "162")})},
      {APP_MENU_SYSTEM, "netset", kHostTab, Applied({Type(kHttpPort, "8080")})},
      {APP_MENU_SYSTEM, "232set", 0, Applied({Next(kSerialSpeed)})},
      {APP_MENU_CAMERA, "motionset", 0, Applied({Tick(kMotionEnable)})},
      {APP_MENU_CAMERA, "videolossset", 0, Applied({Tick(kLossEnable)})},
      {APP_MENU_CAMERA, "videotamperset", 0, Applied({Tick(kTamperEnable)})},
      {APP_MENU_RECORD, "scheduleset", 0, Applied({DrawnSchedule})},
      {APP_MENU_RECORD, "holidayset", 0, EnabledHoliday},
      {APP_MENU_RECORD, "encodeset", 0, Applied({Next(kQuality)})},
      {APP_MENU_RECORD, "advanceset", 0, Applied({Tick(kOverwrite)})},
      {APP_MENU_MAINTENANCE, "disk_smart", 0, Applied({Tick(kSmartEnable)})},
      {APP_MENU_SYSTEM, "userset", 0, AddedUser},
      {APP_MENU_SYSTEM, "display", 0, Applied({Next(kDateFormat)})},
      {APP_MENU_SYSTEM, "alarmset", 1, Applied({Next(kAlarmInType)})},
      {APP_MENU_SYSTEM, "exception", 0, Applied({Tick(kExceptionAudio)})},
      {APP_MENU_SYSTEM, "previewset", 0, Applied({Next(kPreviewDwell)})},
      {APP_MENU_STORAGE, "disk_advance", 0, Applied({Next(kStorageMode)}), IDYES},
      {APP_MENU_MAINTENANCE, "netda", kDetectTab, DetectedNetworkDns, IDOK, FixedAddress},
      {APP_MENU_STORAGE, "disk_base", 0, ReadWriteDisk, IDOK, GroupMode},
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

// The pages that change something, in groups that run side by side: the
// network page's tabs, the camera and record pages, and the rest.
enum class Group { kNetwork, kCameraAndRecord, kSystemAndStorage };
Group GroupOf(const Case& c) {
  if (std::string(c.item) == "netset") return Group::kNetwork;
  if (c.menu == APP_MENU_CAMERA || c.menu == APP_MENU_RECORD) return Group::kCameraAndRecord;
  return Group::kSystemAndStorage;
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
  void RoundTrip(const Case& c);
  // The round trip of every registered page of the group that changes one.
  void RoundTrips(Group group);

  std::string path_;
  WindowHandle host_ = 0, win_ = 0;
};

void KeptSettings::RoundTrip(const Case& c) {
  SCOPED_TRACE(std::string(c.item) + " tab " + std::to_string(c.tab));
  device_seam::resetAll();
  std::remove(path_.c_str());
  livetest::Boxes().clear();
  livetest::BoxAnswer() = c.boxAnswer;
  if (c.prepare) c.prepare();
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
  EXPECT_TRUE(ReadFile(path_) == kept) << "the file is not the kept set";
  // A fresh device that starts from the file.
  device_seam::resetAll();
  loadSavedDeviceParams();
  EXPECT_TRUE(devsim::serializeSettings() == kept) << "the records loaded differ";
}

void KeptSettings::RoundTrips(Group group) {
  char item[64];
  int menu = 0, ran = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i)
    for (const Case& c : Cases()) {
      if (c.menu != menu || item != std::string(c.item) || !c.change || GroupOf(c) != group) continue;
      RoundTrip(c);
      ++ran;
    }
  EXPECT_GT(ran, 0) << "no page of the group is registered";
}

TEST_F(KeptSettings, EveryRegisteredPageIsInTheTable) {
  char item[64];
  int menu = 0;
  for (int i = 0; registeredPageAt(i, &menu, item, sizeof item) == 0; ++i)
    EXPECT_TRUE(ListedCase(menu, item)) << "menu " << menu << " item " << item << ": add it to the table";
}

TEST_F(KeptSettings, NetworkTabsAppliedAreThereAfterARestart) { RoundTrips(Group::kNetwork); }
TEST_F(KeptSettings, CameraAndRecordPagesAppliedAreThereAfterARestart) { RoundTrips(Group::kCameraAndRecord); }
TEST_F(KeptSettings, SystemStorageAndMaintenancePagesAppliedAreThereAfterARestart) {
  RoundTrips(Group::kSystemAndStorage);
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
