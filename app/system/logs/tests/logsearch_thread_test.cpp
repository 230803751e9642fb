// The log search window on the simulated device: searching, paging through
// the results against a model, the detail of an entry and its steps, the
// playback and export entries, the disk export page, and how they look.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/control_services.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/page_frame.h"
#include "app/page_ids.h"
#include "app/playback.h"
#include "app/result_paging.h"
#include "app/disk_texts.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::Boxes;
using livetest::Click;
using livetest::LiveGui;

constexpr int kSheet = PAGE_ID_SHEET, kList = 20836, kExport = 20837, kSearch = 20838;
constexpr int kDiskList = 19728, kExportDisks = 19729;
constexpr int kNext = PAGE_ID_NEXT, kPrev = PAGE_ID_PREVIOUS;
constexpr int kUserRow = 20850, kHostRow = 20851, kParamRow = 20852, kObjectRow = 20853, kScroll = 20855;
constexpr int kSmartList = 20856;
// Result list columns: the time only selects; the play and detail cells act.
constexpr int kTimeColumn = 1, kPlayColumn = 5, kDetailColumn = 6, kTickColumn = 0, kExportTab = 1;

std::string Caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

std::string TextOf(WindowHandle hwnd) {
  char text[256] = "";
  GetWindowText(hwnd, text, sizeof text);
  return text;
}

// Calls of `op` in the device's call log.
int Calls(const std::string& op) {
  int n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

LogRecord Entry(int major, int minor, int channel) {
  LogRecord r{};
  r.time = 1700000000;
  r.major = major;
  r.minor = minor;
  r.channel = channel;
  std::memcpy(r.localUser, "admin", 5);
  return r;
}

class LogSearch : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    helper_ = Main({0, 0, 4, 4}, livetest::StepsProc);
    setExportRunning(0);
    setExportMode(0);
  }
  void TearDown() override {
    // A closed window's handle is not looked at again: its slot tells.
    if (win_ && getMaintenancePageWnd() == win_) Close();
    setMaintenanceMenuWnd(GUI_INVALID_HANDLE);
    LiveGui::TearDown();
  }
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    setMaintenanceMenuWnd(host_);
    ASSERT_EQ(openMenuPage(APP_MENU_MAINTENANCE, "log", host_), 0);
    win_ = getMaintenancePageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = PageAt(0);
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  WindowHandle PageAt(int index) {
    return static_cast<WindowHandle>(
        SendMessage(GetDlgItem(win_, kSheet), PSM_GETPAGE, static_cast<WParam>(index), 0));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getMaintenancePageWnd(), GUI_INVALID_HANDLE);
    setMaintenanceMenuWnd(GUI_INVALID_HANDLE);
    win_ = 0;
  }
  // The device finds `result` entries (the state holds what it keeps).
  void Finds(int result) {
    LogSearchState state{};
    state.count = result == -2 ? LOG_SEARCH_MAX : result;
    device_seam::overrideAnswer(findLogs, result, &state, sizeof state);
  }
  void Holds(const LogRecord& r) { device_seam::overrideAnswer(getLogRecord, 0, &r, sizeof r); }
  void Search() { Click(page_, kSearch); }
  // The export tab clicked; its page.
  WindowHandle ExportTab() {
    EXPECT_TRUE(systest::ClickTab(GetDlgItem(win_, kSheet), kExportTab));
    return PageAt(kExportTab);
  }
  WindowHandle List() { return GetDlgItem(page_, kList); }
  int Rows(WindowHandle list) { return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Cell(WindowHandle list, int row, int column) {
    char text[160] = "";
    ListViewSubItemInfo cell{};
    cell.rowIndex = row;
    cell.column = column;
    cell.text = text;
    cell.bufferSize = sizeof text;
    SendMessage(list, LVM_GETSUBITEMTEXT, 0, reinterpret_cast<LParam>(&cell));
    return text;
  }
  std::vector<std::string> TakeBoxes() {
    std::vector<std::string> keys;
    for (const auto& box : Boxes()) keys.push_back(box.key.empty() ? box.text : box.key);
    Boxes().clear();
    return keys;
  }
  // Runs `steps` in the dialog a user's `act` opens; closes what they leave open.
  bool InDialog(const std::function<void()>& act, const std::function<void(WindowHandle)>& steps) {
    return systest::DialogSteps(helper_).Run(act, steps);
  }

  // A click on a row's time selects it and gives the list the focus.
  void Select(int row) { systest::ClickListCell(List(), row, kTimeColumn); }
  // A key of the front panel to `list`, which a click below its rows gives
  // the focus when it has not got it.
  void Key(WindowHandle list, int key) {
    const WindowHandle page = GetParent(list);
    if (GetFocusChild(page) != list) {
      Rect r{};
      GetClientRect(list, &r);
      int x = r.right / 2, y = r.bottom * 3 / 4;
      ClientToScreen(list, &x, &y);
      livetest::ClickAt(x, y, [list] { return GetCapture() == list; });
      ASSERT_TRUE(livetest::PumpUntil([page, list] { return GetFocusChild(page) == list && GetCapture() == 0; }));
    }
    livetest::PressKey(key);
  }
  WindowHandle helper_ = 0, host_ = 0, win_ = 0, page_ = 0;
};

