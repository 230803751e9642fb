// The event handling sheet over each source's stand-in or working record:
// the pages each source shows, the linkage bits with and without FTP, the
// output rows and their storing, the arming schedule's checks, copy and
// holiday exchange, the PTZ choices, the record channels, and the pictures
// of the pages.
#include <cstring>
#include <string>
#include <vector>

#include "app/alarmnet/events/event_sources.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/page_frame.h"
#include "app/page_keys.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using livetest::Pick;

enum : int { kPopup = 21568, kAudio, kCenter, kEmail, kFtp = 21573, kTrigger, kList };
enum : int { kDay = 21536, kTime1 = 21537 };
enum : int { kPtzCam = 21600, kCallPreset, kPreset, kCallPatrol, kPatrol, kCallPattern, kPattern };
constexpr int kFtpFlag = 1 << 4;
constexpr uint32_t kForeignBit = 0x400;

struct Sheet {
  WindowHandle dialog = 0, sheet = 0;
  std::vector<std::string> titles;
  mutable bool closing = false;
  // A click on a page's OK or Cancel: the dialog's loop reads its release
  // once the steps are done, and ends.
  void CloseBy(WindowHandle page, int id) const {
    closing = true;
    alarmnettest::ClickClosing(page, id);
  }
  // The page titled `title`, shown by a click on its tab; 0 when none is.
  WindowHandle Page(const std::string& title) const {
    for (size_t i = 0; i < titles.size(); ++i) {
      if (titles[i] != title) continue;
      EXPECT_TRUE(alarmnettest::ClickTab(sheet, static_cast<int>(i))) << title;
      return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, i, 0));
    }
    return 0;
  }
};

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
// A check box clicked when it is not as wanted.
void Tick(WindowHandle page, int id, bool on) {
  if (Checked(page, id) != on) livetest::Click(page, id);
  EXPECT_EQ(Checked(page, id), on) << id;
}
void SetSegment(WindowHandle page, int id, int sh, int sm, int eh, int em) {
  const int values[4] = {sh, sm, eh, em};
  for (int f = 1; f <= 4; ++f) SendDlgItemMessage(page, id, CB_SETFIELD, f, values[f - 1]);
}

// A time box's segment set, then taken up for typing by a click and Enter
// and left by Enter, which tells the page of the change as typing does.
void TypeSegment(WindowHandle page, int id, int sh, int sm, int eh, int em) {
  SetSegment(page, id, sh, sm, eh, em);
  const WindowHandle box = GetDlgItem(page, id);
  livetest::ClickItem(page, id, [page, box] { return GetCapture() != 0 || GetFocusChild(page) == box; });
  livetest::PumpUntil([] { return GetCapture() == 0; });
  livetest::PressKey(KEY_ENTER);
  EXPECT_TRUE(livetest::PumpUntil([page] { return livetest::Enabled(page, PAGE_ID_APPLY); })) << id;
  livetest::PressKey(KEY_ENTER);
  desktest::Drain();
}

class HandleSet : public livetest::LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    std::memset(getAlarmInParam(), 0, sizeof(AlarmInConfig));
    std::memset(getAlarmOutParam(), 0, sizeof(AlarmOutConfig));
    std::memset(getMotionParam(), 0, sizeof(ChannelConfig));
    std::memset(getVideoLossParam(), 0, sizeof(ChannelConfig));
    std::memset(getTamperParam(), 0, sizeof(ChannelConfig));
    std::memset(getHandleSetSource(), 0, sizeof(TimeSegment) * SCHED_SEGMENTS);
    ftp_ = device_seam::mutableAbility()->netFlags & kFtpFlag;
  }
  void TearDown() override {
    device_seam::mutableAbility()->netFlags = (device_seam::mutableAbility()->netFlags & ~kFtpFlag) | ftp_;
    LiveGui::TearDown();
  }
  // Opens the sheet for `source`, runs `steps` on it, and cancels it unless
  // a step closed it.
  void Run(int source, const std::function<void(const Sheet&)>& steps) {
    RunInLoop([source](WindowHandle owner) { return showHandleSetDialog(owner, source); },
              [&] {
                Sheet s;
                s.dialog = GetActiveWindow();
                s.sheet = GetDlgItem(s.dialog, PAGE_ID_SHEET);
                const int count = static_cast<int>(SendMessage(s.sheet, PSM_GETPAGECOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                  char title[64] = "";
                  SendMessage(s.sheet, PSM_GETTITLE, i, reinterpret_cast<LParam>(title));
                  s.titles.push_back(title);
                }
                steps(s);
                // Left by Cancel unless a step closed it; a sheet without
                // pages has no button to close it by.
                if (s.closing) return;
                if (s.titles.empty())
                  SendMessage(s.dialog, MSG_CLOSE, 0, 0);
                else
                  alarmnettest::CancelSheet(s.dialog);
              });
  }
  uint32_t ftp_ = 0;
};

