// The live-view window procedure on a started toolkit: the mouse in each
// output state, the zooms, the smart-search grid, PTZ steering, numeric
// keys, the power key, the idle time-out, and the start-up messages sent
// synchronously from another thread.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/app_messages.h"
#include "app/camera.h"
#include "app/core/liveview/main_proc.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/device_backend.h"
#include "app/testing/page_harness.h"
#include "app/numkeys.h"
#include "app/playback.h"
#include "app/program.h"
#include "core/input/tests/key_tap.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/gal.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/paint.h"

namespace {

using livetest::Boxes;
using livetest::LiveGui;

constexpr int kLeftDown = 1, kLeftUp = 2, kDoubleClick = 3, kMove = 4, kRightUp = 6;


class LiveProc : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    setZoomSelecting(3, 0);
    setZoomChannel(3, 0);
    setPlaybackWinCount(3, 0);
    setPtzMouseMode(0);
    setPreviewHitWin(0);
    SetPowerKeyDownFlag(0);
    device_seam::startCallLog();
  }
  inputtest::SingleClicks singleClicks_;
  void TearDown() override {
    if (held_) HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    setAddChanButton(0);
    setOutputState(3, OUTSTATE_LIVEVIEW);
    LiveGui::TearDown();
  }

  // A device with one output files its live view with the main display.
  WindowHandle LiveWindow() { return Main({0, 0, 1024, 768}, previewMainWinProc, WS_EX_PREVIEW); }

  // A user's mouse on the live view through the host's input, each step
  // waited for until the live view has had it. A release with no press
  // before it is a whole click there.
  void Mouse(WindowHandle live, int msg, int x, int y) {
    using inputtest::HandledBy;
    switch (msg) {
      case kLeftDown:
        if (held_) Mouse(live, kLeftUp, x, y);  // a hand lets go before it presses again
        inputtest::MovePointer(x, y);
        EXPECT_TRUE(HandledBy(live, MSG_LBUTTONDOWN, -1, 1, [] { HostInjectMouseButton(HOST_BUTTON_LEFT, 1); }));
        held_ = true;
        return;
      case kMove:
        EXPECT_TRUE(HandledBy(live, MSG_MOUSEMOVE, -1, 1, [x, y] { HostInjectMouseMove(x, y); }));
        return;
      case kLeftUp:
        if (!held_) {
          EXPECT_TRUE(inputtest::SingleClicks::ClickAt(live, x, y));
          return;
        }
        inputtest::MovePointer(x, y);
        EXPECT_TRUE(HandledBy(live, MSG_LBUTTONUP, -1, 1, [] { HostInjectMouseButton(HOST_BUTTON_LEFT, 0); }));
        held_ = false;
        return;
      case kRightUp:
        inputtest::MovePointer(x, y);
        EXPECT_TRUE(HandledBy(live, MSG_RBUTTONUP, -1, 1, [] {
          HostInjectMouseButton(HOST_BUTTON_RIGHT, 1);
          HostInjectMouseButton(HOST_BUTTON_RIGHT, 0);
        }));
        return;
      default:
        ADD_FAILURE() << "no hand makes message " << msg;
    }
  }
  void Drag(WindowHandle live, int x0, int y0, int x1, int y1) {
    Mouse(live, kLeftDown, x0, y0);
    Mouse(live, kMove, x1, y1);
    Mouse(live, kLeftUp, x1, y1);
  }
  // The pop-up menu a right click opened in the live view, closed by Escape.
  static void CloseMenu(WindowHandle live) {
    const int display = GetWindowDisplay(live);
    if (!livetest::PumpUntil([display] { return IsMenuPopup(display) != 0; })) return;
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([display] { return IsMenuPopup(display) == 0; }));
  }
  // The front panel's power key: the desktop tells the top window.
  static void PowerKey(WindowHandle live) {
    EXPECT_TRUE(inputtest::HandledBy(live, MSG_POWERKEY, -1, 1, [] {
      inputtest::TapKey(PANEL_KEY_POWER);
    }));
  }
  bool held_ = false;
  // A key typed on the host keyboard while `window` has the input.
  static void Key(WindowHandle window, int key) { EXPECT_TRUE(inputtest::Type(window, key)) << key; }

  static std::vector<std::vector<int64_t>> Calls(const std::string& op) {
    std::vector<std::vector<int64_t>> args;
    for (const auto& call : device_seam::callLog())
      if (call.op == op) args.push_back(call.args);
    return args;
  }

  static std::pair<int, int> SplitNow() {
    int split = 0, first = 0;
    getLiveSplitOf(3, &split, &first);
    return {split, first};
  }

  static std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& box : Boxes()) texts.push_back(box.text);
    return texts;
  }

  static void WriteOrder(int kind, std::initializer_list<std::pair<int, int>> entries) {
    PreviewConfig config{};
    ASSERT_EQ(getPreviewConfig(getOutputLogin(3), 3, &config), 0);
    for (auto [entry, channel] : entries) config.order[kind][entry] = static_cast<uint8_t>(channel);
    ASSERT_EQ(setPreviewConfig(getOutputLogin(3), 3, &config), 0);
  }
};

