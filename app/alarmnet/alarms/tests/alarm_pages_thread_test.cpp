// The alarm window on the simulated device with one IP camera reporting two
// inputs and two outputs: the input page's edit cache and copy against a
// reference model, the save answers, the copy dialogs and the status lists.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/alarmnet/alarms/alarm_items.h"
#include "app/alarmnet/events/event_sources.h"
#include "app/control_services.h"
#include "app/alarmnet_pages.h"
#include "app/device_backend.h"
#include "app/system_services.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using alarmnettest::ClickTab;
using livetest::Pick;
using alarmnettest::TypeInto;
using livetest::Click;
using livetest::Enabled;

constexpr int kIpInputs = 2, kIpOutputs = 2;
constexpr int kInNum = 20248, kInName = 20249, kInType = 20250, kInHandle = 20251, kInHandleSheet = 20252;
constexpr int kOutNum = 20269, kOutName = 20270, kOutDelay = 20271;
constexpr int kCopy = PAGE_ID_COPY, kApply = PAGE_ID_APPLY, kOk = PAGE_ID_OK, kCancel = IDCANCEL;
constexpr int kCopyInList = 20282, kCopyOutList = 20283, kStatusIn = 20225, kStatusOut = 20227;
constexpr int kStatusPage = 0, kInputPage = 1, kOutputPage = 2;

std::vector<int> g_hints;
int RecordHint(WindowHandle, int kind) {
  g_hints.push_back(kind);
  return 0;
}

std::string Cell(WindowHandle list, int index, int column) {
  const LResult row = SendMessage(list, LVM_GETITEMBYINDEX, static_cast<WParam>(index), 0);
  char text[128] = {};
  ListViewSubItemInfo cell{};
  cell.column = column;
  cell.text = text;
  cell.bufferSize = sizeof text;
  SendMessage(list, LVM_GETSUBITEMTEXT, static_cast<WParam>(row), reinterpret_cast<LParam>(&cell));
  return text;
}

ListViewItemInfo Row(WindowHandle list, int index) {
  ListViewItemInfo info{};
  info.index = index;
  SendMessage(list, LVM_GETITEM, 0, reinterpret_cast<LParam>(&info));
  return info;
}

std::string Text(WindowHandle page, int id) {
  char text[64] = {};
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

class AlarmPages : public alarmnettest::PageTest {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    IpChannelInfo info{};
    std::memcpy(info.bytes, "192.168.1.64", 13);
    ASSERT_EQ(addIpChannel(nullptr, 1, &info), 0);
    const int32_t counts[2] = {kIpInputs, kIpOutputs};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
    g_hints.clear();
    registerShutdownHint(RecordHint);
  }
  void TearDown() override {
    registerShutdownHint(nullptr);
    LiveGui::TearDown();
  }
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_SYSTEM, "alarmset", host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  WindowHandle Sheet() { return GetDlgItem(win_, PAGE_ID_SHEET); }
  WindowHandle Page(int index) {
    return static_cast<WindowHandle>(SendMessage(Sheet(), PSM_GETPAGE, static_cast<WParam>(index), 0));
  }
  // The page of tab `index`, shown by a click on its header.
  WindowHandle Show(int index) {
    EXPECT_TRUE(ClickTab(Sheet(), index)) << "tab " << index;
    return Page(index);
  }
  // Runs `steps` inside the dialog that a click on button `id` of `page` opens.
  void InDialog(WindowHandle page, int id, const std::function<void(WindowHandle)>& steps) {
    InDialogOf(page, id, {win_, host_}, steps);
  }
  // Copies the page's current item to the items of `codes` through the
  // dialog: their rows ticked by a click, then OK.
  void CopyTo(WindowHandle page, int listId, const std::vector<int>& codes) {
    InDialog(page, kCopy, [&](WindowHandle dlg) {
      const WindowHandle list = GetDlgItem(dlg, listId);
      for (int code : codes) alarmnettest::ClickRowCheck(list, code);
      alarmnettest::ClickClosing(dlg, kOk);
    });
  }
  // Closes the event handling sheet a click on `id` opened with its Cancel.
  void HandlingSheetCancelled(WindowHandle page, int id) {
    InDialog(page, id, alarmnettest::CancelSheet);
  }
  WindowHandle host_ = 0, win_ = 0;
};

