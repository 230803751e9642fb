// The main menu and its sub-menus as the user meets them, run modally on the
// test thread: steps posted before a dialog opens run inside its loop. The
// sub-menus' pages are stand-in windows registered like the real ones where
// a test looks at the menus' own work; the screenshots show the real pages.
#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/page_ids.h"
#include "app/testing/page_harness.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/core/menus/menu_rules.h"
#include "app/core/menus/submenu.h"
#include "app/camera.h"
#include "app/device_backend.h"
#include "app/menus.h"
#include "app/page_keys.h"
#include "app/playback.h"
#include "app/record_pages.h"
#include "app/system_services.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/layout.h"
#include "gui/message.h"

namespace {

using livetest::LiveGui;
using menus::SubMenu;

constexpr int kInspect = 0x9102;
constexpr int kMainExit = menus::kMainExit, kMaintenanceExit = 20751, kResolutionOk = PAGE_ID_OK;

struct Opened {
  SubMenu which;
  int position;
  bool operator==(const Opened& o) const { return which == o.which && position == o.position; }
};

std::vector<Opened> g_opened;
std::function<WindowHandle()> g_newPage;
// How often a fake page was made the active window.
std::atomic<int> g_pageActivations{0};

void (*PageSetter(SubMenu which))(WindowHandle) {
  switch (which) {
    case SubMenu::kExport: return setSearchPicWnd;
    case SubMenu::kManual: return setManualPageWnd;
    case SubMenu::kRecord: return setRecordPageWnd;
    case SubMenu::kSystem: return setSystemPageWnd;
    default: return setMaintenancePageWnd;
  }
}

// A page that stays beside its menu, as the finished pages do.
LResult FakePageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_ACTIVATE && wParam != 0) ++g_pageActivations;
  if (msg == MSG_CLOSE) {
    reinterpret_cast<void (*)(WindowHandle)>(GetWindowAdditionalData(hwnd))(GUI_INVALID_HANDLE);
    ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

int OpenFakePage(const menus::SubMenuFamily& family, int position, WindowHandle) {
  g_opened.push_back({family.which, position});
  const WindowHandle page = g_newPage();
  SetWindowAdditionalData(page, reinterpret_cast<LParam>(PageSetter(family.which)));
  PageSetter(family.which)(page);
  return 0;
}

// Steps run inside whatever modal loop runs when the helper's message comes.
// Sent with wParam kAwait they read nothing first: a step that waits for a
// loop a click opens posts itself again while it is not there, and a read
// could open that loop inside the step, where no post would come.
std::function<void()> g_inspect;
constexpr WParam kAwait = 1;
LResult InspectProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kInspect) {
    if (wParam != kAwait) desktest::Drain();
    if (g_inspect) g_inspect();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

bool Valid(WindowHandle hwnd) { return IsValidHandle(hwnd) && IsWindow(hwnd); }

int IdOf(WindowHandle dlg, int id) { return Valid(GetDlgItem(dlg, id)) ? id : 0; }

std::vector<int> DisabledItems(WindowHandle dlg, int first, int count) {
  std::vector<int> out;
  for (int id = first; id < first + count; ++id)
    if (Valid(GetDlgItem(dlg, id)) && !IsWindowEnabled(GetDlgItem(dlg, id))) out.push_back(id);
  return out;
}

int Top(WindowHandle dlg, int id) {
  Rect r{};
  GetWindowRect(GetDlgItem(dlg, id), &r);
  return r.top;
}

using livetest::Click;

class Menus : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    initDeviceAbility();
    g_opened.clear();
    g_newPage = [this] {
      return Main({600, 200, 900, 400}, FakePageProc);
    };
    menus::submenu_seam::setPageOpener(OpenFakePage);
    inspector_ = Main({0, 0, 4, 4}, InspectProc);
  }
  inputtest::SingleClicks singleClicks_;
  void TearDown() override {
    menus::submenu_seam::setPageOpener(nullptr);
    g_inspect = nullptr;
    setLoginState(3, 0, 0);
    initDeviceAbility();  // the device as the other tests expect it
    LiveGui::TearDown();
  }
  static const CtrlResInfo* Record(const char* section, const char* key) {
    CtrlResInfo* rec = nullptr;
    return GetCtrlResInfo(section, key, &rec) ? rec : nullptr;
  }

  WindowHandle inspector_ = GUI_INVALID_HANDLE;
};

