// Popup tracking as the owner window meets it: pointer and keys posted to
// the desktop, and the notifications the owner receives in return.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include <linux/input-event-codes.h>

#include "core/menu/popup_bands.h"
#include "core/menu/tracking.h"
#include "core/message/message_names.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/host.h"
#include "gui/livevideo.h"
#include "gui/menu.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace {

// What the owner was told, the second parameter left out.
using Note = SeenMessage;

class MenuTracking : public guitest::StartedGui {
 protected:
  void SetUp() override { owner_ = Main({400, 300, 700, 500}, WS_CAPTION | WS_BORDER, "owner"); }
  void TearDown() override {
    SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);
    for (MenuHandle m : menus_) DestroyMenu(m);
    guitest::StartedGui::TearDown();
  }

  MenuHandle Popup(const std::vector<std::string>& names, int firstId, MenuHandle subAt1 = 0) {
    MenuItemInfo info{};
    info.typeData = const_cast<char*>("Head");
    MenuHandle popup = CreatePopupMenu(&info);
    for (size_t i = 0; i < names.size(); ++i) {
      texts_.push_back(std::make_unique<std::string>(names[i]));
      MenuItemInfo item{};
      item.type = names[i] == "-" ? MFT_SEPARATOR : MFT_STRING;
      item.id = firstId + static_cast<int>(i);
      item.typeData = const_cast<char*>(texts_.back()->c_str());
      item.subMenu = i == 1 ? subAt1 : 0;
      EXPECT_EQ(InsertMenuItem(popup, -1, TRUE, &item), 0);
    }
    menus_.push_back(popup);
    return popup;
  }

  // The messages of interest the owner received since the last look.
  std::vector<Note> Notes() {
    desktest::Drain();
    std::vector<Note> out;
    const std::set<int> wanted{MSG_INITMENUPOPUP, MSG_MENUCLOSED, MSG_DT_ENDTRACKMENU, MSG_COMMAND, MSG_MENUHIDDEN};
    for (const SeenMessage& m : guitest::Log::Instance().Take())
      if (m.hwnd == owner_ && wanted.count(m.message)) out.push_back({m.hwnd, m.message, m.wParam});
    return out;
  }

  static void Key(int scan) { desktest::Input(MSG_KEYDOWN, static_cast<WParam>(scan), 0); }
  static void Move(const Point& p) { desktest::Input(MSG_MOUSEMOVE, 0, desktest::PointParam(p.x, p.y)); }
  static void Click(const Point& p) {
    Move(p);
    desktest::Input(MSG_LBUTTONDOWN, 0, desktest::PointParam(p.x, p.y));
    desktest::Input(MSG_LBUTTONUP, 0, desktest::PointParam(p.x, p.y));
  }

  // The middle of an item's band in the innermost open popup (read once the
  // desktop has answered, so its records stand still).
  static Point At(int position) { return At(position, menu::InnermostPopup()); }
  static Point At(int position, const menu::TrackingRecord* t) {
    Point p{-1, -1};
    menu::WalkBands(t, [&](const menu::ItemRecord* r, int c, int y) {
      if (c != position + 1) return true;
      const int w = t->frame.right - t->frame.left, column = menu::ColumnOf(r, c, t->rows);
      p = Point{t->frame.left + (column * w) / menu::ColumnsOf(r) + 12, y + r->measure / 2};
      return false;
    });
    return p;
  }

  // A main window whose bar holds "Menu 0" to "Menu 2", each with a popup of
  // "One" and "Two", becomes the owner; the window frees the bar with it.
  MenuHandle BarOwner() {
    MenuHandle bar = CreateMenu();
    for (int i = 0; i < 3; ++i) {
      MenuItemInfo item{};
      texts_.push_back(std::make_unique<std::string>("Menu " + std::to_string(i)));
      item.typeData = const_cast<char*>(texts_.back()->c_str());
      item.subMenu = Popup({"One", "Two"}, 10 * i);
      menus_.pop_back();
      item.id = i;
      EXPECT_EQ(InsertMenuItem(bar, -1, TRUE, &item), 0);
    }
    MainWinCreate create = MainWindowCreation({100, 100, 500, 400}, guitest::LoggingProc, "bar",
                                              WS_VISIBLE | WS_CAPTION | WS_BORDER);
    create.hMenu = bar;
    owner_ = CreateMainWindow(&create);
    if (owner_ != GUI_INVALID_HANDLE) windows_.push_back(owner_);
    desktest::Drain();
    return bar;
  }

  static bool Highlighted(MenuHandle menu, int position) {
    MenuItemInfo info{};
    info.mask = MIIM_STATE;
    return GetMenuItemInfo(menu, position, TRUE, &info) == 0 && (info.state & MFS_HILITE);
  }

  static int Open() { return IsMenuPopup(getCurOutputHook()); }

  WindowHandle owner_ = 0;
  std::vector<MenuHandle> menus_;
  std::vector<std::unique_ptr<std::string>> texts_;
};

