// The storage pages on the simulated device with rows and answers forced
// through its seam: the disk list against a model of its rows, what each
// way through initialise and the format windows shows and gives back, the
// formatting worker, and the disk dialogs' saves and refusals.
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/format_text.h"
#include "app/page_ids.h"
#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/record/storage/format_seam.h"
#include "app/record/record_input_test.h"
#include "app/record/storage/tests/storage_test_support.h"
#include "app/storage_pages.h"
#include "app/disk_texts.h"
#include "gui/combobox.h"
#include "gui/cursor.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using livetest::Boxes;
using livetest::ClickItem;
using livetest::BoxAnswer;
using livetest::Click;
using livetest::LiveGui;
using recordtest::ClickClosing;

constexpr int kList = 19728, kTotal = 19729, kFree = 19730, kInit = 19732, kAddNetHd = 19734;
constexpr int kActionColumn = 8;  // the list's remove, delete, load and unload icon
constexpr int kLabel = 19856, kBar = 19857;
constexpr int kAttrRw = 19762, kAttrReadOnly = 19763, kAttrRedundant = 19764, kGroupFirst = 19776;
constexpr int kNetIp = 19762, kNetDir = 19763, kNetType = 19761, kNetSetIp = 20018, kNetSetDir = 20019;
constexpr int kOk = PAGE_ID_OK, kCancel = IDCANCEL, kApply = PAGE_ID_APPLY;

LResult MenuHostProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam) {
  if (message == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, message, wParam, lParam);
}

std::string Text(WindowHandle window, int id) {
  char text[512] = "";
  SendDlgItemMessage(window, id, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
  return text;
}

std::string Caption(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "";
}

std::string Capacity(int64_t bytes) {
  char text[32];
  formatCapacity(text, sizeof text, bytes);
  return text;
}

DiskInfo Disk(int bus, int port, uint32_t capacity, uint32_t free, uint16_t readOnly = 0, uint32_t type = 1) {
  DiskInfo d{};
  d.bus = static_cast<uint16_t>(bus);
  d.port = static_cast<uint16_t>(port);
  d.capacity = capacity;
  d.freeSpace = free;
  d.readOnly = readOnly;
  d.type = type;
  d.group = 1;
  return d;
}

size_t Calls(const std::string& op) {
  size_t n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

std::vector<int64_t> ArgsOf(const std::string& op) {
  for (const auto& call : device_seam::callLog())
    if (call.op == op) return call.args;
  return {};
}

// What a long disk operation or a dialog may change, read in one go.
struct Held {
  int liveView, powerKey, dispSwitch, menuEnabled;
  bool operator==(const Held& o) const {
    return liveView == o.liveView && powerKey == o.powerKey && dispSwitch == o.dispSwitch &&
           menuEnabled == o.menuEnabled;
  }
};

class Storage : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    setLiveViewActive(getMainOutput(), 1);
    SetPowerKeyDownFlag(0);
    setDispSwitchEnabled(1);
    setFormatOwnerWnd(GUI_INVALID_HANDLE);
  }
  void TearDown() override {
    if (win_ != 0 && getDiskPageWnd() == win_) SendMessage(win_, MSG_CLOSE, 0, 0);
    setDiskMenuWnd(GUI_INVALID_HANDLE);
    LiveGui::TearDown();
  }
  void Rows(const std::vector<DiskInfo>& rows) {
    rows_.assign(rows.begin(), rows.end());
    device_seam::overrideAnswer(getDiskList, static_cast<int64_t>(rows_.size()), rows_.data(),
                                rows_.size() * sizeof(DiskInfo));
  }
  void Open() {
    menu_ = Main({0, 0, 8, 8}, MenuHostProc);
    helper_ = Main({0, 0, 4, 4}, recordtest::LoopLookProc);
    setDiskMenuWnd(menu_);
    ASSERT_NE(createDiskBaseWindow(menu_), GUI_INVALID_HANDLE);
    win_ = getDiskPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = static_cast<WindowHandle>(SendDlgItemMessage(win_, PAGE_ID_SHEET, PSM_GETACTIVEPAGE, 0, 0));
    ASSERT_NE(page_, 0);
    desktest::Drain();
  }
  // `steps` run inside the modal window a click on the page's button `id`
  // opens; false when none opened.
  bool InsideOpenedBy(int id, const std::function<void()>& steps) {
    const WindowHandle page = page_;
    return recordtest::InLoopOpenedBy(helper_, [page, id] { Click(page, id); },
                                      recordtest::OpenedOver(GetActiveWindow()), steps);
  }
  // A row's check box ticked by a click on its first cell.
  void CheckRow(int row) {
    livetest::ClickCell(GetDlgItem(page_, kList), row, 0);
    EXPECT_TRUE(livetest::PumpUntil([this, row] {
      return GetCapture() == 0 && SendDlgItemMessage(page_, kList, LVM_GETCHECKEDBYKEY, static_cast<WParam>(row), 0) == 1;
    })) << row;
  }
  std::string Cell(int row, int column) {
    char text[128] = "";
    ListViewSubItemInfo cell{};
    cell.rowIndex = row;
    cell.column = column;
    cell.text = text;
    cell.bufferSize = sizeof text;
    SendDlgItemMessage(page_, kList, LVM_GETSUBITEMTEXT, 0, reinterpret_cast<LParam>(&cell));
    return text;
  }
  Held Now() {
    return {isLiveViewActive(getMainOutput()), GetPowerKeyDownFlag(), isDispSwitchEnabled(),
            IsWindowEnabled(menu_) ? 1 : 0};
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : Boxes()) texts.push_back(box.text + "/" + std::to_string(box.type));
    return texts;
  }

  std::vector<DiskInfo> rows_;
  WindowHandle menu_ = 0, helper_ = 0, win_ = 0, page_ = 0;
};