TEST_F(Menus, GuestInMaintenanceKeepsTheSelectionWhenRefusedAndMovesItOtherwise) {
  setLoginState(3, 1, 0);  // the guest: rights 4, 16, 16384, 0x10000
  std::vector<int> disabledAtOpen, disabledAfterRefusal, disabledAfterMove;
  WindowHandle firstPage = GUI_INVALID_HANDLE, secondPage = GUI_INVALID_HANDLE, refusedOver = 0, activeAfterRight = 0,
               activeAfterLeft = 0, menu = 0;
  int focusAtOpen = -1, firstPageVisibleAfterMove = 0;
  RunInLoop(showMaintenanceMenu, [&] {
    const WindowHandle dlg = menu = getMaintenanceMenuWnd();
    disabledAtOpen = DisabledItems(dlg, 20736, 7);
    focusAtOpen = GetDlgCtrlID(GetFocusChild(dlg));
    firstPage = getMaintenancePageWnd();
    Click(dlg, 20738);  // configuration needs right 8
    refusedOver = livetest::Boxes().empty() ? 0 : livetest::Boxes().back().owner;
    disabledAfterRefusal = DisabledItems(dlg, 20736, 7);
    Click(dlg, 20737);  // log search
    livetest::PumpUntil([] { return getMaintenancePageWnd() != GUI_INVALID_HANDLE; });
    desktest::Drain();
    const int activations = g_pageActivations;
    Click(dlg, 20737);  // the selected item again: nothing but the column active
    firstPageVisibleAfterMove = IsWindowVisible(firstPage);
    secondPage = getMaintenancePageWnd();
    disabledAfterMove = DisabledItems(dlg, 20736, 7);
    // Left leads nowhere from the column; right goes over to its page.
    EXPECT_TRUE(livetest::PumpUntil([dlg] { return GetActiveWindow() == dlg; })) << "the click made the column active";
    EXPECT_TRUE(inputtest::Type(dlg, KEY_LEFT));
    // The page came back in front without taking the keyboard, even for a
    // moment: a key typed right after the press goes to the column.
    EXPECT_EQ(g_pageActivations, activations);
    activeAfterLeft = GetActiveWindow();
    livetest::PressKey(KEY_RIGHT);
    livetest::PumpUntil([&] { return GetActiveWindow() != dlg; });
    activeAfterRight = GetActiveWindow();
    inputtest::ClickClosing(dlg, kMaintenanceExit);
  });
  EXPECT_EQ(g_opened, (std::vector<Opened>{{SubMenu::kMaintenance, 0}, {SubMenu::kMaintenance, 1}}));
  EXPECT_EQ(disabledAtOpen, std::vector<int>{20736});
  EXPECT_EQ(focusAtOpen, 20751);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "No permission!");
  EXPECT_EQ(refusedOver, firstPage);
  EXPECT_EQ(disabledAfterRefusal, std::vector<int>{20736});
  EXPECT_FALSE(firstPageVisibleAfterMove);
  EXPECT_NE(secondPage, firstPage);
  EXPECT_EQ(disabledAfterMove, std::vector<int>{20737});
  EXPECT_EQ(activeAfterLeft, menu);
  EXPECT_EQ(activeAfterRight, secondPage);
  EXPECT_EQ(getMaintenancePageWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getMaintenanceMenuWnd(), GUI_INVALID_HANDLE);
}

// Which page each member opens first is in the screenshots; the export menu
// also tells the record search whether the user chose it.
TEST_F(Menus, ExportMenuMarksTheRecordSearchItOpensByItself) {
  int markAtOpen = -1, markOnClick = -1;
  RunInLoop(showExportMenu, [&] {
    markAtOpen = getSearchGenReopened();
    Click(getExportMenuWnd(), 18177);
    Click(getExportMenuWnd(), 18176);
    markOnClick = getSearchGenReopened();
    inputtest::ClickClosing(getExportMenuWnd(), 18191);  // Exit
  });
  EXPECT_EQ(g_opened, (std::vector<Opened>{{SubMenu::kExport, 0}, {SubMenu::kExport, 1}, {SubMenu::kExport, 0}}));
  EXPECT_EQ(markAtOpen, 1);
  EXPECT_EQ(markOnClick, 0);
}

