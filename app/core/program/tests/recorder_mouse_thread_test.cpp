// Settings pages used with the mouse alone on the running recorder, press
// and release with no pause: every tab header and menu column item answers
// every click, the schedule page's controls take theirs, and no window
// keeps the mouse once a click is over.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <linux/input-event-codes.h>

#include "app/app_registry.h"
#include "app/core/menus/menu_rules.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/recorder_driver.h"
#include "app/core/program/tests/tab_point.h"
#include "app/device_test_seam.h"
#include "app/msgbox.h"
#include "app/page_frame.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using programtest::Driver;
using programtest::Open;
using programtest::RunWithScript;

constexpr char kPassword[] = "73916";
// Record menu items; the schedule tabs' enable boxes and day editor.
constexpr int kScheduleItem = 18432, kEncodeItem = 18433, kAdvancedItem = 18434, kHolidayItem = 18435,
              kRecordExit = 18447;
constexpr int kRecordEnable = 18961, kCaptureEnable = 19009, kEditDay = 18962;
// System menu items.
constexpr int kDisplayItem = 20225, kNetworkItem = 20226, kAlarmItem = 20227, kLiveViewItem = 20229, kSystemExit = 20224;
// The alarm window's input tab: its handle box and event handling button.
constexpr int kAlarmInputTab = 1, kHandleAlarm = 20251, kHandling = 20252;

#define STEP(cond, what)                                                          \
  do {                                                                            \
    const bool ok_ = (cond);                                                      \
    if (!ok_) std::fprintf(stderr, "RecorderMouse: %s: %s\n", std::string(what).c_str(), #cond); \
    ASSERT_TRUE(ok_) << (what);                                                   \
  } while (0)

WindowHandle Sheet(WindowHandle window) { return GetDlgItem(window, PAGE_ID_SHEET); }
LResult ActiveTab(WindowHandle window) { return SendMessage(Sheet(window), PSM_GETACTIVEINDEX, 0, 0); }
WindowHandle ActivePage(WindowHandle window) {
  return static_cast<WindowHandle>(SendMessage(Sheet(window), PSM_GETACTIVEPAGE, 0, 0));
}
bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Once a click is over no window holds the mouse; held, the next click
// would go to it wherever it lands.
void NothingCaptured(const std::string& after) {
  STEP(Driver::WaitFor([] { return GetCapture() == 0; }, 2), "no capture after " + after);
}

void ClickControl(Driver& d, WindowHandle window, int id, const std::string& what) {
  d.ClickItem(window, id);
  NothingCaptured(what);
}

void ClickTab(Driver& d, WindowHandle window, int index) {
  const std::string what = "tab " + std::to_string(index);
  int x = 0, y = 0;
  STEP(programtest::TabHeaderPoint(Sheet(window), index, &x, &y), what + " shown");
  d.Click(x, y, HOST_BUTTON_LEFT);
  STEP(Driver::WaitFor([&] { return ActiveTab(window) == index; }, 2), what + " answers");
  NothingCaptured(what);
}

// Every tab header in turn, and the first again.
void ClickEveryTab(Driver& d, WindowHandle window, const char* name) {
  // The sheet shows while its pages are still being added.
  Driver::AwaitHandled(window, std::chrono::steady_clock::now() + std::chrono::seconds(10));
  const LResult count = SendMessage(Sheet(window), PSM_GETPAGECOUNT, 0, 0);
  STEP(count >= 1, std::string(name) + " has tabs");
  for (int i = 1; i < count; ++i) {
    ClickTab(d, window, i);
    if (::testing::Test::HasFatalFailure()) return;
  }
  if (count > 1) ClickTab(d, window, 0);
}

// A menu column item clicked: its page takes the menu's slot, and the item,
// now the open one, is disabled.
void ClickMenuItem(Driver& d, WindowHandle (*menu)(), WindowHandle (*slot)(), int item, const char* name) {
  const WindowHandle before = slot();
  ClickControl(d, menu(), item, name);
  d.LogInIfAsked(kPassword);
  STEP(Driver::WaitFor([&] {
         return slot() != before && Open(slot()) && !IsWindowEnabled(GetDlgItem(menu(), item));
       }),
       std::string(name) + " opened from the menu column");
}

// Menu column items in turn, each page's tabs clicked through.
struct Item {
  int id;
  const char* name;
};
void VisitItems(Driver& d, WindowHandle (*menu)(), WindowHandle (*slot)(), std::initializer_list<Item> items) {
  for (const Item& item : items) {
    ClickMenuItem(d, menu, slot, item.id, item.name);
    if (::testing::Test::HasFatalFailure()) return;
    ClickEveryTab(d, slot(), item.name);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// The main menu's sub-menu `item`, with the page it opens first.
void OpenSubMenu(Driver& d, int item, WindowHandle (*menu)(), WindowHandle (*slot)()) {
  if (!Open(getMainMenuWnd())) STEP(d.OpenMainMenu(), "main menu");
  ClickControl(d, getMainMenuWnd(), item, "main menu item");
  d.LogInIfAsked(kPassword);
  STEP(Driver::WaitFor([&] { return Open(menu()) && Open(slot()) && Open(Sheet(slot())); }), "sub-menu and page");
}

// The menu column's exit, then the main menu's: the live view opens its
// pop-up menu to a right click.
void LeaveByMouse(Driver& d, WindowHandle (*menu)(), int exit) {
  ClickControl(d, menu(), exit, "menu exit");
  STEP(Driver::WaitFor([&] { return !Open(menu()); }), "sub-menu left");
  STEP(Driver::AwaitMainMenuOrLiveView(), "main menu back");
  if (Open(getMainMenuWnd())) ClickControl(d, getMainMenuWnd(), menus::kMainExit, "main menu exit");
  STEP(Driver::WaitFor([] { return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW; }), "live view");
  d.Click(300, 200, HOST_BUTTON_RIGHT);
  STEP(Driver::WaitFor([] { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; }),
       "live view pop-up menu");
  d.Key(KEY_ESC);
  NothingCaptured("the pop-up menu");
}

// A box ticked and applied, on the active tab of the schedule page.
void EnableAndApply(Driver& d, WindowHandle page, int box) {
  const bool before = Checked(page, box);
  ClickControl(d, page, box, "enable box");
  STEP(Driver::WaitFor([&] { return Checked(page, box) != before; }), "enable box toggles");
  STEP(Driver::WaitFor([&] { return IsWindowEnabled(GetDlgItem(page, PAGE_ID_APPLY)); }), "Apply enabled");
  ClickControl(d, page, PAGE_ID_APPLY, "Apply");
  STEP(Driver::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(page, PAGE_ID_APPLY)); }), "applied");
}