TEST_F(LogSearch, TheDeviceFindsNothingSoTheSearchSaysSoAndExportStaysOff) {
  Open();
  for (int part = 1; part <= 3; ++part) {
    EXPECT_EQ(SendDlgItemMessage(page_, DATETIME_START_TIME, CB_GETFIELD, static_cast<WParam>(part), 0), 0);
    EXPECT_EQ(SendDlgItemMessage(page_, DATETIME_END_TIME, CB_GETFIELD, static_cast<WParam>(part), 0),
              part == 1 ? 23 : 59);
  }
  device_seam::startCallLog();
  livetest::ClickItem(page_, kSearch);
  ASSERT_TRUE(livetest::PumpUntil([] { return !Boxes().empty(); }));
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"nologfile"});
  EXPECT_FALSE(livetest::Enabled(page_, kExport));
  EXPECT_EQ(Rows(List()), 0);
  EXPECT_FALSE(livetest::Enabled(page_, PAGING_NEXT));
  bool searched = false;
  for (const auto& call : device_seam::callLog()) searched |= call.op == "findLogs";
  EXPECT_TRUE(searched);
  // The live view and display switching are given back.
  EXPECT_TRUE(isLiveViewActive(getMainOutput()));
  EXPECT_TRUE(isDispSwitchEnabled());
  // Exit closes the menu, and the window with it.
  livetest::ClickItem(page_, IDCANCEL);
  EXPECT_TRUE(livetest::PumpUntil([] { return getMaintenancePageWnd() == GUI_INVALID_HANDLE; }));
}

TEST_F(LogSearch, AnEndBeforeTheStartIsRefusedWithoutSearchingWhileEqualTimesSearch) {
  Open();
  Finds(3);
  const WindowHandle endTime = GetDlgItem(page_, DATETIME_END_TIME);
  for (int part = 1; part <= 3; ++part) SendMessage(endTime, CB_SETFIELD, static_cast<WParam>(part), 0);
  device_seam::startCallLog();
  Search();
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{});
  EXPECT_EQ(Rows(List()), 3);
  // A start one second later: the end is before it.
  SendDlgItemMessage(page_, DATETIME_START_TIME, CB_SETFIELD, 3, 1);
  device_seam::startCallLog();
  Search();
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"search_err_time"});
  for (const auto& call : device_seam::callLog()) EXPECT_NE(call.op, "findLogs");
  EXPECT_TRUE(isLiveViewActive(getMainOutput()));
}

// The page, page count and rows a user sees, kept by a model of the bar.
struct PagingModel {
  int count, page = 1;
  int pages() const { return count <= 0 ? 1 : (count + 99) / 100; }
  int rowsShown() const { return count <= 0 ? 0 : std::min(100, count - (page - 1) * 100); }
};

