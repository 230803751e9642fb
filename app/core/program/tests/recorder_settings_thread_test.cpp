// One setting of each settings family changed on the running recorder as a
// user changes it, with the device's clock held still: the advanced record
// page's overwrite, the preferred DNS server of network detection's network
// dialog, and the general settings' date format. Each is changed, applied,
// closed, opened again and found kept; the screen matches its reference
// picture at every stop, and the program ends with the host window, exit 0.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/app_registry.h"
#include "app/core/menus/menu_rules.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/recorder_driver.h"
#include "app/core/program/tests/tab_point.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/login_rights.h"
#include "app/page_ids.h"
#include "app/page_registry.h"
#include "app/page_keys.h"
#include "app/testing/fixed_address.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listbox.h"
#include "gui/propsheet.h"
#include "gui/startup.h"

namespace {

using programtest::Driver;
using programtest::Open;
using programtest::RunWithScript;

constexpr int kSheet = PAGE_ID_SHEET, kApply = PAGE_ID_APPLY, kOk = PAGE_ID_OK;
// Record menu: the advanced page is its third item; the overwrite box.
constexpr int kAdvancedItem = 18434, kOverwrite = 18688;
// Maintenance menu: network detection is its sixth item; the detect tab's
// network button and the dialog's preferred DNS field.
constexpr int kNetDetectItem = 20741, kDetectTab = 1, kNetButton = 21016, kPreferredDns = 16455;
// System menu: the general settings are its first item; the date format.
constexpr int kDisplayItem = 20225, kDateFormat = 20244;
constexpr char kPassword[] = "73916";

#if defined(__SANITIZE_THREAD__)
constexpr bool kComparePictures = false;
#else
constexpr bool kComparePictures = true;
#endif

#define STEP(cond, what)                                                        \
  do {                                                                          \
    const bool ok_ = (cond);                                                    \
    if (!ok_) std::fprintf(stderr, "RecorderSettings: %s: %s\n", what, #cond); \
    ASSERT_TRUE(ok_) << (what);                                                 \
  } while (0)

void MatchScreen(const char* name) {
  if (kComparePictures)
    guitest::MatchReference(Driver::Screen(), guitest::ReferencePath(__FILE__, (std::string(name) + ".png").c_str()));
}

// Tab `index` of the window's sheet, shown by a click on its header.
WindowHandle SheetPage(Driver& d, WindowHandle window, int index) {
  const WindowHandle sheet = GetDlgItem(window, kSheet);
  if (!programtest::ShowTabByClick(d, sheet, index)) {
    ADD_FAILURE() << "tab " << index << " is not shown by a click on its header";
    return 0;
  }
  return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, index, 0));
}

// The screen point in the middle of row `row` of an open drop-down list;
// false when the row is scrolled out of view.
bool ListRowPoint(WindowHandle list, int row, Point* at) {
  const int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
  Rect r{};
  GetClientRect(list, &r);
  if (height <= 0 || row < top || (row - top + 1) * height > r.bottom) return false;
  at->x = r.right / 2;
  at->y = (row - top) * height + height / 2;
  ClientToScreen(list, &at->x, &at->y);
  return true;
}

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string Text(WindowHandle w, int id) {
  char text[128] = "";
  GetDlgItemText(w, id, text, sizeof text);
  return text;
}

// The main menu's sub-menu `item` opened and its `entry` chosen; the page
// `slot` answers once it stands.
void OpenSubMenuPage(Driver& d, int item, WindowHandle (*menu)(), int entry, WindowHandle (*slot)()) {
  if (!Open(getMainMenuWnd())) STEP(d.OpenMainMenu(), "main menu");
  d.ClickItem(getMainMenuWnd(), item);
  d.LogInIfAsked(kPassword);
  STEP(Driver::WaitFor([menu] { return Open(menu()); }), "sub-menu");
  // The sub-menu opens its first item's page; the item wanted takes its
  // place. The item open is disabled in the menu: a click on it would only
  // bring the menu over its page.
  Driver::WaitFor([slot] { return Open(slot()); }, 2);
  if (IsWindowEnabled(GetDlgItem(menu(), entry))) {
    d.ClickItem(menu(), entry);
    d.LogInIfAsked(kPassword);
  }
  // Until the menu has taken the click (the item open is disabled), the
  // page in the slot may still be the first item's, about to go.
  STEP(Driver::WaitFor([=] {
         return !IsWindowEnabled(GetDlgItem(menu(), entry)) && Open(slot()) && Open(GetDlgItem(slot(), kSheet));
       }),
       "page");
  // The sheet shows while its pages are still being added.
  Driver::AwaitHandled(slot(), std::chrono::steady_clock::now() + std::chrono::seconds(10));
}