TEST_F(MenuTracking, ClicksChooseEnabledItemsAndAPressOutsideEndsTracking) {
  MenuHandle popup = Popup({"Record", "Playback", "Backup", "Shut down"}, 100);
  EnableMenuItem(popup, 2, MF_BYPOSITION | MFS_DISABLED);
  EXPECT_EQ(TrackPopupMenu(reinterpret_cast<MenuHandle>(&owner_), 0, 10, 10, owner_), MENU_ERR_NOT_MENU);
  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_INITMENUPOPUP, 0}}));
  EXPECT_EQ(Open(), 1);

  Move(At(1));
  EXPECT_TRUE(Highlighted(popup, 1));
  Click(At(2));  // disabled: nothing chosen, still open
  EXPECT_EQ(Open(), 1);
  EXPECT_FALSE(Highlighted(popup, 1));
  Click(At(1));
  EXPECT_EQ(Open(), 0);
  EXPECT_FALSE(Highlighted(popup, 1));
  // Notifications come before the posted 361.
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_MENUCLOSED, popup},
                                        {owner_, MSG_DT_ENDTRACKMENU, popup},
                                        {owner_, MSG_COMMAND, 101},
                                        {owner_, MSG_MENUHIDDEN, 0}}));

  ASSERT_EQ(TrackPopupMenu(popup, TPM_SYSCMD, 100, 80, owner_), 0);
  Click(Point{5, 5});
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_INITMENUPOPUP, 0},
                                        {owner_, MSG_MENUCLOSED, popup},
                                        {owner_, MSG_DT_ENDTRACKMENU, popup},
                                        {owner_, MSG_MENUHIDDEN, 0}}));
}

TEST_F(MenuTracking, KeysWrapSkipSeparatorsAndEscapeInASubPopupClosesOnlyIt) {
  MenuHandle sub = Popup({"Channel 1", "Channel 2"}, 10);
  MenuHandle popup = Popup({"Live", "Cameras", "-", "Exit"}, 1, sub);
  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  Key(KEY_UP);  // nothing selected: nothing happens
  EXPECT_FALSE(Highlighted(popup, 3));
  Key(KEY_DOWN);
  EXPECT_TRUE(Highlighted(popup, 0));
  Key(KEY_UP);  // wraps to the last
  EXPECT_TRUE(Highlighted(popup, 3));
  EXPECT_FALSE(Highlighted(popup, 0));
  Key(KEY_DOWN);  // and back to the first
  EXPECT_TRUE(Highlighted(popup, 0));
  Key(KEY_UP);
  Key(KEY_UP);  // over the separator
  EXPECT_TRUE(Highlighted(popup, 1));
  Notes();

  Key(KEY_RIGHT);
  Key(KEY_DOWN);
  EXPECT_TRUE(Highlighted(sub, 0));
  Key(KEY_ESC);
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_DT_ENDTRACKMENU, sub}, {owner_, MSG_MENUHIDDEN, 0}}));
  EXPECT_FALSE(Highlighted(sub, 0));
  Key(KEY_UP);  // the parent still tracks the keys
  EXPECT_TRUE(Highlighted(popup, 0));
  Key(KEY_ENTER);
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_MENUCLOSED, popup},
                                        {owner_, MSG_DT_ENDTRACKMENU, popup},
                                        {owner_, MSG_COMMAND, 1},
                                        {owner_, MSG_MENUHIDDEN, 0}}));
}

