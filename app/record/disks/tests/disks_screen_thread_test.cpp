// The disk windows on screen, compared with reference pictures at zero
// tolerance (GUI_UPDATE_REFERENCES=1 writes them).
#include <string>

#include "app/control_services.h"
#include "app/device_caps.h"
#include "app/record/disks/check_seam.h"
#include "app/record/disks/tests/disks_test_support.h"
#include "app/record/record_input_test.h"

namespace {

using diskstest::DisksGui;

constexpr int kSelfTest = 19812, kMode = 19792;

class DisksScreen : public DisksGui {
 protected:
  // The pointer rests away from the windows: no control is hovered.
  static void PointerAway() {
    HostInjectMouseMove(0, 0);
    livetest::PumpUntil([] {
      Point at{};
      GetCursorPos(&at);
      return at.x == 0 && at.y == 0;
    });
  }
  void SetUp() override {
    DisksGui::SetUp();
    PointerAway();
  }
  void Shot(const std::string& name) {
    PointerAway();
    desktest::Drain();
    Rect r{};
    GetWindowRect(win_, &r);
    livetest::MatchesReference(__FILE__, name.c_str(), livetest::SettledGrab(r));
  }
};

// Mid self-test, with the simulated report's attribute at its threshold.
// The page polls the disk every few milliseconds and each read moves the
// simulated test on, so the report is held at a quarter for the picture.
TEST_F(DisksScreen, SmartPageMidSelfTest) {
  static DiskSmartInfo quarter{};
  ASSERT_EQ(getDiskSmartInfo(&quarter, 0, 0), 0);
  quarter.selfTestType = 1;
  quarter.selfTestProgress = 25;
  quarter.selfTestStatus = DISK_SELFTEST_RUNNING;
  device_seam::overrideAnswer(getDiskSmartInfo, 0, &quarter, sizeof quarter);
  OpenSmart();
  livetest::Click(Page(0), kSelfTest);
  Shot("smart_selftest");
}

// A check at 40 % of a 1000 MB disk with its reserved start and two bad
// sectors, at both grid sizes.
TEST_F(DisksScreen, CheckGridMidCheck) {
  Rows({diskstest::Disk(1, 1000)});
  static DiskCheckInfo info{};
  info.rangeEnd = 1000 * 2048;
  info.checkedEnd = info.rangeEnd * 2 / 5;
  info.shieldEnd = 40000;
  info.badCount = 2;
  info.badSectors[0] = 300000;
  info.badSectors[1] = 700000;
  info.state = DISK_CHECK_RUNNING;
  device_seam::overrideAnswer(getDiskCheckInfo, 0, &info, sizeof info);
  for (int cells : {64, 32}) {
    disks::check_seam::setGridCells(cells);
    OpenSmart();
    EXPECT_TRUE(recordtest::ClickTab(GetDlgItem(win_, PAGE_ID_SHEET), 1));
    Shot("check_grid_" + std::to_string(cells));
    SendMessage(win_, MSG_CLOSE, 0, 0);
  }
  disks::check_seam::setGridCells(0);
}

TEST_F(DisksScreen, EachStorageMode) {
  device_seam::overrideAnswer(hasDrawFrameMode, 1);
  OpenAdvance();
  const WindowHandle page = Page(0);
  const char* names[] = {"storage_quota", "storage_group", "storage_frame"};
  for (int mode = 0; mode < 3; ++mode) {
    // Chosen by a click on its row: the list's closing damages the page
    // from the desktop's thread just before the page shows the mode's
    // boxes, hint and bar, which must keep their frames.
    ASSERT_TRUE(livetest::Pick(page, kMode, mode));
    Shot(names[mode]);
  }
}

// A click on one box of the framed channel group changes that box alone:
// the other boxes and the frame stay on screen, read back pixel by pixel.
TEST_F(DisksScreen, AClickInTheGroupRepaintsOnlyTheBoxClicked) {
  OpenAdvance();
  const WindowHandle page = Page(0);
  EXPECT_TRUE(livetest::Pick(page, kMode, 1));
  ASSERT_TRUE(IsWindowVisible(GetDlgItem(page, CHANBOX_ANALOG_FIRST + 4)));
  Rect r{};
  GetWindowRect(win_, &r);
  EXPECT_EQ(livetest::CheckClickChangedElsewhere(page, CHANBOX_ANALOG_FIRST + 4, r), 0);
}

}  // namespace