// The search pages are registered pages like any other: each stays beside
// the export menu in its page slot, so that while one is shown the column
// still takes the mouse and moves to another item; Escape on a page leaves
// the menu showing, and Exit closes both.
TEST_F(Menus, SearchPagesLeaveTheExportColumnAnsweringTheMouse) {
  menus::submenu_seam::setPageOpener(nullptr);
  const auto caption = [] {
    const WindowHandle page = getSearchPicWnd();
    const char* text = Valid(page) ? GetWindowCaption(page) : nullptr;
    return std::string(text ? text : "");
  };
  std::vector<std::string> shown;
  std::string afterEscape = "-", reopened;
  int menuShownAfterEscape = 0;
  RunInLoop(showExportMenu, [&] {
    const WindowHandle menu = getExportMenuWnd();
    livetest::PumpUntil([&] { return !caption().empty(); });
    shown.push_back(caption());
    for (int id : {18177, 18178}) {  // event search, then picture search
      const std::string before = caption();
      livetest::ClickItem(menu, id);
      livetest::PumpUntil([&] { return caption() != before && !caption().empty(); });
      shown.push_back(caption());
    }
    const WindowHandle page = getSearchPicWnd();
    SetActiveWindow(page);
    livetest::PressKey(KEY_ESC);
    livetest::PumpUntil([page] { return !Valid(page); });
    afterEscape = caption();
    menuShownAfterEscape = IsWindowVisible(menu);
    livetest::ClickItem(menu, 18176);  // record search again
    livetest::PumpUntil([&] { return !caption().empty(); });
    reopened = caption();
    livetest::ClickItem(menu, 18191);  // Exit
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"Record Search", "Event Search", "Picture Search"}));
  EXPECT_EQ(afterEscape, "");
  EXPECT_TRUE(menuShownAfterEscape);
  EXPECT_EQ(reopened, "Record Search");
  EXPECT_EQ(getSearchPicWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getExportMenuWnd(), GUI_INVALID_HANDLE);
}

struct OrderRow {
  const char* name;
  SubMenu which;
  void (*device)(DeviceAbility*);
  std::vector<const char*> order;   // item keys from top to bottom
  const char* moved = nullptr;      // an item that takes the place of
  const char* leftOut = nullptr;    // this left-out one, right below
  const char* above = nullptr;      // this one
};

TEST_F(Menus, LeftOutItemsMoveTheRestUpWhereTheMemberSaysSo) {
  const OrderRow rows[] = {
      {"system without serial port", SubMenu::kSystem, [](DeviceAbility* a) { a->rs232Num = 0; },
       {"display", "netset", "alarmset", "previewset", "exception", "userset"}, "previewset", "232set", "alarmset"},
      {"system with POS and ATM", SubMenu::kSystem, [](DeviceAbility* a) { a->rs232Num = 0, a->systemFlags |= 12u; },
       {"display", "netset", "alarmset", "previewset", "exception", "userset", "posset", "atmset"}},
      {"system with ATM only", SubMenu::kSystem, [](DeviceAbility* a) { a->systemFlags |= 8u; },
       {"display", "netset", "alarmset", "232set", "previewset", "exception", "userset", "atmset"}, "atmset", "posset",
       "userset"},
      {"manual without pictures", SubMenu::kManual, [](DeviceAbility* a) { a->storageFlags &= ~0x80u; },
       {"manual_rec", "manual_alarm"}, "manual_alarm", "manual_pic", "manual_rec"},
      {"export without pictures", SubMenu::kExport, [](DeviceAbility* a) { a->storageFlags &= ~0x80u; },
       {"export_gen", "export_event"}},
  };
  for (const OrderRow& row : rows) {
    initDeviceAbility();
    row.device(device_seam::mutableAbility());
    const menus::SubMenuFamily& family = menus::subMenuFamily(row.which);
    std::vector<std::string> order;
    int movedOffset = 0, recordOffset = 0;
    RunInLoop([&](WindowHandle owner) { return menus::runSubMenu(family, owner); }, [&] {
      WindowHandle dlg = GUI_INVALID_HANDLE;
      for (WindowHandle h : {getSystemMenuWnd(), getManualMenuWnd(), getExportMenuWnd()})
        if (Valid(h)) dlg = h;
      std::vector<std::pair<int, std::string>> shown;
      for (int i = 0; i < family.count; ++i)
        if (IdOf(dlg, family.firstId + i)) shown.push_back({Top(dlg, family.firstId + i), family.items[i].key});
      std::sort(shown.begin(), shown.end());
      for (const auto& s : shown) order.push_back(s.second);
      if (row.moved) {
        auto idOf = [&](const char* key) {
          for (int i = 0; i < family.count; ++i)
            if (std::string(family.items[i].key) == key) return family.firstId + i;
          return 0;
        };
        movedOffset = Top(dlg, idOf(row.moved)) - Top(dlg, idOf(row.above));
        recordOffset = Record(family.section, row.leftOut)->y - Record(family.section, row.above)->y;
      }
      inputtest::ClickClosing(dlg, family.exitId);
    });
    EXPECT_EQ(order, std::vector<std::string>(row.order.begin(), row.order.end())) << row.name;
    EXPECT_EQ(movedOffset, recordOffset) << row.name;
  }
}

