// All-day recording of every channel from the live-view menu: who may start
// it, what is asked, and what every channel's stored schedule holds after.
#include <cstring>

#include "app/record_services.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

constexpr WindowHandle kOwner = 0x4321;
constexpr int kGuest = 1;  // no record-setting right

RecordConfig StoredRecord(int channel) {
  RecordConfig r{};
  getRecordConfig(nullptr, channel, &r, 1);
  return r;
}

HolidaySchedule StoredHoliday(int channel) {
  HolidaySchedule h{};
  getRecordSchedExtra(nullptr, channel, &h, 1);
  return h;
}

// Every day head and the holiday head all-day of `type`, the record on.
bool AllDay(int channel, int type) {
  const RecordConfig r = StoredRecord(channel);
  bool ok = r.enable == 1;
  for (const DaySchedHead& d : r.days) ok = ok && d.allDay == 1 && d.allDayType == type;
  const HolidaySchedule h = StoredHoliday(channel);
  return ok && h.head.allDay == 1 && h.head.allDayType == type;
}

TEST_F(ServicesTest, RecordAllRewritesEveryChannelsScheduleOnlyAfterRightsChannelsAndYes) {
  LoadShippedLayout();
  const int analog = getAnalogChanNum();
  ASSERT_GT(analog, 1);
  struct Row {
    const char* name;
    int user;
    bool noChannels;
    int answer;
    bool motion;
    const char* box;  // the one box shown
    bool written;
  } rows[] = {
      {"timing, yes", 0, false, 6, false, "Start all-day continuous recording on every channel?", true},
      {"motion, yes", 0, false, 6, true, "Start all-day motion recording on every channel?", true},
      {"motion, no", 0, false, 7, true, "Start all-day motion recording on every channel?", false},
      {"no right", kGuest, false, 6, false, "No permission!", false},
      {"no channel", 0, true, 6, false, nullptr, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    device_seam::resetKeptRecords();
    // Channel 2 detects motion already, every other channel does not.
    ChannelConfig c{};
    getChannelConfig(nullptr, 2, &c);
    c.motionEnable = 1;
    EXPECT_EQ(setChannelConfig(nullptr, 2, &c, 1), 0);
    device_seam::startCallLog();
    device_seam::mutableAbility()->analogChanNum = row.noChannels ? 0 : analog;
    setLoginState(3, row.user, 4);
    Boxes().answer = row.answer;
    row.motion ? startMotionRecordAll(3, kOwner, 0, 0) : startTimingRecordAll(3, kOwner, 0, 0);
    device_seam::mutableAbility()->analogChanNum = analog;
    const auto boxes = Boxes().Take();
    ASSERT_EQ(boxes.size(), 1u);
    if (row.box) {
      EXPECT_EQ(boxes[0].text, row.box);
    }
    for (int channel = 1; channel <= analog; ++channel)
      EXPECT_EQ(AllDay(channel, row.motion ? 1 : 0), row.written) << channel;
    ChannelConfig one{};
    getChannelConfig(nullptr, 1, &one);
    EXPECT_EQ(one.motionEnable, row.written && row.motion ? 1 : 0) << "switched on where it was off";
    for (const auto& call : device_seam::callLog()) {
      EXPECT_FALSE(call.op == "setChannelConfig" && call.args == std::vector<int64_t>{2})
          << "a channel already detecting motion is left as it is";
    }
  }
}

// A channel whose write is refused is named by the save-failed box; the
// channels before and after it are still written.
TEST_F(ServicesTest, RecordAllShowsARefusedChannelAndWritesTheOthers) {
  LoadShippedLayout();
  for (auto refuse : {+[] { device_seam::overrideAnswerFor(setRecordConfig, {3}, -5); },
                      +[] { device_seam::overrideAnswerFor(setRecordSchedExtra, {3}, -5); },
                      +[] { device_seam::overrideAnswerFor(setChannelConfig, {3}, -5); },
                      +[] { device_seam::overrideAnswer(saveDeviceParams, -1); }}) {
    device_seam::resetAll();
    refuse();
    setLoginState(3, 0, 4);
    Boxes().answer = 6;
    const int rc = startMotionRecordAll(3, kOwner, 0, 0);
    EXPECT_NE(rc, 0);
    const auto boxes = Boxes().Take();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Saving failed, error code: " + std::to_string(rc));
    EXPECT_TRUE(AllDay(2, 1));
    EXPECT_TRUE(AllDay(4, 1));
  }
}

}  // namespace
}  // namespace services_test
