// The motion detection page on the simulated device, opened as the camera
// menu opens it: grid editing with the mouse, the channel cache and what
// Apply writes, copy to channels, the live overlay and its call-back on the
// device's thread, the camera page keys, and the pictures.
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "app/alarmnet/events/camera_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/alarmnet/events/motion/motion_page.h"
#include "app/alarmnet_pages.h"
#include "app/app_messages.h"
#include "app/camera.h"
#include "app/control_services.h"
#include "gui/layout.h"
#include "gui/timer.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/page_keys.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace {

enum : int { kChannelBox = 19248, kEnableBox, kHandle, kSensitivity, kSelectAll, kClearAll };
constexpr int kApply = PAGE_ID_APPLY;
constexpr int kScheduleDay = 21536, kScheduleTime = 21537;

using livetest::Pick;
using livetest::Click;

class MotionPage : public alarmnettest::PageTest {
 protected:
  void Open() {
    alarmnettest::MoveTo(0, 0);  // no control of the page opens under the pointer
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_CAMERA, "motionset", host_), 0);
    win_ = getCameraPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
    alarmnettest::WatchPage(page_);
    desktest::Drain();
  }
  void Close() {
    alarmnettest::Mouse().page = 0;
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  // A drag with the mouse between two points of the page's client area.
  void Drag(int x0, int y0, int x1, int y1) {
    ClientToScreen(page_, &x0, &y0);
    ClientToScreen(page_, &x1, &y1);
    alarmnettest::DragOnScreen(x0, y0, x1, y1);
  }
  // A press at one end of the sensitivity track, held while `held` runs.
  void PressTrackEnd(bool right, const std::function<void()>& held) {
    const WindowHandle track = GetDlgItem(page_, kSensitivity);
    Rect r{};
    GetWindowRect(track, &r);
    int x = right ? r.right - 2 : r.left + 1, y = (r.top + r.bottom) / 2;
    ClientToScreen(page_, &x, &y);
    HostInjectMouseMove(x, y);
    ASSERT_TRUE(livetest::PumpUntil([x, y] { return alarmnettest::Cursor().x == x && alarmnettest::Cursor().y == y; }));
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    ASSERT_TRUE(livetest::PumpUntil([track] { return GetCapture() == track; }));
    held();
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    ASSERT_TRUE(livetest::PumpUntil([] { return GetCapture() == 0; }));
    desktest::Drain();
  }
  // Runs `steps` inside the dialog a click on button `id` opens.
  void InDialog(int id, const std::function<void(WindowHandle)>& steps) { InDialogOf(page_, id, {win_, host_}, steps); }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};


ChannelConfig Stored(int channel) {
  ChannelConfig c{};
  getChannelConfig(nullptr, channel, &c);
  return c;
}

std::vector<int64_t> Written(const std::string& op) {
  std::vector<int64_t> channels;
  for (const auto& call : device_seam::callLog())
    if (call.op == op && !call.args.empty()) channels.push_back(call.args[0]);
  return channels;
}

// The cell under a point of the default grid on this output.
constexpr int kViewX = 24, kViewY = 64, kCellW = 336 / 22, kCellH = 240 / 18;
int CellX(int c) { return kViewX + c * kCellW + kCellW / 2; }
int CellY(int r) { return kViewY + r * kCellH + kCellH / 2; }