TEST_F(Menus, ExitClosesTheMenuAndItsPage) {
  WindowHandle page = GUI_INVALID_HANDLE;
  RunInLoop(showRecordMenu, [&] {
    page = getRecordPageWnd();
    inputtest::ClickClosing(getRecordMenuWnd(), 18447);  // sends the desktop its close-the-menus request
  });
  EXPECT_TRUE(Valid(page));
  EXPECT_EQ(getRecordPageWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getRecordMenuWnd(), GUI_INVALID_HANDLE);
}

// A click on an item raises the menu over its page; when the page goes,
// what it covered of the menu is painted again, and the next page, here a
// narrower one, leaves no trace of it beside itself.
TEST_F(Menus, WhatAPageCoveredIsPaintedAgainWhenItGoes) {
  int opened = 0;
  g_newPage = [this, &opened] {
    return Main(opened++ == 0 ? Rect{212, 84, 1012, 684} : Rect{312, 84, 912, 684}, FakePageProc);
  };
  uint8_t shown[3] = {}, column[3] = {};
  RunInLoop(showRecordMenu, [&] {
    const WindowHandle dlg = getRecordMenuWnd(), first = getRecordPageWnd();
    // The holiday item's left end, which the wide page leaves uncovered.
    Rect item{};
    GetWindowRect(GetDlgItem(dlg, 18435), &item);
    int x = item.left + 8, y = (item.top + item.bottom) / 2;
    ClientToScreen(dlg, &x, &y);
    inputtest::MovePointer(x, y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    EXPECT_TRUE(livetest::PumpUntil([&] { return getRecordPageWnd() != first && Valid(getRecordPageWnd()); }));
    desktest::Drain();
    // Below the items, in the column the wide page covered and the new one does not.
    int cx = 260, cy = 600;
    const guitest::Picture at = guitest::Grab(Rect{cx, cy, cx + 1, cy + 1});
    std::copy(at.rgb.begin(), at.rgb.end(), shown);
    int lx = 130, ly = 600;  // the column where no page ever lay
    const guitest::Picture ref = guitest::Grab(Rect{lx, ly, lx + 1, ly + 1});
    std::copy(ref.rgb.begin(), ref.rgb.end(), column);
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  });
  EXPECT_EQ(std::vector<uint8_t>(shown, shown + 3), std::vector<uint8_t>(column, column + 3));
}

// What ran under the main menu when a button was clicked.
struct Seen {
  std::string open = "none";
  int hiddenFlag = -1, menuVisible = -1;
};

Seen InspectAndCloseWhatRuns(WindowHandle menu) {
  Seen seen;
  seen.hiddenFlag = isMenuHidden(3);
  seen.menuVisible = IsWindowVisible(menu);
  const std::pair<const char*, WindowHandle> open[] = {
      {"export", getExportMenuWnd()},    {"manual", getManualMenuWnd()}, {"record", getRecordMenuWnd()},
      {"system", getSystemMenuWnd()},    {"maintenance", getMaintenanceMenuWnd()}, {"storage", getDiskMenuWnd()},
      {"camera", getCameraMenuWnd()},    {"playback", getPlaybackWnd(3)}};
  for (const auto& o : open)
    if (Valid(o.second)) {
      seen.open = o.first;
      SendMessage(o.second, MSG_CLOSE, 0, 0);
      return seen;
    }
  // The shutdown dialog keeps no registry slot: it is the active window.
  const WindowHandle active = GetActiveWindow();
  const char* caption = Valid(active) ? GetWindowCaption(active) : nullptr;
  if (active != menu && caption && std::string(caption) == "Shut Down") {
    seen.open = "shutdown";
    SendMessage(active, MSG_CLOSE, 0, 0);
  }
  return seen;
}

TEST_F(Menus, MainMenuButtonsForAdministratorAndGuest) {
  struct Row {
    int id;
    const char* admin;
    const char* guest;
  };
  const Row rows[] = {{16384, "playback", "playback"},   {16385, "export", "No permission!"},
                      {16386, "manual", "No permission!"}, {16387, "storage", "No permission!"},
                      {16388, "record", "No permission!"}, {16389, "camera", "No permission!"},
                      {16390, "system", "No permission!"}, {16391, "maintenance", "maintenance"},
                      {16392, "shutdown", "shutdown"}};
  for (int user : {0, 1}) {
    setLoginState(3, user, 0);
    for (const Row& row : rows) {
      livetest::Boxes().clear();
      Seen seen;
      int hiddenAfter = -1, visibleAfter = -1, stateAfter = -1;
      const std::string expected = user == 0 ? row.admin : row.guest;
      // What the click opens runs its loop inside the click: the look waits
      // there until it has opened.
      const bool opens = expected != "No permission!";
      g_inspect = [&] {
        seen = InspectAndCloseWhatRuns(getMainMenuWnd());
        if (seen.open == "none") PostMessage(inspector_, kInspect, kAwait, 0);
      };
      RunInLoop(showMainMenu, [&] {
        const WindowHandle menu = getMainMenuWnd();
        if (opens) PostMessage(inspector_, kInspect, kAwait, 0);
        Click(menu, row.id);
        desktest::Drain();
        hiddenAfter = isMenuHidden(3);
        visibleAfter = IsWindowVisible(menu);
        stateAfter = getOutputState(3);
        inputtest::ClickClosing(menu, kMainExit);
      });
      g_inspect = nullptr;
      const std::string got = livetest::Boxes().empty() ? seen.open : livetest::Boxes().back().text;
      EXPECT_EQ(got, expected) << "user " << user << " button " << row.id;
      if (seen.open != "none" && seen.open != "shutdown") {
        EXPECT_EQ(seen.hiddenFlag, 1) << row.id;
        EXPECT_EQ(seen.menuVisible, 0) << row.id;
      }
      EXPECT_EQ(hiddenAfter, 0) << row.id;
      EXPECT_EQ(visibleAfter, 1) << row.id;
      EXPECT_EQ(stateAfter, 1) << row.id;
      EXPECT_EQ(getMainMenuWnd(), GUI_INVALID_HANDLE);
      EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
    }
  }
}

TEST_F(Menus, MainMenuKeysSwapRowsAndTheTipFollowsTheButtons) {
  std::vector<int> focus;
  std::vector<std::string> tips;
  RunInLoop(showMainMenu, [&] {
    const WindowHandle menu = getMainMenuWnd();
    const std::pair<int, int> moves[] = {{16391, KEY_UP}, {16388, KEY_UP}, {16385, KEY_DOWN}, {16392, KEY_DOWN}};
    for (const auto& move : moves) {
      SetFocusChild(GetDlgItem(menu, move.first));
      EXPECT_TRUE(inputtest::Type(menu, move.second));
      focus.push_back(GetDlgCtrlID(GetFocusChild(menu)));
    }
    WindowHandle tip = GUI_INVALID_HANDLE;
    for (WindowHandle child = GetNextChild(menu, 0); Valid(child); child = GetNextChild(menu, child))
      if (GetDlgCtrlID(child) == 0) tip = child;
    auto tipText = [&] {
      char text[128] = {};
      GetWindowText(tip, text, sizeof text);
      return std::string(text);
    };
    // Up from the maintenance button comes to the manual one, whose tip
    // shows; without pictures it says so the next time.
    SetFocusChild(GetDlgItem(menu, 16391));
    EXPECT_TRUE(inputtest::Type(menu, KEY_UP));
    tips.push_back(tipText());
    device_seam::mutableAbility()->storageFlags &= ~0x80u;
    EXPECT_TRUE(inputtest::Type(menu, KEY_DOWN));
    const std::string below = tipText();
    EXPECT_TRUE(inputtest::Type(menu, KEY_UP));
    tips.push_back(tipText());
    EXPECT_NE(below, tips.back()) << "each button's own tip";
    livetest::PressKey(KEY_ESC);
  });
  EXPECT_EQ(focus, (std::vector<int>{16386, 16388, 16390, 16387}));
  EXPECT_EQ(tips, (std::vector<std::string>{"Manual record, snapshot and alarm", "Manual record and alarm"}));
  EXPECT_EQ(getMainMenuWnd(), GUI_INVALID_HANDLE) << "Escape closes it";
}

TEST_F(Menus, ClosingWithAResolutionChangePendingOpensTheConfirmation) {
  setResolutionChangePending(1);
  int switchingInside = -1;
  // The confirmation opens once the Exit click has come through.
  g_inspect = [&] {
    const WindowHandle confirmation = GetActiveWindow();
    if (!Valid(confirmation) || !Valid(GetDlgItem(confirmation, kResolutionOk))) {
      PostMessage(inspector_, kInspect, kAwait, 0);
      return;
    }
    switchingInside = isDispSwitchEnabled();
    inputtest::ClickClosing(confirmation, kResolutionOk);
  };
  RunInLoop(showMainMenu, [&] {
    PostMessage(inspector_, kInspect, kAwait, 0);
    inputtest::ClickClosing(getMainMenuWnd(), kMainExit);
  });
  EXPECT_EQ(switchingInside, 0);
  EXPECT_EQ(isResolutionChangePending(), 0);
  EXPECT_EQ(isDispSwitchEnabled(), 1);
}

// Pictures: the main menu with a tip, and each sub-menu with the page it
// opens first.
class MenusOnScreen : public Menus {
 protected:
  void SetUp() override {
    Menus::SetUp();
    menus::submenu_seam::setPageOpener(nullptr);
  }
};

TEST_F(MenusOnScreen, MainMenuWithATip) {
  RunInLoop(showMainMenu, [&] {
    const WindowHandle menu = getMainMenuWnd();
    SetFocusChild(GetDlgItem(menu, 16384));
    EXPECT_TRUE(inputtest::Type(menu, KEY_DOWN));  // to the camera button below
    desktest::Drain();
    Rect r{};
    GetWindowRect(menu, &r);
    guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, "mainmenu_tip.png"));
    inputtest::ClickClosing(menu, kMainExit);
  });
}

