// The video loss and tamper pages on the simulated device: what each writes
// (only its own block, into a fresh read of every edited channel), the copy
// to channels, failed writes, unreadable channels, the sensitivity, the
// tamper area drawn with the mouse, and how the pages look.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/alarmnet/detect/detect_page.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/device_backend_net.h"
#include "app/device_test_seam.h"
#include "app/page_registry.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/caret.h"
#include "gui/paint.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace {

using livetest::Pick;
using livetest::Click;
using livetest::Enabled;

constexpr int kApply = PAGE_ID_APPLY, kCopy = PAGE_ID_COPY, kCancel = IDCANCEL;
constexpr int kLossBox = 19440, kLossEnable = 19441;
constexpr int kTamperBox = 19264, kTamperEnable = 19265, kSensitivity = 19267, kSelectAll = 19268, kClearAll = 19269,
              kAreaTool = 19270;
constexpr int kTamperHandling = 19266;
constexpr int kCopyDialogFirstChannel = 4192, kOk = PAGE_ID_OK;
constexpr int kFailed = 0x300010;

ChannelConfig Stored(int channel) {
  ChannelConfig c{};
  getChannelConfig(nullptr, channel, &c);
  return c;
}
void Store(int channel, const ChannelConfig& c) { ASSERT_EQ(setChannelConfig(nullptr, channel, &c, 1), 0); }
TimeSegment Holiday(int channel, int kind) {
  TimeSegment days[HOLIDAY_SEGMENTS]{};
  getHolidaySegments(nullptr, channel, kind, days);
  return days[0];
}

// The writes of the log, as "op channel [kind]".
std::vector<std::string> Writes() {
  std::vector<std::string> out;
  for (const device_seam::Call& c : device_seam::callLog()) {
    if (c.op != "setChannelConfig" && c.op != "setHolidaySegments") continue;
    std::string s = c.op + " " + std::to_string(c.args.at(0));
    if (c.op == "setHolidaySegments") s += " " + std::to_string(c.args.at(1));
    out.push_back(s);
  }
  return out;
}

// Fills the fields outside `keep`'s block with a pattern a page must not
// touch.
ChannelConfig Patterned(int channel) {
  ChannelConfig c = Stored(channel);
  c.motionSensitivity = 4;
  c.motionEnable = 1;
  c.motionArea[0][0] = 0x1234;
  c.videoLossEnable = 0;
  c.tamperEnable = 0;
  c.tamperSensitivity = 2;
  c.rest[0] = 0x5A;
  c.brightness = 77;
  return c;
}

using alarmnettest::Button;
using alarmnettest::DragOnScreen;
using alarmnettest::MoveTo;
using alarmnettest::WatchPage;

class DetectPage : public alarmnettest::PageTest {
 protected:
  void Open(const char* item) {
    MoveTo(0, 0);  // no control of the page opens under the pointer
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    setCameraMenuWnd(host_);  // the camera menu the page lives beside
    ASSERT_EQ(openMenuPage(APP_MENU_CAMERA, item, host_), 0);
    win_ = getCameraPageWnd();
    ASSERT_TRUE(IsValidHandle(win_));
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    ASSERT_TRUE(IsValidHandle(page_));
    WatchPage(page_);
    desktest::Drain();
  }
  void Close() {
    alarmnettest::Mouse().page = 0;
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getCameraPageWnd(), GUI_INVALID_HANDLE);
    setCameraMenuWnd(GUI_INVALID_HANDLE);
  }
  std::vector<std::string> BoxKeys() {
    std::vector<std::string> keys;
    for (const auto& box : livetest::Boxes()) keys.push_back(box.key + "/" + std::to_string(box.type));
    livetest::Boxes().clear();
    return keys;
  }
  // A check box's state turned by a click.
  void Toggle(int id) {
    const bool was = Checked(id);
    Click(page_, id);
    EXPECT_NE(Checked(id), was) << id;
  }
  bool Checked(int id) { return SendDlgItemMessage(page_, id, BM_GETCHECK, 0, 0) == 1; }
  // Runs `steps` inside the dialog a click on button `id` opens.
  void InDialog(int id, const std::function<void(WindowHandle)>& steps) { InDialogOf(page_, id, {win_, host_}, steps); }
  // Copies the current channel to `channel` through the dialog: its box
  // ticked, then OK.
  void CopyTo(int channel) {
    InDialog(kCopy, [channel](WindowHandle) {
      const WindowHandle dlg = getCopyChanWnd();
      Click(dlg, kCopyDialogFirstChannel + channel - 1);
      EXPECT_EQ(SendDlgItemMessage(dlg, kCopyDialogFirstChannel + channel - 1, BM_GETCHECK, 0, 0), BST_CHECKED);
      alarmnettest::ClickClosing(dlg, kOk);
    });
  }
  Rect View(const char* section) {
    Rect r = detect::viewRect(page_, section);
    ClientToScreen(page_, &r.left, &r.top);
    ClientToScreen(page_, &r.right, &r.bottom);
    return r;
  }
  // The page as it stands: a drag repaints only on even co-ordinates, so
  // the picture of one in progress is taken after a full repaint; the
  // blinking caret of the focused field is hidden.
  livetest::Picture Shot() {
    WindowHandle focus = page_;
    while (IsValidHandle(GetFocusChild(focus))) focus = GetFocusChild(focus);
    HideCaret(focus);
    InvalidateRect(page_, nullptr, FALSE);
    UpdateWindow(page_, TRUE);
    desktest::Drain();
    return livetest::Grab(WindowArea());
  }
  Rect WindowArea() {
    Rect r{};
    GetWindowRect(win_, &r);
    return r;
  }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