// Disk numbers and the two totals against a model of random rows, up to the
// full list of 33 at the largest sizes (whose byte sums need 64 bits).
TEST_F(Storage, DiskNumbersAndTotalsFollowTheRows) {
  std::mt19937 random(7);
  for (int round = 0; round < 4; ++round) {
    std::vector<DiskInfo> rows;
    const int count = round == 3 ? DISK_LIST_ROWS : 1 + static_cast<int>(random() % 6);
    int64_t total = 0, free = 0;
    for (int i = 0; i < count; ++i) {
      const uint32_t capacity = round == 3 ? 0xFFFFFFFFu : random() % 4000000;
      const uint32_t left = round == 3 ? 0xFFFFFFF0u : capacity / 2;
      rows.push_back(Disk(static_cast<int>(random() % 9), static_cast<int>(random() % 2), capacity, left));
      total += int64_t{capacity} << 20;
      free += int64_t{left} << 20;
    }
    Rows(rows);
    EXPECT_EQ(sumDiskTotalSpace(), total);
    EXPECT_EQ(sumDiskFreeSpace(), free);
    Open();
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(Cell(i, 0), std::to_string(rows[i].port + 2 * rows[i].bus + 1)) << round << " row " << i;
      EXPECT_EQ(Cell(i, 1), Capacity(int64_t{rows[i].capacity} << 20));
    }
    EXPECT_EQ(SendDlgItemMessage(page_, kList, LVM_GETITEMCOUNT, 0, 0), count);
    EXPECT_EQ(Text(page_, kTotal), Capacity(total)) << round;
    EXPECT_EQ(Text(page_, kFree), Capacity(free)) << round;
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  device_seam::overrideAnswer(getDiskList, 0);
  EXPECT_EQ(sumDiskTotalSpace(), 0);
  EXPECT_EQ(sumDiskFreeSpace(), 0);
}

