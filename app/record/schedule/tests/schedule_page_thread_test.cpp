// The schedule page on the simulated device: drags on the week grid, the
// one-day editor, copies and Apply, checked against what the device keeps
// and which operations it was asked.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/control_services.h"
#include "app/page_ids.h"
#include "app/record/record_input_test.h"
#include "app/record_pages.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::Click;
using livetest::LiveGui;
using recordtest::ClickClosing;
using recordtest::InLoopOpenedBy;

constexpr int kRecChan = 18960, kRecEnable = 18961, kRecEdit = 18962, kCopy = PAGE_ID_COPY, kApply = PAGE_ID_APPLY;
// The day editor's day box, all-day box and its type, the first segment's
// time box; the week copy's Tuesday and holiday boxes.
constexpr int kDayBox = 18960, kAllDay = 18961, kAllDayType = 18962, kFirstTime = 18963;
constexpr int kWeekTuesday = 4193, kWeekHoliday = 4199;

bool Enabled(WindowHandle w, int id) { return IsWindowEnabled(GetDlgItem(w, id)); }

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

class SchedulePage : public LiveGui {
 protected:
  // Each press a single one: a swatch click and the drag after it come
  // within the double-click time of a quick test.
  void SetUp() override {
    LiveGui::SetUp();
    SetLowLevelEventClock(recordtest::SlowHand);
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    LiveGui::TearDown();
  }
  void Open() {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    // The loops' helpers come before the page, which stays active.
    helper_ = Main({0, 0, 4, 4}, recordtest::LoopLookProc);
    inner_ = Main({0, 0, 4, 4}, recordtest::LoopLookProc);
    ASSERT_EQ(createScheduleSetWindow(host_), 0);
    win_ = getRecordPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    rec_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0));
    pic_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
    desktest::Drain();
  }
  // The page's record box ticked by a click.
  void TickRecord() {
    ASSERT_EQ(SendDlgItemMessage(rec_, kRecEnable, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(rec_, kRecEnable);
    ASSERT_EQ(SendDlgItemMessage(rec_, kRecEnable, BM_GETCHECK, 0, 0), BST_CHECKED);
  }
  // `steps` run in the day editor a click on Edit opens.
  void InDayEditor(const std::function<void(WindowHandle)>& steps) {
    const WindowHandle page = rec_;
    EXPECT_TRUE(InLoopOpenedBy(helper_, [page] { Click(page, kRecEdit); }, recordtest::OpenedOver(GetActiveWindow()),
                               [&steps] { steps(GetActiveWindow()); }));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  WindowHandle host_ = 0, win_ = 0, rec_ = 0, pic_ = 0, helper_ = 0, inner_ = 0;
};

// Grid and legend places of the 1024 x 768 layout.
constexpr int kGridLeft = 90, kGridTop = 90, kHourW = 20, kRowH = 30, kLegendX = 15, kLegendY = 368;
Point Cell(int day, int hour) { return Point{kGridLeft + hour * kHourW + 5, kGridTop + day * kRowH + 5}; }

// A legend swatch (0..4 types, 5 the eraser), then a drag over days d0..d1
// and hours h0..h1.
void Paint(WindowHandle tab, int swatch, int d0, int h0, int d1, int h1) {
  recordtest::ClickClient(tab, kLegendX, kLegendY + 24 * swatch);
  const Point a = Cell(d0, h0), b = Cell(d1, h1);
  recordtest::DragClient(tab, a.x, a.y, b.x, b.y);
}

RecordConfig StoredRecord(int channel) {
  RecordConfig r{};
  getRecordConfig(nullptr, channel, &r, 1);
  return r;
}

int MotionEnable(int channel) {
  ChannelConfig c{};
  getChannelConfig(nullptr, channel, &c);
  return c.motionEnable;
}

// The device calls of a save in order, each with its channel.
std::vector<std::string> Writes() {
  std::vector<std::string> out;
  for (const auto& call : device_seam::callLog()) {
    const bool counted = call.op.rfind("set", 0) == 0 || call.op == "saveDeviceParams" ||
                         call.op == "getChannelConfig" || call.op == "getRecordConfig" ||
                         call.op == "getRecordSchedExtra";
    if (!counted) continue;
    out.push_back(call.args.empty() ? call.op : call.op + " " + std::to_string(call.args[0]));
  }
  return out;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.text);
  return texts;
}

void Choose(WindowHandle w, int combo, int value) { EXPECT_TRUE(livetest::Pick(w, combo, value)) << value; }

// Bars of three types, the holiday row, and the pen's frames and hint.
TEST_F(SchedulePage, OnScreen) {
  Open();
  Paint(rec_, 1, 0, 10, 1, 12);
  Paint(rec_, 4, 3, 0, 5, 23);
  Paint(rec_, 5, 4, 8, 4, 15);  // the eraser splits Friday
  Paint(rec_, 2, 7, 20, 7, 23);
  recordtest::ClickClient(rec_, kLegendX, kLegendY + 24 * 3);
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "scheduleset", livetest::SettledGrab(r));
  Close();
}

