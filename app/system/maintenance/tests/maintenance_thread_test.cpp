// The maintenance pages on the simulated device: restore and its reboot,
// configuration import and export by the device's answers, the upgrade's
// address check, progress and results, the system information rows, and
// how each tab and dialog looks.
#include <cstring>
#include <string>
#include <vector>

#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/login_rights.h"
#include "app/maintenance_pages.h"
#include "app/system/maintenance/sysinfo.h"
#include "app/system_pages.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "app/testing/reader_thread.h"
#include "app/usbdev.h"
#include "gui/desktop.h"
#include "gui/listview.h"
#include "gui/livevideo.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/timer.h"

namespace {

using livetest::Click;
using livetest::LiveGui;

constexpr int kImport = 20848, kExport = 20849, kLocalUpgrade = 20864, kFtpAddress = 20880, kFtpUpgrade = 20881;
constexpr int kPhaseText = 20896, kUpgradeTimer = 8202, kRestore = PAGE_ID_OK;
constexpr int kChanList = 20752, kRecordList = 20768, kAlarmList = 20784;

std::vector<int> g_hints;
int RecordHint(WindowHandle, int kind) {
  g_hints.push_back(kind);
  return 0;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.key + "/" + std::to_string(box.type));
  livetest::Boxes().clear();
  return texts;
}

int Calls(const char* op) {
  int n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

std::string Cell(WindowHandle list, int row, int column) {
  char text[256] = "";
  ListViewSubItemInfo info{};
  info.rowIndex = row;
  info.column = column;
  info.text = text;
  info.bufferSize = sizeof text;
  SendMessage(list, LVM_GETSUBITEMTEXT, 0, reinterpret_cast<LParam>(&info));
  return text;
}

class Maintenance : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    g_hints.clear();
    registerShutdownHint(RecordHint);
    usbdev_seam::absent();
    SetPowerKeyDownFlag(0);
  }
  void TearDown() override {
    registerShutdownHint(createShutdownHintWindow);
    usbdev_seam::absent();
    LiveGui::TearDown();
  }
  void Open(const char* item) {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_MAINTENANCE, item, host_), 0);
    win_ = getMaintenancePageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    Tab(0);
  }
  // Tab `index` clicked when another one shows.
  void Tab(int index) {
    const WindowHandle sheet = GetDlgItem(win_, PAGE_ID_SHEET);
    if (SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) != index) {
      EXPECT_TRUE(systest::ClickTab(sheet, index));
    }
    page_ = systest::ActivePage(sheet);
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
  }
  // A click on a row of the removable device's file list selects it.
  void SelectFile(int row) { systest::ClickListCell(GetDlgItem(page_, USBDEV_ID_LIST), row, 0); }
  void Shot(const char* name) {
    Rect r{};
    GetWindowRect(win_, &r);
    livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(r));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getMaintenancePageWnd(), GUI_INVALID_HANDLE);
  }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

TEST_F(Maintenance, RestoreResetsEveryKeptRecordAndAnnouncesTheReboot) {
  DeviceConfig left{};
  beginLongOp(&left);
  Rs232Config serial{};
  serial.baudRate = 12;
  ASSERT_EQ(setRs232Config(nullptr, &serial, 1), 0);
  Open("default");
  DeviceConfig kept{};
  EXPECT_EQ(longOpConfig(&kept), 0) << "opening clears a restore left from before";
  Shot("defaultset");
  DeviceConfig before{};
  getDeviceConfig(nullptr, &before);
  livetest::ClickItem(page_, kRestore);
  EXPECT_TRUE(livetest::PumpUntil([] { return !g_hints.empty(); }));
  EXPECT_EQ(g_hints, std::vector<int>{1});
  EXPECT_EQ(GetPowerKeyDownFlag(), 1) << "the recorder reboots";
  EXPECT_EQ(longOpConfig(&kept), 1);
  EXPECT_EQ(std::memcmp(&kept, &before, sizeof before), 0);
  getRs232Config(nullptr, &serial);
  EXPECT_EQ(serial.baudRate, 9) << "every kept record is back to its default";
  EXPECT_TRUE(BoxTexts().empty());
  Close();
  SetPowerKeyDownFlag(0);
  endLongOp();
}

