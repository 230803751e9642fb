// The schedule page on the simulated device: drags on the week grid, the
// one-day editor, copies and Apply, checked against what the device keeps
// and which operations it was asked.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/record_pages.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::LiveGui;

constexpr int kRecChan = 18960, kRecEnable = 18961, kRecEdit = 18962, kCopy = 4100, kApply = 4098;

WParam Code(int id, int code) { return static_cast<WParam>((code << 16) | id); }
void Command(WindowHandle w, int id, int code = 0) { SendMessage(w, MSG_COMMAND, Code(id, code), 0); }
bool Enabled(WindowHandle w, int id) { return IsWindowEnabled(GetDlgItem(w, id)); }
LParam At(int x, int y) { return desktest::PointParam(x, y); }

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

class SchedulePage : public LiveGui {
 protected:
  void Open() {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(createScheduleSetWindow(host_), 0);
    win_ = getRecordPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    const WindowHandle sheet = GetDlgItem(win_, 4101);
    rec_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 0, 0));
    pic_ = static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, 1, 0));
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  // A press and release at two points of a tab, as the mouse gives them.
  void Drag(WindowHandle tab, int x0, int y0, int x1, int y1) {
    SendMessage(tab, MSG_LBUTTONDOWN, 0, At(x0, y0));
    SendMessage(tab, MSG_MOUSEMOVE, 0, At(x1, y1));
    SendMessage(tab, MSG_LBUTTONUP, 0, At(x1, y1));
  }
  WindowHandle host_ = 0, win_ = 0, rec_ = 0, pic_ = 0;
};

// Grid and legend places of the 1024 x 768 layout.
constexpr int kGridLeft = 100, kGridTop = 90, kHourW = 20, kRowH = 30, kLegendX = 25, kLegendY = 368;
Point Cell(int day, int hour) { return Point{kGridLeft + hour * kHourW + 5, kGridTop + day * kRowH + 5}; }

// A legend swatch (0..4 types, 5 the eraser), then a drag over days d0..d1
// and hours h0..h1.
void Paint(WindowHandle tab, int swatch, int d0, int h0, int d1, int h1) {
  SendMessage(tab, MSG_LBUTTONDOWN, 0, At(kLegendX, kLegendY + 24 * swatch));
  SendMessage(tab, MSG_LBUTTONUP, 0, At(kLegendX, kLegendY + 24 * swatch));
  const Point a = Cell(d0, h0), b = Cell(d1, h1);
  SendMessage(tab, MSG_LBUTTONDOWN, 0, At(a.x, a.y));
  SendMessage(tab, MSG_MOUSEMOVE, 0, At(b.x, b.y));
  SendMessage(tab, MSG_LBUTTONUP, 0, At(b.x, b.y));
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

void Choose(WindowHandle w, int combo, int value) {
  SendDlgItemMessage(w, combo, CB_SELECTVALUE, static_cast<WParam>(value), 0);
  Command(w, combo, 1);
}

// Bars of three types, the holiday row, and the pen's frames and hint.
TEST_F(SchedulePage, OnScreen) {
  Open();
  Paint(rec_, 1, 0, 10, 1, 12);
  Paint(rec_, 4, 3, 0, 5, 23);
  Paint(rec_, 5, 4, 8, 4, 15);  // the eraser splits Friday
  Paint(rec_, 2, 7, 20, 7, 23);
  SendMessage(rec_, MSG_LBUTTONDOWN, 0, At(kLegendX, kLegendY + 24 * 3));
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "scheduleset", livetest::SettledGrab(r));
  Close();
}