// A dialog a page's button opens, left by its Cancel.
void OpenAndCancel(Driver& d, WindowHandle page, int button, const char* name) {
  const WindowHandle window = GetActiveWindow();
  ClickControl(d, page, button, name);
  WindowHandle dialog = 0;
  STEP(Driver::WaitFor([&] {
         dialog = GetActiveWindow();
         return dialog != window && Open(dialog) && IsValidHandle(GetDlgItem(dialog, IDCANCEL));
       }),
       std::string(name) + " dialog");
  // Its buttons show whole: a button cut by the dialog's edge is half a button.
  Rect client{};
  GetClientRect(dialog, &client);
  for (int id : {PAGE_ID_OK, PAGE_ID_APPLY, IDCANCEL}) {
    const WindowHandle button = GetDlgItem(dialog, id);
    if (!IsValidHandle(button) || !IsWindowVisible(button)) continue;
    Rect r{};
    GetWindowRect(button, &r);
    STEP(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom,
         std::string(name) + " button " + std::to_string(id) + " inside the dialog");
  }
  ClickControl(d, dialog, IDCANCEL, std::string(name) + " cancel");
  STEP(Driver::WaitFor([&] { return GetActiveWindow() == window; }), std::string(name) + " closed");
}

void RunLegs(void (*legs)(Driver&)) {
  device_seam::resetAll();
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
  const int code = RunWithScript([&](Driver& d) {
    ASSERT_NE(d.WaitForLiveView(), 0u);
    STEP(d.LeaveWizard(), "the start-up wizard left");
    ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
    legs(d);
    if (::testing::Test::HasFatalFailure()) return;
    d.CloseHostWindow();
  });
  program_seam::setLiveViewProc(nullptr);
  device_seam::resetAll();
  EXPECT_EQ(code, 0);
}