// Which pages each source shows, in the sheet's order; an unknown source
// shows nothing at all.
TEST_F(HandleSet, EachSourceShowsItsPages) {
  const struct {
    int source;
    std::vector<std::string> titles;
  } kCases[] = {
      {EVENT_SOURCE_TAMPER, {"Arming Schedule", "Linkage"}},
      {EVENT_SOURCE_MOTION, {"Record Channels", "Arming Schedule", "Linkage"}},
      {EVENT_SOURCE_VIDEOLOSS, {"Arming Schedule", "Linkage"}},
      {EVENT_SOURCE_ALARMIN, {"Record Channels", "Arming Schedule", "Linkage", "PTZ Linkage"}},
      {EVENT_SOURCE_ALARMOUT, {"Arming Schedule"}},
      {4, {}},
      {-1, {}},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> seen;
    Run(c.source, [&](const Sheet& s) { seen = s.titles; });
    EXPECT_EQ(seen, c.titles) << "source " << c.source;
  }
}

// Without a usable channel the camera page (and the PTZ page of an alarm
// input) cannot be chosen; the schedule and rule pages still can.
TEST_F(HandleSet, PagesWithoutAUsableChannelCannotBeChosen) {
  DeviceAbility* ability = device_seam::mutableAbility();
  const uint8_t analog = ability->analogChanNum;
  ability->analogChanNum = 0;
  const struct {
    int source;
    std::vector<bool> choosable;
  } kCases[] = {{EVENT_SOURCE_ALARMIN, {false, true, true, false}}, {EVENT_SOURCE_MOTION, {false, true, true}}};
  for (const auto& c : kCases) {
    std::vector<bool> seen;
    Run(c.source, [&](const Sheet& s) {
      for (size_t i = 0; i < s.titles.size(); ++i) seen.push_back(alarmnettest::ClickTab(s.sheet, static_cast<int>(i)));
    });
    EXPECT_EQ(seen, c.choosable) << "source " << c.source;
  }
  ability->analogChanNum = analog;
}