// A drag sets the cells it covers; a press on a set cell clears; Apply
// writes the current channel first, then every cached one, each with its
// record channels (kind 1) and holiday segments (kind 3); then Apply is
// off and a click on it writes nothing.
TEST_F(MotionPage, ApplyWritesTheCurrentThenTheCachedChannels) {
  Open();
  Drag(CellX(1), CellY(1), CellX(3), CellY(2));
  EXPECT_TRUE(livetest::Enabled(page_, kApply));
  Drag(CellX(2), CellY(1), CellX(2), CellY(1));
  EXPECT_EQ(getMotionParam()->motionArea[1][0], 0b1010u);
  EXPECT_EQ(getMotionParam()->motionArea[2][0], 0b1110u);
  EXPECT_TRUE(livetest::Pick(page_, kChannelBox, 2));
  Drag(CellX(0), CellY(0), CellX(0), CellY(0));
  EXPECT_EQ(getMotionParam()->motionArea[0][0], 1u);
  device_seam::startCallLog();
  Click(page_, kApply);
  EXPECT_EQ(Written("setChannelConfig"), (std::vector<int64_t>{2, 1}));
  EXPECT_EQ(Written("setRecordChanMask"), (std::vector<int64_t>{2, 1}));
  EXPECT_EQ(Written("setHolidaySegments"), (std::vector<int64_t>{2, 1}));
  for (const auto& call : device_seam::callLog()) {
    if (call.op == "setHolidaySegments") {
      EXPECT_EQ(call.args[1], 3);
    }
    if (call.op == "setRecordChanMask") {
      EXPECT_EQ(call.args[1], 1);
    }
  }
  EXPECT_FALSE(livetest::Enabled(page_, kApply));
  EXPECT_EQ(Stored(1).motionArea[1][0], 0b1010u);
  EXPECT_EQ(Stored(2).motionArea[0][0], 1u);
  device_seam::startCallLog();
  Click(page_, kApply);
  EXPECT_TRUE(Written("setChannelConfig").empty()) << "nothing left to apply";
  Close();
}

// A channel whose record cannot be read starts from empty holiday days:
// Apply never gives it the days of the channel shown before.
TEST_F(MotionPage, AChannelThatCannotBeReadGetsNoOtherChannelsHolidays) {
  TimeSegment days[HOLIDAY_SEGMENTS] = {};
  days[0] = {8, 0, 17, 30};
  ASSERT_EQ(setHolidaySegments(nullptr, 1, 3, days), 0);
  Open();
  device_seam::overrideAnswerFor(getChannelConfig, {2}, -1);
  livetest::Boxes().clear();
  ASSERT_TRUE(livetest::PickRow(page_, kChannelBox, 1));
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].key, "getcamerahint");
  device_seam::clearOverrides();
  livetest::ClickItem(page_, kApply);
  EXPECT_TRUE(livetest::PumpUntil([this] { return !livetest::Enabled(page_, kApply); }));
  TimeSegment kept[HOLIDAY_SEGMENTS] = {};
  ASSERT_EQ(getHolidaySegments(nullptr, 2, 3, kept), 0);
  EXPECT_EQ(kept[0].startHour, 0);
  EXPECT_EQ(kept[0].endHour, 0);
  EXPECT_EQ(kept[0].endMinute, 0);
  Close();
}

// Copy keeps each target's own record channels: a target already cached
// keeps its cached mask, another takes the one stored on the device, and
// one whose record cannot be read none, never another channel's.
TEST_F(MotionPage, CopyKeepsEachTargetsRecordChannels) {
  for (int channel : {3, 4}) {
    ChannelConfig stored = Stored(channel);
    stored.motionRecordMask[0] = 0x80;
    ASSERT_EQ(setChannelConfig(nullptr, channel, &stored, 1), 0);
  }
  Open();
  EXPECT_TRUE(livetest::Pick(page_, kChannelBox, 2));
  getMotionParam()->motionRecordMask[0] = 0x40;
  EXPECT_TRUE(livetest::Pick(page_, kChannelBox, 1));
  getMotionParam()->motionRecordMask[0] = 0x1;
  Drag(CellX(5), CellY(5), CellX(5), CellY(5));
  device_seam::overrideAnswerFor(getChannelConfig, {4}, -1);
  InDialog(PAGE_ID_COPY, [](WindowHandle dialog) {
    for (int box = 1; box <= 3; ++box) Click(dialog, CHANBOX_ANALOG_FIRST + box);
    alarmnettest::ClickClosing(dialog, PAGE_ID_OK);
  });
  device_seam::clearOverrides();
  Click(page_, kApply);
  for (int channel : {1, 2, 3, 4}) EXPECT_EQ(Stored(channel).motionArea[5][0], 1u << 5) << channel;
  EXPECT_EQ(Stored(1).motionRecordMask[0], 0x1u);
  EXPECT_EQ(Stored(2).motionRecordMask[0], 0x40u);
  EXPECT_EQ(Stored(3).motionRecordMask[0], 0x80u);
  EXPECT_EQ(Stored(4).motionRecordMask[0], 0u);
  Close();
}