TEST_F(LogSearch, PagingFollowsAModelOfFirstPreviousNextLastAndTypedPages) {
  Open();
  Holds(Entry(3, 80, 1));
  std::mt19937 random(52);
  const char* const typed[] = {"1", "2", "3", "0", "-1", "21", "abc", "", "2147483648", "99999999999999999", "3x"};
  for (int result : {0, 1, 100, 101, 250, -2}) {
    SCOPED_TRACE(result);
    Finds(result);
    Search();
    TakeBoxes();
    PagingModel model{result == -2 ? LOG_SEARCH_MAX : result};
    for (int step = 0; step < 25; ++step) {
      const int id = PAGING_FIRST + static_cast<int>(random() % 6);
      std::string text;
      bool refused = false;
      switch (id) {
        case PAGING_FIRST: model.page = 1; break;
        case PAGING_PREV: model.page = std::max(1, model.page - 1); break;
        case PAGING_NEXT: model.page = std::min(model.pages(), model.page + 1); break;
        case PAGING_LAST: model.page = model.pages(); break;
        case PAGING_GO: {
          text = typed[random() % (sizeof typed / sizeof typed[0])];
          SetDlgItemText(page_, PAGING_NUMBER, text.c_str());
          long long wanted = 0;
          const bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
                              text.size() < 12;
          if (number) wanted = std::stoll(text);
          if (wanted == model.page) break;
          refused = !number || wanted < 1 || wanted > model.pages();
          if (!refused) model.page = static_cast<int>(wanted);
          break;
        }
        default: break;
      }
      Click(page_, id);
      SCOPED_TRACE(std::to_string(id) + " '" + text + "'");
      EXPECT_EQ(TakeBoxes(), refused ? std::vector<std::string>{"searchresult_err_page"} : std::vector<std::string>{});
      ASSERT_EQ(getResultPage(), model.page);
      ASSERT_EQ(Rows(List()), model.rowsShown());
      if (model.rowsShown() > 0) {
        EXPECT_EQ(Cell(List(), 0, 0), std::to_string((model.page - 1) * 100 + 1));
        EXPECT_EQ(Cell(List(), model.rowsShown() - 1, 0), std::to_string((model.page - 1) * 100 + model.rowsShown()));
      }
      EXPECT_EQ(livetest::Enabled(page_, PAGING_PREV), model.page > 1);
      EXPECT_EQ(livetest::Enabled(page_, PAGING_NEXT), model.page < model.pages());
      char expected[64];
      std::snprintf(expected, sizeof expected, "Page %d/%d, %d items", model.page, model.pages(),
                    std::max(model.count, 0));
      EXPECT_EQ(TextOf(GetDlgItem(page_, PAGING_TEXT)), expected);
    }
  }
}

TEST_F(LogSearch, TooManyEntriesSayHowManyAreListedAndStillExport) {
  Open();
  Finds(-2);
  Search();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "More than 2000 logs match; the first 2000 are listed.");
  TakeBoxes();
  EXPECT_TRUE(livetest::Enabled(page_, kExport));
  EXPECT_EQ(getResultPageCount(), 20);
  // The export runs the dialog in log mode; running exports keep it closed.
  Click(page_, kExport);
  EXPECT_EQ(getExportMode(), 2);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"export_nodevice"});
  for (int running : {EXPORT_RUNNING_LOCAL, EXPORT_RUNNING_REMOTE}) {
    setExportRunning(running);
    setExportMode(0);
    Click(page_, kExport);
    EXPECT_EQ(getExportMode(), 0);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{running == EXPORT_RUNNING_LOCAL ? "local_exporting_hint"
                                                                                    : "remote_exporting_hint"});
  }
  setExportRunning(0);
}

