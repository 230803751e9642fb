// The S.M.A.R.T. page on the simulated device: its attribute list against
// a model of random reports, and its poll timer on every way it ends.
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/record/disks/tests/disks_test_support.h"
#include "app/record/record_input_test.h"
#include "app/record_services.h"
#include "app/smart_list.h"
#include "gui/listview.h"

namespace {

using diskstest::Caption;
using diskstest::DisksGui;
using diskstest::Text;
using livetest::Boxes;
using livetest::Click;
using livetest::Pick;

constexpr int kEnable = 19808, kDisk = 19809, kStatus = 19810, kType = 19811, kSelfTest = 19812;
constexpr int kTemperature = 19813, kList = 19818, kApply = PAGE_ID_APPLY, kExit = PAGE_ID_EXIT;

class Smart : public DisksGui {
 protected:
  std::string Cell(WindowHandle list, int row, int column) {
    char text[128] = "";
    ListViewSubItemInfo cell{};
    cell.rowIndex = row;
    cell.column = column;
    cell.text = text;
    cell.bufferSize = sizeof text;
    SendMessage(list, LVM_GETSUBITEMTEXT, 0, reinterpret_cast<LParam>(&cell));
    return text;
  }
};

// The rows a report should give: ids from the name table and outside it,
// values at, below and above their thresholds, raw values of all 48 bits.
TEST_F(Smart, AttributeListFollowsAModelOfRandomReports) {
  OpenSmart();
  const WindowHandle list = GetDlgItem(Page(0), kList);
  ASSERT_NE(list, GUI_INVALID_HANDLE);
  const std::map<int, std::string> names{{1, "Raw Read Error Rate"},     {5, "Reallocated Sector Count"},
                                         {187, "Reported Uncorrectable Errors"}, {221, "G-Sense Error Rate"},
                                         {250, "Read Error Retry Rate"}, {14, "Unknown Type Value: 14"},
                                         {255, "Unknown Type Value: 255"}};
  const int ids[] = {0, 1, 5, 187, 221, 250, 14, 255};
  std::mt19937 random(143);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    SmartValues report{};
    std::vector<std::vector<std::string>> model;
    for (int i = 0; i < SMART_ENTRIES; ++i) {
      SmartAttribute& a = report.attributes[i];
      a.id = static_cast<uint8_t>(ids[random() % 8]);
      a.flags = static_cast<uint16_t>(random());
      a.value = static_cast<uint8_t>(random() % 4 + 100);
      a.worst = static_cast<uint8_t>(random());
      uint64_t raw = 0;
      for (int b = 0; b < 6; ++b) {
        a.raw[b] = static_cast<uint8_t>(round == 0 ? 0xFF : random());
        raw |= static_cast<uint64_t>(a.raw[b]) << (8 * b);
      }
      a.reserved = a.unused2 = 0xFF;  // bytes past the raw value are not read
      report.thresholds[i].id = a.id;
      report.thresholds[i].threshold = static_cast<uint8_t>(random() % 4 + 100);
      if (a.id == 0) continue;
      char cells[8][64];
      std::snprintf(cells[0], 64, "0x%x", a.id);
      std::snprintf(cells[3], 64, "%x", a.flags);
      std::snprintf(cells[4], 64, "%d", report.thresholds[i].threshold);
      std::snprintf(cells[5], 64, "%d", a.value);
      std::snprintf(cells[6], 64, "%d", a.worst);
      std::snprintf(cells[7], 64, "%llu", static_cast<unsigned long long>(raw));
      model.push_back({cells[0], names.at(a.id), a.value > report.thresholds[i].threshold ? "OK" : "ILL", cells[3],
                       cells[4], cells[5], cells[6], cells[7]});
    }
    fillSmartAttrList(list, &report);
    ASSERT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LResult>(model.size()));
    for (size_t row = 0; row < model.size(); ++row)
      for (int column = 0; column < 8; ++column)
        ASSERT_EQ(Cell(list, static_cast<int>(row), column), model[row][column]) << row << " " << column;
  }
  fillSmartAttrList(list, nullptr);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