// Split 4 with windows 1 and 3 empty and one free IP slot.
TEST_F(LiveProc, LeftClicksSelectWindowsMoveTheAddButtonAndSwitchTheView) {
  const uint64_t ipMask = 1;
  device_seam::overrideAnswer(getIpChannelNum, 2, &ipMask, sizeof ipMask);
  WriteOrder(2, {{1, 255}, {3, 255}});
  ASSERT_EQ(showLiveSplit(3, 4, 1), 0);
  WindowHandle live = LiveWindow();
  const WindowHandle button = getAddChanButton();
  ASSERT_TRUE(IsValidHandle(button));
  EXPECT_FALSE(IsWindowVisible(button));
  enum Hand { kClick, kDoubleClick };
  struct Step {
    Hand hand;
    int x, y;
    int popup, selChan, selWin, hitWin;
    bool button;
    int split;
  } steps[] = {
      {kClick, 100, 100, 1, 1, 0, 0, false, 4},   // a channel: the side menu over window 0
      {kClick, 700, 100, 0, 1, 0, 1, true, 4},    // an empty window: menu closed, the button there
      {kClick, 700, 100, 0, 1, 0, 1, true, 4},    // the same window again: nothing moves
      {kClick, 100, 500, 1, 3, 2, 1, false, 4},   // another channel: the menu over window 2
      {kDoubleClick, 100, 500, 0, 3, 2, 1, false, 1},  // a double click shows channel 3 alone
      // And back to the split shown before; its first click selected the
      // single view's only window.
      {kDoubleClick, 500, 500, 0, 3, 0, 1, false, 4},
  };
  int n = 0;
  for (const Step& s : steps) {
    if (s.hand == kClick)
      EXPECT_TRUE(inputtest::SingleClicks::ClickAt(live, s.x, s.y)) << "step " << n;
    else
      EXPECT_TRUE(inputtest::SingleClicks::DoubleClickAt(live, s.x, s.y)) << "step " << n;
    EXPECT_EQ(getLiveViewPopup(3), s.popup) << "step " << n;
    EXPECT_EQ(getPreviewSelChan(3), s.selChan) << "step " << n;
    EXPECT_EQ(getPreviewSelWin(3), s.selWin) << "step " << n;
    EXPECT_EQ(getPreviewHitWin(), s.hitWin) << "step " << n;
    EXPECT_EQ(IsWindowVisible(button) != 0, s.button) << "step " << n;
    EXPECT_EQ(SplitNow().first, s.split) << "step " << n;
    if (n == 1) {
      // Centred in window 1 (512, 0, 1024, 384), framed in green.
      Rect r{};
      GetWindowRect(button, &r);
      const int bw = r.right - r.left, bh = r.bottom - r.top;
      EXPECT_EQ(r.left, 512 + (512 - bw) / 2);
      EXPECT_EQ(r.top, (384 - bh) / 2);
      UpdateWindow(live, TRUE);
      desktest::Drain();
      uint8_t red = 0, green = 0, blue = 0;
      EXPECT_EQ(GetPixelRGB(HDC_SCREEN, 600, 0, &red, &green, &blue), SysPixelIndex[SYSPIXEL_GREEN]);
      EXPECT_NE(GetPixelRGB(HDC_SCREEN, 100, 0, &red, &green, &blue), SysPixelIndex[SYSPIXEL_GREEN]);
    }
    ++n;
  }
}