TEST_F(LogSearch, RowsShowTheirTypesTimeAndParameterByTheTables) {
  Open();
  setDateFormat(0);
  struct Row {
    int major, minor, channel;
    uint32_t param;
    int kind;
    std::string majorKey, minorText, paramText;
  };
  const std::string unknown = "Unknown Type Value: 999";
  const Row rows[] = {
      {1, 3, 2, 0, 0, "logtype_major_alarm", Caption("logsearch", "logtype_minor_mot_start"), "N/A"},
      {2, 40, 1, 4, 0, "logtype_major_exception", Caption("logsearch", "logtype_minor_rec_error"),
       Caption("logsearch", "param_encode")},
      {2, 999, 1, 0, 5, "logtype_major_exception", unknown, Caption("logsearch", "param_hddcycle")},
      {3, 150, 0, 7, 0x11000009, "logtype_major_operation", Caption("logsearch", "logtype_minor_local_unload_hdisk"),
       Caption("logsearch", "param_recplan")},
      {4, 182, 0, 524290, 0, "logtype_major_inform", Caption("logsearch", "logtype_minor_auto_format"),
       Caption("logsearch", "param_protocol")},
      {9, 1, 1, 0, 9, "", "", Caption("logsearch", "param_recplan")},
  };
  for (const Row& row : rows) {
    LogRecord r = Entry(row.major, row.minor, row.channel);
    r.paramType = row.param;
    r.infoKind = row.kind;
    Holds(r);
    Finds(1);
    Search();
    SCOPED_TRACE(row.major * 1000 + row.minor);
    EXPECT_EQ(Cell(List(), 0, 1), row.majorKey.empty() ? "Unknown Type Value: 9" : Caption("logsearch", row.majorKey.c_str()));
    EXPECT_EQ(Cell(List(), 0, 3), row.minorText);
    EXPECT_EQ(Cell(List(), 0, 4), row.paramText);
    char date[DATE_TEXT_SIZE];
    const time_t t = r.time;
    struct tm local {};
    localtime_r(&t, &local);
    formatDate(date, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    char time[64];
    std::snprintf(time, sizeof time, "%s %02d:%02d:%02d", date, local.tm_hour, local.tm_min, local.tm_sec);
    EXPECT_EQ(Cell(List(), 0, 2), time);
  }
  // Without picture capture the record error reads as a record error alone.
  device_seam::mutableAbility()->storageFlags &= ~0x80u;
  ASSERT_FALSE(hasPictureStorage());
  Holds(Entry(2, 40, 1));
  Search();
  EXPECT_EQ(Cell(List(), 0, 3), Caption("logsearch", "logtype_minor_rec_error_nopic"));
}

TEST_F(LogSearch, KeysAndClicksOpenTheDetailAndItsStepsStayWithinTheResults) {
  Open();
  Holds(Entry(3, 80, 1));
  Finds(3);
  Search();
  // The key asks for a selection; a click without one does nothing.
  SendMessage(List(), LVM_CHOOSEITEM, static_cast<WParam>(-1), 0);
  const bool hasSelection = SendMessage(List(), LVM_GETSELECTEDITEM, 0, 0) != 0;
  if (!hasSelection) {
    Key(List(), PANEL_KEY_ACTION);
    livetest::PumpUntil([] { return !Boxes().empty(); });
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"itemselect"});
  }
  struct Case {
    int row;
    bool prev, next;
  };
  for (const Case& c : {Case{0, false, true}, Case{1, true, true}, Case{2, true, false}}) {
    Select(c.row);
    device_seam::startCallLog();
    const bool ran = InDialog([&] { Key(List(), PANEL_KEY_ACTION); }, [&](WindowHandle dlg) {
      EXPECT_FALSE(IsWindowEnabled(host_));
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(dlg, kPrev)) != 0, c.prev);
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(dlg, kNext)) != 0, c.next);
      // Steps past either end do nothing; each step fetches its entry.
      for (int i = 0; i < 4; ++i) Click(dlg, kNext);
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kNext)));
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, kPrev)));
      for (int i = 0; i < 4; ++i) Click(dlg, kPrev);
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kPrev)));
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, kNext)));
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(IsWindowEnabled(host_));
    std::vector<int64_t> fetched;
    for (const auto& call : device_seam::callLog())
      if (call.op == "getLogRecord") fetched.push_back(call.args.at(0));
    std::vector<int64_t> expected{c.row + 1};
    for (int i = c.row + 2; i <= 3; ++i) expected.push_back(i);
    for (int i = 2; i >= 1; --i) expected.push_back(i);
    EXPECT_EQ(fetched, expected);
  }
  // One result: both steps stay off; the detail column opens it too.
  Finds(1);
  Search();
  EXPECT_TRUE(InDialog([&] { systest::ClickListCell(List(), 0, kDetailColumn); }, [&](WindowHandle dlg) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kPrev)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kNext)));
    // Closed by its OK button.
    livetest::ClickItem(dlg, IDCANCEL);
    EXPECT_TRUE(livetest::PumpUntil([dlg] { return GetActiveWindow() != dlg; }));
  }));
  EXPECT_TRUE(IsWindowEnabled(host_));
}