// What the pages show and keep of an input.
struct In {
  std::string name;
  int type = 0, handling = 0;
  uint64_t mask = 0;
  int32_t holiday = 0;
  bool operator==(const In& o) const {
    return name == o.name && type == o.type && handling == o.handling && mask == o.mask && holiday == o.holiday;
  }
};
std::ostream& operator<<(std::ostream& os, const In& r) {
  return os << r.name << "/" << r.type << "/" << r.handling << "/" << r.mask << "/" << r.holiday;
}

In StoredIn(int code) {
  AlarmInConfig r{};
  getAlarmInConfig(nullptr, code / 256, code % 256, &r, 1);
  TimeSegment h[HOLIDAY_SEGMENTS] = {};
  getAlarmHolidaySched(nullptr, 1, code, h, 1);
  In in;
  in.name.assign(r.name, strnlen(r.name, sizeof r.name));
  in.type = r.alarmType;
  in.handling = r.handling;
  in.mask = r.recordChanMask;
  std::memcpy(&in.holiday, &h[0], sizeof in.holiday);
  return in;
}

void StoreIn(int code, const In& in) {
  AlarmInConfig r{};
  getAlarmInConfig(nullptr, code / 256, code % 256, &r, 1);
  std::memset(r.name, 0, sizeof r.name);
  std::memcpy(r.name, in.name.data(), in.name.size());
  r.alarmType = static_cast<uint8_t>(in.type);
  r.handling = static_cast<uint8_t>(in.handling);
  r.recordChanMask = in.mask;
  ASSERT_EQ(setAlarmInConfig(nullptr, code / 256, code % 256, &r, 1), 0);
  TimeSegment h[HOLIDAY_SEGMENTS] = {};
  std::memcpy(&h[0], &in.holiday, sizeof in.holiday);
  ASSERT_EQ(setAlarmHolidaySched(nullptr, 1, code, h, 1), 0);
}

std::vector<int> InputCodes() {
  std::vector<int> codes;
  for (int i = 0; i < getAlarmInNum(); ++i) codes.push_back(i);
  for (int k = 0; k < kIpInputs; ++k) codes.push_back(256 + k);
  return codes;
}

// The input page as the user sees it: the item being edited, the edits kept
// for the items switched away from, and what the device stores.
struct InputModel {
  std::map<int, In> device, cache;
  std::set<int> linked;  // items whose record link Apply wrote
  int current = 0;
  In working;

  void Switch(int code) {
    if (code == current) return;
    cache[current] = working;
    current = code;
    working = cache.count(code) ? cache[code] : device[code];
  }
  void Copy(const std::vector<int>& targets) {
    cache[current] = working;
    for (int t : targets) {
      const In base = cache.count(t) ? cache[t] : device[t];
      In copy = working;
      copy.name = base.name;
      copy.mask = base.mask;
      cache[t] = copy;
    }
  }
  void Apply() {
    device[current] = working;
    linked.insert(current);
    for (const auto& [code, rec] : cache) {
      if (code == current) continue;  // the item being edited was written first
      device[code] = rec;
      linked.insert(code);
    }
    cache.clear();
    working = device[current];
  }
};