// Escape on a page closes the sub-menu holding it, the page with it.
void CloseWithEscape(Driver& d, WindowHandle (*menu)()) {
  d.Key(KEY_ESC);
  STEP(Driver::WaitFor([menu] { return !Open(menu()); }), "sub-menu closed");
}

// Back to the live view: the sub-menu by Escape, the main menu by its exit.
void BackToLiveView(Driver& d, WindowHandle (*menu)()) {
  CloseWithEscape(d, menu);
  if (::testing::Test::HasFatalFailure()) return;
  STEP(Driver::AwaitMainMenuOrLiveView(), "main menu back");
  if (Open(getMainMenuWnd())) d.ClickItem(getMainMenuWnd(), menus::kMainExit);
  STEP(Driver::WaitFor([] {
         return !Open(getMainMenuWnd()) && getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW;
       }),
       "live view");
}

void OverwriteLeg(Driver& d) {
  OpenSubMenuPage(d, menus::kMainRecord, getRecordMenuWnd, kAdvancedItem, getRecordPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  WindowHandle page = SheetPage(d, getRecordPageWnd(), 0);
  const bool before = Checked(page, kOverwrite);
  MatchScreen("settings_overwrite_opened");
  d.ClickItem(page, kOverwrite);
  STEP(Driver::WaitFor([&] { return Checked(page, kOverwrite) != before; }), "overwrite changed");
  d.ClickItem(page, kApply);
  STEP(Driver::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(page, kApply)); }), "overwrite applied");
  MatchScreen("settings_overwrite_applied");
  CloseWithEscape(d, getRecordMenuWnd);
  OpenSubMenuPage(d, menus::kMainRecord, getRecordMenuWnd, kAdvancedItem, getRecordPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  page = SheetPage(d, getRecordPageWnd(), 0);
  STEP(Checked(page, kOverwrite) != before, "overwrite kept");
  MatchScreen("settings_overwrite_reopened");
  BackToLiveView(d, getRecordMenuWnd);
}

// The dialog the detect page's network button opens.
void OpenNetworkDialog(Driver& d, WindowHandle* out) {
  const WindowHandle page = SheetPage(d, getMaintenancePageWnd(), kDetectTab);
  STEP(Driver::WaitFor([page] { return Open(page); }), "detect tab");
  d.ClickItem(page, kNetButton);
  WindowHandle dlg = 0;
  STEP(Driver::WaitFor([&] {
         dlg = GetActiveWindow();
         return Open(dlg) && Open(GetDlgItem(dlg, kPreferredDns));
       }),
       "network dialog");
  *out = dlg;
}

