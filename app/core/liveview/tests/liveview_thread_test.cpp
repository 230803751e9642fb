// The live view on a started toolkit: channels under points after the pages
// write a live-view configuration, the smart-search grid, the side menu over
// the selected window, what covers the live view before an output switch,
// and the pictures the live-view window paints by state.
#include <cstring>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/testing/page_harness.h"
#include "gui/app_hooks.h"
#include "gui/paint.h"

namespace {

using livetest::LiveGui;

LResult LiveViewProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_PAINT) {
    HDC hdc = BeginPaint(hwnd);
    paintLiveView(hwnd, hdc);
    EndPaint(hwnd, hdc);
    return 0;
  }
  if (msg == MSG_ERASEBKGND) {
    eraseLiveView(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A window that logs the messages the live view sends it.
std::vector<int>& Sent() {
  static std::vector<int> sent;
  return sent;
}
LResult OverlayProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CLOSE) {
    Sent().push_back(static_cast<int>(MSG_CLOSE + 1000 * wParam));
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

class LiveView : public LiveGui {
 protected:
  // A device with one output files its live view with the main display.
  WindowHandle LiveWindow() { return Main({0, 0, 1024, 768}, LiveViewProc, WS_EX_PREVIEW); }

  void Split(int count, int first) { ASSERT_EQ(showLiveSplit(3, count, first), 0); }

  void WriteOrder(int kind, std::initializer_list<std::pair<int, int>> entries) {
    PreviewConfig config{};
    ASSERT_EQ(getPreviewConfig(getOutputLogin(3), 3, &config), 0);
    for (auto [entry, channel] : entries) {
      // A channel stands in one window of a layout: the device refuses it twice.
      for (uint8_t& slot : config.order[kind])
        if (slot == channel) slot = PREVIEW_EMPTY_WINDOW;
      config.order[kind][entry] = static_cast<uint8_t>(channel);
    }
    ASSERT_EQ(setPreviewConfig(getOutputLogin(3), 3, &config), 0);
  }
};

TEST_F(LiveView, ChannelsUnderPointsFollowTheWrittenConfigurationAndThePage) {
  // Split 4, second page (first window 5): entries 4..7 of kind 2's table.
  WriteOrder(2, {{4, 9}, {5, 255}, {7, 12}});
  Split(4, 5);
  EXPECT_EQ(getPreviewChanAtPoint(3, 10, 10), 10);      // window 0 -> entry 4
  EXPECT_EQ(getPreviewChanAtPoint(3, 600, 10), -2);     // window 1 -> empty
  EXPECT_EQ(getPreviewChanAtPoint(3, 600, 700), 13);    // window 3 -> entry 7
  EXPECT_EQ(getPreviewChanAtPoint(3, 512, 384), 10);    // the middle point is the top-left window's
  // Split 1 shows the channel switched to full screen.
  ASSERT_EQ(showLiveChannel(3, 3), 0);
  EXPECT_EQ(getPreviewChanAtPoint(3, 500, 500), 3);
  // Back to the split shown before the single view.
  ASSERT_EQ(showPreviousSplit(3), 0);
  EXPECT_EQ(getPreviewChanAtPoint(3, 600, 700), 13);
  // During playback other than instant playback no channel is under the pointer.
  setOutputState(3, OUTSTATE_PLAYBACK);
  EXPECT_EQ(getPreviewChanAtPoint(3, 10, 10), -1);
  setOutputState(3, OUTSTATE_LIVEVIEW);
  // Split 9 on its second page with 10 channel slots: windows past slot 10 give -2.
  device_seam::overrideAnswer(getMaxChanSlotNum, 10);
  Split(9, 10);
  EXPECT_EQ(getPreviewWinAtPoint(3, 10, 10), 0);
  EXPECT_EQ(getPreviewWinAtPoint(3, 400, 10), -2);
  EXPECT_EQ(getPreviewChanAtPoint(3, 1000, 700), -2);
}

TEST_F(LiveView, SmartSearchMarksClearsAndHitsTheCellsAnAreaTouches) {
  ASSERT_EQ(getSmartGridRows(), 18);
  // 1024 / 22 = 46 wide, 768 / 18 = 42 high cells.
  const Rect area{50, 40, 140, 130};  // columns 1..3, rows 0..3
  markSmartGrid(&area, 1024, 768);
  for (int r = 0; r < 18; ++r) EXPECT_EQ(getSmartGridRow(r), r <= 3 ? 0xEu : 0u) << r;
  EXPECT_TRUE(isSmartCellMarked(46, 0, 1024, 768));
  EXPECT_FALSE(isSmartCellMarked(45, 0, 1024, 768));
  EXPECT_FALSE(isSmartCellMarked(184, 10, 1024, 768));
  const Rect corner{1000, 740, 1024, 768};  // the last cell, and no column past 22
  markSmartGrid(&corner, 1024, 768);
  EXPECT_EQ(getSmartGridRow(17), 1u << 21);
  const Rect inner{92, 42, 93, 43};
  clearSmartGrid(&inner, 1024, 768);
  EXPECT_EQ(getSmartGridRow(1), 0xAu);
  resetSmartSearch(0);  // no search results: the grid starts empty
  EXPECT_EQ(getSmartGridRow(0), 0u);
  setSmartAreaAll();
  EXPECT_EQ(getSmartGridRow(17), SMART_GRID_ALL);
  EXPECT_EQ(getSmartGridRow(18), 0u);
  clearSmartArea();
  EXPECT_EQ(getSmartGridRow(0), 0u);

  DeviceConfig config{};
  ASSERT_EQ(getDeviceConfig(getOutputLogin(3), &config), 0);
  config.outputs[3].videoStandard = 1;
  ASSERT_EQ(setDeviceConfig(getOutputLogin(3), &config, 1), 0);
  resetSmartSearchState();
  EXPECT_EQ(getSmartGridRows(), 15);
  EXPECT_EQ(getVideoPictureHeight(), 480);
}

TEST_F(LiveView, SideMenuOpensBesideTheSelectedWindowWithButtonsForTheChannel) {
  WindowHandle live = LiveWindow();
  WindowHandle menu = Main({0, 0, 420, 48}, OverlayProc);
  for (int id : {12289, 12291, 12292, 12293, 12294, 12295, 12296, 12302, 12303})
    ASSERT_NE(CreateWindowEx("button", "", WS_VISIBLE, 0, id, 0, 0, 10, 10, menu, 0), GUI_INVALID_HANDLE);
  setLeftMenuWnd(3, menu);
  Split(4, 1);
  setPreviewSelWin(3, 3);
  setPreviewSelChan(3, 20);  // an IP channel the device does not have
  showLiveViewPopup(live, 1);
  Rect r{};
  GetWindowRect(menu, &r);
  EXPECT_EQ(r.left, 558);
  EXPECT_EQ(r.top, 336);  // above the bottom-right window
  EXPECT_TRUE(getLiveViewPopup(3));
  for (int id : {12289, 12291, 12292, 12294, 12302}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(menu, id))) << id;
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, 12296)));
  // An analog channel: all enabled; manual recording shows "stoprec"; the
  // audio pair shows "closesound" only while the channel's audio is open.
  setPreviewSelChan(3, 2);
  device_seam::overrideAnswer(getRecordingChanMask, 2);
  setLiveAudioChannel(2);
  refreshLeftMenuState(menu, 3);
  for (int id : {12289, 12291, 12292, 12293, 12294, 12295}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, id))) << id;
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(menu, 12289)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(menu, 12302)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(menu, 12291)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(menu, 12303)));
  setLiveAudioChannel(0);
  refreshLeftMenuState(menu, 3);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(menu, 12291)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(menu, 12303)));

  closeLiveViewPopup(live);
  EXPECT_FALSE(getLiveViewPopup(3));
  EXPECT_FALSE(IsWindowVisible(menu));
  setLeftMenuWnd(3, GUI_INVALID_HANDLE);
  setLiveAudioChannel(0);
}

