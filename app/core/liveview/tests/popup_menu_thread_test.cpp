// The live view's pop-up menu on a started toolkit: which items each output
// gets for the device's capabilities, the channel and split sub-menus, and
// what each chosen item does to the simulated device and the pages.
#include <string>
#include <vector>

#include "app/testing/page_harness.h"
#include "app/core/liveview/popup_menu.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/device_backend.h"
#include "app/program.h"
#include "app/liveview_menu.h"
#include "app/playback.h"
#include "gui/desktop.h"
#include "gui/gui_etc.h"
#include "gui/menu.h"

namespace {

using livetest::Boxes;
using livetest::LiveGui;

std::vector<int> Ids(MenuHandle menu) {
  std::vector<int> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

std::string Text(MenuHandle menu, int item, bool byPosition = true) {
  char buffer[128] = {};
  MenuItemInfo info{};
  info.mask = MIIM_TYPE;
  info.typeData = buffer;
  info.textLength = sizeof buffer;
  if (GetMenuItemInfo(menu, item, byPosition, &info) != 0) return "<none>";
  return info.typeData ? static_cast<const char*>(info.typeData) : "";
}

std::string Layout(const char* key) {
  const char* text = lookupText("rightmenu", key);
  return text ? text : "<missing>";
}

std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

LResult Plain(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

class PopupMenu : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    setDispSwitchEnabled(1);
    setPreviewMenuChan(3, 1);
    setPlaybackChannel(3, 0);
    loadLiveViewMenuRes();
  }
  void TearDown() override {
    releaseLiveViewMenus();
    initDeviceAbility();  // the capabilities a test changed
    LiveGui::TearDown();
  }
  void Outputs(int count) { device_seam::mutableAbility()->videoOutputCount = static_cast<uint8_t>(count); }
  void OutputModeFeature(bool on) {
    uint32_t& flags = device_seam::mutableAbility()->pictureFlags;
    flags = on ? (flags | 0x100u) : (flags & ~0x100u);
  }
  int Command(int id, int output = 3) { return onLiveViewMenuCommand(0, output, id); }
  // The live view the menu opens over, showing windows 1 to 16.
  WindowHandle LiveView() {
    EXPECT_EQ(showLiveSplit(3, 16, 1), 0);
    return Main({0, 0, 1024, 768}, previewMainWinProc, WS_EX_PREVIEW);
  }
  // A right click on the live view at (x, y) opens the menu there; the
  // arrow keys walk down to item path[0], into its sub-menu and down to
  // path[1], and Enter chooses it. True once the live view has had the
  // choice.
  bool Choose(WindowHandle live, int x, int y, std::vector<int> path) {
    const int display = GetWindowDisplay(live);
    inputtest::MovePointer(x, y);
    HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
    HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
    if (!livetest::PumpUntil([display] { return IsMenuPopup(display) != 0; })) return false;
    for (size_t level = 0; level < path.size(); ++level) {
      if (level > 0) livetest::PressKey(KEY_RIGHT);
      for (int i = 0; i <= path[level]; ++i) livetest::PressKey(KEY_DOWN);
    }
    livetest::PressKey(KEY_ENTER);
    if (!livetest::PumpUntil([display] { return IsMenuPopup(display) == 0; })) return false;
    // The choice reaches the live view as the desktop closes the menu.
    desktest::Request(MSG_DT_GETACTIVEMAIN);
    desktest::Drain();
    return true;
  }
  inputtest::SingleClicks singleClicks_;
  void Dwell(int code) {
    PreviewConfig config{};
    ASSERT_EQ(getPreviewConfig(getOutputLogin(3), 3, &config), 0);
    config.dwellCode = static_cast<uint16_t>(code);
    ASSERT_EQ(setPreviewConfig(getOutputLogin(3), 3, &config), 0);
  }
  std::pair<int, int> Split(int output = 3) {
    int count = 0, first = 0;
    getLiveSplit(output, &count, &first);
    return {count, first};
  }
};

TEST_F(PopupMenu, ItemsFollowTheOutputAndTheDevice) {
  const std::vector<int> all = Range(12304, 12313);
  struct Case {
    int output, outputs;
    bool outputMode, switchAllowed;
    std::vector<int> ids;
  } cases[] = {
      {3, 1, true, true, Range(12304, 12312)},  // no auxiliary output: no switch item
      {3, 1, false, true, Range(12304, 12311)},  // nine items without the output-mode feature
      {3, 2, true, true, all},
      {3, 2, true, false, Range(12304, 12312)},  // the toolkit holds switching off
      {3, 2, false, true, {12304, 12305, 12306, 12307, 12308, 12309, 12310, 12311, 12313}},
      {1, 2, true, false, {12305, 12306, 12307, 12308, 12311, 12312, 12313}},  // auxiliary: switch always
      {1, 2, false, true, {12305, 12306, 12307, 12308, 12311, 12313}},
      {1, 1, true, true, {12305, 12306, 12307, 12308, 12311, 12312}},
  };
  for (const Case& c : cases) {
    Outputs(c.outputs);
    OutputModeFeature(c.outputMode);
    setDispSwitchEnabled(c.switchAllowed);
    const MenuHandle menu = buildLiveViewMenu(c.output);
    ASSERT_NE(menu, 0u);
    EXPECT_EQ(getLiveViewMenu(c.output), menu);
    EXPECT_EQ(Ids(menu), c.ids) << "output " << c.output << " outputs " << c.outputs << " mode " << c.outputMode
                                << " switch " << c.switchAllowed;
    if (c.ids.back() == 12313) {
      EXPECT_EQ(Text(menu, 12313, false), Layout(c.output == 3 ? "viceout" : "mainout"));
    }
  }
  Outputs(1);
  // Each output keeps its own menu; a new build replaces the old one.
  const MenuHandle aux = buildLiveViewMenu(1);
  const MenuHandle main = buildLiveViewMenu(3);
  EXPECT_EQ(getLiveViewMenu(1), aux);
  EXPECT_EQ(getLiveViewMenu(3), main);
  EXPECT_NE(main, 0u);
}

// A change of the interface language reaches the menu: its captions are
// those of the new language.
TEST_F(PopupMenu, CaptionsFollowTheInterfaceLanguage) {
  ASSERT_EQ(Text(buildLiveViewMenu(3), 0), "Main Menu");
  for (const auto& language : {std::pair<const char*, const char*>{"33", "Hauptmen\xfc"}, {"1", "Main Menu"}}) {
    ASSERT_EQ(SetValueToGuiEtc("menuinfo", "language", language.first), 0);
    SetLangSwitchState(0);
    EXPECT_EQ(Text(buildLiveViewMenu(3), 0), language.second) << language.first;
  }
}

TEST_F(PopupMenu, ItemsCarryTheirCaptionsPicturesAndSubMenus) {
  const MenuHandle menu = buildLiveViewMenu(3);
  const char* captions[] = {"mainmenu", "single", "multi", "prevscreen", "nextscreen", "startturn", "startrecord",
                            "playallday", "outputmode"};
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(Text(menu, k), Layout(captions[k])) << k;
    MenuItemInfo info{};
    info.mask = MIIM_TYPE | MIIM_CHECKMARKS;
    ASSERT_EQ(GetMenuItemInfo(menu, k, TRUE, &info), 0);
    EXPECT_EQ(info.type, MFT_BMPSTRING) << captions[k] << ": its picture was found";
    EXPECT_NE(info.uncheckedBmp, info.checkedBmp) << captions[k] << ": normal and selected pictures";
  }
  const MenuHandle record = GetSubMenu(menu, 6);
  EXPECT_EQ(Ids(record), (std::vector<int>{12432, 12433}));
  EXPECT_EQ(Text(record, 0), Layout("startrec_time"));
  EXPECT_EQ(Ids(GetSubMenu(menu, 2)), (std::vector<int>{12320, 12321, 12322, 12323, 12324}));
  // A split the device does not support is left out.
  device_seam::mutableAbility()->splitMask &= ~(1u << 3);
  EXPECT_EQ(Ids(GetSubMenu(buildLiveViewMenu(3), 2)), (std::vector<int>{12320, 12322, 12323, 12324}));
}