// The action boxes show and store their bits; bits the page does not edit
// are kept; without FTP the snapshot bit goes where only it could have
// set it (alarm inputs and motion) and the trigger box takes its place.
TEST_F(HandleSet, TheRulePageStoresTheActionBitsWithAndWithoutFtp) {
  const struct {
    int source;
    EventLinkage* linkage;
  } kSources[] = {{EVENT_SOURCE_ALARMIN, &getAlarmInParam()->linkage},
                  {EVENT_SOURCE_MOTION, &getMotionParam()->motionLinkage},
                  {EVENT_SOURCE_VIDEOLOSS, &getVideoLossParam()->videoLossLinkage},
                  {EVENT_SOURCE_TAMPER, &getTamperParam()->tamperLinkage}};
  for (bool ftp : {true, false}) {
    uint32_t& flags = device_seam::mutableAbility()->netFlags;
    flags = ftp ? flags | kFtpFlag : flags & ~kFtpFlag;
    for (const auto& c : kSources) {
      SCOPED_TRACE(std::to_string(c.source) + (ftp ? " with FTP" : " without FTP"));
      const bool snapshot = ftp && (c.source == EVENT_SOURCE_ALARMIN || c.source == EVENT_SOURCE_MOTION);
      c.linkage->actions = LINK_AUDIO | LINK_FTP_SNAP | kForeignBit;
      Run(c.source, [&](const Sheet& s) {
        const WindowHandle rule = s.Page("Linkage");
        ASSERT_NE(rule, 0u);
        EXPECT_TRUE(Checked(rule, kAudio));
        EXPECT_FALSE(Checked(rule, kPopup));
        EXPECT_EQ(IsWindow(GetDlgItem(rule, kFtp)), snapshot);
        Rect trigger{};
        GetWindowRect(GetDlgItem(rule, kTrigger), &trigger);
        Rect audio{};
        GetWindowRect(GetDlgItem(rule, kAudio), &audio);
        // Four rows below the audio box with the snapshot box, three without.
        EXPECT_EQ(trigger.top - audio.top, (snapshot ? 4 : 3) * (audio.bottom - audio.top));
        Tick(rule, kPopup, true);
        Tick(rule, kAudio, false);
        Tick(rule, kEmail, true);
        EXPECT_TRUE(livetest::Enabled(rule, PAGE_ID_APPLY));
        s.CloseBy(rule, PAGE_ID_OK);
      });
      const uint32_t expected =
          LINK_POPUP | LINK_EMAIL | kForeignBit | (snapshot || (c.source != EVENT_SOURCE_ALARMIN &&
                                                                c.source != EVENT_SOURCE_MOTION)
                                                       ? LINK_FTP_SNAP
                                                       : 0);
      EXPECT_EQ(c.linkage->actions, expected);
    }
  }
}

// One row per local output ("A->n", checked by the local mask), the list
// shown only with the trigger box; unchecking every row clears the outputs,
// and a row checked by its key is stored; Cancel stores nothing.
TEST_F(HandleSet, TheOutputRowsFollowTheLocalMask) {
  EventLinkage& linkage = getMotionParam()->motionLinkage;
  linkage.actions = LINK_ALARM_OUT;
  linkage.localOutputs = 0x5;
  Run(EVENT_SOURCE_MOTION, [&](const Sheet& s) {
    const WindowHandle rule = s.Page("Linkage");
    const WindowHandle list = GetDlgItem(rule, kList);
    ASSERT_TRUE(GetWindowStyle(list) & WS_VISIBLE);
    ASSERT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), getAlarmOutNum());
    for (int i = 0; i < getAlarmOutNum(); ++i) {
      char text[32] = "";
      ListViewSubItemInfo cell{};
      cell.rowIndex = i;
      cell.column = 0;
      cell.text = text;
      cell.bufferSize = sizeof text;
      const auto row = SendMessage(list, LVM_GETITEMBYINDEX, i, 0);
      SendMessage(list, LVM_GETSUBITEMTEXT, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
      EXPECT_EQ(std::string(text), "A->" + std::to_string(i + 1));
      EXPECT_EQ(SendMessage(list, LVM_GETCHECKED, i, 0), (0x5 >> i) & 1) << i;
    }
    Tick(rule, kTrigger, false);
    EXPECT_FALSE(GetWindowStyle(list) & WS_VISIBLE);
    Tick(rule, kTrigger, true);
    for (int i = 0; i < getAlarmOutNum(); ++i)
      if (SendMessage(list, LVM_GETCHECKED, i, 0) == 1) alarmnettest::ClickRowCheckAt(list, i);
    livetest::Click(rule, PAGE_ID_APPLY);
  });
  EXPECT_EQ(linkage.localOutputs, 0u);
  Run(EVENT_SOURCE_MOTION, [&](const Sheet& s) {
    const WindowHandle rule = s.Page("Linkage");
    const WindowHandle list = GetDlgItem(rule, kList);
    // A click on the row selects it and ticks it; the check key then
    // unticks and ticks it again.
    alarmnettest::ClickRowCheckAt(list, 1);
    EXPECT_EQ(SendMessage(list, LVM_GETCHECKED, 1, 0), 1);
    for (const int want : {0, 1}) {
      livetest::PressKey(PANEL_KEY_CHECK);
      EXPECT_TRUE(livetest::PumpUntil([list, want] { return SendMessage(list, LVM_GETCHECKED, 1, 0) == want; }));
    }
    s.CloseBy(rule, PAGE_ID_OK);
  });
  EXPECT_EQ(linkage.localOutputs, 0x2u);
  Run(EVENT_SOURCE_MOTION, [&](const Sheet& s) {
    const WindowHandle rule = s.Page("Linkage");
    alarmnettest::ClickRowCheckAt(GetDlgItem(rule, kList), 3);
    Tick(rule, kPopup, true);
    s.CloseBy(rule, IDCANCEL);
  });
  EXPECT_EQ(linkage.localOutputs, 0x2u);
  EXPECT_EQ(linkage.actions, static_cast<uint32_t>(LINK_ALARM_OUT));
}

