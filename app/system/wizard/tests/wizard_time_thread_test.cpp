// The date and time page against a table: a zone with and without daylight
// saving, the date format alone, nothing changed and a refused clock; what
// each writes to the device and what the page shows after a zone change.
#include <string>
#include <vector>

#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/system/wizard/tests/wizard_steps.h"
#include "app/system/wizard/wizard.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace {


constexpr int kZone = 16432, kFormat = 16433, kDate = 16434, kTime = 16435;
constexpr int kNext = PAGE_ID_NEXT, kPrevious = PAGE_ID_PREVIOUS, kCancel = IDCANCEL;
constexpr int kZoneBeijing = 27, kZoneLondon = 14, kZoneParis = 15, kZoneIndia = 22;

struct Row {
  const char* name;
  bool dstBefore;
  int zone;
  int format;
  int clockAnswer;
  int newHour;  // typed into the time box, or -1
  // What follows.
  int timeSets, configSets, saves;
  bool movesOn;
  uint8_t dstEnabled, startMonth, endMonth;
  uint32_t bias;
  uint8_t dateFormat;
  int saveAnswer = 0;  // the parameter file's write
};

const Row kRows[] = {
    {"zone keeping daylight saving", false, kZoneParis, 0, 0, -1, 1, 1, 1, true, 1, 3, 10, 60, 0},
    {"zone without it clears it", true, kZoneIndia, 0, 0, -1, 1, 1, 1, true, 0, 0, 0, 0, 0},
    {"same zone and rule, time only", true, kZoneParis, 0, 0, 7, 1, 0, 1, true, 1, 3, 10, 60, 0},
    {"date format only", false, kZoneBeijing, 2, 0, -1, 0, 1, 1, true, 0, 0, 0, 0, 2},
    {"nothing changed", false, kZoneBeijing, 0, 0, -1, 0, 0, 0, true, 0, 0, 0, 0, 0},
    {"clock refused", false, kZoneLondon, 1, -1, -1, 1, 0, 0, false, 0, 0, 0, 0, 0},
    {"file not written", false, kZoneBeijing, 2, 0, -1, 0, 1, 1, false, 0, 0, 0, 0, 0, -5},
};

class WizardTime : public wizardtest::WizardTest {};

int Count(const char* op) {
  int n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

TEST_F(WizardTime, EachRowWritesWhatChangedAndAZoneChangeShowsTheConvertedTime) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    device_seam::resetAll();
    DeviceConfig config{};
    getDeviceConfig(nullptr, &config);
    config.dstAuto = 1;
    config.dstEnabled = row.dstBefore ? 1 : 0;
    const uint8_t start[4] = {3, 5, 0, 2}, end[4] = {10, 5, 0, 3};
    for (int i = 0; i < 4; ++i) {
      config.dstStart[i] = row.dstBefore ? start[i] : 0;
      config.dstEnd[i] = row.dstBefore ? end[i] : 0;
    }
    config.dstBias = row.dstBefore ? 60 : 0;
    config.dateFormat = 0;
    ASSERT_EQ(setDeviceConfig(nullptr, &config, 0), 0);
    // Mid-morning in Beijing, far from any hour's end.
    DeviceTime now{2026, 6, 15, 10, 20, 30, 8, 0};
    ASSERT_EQ(setDeviceTime(nullptr, &now), 0);
    if (row.dstBefore && row.zone == kZoneParis) {
      // The device already keeps Paris: only the clock moves.
      now.zoneHours = 1;
      EXPECT_EQ(setDeviceTime(nullptr, &now), 0);
    }
    if (row.clockAnswer) device_seam::overrideAnswer(setDeviceTime, row.clockAnswer);
    if (row.saveAnswer) device_seam::overrideAnswer(saveDeviceParams, row.saveAnswer);
    livetest::BoxAnswer() = IDYES;
    std::vector<std::string> seen;
    Then([&](WindowHandle page) {
      const int from = getTimeZone();
      EXPECT_EQ(SendDlgItemMessage(page, kZone, CB_GETSELVALUE, 0, 0), from);
      if (row.zone != from) {
        EXPECT_TRUE(livetest::Pick(page, kZone, row.zone));
        int t[6] = {2026, 6, 15, 10, 20, 30};
        if (from == kZoneParis) t[3] = 3;
        convertZoneTime(from, row.zone, t);
        EXPECT_EQ(SendDlgItemMessage(page, kDate, CB_GETDAY, 0, 0), t[2]);
        EXPECT_EQ(SendDlgItemMessage(page, kTime, CB_GETFIELD, 1, 0), t[3]);
        EXPECT_EQ(SendDlgItemMessage(page, kTime, CB_GETFIELD, 2, 0), t[4]);
        EXPECT_EQ(getTimeZone(), from) << "a choice alone stores nothing";
      }
      if (row.format) {
        EXPECT_TRUE(livetest::Pick(page, kFormat, row.format));
      }
      if (row.newHour >= 0) SendDlgItemMessage(page, kTime, CB_SETFIELD, 1, row.newHour);
      device_seam::startCallLog();
      livetest::ClickItem(page, kNext);
    });
    // Next leads on, or stays with the refusal's box.
    const auto answered = [&] {
      return row.movesOn ? wizardtest::PageName(GetActiveWindow()) != "starttime" : !livetest::Boxes().empty();
    };
    ThenWhen(answered, [&](WindowHandle page) {
      seen.push_back(wizardtest::PageName(page));
      livetest::ClickItem(page, row.movesOn ? kPrevious : kCancel);
    });
    if (row.movesOn) ThenOn("starttime", [&](WindowHandle page) {
        seen.push_back(wizardtest::PageName(page));
        livetest::ClickItem(page, kCancel);
      });
    Run(wizard::openTimePage);
    const std::vector<std::string> pages =
        row.movesOn ? std::vector<std::string>{"startnetset", "starttime"} : std::vector<std::string>{"starttime"};
    EXPECT_EQ(seen, pages);
    EXPECT_EQ(Count("setDeviceTime"), row.timeSets);
    EXPECT_EQ(Count("setDeviceConfig"), row.configSets);
    EXPECT_EQ(Count("saveDeviceParams"), row.saves);
    const std::vector<std::string> boxes = Boxes();
    if (!row.movesOn) {
      ASSERT_EQ(boxes.size(), 2u);
      EXPECT_EQ(boxes[0], "commons/savefailed_code/16");
      continue;
    }
    device_seam::clearOverrides();
    DeviceConfig after{};
    getDeviceConfig(nullptr, &after);
    EXPECT_EQ(after.dstEnabled, row.dstEnabled);
    EXPECT_EQ(after.dstStart[0], row.startMonth);
    EXPECT_EQ(after.dstEnd[0], row.endMonth);
    EXPECT_EQ(after.dstBias, row.bias);
    EXPECT_EQ(after.dateFormat, row.dateFormat);
    EXPECT_EQ(getDateFormat(), row.dateFormat);
    EXPECT_EQ(getTimeZone(), row.zone);
    DeviceTime kept{};
    getDeviceTime(nullptr, &kept);
    EXPECT_EQ(kept.zoneHours, getZoneRow(row.zone)->hours);
  }
  device_seam::clearOverrides();
  setDateFormat(0);
  setTimeZone(kZoneBeijing);
}