// Status, attribute and type texts, and which rows take properties or an
// action.
TEST_F(Storage, RowTextsAndTheRowsThatActFollowTheDisk) {
  DiskInfo formatting = Disk(0, 0, 1000, 500);
  formatting.status = 11;
  DiskInfo redundant = Disk(0, 1, 1000, 500, 1);
  redundant.redundancy = 1;
  DiskInfo nas = Disk(9, 1, 1000, 500, 0, 4);
  DiskInfo unloaded = Disk(1, 0, 1000, 500, 0, 7);
  unloaded.status = 13;
  device_seam::overrideAnswer(getDiskFormatProgress, 7);
  Rows({formatting, redundant, nas, unloaded});
  Open();
  EXPECT_EQ(Cell(0, 2), Caption("disk_base", "disk_status_formating") + " 07%");
  EXPECT_EQ(Cell(0, 3), Caption("disk_base", "disk_attr_readwrite"));
  EXPECT_EQ(Cell(1, 3), Caption("disk_base", "disk_attr_redundancy"));
  EXPECT_EQ(Cell(2, 4), Caption("disk_base", "disk_type_nfs"));
  EXPECT_EQ(Cell(3, 2), Caption("disk_base", "disk_status_unloaded"));
  EXPECT_EQ(isDiskEditable(nas), 1);
  EXPECT_EQ(isDiskEditable(redundant), 0) << "not in group mode";
  DiskInfo absent = redundant;
  absent.status = 14;
  EXPECT_EQ(isDiskEditable(absent), 0);

  // 2062 brings one row up to date, and the totals unless it is formatting.
  formatting.status = 0;
  formatting.capacity = 3000;
  Rows({formatting, redundant, nas, unloaded});
  SendMessage(page_, MSG_DISK_REFRESH, 0, 0);
  EXPECT_EQ(Cell(0, 2), Caption("disk_base", "disk_status_normal"));
  EXPECT_EQ(Cell(0, 1), Capacity(int64_t{3000} << 20));
  EXPECT_EQ(Text(page_, kTotal), Capacity(int64_t{6000} << 20));
  SendMessage(page_, MSG_DISK_REFRESH, 40, 0);  // no such disk: nothing
  EXPECT_EQ(Cell(3, 2), Caption("disk_base", "disk_status_unloaded"));
}

// Initialise: which checked rows stop it with which box; the format
// confirmation holds the live view and the menu, and every way out gives
// them back.
TEST_F(Storage, InitialiseRefusesOrConfirmsAndGivesEverythingBack) {
  struct Case {
    const char* name;
    std::vector<DiskInfo> rows;
    std::vector<int> checked;
    bool tooLarge;
    std::string box;  // empty: the confirmation opens
  };
  char large[128];
  char size[32];
  formatDiskSize("TB", size, sizeof size);
  formatChecked(large, sizeof large, Caption("disk_base", "maxcapacitydisk").c_str(), "s", size);
  const std::vector<Case> cases = {
      {"the device's own disk is read-only", {Disk(0, 0, 0, 0, 1)}, {0}, false,
       Caption("disk_base", "readonlydisk") + "/64"},
      {"too large", {Disk(0, 0, 1000, 10)}, {0}, true, std::string(large) + "/64"},
      {"none checked", {Disk(0, 0, 1000, 10)}, {}, false, Caption("commons", "itemselect") + "/64"},
      {"no disk at all", {}, {}, false, Caption("commons", "itemselect") + "/64"},
  };
  for (const Case& c : cases) {
    Rows(c.rows);
    device_seam::overrideAnswer(isDiskTooLarge, c.tooLarge ? 1 : 0);
    Open();
    for (int row : c.checked) CheckRow(row);
    Boxes().clear();
    Click(page_, kInit);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box}) << c.name;
    EXPECT_EQ(getFormatOwnerWnd(), GUI_INVALID_HANDLE) << c.name;
    SendMessage(win_, MSG_CLOSE, 0, 0);
  }

  // Two writable disks, both checked: Cancel, the close message, OK and
  // Escape; a stand-in for the live view takes a click after each.
  Rows({Disk(0, 0, 1000, 10), Disk(1, 1, 1000, 10)});
  device_seam::overrideAnswer(isDiskTooLarge, 0);
  const Held before = Now();
  Main({0, 0, 1024, 768}, livetest::LiveStandInProc, WS_EX_PREVIEW);
  for (int way = 0; way < 4; ++way) {
    Open();
    CheckRow(0);
    CheckRow(1);
    device_seam::startCallLog();
    Held inside{};
    EXPECT_TRUE(InsideOpenedBy(kInit, [&] {
      const WindowHandle dlg = GetActiveWindow();
      inside = Now();
      if (way == 1) {
        SendMessage(dlg, MSG_CLOSE, 0, 0);
      } else if (way == 3) {
        livetest::PressKey(KEY_ESC);
        EXPECT_TRUE(livetest::PumpUntil([dlg] { return GetActiveWindow() != dlg; }));
      } else {
        EXPECT_TRUE(ClickClosing(dlg, way == 0 ? kCancel : kOk));
      }
    })) << way;
    EXPECT_TRUE(recordtest::StandInTakesClick(win_)) << way;
    EXPECT_EQ(inside.liveView, 0) << way;
    EXPECT_EQ(inside.menuEnabled, 0) << way;
    EXPECT_EQ(Now(), before) << way;
    EXPECT_EQ(Calls("formatDiskList"), way == 2 ? 1u : 0u) << way;
    SendMessage(win_, MSG_CLOSE, 0, 0);
  }
  FormatDiskArg arg{};
  getFormatDiskArg(&arg);
  EXPECT_EQ(arg.count, 2u);
  EXPECT_EQ(arg.disks[0], 1u);
  EXPECT_EQ(arg.disks[1], 4u);
}