// A wrong segment keeps the day and stores nothing; copy reaches the
// holiday through the exchange buffer; the week goes to the source's own
// schedule (alarm output here).
TEST_F(HandleSet, TheSchedulePageChecksCopiesAndStoresTheWeekAndHoliday) {
  Run(EVENT_SOURCE_ALARMOUT, [&](const Sheet& s) {
    const WindowHandle page = s.Page("Arming Schedule");
    ASSERT_NE(page, 0u);
    EXPECT_EQ(SendDlgItemMessage(page, kDay, CB_GETCOUNT, 0, 0), 8);
    SetSegment(page, kTime1, 8, 0, 8, 0);
    livetest::Boxes().clear();
    alarmnettest::PickRefused(page, kDay, 3);
    ASSERT_EQ(livetest::Boxes().size(), 1u);
    EXPECT_EQ(livetest::Boxes()[0].key, "settimefailed");
    EXPECT_EQ(SendDlgItemMessage(page, kDay, CB_GETSELVALUE, 0, 0), 0);
    SetSegment(page, kTime1, 8, 0, 10, 0);
    TypeSegment(page, kTime1 + 1, 9, 0, 11, 0);
    livetest::Boxes().clear();
    livetest::Click(page, PAGE_ID_APPLY);
    ASSERT_EQ(livetest::Boxes().size(), 1u);
    EXPECT_EQ(livetest::Boxes()[0].key, "settimeerr");
    EXPECT_EQ(getAlarmOutParam()->schedule[0][0].endHour, 0);
    SetSegment(page, kTime1 + 1, 12, 30, 24, 0);
    EXPECT_TRUE(livetest::Pick(page, kDay, 6));
    SetSegment(page, kTime1, 1, 0, 2, 0);
    EXPECT_TRUE(livetest::Pick(page, kDay, 0));
    EXPECT_EQ(SendDlgItemMessage(page, kTime1 + 1, CB_GETFIELD, 2, 0), 30);
    s.CloseBy(page, PAGE_ID_OK);
  });
  const AlarmOutConfig* out = getAlarmOutParam();
  EXPECT_EQ(out->schedule[0][0].startHour, 8);
  EXPECT_EQ(out->schedule[0][1].endHour, 24);
  EXPECT_EQ(out->schedule[6][0].endHour, 2);
  EXPECT_EQ(out->schedule[1][0].endHour, 0);
  const TimeSegment* holiday = reinterpret_cast<const TimeSegment*>(getHandleSetSource());
  EXPECT_EQ(holiday[0].endHour, 0);
}

// The camera page shows the record channels and stores the checked ones
// in both words of the motion record's mask.
TEST_F(HandleSet, TheCameraPageEditsTheRecordChannels) {
  getMotionParam()->motionRecordMask[0] = 0x5;
  Run(EVENT_SOURCE_MOTION, [&](const Sheet& s) {
    const WindowHandle page = s.Page("Record Channels");
    ASSERT_NE(page, 0u);
    EXPECT_TRUE(Checked(page, CHANBOX_ANALOG_FIRST));
    EXPECT_FALSE(Checked(page, CHANBOX_ANALOG_FIRST + 1));
    EXPECT_TRUE(Checked(page, CHANBOX_ANALOG_FIRST + 2));
    Tick(page, CHANBOX_ANALOG_FIRST, false);
    Tick(page, CHANBOX_ANALOG_FIRST + 3, true);
    s.CloseBy(page, PAGE_ID_OK);
  });
  EXPECT_EQ(getMotionParam()->motionRecordMask[0], 0xCu);
  EXPECT_EQ(getMotionParam()->motionRecordMask[1], 0u);
}