TEST_F(LiveProc, TheAddButtonFindsTheFreeSlotAndAsksForTheRight) {
  uint64_t ipMask = 1;
  device_seam::overrideAnswer(getIpChannelNum, 2, &ipMask, sizeof ipMask);
  WriteOrder(2, {{1, 255}});
  ASSERT_EQ(showLiveSplit(3, 4, 1), 0);
  WindowHandle live = LiveWindow();
  // A click on the empty window shows the button in it.
  ASSERT_TRUE(inputtest::ClickAt(700, 100, [] { return IsWindowVisible(getAddChanButton()) != 0; }));
  // With the right the add-camera dialog opens; its Cancel closes it.
  WindowHandle seen = GUI_INVALID_HANDLE;
  EXPECT_TRUE(RunInLoopOpenedBy(
      [&] {
        livetest::ClickItem(live, liveproc::kAddChanButton);
      },
                                [] { return IsValidHandle(getAddIpcWnd()); },
                                [&] {
                                  seen = getAddIpcWnd();
                                  inputtest::ClickClosing(seen, IDCANCEL);
                                }));
  EXPECT_TRUE(IsValidHandle(seen));
  EXPECT_TRUE(livetest::PumpUntil([] { return !IsValidHandle(getAddIpcWnd()); }));
  EXPECT_TRUE(Boxes().empty());
  // A user without the camera right gets the no-permission box.
  setLoginState(3, 1, 0);
  livetest::Click(live, liveproc::kAddChanButton);
  // Every slot taken: the add-camera error, whoever asks.
  ipMask = 3;
  device_seam::overrideAnswer(getIpChannelNum, 2, &ipMask, sizeof ipMask);
  livetest::Click(live, liveproc::kAddChanButton);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"No permission!", "No free IP channel is left!"}));
}

TEST_F(LiveProc, TheRightButtonActsByState) {
  ASSERT_EQ(showLiveSplit(3, 4, 1), 0);
  WindowHandle live = LiveWindow();
  // Live view: the side menu closes and the menu channel is the one under the pointer.
  Mouse(live, kLeftUp, 100, 100);
  ASSERT_EQ(getLiveViewPopup(3), 1);
  Mouse(live, kRightUp, 700, 500);
  CloseMenu(live);
  EXPECT_EQ(getLiveViewPopup(3), 0);
  EXPECT_EQ(getPreviewMenuChan(3), 4);
  // Digital zoom: it ends and the device is told.
  setPreviewSelChan(3, 2);
  ASSERT_EQ(startLiveViewZoom(live), 0);
  Mouse(live, kRightUp, 10, 10);
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
  EXPECT_EQ(isLiveViewActive(3), 1);
  EXPECT_EQ(Calls("stopLiveZoom"), (std::vector<std::vector<int64_t>>{{3, 2}}));
  // Playback: the zoom selection is cancelled.
  setOutputState(3, OUTSTATE_PLAYBACK);
  setZoomSelecting(3, 1);
  Mouse(live, kRightUp, 10, 10);
  EXPECT_EQ(isZoomSelecting(3), 0);
  // PTZ positioning: back to the normal mouse mode with the default cursor.
  setOutputState(3, OUTSTATE_PTZ);
  setPtzMouseMode(1);
  Mouse(live, kRightUp, 10, 10);
  EXPECT_EQ(getPtzMouseMode(), 0);
  EXPECT_EQ(GetDefaultCursor(), GetSystemCursor(0));
}

TEST_F(LiveProc, ZoomDragsStayInTheOverviewAndReachTheDeviceInPictureCoordinates) {
  WindowHandle live = LiveWindow();
  setPreviewSelChan(3, 2);
  ASSERT_EQ(startLiveViewZoom(live), 0);
  // A move outside the overview is ignored; the release gives the proportions.
  Mouse(live, kLeftDown, 800, 600);
  Mouse(live, kMove, 900, 650);
  Mouse(live, kMove, 100, 100);
  Mouse(live, kLeftUp, 100, 100);
  Rect zoom{};
  int dragging = 1;
  getLiveZoomRect(&zoom, &dragging);
  EXPECT_EQ(dragging, 0);
  EXPECT_EQ(std::vector<int>({zoom.left, zoom.top, zoom.right, zoom.bottom}), std::vector<int>({800, 600, 900, 675}));
  EXPECT_EQ(Calls("startLiveZoom"), (std::vector<std::vector<int64_t>>{{3, 2, 88, 72, 363, 297}}));
  // A press outside the overview, or on its frame, starts nothing.
  Drag(live, 100, 100, 900, 700);
  Drag(live, 766, 700, 900, 700);
  EXPECT_EQ(Calls("startLiveZoom").size(), 1u);
}