void DnsLeg(Driver& d) {
  // The interface keeps a fixed address, so that the DNS fields can be edited.
  const NetConfig net = livetest::FixedAddressConfig();
  STEP(keepNetConfig(nullptr, &net) == 0 && saveNetConfig(nullptr) == 0, "fixed address");

  OpenSubMenuPage(d, menus::kMainMaintenance, getMaintenanceMenuWnd, kNetDetectItem, getMaintenancePageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  WindowHandle dlg = 0;
  OpenNetworkDialog(d, &dlg);
  if (::testing::Test::HasFatalFailure()) return;
  MatchScreen("settings_dns_opened");
  d.Retype(dlg, kPreferredDns, "8.8.4.4");
  STEP(Driver::WaitFor([&] { return Text(dlg, kPreferredDns) == "8.8.4.4"; }), "DNS typed");
  d.ClickItem(dlg, kOk);
  // A closed dialog's handle is not asked about again: only compared.
  STEP(Driver::WaitFor([&] { return GetActiveWindow() != dlg; }), "dialog closed by OK");
  MatchScreen("settings_dns_applied");
  OpenNetworkDialog(d, &dlg);
  if (::testing::Test::HasFatalFailure()) return;
  STEP(Text(dlg, kPreferredDns) == "8.8.4.4", "DNS kept");
  MatchScreen("settings_dns_reopened");
  d.ClickItem(dlg, IDCANCEL);
  STEP(Driver::WaitFor([&] { return GetActiveWindow() != dlg; }), "dialog closed by Cancel");
  BackToLiveView(d, getMaintenanceMenuWnd);
}

void DateFormatLeg(Driver& d) {
  OpenSubMenuPage(d, menus::kMainSystem, getSystemMenuWnd, kDisplayItem, getSystemPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  WindowHandle page = SheetPage(d, getSystemPageWnd(), 0);
  const LResult before = SendDlgItemMessage(page, kDateFormat, CB_GETSELVALUE, 0, 0);
  const LResult rows = SendDlgItemMessage(page, kDateFormat, CB_GETCOUNT, 0, 0);
  STEP(before >= 0 && rows > 1, "a date format shown");
  MatchScreen("settings_date_opened");
  // The list opened by a click, the next row taken with the keyboard.
  WindowHandle edit = 0, list = 0;
  SendDlgItemMessage(page, kDateFormat, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit),
                     reinterpret_cast<LParam>(&list));
  d.ClickItem(page, kDateFormat);
  STEP(Driver::WaitFor([&] { return IsWindowVisible(list); }), "list opened");
  MatchScreen("settings_date_list");
  // The next row (the one before, from the last) taken by a click on it.
  const int at = static_cast<int>(SendDlgItemMessage(page, kDateFormat, CB_GETCURSEL, 0, 0));
  Point row{};
  STEP(ListRowPoint(list, at + 1 < rows ? at + 1 : at - 1, &row), "the next row in view");
  d.Click(row.x, row.y, HOST_BUTTON_LEFT);
  STEP(Driver::WaitFor([&] { return !IsWindowVisible(list); }), "list closed");
  STEP(Driver::WaitFor([&] {
         const LResult now = SendDlgItemMessage(page, kDateFormat, CB_GETSELVALUE, 0, 0);
         return now >= 0 && now != before;
       }),
       "date format changed");
  const LResult chosen = SendDlgItemMessage(page, kDateFormat, CB_GETSELVALUE, 0, 0);
  d.ClickItem(page, kApply);
  STEP(Driver::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(page, kApply)); }), "date format applied");
  MatchScreen("settings_date_applied");
  CloseWithEscape(d, getSystemMenuWnd);
  OpenSubMenuPage(d, menus::kMainSystem, getSystemMenuWnd, kDisplayItem, getSystemPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  page = SheetPage(d, getSystemPageWnd(), 0);
  STEP(SendDlgItemMessage(page, kDateFormat, CB_GETSELVALUE, 0, 0) == chosen, "date format kept");
  MatchScreen("settings_date_reopened");
  BackToLiveView(d, getSystemMenuWnd);
}