// The poll holds the live view from a started self-test until it is seen
// at 100 %, until a read fails, or until the window closes.
TEST_F(Smart, PollTimerEndsOnEveryPathAndGivesTheLiveViewBack) {
  OpenSmart();
  const WindowHandle page = Page(0);
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kSmartTimer)) << "no self-test runs: the first read ends the poll";
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_EQ(Text(page, kTemperature), "38");
  EXPECT_EQ(Text(page, kTemperature + 256), "Temp \xB0" "C") << "the degree sign of a single-byte language";
  EXPECT_EQ(Text(page, kStatus), Caption("disk_smartinfo", "selftest_status_ok"));
  const std::string testing = Caption("disk_smartinfo", "selftest_status_progress");

  // The self-test runs to 100 %: the poll ends there with the type box free.
  Click(page, kSelfTest);
  EXPECT_TRUE(IsTimerInstalled(page, diskstest::kSmartTimer));
  EXPECT_TRUE(LiveViewHeld());
  EXPECT_EQ(Text(page, kStatus), testing + "  25%");
  EXPECT_FALSE(livetest::Enabled(page, kType));
  EXPECT_FALSE(livetest::Enabled(page, kSelfTest));
  for (const char* shown : {"  50%", "  75%"}) {
    Tick();
    EXPECT_EQ(Text(page, kStatus), testing + shown);
    EXPECT_TRUE(LiveViewHeld());
  }
  Tick();
  EXPECT_EQ(Text(page, kStatus), testing + "  100%");
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kSmartTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_TRUE(livetest::Enabled(page, kType));
  EXPECT_TRUE(livetest::Enabled(page, kSelfTest)) << "a test seen at 100 % gives the button back";

  // A read that fails mid-test ends the poll and clears the page.
  Click(page, kSelfTest);
  ASSERT_TRUE(LiveViewHeld());
  device_seam::overrideAnswer(getDiskSmartInfo, -1);
  Tick();
  EXPECT_FALSE(IsTimerInstalled(page, diskstest::kSmartTimer));
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_EQ(Text(page, kStatus), Caption("disk_smartinfo", "selftest_status_notrecognized"));
  EXPECT_EQ(Text(page, kTemperature), "");
  EXPECT_EQ(SendDlgItemMessage(page, kList, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(Boxes().empty()) << "a failed poll shows no box";
  // Choosing a disk reads it: the failure is told this time.
  EXPECT_TRUE(livetest::Pick(page, kDisk, 2));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].key, "get_smartinfo_error");
  EXPECT_EQ(Boxes()[0].type, 16u);
  device_seam::clearOverrides();
  Rows(rows_);

  // Closing the window mid-test ends the poll too (disk 2 read again by
  // way of disk 1, whose test still runs).
  EXPECT_TRUE(livetest::Pick(page, kDisk, 1));
  EXPECT_FALSE(livetest::Enabled(page, kSelfTest)) << "no second test while one runs";
  EXPECT_TRUE(livetest::Pick(page, kDisk, 2));
  Click(page, kSelfTest);
  ASSERT_TRUE(IsTimerInstalled(page, diskstest::kSmartTimer));
  SendMessage(win_, MSG_CLOSE, 0, 0);
  desktest::Drain();
  EXPECT_FALSE(LiveViewHeld());
  EXPECT_EQ(getMaintenancePageWnd(), GUI_INVALID_HANDLE);
}

// The checking switch is written on Apply as the device's disabled flag;
// Exit ends the poll and closes the menu.
TEST_F(Smart, ApplyWritesTheCheckingFlagAndExitClosesTheMenu) {
  OpenSmart();
  const WindowHandle page = Page(0);
  EXPECT_EQ(SendDlgItemMessage(page, kEnable, BM_GETCHECK, 0, 0), 1) << "checking is on by default";
  EXPECT_FALSE(livetest::Enabled(page, kApply));
  livetest::ClickItem(page, kEnable);
  ASSERT_TRUE(livetest::PumpUntil([&] { return livetest::Enabled(page, kApply); }));
  device_seam::startCallLog();
  livetest::ClickItem(page, kApply);
  ASSERT_TRUE(livetest::PumpUntil([&] { return !livetest::Enabled(page, kApply); }));
  uint32_t disabled = 0;
  getSmartCheckDisabled(0, &disabled);
  EXPECT_EQ(disabled, 1u);
  Click(page, kSelfTest);
  ASSERT_TRUE(LiveViewHeld());
  livetest::ClickItem(page, kExit);  // the button goes with the window: it is not read again
  EXPECT_TRUE(livetest::PumpUntil([] { return getMaintenancePageWnd() == GUI_INVALID_HANDLE && GetCapture() == 0; }));
  EXPECT_FALSE(LiveViewHeld());
}

// Without a local disk the sheet has only the bad-sector page; with no disk
// the check finds nothing to act on.
TEST_F(Smart, PagesFollowTheDisksPresent) {
  Rows({diskstest::Disk(9, 1000)});
  EXPECT_EQ(hasLocalDisk(), 0);
  OpenSmart();
  EXPECT_EQ(SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETPAGECOUNT, 0, 0), 0);
  SendMessage(win_, MSG_CLOSE, 0, 0);
  Rows({diskstest::Disk(1, 1000)});
  OpenSmart();
  EXPECT_EQ(SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETPAGECOUNT, 0, 0), 2);
  device_seam::mutableAbility()->storageFlags &= ~1u;
  SendMessage(win_, MSG_CLOSE, 0, 0);
  OpenSmart();
  EXPECT_EQ(SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETPAGECOUNT, 0, 0), 1) << "no detection, no check page";
}

}  // namespace
