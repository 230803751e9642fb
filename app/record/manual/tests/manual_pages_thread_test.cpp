// The manual record and snapshot pages on the simulated device: every box
// starts or stops its own channel, the "all" boxes start only the channels
// that may be operated and name the others, and the boxes need the right.
#include <cstring>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/page_ids.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::Click;
using livetest::LiveGui;

constexpr int kTimingAll = 20098, kMotionAll = 20099;

class ManualPages : public LiveGui {
 protected:
  WindowHandle Open(const char* item) {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    EXPECT_EQ(openMenuPage(APP_MENU_MANUAL, item, host_), 0);
    win_ = getManualPageWnd();
    desktest::Drain();
    return static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getManualPageWnd(), GUI_INVALID_HANDLE);
  }
  WindowHandle host_ = 0, win_ = 0;
};

int State(WindowHandle page, int id) { return static_cast<int>(SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0)); }
// A box clicked into `state`: a click when it is not in it already.
void Set(WindowHandle page, int id, int state) {
  ASSERT_NE(State(page, id), state) << id;
  Click(page, id);
}

// The channel masks the device was asked to start and stop.
struct Asked {
  std::vector<int64_t> started, stopped;
};
Asked Calls(const char* start, const char* stop) {
  Asked a;
  for (const auto& call : device_seam::callLog()) {
    if (call.op == start) a.started.push_back(call.args.at(1));
    if (call.op == stop) a.stopped.push_back(call.args.at(1));
  }
  return a;
}

TEST_F(ManualPages, EveryBoxOperatesItsOwnChannelAndRefusedChannelsAreNamed) {
  const int analog = getAnalogChanNum();
  ASSERT_GE(analog, 4);
  struct Page {
    const char* item;
    device_seam::Op can;
    const char* start;
    const char* stop;
    const char* refusal;
  } pages[] = {{"manual_rec", canManualRecord, "startManualRecord", "stopManualRecord", "A3  cannot record manually!"},
               {"manual_pic", canManualSnapshot, "startManualSnapshot", "stopManualSnapshot",
                "A3  cannot take a snapshot!"}};
  for (const Page& p : pages) {
    SCOPED_TRACE(p.item);
    device_seam::resetAll();
    device_seam::overrideAnswerFor(p.can, {3}, 0);
    const WindowHandle page = Open(p.item);
    // Each channel box, not only the first, starts and stops its channel.
    for (int n = 1; n <= analog; ++n) {
      if (n == 3) continue;
      device_seam::startCallLog();
      Set(page, CHANBOX_ANALOG_FIRST + n - 1, 1);
      Set(page, CHANBOX_ANALOG_FIRST + n - 1, 0);
      const Asked a = Calls(p.start, p.stop);
      EXPECT_EQ(a.started, std::vector<int64_t>{int64_t{1} << (n - 1)}) << n;
      EXPECT_EQ(a.stopped, std::vector<int64_t>{int64_t{1} << (n - 1)}) << n;
    }
    // A channel that may not be operated has a box that takes no click.
    livetest::Boxes().clear();
    device_seam::startCallLog();
    Click(page, CHANBOX_ANALOG_FIRST + 2);
    EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 2), 0);
    EXPECT_TRUE(Calls(p.start, p.stop).started.empty());
    EXPECT_TRUE(livetest::Boxes().empty());
    // "All analog" starts exactly the channels that may be operated, names
    // the others and ends unchecked.
    livetest::Boxes().clear();
    device_seam::startCallLog();
    Set(page, CHANBOX_ALL_ANALOG, 1);
    const int64_t every = (int64_t{1} << analog) - 1;
    EXPECT_EQ(Calls(p.start, p.stop).started, std::vector<int64_t>{every & ~int64_t{4}});
    ASSERT_EQ(livetest::Boxes().size(), 1u);
    EXPECT_EQ(livetest::Boxes()[0].text, p.refusal);
    EXPECT_EQ(State(page, CHANBOX_ALL_ANALOG), 0);
    EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST), 1);
    EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 2), 0);
    Close();
    // Where every channel may be operated, "all" stays checked, and
    // unchecking it stops every channel of its kind.
    device_seam::resetAll();
    const WindowHandle open = Open(p.item);
    device_seam::startCallLog();
    Set(open, CHANBOX_ALL_ANALOG, 1);
    EXPECT_EQ(State(open, CHANBOX_ALL_ANALOG), 1);
    Set(open, CHANBOX_ALL_ANALOG, 0);
    const Asked asked = Calls(p.start, p.stop);
    EXPECT_EQ(asked.started, std::vector<int64_t>{every});
    EXPECT_EQ(asked.stopped, std::vector<int64_t>{every});
    EXPECT_EQ(State(open, CHANBOX_ANALOG_FIRST + 1), 0);
    // Unchecking one channel box unchecks its "all" box.
    Set(open, CHANBOX_ALL_ANALOG, 1);
    Set(open, CHANBOX_ANALOG_FIRST + 4, 0);
    EXPECT_EQ(State(open, CHANBOX_ALL_ANALOG), 0);
    Close();
  }
}