// Edits of two channels, switching in between, are written by one Apply,
// each into a fresh read of its own record and only in the video-loss
// block; a second Apply writes only the channel shown.
TEST_F(DetectPage, LossEditsOfEveryVisitedChannelGoIntoFreshRecords) {
  for (int ch : {1, 2}) Store(ch, Patterned(ch));
  Open("videolossset");
  EXPECT_FALSE(Checked(kLossEnable));
  EXPECT_FALSE(Enabled(page_, kApply));
  Toggle(kLossEnable);
  EXPECT_TRUE(livetest::Pick(page_, kLossBox, 2));
  EXPECT_FALSE(Checked(kLossEnable));
  Toggle(kLossEnable);
  ChannelConfig one = Stored(1);
  one.brightness = 99;  // changed on the device meanwhile
  Store(1, one);
  device_seam::startCallLog();
  Click(page_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setChannelConfig 2", "setHolidaySegments 2 5", "setChannelConfig 1",
                                                "setHolidaySegments 1 5"}));
  EXPECT_FALSE(Enabled(page_, kApply));
  for (int ch : {1, 2}) {
    const ChannelConfig c = Stored(ch);
    EXPECT_EQ(c.videoLossEnable, 1u) << ch;
    EXPECT_EQ(c.motionSensitivity, 4) << ch;
    EXPECT_EQ(c.motionArea[0][0], 0x1234u) << ch;
    EXPECT_EQ(c.tamperSensitivity, 2) << ch;
    EXPECT_EQ(c.rest[0], 0x5A) << ch;
  }
  EXPECT_EQ(Stored(1).brightness, 99);
  device_seam::startCallLog();
  Toggle(kLossEnable);
  Click(page_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setChannelConfig 2", "setHolidaySegments 2 5"}));
  EXPECT_EQ(Stored(2).videoLossEnable, 0u);
  EXPECT_TRUE(livetest::Pick(page_, kLossBox, 1));
  EXPECT_TRUE(Checked(kLossEnable));
  EXPECT_TRUE(BoxKeys().empty());
  Close();
}

// A copy gives the target the whole video-loss block and the holidays of
// the channel shown; the target's other blocks stay its own.
TEST_F(DetectPage, LossCopyGivesTheTargetTheWholeBlock) {
  ChannelConfig one = Patterned(1);
  one.videoLossEnable = 1;
  one.videoLossLinkage.actions = 0x1F;
  one.videoLossSchedule[2][1] = TimeSegment{8, 0, 9, 30};
  Store(1, one);
  ChannelConfig three = Patterned(3);
  three.videoLossLinkage.actions = 0x200;
  three.motionSensitivity = 1;
  Store(3, three);
  const TimeSegment days[HOLIDAY_SEGMENTS] = {{1, 0, 2, 0}};
  ASSERT_EQ(setHolidaySegments(nullptr, 1, 5, days), 0);
  Open("videolossset");
  // Cancelled, the dialog copies nothing and leaves Apply off.
  InDialog(kCopy, [](WindowHandle) {
    EXPECT_FALSE(IsWindowEnabled(getCameraMenuWnd()));
    alarmnettest::ClickClosing(getCopyChanWnd(), kCancel);
  });
  EXPECT_FALSE(Enabled(page_, kApply));
  EXPECT_EQ(Stored(3).videoLossLinkage.actions, 0x200u);
  EXPECT_TRUE(IsWindowEnabled(host_));
  CopyTo(3);
  EXPECT_TRUE(Enabled(page_, kApply));
  Click(page_, kApply);
  const ChannelConfig copied = Stored(3);
  EXPECT_EQ(copied.videoLossEnable, 1u);
  EXPECT_EQ(std::memcmp(&copied.videoLossLinkage, &one.videoLossLinkage, sizeof one.videoLossLinkage), 0);
  EXPECT_EQ(std::memcmp(copied.videoLossSchedule, one.videoLossSchedule, sizeof one.videoLossSchedule), 0);
  EXPECT_EQ(copied.motionSensitivity, 1);
  EXPECT_EQ(Holiday(3, 5).endHour, 2);
  EXPECT_EQ(Holiday(3, 4).endHour, 0);  // the tamper holidays are not the loss page's
  Close();
}