TEST_F(LiveView, OverlaysCloseByStateBeforeTheOutputSwitchQuestion) {
  WindowHandle live = LiveWindow();
  WindowHandle menu = Main({0, 0, 100, 40}, OverlayProc);
  WindowHandle mode = Main({300, 300, 400, 400}, OverlayProc);
  setLeftMenuWnd(3, menu);
  setOutModeSetWnd(mode);
  struct Row {
    int state, popup;
    std::vector<int> sent;
    int result;
  } rows[] = {
      {17, 0, {MSG_CLOSE, MSG_CLOSE}, 1},  // the mode dialog, then the side menu
      {0, 1, {MSG_CLOSE}, 1},
      {0, 0, {MSG_CLOSE}, 0},
  };
  for (const Row& row : rows) {
    setOutputState(3, row.state);
    setLiveViewPopup(3, row.popup);
    ShowWindow(mode, SW_SHOW);
    Sent().clear();
    EXPECT_EQ(closeOverlayWindows(), row.result) << row.state;
    EXPECT_EQ(Sent(), row.sent) << row.state;
    EXPECT_EQ(IsWindowVisible(mode), row.state != 17);
  }
  // Without a side menu nothing stands over the live view.
  setLeftMenuWnd(3, GUI_INVALID_HANDLE);
  setOutputState(3, OUTSTATE_OUTMODE);
  EXPECT_EQ(closeOverlayWindows(), 0);

  // The question: refused while switching is off; asked on the live view
  // for a dialog over it.
  setOutputState(3, OUTSTATE_LIVEVIEW);
  setDispSwitchEnabled(0);
  EXPECT_EQ(confirmOutputSwitch(mode), 0);
  EXPECT_TRUE(livetest::Boxes().empty());
  setDispSwitchEnabled(1);
  livetest::BoxAnswer() = IDYES;
  EXPECT_EQ(confirmOutputSwitch(mode), 1);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].owner, live);
  EXPECT_EQ(livetest::Boxes()[0].text, "Move the menu to the other output?");
  livetest::BoxAnswer() = IDNO;
  EXPECT_EQ(confirmOutputSwitch(live), 0);
  setDispSwitchEnabled(0);
  setOutModeSetWnd(GUI_INVALID_HANDLE);
}