TEST_F(SchedulePage, ApplyWritesTheTouchedChannelsAndSwitchesMotionDetectionOn) {
  Open();
  TickRecord();
  Paint(rec_, 1, 0, 10, 1, 12);  // motion, Monday and Tuesday 10:00-13:00; the box stays checked
  EXPECT_EQ(SendDlgItemMessage(rec_, kRecEnable, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Enabled(rec_, kApply));
  Choose(rec_, kRecChan, 3);  // channel 1 is kept as changed; nothing is written yet
  Paint(rec_, 2, 6, 0, 6, 0);  // alarm on channel 3: no motion detection
  device_seam::startCallLog();
  Click(rec_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setRecordConfig 1", "getChannelConfig 1", "setChannelConfig 1",
                                                "setRecordSchedExtra 1", "setRecordConfig 3",
                                                "setRecordSchedExtra 3", "saveDeviceParams"}));
  EXPECT_FALSE(Enabled(rec_, kApply));
  EXPECT_TRUE(livetest::Boxes().empty());
  const RecordConfig one = StoredRecord(1);
  EXPECT_EQ(one.enable, 1u);
  for (int d : {0, 1}) {
    EXPECT_EQ(one.segments[d][0].type, 1);
    EXPECT_EQ(one.segments[d][0].time.startHour, 10);
    EXPECT_EQ(one.segments[d][0].time.endHour, 13);
  }
  EXPECT_EQ(MotionEnable(1), 1);
  EXPECT_EQ(MotionEnable(3), 0);
  EXPECT_EQ(StoredRecord(3).segments[6][0].time.endHour, 1);
  // Apply is off until the next change: a click on it writes nothing.
  device_seam::startCallLog();
  Click(rec_, kApply);
  EXPECT_TRUE(Writes().empty());
  Close();
}

// Types 1, 3 and 4 record on motion and need detection; 0 and 2 do not.
TEST_F(SchedulePage, OnlyMotionTypesSwitchDetectionOn) {
  for (int type = 0; type <= 4; ++type) {
    device_seam::resetKeptRecords();
    Open();
    TickRecord();
    Paint(rec_, type, 7, 23, 7, 23);  // the holiday row counts as well
    Click(rec_, kApply);
    EXPECT_EQ(MotionEnable(1), type == 1 || type == 3 || type == 4 ? 1 : 0) << type;
    Close();
  }
}

TEST_F(SchedulePage, AFailedWriteReadsTheRecordBackAndKeepsApply) {
  Open();
  TickRecord();
  Paint(rec_, 1, 2, 5, 2, 6);
  device_seam::overrideAnswer(setRecordConfig, -1);
  device_seam::startCallLog();
  Click(rec_, kApply);
  device_seam::clearOverrides();
  // No motion check after a refused schedule; the holiday is still written.
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setRecordConfig 1", "getRecordConfig 1", "setRecordSchedExtra 1"}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Saving failed!"});
  EXPECT_TRUE(Enabled(rec_, kApply));
  EXPECT_EQ(MotionEnable(1), 0);
  // The page works on what the device holds: Apply now stores the empty day.
  Click(rec_, kApply);
  EXPECT_EQ(StoredRecord(1).segments[2][0].time.endHour, 0);
  Close();
}