TEST_F(AlarmPages, InputEditsSwitchesCopiesAndAppliesMatchAReferenceModel) {
  InputModel model;
  for (int code : InputCodes()) {
    In in{"In" + std::to_string(code), code % 2, 1, 0x10000ull << (code % 40), code * 7 + 3};
    StoreIn(code, in);
    model.device[code] = in;
  }
  model.working = model.device[0];
  Open();
  const WindowHandle status = GetDlgItem(Page(kStatusPage), kStatusIn);
  const WindowHandle page = Show(kInputPage);
  livetest::BoxAnswer() = IDNO;  // every reboot question declined
  std::mt19937 random(47);
  const std::vector<int> codes = InputCodes();
  auto pick = [&] { return codes[random() % codes.size()]; };
  for (int step = 0; step < livetest::RandomSteps(160); ++step) {
    SCOPED_TRACE(step);
    const int op = static_cast<int>(random() % 20);
    if (op < 8) {
      const int code = pick();
      ASSERT_TRUE(livetest::Pick(page, kInNum, code + 1));
      model.Switch(code);
      ASSERT_EQ(Text(page, kInName), model.working.name);
    } else if (op < 13) {
      const std::string name = "Edit" + std::to_string(random() % 1000);
      const int type = static_cast<int>(random() % 2), handling = static_cast<int>(random() % 2);
      ASSERT_TRUE(TypeInto(page, kInName, name));
      ASSERT_TRUE(livetest::Pick(page, kInType, type));
      if (SendDlgItemMessage(page, kInHandle, BM_GETCHECK, 0, 0) != handling) Click(page, kInHandle);
      ASSERT_EQ(SendDlgItemMessage(page, kInHandle, BM_GETCHECK, 0, 0), handling);
      model.working.name = name;
      model.working.type = type;
      model.working.handling = handling;
      // The event handling sheet gets the item's holiday in the exchange buffer.
      HandlingSheetCancelled(page, kInHandleSheet);
      int32_t exchanged = 0;
      std::memcpy(&exchanged, getHandleSetSource(), sizeof exchanged);
      ASSERT_EQ(exchanged, model.working.holiday);
      ASSERT_TRUE(Enabled(page, kApply));
    } else if (op < 17) {
      std::vector<int> targets;
      for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
        const int t = pick();
        // A second click on a row would untick it.
        if (t != model.current && std::find(targets.begin(), targets.end(), t) == targets.end()) targets.push_back(t);
      }
      if (targets.empty()) continue;
      CopyTo(page, kCopyInList, targets);
      model.Copy(targets);
    } else {
      // Apply takes a click only while something is to be written.
      if (Enabled(page, kApply)) {
        Click(page, kApply);
        model.Apply();
      } else {
        ASSERT_TRUE(model.working == model.device[model.current]) << "an edit without Apply";
        for (const auto& [code, rec] : model.cache) ASSERT_TRUE(rec == model.device[code]) << code;
      }
      for (int code : codes) {
        ASSERT_EQ(StoredIn(code), model.device[code]) << code;
        AlarmRecordLink link{};
        getAlarmRecordLink(nullptr, code + 1, 2, &link, 1);
        if (model.linked.count(code)) {
          EXPECT_EQ(link.chanMask, model.device[code].mask) << code;
        }
      }
      for (size_t row = 0; row < codes.size(); ++row)
        ASSERT_EQ(Cell(status, static_cast<int>(row), 1), model.device[codes[row]].name) << "status refilled";
    }
  }
  Close();
  EXPECT_EQ(getAlarmInParam()->name[0], 0) << "the sheet finds a zeroed record outside the page";
}