// The record menu opens on the schedule page, whose tabs' controls, tab
// headers and the menu column all take clicks.
void RecordLegs(Driver& d) {
  OpenSubMenu(d, menus::kMainRecord, getRecordMenuWnd, getRecordPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  EnableAndApply(d, ActivePage(getRecordPageWnd()), kRecordEnable);
  if (::testing::Test::HasFatalFailure()) return;
  OpenAndCancel(d, ActivePage(getRecordPageWnd()), kEditDay, "day editor");
  if (::testing::Test::HasFatalFailure()) return;
  OpenAndCancel(d, ActivePage(getRecordPageWnd()), PAGE_ID_COPY, "copy");
  if (::testing::Test::HasFatalFailure()) return;
  ClickTab(d, getRecordPageWnd(), 1);
  if (::testing::Test::HasFatalFailure()) return;
  EnableAndApply(d, ActivePage(getRecordPageWnd()), kCaptureEnable);
  if (::testing::Test::HasFatalFailure()) return;
  ClickTab(d, getRecordPageWnd(), 0);
  if (::testing::Test::HasFatalFailure()) return;
  VisitItems(d, getRecordMenuWnd, getRecordPageWnd,
             {{kEncodeItem, "encode"}, {kAdvancedItem, "advanced"}, {kHolidayItem, "holiday"},
              {kScheduleItem, "schedule"}, {kEncodeItem, "encode again"}});
  if (::testing::Test::HasFatalFailure()) return;
  LeaveByMouse(d, getRecordMenuWnd, kRecordExit);
}

TEST(RecorderMouse, TheScheduleTabsTheirControlsAndTheRecordMenuColumnTakeClicks) { RunLegs(RecordLegs); }

// The alarm input tab's event handling sheet: every tab of it, then its
// Cancel.
void HandlingSheetLeg(Driver& d) {
  ClickTab(d, getSystemPageWnd(), kAlarmInputTab);
  if (::testing::Test::HasFatalFailure()) return;
  const WindowHandle page = ActivePage(getSystemPageWnd()), window = GetActiveWindow();
  if (!IsWindowEnabled(GetDlgItem(page, kHandling))) ClickControl(d, page, kHandleAlarm, "handle alarm box");
  STEP(Driver::WaitFor([&] { return IsWindowEnabled(GetDlgItem(page, kHandling)) == TRUE; }), "handling enabled");
  ClickControl(d, page, kHandling, "handling");
  WindowHandle sheet = 0;
  STEP(Driver::WaitFor([&] {
         sheet = GetActiveWindow();
         return sheet != window && Open(sheet) && Open(Sheet(sheet));
       }),
       "event handling sheet");
  ClickEveryTab(d, sheet, "event handling");
  if (::testing::Test::HasFatalFailure()) return;
  ClickControl(d, ActivePage(sheet), IDCANCEL, "event handling cancel");
  STEP(Driver::WaitFor([&] { return GetActiveWindow() == window; }), "event handling closed");
}

// Every tab of the display, network, live view and alarm pages and of the
// event handling sheet, with the menu column between them.
void SystemLegs(Driver& d) {
  OpenSubMenu(d, menus::kMainSystem, getSystemMenuWnd, getSystemPageWnd);
  if (::testing::Test::HasFatalFailure()) return;
  ClickEveryTab(d, getSystemPageWnd(), "display");
  if (::testing::Test::HasFatalFailure()) return;
  VisitItems(d, getSystemMenuWnd, getSystemPageWnd,
             {{kNetworkItem, "network"}, {kLiveViewItem, "live view"}, {kAlarmItem, "alarm"}});
  if (::testing::Test::HasFatalFailure()) return;
  HandlingSheetLeg(d);
  if (::testing::Test::HasFatalFailure()) return;
  VisitItems(d, getSystemMenuWnd, getSystemPageWnd, {{kDisplayItem, "display"}});
  if (::testing::Test::HasFatalFailure()) return;
  LeaveByMouse(d, getSystemMenuWnd, kSystemExit);
}

TEST(RecorderMouse, EveryTabHeaderAndMenuItemAnswersEveryClick) { RunLegs(SystemLegs); }

std::string Text(WindowHandle w) {
  char text[256] = "";
  GetWindowText(w, text, sizeof text);
  return text;
}

// The pointer brought onto tiles of the main menu, from outside the menu
// and from tile to tile: the tip line names the tile under it.
void TipLeg(Driver& d) {
  STEP(d.OpenMainMenu(), "main menu");
  const WindowHandle menu = getMainMenuWnd(), tip = GetDlgItem(menu, 0);
  STEP(IsValidHandle(tip), "tip line");
  const struct {
    int id;
    const char* hint;
  } kTiles[] = {{menus::kMainRecord, "recordconfig_hint"}, {menus::kMainSystem, "systemconfig_hint"},
                {menus::kMainPlayback, "playback_hint"}};
  for (const auto& tile : kTiles) {
    Rect r{};
    GetWindowRect(GetDlgItem(menu, tile.id), &r);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ClientToScreen(menu, &x, &y);
    HostInjectMouseMove(x, y);
    const std::string want = lookupText("mainmenu", tile.hint);
    STEP(!want.empty() && Driver::WaitFor([&] { return Text(tip) == want; }), std::string("tip of ") + tile.hint);
  }
  ClickControl(d, menu, menus::kMainExit, "main menu exit");
  STEP(Driver::WaitFor([] { return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW; }), "live view");
}

TEST(RecorderMouse, TheMainMenuTipLineNamesTheTileUnderThePointer) { RunLegs(TipLeg); }

}  // namespace