// The page runs modally over its menu, so the steps run in its loop; the
// exit request closes whatever is open.
void MatchSubMenuWithItsPage(const char* name, WindowHandle (*menuWnd)()) {
  const WindowHandle menu = menuWnd();
  EXPECT_TRUE(Valid(menu)) << name;
  EXPECT_NE(GetActiveWindow(), menu) << name << ": its page is in front";
  if (Valid(menu)) {
    Rect r{};
    GetWindowRect(menu, &r);
    guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(__FILE__, (std::string(name) + ".png").c_str()));
  }
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
}

TEST_F(MenusOnScreen, ExportMenuWithItsPage) {
  RunInLoop(showExportMenu, [] { MatchSubMenuWithItsPage("submenu_export", getExportMenuWnd); });
}
TEST_F(MenusOnScreen, ManualMenuWithItsPage) {
  RunInLoop(showManualMenu, [] { MatchSubMenuWithItsPage("submenu_manual", getManualMenuWnd); });
}
TEST_F(MenusOnScreen, RecordMenuWithItsPage) {
  RunInLoop(showRecordMenu, [] { MatchSubMenuWithItsPage("submenu_record", getRecordMenuWnd); });
}
TEST_F(MenusOnScreen, SystemMenuWithItsPage) {
  // Its first page shows the device clock: a fixed one keeps the picture.
  const DeviceTime clock{2026, 3, 14, 9, 26, 53, 8, 0};
  device_seam::overrideAnswer(getDeviceTime, 1, &clock, sizeof clock);
  RunInLoop(showSystemMenu, [] { MatchSubMenuWithItsPage("submenu_system", getSystemMenuWnd); });
}
TEST_F(MenusOnScreen, MaintenanceMenuWithItsPage) {
  RunInLoop(showMaintenanceMenu, [] { MatchSubMenuWithItsPage("submenu_maintenance", getMaintenanceMenuWnd); });
}

}  // namespace