// A start or stop the device refuses is told, and afterwards every box
// shows what the device runs: on by hand where it runs, off elsewhere.
TEST_F(ManualPages, ARefusedStartOrStopIsToldAndEveryBoxShowsTheDevice) {
  constexpr int kRefused = 9;
  struct Page {
    const char* item;
    device_seam::Op start, stop;
    uint64_t (*running)();
    const char* told;
  } pages[] = {{"manual_rec", startManualRecord, stopManualRecord, getRecordingChanMask,
                "Saving failed, error code: 9"},
               {"manual_pic", startManualSnapshot, stopManualSnapshot, getSnapshotChanMask,
                "Snapshot failed, error code: 9"}};
  const int analog = getAnalogChanNum();
  for (const Page& p : pages)
    for (int box : {int{CHANBOX_ANALOG_FIRST} + 1, int{CHANBOX_ALL_ANALOG}}) {
      SCOPED_TRACE(std::string(p.item) + " box " + std::to_string(box));
      device_seam::resetAll();
      const WindowHandle page = Open(p.item);
      const auto showsTheDevice = [&] {
        for (int n = 1; n <= analog; ++n)
          if (State(page, CHANBOX_ANALOG_FIRST + n - 1) != static_cast<int>((p.running() >> (n - 1)) & 1u)) return false;
        return true;
      };
      // Each step: the answer the device gives, the box state clicked to
      // and the state it shows afterwards.
      const struct {
        device_seam::Op op;
        int answer, click, shown;
      } steps[] = {{p.start, kRefused, 1, 0}, {p.start, 0, 1, 1}, {p.stop, kRefused, 0, 1}, {p.stop, 0, 0, 0}};
      for (const auto& step : steps) {
        livetest::Boxes().clear();
        if (step.answer) device_seam::overrideAnswer(step.op, step.answer);
        Set(page, box, step.click);
        device_seam::clearOverrides();
        std::vector<std::string> told;
        for (const auto& b : livetest::Boxes()) told.push_back(b.text);
        EXPECT_EQ(told, step.answer ? std::vector<std::string>{p.told} : std::vector<std::string>{})
            << step.answer << " to " << step.click;
        EXPECT_EQ(State(page, box), step.shown) << step.answer << " to " << step.click;
        EXPECT_TRUE(showsTheDevice()) << step.answer << " to " << step.click;
      }
      Close();
    }
}

// Boxes stand only for channels the device has, and a channel that may
// not be operated by hand shows a disabled box; a click on the box of an
// IP camera the device has starts that camera.
TEST_F(ManualPages, BoxesStandForTheDevicesChannelsAndRefusedOnesAreDisabled) {
  struct Page {
    const char* item;
    device_seam::Op can;
    const char* start;
    const char* stop;
  } pages[] = {{"manual_rec", canManualRecord, "startManualRecord", "stopManualRecord"},
               {"manual_pic", canManualSnapshot, "startManualSnapshot", "stopManualSnapshot"}};
  const int analog = getAnalogChanNum();
  for (const Page& p : pages) {
    SCOPED_TRACE(p.item);
    device_seam::resetAll();
    device_seam::overrideAnswerFor(p.can, {3}, 0);
    WindowHandle page = Open(p.item);
    EXPECT_FALSE(IsValidHandle(GetDlgItem(page, CHANBOX_IP_FIRST)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, CHANBOX_ALL_IP)));
    EXPECT_TRUE(livetest::Enabled(page, CHANBOX_ANALOG_FIRST + 1));
    EXPECT_FALSE(livetest::Enabled(page, CHANBOX_ANALOG_FIRST + 2));
    Close();

    const uint64_t oneCamera = 1;
    device_seam::overrideAnswer(getIpChannelNum, 1, &oneCamera, sizeof oneCamera);
    page = Open(p.item);
    ASSERT_TRUE(IsValidHandle(GetDlgItem(page, CHANBOX_IP_FIRST)));
    device_seam::startCallLog();
    livetest::ClickItem(page, CHANBOX_IP_FIRST);
    EXPECT_TRUE(livetest::PumpUntil([&] { return !Calls(p.start, p.stop).started.empty(); }));
    EXPECT_EQ(Calls(p.start, p.stop).started, std::vector<int64_t>{int64_t{1} << analog});
    Close();
  }
}