// The trackbar at 0 stores detection off (255), the check box apart from
// it; select all and clear all reach the record.
TEST_F(MotionPage, SensitivityEnableAndTheGridTools) {
  Open();
  // Held at 0, the thumb stores nothing yet; let go, detection is off.
  PressTrackEnd(false, [this] {
    EXPECT_EQ(SendDlgItemMessage(page_, kSensitivity, TBM_GETPOS, 0, 0), 0);
    EXPECT_NE(getMotionParam()->motionSensitivity, 255);
  });
  EXPECT_EQ(getMotionParam()->motionSensitivity, 255);
  PressTrackEnd(true, [] {});
  EXPECT_EQ(SendDlgItemMessage(page_, kSensitivity, TBM_GETPOS, 0, 0), 6);
  EXPECT_EQ(getMotionParam()->motionSensitivity, 5);
  if (SendDlgItemMessage(page_, kEnableBox, BM_GETCHECK, 0, 0) != BST_CHECKED) Click(page_, kEnableBox);
  Click(page_, kSelectAll);
  EXPECT_EQ(getMotionParam()->motionArea[17][0], 0x3FFFFFu);
  Click(page_, kApply);
  EXPECT_EQ(Stored(1).motionEnable, 1);
  EXPECT_EQ(Stored(1).motionSensitivity, 5);
  Click(page_, kClearAll);
  EXPECT_EQ(getMotionParam()->motionArea[0][0], 0u);
  Close();
}

// The device reports motion from its own thread while the page closes:
// once closed, no report reaches the page any more.
TEST_F(MotionPage, StatusReportsFromTheDeviceThreadEndWithThePage) {
  Open();
  std::atomic<bool> stop{false};
  std::atomic<int> delivered{0};
  std::thread device([&] {
    uint32_t rows[18] = {};
    for (uint32_t i = 0; !stop.load(); ++i) {
      for (auto& row : rows) row = i;
      if (device_seam::reportMotion(1, rows)) delivered.fetch_add(1);
      std::this_thread::yield();
    }
  });
  livetest::PumpUntil([&] { return delivered.load() > 10; });
  Close();
  const uint32_t rows[18] = {};
  EXPECT_FALSE(device_seam::reportMotion(1, rows));
  stop.store(true);
  device.join();
  EXPECT_GT(delivered.load(), 10);
}

// Escape closes the page through its host; cursor left gives the camera
// menu's list the focus, or does nothing without a menu; other keys pass.
TEST_F(MotionPage, TheCameraPageKeys) {
  static std::atomic<int> closes{0};
  closes = 0;
  const WindowHandle host = Main({0, 0, 8, 8}, [](WindowHandle hwnd, int msg, WParam w, LParam l) -> LResult {
    if (msg == MSG_CLOSE) {
      ++closes;
      return 0;
    }
    return DefaultMainWinProc(hwnd, msg, w, l);
  });
  ASSERT_EQ(openMenuPage(APP_MENU_CAMERA, "motionset", host), 0);
  win_ = getCameraPageWnd();
  EXPECT_EQ(onCameraPageKeyUp(win_, KEY_ESC, 0), 0);
  EXPECT_EQ(closes.load(), 1);
  EXPECT_TRUE(IsWindow(win_));
  setCameraMenuWnd(GUI_INVALID_HANDLE);
  EXPECT_EQ(onCameraPageKeyUp(win_, KEY_LEFT, 0), 0);
  const WindowHandle menu = Main({0, 0, 200, 200}, DefaultMainWinProc);
  const WindowHandle list = CreateWindowEx("button", "", WS_CHILD | WS_VISIBLE, 0, 19200, 0, 0, 50, 20, menu, 0);
  CreateWindowEx("button", "", WS_CHILD | WS_VISIBLE, 0, 19201, 0, 30, 50, 20, menu, 0);
  SetFocusChild(GetDlgItem(menu, 19201));
  setCameraMenuWnd(menu);
  EXPECT_EQ(onCameraPageKeyUp(win_, KEY_LEFT, 0), 0);
  EXPECT_EQ(GetFocusChild(menu), list);
  EXPECT_EQ(onCameraPageKeyUp(win_, KEY_RIGHT, 0), 0);
  EXPECT_EQ(onCameraPageKeyUp(win_, KEY_DOWN, 0), -1);
  setCameraMenuWnd(GUI_INVALID_HANDLE);
  Close();
}