TEST_F(MenuTracking, HoverOpensASubPopupAndLeavingItClosesIt) {
  MenuHandle sub = Popup({"Channel 1", "Channel 2"}, 10);
  MenuHandle popup = Popup({"Live", "Cameras", "Exit"}, 1, sub);
  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  Move(At(1));
  const Rect parent = menu::FirstPopup()->head.rect;
  ASSERT_NE(menu::InnermostPopup(), menu::FirstPopup());
  EXPECT_EQ(menu::InnermostPopup()->head.rect.left, parent.right);
  Move(At(1));  // staying on the item keeps it open
  Click(At(0));  // inside the sub-popup: Channel 1
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_INITMENUPOPUP, 0},
                                        {owner_, MSG_MENUCLOSED, popup},
                                        {owner_, MSG_DT_ENDTRACKMENU, sub},
                                        {owner_, MSG_DT_ENDTRACKMENU, popup},
                                        {owner_, MSG_COMMAND, 10},
                                        {owner_, MSG_MENUHIDDEN, 0},
                                        {owner_, MSG_MENUHIDDEN, 0}}));

  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  Move(At(1));
  Notes();
  Move(At(2, menu::FirstPopup()));
  EXPECT_EQ(Notes(), (std::vector<Note>{{owner_, MSG_DT_ENDTRACKMENU, sub}, {owner_, MSG_MENUHIDDEN, 0}}));
  EXPECT_TRUE(Highlighted(popup, 2));
}

TEST_F(MenuTracking, BarPopupsFollowLeftAndRightWithWrapAndThePointer) {
  const MenuHandle bar = BarOwner();
  ASSERT_NE(owner_, GUI_INVALID_HANDLE);
  Rect item1{};
  ASSERT_NE(GetMenuBarItemRect(owner_, 1, &item1), 0u);
  int x = item1.left + 2, y = item1.top + 2;
  WindowToScreen(owner_, &x, &y);
  EXPECT_EQ(GetPixel(HDC_SCREEN, x, y - 3), WinElementColors[WEC_BKC_MENUITEM_SELECTED]);  // the band in bkc_menuitem_selected

  auto opened = [this] {
    std::vector<WParam> items;
    for (const Note& n : Notes())
      if (n.message == MSG_INITMENUPOPUP) items.push_back(n.wParam);
    return items;
  };
  ASSERT_EQ(TrackMenuBar(owner_, 0), 0);
  EXPECT_EQ(opened(), std::vector<WParam>{0});
  Key(KEY_LEFT);  // nothing selected: stays
  EXPECT_EQ(opened(), std::vector<WParam>{});
  Key(KEY_DOWN);
  Key(KEY_LEFT);
  EXPECT_EQ(opened(), std::vector<WParam>{2});
  Key(KEY_DOWN);
  Key(KEY_RIGHT);
  EXPECT_EQ(opened(), std::vector<WParam>{0});
  Move(Point{x, y});
  EXPECT_EQ(opened(), std::vector<WParam>{1});
  EXPECT_EQ(TrackMenuBar(owner_, 7), MENU_ERR_NOT_MENU);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);
  DestroyMainWindow(owner_);
  EXPECT_EQ(IsMenu(bar), 0);  // gone with its window
}

// The event thread's tick may come right behind a key that switches the bar:
// the desktop reads the tick only once the owner has answered the opening
// popup's notice, which it does while it waits for the desktop.
TEST_F(MenuTracking, ATickPostedBehindABarSwitchIsReadOnceTheOwnerAnswered) {
  BarOwner();
  ASSERT_NE(owner_, GUI_INVALID_HANDLE);
  ASSERT_EQ(TrackMenuBar(owner_, 0), 0);
  Key(KEY_DOWN);
  Notes();
  PostMessage(__gui_hwnd_desktop, MSG_KEYDOWN, static_cast<WParam>(KEY_RIGHT), 0);
  PostMessage(__gui_hwnd_desktop, MSG_DT_IDLEBROADCAST, 1, 0);
  desktest::AwaitDesktopRead();
  desktest::Request(MSG_DT_GETACTIVEMAIN);
  desktest::Drain();
  std::vector<Note> seen;
  for (const SeenMessage& m : guitest::Log::Instance().Take())
    if (m.hwnd == owner_ && (m.message == MSG_INITMENUPOPUP || m.message == MSG_BROADCAST_NOTICE))
      seen.push_back({m.hwnd, m.message, m.wParam});
  // The event thread's own first tick may add a notice of its own after them.
  const std::vector<Note> first(seen.begin(), seen.begin() + std::min<size_t>(2, seen.size()));
  EXPECT_EQ(first, (std::vector<Note>{{owner_, MSG_INITMENUPOPUP, 1}, {owner_, MSG_BROADCAST_NOTICE, 1}}));
}