// The restore marks its record for the threads that place video areas as
// they paint, and a refusal takes the mark back, while such a thread reads.
TEST_F(Maintenance, ARestoreMarksItsRecordWhileAnotherThreadPlacesAreas) {
  for (const bool refused : {true, false}) {
    SCOPED_TRACE(refused ? "refused" : "accepted");
    if (refused) device_seam::overrideAnswer(restoreDefaults, -1);
    Open("default");
    {
      livetest::ReaderThread placer([] {
        int x = 3, y = 3, w = 100, h = 100;
        SetPixelAlign(getCurOutput(), &x, &y, &w, &h, 2);
      });
      livetest::ClickItem(page_, kRestore);
      EXPECT_TRUE(livetest::PumpUntil([] { return !g_hints.empty() || !livetest::Boxes().empty(); }));
      placer.AwaitFreshPasses();
    }
    device_seam::clearOverrides();
    DeviceConfig kept{};
    EXPECT_EQ(longOpConfig(&kept), refused ? 0 : 1);
    EXPECT_EQ(BoxTexts().size(), refused ? 1u : 0u);
    Close();
    SetPowerKeyDownFlag(0);
  }
  endLongOp();
}

TEST_F(Maintenance, ImportAndExportShowTheDevicesAnswers) {
  Open("config");
  Shot("configuration");
  // No removable device: every action says so and nothing is asked.
  device_seam::startCallLog();
  for (int id : {kImport, kExport, USBDEV_ID_NEW_FOLDER}) Click(page_, id);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"usbdev_none/64", "usbdev_none/64", "usbdev_none/64"}));
  EXPECT_EQ(Calls("importConfigFile") + Calls("exportConfigFile"), 0);

  // A device without files: nothing to select.
  usbdev_seam::present(false, {});
  Click(page_, USBDEV_ID_REFRESH);
  Click(page_, kImport);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"itemselect/64"}));
  usbdev_seam::present(false, {{"config.bin", false}, {"backup", true}});
  Click(page_, USBDEV_ID_REFRESH);
  const WindowHandle list = GetDlgItem(page_, USBDEV_ID_LIST);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 2);
  SelectFile(1);
  Click(page_, kImport);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"opfolder/64"}));

  SelectFile(0);
  struct Row {
    int answer;
    int64_t device;  // -100: the device's own answer
    std::vector<std::string> boxes;
    int hints;
  } imports[] = {
      {IDNO, -100, {"importok/34"}, 0},
      {IDYES, -100, {"importok/34", "nodevice/64"}, 0},
      {IDYES, 1, {"importok/34", "importerror/16"}, 0},
      {IDYES, 7, {"importok/34", "errordataerr/64"}, 0},
      {IDYES, 42, {"importok/34", "savefailed_code/16"}, 0},
      {IDYES, 0, {"importok/34"}, 1},
  };
  for (const Row& row : imports) {
    SCOPED_TRACE(row.device);
    g_hints.clear();
    livetest::BoxAnswer() = row.answer;
    if (row.device != -100) device_seam::overrideAnswer(importConfigFile, row.device);
    Click(page_, kImport);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts(), row.boxes);
    EXPECT_EQ(static_cast<int>(g_hints.size()), row.hints);
    EXPECT_EQ(GetPowerKeyDownFlag(), row.hints);
    SetPowerKeyDownFlag(0);
  }
  livetest::BoxAnswer() = IDOK;
  const struct {
    int64_t device;
    const char* box;
  } exports[] = {{-100, "nodevice/64"}, {0, "exportsuccess/64"}, {1, "exporterror/16"}, {2, "nospace/64"},
                 {9, "savefailed_code/16"}};
  for (const auto& row : exports) {
    if (row.device != -100) device_seam::overrideAnswer(exportConfigFile, row.device);
    Click(page_, kExport);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{row.box});
  }
  // An optical disc can be read but not written.
  usbdev_seam::present(true, {{"config.bin", false}});
  Click(page_, USBDEV_ID_REFRESH);
  for (int id : {kImport, kExport, USBDEV_ID_NEW_FOLDER}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, id))) << id;
  Close();
}

