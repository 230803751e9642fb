// Every item of the live view's side menu and pop-up menu as a user opens
// it on the running recorder, and every window it opens closed each way it
// can be closed: afterwards the live view still opens its side menu and its
// pop-up menu, whatever was opened and however it was left.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <linux/input-event-codes.h>

#include "app/app_registry.h"
#include "app/camera.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/recorder_driver.h"
#include "app/core/program/tests/tab_point.h"
#include "app/core/liveview/popup_menu.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/left_menu.h"
#include "app/liveview_menu.h"
#include "app/page_ids.h"
#include "app/page_keys.h"
#include "core/dialog/tests/message_box_wait.h"
#include "gui/combobox.h"
#include "gui/propsheet.h"

namespace {

using programtest::Driver;
using programtest::Open;
using programtest::RunWithScript;

// Two points on the channel: clicks that follow each other within the
// double-click time on one point would be a double click.
constexpr int kChannelX = 300, kChannelY = 200, kOtherX = 340, kOtherY = 240;

// The run captures standard output, where failures go; each step that did
// not come is named on standard error as well.
#define STEP(cond, what)                                                              \
  do {                                                                                \
    const bool ok_ = (cond);                                                          \
    if (!ok_) std::fprintf(stderr, "RecorderWalk: %s: %s (%s)\n", std::string(what).c_str(), #cond, Dump().c_str()); \
    ASSERT_TRUE(ok_) << (what);                                                       \
  } while (0)

int Main() { return getMainOutput(); }
WindowHandle Bar() { return getLeftMenuWnd(Main()); }
std::string Dump() {
  char text[160];
  const WindowHandle live = FirstPreviewWindow(Main());
  std::snprintf(text, sizeof text, "state %d, pop-up flag %d, bar %d, active %s, live view %s", getOutputState(Main()),
                getLiveViewPopup(Main()), Open(Bar()),
                GetActiveWindow() == live ? "live" : GetActiveWindow() == Bar() ? "bar" : "other",
                IsWindowEnabled(live) ? "enabled" : "disabled");
  return text;
}
bool MenuUp() { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(Main()))) != 0; }
// A window takes the keys given next once it is the active one; shown, it
// may still be taking the activation.
bool Standing(WindowHandle w) { return Open(w) && GetActiveWindow() == w; }

// The ways a user leaves a window: its cancel button, Escape, a right click
// in it (the closing key).
enum class Way { kCancel, kEscape, kRightClick };
const char* Name(Way w) { return w == Way::kCancel ? "cancel" : w == Way::kEscape ? "escape" : "right click"; }
// Under ThreadSanitizer each window is left one way only: the walk is slow
// there, and the threads it checks are the same.
#if defined(__SANITIZE_THREAD__)
const Way kWays[] = {Way::kEscape};
#else
const Way kWays[] = {Way::kCancel, Way::kEscape, Way::kRightClick};
#endif

void Leave(Driver& d, WindowHandle window, Way way) {
  Rect r{};
  GetWindowRect(window, &r);
  switch (way) {
    case Way::kCancel:
      if (GetDlgItem(window, IDCANCEL) != GUI_INVALID_HANDLE && GetDlgItem(window, IDCANCEL) != 0)
        d.ClickItem(window, IDCANCEL);
      else
        d.Key(KEY_ESC);
      break;
    case Way::kEscape:
      d.Key(KEY_ESC);
      break;
    case Way::kRightClick:
      d.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, HOST_BUTTON_RIGHT);
      break;
  }
}

// The live view answers again: its side menu opens on a channel and closes
// with Escape, its pop-up menu opens on a right click and closes with Escape.
void ExpectLiveViewAnswers(Driver& d, const std::string& after) {
  STEP(Driver::WaitFor([] { return getOutputState(Main()) == OUTSTATE_LIVEVIEW; }), after + ": live view state");
  d.Click(kOtherX, kOtherY, HOST_BUTTON_LEFT);
  STEP(Driver::WaitFor([] { return Open(Bar()) && getLiveViewPopup(Main()) == 1; }), after + ": side menu opens");
  d.Key(KEY_ESC);
  STEP(Driver::WaitFor([] { return !Open(Bar()) && getLiveViewPopup(Main()) == 0; }), after + ": side menu closes");
  d.Click(kOtherX, kOtherY, HOST_BUTTON_RIGHT);
  STEP(Driver::WaitFor(MenuUp), after + ": pop-up menu opens");
  d.Key(KEY_ESC);
  STEP(Driver::WaitFor([] { return !MenuUp(); }), after + ": pop-up menu closes");
}

