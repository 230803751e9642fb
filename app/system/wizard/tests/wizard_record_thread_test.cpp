// The record page against a small model: random channel changes, box
// clicks and copies, then OK; the channels the device was asked to write
// and what each record holds must be the model's. Then the page on a
// device whose channels already record all day.
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/system/wizard/tests/wizard_steps.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/combobox.h"

namespace {

using livetest::Command;

constexpr int kChannel = 16480, kAllDay = 16481, kTime = 16482, kMotion = 16483, kCopy = 4100, kOk = 4097;
constexpr int kCancel = 2, kCopyOk = 4097, kCopyCancel = 2;
constexpr int kChannels = 16;

struct Setting {
  int enable = 0;
  int type = 255;
};

// What the page should keep: the boxes, the current channel and the
// channels the user set.
struct Model {
  bool allDay = false, time = false, motion = false, touched = false;
  int current = 1;
  std::map<int, Setting> pending;

  bool Read(Setting* s) const {
    s->enable = allDay;
    s->type = time ? 0 : motion ? 1 : 255;
    return !(allDay && s->type == 255);
  }
  void Show(const Setting& s) {
    allDay = s.enable != 0;
    time = s.type == 0;
    motion = s.type == 1;
  }
};

class WizardRecord : public wizardtest::WizardTest {
 protected:
  void Click(WindowHandle page, int id, bool on) {
    SendDlgItemMessage(page, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Command(page, id);
  }
  // Copies to `targets` through the copy dialog (Cancel for none).
  void CopyTo(WindowHandle page, const std::set<int>& targets) {
    nested::Pending().push_front([targets] {
      const WindowHandle dlg = getCopyChanWnd();
      for (int c : targets) SendDlgItemMessage(dlg, CHANBOX_ANALOG_FIRST + c - 1, BM_SETCHECK, BST_CHECKED, 0);
      Command(dlg, targets.empty() ? kCopyCancel : kCopyOk);
    });
    PostMessage(helper_, nested::kNextStep, 0, 0);
    Command(page, kCopy);
  }
};

TEST_F(WizardRecord, RandomEditsWriteExactlyTheChannelsTheModelSet) {
  std::mt19937 random(20261207u);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    device_seam::resetAll();
    RecordConfig before[kChannels + 1];
    ChannelConfig channelsBefore[kChannels + 1];
    for (int c = 1; c <= kChannels; ++c) {
      getRecordConfig(nullptr, c, &before[c], 0);
      getChannelConfig(nullptr, c, &channelsBefore[c]);
    }
    Model m;
    int errors = 0;
    bool saved = false;
    livetest::BoxAnswer() = IDYES;
    nested::Pending().push_back([&] {
      const WindowHandle page = GetActiveWindow();
      ASSERT_EQ(wizardtest::PageName(page), "startrecord");
      EXPECT_FALSE(livetest::Enabled(page, kTime));
      EXPECT_FALSE(livetest::Enabled(page, kMotion));
      for (int step = 0; step < 14; ++step) {
        Setting s;
        switch (pick(6)) {
          case 0:
            m.allDay = !m.allDay;
            // A disabled box loses its tick.
            if (!m.allDay) m.time = m.motion = false;
            m.touched = true;
            Click(page, kAllDay, m.allDay);
            EXPECT_EQ(livetest::Enabled(page, kMotion), m.allDay);
            break;
          case 1: case 2:
            if (!m.allDay) break;
            m.time = !(m.motion = pick(2) == 1);
            m.touched = true;
            Click(page, m.time ? kTime : kMotion, true);
            break;
          case 3: {
            const int c = 1 + pick(kChannels);
            if (c == m.current) break;
            livetest::Choose(page, kChannel, c);
            if (!m.Read(&s)) {
              ++errors;
              EXPECT_EQ(SendDlgItemMessage(page, kChannel, CB_GETSELVALUE, 0, 0), m.current);
              break;
            }
            if (m.touched) m.pending[m.current] = s;
            m.current = c;
            m.touched = m.pending.count(c) != 0;
            m.Show(m.touched ? m.pending[c] : Setting{});
            break;
          }
          default: {
            std::set<int> targets;
            for (int k = pick(3); k > 0; --k) targets.insert(1 + pick(kChannels));
            targets.erase(m.current);
            CopyTo(page, targets);
            if (targets.empty()) break;
            if (!m.Read(&s)) {
              ++errors;
              break;
            }
            for (int c : targets) m.pending[c] = s;
            break;
          }
        }
        EXPECT_EQ(wizardtest::Checked(page, kAllDay), m.allDay) << step;
        EXPECT_EQ(wizardtest::Checked(page, kTime), m.time) << step;
        EXPECT_EQ(wizardtest::Checked(page, kMotion), m.motion) << step;
      }
      device_seam::startCallLog();
      Setting s;
      if (m.Read(&s)) {
        if (m.touched) m.pending[m.current] = s;
        saved = true;
        Command(page, kOk);  // leaves without a question
      } else {
        ++errors;
        Command(page, kOk);
        EXPECT_EQ(GetActiveWindow(), page) << "a refused OK stays";
        Command(page, kCancel);
      }
    });
    Run(wizard::openRecordPage);
    std::vector<std::string> boxes = Boxes();
    if (!saved) {
      ASSERT_FALSE(boxes.empty());
      EXPECT_EQ(boxes.back(), "commons/guideexit/34");
      boxes.pop_back();
    }
    EXPECT_EQ(boxes, std::vector<std::string>(static_cast<size_t>(errors), "startrecord/err_rec_type/64"));
    std::vector<int> written;
    for (const auto& call : device_seam::callLog())
      if (call.op == "setRecordConfig") written.push_back(static_cast<int>(call.args[0]));
    // A fresh device records nothing all day: a setting of all-day off is
    // each channel's own and is not written.
    std::vector<int> expected;
    if (saved)
      for (const auto& [c, s] : m.pending)
        if (s.enable != 0) expected.push_back(c);
    EXPECT_EQ(written, expected);
    for (int c = 1; c <= kChannels; ++c) {
      RecordConfig after{};
      getRecordConfig(nullptr, c, &after, 0);
      HolidaySchedule holiday{};
      getRecordSchedExtra(nullptr, c, &holiday, 0);
      ChannelConfig channel{};
      getChannelConfig(nullptr, c, &channel);
      const auto it = m.pending.find(c);
      if (!saved || it == m.pending.end() || it->second.enable == 0) {
        EXPECT_EQ(std::memcmp(&after, &before[c], sizeof after), 0) << c;
        EXPECT_EQ(channel.motionEnable, channelsBefore[c].motionEnable) << c;
        continue;
      }
      const Setting s = it->second;
      EXPECT_EQ(after.enable, static_cast<uint32_t>(s.enable)) << c;
      for (const DaySchedHead& day : after.days) {
        EXPECT_EQ(day.allDay, s.enable) << c;
        EXPECT_EQ(day.allDayType, s.type == 255 ? before[c].days[0].allDayType : s.type) << c;
      }
      EXPECT_EQ(holiday.head.allDay, s.enable) << c;
      EXPECT_EQ(channel.motionEnable, s.type == 1 ? 1 : channelsBefore[c].motionEnable) << c;
    }
  }
}

// Each channel shows what it records; Copy then OK writes only the
// channels whose setting changed, and the holiday record only where the
// device keeps holiday schedules.
TEST_F(WizardRecord, ChannelsShowTheirOwnStateAndOkWritesOnlyWhatChanged) {
  for (const bool holidays : {true, false}) {
    SCOPED_TRACE(holidays);
    device_seam::resetAll();
    if (!holidays) device_seam::overrideAnswer(hasHolidaySchedule, 0);
    // Channel 2 records all day on motion, channel 3 all day continuously.
    for (const auto& [channel, type] : {std::pair<int, uint8_t>{2, 1}, {3, 0}}) {
      RecordConfig record{};
      ASSERT_EQ(getRecordConfig(nullptr, channel, &record, 0), 0);
      record.enable = 1;
      for (DaySchedHead& day : record.days) {
        day.allDay = 1;
        day.allDayType = type;
      }
      ASSERT_EQ(setRecordConfig(nullptr, channel, &record, 0), 0);
    }
    std::vector<bool> shown;  // all day, time, motion of channel 2
    Then([&](WindowHandle page) {
      EXPECT_FALSE(wizardtest::Checked(page, kAllDay)) << "channel 1 records nothing";
      ASSERT_TRUE(livetest::PickRow(page, kChannel, 1));
      shown = {wizardtest::Checked(page, kAllDay), wizardtest::Checked(page, kTime), wizardtest::Checked(page, kMotion)};
      livetest::ClickItem(page, kCopy);
    });
    ThenWhen([] { return IsValidHandle(getCopyChanWnd()) && IsWindowVisible(getCopyChanWnd()); },
             [](WindowHandle) {
               const WindowHandle dlg = getCopyChanWnd();
               for (int box : {CHANBOX_ANALOG_FIRST + 2, CHANBOX_ANALOG_FIRST + 3})  // channels 3 and 4
                 SendDlgItemMessage(dlg, box, BM_SETCHECK, BST_CHECKED, 0);
               livetest::ClickItem(dlg, kCopyOk);
             });
    ThenOn("startrecord", [](WindowHandle page) {
      device_seam::startCallLog();
      livetest::ClickItem(page, kOk);
    });
    Run(wizard::openRecordPage);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true}));
    std::vector<int> records, holidayRecords;
    for (const auto& call : device_seam::callLog()) {
      if (call.op == "setRecordConfig") records.push_back(static_cast<int>(call.args[0]));
      if (call.op == "setRecordSchedExtra") holidayRecords.push_back(static_cast<int>(call.args[0]));
    }
    EXPECT_EQ(records, (std::vector<int>{3, 4})) << "channel 2 kept its own setting";
    EXPECT_EQ(holidayRecords, (holidays ? std::vector<int>{3, 4} : std::vector<int>{}));
    for (int channel : {3, 4}) {
      RecordConfig after{};
      getRecordConfig(nullptr, channel, &after, 0);
      EXPECT_EQ(after.enable, 1u) << channel;
      EXPECT_EQ(after.days[6].allDayType, 1) << channel;
    }
  }
}

}  // namespace