// A busy device keeps the confirmation open with its box; OK then goes on.
TEST_F(Storage, ABusyDeviceKeepsTheConfirmationOpen) {
  const struct {
    device_seam::Op op;
    const char* key;
  } busy[] = {{isDiskRepairing, "format_err_repairing"},
              {isDiskFormatting, "formating_error"},
              {isDiskExpanding, "format_err_expanding"}};
  storagetest::GiveDisks({1}, FORMAT_TYPE_DISKS);
  for (const auto& b : busy) {
    device_seam::resetAll();
    device_seam::overrideAnswer(b.op, 1);
    device_seam::startCallLog();
    Boxes().clear();
    bool stayed = false;
    RunInLoop(showFormatDialog, [&] {
      const WindowHandle dlg = GetActiveWindow();
      Click(dlg, kOk);
      stayed = IsWindow(dlg) && Calls("formatDiskList") == 0;
      device_seam::clearOverrides();
      EXPECT_TRUE(ClickClosing(dlg, kOk));
    });
    EXPECT_TRUE(stayed) << b.op.name();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{Caption("format", b.key) + "/64"}) << b.op.name();
    EXPECT_EQ(Calls("formatDiskList"), 1u) << b.op.name();
    EXPECT_EQ(isLiveViewActive(getMainOutput()), 1) << b.op.name();
  }
  // A removable device that is not ready: OK does nothing.
  setFormatType(FORMAT_TYPE_USB);
  device_seam::overrideAnswer(isUsbdevNotReady, 1);
  bool stayed = false;
  RunInLoop(showFormatDialog, [&] {
    const WindowHandle dlg = GetActiveWindow();
    Click(dlg, kOk);
    stayed = IsWindow(dlg) != 0;
    EXPECT_TRUE(ClickClosing(dlg, kCancel));
  });
  EXPECT_TRUE(stayed);
  EXPECT_EQ(isLiveViewActive(getMainOutput()), 1);
}