// Apply lights for an edit only: another channel shown, the handling sheet
// cancelled or left by OK with nothing changed leave it off on both pages;
// an action ticked in the sheet lights it.
TEST_F(DetectPage, ApplyLightsOnlyWhenSomethingChanged) {
  constexpr int kLossHandling = 19442, kPopScreen = 21568;
  const struct {
    const char* item;
    int box, handling;
  } pages[] = {{"videolossset", kLossBox, kLossHandling}, {"videotamperset", kTamperBox, kTamperHandling}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.item);
    Open(p.item);
    EXPECT_TRUE(livetest::Pick(page_, p.box, 2));
    EXPECT_FALSE(Enabled(page_, kApply)) << "another channel shown";
    for (const int closing : {kCancel, kOk, -1}) {
      InDialog(p.handling, [closing](WindowHandle dlg) {
        const WindowHandle sheet = GetDlgItem(dlg, PAGE_ID_SHEET);
        const auto shown = static_cast<WindowHandle>(
            SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0)), 0));
        if (closing == kCancel) return alarmnettest::CancelSheet(dlg);
        if (closing == kOk) return alarmnettest::ClickClosing(shown, kOk);
        // The rule page: one action ticked, then OK.
        ASSERT_TRUE(alarmnettest::ClickTab(sheet, 1));
        const WindowHandle rule = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
        Click(rule, kPopScreen);
        alarmnettest::ClickClosing(rule, kOk);
      });
      EXPECT_EQ(Enabled(page_, kApply), closing == -1) << closing;
    }
    Close();
  }
}

// A failed write stops Apply with its code and keeps every edit for the
// next Apply; a channel that cannot be read shows its hint, keeps the
// zeroed record and is never written over.
TEST_F(DetectPage, FailedWritesAndUnreadableChannels) {
  Open("videolossset");
  Toggle(kLossEnable);
  EXPECT_TRUE(livetest::Pick(page_, kLossBox, 2));
  Toggle(kLossEnable);
  device_seam::overrideAnswerFor(setChannelConfig, {1}, kFailed);
  Click(page_, kApply);
  EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"savefailed_code/16"}));
  EXPECT_TRUE(Enabled(page_, kApply));
  EXPECT_EQ(Stored(1).videoLossEnable, 0u);
  device_seam::clearOverrides();
  Click(page_, kApply);
  EXPECT_TRUE(BoxKeys().empty());
  EXPECT_EQ(Stored(1).videoLossEnable, 1u);
  EXPECT_EQ(Stored(2).videoLossEnable, 1u);

  Store(3, Patterned(3));
  device_seam::overrideAnswerFor(getChannelConfig, {3}, -1);
  EXPECT_TRUE(livetest::Pick(page_, kLossBox, 3));
  EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"getcamerahint/16"}));
  EXPECT_FALSE(Checked(kLossEnable));
  EXPECT_EQ(getVideoLossParam()->motionSensitivity, 0);
  Toggle(kLossEnable);
  device_seam::startCallLog();
  Click(page_, kApply);
  EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"savefailed_code/16"}));
  EXPECT_TRUE(Writes().empty());
  device_seam::clearOverrides();
  EXPECT_EQ(Stored(3).motionSensitivity, 4);
  Close();
}