// OK on any page keeps the edits of every page changed, not only its own:
// a record channel, an action box and a segment, each on its own page. A
// page whose edits cannot be kept (a wrong segment) comes to the front
// with its report, and the sheet stays open.
TEST_F(HandleSet, OkOnAnyPageKeepsTheEditsOfEveryPage) {
  const char* const kTitles[] = {"Record Channels", "Arming Schedule", "Linkage"};
  for (const char* okOn : kTitles) {
    SCOPED_TRACE(okOn);
    std::memset(getAlarmInParam(), 0, sizeof(AlarmInConfig));
    bool stayed = false;
    Run(EVENT_SOURCE_ALARMIN, [&](const Sheet& s) {
      const WindowHandle channels = s.Page("Record Channels");
      ASSERT_NE(channels, 0u);
      Tick(channels, CHANBOX_ANALOG_FIRST + 3, true);
      const WindowHandle schedule = s.Page("Arming Schedule");
      ASSERT_NE(schedule, 0u);
      TypeSegment(schedule, kTime1, 8, 0, 8, 0);
      const WindowHandle rule = s.Page("Linkage");
      ASSERT_NE(rule, 0u);
      Tick(rule, kPopup, true);
      const WindowHandle page = s.Page(okOn);
      livetest::Boxes().clear();
      livetest::Click(page, PAGE_ID_OK);
      // The wrong segment holds the sheet open on its page.
      ASSERT_EQ(livetest::Boxes().size(), 1u);
      EXPECT_EQ(livetest::Boxes()[0].key, "settimefailed");
      EXPECT_EQ(SendMessage(s.sheet, PSM_GETACTIVEINDEX, 0, 0), 1);
      stayed = IsWindowVisible(s.dialog);
      TypeSegment(schedule, kTime1, 8, 0, 9, 0);
      s.CloseBy(schedule, PAGE_ID_OK);
    });
    EXPECT_TRUE(stayed);
    const AlarmInConfig* in = getAlarmInParam();
    EXPECT_EQ(in->recordChanMask, 0x8u);
    EXPECT_EQ(in->linkage.actions & 0x1u, 0x1u);
    EXPECT_EQ(in->schedule[0][0].startHour, 8);
    EXPECT_EQ(in->schedule[0][0].endHour, 9);
  }
}

// A click on one box of the framed record channels changes that box alone:
// the other boxes and the frame stay on screen, read back pixel by pixel.
TEST_F(HandleSet, AClickOnARecordChannelRepaintsOnlyThatBox) {
  Run(EVENT_SOURCE_MOTION, [&](const Sheet& s) {
    const WindowHandle page = s.Page("Record Channels");
    ASSERT_NE(page, 0u);
    Rect r{};
    GetWindowRect(s.dialog, &r);
    EXPECT_EQ(livetest::CheckClickChangedElsewhere(page, CHANBOX_ANALOG_FIRST + 1, r), 0);
  });
}