TEST_F(LogSearch, TheDetailRowsFollowTheEntrysKindAndReadItsFieldsWithinBounds) {
  Open();
  device_seam::keepLogHostText(7, "192.168.1.20");
  struct Case {
    const char* what;
    LogRecord record;
    std::string userLabel, user, hostLabel, host, objectLabel, object;
    bool smart;
  };
  LogRecord local = Entry(1, 1, 3);
  std::memset(local.localUser, 0, sizeof local.localUser);
  local.alarmIn = 0x203;
  LogRecord remote = Entry(3, 117, 2);
  std::memcpy(remote.remoteUser, "operator_with_a_long_name", 16);
  std::memcpy(remote.localUser, "abcdefghijklmnopqrst", 16);
  remote.remoteHost = 7;
  LogRecord voice = Entry(3, 124, 5);
  voice.remoteHost = 7;
  LogRecord disk = Entry(4, 162, 0);
  disk.infoKind = 19;
  disk.diskNo = 4;
  const Case cases[] = {
      {"local alarm input", local, Caption("logdetail", "localuser"), "N/A", Caption("logdetail", "hostip"), "N/A",
       Caption("logdetail", "alarminno"), "D2<-3", false},
      {"remote transparent channel", remote, Caption("logdetail", "remoteuser"), "operator_with_a_",
       Caption("logdetail", "hostip"), "192.168.1.20", Caption("logdetail", "transchan"),
       Caption("logdetail", "trans_type2"), false},
      {"voice talk of no kind", voice, Caption("logdetail", "remoteuser"), "", Caption("logdetail", "hostip"),
       "192.168.1.20", Caption("logdetail", "voicechan"), "", false},
      {"disk information", disk, Caption("logdetail", "serial"), "", Caption("logdetail", "firmware"), "",
       Caption("logdetail", "harddiskno"), "4", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Holds(c.record);
    Finds(1);
    Search();
    Select(0);
    EXPECT_TRUE(InDialog([&] { Key(List(), PANEL_KEY_ACTION); }, [&](WindowHandle dlg) {
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kUserRow + 256)), c.userLabel);
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kUserRow)), c.user);
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kHostRow + 256)), c.hostLabel);
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kHostRow)), c.host);
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kObjectRow + 256)), c.objectLabel);
      EXPECT_EQ(TextOf(GetDlgItem(dlg, kObjectRow)), c.object);
      EXPECT_EQ(IsWindowVisible(GetDlgItem(dlg, kSmartList)) != 0, c.smart);
      EXPECT_EQ(IsWindowVisible(GetDlgItem(dlg, kScroll)) != 0, !c.smart);
      if (!c.smart) {
        EXPECT_EQ(TextOf(GetDlgItem(dlg, kParamRow)), "N/A");
      }
    }));
  }
}

