// The bad-sector page on the simulated device: its buttons by the selected
// disk, the disk under check and the check's state, its poll on every way
// it ends, and the bad-sector box.
#include <string>
#include <vector>

#include "app/record/disks/check_seam.h"
#include "app/record/disks/tests/disks_test_support.h"
#include "app/record/record_input_test.h"
#include "gui/combobox.h"
#include "gui/dialog.h"

namespace {

using diskstest::Caption;
using diskstest::DisksGui;
using diskstest::Text;
using diskstest::Visible;
using livetest::Boxes;
using livetest::Click;
using livetest::Enabled;

constexpr int kDisk = 20112, kType = 20113, kStart = 20114, kBlock = 20117, kStatus = 20118, kErrors = 20119;
constexpr int kInfo = 20120, kPause = 20121, kResume = 20122, kCancel = IDCANCEL, kExit = PAGE_ID_EXIT;

DiskCheckInfo Check(int disk, uint32_t state, int bad) {
  DiskCheckInfo info{};
  info.idHigh = static_cast<uint32_t>((disk - 1) / 2);
  info.idLow = static_cast<uint32_t>((disk - 1) % 2);
  info.rangeEnd = 1000;
  info.checkedEnd = 400;
  info.state = state;
  info.badCount = static_cast<uint32_t>(bad);
  for (int i = 0; i < bad; ++i) info.badSectors[i] = 100u + static_cast<uint64_t>(i) * 3;
  return info;
}

class DiskCheck : public DisksGui {
 protected:
  WindowHandle OpenCheck() {
    OpenSmart();
    EXPECT_TRUE(recordtest::ClickTab(GetDlgItem(win_, PAGE_ID_SHEET), 1));
    return Page(1);
  }
  void Answer(const DiskCheckInfo& info) {
    answer_ = info;
    device_seam::overrideAnswer(getDiskCheckInfo, 0, &answer_, sizeof answer_);
  }
  DiskCheckInfo answer_{};
};

// The button table as one table: selected disk 1, the check on disk 1 or 2.
TEST_F(DiskCheck, ButtonsFollowTheDiskAndTheState) {
  const WindowHandle page = OpenCheck();
  struct Row {
    int underCheck;
    uint32_t state;
    int bad;
    bool choose, pauseShown, pauseOn, resumeShown, cancelOn, infoOn;
  } rows[] = {
      {2, DISK_CHECK_RUNNING, 3, false, true, false, false, false, false},
      {2, DISK_CHECK_PAUSED, 0, true, true, false, false, false, false},
      {2, DISK_CHECK_COMPLETE, 0, true, true, false, false, false, false},
      {1, DISK_CHECK_RUNNING, 0, false, true, true, false, true, false},
      {1, DISK_CHECK_RUNNING, 2, false, true, true, false, true, true},
      {1, DISK_CHECK_PAUSED, 2, false, false, false, true, true, true},
      {1, DISK_CHECK_COMPLETE, 0, true, true, false, false, false, false},
      {1, DISK_CHECK_ABORTED, 1, true, true, false, false, false, true},
      {1, DISK_CHECK_EXCEEDED, 97, true, true, false, false, false, true},
  };
  // Disk 1 stays selected: the box is off while the check runs on it.
  ASSERT_EQ(SendDlgItemMessage(page, kDisk, CB_GETSELVALUE, 0, 0), 1);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.underCheck * 100 + static_cast<int>(r.state) * 10 + r.bad);
    Answer(Check(r.underCheck, r.state, r.bad));
    SendMessage(page, MSG_TIMER, diskstest::kCheckTimer, 0);
    EXPECT_EQ(Enabled(page, kDisk), r.choose);
    EXPECT_EQ(Enabled(page, kType), r.choose);
    EXPECT_EQ(Enabled(page, kStart), r.choose);
    EXPECT_EQ(Visible(page, kPause), r.pauseShown);
    EXPECT_EQ(Enabled(page, kPause), r.pauseOn);
    EXPECT_EQ(Visible(page, kResume), r.resumeShown);
    EXPECT_EQ(Enabled(page, kCancel), r.cancelOn);
    EXPECT_EQ(Enabled(page, kInfo), r.infoOn);
    EXPECT_EQ(Text(page, kErrors), r.underCheck == 1 ? std::to_string(r.bad) : "0");
  }
  // The status of the disk under check, with the share while it runs.
  Answer(Check(1, DISK_CHECK_RUNNING, 0));
  SendMessage(page, MSG_TIMER, diskstest::kCheckTimer, 0);
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_running") + " 40%");
  Answer(Check(2, DISK_CHECK_RUNNING, 0));
  SendMessage(page, MSG_TIMER, diskstest::kCheckTimer, 0);
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_none"));
}