TEST_F(LiveProc, PlaybackZoomPicksTheWindowAndPaintsItsOverview) {
  WindowHandle live = LiveWindow();
  setOutputState(3, OUTSTATE_PLAYBACK);
  setPlaybackWinCount(3, 2);
  setZoomSelecting(3, 1);
  // Two windows: only the middle half of the screen picks one.
  Mouse(live, kLeftDown, 100, 50);
  EXPECT_EQ(isZoomSelecting(3), 1);
  // The device refuses: no zoom runs.
  device_seam::overrideAnswer(startLiveZoom, -1);
  Mouse(live, kLeftDown, 100, 300);
  EXPECT_EQ(isZoomSelecting(3), 0);
  EXPECT_EQ(getZoomChannel(3), 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Please pick a channel of the playback!", "The digital zoom failed!"}));
  device_seam::clearOverrides();
  // Four windows: the top-right one, and drags in the overview as in the live view's zoom.
  setPlaybackWinCount(3, 4);
  setZoomSelecting(3, 1);
  Mouse(live, kLeftDown, 700, 100);
  EXPECT_EQ(getZoomChannel(3), 2);
  EXPECT_EQ(Calls("startLiveZoom").back(), (std::vector<int64_t>{3, 2, 760, 574, 1024, 768}));
  InvalidateRect(live, nullptr, TRUE);
  UpdateWindow(live, TRUE);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "zoom_overview", livetest::SettledGrab(Rect{0, 0, 1024, 768}));
  Drag(live, 800, 600, 900, 650);
  EXPECT_EQ(Calls("startLiveZoom").back(), (std::vector<int64_t>{3, 2, 88, 72, 363, 297}));
}

TEST(PlaybackGrid, WindowsUnderPointsForEachCount) {
  // The main output's 1024 x 768 screen.
  setMainOutput(3);
  struct Row {
    int count, x, y, window;
  } rows[] = {
      {1, 900, 700, 1},  {2, 100, 192, 1}, {2, 600, 576, 2}, {2, 600, 577, -1}, {2, 100, 191, -1},
      {4, 512, 384, 1},  {4, 513, 385, 4}, {6, 342, 10, 2},  {9, 1000, 700, 9}, {16, 256, 192, 1},
      {16, 257, 193, 6}, {17, 10, 10, -1},
  };
  for (const Row& row : rows) {
    setPlaybackWinCount(3, row.count);
    EXPECT_EQ(getPlaybackWinAtPoint(3, row.x, row.y), row.window) << row.count << " at " << row.x << "," << row.y;
  }
  setPlaybackWinCount(3, 0);
}

TEST_F(LiveProc, SmartSearchDragsMarkClearAndResizeTheArea) {
  WindowHandle live = LiveWindow();
  setOutputState(3, OUTSTATE_SMARTSEARCH);
  auto rows = [] {
    std::vector<uint32_t> r;
    for (int i = 0; i < getSmartGridRows(); ++i) r.push_back(getSmartGridRow(i));
    return r;
  };
  const std::vector<uint32_t> empty = rows();
  // 31 x 100: dropped.
  Drag(live, 100, 100, 131, 200);
  EXPECT_EQ(rows(), empty);
  // Cells of 46 x 42: columns 2..4, rows 2..4.
  Drag(live, 100, 100, 200, 200);
  for (int r = 0; r < 6; ++r) EXPECT_EQ(getSmartGridRow(r), r >= 2 && r <= 4 ? 0x1Cu : 0u) << r;
  // The stored rectangle's right edge shows the sizing cursor and drags to 300.
  Mouse(live, kMove, 200, 150);
  EXPECT_EQ(GetCurrentCursorIndex(), 7);
  Drag(live, 200, 150, 300, 150);
  EXPECT_EQ(getSmartGridRow(3), 0x7Cu);
  // A drag that starts on a marked cell clears.
  Drag(live, 140, 130, 190, 190);
  EXPECT_EQ(getSmartGridRow(2), 0x7Cu);
  EXPECT_EQ(getSmartGridRow(3), 0x64u);
  EXPECT_EQ(getSmartGridRow(4), 0x64u);
}