// The progress window: per-disk labels, the result of each kind, the close
// refused until the worker is done, and the state given back.
TEST_F(Storage, ProgressWindowReportsEachKindAndClosesOnlyWhenDone) {
  struct Case {
    const char* name;
    int kind;
    int diskAnswer;  // of formatDisk / expandDisk
    std::string result;
    std::string lastStep;  // the label when the work is done
  };
  const std::string disk = Caption("formating", "disk");
  const std::string expand = Caption("format", "formating_hint_expand");
  const std::vector<Case> cases = {
      {"two expands", FORMAT_TYPE_EXPAND, 0, disk + "2  5  " + Caption("format", "expand_success"), expand + " 2/2:"},
      {"expands refused", FORMAT_TYPE_EXPAND, -1, disk + "2  5  " + Caption("format", "expand_fail"), expand + " 2/2:"},
      {"per-disk format refused", FORMAT_TYPE_DISKS, -1, disk + "2  5  " + Caption("format", "format_fail"),
       Caption("formating", "initing") + " 2/2:"},
      {"removable device", FORMAT_TYPE_USB, 0, Caption("format", "format_err_usb"),
       Caption("format", "formating_hint_format")},
  };
  for (const Case& c : cases) {
    storagetest::GiveDisks({2, 5}, c.kind);
    device_seam::overrideAnswer(formatDisk, c.diskAnswer);
    device_seam::overrideAnswer(expandDisk, c.diskAnswer);
    bool refusedWhileRunning = false;
    std::string result, lastStep;
    WindowHandle dlg = GUI_INVALID_HANDLE;
    storage_seam::holdFormatWorker(true);
    livetest::LoopSteps() = [&] {
      if (dlg == GUI_INVALID_HANDLE) dlg = GetActiveWindow();
      if (lastStep.empty()) {
        if (!storage_seam::formatWorkerHeld()) return (void)PostMessage(helper_, livetest::kRunSteps, 0, 0);
        lastStep = Text(dlg, kLabel);
        SendMessage(dlg, MSG_CLOSE, 0, 0);
        refusedWhileRunning = IsWindow(dlg) != 0;
        storage_seam::holdFormatWorker(false);
      }
      if (result.empty() && IsWindowVisible(GetDlgItem(dlg, kCancel))) {
        result = Text(dlg, kLabel);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, kBar)));
      }
      // Until the worker has finished the button's close is refused; a hand
      // clicks it once it is on.
      if (!result.empty() && IsWindowEnabled(GetDlgItem(dlg, kCancel))) {
        EXPECT_TRUE(ClickClosing(dlg, kCancel));
      }
      if (IsWindow(dlg)) PostMessage(helper_, livetest::kRunSteps, 0, 0);
    };
    helper_ = Main({0, 0, 4, 4}, livetest::StepsProc);
    PostMessage(helper_, livetest::kRunSteps, 0, 0);
    showFormatingDialog(helper_);
    EXPECT_TRUE(refusedWhileRunning) << c.name;
    EXPECT_EQ(lastStep, c.lastStep) << c.name;
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(GetPowerKeyDownFlag(), 0) << c.name;
    EXPECT_EQ(isDispSwitchEnabled(), 1) << c.name;
    EXPECT_EQ(GetCurrentCursor(), GetSystemCursor(0)) << c.name;
    FormatDiskArg arg{};
    getFormatDiskArg(&arg);
    if (c.kind != FORMAT_TYPE_USB) {
      EXPECT_EQ(arg.results[1], c.diskAnswer == 0 ? 1u : 0u) << c.name;
    }
  }
}

// A worker that cannot start ends the run as failed and lets it close.
TEST_F(Storage, AWorkerThatCannotStartEndsTheRunAsFailed) {
  storagetest::GiveDisks({3}, FORMAT_TYPE_EXPAND);
  device_seam::overrideAnswer(createDetachedThread, -1);
  std::string result;
  RunInLoop(showFormatingDialog, [&] {
    const WindowHandle dlg = GetActiveWindow();
    result = Text(dlg, kLabel);
    SendMessage(dlg, MSG_CLOSE, 0, 0);
  });
  EXPECT_EQ(result, Caption("formating", "disk") + "3  " + Caption("format", "expand_fail"));
  EXPECT_EQ(GetPowerKeyDownFlag(), 0);
}