// The clock runs on while the page shows a converted time: Next after a new
// zone alone keeps the running clock (converted into the new zone) rather
// than setting it back to the time shown when the zone was chosen.
TEST_F(WizardTime, NextAfterAZoneChoiceKeepsTheRunningClock) {
  constexpr uint32_t kWaited = 46;  // to 10:21:16
  device_seam::resetAll();
  const DeviceTime now{2026, 6, 15, 10, 20, 30, 8, 0};
  ASSERT_EQ(setDeviceTime(nullptr, &now), 0);
  livetest::BoxAnswer() = IDYES;
  Then([&](WindowHandle page) {
    EXPECT_TRUE(livetest::Pick(page, kZone, kZoneLondon));
    // The user waits before Next.
    DeviceTime later = now;
    later.second += kWaited;
    later.minute += later.second / 60;
    later.second %= 60;
    ASSERT_EQ(setDeviceTime(nullptr, &later), 0);
    livetest::ClickItem(page, kNext);
  });
  ThenOn("startnetset", [](WindowHandle page) { livetest::ClickItem(page, kPrevious); });
  ThenOn("starttime", [](WindowHandle page) { livetest::ClickItem(page, kCancel); });
  Run(wizard::openTimePage);
  DeviceTime kept{};
  getDeviceTime(nullptr, &kept);
  EXPECT_EQ(kept.zoneHours, 0u);
  // 10:20:30 in Beijing is 02:20:30 in London, and the clock ran on since
  // to 02:21:16 at least (more on a slow run), still in London's hour.
  const uint32_t seconds = kept.hour * 3600 + kept.minute * 60 + kept.second;
  EXPECT_GE(seconds, 2u * 3600 + 21 * 60 + 16) << kept.hour << ":" << kept.minute << ":" << kept.second;
  EXPECT_LT(seconds, 3u * 3600) << kept.hour << ":" << kept.minute << ":" << kept.second;
  setTimeZone(kZoneBeijing);
}

// A new date format shows the date the page showed, in the new format;
// Next then leaves the clock alone.
TEST_F(WizardTime, ANewDateFormatShowsTheSameDate) {
  const struct {
    int from, to;
    const char* shown;
  } rows[] = {{1, 2, "07-12-2026"}, {0, 1, "12-07-2026"}, {2, 0, "2026-12-07"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    device_seam::resetAll();
    DeviceConfig config{};
    getDeviceConfig(nullptr, &config);
    config.dateFormat = static_cast<uint8_t>(row.from);
    ASSERT_EQ(setDeviceConfig(nullptr, &config, 0), 0);
    DeviceTime now{2026, 12, 7, 10, 20, 30, 8, 0};
    ASSERT_EQ(setDeviceTime(nullptr, &now), 0);
    livetest::BoxAnswer() = IDYES;
    std::string shown;
    Then([&](WindowHandle page) {
      EXPECT_TRUE(livetest::PickRow(page, kFormat, row.to));
      WindowHandle edit = 0, none = 0;
      SendDlgItemMessage(page, kDate, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), reinterpret_cast<LParam>(&none));
      char text[DATE_TEXT_SIZE] = "";
      GetWindowText(edit, text, sizeof text);
      shown = text;
      device_seam::startCallLog();
      livetest::ClickItem(page, kNext);
    });
    ThenOn("startnetset", [](WindowHandle page) { livetest::ClickItem(page, kPrevious); });
    ThenOn("starttime", [](WindowHandle page) { livetest::ClickItem(page, kCancel); });
    Run(wizard::openTimePage);
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(Count("setDeviceTime"), 0);
    DeviceTime kept{};
    getDeviceTime(nullptr, &kept);
    EXPECT_EQ(kept.month * 100 + kept.day, 1207u);
    DeviceConfig after{};
    getDeviceConfig(nullptr, &after);
    EXPECT_EQ(after.dateFormat, row.to);
  }
  setDateFormat(0);
  setTimeZone(kZoneBeijing);
}

}  // namespace