TEST_F(PopupMenu, OpenMenuShowsItsPicturesAndCaptions) {
  const WindowHandle owner = Main({0, 0, 1024, 768}, Plain);
  ASSERT_NE(owner, GUI_INVALID_HANDLE);
  ASSERT_EQ(TrackPopupMenu(buildLiveViewMenu(3), 0, 100, 100, owner), 0);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "popup_menu_main", livetest::SettledGrab(Rect{100, 100, 420, 480}));
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEMENU, 0, 1);
}

TEST_F(PopupMenu, ChannelSubMenuNamesEveryAnalogAndPresentIpChannel) {
  // 16 analog channels and no IP channels: 12336..12351 with the device's names.
  MenuHandle channels = GetSubMenu(buildLiveViewMenu(3), 1);
  EXPECT_EQ(Ids(channels), Range(12336, 12351));
  EXPECT_EQ(Text(channels, 0), "Channel1");
  EXPECT_EQ(Text(channels, 15), "Channel16");

  // IP channels 1 and 4 present; names the device does not give come from
  // the layout's words and the channel's number.
  const uint64_t mask = 0x9;
  device_seam::overrideAnswer(getIpChannelNum, 2, &mask, sizeof mask);
  device_seam::overrideAnswer(getChannelConfig, -1);
  channels = GetSubMenu(buildLiveViewMenu(3), 1);
  std::vector<int> expected = Range(12336, 12351);
  expected.push_back(12336 + 16 + 0);
  expected.push_back(12336 + 16 + 3);
  EXPECT_EQ(Ids(channels), expected);
  EXPECT_EQ(Text(channels, 2), Layout("chan_analog") + " 3");
  EXPECT_EQ(Text(channels, 16), Layout("chan_ipc") + " 1");
  EXPECT_EQ(Text(channels, 17), Layout("chan_ipc") + " 4");
}