// The local disk dialog: redundancy needs another read-write disk, the group
// question may be declined, and what is saved reaches the device.
TEST_F(Storage, LocalDiskSavesAttributeAndGroupOrRefuses) {
  uint8_t groupMode[4] = {1, 0, 0, 0};
  struct Case {
    const char* name;
    std::vector<DiskInfo> rows;
    int attr;   // button to click
    int group;  // 1..16
    int answer;
    int rc;
    int savedAttr;  // -1: nothing sent
    void (*refuse)() = nullptr;  // a write the device refuses
  };
  const std::vector<Case> cases = {
      {"the only disk cannot be redundancy", {Disk(0, 0, 10, 5)}, kAttrRedundant, 1, 6, -1, -1},
      {"redundancy beside a read-write disk", {Disk(0, 0, 10, 5), Disk(0, 1, 10, 5)}, kAttrRedundant, 1, 6, 0, 0},
      {"read-write after read-only", {Disk(0, 0, 10, 5, 1)}, kAttrRw, 1, 6, 0, 2},
      {"group question declined", {Disk(0, 0, 10, 5)}, kAttrReadOnly, 3, 7, -2, -1},
      {"group question answered", {Disk(0, 0, 10, 5)}, kAttrReadOnly, 3, 6, 0, 1},
      {"attribute refused", {Disk(0, 0, 10, 5)}, kAttrReadOnly, 3, 6, -5, 1,
       [] { device_seam::overrideAnswer(setDiskAttr, -5); }},
      {"group mask refused", {Disk(0, 0, 10, 5)}, kAttrReadOnly, 3, 6, -5, 1,
       [] { device_seam::overrideAnswer(setDiskGroupMask, -5); }},
      {"group refused", {Disk(0, 0, 10, 5)}, kAttrReadOnly, 3, 6, -5, 1,
       [] { device_seam::overrideAnswer(setDiskGroup, -5); }},
  };
  for (const Case& c : cases) {
    device_seam::resetAll();
    device_seam::overrideAnswer(getStorageMode, 0, groupMode, sizeof groupMode);
    Rows(c.rows);
    if (c.refuse) c.refuse();
    BoxAnswer() = c.answer;
    Boxes().clear();
    device_seam::startCallLog();
    int rc = 99;
    bool applyAfter = false;
    RunInLoop([](WindowHandle owner) { return showLocalHdSetDialog(owner, 0); }, [&] {
      const WindowHandle dlg = GetActiveWindow();
      Click(dlg, c.attr);
      Click(dlg, kGroupFirst + c.group - 1);
      rc = saveDiskAttrAndGroup(dlg, 0);
      Click(dlg, kApply);
      applyAfter = IsWindowEnabled(GetDlgItem(dlg, kApply));
      EXPECT_TRUE(ClickClosing(dlg, kCancel));
    });
    EXPECT_EQ(rc, c.rc) << c.name;
    EXPECT_EQ(applyAfter, c.rc != 0) << c.name << ": a refused save keeps Apply";
    if (c.refuse) {
      ASSERT_FALSE(Boxes().empty()) << c.name;
      EXPECT_EQ(Boxes().back().key, "savefailed_code") << c.name;
    }
    const std::vector<int64_t> attr = ArgsOf("setDiskAttr");
    if (c.savedAttr < 0) {
      EXPECT_TRUE(attr.empty()) << c.name;
    } else {
      ASSERT_EQ(attr.size(), 5u) << c.name;
      EXPECT_EQ(attr[3], c.savedAttr) << c.name;
    }
    if (c.group != 1 && c.rc == 0) {
      EXPECT_EQ(ArgsOf("setDiskGroup").back(), c.group) << c.name;
    }
  }
  BoxAnswer() = IDOK;
  EXPECT_EQ(saveDiskAttrAndGroup(0, 40), -3) << "a row past the list saves nothing";
}