TEST_F(LiveProc, PtzPositioningTakesRectanglesFromEightByEight) {
  WindowHandle live = LiveWindow();
  setOutputState(3, OUTSTATE_PTZ);
  setPtzMouseMode(1);
  setPreviewSelChan(3, 5);
  Drag(live, 100, 100, 107, 300);
  EXPECT_TRUE(Calls("ptzPositionRect").empty());
  Drag(live, 108, 108, 100, 100);
  EXPECT_EQ(Calls("ptzPositionRect"), (std::vector<std::vector<int64_t>>{{5, 100, 100, 108, 108}}));
}

// Whether the zoom had ended when the shut-down question came.
bool& ZoomEndedFirst() {
  static bool ended = false;
  return ended;
}
int AnswerNoAfterZoom(WindowHandle owner, const char* text, const char* caption, uint32_t type) {
  bool stopped = false;
  for (const auto& call : device_seam::callLog()) stopped = stopped || call.op == "stopLiveZoom";
  ZoomEndedFirst() = stopped && getOutputState(3) == OUTSTATE_LIVEVIEW;
  livetest::RecordBox(owner, text, caption, type);
  return IDNO;
}

TEST_F(LiveProc, PowerKeyEndsTheZoomBeforeTheQuestionAndNeedsTheRight) {
  WindowHandle live = LiveWindow();
  setPreviewSelChan(3, 1);
  ASSERT_EQ(startLiveViewZoom(live), 0);
  msgbox_seam::setBoxFunction(AnswerNoAfterZoom);
  ZoomEndedFirst() = false;
  PowerKey(live);
  EXPECT_TRUE(ZoomEndedFirst());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Shut down the device?"}));
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  // A user without the shut-down right is not asked.
  setLoginState(3, 1, 0);
  PowerKey(live);
  EXPECT_EQ(Texts().back(), "No permission!");
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(LiveProc, NumericKeysShowTheChannelOrSayWhyNot) {
  WindowHandle live = LiveWindow();
  // Two keys complete the entry at once; one key waits for the timer.
  Key(live, 131);
  Key(live, 132);
  EXPECT_EQ(SplitNow(), std::make_pair(1, 12));
  Key(live, 133);
  EXPECT_EQ(SplitNow(), std::make_pair(1, 12));
  SendMessage(live, MSG_TIMER, NUMKEY_TIMER_ID, 0);
  EXPECT_EQ(SplitNow(), std::make_pair(1, 3));
  EXPECT_FALSE(isNumKeyEntryActive());
  // Set B: 4 then 0 is channel 40, which this device does not have.
  Key(live, 197);
  Key(live, 203);
  device_seam::overrideAnswer(isChannelUsable, 0);
  Key(live, 131);
  SendMessage(live, MSG_TIMER, NUMKEY_TIMER_ID, 0);
  device_seam::clearOverrides();
  device_seam::overrideAnswer(isChannelPreviewEnabled, 0);
  Key(live, 134);
  SendMessage(live, MSG_TIMER, NUMKEY_TIMER_ID, 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"The channel does not exist!", "Channel A1 is not available!",
                                               "The live view of this channel is disabled!"}));
  EXPECT_EQ(SplitNow(), std::make_pair(1, 3));
}