TEST_F(Maintenance, FtpUpgradeChecksTheAddressAndRunsTheProgressToItsResult) {
  Open("upgrade");
  Shot("upgrade_local");
  Click(page_, kLocalUpgrade);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"usbdev_none/64"});
  // A file of the removable device: asked, then started with its path.
  usbdev_seam::present(false, {{"digicap.dav", false}});
  Click(page_, USBDEV_ID_REFRESH);
  SelectFile(0);
  livetest::BoxAnswer() = IDYES;
  device_seam::startCallLog();
  Click(page_, kLocalUpgrade);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"reboot_confirm_hint/34", "savefailed_code/16"}));
  ASSERT_EQ(Calls("startUpgrade"), 1);
  for (const auto& call : device_seam::callLog()) {
    if (call.op == "startUpgrade") {
      EXPECT_EQ(call.args, std::vector<int64_t>{1}) << "the local mode";
    }
  }
  livetest::BoxAnswer() = IDOK;
  Tab(1);
  Shot("upgrade_ftp");
  device_seam::startCallLog();
  // The field holds four numbers of at most 255 and corrects a first 0 with
  // its own box as it is shown: only the empty address can be wrong here
  // (the check itself has its own test).
  SetDlgItemText(page_, kFtpAddress, "");
  Click(page_, kFtpUpgrade);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Please enter a valid FTP server address!");
  livetest::Boxes().clear();
  EXPECT_EQ(Calls("startUpgrade"), 0);
  SetDlgItemText(page_, kFtpAddress, "10.0.0.7");
  livetest::BoxAnswer() = IDNO;
  Click(page_, kFtpUpgrade);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"reboot_confirm_hint/34"});
  EXPECT_EQ(Calls("startUpgrade"), 0);
  // The device starts nothing: the dialog ends at once with its answer.
  livetest::BoxAnswer() = IDYES;
  Click(page_, kFtpUpgrade);
  EXPECT_EQ(Calls("startUpgrade"), 1);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"reboot_confirm_hint/34", "savefailed_code/16"}));
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  EXPECT_EQ(getLastOpResult(), -1);

  // A started upgrade follows the phases until the device's result.
  struct Row {
    int result;
    std::vector<std::string> boxes;
    std::vector<int> hints;
  } rows[] = {{6, {"reboot_confirm_hint/34", "error_disconnect/64"}, {}}, {0, {"reboot_confirm_hint/34"}, {2}}};
  for (const Row& row : rows) {
    g_hints.clear();
    device_seam::overrideAnswer(startUpgrade, 0);
    const WindowHandle page = page_;
    std::string phases;
    const auto progress = [] { return GetDlgItem(GetActiveWindow(), kPhaseText) != 0; };
    EXPECT_TRUE(RunInLoopOpenedBy([page] { livetest::ClickItem(page, kFtpUpgrade); }, progress, [&] {
      const WindowHandle dlg = GetActiveWindow();
      Rect r{};
      GetWindowRect(dlg, &r);
      // The phases as the device reports them, one timer tick each.
      const struct {
        int phase, percent;
        const char* text;
      } ticks[] = {{UPGRADE_PHASE_NONE, 0, ""},  // the phase the dialog starts from: no change yet
                   {UPGRADE_PHASE_READ, 0, "Reading the upgrade file..."},
                   {UPGRADE_PHASE_BACKUP, 70, "Backing up..."},
                   {9, 80, "Backing up..."},
                   {UPGRADE_PHASE_WRITE, 40, "Upgrading..."}};
      for (const auto& tick : ticks) {
        device_seam::overrideAnswer(getUpgradePhase, tick.phase);
        device_seam::overrideAnswer(getUpgradePercent, tick.percent);
        SendMessage(dlg, MSG_TIMER, kUpgradeTimer, 0);
        char text[128] = "";
        GetDlgItemText(dlg, kPhaseText, text, sizeof text);
        phases += std::string(text) + "|";
        EXPECT_EQ(text, std::string(tick.text)) << tick.phase;
      }
      // The picture shows the bar at 40 per cent.
      desktest::Drain();
      if (row.result == 0) livetest::MatchesReference(__FILE__, "upgrading", livetest::SettledGrab(r));
      PostMessage(dlg, MSG_DISK_REFRESH, static_cast<WParam>(row.result), 0);
      // Success leaves the dialog to the reboot; here it is closed by hand.
      if (row.result == 0) PostMessage(dlg, MSG_CLOSE, 0, 0);
    }));
    device_seam::clearOverrides();
    EXPECT_FALSE(phases.empty());
    EXPECT_EQ(BoxTexts(), row.boxes);
    EXPECT_EQ(g_hints, row.hints);
    EXPECT_EQ(GetPowerKeyDownFlag(), 0);
  }
  livetest::BoxAnswer() = IDOK;
  Close();
}