// The network disk dialogs: the six refusals with their texts, the empty
// address sent as 0.0.0.0, and the full slots refused before the dialog.
TEST_F(Storage, NetworkDiskAddShowsEachRefusalAndSendsTheEntry) {
  const struct {
    int code;
    const char* key;
    int style;
  } codes[] = {{0x200122, "NethdIpErr", 64},     {0x200123, "NethdDirErr", 64},  {0x200007, "NethdExistErr", 64},
               {0x200124, "NethdIscsiErr", 64}, {-1, "NethdAddFail", 16},       {-2, "NethdNoSupport", 64}};
  for (const auto& code : codes) {
    device_seam::overrideAnswer(addNetDisk, code.code);
    Boxes().clear();
    bool stayed = false;
    RunInLoop([](WindowHandle owner) { return showNetHdAddDialog(owner, -1); }, [&] {
      const WindowHandle dlg = GetActiveWindow();
      EXPECT_TRUE(livetest::Pick(dlg, kNetType, 5));
      Click(dlg, kOk);
      stayed = IsWindow(dlg) != 0;
      EXPECT_TRUE(ClickClosing(dlg, kCancel));
    });
    EXPECT_TRUE(stayed) << code.key;
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{Caption("disk_nethdadd", code.key) + "/" +
                                                   std::to_string(code.style)});
  }
  // What the device is sent: slot 0, IP SAN on 3260, 0.0.0.0 and the folder;
  // the type chosen from its list by the mouse.
  device_seam::overrideAnswer(addNetDisk, 0);
  device_seam::startCallLog();
  RunInLoop([](WindowHandle owner) { return showNetHdAddDialog(owner, -1); }, [&] {
    const WindowHandle dlg = GetActiveWindow();
    EXPECT_TRUE(livetest::ChooseByMouse(dlg, kNetType, 1)) << "the type list opened and closed on its row";
    EXPECT_EQ(SendDlgItemMessage(dlg, kNetType, CB_GETSELVALUE, 0, 0), 5) << "IP SAN chosen";
    SendDlgItemMessage(dlg, kNetDir, MSG_SETTEXT, 0, reinterpret_cast<LParam>("/export"));
    EXPECT_TRUE(ClickClosing(dlg, kOk));
  });
  EXPECT_EQ(Calls("addNetDisk"), 1u);

  // Eight slots in use: the add dialog does not open.
  Rows({Disk(0, 0, 10, 5)});
  Open();
  device_seam::overrideAnswer(getNetDiskSlotMask, 0xFF);
  Boxes().clear();
  Click(page_, kAddNetHd);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Caption("disk_nethdadd", "NethdfullErr") + "/64"});
}

// A network disk change the device refuses (its address or folder),
// keeps the properties dialog open with the typed values; an accepted
// change closes it.
TEST_F(Storage, ARefusedNetworkDiskChangeKeepsTheDialogAndTheValues) {
  const struct {
    int answer;
    const char* ip;
    const char* box;  // key of the refusal's text
  } rows[] = {{0x200123, "192.168.1.30", "NethdDirErr"},
              {-1, "192.168.1.30", "NethdAddFail"},
              {0x200122, "192.168.1.30", "NethdIpErr"},
              {0, "192.168.1.30", nullptr}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.ip) + " " + std::to_string(row.answer));
    device_seam::resetAll();
    Rows({Disk(0, 0, 10, 5), Disk(9, 1, 10, 5, 0, 4)});
    ASSERT_TRUE(storagetest::KeepNas20());
    if (row.answer) device_seam::overrideAnswer(changeNetDisk, row.answer);
    Boxes().clear();
    bool stayed = false;
    std::string ip, dir;
    RunInLoop([](WindowHandle owner) { return showNetHdSetDialog(owner, 1); }, [&] {
      const WindowHandle dlg = GetActiveWindow();
      SendDlgItemMessage(dlg, kNetSetIp, MSG_SETTEXT, 0, reinterpret_cast<LParam>(row.ip));
      SendDlgItemMessage(dlg, kNetSetDir, MSG_SETTEXT, 0, reinterpret_cast<LParam>("/export/new"));
      ClickItem(dlg, kOk);
      livetest::PumpUntil([&] { return !IsWindowVisible(dlg) || !Boxes().empty(); });
      stayed = IsWindowVisible(dlg) != 0;
      if (!stayed) return;
      char text[160] = "";
      SendDlgItemMessage(dlg, kNetSetIp, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
      ip = text;
      SendDlgItemMessage(dlg, kNetSetDir, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
      dir = text;
      SendMessage(dlg, MSG_CLOSE, 0, 0);
    });
    EXPECT_EQ(stayed, row.box != nullptr);
    if (row.box) {
      ASSERT_EQ(Boxes().size(), 1u);
      EXPECT_EQ(Boxes()[0].text, Caption("disk_nethdadd", row.box));
      EXPECT_EQ(ip, row.ip);
      EXPECT_EQ(dir, "/export/new");
    } else {
      EXPECT_TRUE(Boxes().empty());
    }
    device_seam::clearOverrides();
  }
}

