// The advanced disk page's Apply against a model of the device: random
// edits of each storage mode, mode changes followed by "Reboot now?"
// answered yes or no, quotas that are not whole numbers or do not fit; the
// device calls in the log must be exactly the model's, nothing is written
// when the page refuses, and a write the device refuses is shown.
#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_caps.h"
#include "app/login_rights.h"
#include "app/msgbox.h"
#include "app/page_registry.h"
#include "app/record/disks/tests/disks_test_support.h"
#include "app/record/record_input_test.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/segrate.h"
#include "app/page_keys.h"

namespace {

using device_seam::Call;
using diskstest::DisksGui;
using diskstest::Text;
using livetest::BoxAnswer;
using livetest::Boxes;
using livetest::Click;
using livetest::Pick;

constexpr int kMode = 19792, kCamera = 19793, kRecQuota = 19798, kPicQuota = 19799, kGroup = 19824;
constexpr int kSplit = 20128, kApply = PAGE_ID_APPLY, kDiskModeBox = 20048;

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
constexpr uint64_t kTotalGb = 2929;  // the two disks of the fixture

int g_hints = 0;
int CountHint(WindowHandle, int kind) {
  g_hints += kind == 1 ? 1 : 100;
  return 0;
}

// What the device keeps, as the page should leave it.
struct Device {
  int mode = 0;
  uint64_t quotaMb[33][2] = {};
  uint64_t groupMask = 0;
  uint32_t split[3] = {30, 50, 20};
};

class Advance : public DisksGui {
 protected:
  void SetUp() override {
    DisksGui::SetUp();
    g_hints = 0;
    registerShutdownHint(CountHint);
    device_seam::overrideAnswer(hasDrawFrameMode, 1);
    // Each press a single one: the split bar takes no second press of a
    // double click, and two boundaries are dragged in a row.
    SetLowLevelEventClock(recordtest::SlowHand);
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    DisksGui::TearDown();
  }
  WindowHandle Storage() { return Page(0); }
  std::vector<Call> Writes() {
    std::vector<Call> writes;
    for (const Call& c : device_seam::callLog())
      if (c.op == "setStorageMode" || c.op == "setDiskQuota" || c.op == "setDiskGroupMask" || c.op == "setFrameSplit")
        writes.push_back(c);
    return writes;
  }
};

std::string Gb(std::mt19937& random) {
  switch (random() % 6) {
    case 0: return "0";
    case 1: return std::to_string(random() % 200);
    case 2: return std::to_string(kTotalGb + random() % 100);  // too much for the disks
    case 3: return "12a";                                     // not a whole number
    case 4: return "";
    default: return std::to_string(random() % 1500);
  }
}

bool Whole(const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos; }

TEST_F(Advance, ApplyWritesWhatTheModelSaysAndNothingWhenRefused) {
  std::mt19937 random(144);
  Device model;
  const int64_t login = getLoginId(getMainOutput());
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    OpenAdvance();
    const WindowHandle page = Storage();
    ASSERT_EQ(livetest::Enabled(page, kApply), false);
    Boxes().clear();
    const int mode = static_cast<int>(random() % 3);
    EXPECT_TRUE(livetest::Pick(page, kMode, mode));
    const bool yes = random() % 3 != 0;
    BoxAnswer() = yes ? IDYES : IDNO;
    std::vector<Call> expected;
    bool refused = false;
    if (mode == 0) {
      const int channel = static_cast<int>(random() % 16) + 1;
      EXPECT_TRUE(livetest::Pick(page, kCamera, channel));
      const std::string rec = Gb(random), pic = Gb(random);
      EXPECT_TRUE(recordtest::Retype(page, kRecQuota, rec)) << rec;
      EXPECT_TRUE(recordtest::Retype(page, kPicQuota, pic)) << pic;
      uint64_t next[2] = {model.quotaMb[channel][0], model.quotaMb[channel][1]};
      if (!Whole(rec) || !Whole(pic)) {
        refused = true;
      } else {
        next[0] = std::stoull(rec) << 10;
        next[1] = std::stoull(pic) << 10;
        uint64_t sum = 0;
        for (int c = 1; c <= 32; ++c)
          for (int k = 0; k < 2; ++k) sum += (c == channel ? next[k] : model.quotaMb[c][k]) >> 10;
        refused = sum > kTotalGb;
      }
      if (!refused) {
        if (mode != model.mode) expected.push_back({"setStorageMode", {login, mode}});
        if ((next[0] >> 10) != (model.quotaMb[channel][0] >> 10) || (next[1] >> 10) != (model.quotaMb[channel][1] >> 10)) {
          for (int k = 0; k < 2; ++k)
            expected.push_back({"setDiskQuota", {login, channel, k, static_cast<int64_t>(next[k])}});
          model.quotaMb[channel][0] = next[0];
          model.quotaMb[channel][1] = next[1];
        }
      }
    } else if (mode == 1) {
      EXPECT_TRUE(livetest::Pick(page, kGroup, 1));
      uint64_t mask = model.groupMask;
      for (int flips = static_cast<int>(random() % 4); flips > 0; --flips) {
        const int n = static_cast<int>(random() % 16);
        mask ^= 1ull << n;
        Click(page, CHANBOX_ANALOG_FIRST + n);
        EXPECT_EQ(Checked(page, CHANBOX_ANALOG_FIRST + n), ((mask >> n) & 1u) != 0) << n;
      }
      if (random() % 5 == 0) {  // every box off: the emptied group is sent too
        for (int n = 0; n < 16; ++n)
          if (Checked(page, CHANBOX_ANALOG_FIRST + n)) Click(page, CHANBOX_ANALOG_FIRST + n);
        mask = 0;
      }
      {
        if (mode != model.mode) expected.push_back({"setStorageMode", {login, mode}});
        if (mask != model.groupMask) expected.push_back({"setDiskGroupMask", {login, 1, static_cast<int64_t>(mask)}});
        model.groupMask = mask;
      }
    } else {
      const int first = 20 + static_cast<int>(random() % 21), second = 70 + static_cast<int>(random() % 31);
      // The second boundary first: a first one dragged past it would stop there.
      EXPECT_TRUE(recordtest::DragBoundary(page, kSplit, 1, second)) << second;
      EXPECT_TRUE(recordtest::DragBoundary(page, kSplit, 0, first)) << first;
      {
        if (mode != model.mode) expected.push_back({"setStorageMode", {login, mode}});
        const uint32_t split[3] = {static_cast<uint32_t>(first), static_cast<uint32_t>(second - first),
                                   static_cast<uint32_t>(100 - second)};
        expected.push_back({"setFrameSplit", {login, split[0], split[1], split[2]}});
        std::copy(split, split + 3, model.split);
      }
    }
    const bool asked = !refused && mode != model.mode;
    // No to "Reboot now?" keeps what was written for the next start.
    if (asked) model.mode = mode;
    const int hintsBefore = g_hints;
    device_seam::startCallLog();
    Click(page, kApply);
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(g_hints - hintsBefore, asked && yes ? 1 : 0) << "the reboot hint follows a new mode";
    if (refused) {
      ASSERT_EQ(Boxes().size(), 1u);
      const bool whole = Whole(Text(page, kRecQuota)) && Whole(Text(page, kPicQuota));
      // The range hint is put together from the item's caption: no key of its own.
      EXPECT_EQ(Boxes()[0].key, whole ? "quotaerr_maxtotal" : "");
      if (!whole) {
        EXPECT_NE(Boxes()[0].text.find("(0-2929)"), std::string::npos) << Boxes()[0].text;
      }
    } else {
      EXPECT_EQ(Boxes().size(), asked ? 1u : 0u);
    }
    EXPECT_EQ(GetPowerKeyDownFlag(), 0) << "the power key is given back after the question";
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  // What the device kept is what the model holds.
  uint8_t mode[4] = {};
  getStorageMode(mode);
  EXPECT_EQ(mode[0], model.mode);
  uint64_t mask = 0;
  getDiskGroupMask(1, &mask);
  EXPECT_EQ(mask, model.groupMask);
}

// Each write the device refuses is shown and keeps Apply; a refused mode
// asks nothing about a reboot, and a mode written before a refused data
// write asks on the Apply that gets through.
TEST_F(Advance, ARefusedWriteIsShownAndKeepsApply) {
  const struct Row {
    device_seam::Op refused;
    int mode;  // chosen in the mode box; the device starts in quota mode
    bool modeKept;
  } rows[] = {{setStorageMode, 2, false},
              {setFrameSplit, 2, true},
              {setDiskGroupMask, 1, true},
              {setDiskQuota, 0, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.refused.name());
    device_seam::resetKeptRecords();
    device_seam::clearOverrides();
    device_seam::overrideAnswer(hasDrawFrameMode, 1);
    Rows(rows_);
    OpenAdvance();
    const WindowHandle page = Storage();
    Boxes().clear();
    BoxAnswer() = IDNO;
    if (row.mode == 0) {
      // The quota typed; a quota mode page gets Apply from the group box.
      ASSERT_TRUE(livetest::PickRow(page, kMode, 1));
      ASSERT_TRUE(livetest::PickRow(page, kMode, 0));
      SetDlgItemText(page, kRecQuota, "100");
    } else {
      ASSERT_TRUE(livetest::PickRow(page, kMode, row.mode));
    }
    if (row.mode == 1) {
      ASSERT_FALSE(Checked(page, CHANBOX_ANALOG_FIRST + 2));
      Click(page, CHANBOX_ANALOG_FIRST + 2);
    }
    ASSERT_TRUE(livetest::Enabled(page, kApply));
    device_seam::overrideAnswer(row.refused, -1);
    device_seam::startCallLog();
    livetest::ClickItem(page, kApply);
    ASSERT_TRUE(livetest::PumpUntil([] { return !Boxes().empty(); }));
    EXPECT_EQ(Boxes().back().section + "/" + Boxes().back().key, "commons/savefailed_code");
    EXPECT_EQ(Boxes().size(), 1u) << "no reboot question";
    EXPECT_TRUE(livetest::Enabled(page, kApply));
    EXPECT_EQ(g_hints, 0);
    uint8_t mode[4] = {};
    getStorageMode(mode);
    EXPECT_EQ(mode[0], row.modeKept ? row.mode : 0);
    // Accepted now: the question comes when a new mode was written.
    device_seam::clearOverrides();
    device_seam::overrideAnswer(hasDrawFrameMode, 1);
    Rows(rows_);
    Boxes().clear();
    livetest::ClickItem(page, kApply);
    EXPECT_TRUE(livetest::PumpUntil([page] { return !livetest::Enabled(page, kApply); }));
    EXPECT_EQ(Boxes().size(), row.mode != 0 ? 1u : 0u);
    bool written = false;
    for (const Call& c : device_seam::callLog()) written = written || c.op == row.refused.name();
    EXPECT_TRUE(written) << "the refused write is tried again";
    getStorageMode(mode);
    EXPECT_EQ(mode[0], row.mode) << "No to the reboot keeps the mode for the next start";
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  uint64_t mask = 0;
  getDiskGroupMask(1, &mask);
  EXPECT_EQ(mask, 0u) << "the quota row started afresh";
}

// A device without pictures: no picture quota, its own total error, and a
// split of two segments with one boundary.
TEST_F(Advance, WithoutPicturesOneQuotaAndTwoSegments) {
  device_seam::mutableAbility()->storageFlags &= ~128u;
  OpenAdvance();
  const WindowHandle page = Storage();
  EXPECT_FALSE(IsValidHandle(GetDlgItem(page, kPicQuota)) && IsWindowVisible(GetDlgItem(page, kPicQuota)));
  EXPECT_TRUE(recordtest::Retype(page, kRecQuota, "3000"));
  device_seam::startCallLog();
  Click(page, kApply);
  EXPECT_TRUE(Writes().empty());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].key, "quotaerr_allmaxtotal_nopic");
  EXPECT_TRUE(livetest::Pick(page, kMode, 2));
  EXPECT_EQ(SendDlgItemMessage(page, kSplit, SRM_GETVALUE, 1, 0), -1) << "one boundary";
  EXPECT_TRUE(recordtest::DragBoundary(page, kSplit, 0, 35));
  BoxAnswer() = IDYES;
  device_seam::startCallLog();
  Click(page, kApply);
  const int64_t login = getLoginId(getMainOutput());
  EXPECT_EQ(Writes(), (std::vector<Call>{{"setStorageMode", {login, 2}}, {"setFrameSplit", {login, 35, 65, 0}}}));
}