TEST_F(LogSearch, PlayingARowNeedsAChannelAndTheRightAndFindsNoRecording) {
  Open();
  Holds(Entry(3, 80, 0));
  Finds(2);
  Search();
  Select(1);
  device_seam::startCallLog();
  Key(List(), PANEL_KEY_PLAY);
  EXPECT_TRUE(livetest::PumpUntil([] { return Calls("getLogRecord") > 0; }));
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{});
  EXPECT_EQ(getPlaybackType(getMainOutput()), 0);
  Holds(Entry(3, 80, 2));
  systest::ClickListCell(List(), 1, kPlayColumn);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"log_play_err_nofile"});
  EXPECT_EQ(getPlaybackSearchChannel(getMainOutput()), 2);
  EXPECT_EQ(getPlaybackTime(getMainOutput()), 1700000000 - 60);
  EXPECT_EQ(getPlaybackType(getMainOutput()), 0);
  EXPECT_EQ(getOutputState(getMainOutput()), OUTSTATE_LIVEVIEW);
}

TEST_F(LogSearch, TheRecordersOwnDiskIsListedAndItsExportFindsNoRemovableDevice) {
  Open();
  const WindowHandle page = ExportTab();
  const WindowHandle list = GetDlgItem(page, kDiskList);
  ASSERT_EQ(Rows(list), 1);
  systest::ClickListCell(list, 0, kTickColumn);
  ASSERT_EQ(SendMessage(list, LVM_GETCHECKED, 0, 0), 1);
  Click(page, kExportDisks);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"export_nodevice"});
}

// Disks of the export page: normal, idle, unformatted, another normal one.
class LogExport : public LogSearch {
 protected:
  void SetUp() override {
    LogSearch::SetUp();
    for (int i = 0; i < 4; ++i) {
      disks_[i].bus = 0;
      disks_[i].port = static_cast<uint16_t>(i);
      disks_[i].capacity = 1000000u * static_cast<uint32_t>(i + 1);
      disks_[i].freeSpace = 1000;
      disks_[i].type = 1;
      disks_[i].group = 1;
    }
    disks_[1].status = 5;
    disks_[2].status = 1;
    Disks();
  }
  void Disks() { device_seam::overrideAnswer(getDiskList, 4, disks_, sizeof disks_); }
  void OpenExport() {
    Open();
    export_ = ExportTab();
    ASSERT_NE(export_, GUI_INVALID_HANDLE);
  }
  WindowHandle DiskList() { return GetDlgItem(export_, kDiskList); }
  // A click on a row's tick box.
  void Tick(int row) {
    const LResult was = SendMessage(DiskList(), LVM_GETCHECKED, static_cast<WParam>(row), 0);
    systest::ClickListCell(DiskList(), row, kTickColumn);
    EXPECT_NE(SendMessage(DiskList(), LVM_GETCHECKED, static_cast<WParam>(row), 0), was) << row;
  }
  DiskInfo disks_[DISK_LIST_ROWS] = {};
  WindowHandle export_ = 0;
};

TEST_F(LogExport, TickedRowsReachTheExportAsTheirDiskNumbersInListOrder) {
  OpenExport();
  ASSERT_EQ(Rows(DiskList()), 3);
  EXPECT_EQ(Cell(DiskList(), 0, 0), "1");
  EXPECT_EQ(Cell(DiskList(), 1, 0), "2");
  EXPECT_EQ(Cell(DiskList(), 2, 0), "4");
  EXPECT_EQ(Cell(DiskList(), 1, 2), Caption("disk_base", "disk_status_idle"));
  // Nothing ticked: the box, and no export.
  Click(export_, kExportDisks);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"itemselect"});
  EXPECT_EQ(getExportMode(), 0);
  Tick(0);
  Tick(2);
  Click(export_, kExportDisks);
  EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"export_nodevice"});
  EXPECT_EQ(getExportMode(), 4);
  FormatDiskArg arg{};
  getFormatDiskArg(&arg);
  EXPECT_EQ(arg.count, 2u);
  EXPECT_EQ(arg.disks[0], 1u);
  EXPECT_EQ(arg.disks[1], 4u);
  EXPECT_EQ(arg.results[0], 1u);
  EXPECT_EQ(arg.results[1], 1u);
  EXPECT_EQ(arg.disks[2], 0u);
  EXPECT_EQ(getCurPageWnd(), export_);
  // The keys tick the selected row, or ask for one.
  systest::ClickListCell(DiskList(), 1, kTimeColumn);
  Key(DiskList(), PANEL_KEY_CHECK);
  EXPECT_TRUE(livetest::PumpUntil([this] { return SendMessage(DiskList(), LVM_GETCHECKED, 1, 0) == 1; }));
  Key(DiskList(), PANEL_KEY_CHECK);
  EXPECT_TRUE(livetest::PumpUntil([this] { return SendMessage(DiskList(), LVM_GETCHECKED, 1, 0) == 0; }));
  Close();
  EXPECT_EQ(getCurPageWnd(), GUI_INVALID_HANDLE);
}