TEST_F(AlarmPages, SaveAnswersAndRebootQuestions) {
  struct Row {
    const char* what;
    int64_t deviceAnswer;  // of setAlarmInConfig; 0 keeps the record
    int code;              // item edited (its type toggled when `toggleType`)
    bool toggleType;
    int answer;
    std::vector<std::string> keys;  // boxes, as "section/key"
    bool written;
    bool applyAfter;
    std::vector<int> hints;
  } rows[] = {
      {"plain save", 0, 0, false, IDYES, {}, true, false, {}},
      {"name refused", DEVICE_ERR_NAME, 0, false, IDYES, {"Alarm Name is invalid, please enter it again!"}, false, true, {}},
      {"general failure", -1, 0, false, IDYES, {"commons/savefailed_code"}, false, true, {}},
      {"other code", 7, 0, false, IDYES, {"commons/savefailed_code"}, false, true, {}},
      {"device asks for a reboot, yes", DEVICE_ERR_ALARM_REBOOT, 0, false, IDYES, {"alarmset/reboothint"}, true, true, {1}},
      {"local type, no", 0, 0, true, IDNO, {"alarmset/reboothint"}, true, false, {}},
      {"local type, yes", 0, 0, true, IDYES, {"alarmset/reboothint"}, true, true, {1}},
      {"IP type only informs", 0, 256, true, IDYES, {"alarmset/ipcreboot"}, true, false, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    device_seam::resetKeptRecords();
    IpChannelInfo info{};
    EXPECT_EQ(addIpChannel(nullptr, 1, &info), 0);
    g_hints.clear();
    Open();
    const WindowHandle page = Show(kInputPage);
    ASSERT_TRUE(livetest::Pick(page, kInNum, row.code + 1));
    const In before = StoredIn(row.code);
    ASSERT_TRUE(TypeInto(page, kInName, "Changed"));
    if (row.toggleType) {
      ASSERT_TRUE(livetest::Pick(page, kInType, before.type ? 0 : 1));
    }
    if (row.deviceAnswer) device_seam::overrideAnswer(setAlarmInConfig, row.deviceAnswer);
    livetest::Boxes().clear();
    livetest::BoxAnswer() = row.answer;
    device_seam::startCallLog();
    Click(page, kApply);
    std::vector<std::string> keys;
    for (const auto& box : livetest::Boxes()) keys.push_back(box.key.empty() ? box.text : box.section + "/" + box.key);
    EXPECT_EQ(keys, row.keys);
    bool holidayWritten = false;
    for (const auto& call : device_seam::callLog()) holidayWritten |= call.op == "setAlarmHolidaySched";
    EXPECT_EQ(holidayWritten, row.written);
    if (!row.deviceAnswer) {
      EXPECT_EQ(StoredIn(row.code).name, "Changed");
    }
    EXPECT_EQ(Enabled(page, kApply), row.applyAfter);
    EXPECT_EQ(g_hints, row.hints);
    EXPECT_EQ(GetPowerKeyDownFlag(), 0) << "the power key is given back";
    device_seam::clearOverrides();
    const int32_t counts[2] = {kIpInputs, kIpOutputs};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
    Close();
  }
}

TEST_F(AlarmPages, ARefusedNameKeepsTheSelectionAndAnOfflineCameraIsNotSelected) {
  Open();
  const WindowHandle page = Show(kInputPage);
  ASSERT_TRUE(TypeInto(page, kInName, "a/b"));
  livetest::Pick(page, kInNum, 3);  // the list closes on the row, the box goes back
  EXPECT_EQ(SendDlgItemMessage(page, kInNum, CB_GETSELVALUE, 0, 0), 1) << "the selection goes back";
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Alarm Name is invalid, please enter it again!");
  EXPECT_EQ(Text(page, kInName), "a/b") << "the edit stays to be mended";
  livetest::Boxes().clear();
  ASSERT_TRUE(TypeInto(page, kInName, "Door"));
  device_seam::overrideAnswer(isChannelUsable, 0);
  // The row is out of the open list's view: the arrow keys walk there, and
  // the page follows each row they pass.
  livetest::Pick(page, kInNum, 256 + 1);
  EXPECT_LE(SendDlgItemMessage(page, kInNum, CB_GETSELVALUE, 0, 0), getAlarmInNum()) << "a local item stays selected";
  ASSERT_GE(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].key, "alarmin_not_sup");
  Close();
}