// The disk-mode switch: asked about, written on yes only, with the reboot
// hint; the same state asks nothing.
// The mode is written before the question, which only offers the reboot
// that takes it: No keeps it for the next start.
TEST_F(Advance, DiskModeOffersTheRebootOnceWritten) {
  device_seam::mutableAbility()->storageModeFlags |= 8;
  OpenAdvance();
  ASSERT_EQ(SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETPAGECOUNT, 0, 0), 2);
  const WindowHandle page = Page(0);
  for (int answer : {IDNO, IDYES}) {
    Click(page, kDiskModeBox);
    const bool wanted = Checked(page, kDiskModeBox);
    EXPECT_TRUE(livetest::Enabled(page, kApply));
    BoxAnswer() = answer;
    device_seam::startCallLog();
    Click(page, kApply);
    uint8_t flag = 0;
    getDiskModeFlag(&flag);
    EXPECT_EQ(flag != 0, wanted);
    EXPECT_FALSE(livetest::Enabled(page, kApply));
    EXPECT_EQ(GetPowerKeyDownFlag(), answer == IDYES ? 1 : 0);
    SetPowerKeyDownFlag(0);
  }
  EXPECT_EQ(g_hints, 1);
  EXPECT_EQ(Boxes().size(), 2u);
  // Off and on again: the state the device has asks nothing.
  Click(page, kDiskModeBox);
  Click(page, kDiskModeBox);
  ASSERT_FALSE(Checked(page, kDiskModeBox));
  Click(page, kApply);
  EXPECT_EQ(Boxes().size(), 2u) << "the state the device has asks nothing";
  EXPECT_FALSE(livetest::Enabled(page, kApply));
}

}  // namespace

namespace {

// Left goes back to the storage menu, Escape closes it with the page.
TEST_F(Advance, KeysLeadBackToTheStorageMenu) {
  OpenAdvance();
  livetest::PressKey(KEY_ESC);
  EXPECT_TRUE(livetest::PumpUntil([] { return getDiskPageWnd() == GUI_INVALID_HANDLE; }));
  OpenAdvance();
  livetest::PressKey(KEY_LEFT);
  EXPECT_TRUE(livetest::PumpUntil([this] { return GetActiveWindow() == menu_; }));
  EXPECT_NE(getDiskPageWnd(), GUI_INVALID_HANDLE) << "the page stays beside its menu";
}

}  // namespace