// Row actions act on Yes only and hold the live view while they run.
TEST_F(Storage, RowActionsActOnYesOnlyAndGiveTheBusyStateBack) {
  DiskInfo nas = Disk(9, 1, 1000, 500, 0, 4);  // number 20: network slot 3
  DiskInfo esata = Disk(1, 0, 1000, 500, 0, 7);
  for (int answer : {7, 1, 6}) {
    Rows({nas, esata});
    Open();
    const Held before = Now();
    BoxAnswer() = answer;
    device_seam::startCallLog();
    for (int row : {0, 1}) {
      const size_t asked = Boxes().size();
      livetest::ClickCell(GetDlgItem(page_, kList), row, kActionColumn);
      EXPECT_TRUE(livetest::PumpUntil([asked] { return Boxes().size() > asked; })) << answer << ", row " << row;
    }
    const size_t acted = answer == 6 ? 1u : 0u;
    EXPECT_EQ(Calls("removeNetDisk"), acted) << answer;
    EXPECT_EQ(Calls("loadDisk"), acted) << answer;
    if (answer == 6) {
      EXPECT_EQ(ArgsOf("removeNetDisk")[1], 20 - getLocalDiskNum());
    }
    EXPECT_EQ(Now(), before) << answer;
    EXPECT_EQ(GetCurrentCursor(), GetSystemCursor(0));
    SendMessage(win_, MSG_CLOSE, 0, 0);
  }
  // A refused request shows its code.
  Rows({nas});
  Open();
  device_seam::overrideAnswer(removeNetDisk, 0x300012);
  Boxes().clear();
  livetest::ClickCell(GetDlgItem(page_, kList), 0, kActionColumn);
  EXPECT_TRUE(livetest::PumpUntil([] { return Boxes().size() >= 2; }));
  char text[128];
  formatChecked(text, sizeof text, Caption("commons", "savefailed_code").c_str(), "d", 0x300012);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{Caption("disk_base", "remove_hint") + "/34", std::string(text) + "/16"}));
}

// The main menu's storage item opens the storage menu, whose first item
// opens the disk list, both through the page registry.
TEST_F(Storage, TheMenusReachThePagesThroughTheRegistry) {
  EXPECT_EQ(findPage(APP_MENU_MAIN, "disk"), showDiskMenu);
  ASSERT_NE(findPage(APP_MENU_STORAGE, "disk_base"), nullptr);
  EXPECT_EQ(findPage(APP_MENU_STORAGE, "disk_advance"), createDiskAdvanceWindow);
  WindowHandle pageInside = GUI_INVALID_HANDLE;
  RunInLoop([](WindowHandle owner) { return openMenuPage(APP_MENU_MAIN, "disk", owner); }, [&] {
    desktest::Drain();
    pageInside = getDiskPageWnd();
    SendMessage(getDiskMenuWnd(), MSG_CLOSE, 0, 0);
  });
  EXPECT_NE(pageInside, GUI_INVALID_HANDLE);
  EXPECT_EQ(getDiskPageWnd(), GUI_INVALID_HANDLE);
  EXPECT_EQ(getDiskMenuWnd(), GUI_INVALID_HANDLE);
}

}  // namespace