// A record with preset and patrol both on shows only the patrol; storing
// then writes the preset off. The preset box stops at 127 although the
// device offers 256 presets.
TEST_F(HandleSet, ThePtzPageKeepsOneCallPerChannel) {
  AlarmInConfig* in = getAlarmInParam();
  in->presetEnable[0] = 1;
  in->presetNo[0] = 5;
  in->patrolEnable[0] = 1;
  in->patrolNo[0] = 2;
  Run(EVENT_SOURCE_ALARMIN, [&](const Sheet& s) {
    const WindowHandle page = s.Page("PTZ Linkage");
    ASSERT_NE(page, 0u);
    EXPECT_FALSE(Checked(page, kCallPreset));
    EXPECT_TRUE(Checked(page, kCallPatrol));
    EXPECT_FALSE(Checked(page, kCallPattern));
    EXPECT_TRUE(livetest::Enabled(page, kPatrol));
    EXPECT_FALSE(livetest::Enabled(page, kPreset));
    SendDlgItemMessage(page, kPreset, CB_SETSPINVALUE, 200, 0);
    EXPECT_LE(SendDlgItemMessage(page, kPreset, CB_GETSPINVALUE, 0, 0), 127);
    s.CloseBy(page, PAGE_ID_OK);
  });
  EXPECT_EQ(in->presetEnable[0], 0);
  EXPECT_EQ(in->patrolEnable[0], 1);
  EXPECT_EQ(in->patrolNo[0], 2);
  Run(EVENT_SOURCE_ALARMIN, [&](const Sheet& s) {
    const WindowHandle page = s.Page("PTZ Linkage");
    Tick(page, kCallPattern, true);
    EXPECT_FALSE(Checked(page, kCallPatrol));
    EXPECT_TRUE(livetest::Enabled(page, kPattern));
    EXPECT_FALSE(livetest::Enabled(page, kPatrol));
    livetest::Click(page, PAGE_ID_APPLY);
    EXPECT_FALSE(livetest::Enabled(page, PAGE_ID_APPLY));
  });
  EXPECT_EQ(in->patrolEnable[0], 0);
  EXPECT_EQ(in->patternEnable[0], 1);
  EXPECT_EQ(in->patternNo[0], 1);
}

// On every page the controls end above the row of OK, Apply and Cancel: a
// list running under the row hides its last rows behind the buttons.
TEST_F(HandleSet, NoControlRunsUnderTheButtonRow) {
  getAlarmInParam()->linkage.actions = LINK_POPUP | LINK_ALARM_OUT;
  Run(EVENT_SOURCE_ALARMIN, [&](const Sheet& s) {
    for (size_t i = 0; i < s.titles.size(); ++i) {
      ASSERT_TRUE(alarmnettest::ClickTab(s.sheet, static_cast<int>(i))) << s.titles[i];
      const WindowHandle page = static_cast<WindowHandle>(SendMessage(s.sheet, PSM_GETPAGE, i, 0));
      Rect ok{};
      ASSERT_TRUE(IsValidHandle(GetDlgItem(page, PAGE_ID_OK))) << s.titles[i];
      GetWindowRect(GetDlgItem(page, PAGE_ID_OK), &ok);
      for (WindowHandle c = GetNextChild(page, 0); IsValidHandle(c); c = GetNextChild(page, c)) {
        const int id = GetDlgCtrlID(c);
        if (!IsWindowVisible(c) || id == PAGE_ID_OK || id == PAGE_ID_APPLY || id == IDCANCEL || id == PAGE_ID_COPY)
          continue;
        Rect r{};
        GetWindowRect(c, &r);
        EXPECT_LE(r.bottom, ok.top) << s.titles[i] << " control " << id;
      }
    }
  });
}

TEST_F(HandleSet, Pictures) {
  getAlarmInParam()->linkage.actions = LINK_POPUP | LINK_ALARM_OUT;
  getAlarmInParam()->linkage.localOutputs = 0x2;
  getAlarmInParam()->recordChanMask = 0x3;
  getAlarmInParam()->schedule[0][0] = {8, 0, 18, 30};
  Run(EVENT_SOURCE_ALARMIN, [&](const Sheet& s) {
    Rect r{};
    GetWindowRect(s.dialog, &r);
    const char* const kNames[] = {"handleset_camera", "handleset_schedule", "handleset_rule", "handleset_ptz"};
    for (int i = 0; i < 4; ++i) {
      ASSERT_TRUE(alarmnettest::ClickTab(s.sheet, i)) << kNames[i];
      livetest::MatchesReference(__FILE__, kNames[i], livetest::SettledGrab(r));
    }
  });
}

}  // namespace