TEST_F(ManualPages, SnapshotFailuresAndRightsDecideWhatTheUserSees) {
  device_seam::overrideAnswer(startManualSnapshot, -1);
  WindowHandle page = Open("manual_pic");
  Set(page, CHANBOX_ANALOG_FIRST, 1);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Snapshot failed!");
  EXPECT_EQ(livetest::Boxes()[0].type, 16u);
  device_seam::overrideAnswer(startManualSnapshot, 12);
  livetest::Boxes().clear();
  Set(page, CHANBOX_ANALOG_FIRST + 1, 1);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Snapshot failed, error code: 12");
  // Escape closes the page.
  livetest::PressKey(KEY_ESC);
  EXPECT_TRUE(livetest::PumpUntil([] { return getManualPageWnd() == GUI_INVALID_HANDLE; }));

  page = Open("manual_rec");
  EXPECT_TRUE(IsValidHandle(GetDlgItem(page, CHANBOX_ANALOG_FIRST)));
  EXPECT_TRUE(IsValidHandle(GetDlgItem(page, kTimingAll)));
  // The all-day buttons ask first; No changes no schedule.
  livetest::BoxAnswer() = 7;
  livetest::Boxes().clear();
  device_seam::startCallLog();
  Click(page, kMotionAll);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Start all-day motion recording on every channel?");
  for (const auto& call : device_seam::callLog()) {
    EXPECT_NE(call.op, "setRecordConfig");
  }
  Close();
  // A user without the manual record and record setting rights gets no
  // channel boxes and no all-day buttons.
  UserConfig users{};
  ASSERT_EQ(getUserConfig(getOutputLogin(3), &users), 0);
  users.users[1].rights = 0;
  std::memset(users.users[1].chanMasks, 0, sizeof users.users[1].chanMasks);
  ASSERT_EQ(setUserConfig(getOutputLogin(3), &users, 0), 0);
  setLoginState(3, 1, 0);
  page = Open("manual_rec");
  EXPECT_FALSE(IsValidHandle(GetDlgItem(page, CHANBOX_ANALOG_FIRST)));
  EXPECT_FALSE(IsValidHandle(GetDlgItem(page, kTimingAll)));
  Close();
}

// A channel switched on by hand shows so when the page opens again after
// a trip to another page: the device reports no kind of recording in its
// status, and its mask holds the channels started by hand.
TEST_F(ManualPages, AChannelOnByHandShowsSoWhenThePageOpensAgain) {
  WindowHandle page = Open("manual_rec");
  Set(page, CHANBOX_ANALOG_FIRST + 2, 1);
  Close();
  page = Open("manual_pic");
  EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 2), 0) << "no snapshots were started";
  Set(page, CHANBOX_ANALOG_FIRST + 1, 1);
  Close();
  page = Open("manual_pic");
  EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 1), 1);
  Close();
  page = Open("manual_rec");
  EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 2), 1);
  EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 1), 0);
  Close();
}

TEST_F(ManualPages, BoxStatesAndLegendOnScreen) {
  const WindowHandle page = Open("manual_rec");
  // A click on a box switches its channel on by hand.
  device_seam::startCallLog();
  livetest::ClickItem(page, CHANBOX_ANALOG_FIRST + 2);
  livetest::PumpUntil([&] { return State(page, CHANBOX_ANALOG_FIRST + 2) == 1; });
  EXPECT_EQ(State(page, CHANBOX_ANALOG_FIRST + 2), 1);
  EXPECT_EQ(Calls("startManualRecord", "stopManualRecord").started, std::vector<int64_t>{4});
  SendDlgItemMessage(page, CHANBOX_ANALOG_FIRST, BM_SETCHECK, 1, 0);
  SendDlgItemMessage(page, CHANBOX_ANALOG_FIRST + 1, BM_SETCHECK, 2, 0);
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "manual_record", livetest::SettledGrab(r));
  Close();
}

}  // namespace