// Positions of the main items and of the split sub-menu's items.
constexpr int kChannelsAt = 1, kSplitsAt = 2, kSequenceAt = 5, kRecordAt = 6, kPlayAllDayAt = 7, kOtherOutputAt = 9;
constexpr int kSplit8At = 2, kSplit16At = 4;

TEST_F(PopupMenu, ChannelAndSplitItemsChangeWhatTheDeviceShows) {
  const WindowHandle live = LiveView();
  struct Step {
    std::vector<int> path;
    std::pair<int, int> split;  // count, first window afterwards
  } steps[] = {
      {{kChannelsAt, 4}, {1, 5}},        // channel 5 alone
      {{kSplitsAt, kSplit8At}, {8, 1}},  // split 8
      {{kSplitsAt, kSplit16At}, {16, 1}},
      {{kChannelsAt, 15}, {1, 16}},  // the last analog channel
  };
  for (const Step& s : steps) {
    EXPECT_TRUE(Choose(live, 300, 200, s.path)) << s.path[0] << "," << s.path[1];
    EXPECT_EQ(Split(), s.split) << s.path[0] << "," << s.path[1];
  }
  // IP channels 1 and 4 present: they follow the analog ones.
  const uint64_t mask = 0x9;
  device_seam::overrideAnswer(getIpChannelNum, 2, &mask, sizeof mask);
  EXPECT_TRUE(Choose(live, 300, 200, {kChannelsAt, 16}));
  EXPECT_EQ(Split(), (std::pair<int, int>{1, 17}));
  EXPECT_TRUE(Boxes().empty());
}