TEST_F(AlarmPages, CopyDialogsOfferOtherOnlineItemsAndHandBackTheChoice) {
  Open();
  for (const bool inputs : {true, false}) {
    SCOPED_TRACE(inputs ? "inputs" : "outputs");
    const WindowHandle page = Show(inputs ? kInputPage : kOutputPage);
    const int listId = inputs ? kCopyInList : kCopyOutList;
    const int local = inputs ? getAlarmInNum() : getAlarmOutNum();
    ASSERT_TRUE(livetest::Pick(page, inputs ? kInNum : kOutNum, 2));  // the second local item
    device_seam::overrideAnswer(isChannelUsable, 0);
    std::vector<uint32_t> flags;
    std::vector<std::string> labels;
    std::vector<int> keyChecks;
    // Keys, a checked row, then Cancel: nothing is handed back.
    livetest::Boxes().clear();
    InDialog(page, kCopy, [&](WindowHandle dlg) {
      const WindowHandle list = GetDlgItem(dlg, listId);
      const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < rows; ++i) {
        flags.push_back(Row(list, i).flags);
        labels.push_back(Cell(list, i, 0));
      }
      // The check key toggles the selected row, here the first one, chosen
      // by a click on its name.
      alarmnettest::ClickRow(list, 0);
      for (int press = 0; press < 2; ++press) {
        const LResult before = SendMessage(list, LVM_GETCHECKED, 0, 0);
        livetest::PressKey(PANEL_KEY_CHECK);
        livetest::PumpUntil([&] { return SendMessage(list, LVM_GETCHECKED, 0, 0) != before; });
        keyChecks.push_back(static_cast<int>(SendMessage(list, LVM_GETCHECKED, 0, 0)));
      }
      alarmnettest::ClickRowCheck(list, 0);
      EXPECT_EQ(SendMessage(list, LVM_GETCHECKED, 0, 0), 1);
      alarmnettest::ClickClosing(dlg, kCancel);
    });
    ASSERT_EQ(static_cast<int>(flags.size()), local + 2);
    for (int i = 0; i < local; ++i) EXPECT_EQ(flags[i], i == 1 ? 36u : 4u) << i;
    EXPECT_EQ(flags[local], 36u) << "an offline camera's items are not offered";
    EXPECT_EQ(labels[0], inputs ? "A<-1" : "A->1");
    EXPECT_EQ(labels[local + 1], inputs ? "D1<-2" : "D1->2");
    EXPECT_EQ(keyChecks, (std::vector<int>{1, 0}));
    EXPECT_TRUE(livetest::Boxes().empty());
    uint64_t mask = 1;
    uint8_t bytes[IP_ALARM_CAMERAS] = {1};
    (inputs ? getCopyAlarmInChoice : getCopyAlarmOutChoice)(&mask, bytes);
    EXPECT_EQ(mask, 0u) << "Cancel hands back nothing";
    EXPECT_EQ(bytes[0], 0);
    device_seam::clearOverrides();
    const int32_t counts[2] = {kIpInputs, kIpOutputs};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
    CopyTo(page, listId, {0, 257});
    (inputs ? getCopyAlarmInChoice : getCopyAlarmOutChoice)(&mask, bytes);
    EXPECT_EQ(mask, 1ull | 1ull << local);
    EXPECT_EQ(bytes[0], 2);
  }
  Close();
}

// A cached item's record or holiday write that the device refuses is
// shown, keeps Apply and keeps the edit: the next Apply writes it.
TEST_F(AlarmPages, ARefusedWriteOfACachedItemKeepsItsEdit) {
  const struct Row {
    int page, numId, nameId;
    device_seam::Op op;
    std::vector<int64_t> leading;  // the refused call's first arguments
  } rows[] = {{kInputPage, kInNum, kInName, setAlarmInConfig, {0, 0}},
              {kInputPage, kInNum, kInName, setAlarmHolidaySched, {1, 0}},
              {kOutputPage, kOutNum, kOutName, setAlarmOutConfig, {0, 0}},
              {kOutputPage, kOutNum, kOutName, setAlarmHolidaySched, {2, 0}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.op.name());
    device_seam::resetKeptRecords();
    IpChannelInfo info{};
    EXPECT_EQ(addIpChannel(nullptr, 1, &info), 0);
    Open();
    const WindowHandle page = Show(row.page);
    ASSERT_TRUE(TypeInto(page, row.nameId, "First"));
    ASSERT_TRUE(livetest::PickRow(page, row.numId, 1));
    ASSERT_TRUE(TypeInto(page, row.nameId, "Second"));
    device_seam::overrideAnswerFor(row.op, row.leading, -1);
    livetest::Boxes().clear();
    livetest::ClickItem(page, kApply);
    ASSERT_TRUE(livetest::PumpUntil([] { return !livetest::Boxes().empty(); }));
    EXPECT_EQ(livetest::Boxes()[0].section + "/" + livetest::Boxes()[0].key, "commons/savefailed_code");
    EXPECT_TRUE(Enabled(page, kApply));
    device_seam::clearOverrides();
    const int32_t counts[2] = {kIpInputs, kIpOutputs};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
    livetest::Boxes().clear();
    livetest::ClickItem(page, kApply);
    EXPECT_TRUE(livetest::PumpUntil([page] { return !Enabled(page, kApply); }));
    EXPECT_TRUE(livetest::Boxes().empty());
    char names[2][33] = {};
    for (int index = 0; index < 2; ++index) {
      if (row.page == kInputPage) {
        AlarmInConfig r{};
        getAlarmInConfig(nullptr, 0, index, &r, 1);
        std::memcpy(names[index], r.name, 32);
      } else {
        AlarmOutConfig r{};
        getAlarmOutConfig(nullptr, 0, index, &r, 1);
        std::memcpy(names[index], r.name, 32);
      }
    }
    EXPECT_STREQ(names[0], "First") << "the refused item's edit is kept";
    EXPECT_STREQ(names[1], "Second");
    Close();
  }
}