void WaitForStart(Driver& d) {
  ASSERT_NE(d.WaitForLiveView(), 0u);
  ASSERT_TRUE(d.LeaveWizard());
  ASSERT_TRUE(Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); }));
}

struct SideItem {
  int id;
  std::function<WindowHandle()> opened;  // the window the item opens, if any
  // The item answers with a box on the test's device (its channels have no
  // live audio): the box is waited for, as it comes a moment after the click.
  bool box = false;
};

TEST(RecorderWalk, EverySideMenuItemOpenedAndLeftEachWayLeavesTheLiveViewAnswering) {
  const std::vector<SideItem> items = {
      {LEFTMENU_STARTREC, nullptr},   {LEFTMENU_STOPREC, nullptr},
      {LEFTMENU_OPENSOUND, nullptr, true},  {LEFTMENU_CLOSESOUND, nullptr},
      {LEFTMENU_SNAPSHOT, nullptr},   {LEFTMENU_DIGITZOOM, nullptr},
      {LEFTMENU_HIDE, nullptr},       {LEFTMENU_PLAYBACK5M, [] { return getInstantPlayWnd(Main()); }},
      {LEFTMENU_PTZ, getPtzPlayWindow}, {LEFTMENU_COLORSET, getLeftColorSetWnd},
      {LEFTMENU_STRATEGY, getPreviewStrategyWnd},
  };
  const int code = RunWithScript([&](Driver& d) {
    WaitForStart(d);
    int clicks = 0;
    for (const SideItem& item : items)
      for (Way way : kWays) {
        const std::string what = "side item " + std::to_string(item.id) + " left by " + Name(way);
        d.Click(kChannelX + 20 * (++clicks % 2), kChannelY, HOST_BUTTON_LEFT);
        STEP(Driver::WaitFor([] { return Open(Bar()); }), what + ": bar");
        if (!Open(GetDlgItem(Bar(), item.id))) break;  // not offered for this channel now
        d.ClickItem(Bar(), item.id);
        if (item.opened) {
          STEP(Driver::WaitFor([&] { return Standing(item.opened()); }), what + ": opens");
          Leave(d, item.opened(), way);
          STEP(Driver::WaitFor([&] { return !Open(item.opened()); }), what + ": closes");
        } else if (item.id == LEFTMENU_DIGITZOOM) {
          STEP(Driver::WaitFor([] { return getOutputState(Main()) == OUTSTATE_ZOOM; }), what + ": zoom");
          d.Click(kChannelX, kChannelY, HOST_BUTTON_RIGHT);  // ends the zoom
        } else {
          if (item.box) {
            STEP(desktest::AwaitMessageBox() != 0, what + ": box");
            d.Key(KEY_ENTER);
          }
          const WindowHandle live = FirstPreviewWindow(Main());
          STEP(Driver::WaitFor([&] { return GetActiveWindow() == live || GetActiveWindow() == Bar(); }),
               what + ": box answered");
          if (Open(Bar())) d.Key(KEY_ESC);
        }
        ExpectLiveViewAnswers(d, what);
        if (::testing::Test::HasFatalFailure()) return;
        if (!item.opened) break;  // nothing to leave in other ways
      }
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
}

// A quick hand clicks a second item before the bar has closed for the
// first: the second click belongs to a bar no longer shown and opens
// nothing, so the first window stays the one to leave. The two items are
// clicked as a double click; every other click is a single one.
TEST(RecorderWalk, ASecondSideItemClickedBeforeTheBarClosesOpensNothing) {
  const SideItem pairs[][2] = {
      {{LEFTMENU_COLORSET, getLeftColorSetWnd}, {LEFTMENU_PTZ, getPtzPlayWindow}},
      {{LEFTMENU_PTZ, getPtzPlayWindow}, {LEFTMENU_COLORSET, getLeftColorSetWnd}},
      {{LEFTMENU_STRATEGY, getPreviewStrategyWnd}, {LEFTMENU_COLORSET, getLeftColorSetWnd}},
  };
  // The clicks given back to back must each be a single click, however
  // late a loaded machine reads them.
  inputtest::SingleClicks single;
  const int code = RunWithScript([&](Driver& d) {
    WaitForStart(d);
    int clicks = 0;
    for (const auto& pair : pairs) {
      const std::string what = "side items " + std::to_string(pair[0].id) + " then " + std::to_string(pair[1].id);
      d.Click(kChannelX + 20 * (++clicks % 2), kChannelY, HOST_BUTTON_LEFT);
      STEP(Driver::WaitFor([] { return Open(Bar()); }), what + ": bar");
      const Point first = Driver::ItemCentre(Bar(), pair[0].id), second = Driver::ItemCentre(Bar(), pair[1].id);
      for (const Point& p : {first, second}) {
        HostInjectMouseMove(p.x, p.y);
        HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
        HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
      }
      STEP(Driver::WaitFor([&] { return Open(pair[0].opened()); }), what + ": first opens");
      Driver::Settle();
      STEP(!Open(pair[1].opened()), what + ": second stays shut");
      STEP(GetActiveWindow() == pair[0].opened(), what + ": first active");
      Leave(d, pair[0].opened(), Way::kEscape);
      STEP(Driver::WaitFor([&] { return !Open(pair[0].opened()); }), what + ": first closes");
      ExpectLiveViewAnswers(d, what);
      if (::testing::Test::HasFatalFailure()) return;
    }
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
}

}  // namespace

namespace {

constexpr int kSystemItem = 16390, kLiveViewSettings = 20229, kSheet = PAGE_ID_SHEET;

bool Dropped(WindowHandle combo) { return Open(GetDlgItem(combo, CB_LIST_ID)); }

// The live view settings page as the system menu opens it: every combo box
// of both tabs opens its list by a click on its arrow and on its text, and
// by Enter and Down, and starts on one of its rows, but for the event output
// and its delay, whose values on a fresh device no row holds.
TEST(RecorderWalk, EveryComboBoxOfTheLiveViewSettingsOpensByClickAndKey) {
  program_seam::setLiveViewProc(programtest::TabPointLiveProc);
  const int code = RunWithScript([&](Driver& d) {
    WaitForStart(d);
    d.Click(kChannelX, kChannelY, HOST_BUTTON_RIGHT);
    STEP(Driver::WaitFor(MenuUp), "pop-up menu");
    d.Click(kChannelX + 20, kChannelY + 12, HOST_BUTTON_LEFT);  // its first item: the main menu
    STEP(Driver::WaitFor([] { return Open(getMainMenuWnd()); }), "main menu");
    d.ClickItem(getMainMenuWnd(), kSystemItem);
    STEP(Driver::WaitFor([] { return Open(getSystemMenuWnd()) && Open(getSystemPageWnd()); }), "system menu");
    // The item's page takes the place of the page the menu opened first
    // (whose handle it may reuse): its first tab's first combo tells it.
    d.ClickItem(getSystemMenuWnd(), kLiveViewSettings);
    STEP(Driver::WaitFor([] {
           const WindowHandle sheet = GetDlgItem(getSystemPageWnd(), kSheet);
           return Open(sheet) && Open(GetDlgItem(static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0)), 20448));
         }),
         "live view settings");
    const WindowHandle sheet = GetDlgItem(getSystemPageWnd(), kSheet);
    const int boxes[2][5] = {{20448, 20449, 20450, 20452, 20453}, {20459, 0, 0, 0, 0}};
    for (int tab = 0; tab < 2; ++tab) {
      const WindowHandle page = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, tab, 0));
      if (tab == 1) {
        STEP(programtest::ShowTabByClick(d, sheet, 1), "second tab by a click on its header");
        STEP(Driver::WaitFor([&] { return Open(page); }), "second tab");
      }
      for (int id : boxes[tab]) {
        if (!id) continue;
        const std::string what = "combo " + std::to_string(id);
        const WindowHandle combo = GetDlgItem(page, id);
        STEP(Open(combo), what);
        const bool freshValue = id == 20452 || id == 20453;
        STEP((SendMessage(combo, CB_GETCURSEL, 0, 0) >= 0) != freshValue, what + " starts on the device's row");
        Rect r{};
        GetWindowRect(combo, &r);
        int left = 0, top = 0;
        ClientToScreen(page, &left, &top);
        const int y = top + (r.top + r.bottom) / 2;
        for (int x : {left + r.right - 6, left + r.left + 12}) {
          d.Click(x, y, HOST_BUTTON_LEFT);
          STEP(Driver::WaitFor([&] { return Dropped(combo); }), what + " clicked at " + std::to_string(x - left - r.left));
          d.Key(KEY_ENTER);
          STEP(Driver::WaitFor([&] { return !Dropped(combo); }), what + " closed by Enter");
        }
        for (int key : {KEY_ENTER}) {
          d.Key(key);
          STEP(Driver::WaitFor([&] { return Dropped(combo); }), what + " opened by key " + std::to_string(key));
          d.Key(KEY_ESC);
          STEP(Driver::WaitFor([&] { return !Dropped(combo); }), what + " closed by Escape");
          STEP(Open(getSystemPageWnd()), what + ": the page stays open");
        }
      }
    }
    d.CloseHostWindow();
  });
  program_seam::setLiveViewProc(nullptr);
  EXPECT_EQ(code, 0);
}

}  // namespace