// On a low-resolution output the label split is 5/5 while the page builds
// and then the layout's, or 3/7 when the layout's is not usable.
TEST_F(MotionPage, TheLowResolutionSplit) {
  const int low = 0;
  device_seam::overrideAnswer(getDisplayOutputType, 0, &low, sizeof low);
  CtrlResInfo* scale = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("commons", "rirur_ctrl_scale", &scale));
  const int kept = scale->x;
  initCameraVideoPage(GUI_INVALID_HANDLE);
  EXPECT_EQ(getLabelScale(), 5);
  scale->x = 4;
  applyLowResCtrlScale(GUI_INVALID_HANDLE, 0, 0);
  EXPECT_EQ(getLabelScale(), 4);
  scale->x = 0;
  applyLowResCtrlScale(GUI_INVALID_HANDLE, 0, 0);
  EXPECT_EQ(getLabelScale(), 3);
  scale->x = kept;
  setCameraPageWnd(GUI_INVALID_HANDLE);
  device_seam::clearOverrides();
  setCtrlScale(3, 7);
}

// Event handling opens the motion sheet with the camera menu disabled;
// the holiday segments go through the exchange buffer and back, and Apply
// is enabled afterwards.
TEST_F(MotionPage, EventHandlingOpensTheMotionSheet) {
  Open();
  const WindowHandle menu = Main({0, 0, 100, 100}, DefaultMainWinProc);
  setCameraMenuWnd(menu);
  bool menuDisabled = false;
  int pages = 0;
  InDialog(kHandle, [&](WindowHandle dialog) {
    menuDisabled = !IsWindowEnabled(menu);
    const WindowHandle sheet = GetDlgItem(dialog, PAGE_ID_SHEET);
    pages = static_cast<int>(SendMessage(sheet, PSM_GETPAGECOUNT, 0, 0));
    ASSERT_TRUE(alarmnettest::ClickTab(sheet, 1));
    const WindowHandle schedule = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
    EXPECT_TRUE(livetest::Pick(schedule, kScheduleDay, 7));
    const int values[4] = {6, 0, 7, 0};
    for (int f = 1; f <= 4; ++f) SendDlgItemMessage(schedule, kScheduleTime, CB_SETFIELD, f, values[f - 1]);
    alarmnettest::ClickClosing(schedule, PAGE_ID_OK);
  });
  setCameraMenuWnd(GUI_INVALID_HANDLE);
  EXPECT_TRUE(menuDisabled);
  EXPECT_TRUE(IsWindowEnabled(menu));
  EXPECT_EQ(pages, 3);
  EXPECT_TRUE(livetest::Enabled(page_, kApply));
  device_seam::startCallLog();
  Click(page_, kApply);
  TimeSegment holiday[8] = {};
  getHolidaySegments(nullptr, 1, 3, holiday);
  EXPECT_EQ(holiday[0].startHour, 6);
  EXPECT_EQ(holiday[0].endHour, 7);
  Close();
}