TEST(RecorderSettings, OneSettingOfEachFamilyIsChangedAppliedAndFoundKept) {
  device_seam::resetAll();
  const programtest::OwnTempFile params("recorder_settings_params.dat");
  device_seam::setSettingsFile(params.path());
  // The device's clock stands still, so that every picture is the same.
  DeviceTime still{};
  still.year = 2026;
  still.month = 3;
  still.day = 14;
  still.hour = 9;
  still.minute = 26;
  still.second = 53;
  device_seam::overrideAnswer(getDeviceTime, 1, &still, sizeof still);
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    STEP(d.LeaveWizard(), "the start-up wizard left");
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    STEP(Driver::WaitFor([] { return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW; }), "live view");
    OverwriteLeg(d);
    if (::testing::Test::HasFatalFailure()) return;
    DnsLeg(d);
    if (::testing::Test::HasFatalFailure()) return;
    DateFormatLeg(d);
    if (::testing::Test::HasFatalFailure()) return;
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
  program_seam::setLiveViewProc(nullptr);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

// System menu: the network page is its second item; its host tab and the
// HTTP port there.
constexpr int kNetSetItem = 20226, kHostTab = 7, kHttpPort = 20403;

// SIGTERM a moment after an Apply ends the program in order, and the next
// start finds what was applied (the network page writes no file itself).
TEST(RecorderSettings, AQuitSignalRightAfterAnApplyLosesNothing) {
  device_seam::resetAll();
  const programtest::OwnTempFile params("recorder_term_params.dat");
  device_seam::setSettingsFile(params.path());
  InstallQuitSignals();
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
  std::atomic<int64_t> sinceApplyUs{-1};
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    STEP(d.LeaveWizard(), "the start-up wizard left");
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    OpenSubMenuPage(d, menus::kMainSystem, getSystemMenuWnd, kNetSetItem, getSystemPageWnd);
    if (::testing::Test::HasFatalFailure()) return;
    const WindowHandle page = SheetPage(d, getSystemPageWnd(), kHostTab);
    STEP(Driver::WaitFor([page] { return Open(page); }), "host tab");
    d.Retype(page, kHttpPort, "8088");
    STEP(Driver::WaitFor([&] { return Text(page, kHttpPort) == "8088"; }), "HTTP port typed");
    d.ClickItem(page, kApply);
    // The signal follows the Apply as closely as the script sees it end.
    while (IsWindowEnabled(GetDlgItem(page, kApply))) std::this_thread::sleep_for(std::chrono::microseconds(200));
    const auto applied = std::chrono::steady_clock::now();
    ::kill(::getpid(), SIGTERM);
    sinceApplyUs = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - applied).count();
  });
  EXPECT_EQ(code, 0);
  program_seam::setLiveViewProc(nullptr);
  EXPECT_GE(sinceApplyUs.load(), 0);
  EXPECT_LT(sinceApplyUs.load(), 50000);
  // The next start: a fresh device from the file.
  device_seam::resetAll();
  loadSavedDeviceParams();
  NetConfig net{};
  getNetConfig(nullptr, &net);
  EXPECT_EQ(net.httpPort, 8088);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

}  // namespace

namespace {

constexpr int kDefaultItem = 20740;

// Each start of the program counts, as the device's capabilities are made
// before the toolkit starts: the script waits for the second start without
// asking the toolkit anything while it goes down.
std::atomic<int> g_starts{0};
void CountStart() { ++g_starts; }

// Restore, as a user asks for it on the running recorder: the reboot hint,
// the recorder back in its live view, and every kept setting at its default.
TEST(RecorderSettings, RestoreRebootsIntoTheLiveViewWithTheDefaults) {
  device_seam::resetAll();
  const programtest::OwnTempFile params("recorder_restore_params.dat");
  device_seam::setSettingsFile(params.path());
  g_starts = 0;
  program_seam::setAbilityAdjustment(CountStart);
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    STEP(d.LeaveWizard(), "the start-up wizard left");
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    Rs232Config serial{};
    serial.baudRate = 12;
    STEP(setRs232Config(nullptr, &serial, 1) == 0, "a kept setting");
    OpenSubMenuPage(d, menus::kMainMaintenance, getMaintenanceMenuWnd, kDefaultItem, getMaintenancePageWnd);
    if (::testing::Test::HasFatalFailure()) return;
    d.ClickItem(SheetPage(d, getMaintenancePageWnd(), 0), kOk);
    // The hint stands a second, then the recorder starts again.
    STEP(Driver::WaitOutside([] { return g_starts.load() == 2; }, Driver::kStartSeconds), "restarted");
    STEP(d.WaitForLiveView() != 0, "live view again");
    // The defaults switch the start-up wizard on again.
    STEP(d.LeaveWizard(), "the start-up wizard left again");
    STEP(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }), "start-up done");
    DeviceConfig restoring{};
    STEP(GetPowerKeyDownFlag() == 0 && longOpConfig(&restoring) == 0, "flags cleared");
    getRs232Config(nullptr, &serial);
    STEP(serial.baudRate == 9, "defaults: 9600 baud");
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
  program_seam::setLiveViewProc(nullptr);
  program_seam::setAbilityAdjustment(nullptr);
  device_seam::setSettingsFile("");
  device_seam::resetAll();
}

}  // namespace