TEST_F(LogExport, DiskNotificationsRefreshOneRowOrRefillTheList) {
  OpenExport();
  Tick(0);
  Tick(2);
  // Disk 4 starts formatting: its row shows it, loses its tick and its use.
  disks_[3].status = 11;
  disks_[3].freeSpace = 0;
  Disks();
  SendMessage(export_, MSG_DISK_REFRESH, 3, 0);
  EXPECT_EQ(SendMessage(DiskList(), LVM_GETCHECKED, 2, 0), 0);
  EXPECT_EQ(SendMessage(DiskList(), LVM_GETCHECKED, 0, 0), 1);
  char status[64];
  getDiskStatusCellText(status, sizeof status, disks_[3]);
  EXPECT_EQ(Cell(DiskList(), 2, 2), status);
  // A disk the list leaves out changes nothing.
  SendMessage(export_, MSG_DISK_REFRESH, 2, 0);
  EXPECT_EQ(Rows(DiskList()), 3);
  // The whole list again: the formatting disk drops out, every tick goes.
  SendMessage(export_, MSG_DISK_REFRESH, 0, 1);
  ASSERT_EQ(Rows(DiskList()), 2);
  EXPECT_EQ(SendMessage(DiskList(), LVM_GETCHECKED, 0, 0), 0);
}

TEST_F(LogExport, ThePagesAndTheDetailOnScreen) {
  setDateFormat(0);
  setenv("TZ", "UTC", 1);
  tzset();
  Open();
  // A fixed day rather than today's.
  for (int id : {DATETIME_START_DATE, DATETIME_END_DATE}) {
    SendDlgItemMessage(page_, id, CB_SETYEAR, 2024, 0);
    SendDlgItemMessage(page_, id, CB_SETMONTH, 3, 0);
    SendDlgItemMessage(page_, id, CB_SETDAY, 15, 0);
    SetDlgItemText(page_, id, "2024-03-15");
  }
  Rect r{};
  GetWindowRect(win_, &r);
  LogRecord entry = Entry(3, 112, 1);
  entry.remoteHost = 0;
  entry.paramType = 8;
  entry.descriptionLength = 30;
  std::memcpy(entry.description, "Network settings were changed.", 30);
  Holds(entry);
  Finds(250);
  Search();
  Click(page_, PAGING_NEXT);
  livetest::MatchesReference(__FILE__, "logsearch_page2", livetest::SettledGrab(r));
  LogRecord alarm = Entry(1, 2, 1);
  alarm.alarmOut = 2;
  LogRecord disk = Entry(4, 161, 0);
  disk.infoKind = 50;
  disk.diskNo = 1;
  const std::pair<const char*, LogRecord> details[] = {
      {"logdetail_local", entry}, {"logdetail_alarm", alarm}, {"logdetail_disk", disk}};
  for (const auto& [name, record] : details) {
    Holds(record);
    Select(5);
    EXPECT_TRUE(InDialog([&] { Key(List(), PANEL_KEY_ACTION); }, [&](WindowHandle dlg) {
      Rect d{};
      GetWindowRect(dlg, &d);
      desktest::Drain();
      livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(d));
    }));
  }
  systest::ClickListCell(GetDlgItem(ExportTab(), kDiskList), 2, kTickColumn);
  livetest::MatchesReference(__FILE__, "logexport_page", livetest::SettledGrab(r));
}

}  // namespace
