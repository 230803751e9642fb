// The exception page and the manual alarm page on the simulated device with
// one IP camera reporting two alarm outputs.
#include <cstring>
#include <string>
#include <vector>

#include "app/alarmnet_pages.h"
#include "app/device_backend.h"
#include "app/alarmnet/tests/alarmnet_input.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "app/page_keys.h"

namespace {

using livetest::Pick;
using livetest::Click;
using livetest::Enabled;
using livetest::LiveGui;

constexpr int kType = 20464, kAudio = 20465, kUpload = 20466, kEmail = 20467, kAlarmOut = 20468, kOutList = 20469;
constexpr int kApply = PAGE_ID_APPLY, kAllTypes = 255;
constexpr int kManualList = 17984, kSingle = 17985, kTriggerAll = 17986, kClearAll = 17987;

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

EventLinkage Entry(int type) {
  ExceptionLinkageTable t{};
  getExceptionConfig(nullptr, &t);
  return t.entries[type - 1];
}

bool Same(const EventLinkage& a, const EventLinkage& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Checked(WindowHandle page, int id) { return SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == 1; }
// A check box clicked when it is not as wanted.
void Tick(WindowHandle page, int id, bool on) {
  if (Checked(page, id) != on) Click(page, id);
  EXPECT_EQ(Checked(page, id), on) << id;
}

class OutputPages : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    IpChannelInfo info{};
    std::memcpy(info.bytes, "10.0.0.9", 9);
    ASSERT_EQ(addIpChannel(nullptr, 1, &info), 0);
    const int32_t counts[2] = {0, 2};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
  }
  WindowHandle OpenPage(int menu, const char* item, WindowHandle (*slot)()) {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    EXPECT_EQ(openMenuPage(menu, item, host_), 0);
    win_ = slot();
    desktest::Drain();
    return static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
  }
  WindowHandle host_ = 0, win_ = 0;
};

TEST_F(OutputPages, ExceptionTypesKeepTheirEditsAndAllTypesAppliesToEveryType) {
  ExceptionLinkageTable t{};
  t.entries[0] = {LINK_AUDIO | LINK_ALARM_OUT, 0x2, {0x1}};
  t.entries[2] = {LINK_EMAIL | LINK_POPUP, 0, {}};
  ASSERT_EQ(setExceptionConfig(nullptr, &t), 0);
  const WindowHandle page = OpenPage(APP_MENU_SYSTEM, "exception", getSystemPageWnd);
  const WindowHandle list = GetDlgItem(page, kOutList);
  // Type 1 as stored: the boxes, the rows (local first) and their checks.
  EXPECT_EQ(SendDlgItemMessage(page, kType, CB_GETSELVALUE, 0, 0), 1);
  EXPECT_TRUE(Checked(page, kAudio));
  EXPECT_TRUE(Checked(page, kAlarmOut));
  EXPECT_TRUE(IsWindowVisible(list));
  ASSERT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), getAlarmOutNum() + 2);
  std::vector<int> checks;
  for (int i = 0; i < getAlarmOutNum() + 2; ++i) checks.push_back(static_cast<int>(SendMessage(list, LVM_GETCHECKED, i, 0)));
  EXPECT_EQ(checks, (std::vector<int>{0, 1, 0, 0, 1, 0}));
  EXPECT_EQ(Cell(list, getAlarmOutNum(), 0), "D1->1");
  EXPECT_EQ(Cell(list, getAlarmOutNum(), 2), "10.0.0.9");
  Rect r{};
  GetWindowRect(win_, &r);
  livetest::MatchesReference(__FILE__, "exceptions", livetest::SettledGrab(r));

  // Network and address exceptions cannot notify the centre.
  EXPECT_TRUE(livetest::Pick(page, kType, 3));
  EXPECT_FALSE(Enabled(page, kUpload));
  EXPECT_TRUE(Checked(page, kEmail));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_TRUE(livetest::Pick(page, kType, 4));
  EXPECT_FALSE(Enabled(page, kUpload));
  EXPECT_TRUE(livetest::Pick(page, kType, 1));
  EXPECT_TRUE(Enabled(page, kUpload));

  // An edit of type 1 is kept in the table while another type is shown.
  Tick(page, kAudio, false);
  alarmnettest::ClickRowCheckAt(list, 0);
  EXPECT_TRUE(livetest::Pick(page, kType, 2));
  EXPECT_FALSE(Checked(page, kAudio));
  EXPECT_TRUE(livetest::Pick(page, kType, 1));
  EXPECT_FALSE(Checked(page, kAudio));
  EXPECT_EQ(SendMessage(list, LVM_GETCHECKED, 0, 0), 1);
  EXPECT_TRUE(Same(Entry(1), t.entries[0])) << "nothing is written before Apply";
  // The keys change the checks without enabling Apply.
  Click(page, kApply);
  EXPECT_FALSE(Enabled(page, kApply));
  alarmnettest::ClickRow(list, 0);  // selected by a click on its name
  livetest::PressKey(PANEL_KEY_CHECK);
  EXPECT_TRUE(livetest::PumpUntil([list] { return SendMessage(list, LVM_GETCHECKED, 0, 0) == 0; }));
  EXPECT_FALSE(Enabled(page, kApply));
  EXPECT_EQ(Entry(1).localOutputs, 0x3u);

  // All types: the boxes keep what they show; Apply gives every type of the
  // table the same handling, offered or not.
  EXPECT_TRUE(livetest::Pick(page, kType, kAllTypes));
  EXPECT_TRUE(Enabled(page, kApply));
  Tick(page, kEmail, true);
  Click(page, kApply);
  const EventLinkage all = Entry(1);
  EXPECT_EQ(all.actions, static_cast<uint32_t>(LINK_EMAIL | LINK_ALARM_OUT));
  EXPECT_EQ(all.localOutputs, 0x2u);
  EXPECT_EQ(all.ipOutputs[0], 0x1);
  for (int type : {2, 3, 4, 5, 6, 7, 13}) EXPECT_TRUE(Same(Entry(type), all)) << type;
  EXPECT_TRUE(Same(Entry(8), EventLinkage{})) << "types outside the table stay";

  // Edits under all types are dropped by switching away without Apply.
  Tick(page, kAudio, true);
  EXPECT_TRUE(livetest::Pick(page, kType, 5));
  EXPECT_FALSE(Checked(page, kAudio));
  // Without "alarmout" a type triggers no output.
  Tick(page, kAlarmOut, false);
  EXPECT_FALSE(IsWindowVisible(list));
  Click(page, kApply);
  EXPECT_EQ(Entry(5).localOutputs, 0u);
  EXPECT_EQ(Entry(5).ipOutputs[0], 0);
  EXPECT_EQ(Entry(5).actions, static_cast<uint32_t>(LINK_EMAIL));
  // A refused save keeps the edits and Apply for another attempt.
  device_seam::overrideAnswer(setExceptionConfig, -1);
  Tick(page, kAudio, true);
  livetest::Boxes().clear();
  Click(page, kApply);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].text, "Saving failed, error code: -1");
  EXPECT_TRUE(Enabled(page, kApply));
  EXPECT_TRUE(Checked(page, kAudio));
  Close();
}