// Switching motion detection on is part of the Apply, and so is keeping
// the records in the parameter file: either refused, the box shows and
// Apply stays lit.
TEST_F(SchedulePage, ARefusedMotionSwitchOrFileWriteShowsTheBoxAndKeepsApply) {
  for (auto refuse : {+[] { device_seam::overrideAnswer(setChannelConfig, -5); },
                      +[] { device_seam::overrideAnswer(saveDeviceParams, -1); }}) {
    device_seam::resetKeptRecords();
    livetest::Boxes().clear();
    Open();
    TickRecord();
    Paint(rec_, 1, 2, 5, 2, 6);
    refuse();
    Click(rec_, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Saving failed!"});
    EXPECT_TRUE(Enabled(rec_, kApply));
    Close();
  }
}

TEST_F(SchedulePage, AFailedLoadShowsItsBoxAndTheCaptureTabWritesWholeRecords) {
  device_seam::overrideAnswer(getCaptureConfig, -1);
  Open();
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed to get the snapshot options!"});
  Close();
  livetest::Boxes().clear();
  Open();
  ASSERT_TRUE(recordtest::ClickTab(GetDlgItem(win_, PAGE_ID_SHEET), 1));
  Paint(pic_, 0, 0, 0, 6, 23);  // every weekday, all day
  device_seam::startCallLog();
  Click(pic_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setCaptureConfig 1", "saveDeviceParams"}));
  CaptureConfig c{};
  getCaptureConfig(nullptr, 1, &c, 1);
  for (int d = 0; d < 7; ++d) EXPECT_EQ(c.segments[d][0].time.endHour, 24) << d;
  Close();
}

// Segment `k` of the day editor set to h0:00-h1:00 (fields 1 and 3 of its
// time box: start and end hour) and taken by a user.
void SetSegment(WindowHandle dlg, int k, int h0, int h1) {
  const int id = kAllDay + 2 * k;
  SendDlgItemMessage(dlg, id, CB_SETFIELD, 1, h0);
  SendDlgItemMessage(dlg, id, CB_SETFIELD, 3, h1);
  EXPECT_TRUE(recordtest::TakeTime(dlg, id)) << k;
}

TEST_F(SchedulePage, TheDayEditorKeepsAnInvalidDayAndCancelGivesTheRecordBack) {
  Main({0, 0, 1024, 768}, livetest::LiveStandInProc, WS_EX_PREVIEW);  // the live view, under the page
  Open();
  InDayEditor([](WindowHandle dlg) {
    SetSegment(dlg, 1, 1, 2);
    Click(dlg, kApply);  // Monday 01:00-02:00 stays, whatever Cancel does
    SetSegment(dlg, 1, 8, 12);
    SetSegment(dlg, 2, 11, 13);
    // Overlapping: Monday stays on screen.
    EXPECT_FALSE(livetest::Pick(dlg, kDayBox, 1));
    EXPECT_EQ(SendDlgItemMessage(dlg, kDayBox, CB_GETSELVALUE, 0, 0), 0);
    SetSegment(dlg, 2, 12, 13);
    Choose(dlg, kDayBox, 2);  // valid now: Monday is kept in the record, Wednesday shown
    SetSegment(dlg, 1, 3, 4);
    EXPECT_TRUE(ClickClosing(dlg, IDCANCEL));  // back to what Apply stored
  });
  EXPECT_TRUE(recordtest::StandInTakesClick(win_)) << "after Cancel";
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The time segments overlap!"});
  EXPECT_TRUE(Enabled(rec_, kApply));  // the page counts the channel as changed even so
  Click(rec_, kApply);
  const RecordConfig r = StoredRecord(1);
  EXPECT_EQ(r.segments[0][0].time.startHour, 1);
  EXPECT_EQ(r.segments[0][0].time.endHour, 2);
  EXPECT_EQ(r.segments[0][1].time.endHour, 0);
  EXPECT_EQ(r.segments[2][0].time.endHour, 0);
  // All-day keeps the segments under its head; OK keeps it.
  InDayEditor([](WindowHandle dlg) {
    ASSERT_EQ(SendDlgItemMessage(dlg, kAllDay, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(dlg, kAllDay);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kFirstTime)));
    Choose(dlg, kAllDayType, 2);
    EXPECT_TRUE(ClickClosing(dlg, PAGE_ID_OK));
  });
  EXPECT_TRUE(recordtest::StandInTakesClick(win_)) << "after OK";
  Click(rec_, kApply);
  const RecordConfig all = StoredRecord(1);
  EXPECT_EQ(all.days[0].allDay, 1);
  EXPECT_EQ(all.days[0].allDayType, 2);
  EXPECT_EQ(all.segments[0][0].time.endHour, 2);
  Close();
}

TEST_F(SchedulePage, TheRecordMenuReachesBothPagesThroughTheRegistry) {
  for (const char* item : {"scheduleset", "holidayset"}) {
    ASSERT_NE(findPage(APP_MENU_RECORD, item), nullptr) << item;
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_RECORD, item, host_), 0) << item;
    const WindowHandle page = getRecordPageWnd();
    ASSERT_NE(page, GUI_INVALID_HANDLE) << item;
    char caption[64] = "";
    GetWindowText(page, caption, sizeof caption);
    EXPECT_STREQ(caption, std::string(item) == "scheduleset" ? "Schedule" : "Holiday");
    livetest::PressKey(KEY_ESC);  // Escape closes the menu and its page
    EXPECT_TRUE(livetest::PumpUntil([] { return getRecordPageWnd() == GUI_INVALID_HANDLE; })) << item;
  }
}