// The track bar shows 1..3 at positions 0..2 and anything else at 0; only
// its drag and step notifications enable Apply, which writes the tamper
// block with the tamper holidays and nothing else.
TEST_F(DetectPage, TamperSensitivityAndItsBlock) {
  const struct {
    uint16_t stored;
    int position;
  } rows[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {7, 0}, {0xFFFF, 0}};
  for (const auto& row : rows) {
    ChannelConfig c = Patterned(1);
    c.tamperSensitivity = row.stored;
    Store(1, c);
    Open("videotamperset");
    EXPECT_EQ(SendDlgItemMessage(page_, kSensitivity, TBM_GETPOS, 0, 0), row.position) << row.stored;
    Close();
  }
  Store(1, Patterned(1));
  const TimeSegment days[HOLIDAY_SEGMENTS] = {{3, 0, 4, 30}};
  ASSERT_EQ(setHolidaySegments(nullptr, 1, 4, days), 0);
  Open("videotamperset");
  EXPECT_FALSE(Enabled(page_, kApply)) << "the position shown on opening changes nothing";
  // A press at the track's right end takes the thumb to the last position.
  const WindowHandle track = GetDlgItem(page_, kSensitivity);
  Rect bar{};
  GetWindowRect(track, &bar);
  int x = bar.right - 2, y = (bar.top + bar.bottom) / 2;
  ClientToScreen(page_, &x, &y);
  livetest::ClickAt(x, y, [track] { return GetCapture() == track; });
  EXPECT_TRUE(livetest::PumpUntil([this] { return Enabled(page_, kApply); }));
  EXPECT_EQ(SendMessage(track, TBM_GETPOS, 0, 0), 2);
  // The event handling sheet finds the page's holidays in its buffer.
  std::memset(getHandleSetSource(), 0, sizeof days);
  InDialog(kTamperHandling, alarmnettest::CancelSheet);
  EXPECT_EQ(std::memcmp(getHandleSetSource(), days, sizeof days), 0);
  EXPECT_TRUE(Enabled(page_, kApply));
  Toggle(kTamperEnable);
  device_seam::startCallLog();
  Click(page_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setChannelConfig 1", "setHolidaySegments 1 4"}));
  const ChannelConfig c = Stored(1);
  EXPECT_EQ(c.tamperSensitivity, 3);
  EXPECT_EQ(c.tamperEnable, 1);
  EXPECT_EQ(c.videoLossEnable, 0u);
  EXPECT_EQ(c.motionSensitivity, 4);
  EXPECT_EQ(c.motionArea[0][0], 0x1234u);
  EXPECT_EQ(c.rest[0], 0x5A);
  EXPECT_EQ(Holiday(1, 4).endMinute, 30);
  Close();
}

// The tamper area: one rectangle drawn on the live picture, stored in
// picture co-ordinates; a second rectangle, a click without a drag and a
// click outside the view change nothing; the area tool clears it.
TEST_F(DetectPage, TamperAreaDrawnWithTheMouse) {
  Open("videotamperset");
  ASSERT_TRUE(IsWindowVisible(GetDlgItem(page_, kAreaTool)));
  const Rect view = View("videotamperset");
  const int vw = view.right - view.left, vh = view.bottom - view.top;
  DragOnScreen(view.left + 40, view.top + 30, view.left + 140, view.top + 110, false);
  livetest::MatchesReference(__FILE__, "tamper_drawing", Shot());
  Button(false);
  EXPECT_TRUE(Enabled(page_, kApply));
  Click(page_, kApply);
  const auto zone = [](const ChannelConfig& c) {
    uint16_t z[6];
    std::memcpy(z, c.tamperArea, sizeof z);
    return std::vector<int>(z, z + 6);
  };
  const std::vector<int> drawn{40 * 704 / vw & ~7, 30 * 576 / vh & ~1, 140 * 704 / vw & ~7, 110 * 576 / vh & ~1, 0, 0};
  EXPECT_EQ(zone(Stored(1)), drawn);
  // A second rectangle finds no free zone; a click leaves the zone as it is.
  DragOnScreen(view.left + 70, view.top + 60, view.left + 200, view.top + 150);
  DragOnScreen(view.left + 10, view.top + 10, view.left + 10, view.top + 10);
  DragOnScreen(view.right + 20, view.top + 10, view.right + 60, view.top + 50);
  Click(page_, kApply);
  EXPECT_EQ(zone(Stored(1)), drawn);
  Close();
  Open("videotamperset");
  livetest::MatchesReference(__FILE__, "tamper_zone", Shot());
  livetest::ClickItem(page_, kAreaTool);
  EXPECT_TRUE(livetest::PumpUntil([this] { return Enabled(page_, kApply); }));
  Click(page_, kApply);
  EXPECT_EQ(zone(Stored(1)), std::vector<int>(6, 0));
  Close();
}

// Without the area ability the page offers no area, ignores the mouse and
// leaves the stored area as read.
TEST_F(DetectPage, TamperWithoutAreaAbility) {
  const uint32_t flags = device_seam::mutableAbility()->pictureFlags;
  device_seam::mutableAbility()->pictureFlags = flags & ~1u;
  ChannelConfig c = Patterned(1);
  const uint16_t area[6] = {8, 10, 300, 200, 7, 9};
  std::memcpy(c.tamperArea, area, sizeof area);
  Store(1, c);
  Open("videotamperset");
  EXPECT_FALSE(IsValidHandle(GetDlgItem(page_, kAreaTool)));
  livetest::MatchesReference(__FILE__, "tamper_noarea", Shot());
  const Rect view = View("videotamperset");
  DragOnScreen(view.left + 40, view.top + 30, view.left + 140, view.top + 110);
  Toggle(kTamperEnable);
  Click(page_, kApply);
  const ChannelConfig after = Stored(1);
  EXPECT_EQ(after.tamperEnable, 1);
  EXPECT_EQ(std::memcmp(after.tamperArea, area, sizeof area), 0);
  Close();
  device_seam::mutableAbility()->pictureFlags = flags;
}

// A device whose tamper area is a grid of 15 rows of 22 cells: a press on
// an unselected cell sets, on a selected one clears, every cell the drag
// touches; a click on a cell's left border changes nothing; a drag to the
// view's edge reaches the wider last cells; select all fills 22 columns of
// the 15 rows and clear all empties 18 rows.
TEST_F(DetectPage, TamperGridArea) {
  const AreaCaps caps{1, 1, AREA_MODE_GRID, ZoneGrid{704, 480, 15, 22, 0, 0, 0, 0, 0, 0}};
  device_seam::overrideAnswer(getTamperAreaCaps, 0, &caps, sizeof caps);
  ChannelConfig c = Patterned(1);
  c.tamperArea[16][0] = 0xFF;
  c.tamperArea[20][0] = 0xAB;
  Store(1, c);
  Open("videotamperset");
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page_, kSelectAll)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, kAreaTool)));
  const Rect view = View("videotamperset");
  const int cw = (view.right - view.left) / 22, ch = (view.bottom - view.top) / 15;
  const auto at = [&](int r, int col) { return std::pair<int, int>{view.left + col * cw + cw / 2, view.top + r * ch + ch / 2}; };
  const auto drag = [&](std::pair<int, int> a, std::pair<int, int> b, bool release = true) {
    DragOnScreen(a.first, a.second, b.first, b.second, release);
  };
  drag(at(2, 3), at(2, 3));
  drag(at(5, 1), at(7, 4));
  drag(at(5, 2), at(6, 3));
  drag({view.left + 6 * cw, view.top + 9 * ch}, {view.left + 6 * cw, view.top + 9 * ch});
  drag(at(13, 20), {view.right, view.bottom}, false);
  livetest::MatchesReference(__FILE__, "tamper_grid", Shot());
  Button(false);
  Click(page_, kApply);
  std::vector<uint32_t> rows(21);
  const auto stored = [&] {
    const ChannelConfig s = Stored(1);
    for (int r = 0; r < 21; ++r) rows[r] = s.tamperArea[r][0];
    return rows;
  };
  std::vector<uint32_t> want(21, 0);
  want[2] = 1u << 3;
  want[5] = want[6] = 0x1E & ~0xCu;
  want[7] = 0x1E;
  want[13] = want[14] = 3u << 20;
  want[16] = 0xFF;
  want[20] = 0xAB;
  EXPECT_EQ(stored(), want);
  livetest::ClickItem(page_, kSelectAll);
  EXPECT_TRUE(livetest::PumpUntil([this] { return Enabled(page_, kApply); }));
  Click(page_, kApply);
  for (int r = 0; r < 15; ++r) want[r] = 0x3FFFFF;
  EXPECT_EQ(stored(), want);
  livetest::ClickItem(page_, kClearAll);
  EXPECT_TRUE(livetest::PumpUntil([this] { return Enabled(page_, kApply); }));
  Click(page_, kApply);
  std::vector<uint32_t> cleared(21, 0);
  cleared[20] = 0xAB;
  EXPECT_EQ(stored(), cleared);
  device_seam::clearOverrides();
  Close();
}

// The video area shows as the live view's does: no video plane lies behind
// the transparent key colour, so none of it is seen.
TEST_F(DetectPage, VideoLossScreen) {
  Open("videolossset");
  const livetest::Picture shot = Shot();
  livetest::MatchesReference(__FILE__, "videoloss", shot);
  uint8_t key[3] = {};
  Pixel2RGB(HDC_SCREEN, SysPixelIndex[SYSPIXEL_KEY], &key[0], &key[1], &key[2]);
  size_t keyed = 0;
  for (size_t i = 0; i + 2 < shot.rgb.size(); i += 3) keyed += std::memcmp(&shot.rgb[i], key, 3) == 0;
  EXPECT_EQ(keyed, 0u);
  Close();
}

}  // namespace