// A single digit ends on the window's own timer: the entry is shown once
// the toolkit's timer has run out, with no timer message sent by hand.
TEST_F(LiveProc, ASingleDigitIsShownWhenTheRealTimerRunsOut) {
  WindowHandle live = LiveWindow();
  desktest::Drain();
  Key(live, 135);  // channel 5
  EXPECT_TRUE(isNumKeyEntryActive());
  EXPECT_NE(SplitNow(), std::make_pair(1, 5));
  for (int i = 0; i < 600 && isNumKeyEntryActive(); ++i) {
    desktest::Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(isNumKeyEntryActive()) << "the timer ended the entry";
  EXPECT_EQ(SplitNow(), std::make_pair(1, 5));
}

// The PTZ panel's enabled state when each box came.
std::vector<int>& PanelEnabled() {
  static std::vector<int> seen;
  return seen;
}
int RecordPanel(WindowHandle owner, const char* text, const char* caption, uint32_t type) {
  PanelEnabled().push_back(IsWindowEnabled(getPtzPlayWindow()));
  return livetest::RecordBox(owner, text, caption, type);
}

TEST_F(LiveProc, NumericKeysOverThePtzPanelDisableItForTheBox) {
  WindowHandle live = LiveWindow();
  msgbox_seam::setBoxFunction(RecordPanel);
  PanelEnabled().clear();
  int after = -1;
  RunInLoop([](WindowHandle owner) { return showPtzPlayDialog(owner); },
            [&] {
              setOutputState(3, OUTSTATE_PTZ);
              device_seam::overrideAnswer(isChannelUsable, 0);
              // The PTZ panel is a placeholder page that takes no numeric
              // keys: typed over it they would never reach the entry, so the
              // keys are given to the live view itself.
              SendMessage(live, MSG_KEYDOWN, 132, 0);
              SendMessage(live, MSG_KEYDOWN, 146, 0);  // a direct channel key completes the entry: 16
              after = IsWindowEnabled(getPtzPlayWindow());
              SendMessage(getPtzPlayWindow(), MSG_CLOSE, 0, 0);
            });
  EXPECT_EQ(PanelEnabled(), std::vector<int>{0});
  EXPECT_EQ(after, 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Channel A16 is not available!"});
}

TEST_F(LiveProc, IdleTimeOutClosesTheSideMenuOnlyInTheLiveView) {
  ASSERT_EQ(showLiveSplit(3, 4, 1), 0);
  WindowHandle live = LiveWindow();
  Mouse(live, kLeftUp, 100, 100);
  setOutputState(3, OUTSTATE_MENU);
  SendMessage(live, MSG_IDLE, 3, 0);
  EXPECT_EQ(getLiveViewPopup(3), 1);
  setOutputState(3, OUTSTATE_LIVEVIEW);
  SendMessage(live, MSG_IDLE, 3, 0);
  EXPECT_EQ(getLiveViewPopup(3), 0);
}

// The tool-window thread sends 2049 and 2074 and waits for each; the live
// view's thread answers them while it runs its loop.
TEST_F(LiveProc, StartUpMessagesFromAnotherThreadAreAnsweredInOrder) {
  WindowHandle live = LiveWindow();
  device_seam::overrideAnswer(needsLanguageChoice, 1);
  device_seam::overrideAnswer(hasDiskToInit, 1);
  DiskInfo disks[DISK_LIST_ROWS] = {};
  disks[0].status = 1;
  disks[0].port = 1;  // disk number 2
  disks[1].status = 0;
  disks[2].status = 1;
  disks[2].bus = 1;  // disk number 3
  device_seam::overrideAnswer(getDiskList, 3, disks, sizeof disks);
  livetest::BoxAnswer() = IDYES;
  // The language dialog answers at once, as if the user left it.
  static std::atomic<int> languageAsked{0};
  languageAsked = 0;
  registerLanguageDialog([](WindowHandle) {
    ++languageAsked;
    return 0;
  });
  SetPowerKeyDownFlag(1);  // pressed during the language choice: no wizard

  std::atomic<bool> done{false};
  int afterWizard = -1, afterCheck = -1, activeAfterCheck = -1;
  std::thread tool([&] {
    SendMessage(live, MSG_STARTWIZARD, 0, 0);
    afterWizard = getOutputState(3);
    SendMessage(live, MSG_DISKCHECK, 0, 0);
    afterCheck = getOutputState(3);
    activeAfterCheck = isLiveViewActive(3);
    done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done && std::chrono::steady_clock::now() < deadline) {
    Message msg;
    while (PeekMessage(&msg, live, 0, 0, TRUE)) DispatchMessage(&msg);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  tool.join();
  registerAppPages();
  SetPowerKeyDownFlag(0);
  EXPECT_EQ(languageAsked, 1);
  EXPECT_EQ(afterWizard, 0);
  EXPECT_EQ(afterCheck, 0);
  EXPECT_EQ(activeAfterCheck, 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Disks that need initialising were found. Initialise them now?"});
  const auto formats = Calls("formatDiskList");
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0][1], 2);
  EXPECT_EQ(formats[0][2], 2 | 3 << 8);
}

}  // namespace