TEST_F(SchedulePage, CopiesGoToTheChosenChannelsAndDaysAndKeepTheEncodingTail) {
  RecordConfig three = StoredRecord(3);
  three.postRecord = 5;
  three.audio = 1;
  ASSERT_EQ(setRecordConfig(nullptr, 3, &three, 1), 0);
  Open();
  const WindowHandle inner = inner_;
  TickRecord();
  Paint(rec_, 3, 0, 6, 0, 7);  // Monday 06:00-08:00, motion or alarm
  // The day editor copies Monday to Tuesday and the holiday.
  InDayEditor([inner](WindowHandle dlg) {
    EXPECT_TRUE(InLoopOpenedBy(inner, [dlg] { Click(dlg, PAGE_ID_COPY); }, recordtest::OpenedOver(dlg), [] {
      const WindowHandle week = GetActiveWindow();
      Click(week, kWeekTuesday);
      Click(week, kWeekHoliday);
      EXPECT_TRUE(ClickClosing(week, PAGE_ID_OK));
    }));
    EXPECT_TRUE(ClickClosing(dlg, PAGE_ID_OK));
  });
  // The page copies channel 1 to channel 3.
  const auto copyOpen = [] { return IsValidHandle(getCopyChanWnd()) && IsWindowVisible(getCopyChanWnd()); };
  EXPECT_TRUE(InLoopOpenedBy(helper_, [this] { Click(rec_, kCopy); }, copyOpen, [] {
    const WindowHandle dlg = getCopyChanWnd();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, CHANBOX_IP_FIRST)));  // no IP camera: no IP channel offered
    Click(dlg, CHANBOX_ANALOG_FIRST + 2);
    EXPECT_TRUE(ClickClosing(dlg, PAGE_ID_OK));
  }));
  Click(rec_, kApply);
  const RecordConfig one = StoredRecord(1), copied = StoredRecord(3);
  EXPECT_EQ(copied.enable, 1u);
  EXPECT_EQ(std::memcmp(copied.days, one.days, sizeof one.days), 0);
  EXPECT_EQ(std::memcmp(copied.segments, one.segments, sizeof one.segments), 0);
  EXPECT_EQ(copied.postRecord, 5u);
  EXPECT_EQ(copied.audio, 1);
  for (int d : {0, 1}) EXPECT_EQ(one.segments[d][0].time.startHour, 6) << d;
  EXPECT_EQ(one.segments[2][0].time.endHour, 0);
  HolidaySchedule hol{};
  getRecordSchedExtra(nullptr, 3, &hol, 1);
  EXPECT_EQ(hol.segments[0].type, 3);
  EXPECT_EQ(hol.segments[0].time.endHour, 8);
  EXPECT_EQ(MotionEnable(3), 1);
  Close();
}

}  // namespace