// The check runs to its end on the poll; pause, resume, cancel and closing
// the window each stop or start it, and the live view follows the timer.
TEST_F(DiskCheck, PollEndsOnEveryPathAndGivesTheLiveViewBack) {
  WindowHandle page = OpenCheck();
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_TRUE(livetest::Pick(page, kDisk, 2));
  Click(page, kStart);
  EXPECT_TRUE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_TRUE(LiveViewHeld());
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_running") + " 0%");
  EXPECT_FALSE(Enabled(page, kStart));
  EXPECT_TRUE(Enabled(page, kPause));
  // Each read moves the simulated check on by 5 %: it completes at the 20th.
  for (int i = 1; i < 20; ++i) Tick();
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_running") + " 95%");
  EXPECT_TRUE(LiveViewHeld());
  Tick();
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_complete"));
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_TRUE(Enabled(page, kStart));
  EXPECT_TRUE(Enabled(page, kDisk));

  Click(page, kStart);
  Tick();
  Click(page, kPause);
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_TRUE(Visible(page, kResume));
  Click(page, kResume);
  EXPECT_TRUE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_TRUE(LiveViewHeld());
  Click(page, kCancel);
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_EQ(Text(page, kStatus), Caption("disk_detect", "detect_status_abort"));

  // The check outlives the window: reopened, the page selects its disk.
  Click(page, kStart);
  ASSERT_TRUE(LiveViewHeld());
  SendMessage(win_, MSG_CLOSE, 0, 0);
  desktest::Drain();
  EXPECT_FALSE(LiveViewHeld());
  page = OpenCheck();
  EXPECT_EQ(livetest::Enabled(page, kPause), true);
  EXPECT_EQ(SendDlgItemMessage(page, kDisk, CB_GETSELVALUE, 0, 0), 2);
  EXPECT_TRUE(Enabled(page, kCancel));
  // Exit stops only the polling of a running check.
  livetest::ClickItem(page, kExit);  // the button goes with the window: it is not read again
  EXPECT_TRUE(livetest::PumpUntil([] { return getMaintenancePageWnd() == GUI_INVALID_HANDLE && GetCapture() == 0; }));
  EXPECT_FALSE(LiveViewHeld());
}

// A refused start changes nothing; the bad-sector box lists the sectors,
// cut to whole numbers, or says none were found.
TEST_F(DiskCheck, RefusedStartAndTheBadSectorBox) {
  const WindowHandle page = OpenCheck();
  device_seam::overrideAnswer(startDiskCheck, -1);
  Click(page, kStart);
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kCheckTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_TRUE(Enabled(page, kStart));
  // The poll finds bad sectors, which turns the info button on; each click
  // reads the check afresh.
  Answer(Check(1, DISK_CHECK_COMPLETE, 2));
  SendMessage(page, MSG_TIMER, diskstest::kCheckTimer, 0);
  ASSERT_TRUE(Enabled(page, kInfo));
  Click(page, kInfo);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Caption("disk_detect", "err_info") + "\n100  103  ");
  EXPECT_EQ(Boxes()[0].type, 64u);
  DiskCheckInfo many = Check(1, DISK_CHECK_EXCEEDED, DISK_CHECK_BAD_MAX);
  for (int i = 0; i < DISK_CHECK_BAD_MAX; ++i) many.badSectors[i] = 1000000000000000000ull + static_cast<uint64_t>(i);
  many.badCount = 0xFFFFFFFFu;  // a count past the list reads the list only
  Answer(many);
  Click(page, kInfo);
  ASSERT_EQ(Boxes().size(), 2u);
  const std::string& text = Boxes()[1].text;
  EXPECT_LT(text.size(), 1024u);
  EXPECT_EQ(text.substr(text.size() - 2), "  ") << "the last number is whole";
  Answer(Check(1, DISK_CHECK_COMPLETE, 0));
  Click(page, kInfo);
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[2].text, Caption("disk_detect", "test_ok"));
}

// The block size follows the grid: 32 cells a side on a low-resolution
// main output, 64 on any other.
TEST_F(DiskCheck, BlockSizeFollowsTheGrid) {
  Rows({diskstest::Disk(1, 1 << 20)});  // 1 TB
  for (int cells : {32, 64}) {
    disks::check_seam::setGridCells(cells);
    const WindowHandle page = OpenCheck();
    char expected[32];
    formatCapacity(expected, sizeof expected, (int64_t{1} << 40) / (cells * cells));
    EXPECT_EQ(Text(page, kBlock), expected);
    SendMessage(win_, MSG_CLOSE, 0, 0);
  }
  disks::check_seam::setGridCells(0);
}

}  // namespace