TEST_F(SchedulePage, ApplyWritesTheTouchedChannelsAndSwitchesMotionDetectionOn) {
  Open();
  SendDlgItemMessage(rec_, kRecEnable, BM_SETCHECK, BST_CHECKED, 0);
  Command(rec_, kRecEnable);
  Paint(rec_, 1, 0, 10, 1, 12);  // motion, Monday and Tuesday 10:00-13:00; the box stays checked
  EXPECT_EQ(SendDlgItemMessage(rec_, kRecEnable, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Enabled(rec_, kApply));
  Choose(rec_, kRecChan, 3);  // channel 1 is kept as changed; nothing is written yet
  Paint(rec_, 2, 6, 0, 6, 0);  // alarm on channel 3: no motion detection
  device_seam::startCallLog();
  Command(rec_, kApply);
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
  // The changed flags stay: the next Apply writes both channels again.
  device_seam::startCallLog();
  Command(rec_, kApply);
  EXPECT_EQ(Writes().size(), 6u);  // motion detection is on already
  Close();
}

// Types 1, 3 and 4 record on motion and need detection; 0 and 2 do not.
TEST_F(SchedulePage, OnlyMotionTypesSwitchDetectionOn) {
  for (int type = 0; type <= 4; ++type) {
    device_seam::resetKeptRecords();
    Open();
    SendDlgItemMessage(rec_, kRecEnable, BM_SETCHECK, BST_CHECKED, 0);
    Paint(rec_, type, 7, 23, 7, 23);  // the holiday row counts as well
    Command(rec_, kApply);
    EXPECT_EQ(MotionEnable(1), type == 1 || type == 3 || type == 4 ? 1 : 0) << type;
    Close();
  }
}

TEST_F(SchedulePage, AFailedWriteReadsTheRecordBackAndKeepsApply) {
  Open();
  SendDlgItemMessage(rec_, kRecEnable, BM_SETCHECK, BST_CHECKED, 0);
  Paint(rec_, 1, 2, 5, 2, 6);
  device_seam::overrideAnswer(setRecordConfig, -1);
  device_seam::startCallLog();
  Command(rec_, kApply);
  device_seam::clearOverrides();
  // No motion check after a refused schedule; the holiday is still written.
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setRecordConfig 1", "getRecordConfig 1", "setRecordSchedExtra 1"}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Saving failed!"});
  EXPECT_TRUE(Enabled(rec_, kApply));
  EXPECT_EQ(MotionEnable(1), 0);
  // The page works on what the device holds: Apply now stores the empty day.
  Command(rec_, kApply);
  EXPECT_EQ(StoredRecord(1).segments[2][0].time.endHour, 0);
  Close();
}

TEST_F(SchedulePage, AFailedLoadShowsItsBoxAndTheCaptureTabWritesWholeRecords) {
  device_seam::overrideAnswer(getCaptureConfig, -1);
  Open();
  device_seam::clearOverrides();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed to get the snapshot options!"});
  Close();
  livetest::Boxes().clear();
  Open();
  SendMessage(GetDlgItem(win_, 4101), PSM_SETACTIVEINDEX, 1, 0);
  desktest::Drain();  // the tab change settles as it would before any click
  Paint(pic_, 0, 0, 0, 6, 23);  // every weekday, all day
  device_seam::startCallLog();
  Command(pic_, kApply);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"setCaptureConfig 1", "saveDeviceParams"}));
  CaptureConfig c{};
  getCaptureConfig(nullptr, 1, &c, 1);
  for (int d = 0; d < 7; ++d) EXPECT_EQ(c.segments[d][0].time.endHour, 24) << d;
  Close();
}

// Time box fields: 1 start hour, 2 start minute, 3 end hour, 4 end minute.
void SetSegment(WindowHandle dlg, int k, int h0, int h1) {
  const int id = 18961 + 2 * k;
  SendDlgItemMessage(dlg, id, CB_SETFIELD, 1, h0);
  SendDlgItemMessage(dlg, id, CB_SETFIELD, 3, h1);
  Command(dlg, id, 1);
}