// Three columns with a check, a radio dot, a disabled item and the arrow
// of the item whose sub-popup stands open beside it.
TEST_F(MenuTracking, OpenPopupsTakeLiveVideoSlotsAndGiveThemBack) {
  auto slots = [] {
    LiveVideoTable table{};
    GetLiveVideoTable(0, &table);
    std::vector<Rect> inUse;
    for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i)
      if (table.inUse[i])
        inUse.push_back(Rect{table.x[i], table.y[i], table.x[i] + table.width[i], table.y[i] + table.height[i]});
    return inUse;
  };
  // The owner window may hold its own slot (windows of earlier tests gave
  // theirs back when destroyed); a popup takes a free one only.
  const size_t before = slots().size();
  ASSERT_LE(before, 1u);
  auto holds = [&slots](const Rect& r) {
    for (const Rect& s : slots())
      if (EqualRect(&s, &r)) return true;
    return false;
  };
  MenuHandle sub = Popup({"Channel 1", "Channel 2"}, 10);
  MenuHandle popup = Popup({"Live", "Cameras", "Exit"}, 1, sub);
  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  const Rect first = menu::FirstPopup()->head.rect;
  EXPECT_EQ(slots().size(), before + 1);
  EXPECT_TRUE(holds(first));
  Move(At(1));
  EXPECT_EQ(slots().size(), before + 2);
  Key(KEY_ESC);  // gives back the sub-popup's slot only
  EXPECT_EQ(slots().size(), before + 1);
  EXPECT_TRUE(holds(first));
  Key(KEY_ESC);
  EXPECT_EQ(slots().size(), before);
  EXPECT_FALSE(holds(first));
}

// The owner throws away a menu the desktop still tracks, as the live view
// does when it builds its menu anew for the next right click.
TEST_F(MenuTracking, DestroyingATrackedPopupEndsItsTrackingFirst) {
  MenuHandle sub = Popup({"Channel 1", "Channel 2"}, 10);
  MenuHandle popup = Popup({"Live", "Cameras", "Exit"}, 1, sub);
  MenuHandle other = Popup({"Record"}, 30);
  menus_ = {other};  // popup goes with its sub-menu below
  ASSERT_EQ(TrackPopupMenu(popup, 0, 100, 80, owner_), 0);
  Move(At(1));
  ASSERT_NE(menu::InnermostPopup(), menu::FirstPopup());
  EXPECT_EQ(DestroyMenu(other), 0);  // not shown: the popups stay
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(DestroyMenu(popup), 0);
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(menu::FirstPopup(), nullptr);
  menus_.clear();

  // A press outside ends the tracking on the desktop thread while the owner
  // throws the menu away and builds the next one, which takes its records.
  constexpr int kRounds = 300;
  HostInjectMouseMove(5, 5);
  ASSERT_TRUE(desktest::Eventually([] {
    Point at{};
    GetCursorPos(&at);
    return at.x == 5 && at.y == 5;
  }));
  for (int round = 0; round < kRounds; ++round) {
    MenuHandle shown = Popup({"Live", "Cameras", "Exit"}, 1);
    ASSERT_EQ(TrackPopupMenu(shown, 0, 100, 80, owner_), 0);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    EXPECT_EQ(DestroyMenu(shown), 0);
    menus_.clear();
    Popup({"Single", "Multi", "Previous", "Next"}, 20);
    ASSERT_TRUE(desktest::Eventually([] { return Open() == 0; }));
    for (MenuHandle m : menus_) DestroyMenu(m);
    menus_.clear();
    Notes();
  }
}

class MenuOnScreen : public MenuTracking {};

TEST_F(MenuOnScreen, ThreeColumnPopupWithASubPopupMatchesTheReference) {
  MenuHandle sub = Popup({"Channel 1", "Channel 2", "Channel 3"}, 50);
  std::vector<std::string> names;
  for (int i = 0; i < 23; ++i) names.push_back("Camera " + std::to_string(i + 1));
  MenuHandle popup = Popup(names, 1, sub);
  MenuItemInfo checked{};
  checked.mask = MIIM_STATE;
  checked.state = MFS_CHECKED;
  SetMenuItemInfo(popup, 3, TRUE, &checked);
  CheckMenuRadioItem(popup, 9, 11, 10, MF_BYPOSITION);
  EnableMenuItem(popup, 5, MF_BYPOSITION | MFS_DISABLED);
  ASSERT_EQ(TrackPopupMenu(popup, 0, 40, 60, owner_), 0);
  Move(At(1));
  ASSERT_NE(menu::InnermostPopup(), menu::FirstPopup());
  const Rect a = menu::FirstPopup()->head.rect, b = menu::InnermostPopup()->head.rect;
  const Rect both{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom)};
  guitest::MatchReference(guitest::Grab(both), guitest::ReferencePath(__FILE__, "three_column_popup.png"));
}

}  // namespace