namespace {

// What a pop-up item opens on the test's device: the main menu, the output
// mode dialog, or (the record sub-menu's item) a box asking whether every
// channel is to record; the other items change the live view alone.
enum class Opens { kNothing, kWindow, kBox };
Opens WhatItOpens(int id) {
  switch (id) {
    case popup_menu::kMainMenu:
    case popup_menu::kOutputMode: return Opens::kWindow;
    case popup_menu::kRecord: return Opens::kBox;
    default: return Opens::kNothing;
  }
}

// The window a pop-up item opened, if any.
WindowHandle OpenedWindow() {
  const WindowHandle active = GetActiveWindow();
  const WindowHandle live = FirstPreviewWindow(Main());
  return active != live && active != Bar() && IsValidHandle(active) ? active : 0;
}

// Every item of the pop-up menu chosen with the keyboard (a sub-menu's first
// item for the sub-menus), whatever it opened left each way: the live view
// still answers afterwards.
TEST(RecorderWalk, EveryPopUpItemChosenAndLeftEachWayLeavesTheLiveViewAnswering) {
  const int code = RunWithScript([&](Driver& d) {
    WaitForStart(d);
    d.Click(kOtherX, kOtherY, HOST_BUTTON_RIGHT);
    STEP(Driver::WaitFor(MenuUp), "pop-up menu");
    const MenuHandle menu = getLiveViewMenu(Main());
    const int items = GetMenuItemCount(menu);
    d.Key(KEY_ESC);
    STEP(Driver::WaitFor([] { return !MenuUp(); }), "pop-up menu closes");
    for (int k = 0; k < items; ++k)
      for (Way way : kWays) {
        const std::string what = "pop-up item " + std::to_string(k) + " left by " + Name(way);
        d.Click(kChannelX, kChannelY, HOST_BUTTON_RIGHT);
        STEP(Driver::WaitFor(MenuUp), what + ": menu");
        const MenuHandle now = getLiveViewMenu(Main());
        const bool sub = GetSubMenu(now, k) != 0;
        const Opens opens = WhatItOpens(GetMenuItemID(now, k));
        for (int i = 0; i <= k; ++i) d.Key(KEY_DOWN);
        if (sub) {
          d.Key(KEY_RIGHT);
          d.Key(KEY_DOWN);  // an item of the sub-menu
        }
        d.Key(KEY_ENTER);
        STEP(Driver::WaitFor([] { return !MenuUp(); }), what + ": chosen");
        // What it opens comes a moment after the menu closes.
        if (opens == Opens::kBox) STEP(desktest::AwaitMessageBox() != 0, what + ": box");
        if (opens == Opens::kWindow) STEP(Driver::WaitFor([] { return OpenedWindow() != 0; }), what + ": opens");
        for (int tries = 0; tries < 4 && OpenedWindow(); ++tries) {
          const WindowHandle window = OpenedWindow();
          Leave(d, window, way);
          Driver::WaitFor([&] { return OpenedWindow() != window; });
        }
        STEP(!OpenedWindow(), what + ": left");
        ExpectLiveViewAnswers(d, what);
        if (::testing::Test::HasFatalFailure()) return;
        if (opens == Opens::kNothing) break;
      }
    d.CloseHostWindow();
  });
  EXPECT_EQ(code, 0);
}

}  // namespace