TEST_F(SchedulePage, TheDayEditorKeepsAnInvalidDayAndCancelGivesTheRecordBack) {
  Open();
  RunInLoop([this](WindowHandle) { Command(rec_, kRecEdit); return 0; }, [] {
    const WindowHandle dlg = GetActiveWindow();
    SetSegment(dlg, 1, 1, 2);
    Command(dlg, kApply);  // Monday 01:00-02:00 stays, whatever Cancel does
    SetSegment(dlg, 1, 8, 12);
    SetSegment(dlg, 2, 11, 13);
    Choose(dlg, 18960, 1);  // overlapping: Monday stays on screen
    EXPECT_EQ(SendDlgItemMessage(dlg, 18960, CB_GETSELVALUE, 0, 0), 0);
    SetSegment(dlg, 2, 12, 13);
    Choose(dlg, 18960, 2);  // valid now: Monday is kept in the record, Wednesday shown
    SetSegment(dlg, 1, 3, 4);
    Command(dlg, 2);  // Cancel: back to what Apply stored
  });
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The time segments overlap!"});
  EXPECT_TRUE(Enabled(rec_, kApply));  // the page counts the channel as changed even so
  Command(rec_, kApply);
  const RecordConfig r = StoredRecord(1);
  EXPECT_EQ(r.segments[0][0].time.startHour, 1);
  EXPECT_EQ(r.segments[0][0].time.endHour, 2);
  EXPECT_EQ(r.segments[0][1].time.endHour, 0);
  EXPECT_EQ(r.segments[2][0].time.endHour, 0);
  // All-day keeps the segments under its head; OK keeps it.
  RunInLoop([this](WindowHandle) { Command(rec_, kRecEdit); return 0; }, [] {
    const WindowHandle dlg = GetActiveWindow();
    SendDlgItemMessage(dlg, 18961, BM_SETCHECK, BST_CHECKED, 0);
    Command(dlg, 18961);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, 18963)));
    Choose(dlg, 18962, 2);
    Command(dlg, 4097);
  });
  Command(rec_, kApply);
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
    SendMessage(page, MSG_KEYDOWN, KEY_ESC, 0);  // Escape closes the menu and its page
    desktest::Drain();
    EXPECT_EQ(getRecordPageWnd(), GUI_INVALID_HANDLE) << item;
  }
}

// Steps run inside a dialog that a dialog opens: posted to a window of
// their own before the command that opens it.
std::function<void()>& InnerSteps() {
  static std::function<void()> steps;
  return steps;
}
LResult InnerProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == livetest::kRunSteps) {
    InnerSteps()();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

TEST_F(SchedulePage, CopiesGoToTheChosenChannelsAndDaysAndKeepTheEncodingTail) {
  RecordConfig three = StoredRecord(3);
  three.postRecord = 5;
  three.audio = 1;
  ASSERT_EQ(setRecordConfig(nullptr, 3, &three, 1), 0);
  Open();
  const WindowHandle inner = Main({0, 0, 4, 4}, InnerProc);
  SendDlgItemMessage(rec_, kRecEnable, BM_SETCHECK, BST_CHECKED, 0);
  Paint(rec_, 3, 0, 6, 0, 7);  // Monday 06:00-08:00, motion or alarm
  // The day editor copies Monday to Tuesday and the holiday.
  RunInLoop([this](WindowHandle) { Command(rec_, kRecEdit); return 0; }, [inner] {
    const WindowHandle dlg = GetActiveWindow();
    InnerSteps() = [] {
      const WindowHandle week = GetActiveWindow();
      SendDlgItemMessage(week, 4193, BM_SETCHECK, BST_CHECKED, 0);
      SendDlgItemMessage(week, 4199, BM_SETCHECK, BST_CHECKED, 0);
      Command(week, 4097);
    };
    PostMessage(inner, livetest::kRunSteps, 0, 0);
    Command(dlg, 4100);
    Command(dlg, 4097);
  });
  // The page copies channel 1 to channel 3.
  RunInLoop([this](WindowHandle) { Command(rec_, kCopy); return 0; }, [] {
    const WindowHandle dlg = getCopyChanWnd();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 4224)));  // no IP camera: no IP channel offered
    SendDlgItemMessage(dlg, 4194, BM_SETCHECK, BST_CHECKED, 0);
    Command(dlg, 4097);
  });
  Command(rec_, kApply);
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