TEST_F(OutputPages, ManualAlarmTriggersAndClearsOneOrAllOutputs) {
  const WindowHandle page = OpenPage(APP_MENU_MANUAL, "manual_alarm", getManualPageWnd);
  const WindowHandle list = GetDlgItem(page, kManualList);
  const WindowHandle single = GetDlgItem(page, kSingle);
  const int local = getAlarmOutNum();
  ASSERT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), local + 2);
  EXPECT_TRUE(livetest::Boxes().empty()) << "no box while opening";
  EXPECT_STREQ(GetWindowCaption(single), "Trigger");
  EXPECT_EQ(Cell(list, local + 1, 0), "D1->2");
  auto select = [&](int index) { alarmnettest::ClickRow(list, index); };
  struct Step {
    const char* what;
    int index;                 // row selected before the single button
    int64_t ipAnswer;          // of setIpAlarmOutState
    const char* device;        // the operation that ran, or null
    std::vector<int64_t> args;
    const char* cell;          // the row's state afterwards
    const char* caption;
  } steps[] = {
      {"trigger local 2", 1, 0, "triggerLocalAlarmOut", {0, 1}, "Yes", "Clear"},
      {"clear local 2", 1, 0, "clearLocalAlarmOut", {0, 1}, "No", "Trigger"},
      {"trigger camera output 2", local + 1, 0, "setIpAlarmOutState", {0, 1, 1, 1}, "Yes", "Clear"},
      {"camera refuses the clear", local + 1, -1, "setIpAlarmOutState", {0, 1, 1, 0}, "Yes", "Clear"},
      {"clear camera output 2", local + 1, 0, "setIpAlarmOutState", {0, 1, 1, 0}, "No", "Trigger"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    select(s.index);
    if (s.ipAnswer) device_seam::overrideAnswer(setIpAlarmOutState, s.ipAnswer);
    device_seam::startCallLog();
    Click(page, kSingle);
    bool ran = false;
    for (const auto& call : device_seam::callLog()) ran |= call.op == s.device && call.args == s.args;
    EXPECT_TRUE(ran);
    EXPECT_EQ(Cell(list, s.index, 3), s.cell);
    EXPECT_STREQ(GetWindowCaption(single), s.caption);
    device_seam::clearOverrides();
    const int32_t counts[2] = {0, 2};
    device_seam::overrideAnswer(getChannelAlarmFlags, 0, counts, sizeof counts);
  }
  // Trigger all and clear all only on Yes.
  for (const int answer : {IDNO, IDYES}) {
    livetest::BoxAnswer() = answer;
    livetest::Boxes().clear();
    Click(page, kTriggerAll);
    ASSERT_EQ(livetest::Boxes().size(), 1u);
    EXPECT_EQ(livetest::Boxes()[0].key, "triggerall_hint");
    for (int i = 0; i < local + 2; ++i) EXPECT_EQ(Cell(list, i, 3), answer == IDYES ? "Yes" : "No") << i;
  }
  EXPECT_STREQ(GetWindowCaption(single), "Clear");
  Rect r{};
  GetWindowRect(win_, &r);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, "manual_alarm_all", livetest::SettledGrab(r));
  Click(page, kClearAll);
  for (int i = 0; i < local + 2; ++i) EXPECT_EQ(Cell(list, i, 3), "No") << i;
  EXPECT_STREQ(GetWindowCaption(single), "Trigger");
  Close();
  // The rows of a camera that cannot be reached are marked.
  device_seam::overrideAnswer(isChannelUsable, 0);
  const WindowHandle again = OpenPage(APP_MENU_MANUAL, "manual_alarm", getManualPageWnd);
  ListViewItemInfo info{};
  info.index = local;
  SendMessage(GetDlgItem(again, kManualList), LVM_GETITEM, 0, reinterpret_cast<LParam>(&info));
  EXPECT_EQ(info.flags, 32u);
  EXPECT_EQ(info.addData, 256u);
  Close();
  EXPECT_EQ(getManualPageWnd(), GUI_INVALID_HANDLE);
}

}  // namespace