// A channel whose area is made of zones hides the grid tools and shows
// clear-all and one tool per zone (at most four).
TEST_F(MotionPage, ZoneChannelsShowTheZoneTools) {
  AreaCaps zones{};
  zones.zoneCount = 6;
  zones.areaMode = 2;
  device_seam::overrideAnswer(getMotionAreaCaps, 0, &zones, sizeof zones);
  Open();
  auto shown = [&](int id) { return (GetWindowStyle(GetDlgItem(page_, id)) & WS_VISIBLE) != 0; };
  EXPECT_FALSE(shown(kSelectAll));
  EXPECT_FALSE(shown(kClearAll));
  for (int id = 19254; id <= 19258; ++id) EXPECT_TRUE(shown(id)) << id;
  Drag(CellX(1), CellY(1), CellX(3), CellY(3));
  EXPECT_EQ(getMotionParam()->motionArea[1][0], 0u);
  device_seam::clearOverrides();
  EXPECT_TRUE(livetest::Pick(page_, kChannelBox, 2));
  EXPECT_TRUE(shown(kSelectAll));
  for (int id = 19254; id <= 19258; ++id) EXPECT_FALSE(shown(id)) << id;
  Close();
}

// The camera menu opens the motion page first; its MSG_RELOADMOTIONGRID reloads
// the page's grid from the working record; the page's Exit closes the
// menu, the page and its status call-back.
TEST_F(MotionPage, TheCameraMenuHostsThePage) {
  WindowHandle page = GUI_INVALID_HANDLE;
  bool reported = true;
  RunInLoop(showCameraMenu, [&] {
    livetest::PumpUntil([] { return getCameraPageWnd() != GUI_INVALID_HANDLE; });
    page = getCameraPageWnd();
    const WindowHandle menu = getCameraMenuWnd();
    ASSERT_NE(page, GUI_INVALID_HANDLE);
    ASSERT_NE(GetDlgItem(menu, 19200), GUI_INVALID_HANDLE);
    getMotionParam()->motionArea[4][0] = 0x7;
    SendMessage(menu, MSG_RELOADMOTIONGRID, 0, 0);
    win_ = page;
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(page, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    // The reloaded grid is what a press tests against: a set cell clears.
    alarmnettest::WatchPage(page_);
    Drag(CellX(1), CellY(4), CellX(1), CellY(4));
    EXPECT_EQ(getMotionParam()->motionArea[4][0], 0x5u);
    alarmnettest::Mouse().page = 0;
    alarmnettest::ClickClosing(page_, PAGE_ID_EXIT);
    livetest::PumpUntil([] { return getCameraPageWnd() == GUI_INVALID_HANDLE; });
    const uint32_t rows[18] = {};
    reported = device_seam::reportMotion(1, rows);
  });
  EXPECT_FALSE(reported);
  EXPECT_EQ(getCameraPageWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getCameraMenuWnd(), GUI_INVALID_HANDLE);
}

// Every picture button gets its pictures: the toolkit says nothing on the
// error stream, and the arrow and each zone tool hold a normal picture.
TEST_F(MotionPage, EveryButtonGetsItsPictures) {
  testing::internal::CaptureStderr();
  Open();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("Error:"), std::string::npos) << said;
  for (int id : {static_cast<int>(kHandle), 19255, 19256, 19257, 19258})
    EXPECT_NE(desktest::Rec(GetDlgItem(page_, id))->skins[0][0], nullptr) << id;
  Close();
}

// The grid with a drag and a motion report over some of its cells.
TEST_F(MotionPage, Pictures) {
  Open();
  Drag(CellX(2), CellY(2), CellX(8), CellY(6));
  Drag(CellX(15), CellY(10), CellX(21), CellY(17));
  // The overlay shows a report until the page's next tick repaints the
  // consumed rows; the tick stopped, the picture holds the report's paint.
  KillTimer(page_, motion::kOverlayTimer);
  uint32_t rows[18] = {};
  rows[3] = 0b11100;
  rows[12] = 0x3F0000;
  ASSERT_TRUE(device_seam::reportMotion(1, rows));
  InvalidateRect(page_, nullptr, FALSE);
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "motion_grid", livetest::SettledGrab(r));
  Close();
}

}  // namespace