// Ids no item of the menu carries, and the single view the split sub-menu
// does not offer, reach the command handler from elsewhere or not at all:
// it says which it took.
TEST_F(PopupMenu, CommandsOutsideTheLiveViewOrWithoutAnItemDoNothing) {
  using namespace popup_menu;
  struct Step {
    int state, id, handled;
    std::pair<int, int> split;  // count, first window afterwards
  } steps[] = {
      {0, kSplit4 + 2, 1, {8, 1}},
      {2, kChannelBase + 5, 1, {8, 1}},  // not in live view: nothing
      {2, kSplit16, 1, {8, 1}},
      {0, kSplitSingle, 1, {1, 7}},          // split 1 shows the menu channel
      {0, kChannelBase + 17, 0, {1, 7}},     // no IP channel on the device: not an item
      {0, kChannelBase, 0, {1, 7}},
      {0, kPrevScreen, 1, {1, 7}},           // previous and next screen: nothing of their own
      {0, kNextScreen, 1, {1, 7}},
      {0, 12500, 0, {1, 7}},
  };
  setPreviewMenuChan(3, 7);
  for (const Step& s : steps) {
    setOutputState(3, s.state);
    EXPECT_EQ(Command(s.id), s.handled) << s.id;
    EXPECT_EQ(Split(), s.split) << s.id;
  }
  setOutputState(3, 0);
  // IP channels 1 and 4 present: the gap between them and everything past
  // the last are no items.
  const uint64_t mask = 0x9;
  device_seam::overrideAnswer(getIpChannelNum, 2, &mask, sizeof mask);
  const std::pair<int, int> shown[] = {
      {kChannelBase + 17, 1}, {kChannelBase + 18, 0}, {kChannelBase + 20, 1}, {kChannelBase + 21, 0}};
  for (auto [id, handled] : shown) EXPECT_EQ(Command(id), handled) << id;
}

TEST_F(PopupMenu, SequenceItemChangesInPlaceOrAsksForADwellTime) {
  const WindowHandle live = LiveView();
  Dwell(0);
  EXPECT_TRUE(Choose(live, 300, 200, {kSequenceAt}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, lookupText("preview", "sequence_hint"));
  EXPECT_EQ(Boxes()[0].type, static_cast<uint32_t>(MSGBOX_INFO));
  EXPECT_EQ(getLiveSequenceState(3), 0);
  EXPECT_EQ(Text(getLiveViewMenu(3), 12309, false), Layout("startturn"));

  Dwell(2);
  EXPECT_TRUE(Choose(live, 300, 200, {kSequenceAt}));
  EXPECT_EQ(getLiveSequenceState(3), 1);
  EXPECT_EQ(Text(getLiveViewMenu(3), 12309, false), Layout("stopturn"));
  // The next menu shows the running sequence too, and stops it.
  EXPECT_TRUE(Choose(live, 300, 200, {kSequenceAt}));
  EXPECT_EQ(getLiveSequenceState(3), 0);
  EXPECT_EQ(Text(getLiveViewMenu(3), 12309, false), Layout("startturn"));
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(PopupMenu, RecordPlaybackAndSwitchItemsAskOrCheckFirst) {
  Outputs(2);  // the switch item is offered with an auxiliary output
  const WindowHandle live = LiveView();
  // Each record item asks its own question; the box's OK is no Yes.
  EXPECT_TRUE(Choose(live, 300, 200, {kRecordAt, 0}));
  EXPECT_TRUE(Choose(live, 300, 200, {kRecordAt, 1}));
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, lookupText("preview", "startrec_timing_hint"));
  EXPECT_EQ(Boxes()[1].text, lookupText("preview", "startrec_motion_hint"));
  Boxes().clear();

  // All-day playback of the channel under the pointer (window 6 of the 4 x
  // 4 split) for a user with the right.
  const int x6 = 256 + 128, y6 = 192 + 96;
  setSearchKind(3, 3);
  EXPECT_TRUE(Choose(live, x6, y6, {kPlayAllDayAt}));
  EXPECT_EQ(getPlaybackChannel(3), 6);
  EXPECT_EQ(getSearchKind(3), 0);
  EXPECT_TRUE(Boxes().empty());
  // A user without it gets the no-permission box and no playback.
  setPlaybackChannel(3, 0);
  setOutputState(3, OUTSTATE_LIVEVIEW);
  setLoginState(3, 5, 0);
  EXPECT_TRUE(Choose(live, x6, y6, {kPlayAllDayAt}));
  EXPECT_EQ(getPlaybackChannel(3), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, lookupText("commons", "permission"));
  Boxes().clear();
  setLoginState(3, 0, 0);

  // Moving the menus asks first; No leaves them where they are.
  EXPECT_TRUE(Choose(live, 300, 200, {kOtherOutputAt}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, lookupText("preview", "outputswitch_hint"));
  EXPECT_EQ(getCurOutput(), 3);
}

}  // namespace