TEST_F(AlarmPages, OutputCopiesKeepTheTargetsNameAndApplyWritesThemAll) {
  Open();
  const WindowHandle page = Show(kOutputPage);
  ASSERT_TRUE(livetest::Pick(page, kOutNum, 1));
  ASSERT_TRUE(TypeInto(page, kOutName, "Siren"));
  ASSERT_TRUE(livetest::Pick(page, kOutDelay, 4));
  CopyTo(page, kCopyOutList, {2, 257});
  Click(page, kApply);
  struct Want {
    int group, index;
    const char* name;
  } wants[] = {{0, 0, "Siren"}, {0, 2, ""}, {1, 1, ""}};
  for (const Want& w : wants) {
    AlarmOutConfig r{};
    ASSERT_EQ(getAlarmOutConfig(nullptr, w.group, w.index, &r, 1), 0);
    EXPECT_EQ(r.delay, 4u) << w.index;
    EXPECT_STREQ(r.name, w.name) << "each keeps its own name";
  }
  AlarmOutConfig untouched{};
  getAlarmOutConfig(nullptr, 0, 1, &untouched, 1);
  EXPECT_EQ(untouched.delay, 0u);
  const WindowHandle status = GetDlgItem(Page(kStatusPage), kStatusOut);
  EXPECT_EQ(Cell(status, 0, 1), "Siren");
  EXPECT_EQ(Cell(status, 0, 3), "2 min");
  Close();
}

TEST_F(AlarmPages, StatusListsNumberLocalAndCameraItemsAndPagesNeedItems) {
  Open();
  const WindowHandle in = GetDlgItem(Page(kStatusPage), kStatusIn);
  const WindowHandle out = GetDlgItem(Page(kStatusPage), kStatusOut);
  const int local = getAlarmInNum();
  ASSERT_EQ(SendMessage(in, LVM_GETITEMCOUNT, 0, 0), local + 2);
  EXPECT_EQ(Cell(in, 0, 0), "A<-1");
  EXPECT_EQ(Cell(in, 0, 2), "Local");
  EXPECT_EQ(Cell(in, 0, 3), "Normally Open");
  EXPECT_EQ(Cell(in, local, 0), "D1<-1");
  EXPECT_EQ(Cell(in, local + 1, 0), "D1<-2");
  EXPECT_EQ(Cell(in, local + 1, 2), "192.168.1.64");
  EXPECT_EQ(Row(in, local).addData, 256u);
  EXPECT_EQ(Row(in, local + 1).addData, 257u);
  EXPECT_EQ(Cell(out, getAlarmOutNum() + 1, 0), "D1->2");
  EXPECT_EQ(Row(out, getAlarmOutNum() + 1).addData, 257u);
  Rect r{};
  GetWindowRect(win_, &r);
  livetest::MatchesReference(__FILE__, "alarm_status", livetest::SettledGrab(r));
  const WindowHandle input = Show(kInputPage);
  livetest::MatchesReference(__FILE__, "alarm_input", livetest::SettledGrab(r));
  InDialog(input, kCopy, [&](WindowHandle dlg) {
    Rect d{};
    GetWindowRect(dlg, &d);
    desktest::Drain();
    livetest::MatchesReference(__FILE__, "copy_alarm_in", livetest::SettledGrab(d));
    alarmnettest::ClickClosing(dlg, kCancel);
  });
  Close();
  // Without inputs anywhere the input page is not offered.
  const int inputs = getAlarmInNum();
  device_seam::mutableAbility()->alarmInNum = 0;
  const int32_t counts[2] = {0, kIpOutputs};
  device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
  EXPECT_EQ(hasAlarmIn(), 0);
  EXPECT_EQ(hasAlarmOut(), 1);
  Open();
  EXPECT_FALSE(ClickTab(Sheet(), kInputPage));
  EXPECT_NE(SendMessage(Sheet(), PSM_GETACTIVEINDEX, 0, 0), kInputPage);
  Close();
  device_seam::mutableAbility()->alarmInNum = inputs;
}

}  // namespace