// ---- Pictures ----

class LiveViewOnScreen : public LiveView {
 protected:
  void Shows(const char* name, void (*prepare)(WindowHandle live) = nullptr) {
    WindowHandle live = LiveWindow();
    if (prepare) prepare(live);
    InvalidateRect(live, nullptr, TRUE);
    UpdateWindow(live, TRUE);
    desktest::Drain();
    livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(Rect{0, 0, 1024, 768}));
  }
};

TEST_F(LiveViewOnScreen, SplitFourFramesTheSelectedWindowInYellow) {
  Split(4, 1);
  setPreviewSelWin(3, 1);
  setLiveViewPopup(3, 1);
  Shows("split4_selected");
}

TEST_F(LiveViewOnScreen, SplitEightFramesTheHitWindowInGreenWhileTheAddButtonShows) {
  Split(8, 1);
  setPreviewHitWin(5);
  Shows("split8_hit", [](WindowHandle live) {
    // The add-channel button stands in the middle of the hit window.
    setAddChanButton(CreateWindowEx("button", "", WS_VISIBLE, 0, 12303, 380, 660, 8, 8, live, 0));
  });
  setAddChanButton(0);
}

TEST_F(LiveViewOnScreen, ZoomOverviewAndSmartSearchGrid) {
  WindowHandle live = LiveWindow();
  setPreviewSelChan(3, 1);
  ASSERT_EQ(startLiveViewZoom(live), 0);
  EXPECT_EQ(getOutputState(3), OUTSTATE_ZOOM);
  EXPECT_EQ(getLiveZoomChannel(), 1);
  DestroyMainWindow(live);
  Shows("zoom_overview");

  setOutputState(3, OUTSTATE_SMARTSEARCH);
  const Rect area{100, 100, 300, 250};
  markSmartGrid(&area, 1024, 768);
  const Rect drag{600, 500, 500, 400};  // dragged up and left: drawn normalised
  setSmartDragRect(&drag, 1);
  Shows("smart_grid");
  // A drag rectangle narrower than 32 pixels is not drawn.
  const Rect narrow{600, 500, 631, 600};
  setSmartDragRect(&narrow, 1);
  WindowHandle again = LiveWindow();
  UpdateWindow(again, TRUE);
  desktest::Drain();
  uint8_t r = 0, g = 0, b = 0;
  GetPixelRGB(HDC_SCREEN, 610, 550, &r, &g, &b);
  EXPECT_EQ(r, 0x18);
}

}  // namespace
