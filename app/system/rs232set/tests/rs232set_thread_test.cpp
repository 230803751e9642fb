// The serial port page on the simulated device: what Apply saves, when it
// asks for a reboot, what it gives back when the user declines, and how
// the page looks; the system menu's item reaches it through the registry.
#include <string>
#include <vector>

#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/system_pages.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using livetest::LiveGui;

constexpr int kSpeed = 20432, kData = 20433, kUse = 20437, kApply = PAGE_ID_APPLY;
constexpr int kDeclined = 0x200226;

using livetest::Enabled;

Rs232Config Stored() {
  Rs232Config r{};
  getRs232Config(nullptr, &r);
  return r;
}

std::vector<int> g_hints;
int RecordHint(WindowHandle, int kind) {
  g_hints.push_back(kind);
  return 0;
}

class Rs232Set : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    Rs232Config r{};
    r.baudRate = 9;
    r.dataBits = 3;
    r.use = 1;
    ASSERT_EQ(setRs232Config(nullptr, &r, 1), 0);
    g_hints.clear();
    registerShutdownHint(RecordHint);
  }
  void TearDown() override {
    registerShutdownHint(createShutdownHintWindow);
    LiveGui::TearDown();
  }
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_SYSTEM, "232set", host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : livetest::Boxes()) texts.push_back(box.text + "/" + std::to_string(box.type));
  return texts;
}

TEST_F(Rs232Set, ApplySavesAsksForAUseChangeAndGivesBackThePowerKeyFlag) {
  const std::string ask = "The change takes effect after a reboot. Reboot now?/34";
  struct Row {
    const char* what;
    bool changeUse;
    int answer;
    int64_t saveAnswer;  // 0: the device's own
    bool saved, hint, applyAfter;
    std::vector<std::string> boxes;
  } rows[] = {
      {"baud only", false, IDYES, 0, true, false, false, {}},
      {"baud only, kept as it was", false, IDYES, 0x200001, true, false, false, {}},
      {"baud only, refused", false, IDYES, -5, false, false, true, {"Saving failed, error code: -5/16"}},
      // The new use is kept for the next start: No only declines the reboot.
      {"use, reboot declined", true, IDNO, 0, true, false, false, {ask}},
      {"use confirmed", true, IDYES, 0, true, true, false, {ask}},
      {"use refused, nothing asked", true, IDYES, -5, false, false, true, {"Saving failed, error code: -5/16"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    Open();
    EXPECT_FALSE(Enabled(page_, kApply));
    EXPECT_TRUE(livetest::Pick(page_, kSpeed, 12));
    if (row.changeUse) {
      EXPECT_TRUE(livetest::Pick(page_, kUse, 2));
    }
    EXPECT_TRUE(Enabled(page_, kApply));
    livetest::BoxAnswer() = row.answer;
    if (row.saveAnswer != 0) device_seam::overrideAnswer(setRs232Config, row.saveAnswer);
    device_seam::startCallLog();
    livetest::Click(page_, kApply);
    int sets = 0;
    for (const auto& call : device_seam::callLog()) sets += call.op == "setRs232Config";
    device_seam::clearOverrides();
    EXPECT_EQ(sets, 1);
    const Rs232Config now = Stored();
    EXPECT_EQ(now.baudRate, row.saved && row.saveAnswer == 0 ? 12 : 9);
    EXPECT_EQ(now.use, row.saved && row.saveAnswer == 0 && row.changeUse ? 2 : 1);
    EXPECT_EQ(now.dataBits, 3);
    EXPECT_EQ(g_hints, row.hint ? std::vector<int>{1} : std::vector<int>{});
    EXPECT_EQ(GetPowerKeyDownFlag(), 0);
    EXPECT_EQ(Enabled(page_, kApply), row.applyAfter);
    EXPECT_EQ(BoxTexts(), row.boxes);
    Close();
    TearDown();
  }
}

TEST_F(Rs232Set, ListsShowTheRecordAndTheDeviceRates) {
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  livetest::MatchesReference(__FILE__, "rs232set", livetest::SettledGrab(r));
  // The device's rates: every one but 76800.
  EXPECT_EQ(SendDlgItemMessage(page_, kSpeed, CB_GETCOUNT, 0, 0), 14);
  EXPECT_EQ(SendDlgItemMessage(page_, kSpeed, CB_GETSELVALUE, 0, 0), 9);
  EXPECT_GE(systest::RowOfValue(page_, kSpeed, 14), 0) << "115200 is offered";
  EXPECT_EQ(SendDlgItemMessage(page_, kData, CB_GETSELVALUE, 0, 0), 3);
  EXPECT_EQ(SendDlgItemMessage(page_, kUse, CB_GETCOUNT, 0, 0), 2);
  Close();
}

TEST_F(Rs232Set, TheSystemMenuItemOpensThePage) {
  EXPECT_EQ(findPage(APP_MENU_SYSTEM, "232set"), createRs232SetWindow);
}

}  // namespace