TEST_F(Maintenance, SystemInformationRowsFollowTheDeviceRecords) {
  struct Row {
    bool enabled, on, alarm;
    const char* detection;
    const char* exception;
  } rows[] = {{false, true, true, "chanstatus_nonsupport", "chanstatus_off"},
              {true, false, true, "chanstatus_off", "chanstatus_happen"},
              {true, true, false, "chanstatus_on", "chanstatus_on"},
              {true, true, true, "chanstatus_happen", "chanstatus_happen"}};
  for (const Row& row : rows) {
    EXPECT_STREQ(sysinfo::detectionKey(row.enabled, row.on, row.alarm), row.detection);
    EXPECT_STREQ(sysinfo::videoExceptionKey(row.enabled, row.alarm), row.exception);
  }
  char text[128];
  const struct {
    uint32_t code;
    const char* text;
  } rates[] = {{0, "25fps"}, {5, "15fps"}, {13, "1/2fps"}, {20, "9fps"}, {21, "Unknown Type Value: 21"}};
  for (const auto& rate : rates) {
    sysinfo::frameRateText(rate.code, text, sizeof text);
    EXPECT_STREQ(text, rate.text) << rate.code;
  }
  RecordStatus status{};
  status.bitrate = 0;
  char cells[9 * sysinfo::kCell] = {};
  sysinfo::recordCells("A1", status, cells);
  EXPECT_STREQ(cells + 6 * sysinfo::kCell, "") << "no record type while idle";
  status.recording = 1;
  status.currentBitrate = 777;
  status.recordType = 255;
  status.redundancy = 1;
  sysinfo::recordCells("A1", status, cells);
  EXPECT_EQ(std::string(cells + 4 * sysinfo::kCell).rfind("777/", 0), 0u);
  EXPECT_STREQ(cells + 6 * sysinfo::kCell, "All");
  EXPECT_STREQ(cells + 8 * sysinfo::kCell, "Yes");

  // The channel tab names a channel as the device does and shows the
  // detections its record has on.
  ChannelConfig motion{};
  ASSERT_EQ(getChannelConfig(nullptr, 2, &motion), 0);
  motion.motionEnable = 1;
  ASSERT_EQ(setChannelConfig(nullptr, 2, &motion, 1), 0);
  Open("sysinfo");
  Tab(1);
  const WindowHandle channels = GetDlgItem(page_, kChanList);
  EXPECT_EQ(Cell(channels, 0, 1), "Channel1");
  EXPECT_EQ(Cell(channels, 0, 3), sysinfo::caption("chanstatus_off"));
  EXPECT_EQ(Cell(channels, 1, 1), motion.name);
  EXPECT_EQ(Cell(channels, 1, 2), sysinfo::caption("chanstatus_enable"));
  EXPECT_EQ(Cell(channels, 1, 3), sysinfo::caption("chanstatus_on"));
  Close();
  device_seam::resetKeptRecords();

  Open("sysinfo");
  const char* const kTabs[] = {"sysinfo_device", "sysinfo_channels", "sysinfo_records",
                               "sysinfo_alarms", "sysinfo_network",  "sysinfo_disks"};
  for (int i = 0; i < 6; ++i) {
    Tab(i);
    Shot(kTabs[i]);
    if (i == 1) {
      const WindowHandle list = GetDlgItem(page_, kChanList);
      EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNCOUNT, 0, 0), getAnalogChannelNum() > 0 ? 7 : 6);
      EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), getAnalogChannelNum());
    }
    if (i == 2) {
      EXPECT_EQ(SendMessage(GetDlgItem(page_, kRecordList), LVM_GETITEMCOUNT, 0, 0), getAnalogChannelNum());
    }
    if (i == 3) {
      const WindowHandle list = GetDlgItem(page_, kAlarmList);
      EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), getAlarmInNum() + getAlarmOutNum());
      EXPECT_EQ(Cell(list, 0, 0), "A<-1");
      EXPECT_EQ(Cell(list, getAlarmInNum(), 0), "A->1");
    }
  }
  // A finished disk operation refills the disk tab.
  SendMessage(win_, MSG_DISK_REFRESH, 0, 0);
  Close();

  // IP channels follow the analog ones, numbered by their place in the mask.
  const uint64_t mask = 0b101;
  device_seam::overrideAnswer(getIpChannelNum, 2, &mask, sizeof mask);
  Open("sysinfo");
  Tab(1);
  const WindowHandle list = GetDlgItem(page_, kChanList);
  const int analog = getAnalogChannelNum();
  ASSERT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), analog + 2);
  EXPECT_EQ(Cell(list, 0, 0), "A1");
  EXPECT_EQ(Cell(list, analog, 0), "D1");
  EXPECT_EQ(Cell(list, analog + 1, 0), "D3");
  EXPECT_EQ(Cell(list, analog + 1, 2), "Offline") << "a channel that is not connected";
  device_seam::clearOverrides();
  Close();
}

TEST_F(Maintenance, TheMaintenanceMenuItemsOpenThePages) {
  EXPECT_EQ(findPage(APP_MENU_MAINTENANCE, "sysinfo"), createSystemInfoWindow);
  EXPECT_EQ(findPage(APP_MENU_MAINTENANCE, "config"), createConfigurationWindow);
  EXPECT_EQ(findPage(APP_MENU_MAINTENANCE, "upgrade"), createUpgradeWindow);
  EXPECT_EQ(findPage(APP_MENU_MAINTENANCE, "default"), createDefaultSetWindow);
}

}  // namespace
