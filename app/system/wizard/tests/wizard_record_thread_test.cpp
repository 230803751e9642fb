// The record page against a small model: random channel changes, box
// clicks and copies, then OK; the channels the device was asked to write
// and what each record holds must be the model's. Then the page on a
// device whose channels already record all day.
#include <cstring>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/system/wizard/tests/wizard_steps.h"
#include "app/system/wizard/wizard.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace {

constexpr int kChannel = 16480, kAllDay = 16481, kTime = 16482, kMotion = 16483, kCopy = PAGE_ID_COPY, kOk = PAGE_ID_OK;
constexpr int kCancel = IDCANCEL, kCopyOk = PAGE_ID_OK, kCopyCancel = IDCANCEL;
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

// What the page shows: its boxes (the pair is enabled with all-day), its
// channel, and the boxes it has put up so far.
struct Shown {
  bool allDay = false, time = false, motion = false, pairEnabled = false;
  int channel = 0;
  size_t boxes = 0;
  bool operator==(const Shown& o) const {
    return allDay == o.allDay && time == o.time && motion == o.motion && pairEnabled == o.pairEnabled &&
           channel == o.channel && boxes == o.boxes;
  }
};
std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "all day " << s.allDay << ", time " << s.time << ", motion " << s.motion << ", pair enabled "
             << s.pairEnabled << ", channel " << s.channel << ", boxes " << s.boxes;
}
Shown Expected(const Model& m, int errors) {
  return {m.allDay, m.time, m.motion, m.allDay, m.current, static_cast<size_t>(errors)};
}
Shown ShownOn(WindowHandle page) {
  return {wizardtest::Checked(page, kAllDay),
          wizardtest::Checked(page, kTime),
          wizardtest::Checked(page, kMotion),
          livetest::Enabled(page, kTime) && livetest::Enabled(page, kMotion),
          static_cast<int>(SendDlgItemMessage(page, kChannel, CB_GETSELVALUE, 0, 0)),
          livetest::Boxes().size()};
}

// One act of a user on the page: a box clicked, a channel picked, or a
// copy to `copyTo` (none: the copy dialog's Cancel).
struct Act {
  enum Kind { kBox, kPick, kCopyTo } kind = kBox;
  int target = 0;
  std::set<int> copyTo;
};

class WizardRecord : public wizardtest::WizardTest {};

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
    // The acts and what the page shows after each, as the model has them.
    Model m;
    int errors = 0;
    std::vector<std::pair<Act, Shown>> plan;
    for (int step = 0; step < livetest::RandomSteps(14); ++step) {
      Act act;
      Setting s;
      switch (pick(6)) {
        case 0:
          m.allDay = !m.allDay;
          // A disabled box loses its tick.
          if (!m.allDay) m.time = m.motion = false;
          m.touched = true;
          act.target = kAllDay;
          break;
        case 1: case 2:
          // The pair is disabled without all-day: the click is not taken.
          act.target = kTime;
          if (!m.allDay) break;
          // Each box of the pair toggles; a tick clears the other.
          if (pick(2) == 1) {
            act.target = kMotion;
            m.motion = !m.motion;
            if (m.motion) m.time = false;
          } else {
            m.time = !m.time;
            if (m.time) m.motion = false;
          }
          m.touched = true;
          break;
        case 3: {
          const int c = 1 + pick(kChannels);
          act = {Act::kPick, c, {}};
          if (c == m.current) break;
          if (!m.Read(&s)) {
            ++errors;
            break;
          }
          if (m.touched) m.pending[m.current] = s;
          m.current = c;
          m.touched = m.pending.count(c) != 0;
          m.Show(m.touched ? m.pending[c] : Setting{});
          break;
        }
        default: {
          act.kind = Act::kCopyTo;
          for (int k = pick(3); k > 0; --k) act.copyTo.insert(1 + pick(kChannels));
          act.copyTo.erase(m.current);  // its box is disabled
          if (act.copyTo.empty()) break;
          if (!m.Read(&s)) {
            ++errors;
            break;
          }
          for (int c : act.copyTo) m.pending[c] = s;
          break;
        }
      }
      plan.push_back({act, Expected(m, errors)});
    }
    Setting last;
    const bool saved = m.Read(&last);
    if (saved && m.touched) m.pending[m.current] = last;

    // Each act waits for the page to show what the act before should have
    // left, and for that act to have returned: a wait that holds while an
    // act still pumps would run the next act inside it.
    WindowHandle page = 0;
    bool acting = false;
    const auto settled = [&page, &acting](const Shown& want) {
      return [&page, &acting, want] {
        return !acting && GetActiveWindow() == page && !IsValidHandle(getCopyChanWnd()) && ShownOn(page) == want;
      };
    };
    livetest::BoxAnswer() = IDYES;
    Then([&](WindowHandle active) {
      page = active;
      ASSERT_EQ(wizardtest::PageName(page), "startrecord");
    });
    Shown want = Expected(Model{}, 0);
    for (size_t step = 0; step < plan.size(); ++step) {
      const Act act = plan[step].first;
      ThenWhen(settled(want), [&page, &acting, act, want, step](WindowHandle) {
        EXPECT_EQ(ShownOn(page), want) << "before step " << step;
        acting = true;
        if (act.kind == Act::kBox) livetest::Click(page, act.target);
        // A refused channel is put back by the page; what it shows after
        // is waited for.
        if (act.kind == Act::kPick) livetest::Pick(page, kChannel, act.target);
        // The dialog runs once this act has returned to the page's loop.
        if (act.kind == Act::kCopyTo) livetest::ClickItem(page, kCopy);
        acting = false;
      });
      if (act.kind == Act::kCopyTo) {
        ThenWhen([&acting] { return !acting && IsValidHandle(getCopyChanWnd()) && GetActiveWindow() == getCopyChanWnd(); },
                 [act](WindowHandle dlg) {
                   // Not opened: its OK would be the page's own.
                   if (dlg != getCopyChanWnd()) return;
                   for (int c : act.copyTo) {
                     livetest::Click(dlg, systest::ChanBoxOf(c - 1));
                     EXPECT_TRUE(wizardtest::Checked(dlg, systest::ChanBoxOf(c - 1))) << c;
                   }
                   livetest::ClickItem(dlg, act.copyTo.empty() ? kCopyCancel : kCopyOk);
                 });
      }
      want = plan[step].second;
    }
    ThenWhen(settled(want), [&page, want](WindowHandle) {
      EXPECT_EQ(ShownOn(page), want) << "at the end";
      device_seam::startCallLog();
      livetest::ClickItem(page, kOk);  // leaves without a question when it saves
    });
    if (!saved) {
      ++errors;
      want.boxes = static_cast<size_t>(errors);
      ThenWhen(settled(want), [&page](WindowHandle) { livetest::ClickItem(page, kCancel); });
    }
    Run(wizard::openRecordPage);
    // A page that closed early leaves acts behind, which the next round
    // must not play.
    EXPECT_TRUE(nested::Pending().empty() && wizardtest::Waiters().empty()) << "acts left unplayed";
    nested::Pending().clear();
    wizardtest::Waiters().clear();
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
               for (int channel : {3, 4}) {
                 livetest::Click(dlg, systest::ChanBoxOf(channel - 1));
                 EXPECT_TRUE(wizardtest::Checked(dlg, systest::ChanBoxOf(channel - 1))) << channel;
               }
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
