// The advanced record page on the simulated device: the overwrite warning,
// the port-use change with its reboot question, and the encryption rows.
#include <cstring>
#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/page_registry.h"
#include "app/page_ids.h"
#include "app/record/record_input_test.h"
#include "app/record/record_page_test.h"
#include "app/testing/page_harness.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace {

using namespace recordtest;

constexpr int kOverwrite = 18688, kPort = 18689, kUse = 18690, kEncrypt = 18691, kPassword = 18692, kWarn = 18695,
              kApply = PAGE_ID_APPLY;

using livetest::Click;

// A check box clicked: its state flips.
void Toggle(WindowHandle page, int id) {
  const LResult was = SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0);
  Click(page, id);
  EXPECT_NE(SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0), was) << id;
}
void Choose(WindowHandle page, int combo, int value) { EXPECT_TRUE(livetest::Pick(page, combo, value)) << value; }
bool Visible(WindowHandle page, int id) { return IsWindowVisible(GetDlgItem(page, id)); }

AdvRecordConfig Stored() {
  AdvRecordConfig r{};
  getAdvRecordConfig(nullptr, &r, 1);
  return r;
}

int g_hints = 0;
int CountHint(WindowHandle, int kind) {
  g_hints += kind == 1 ? 1 : 100;
  return 0;
}

class AdvRecordPage : public RecordPage {
 protected:
  void SetUp() override {
    RecordPage::SetUp();
    g_hints = 0;
    registerShutdownHint(CountHint);
  }
  void Open() { RecordPage::Open("advanceset"); }
};

TEST_F(AdvRecordPage, WithAndWithoutTheWarningOnScreen) {
  Open();
  Rect r{};
  GetWindowRect(win_, &r);
  const bool overwrite = SendDlgItemMessage(page_, kOverwrite, BM_GETCHECK, 0, 0) == 1;
  EXPECT_EQ(Visible(page_, kWarn), !overwrite);
  desktest::Drain();
  livetest::MatchesReference(__FILE__, overwrite ? "advrecord_overwrite" : "advrecord_warning", livetest::SettledGrab(r));
  Toggle(page_, kOverwrite);
  desktest::Drain();
  EXPECT_EQ(Visible(page_, kWarn), overwrite);
  livetest::MatchesReference(__FILE__, overwrite ? "advrecord_warning" : "advrecord_overwrite", livetest::SettledGrab(r));
  EXPECT_TRUE(Enabled(page_, kApply));
  Close();
}

// The port list: eSATA 1 is disk 24, miniSAS n is disk 25 + n, and the list
// stops at disk 32.
TEST_F(AdvRecordPage, PortListStopsAtTheLastDisk) {
  Open();
  const int count = static_cast<int>(SendDlgItemMessage(page_, kPort, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(count, 1 + (32 - 25));
  EXPECT_EQ(static_cast<int>(SendDlgItemMessage(page_, kPort, CB_GETSELVALUE, 0, 0)), 24);
  Close();
}

// The reboot question: unchanged use saves silently; No keeps everything
// unsaved with Apply on; Yes writes and opens the reboot hint; a failed
// write after Yes shows its code. The power-key flag, the display switch and
// the cursor are given back every time.
TEST_F(AdvRecordPage, PortUseChangeAndTheRebootQuestion) {
  struct Row {
    const char* name;
    bool changeUse;
    int answer;
    int writeCode;
    bool stored;
    int hints;
    std::vector<std::string> boxes;
  } rows[] = {
      {"unchanged", false, IDYES, 0, true, 0, {}},
      // No declines the reboot only: the use waits for the next start, and
      // the overwrite switch, which needs no reboot, is kept either way.
      {"no", true, IDNO, 0, true, 0,
       {"The eSATA/miniSAS use takes effect after a reboot. Reboot now?/34"}},
      {"yes", true, IDYES, 0, true, 1,
       {"The eSATA/miniSAS use takes effect after a reboot. Reboot now?/34"}},
      {"yes, second success code", true, IDYES, 0x200001, true, 1,
       {"The eSATA/miniSAS use takes effect after a reboot. Reboot now?/34"}},
      {"failed write asks nothing", true, IDYES, 0x200300, false, 0, {"Saving failed, error code: 2097920/16"}},
  };
  for (const Row& row : rows) {
    device_seam::resetAll();
    g_hints = 0;
    setDispSwitchEnabled(1);
    Open();
    const AdvRecordConfig before = Stored();
    Toggle(page_, kOverwrite);
    if (row.changeUse) Choose(page_, kUse, before.diskUse[24] ? 0 : 1);
    livetest::BoxAnswer() = row.answer;
    if (row.writeCode) device_seam::overrideAnswer(setAdvRecordConfig, row.writeCode);
    Click(page_, kApply);
    device_seam::clearOverrides();
    livetest::BoxAnswer() = IDOK;
    const AdvRecordConfig after = Stored();
    if (row.writeCode == 0x200001) {
      // The override answered without keeping: only the answer counts here.
    } else if (row.stored) {
      EXPECT_NE(after.overwrite, before.overwrite) << row.name;
      EXPECT_EQ(after.diskUse[24], row.changeUse ? !before.diskUse[24] : before.diskUse[24]) << row.name;
    } else {
      EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0) << row.name;
    }
    EXPECT_EQ(BoxTexts(), row.boxes) << row.name;
    EXPECT_EQ(Enabled(page_, kApply), !row.stored && row.writeCode != 0x200001) << row.name;
    EXPECT_EQ(g_hints, row.hints) << row.name;
    EXPECT_EQ(GetPowerKeyDownFlag(), 0) << row.name;
    EXPECT_EQ(isDispSwitchEnabled(), 1) << row.name;
    Close();
  }
}

// Only the administrator sees the encryption rows, and only the
// administrator's save touches the device's encryption record.
TEST_F(AdvRecordPage, EncryptionRowsForTheAdministratorOnly) {
  for (int admin : {1, 0}) {
    device_seam::resetAll();
    setLoginState(3, admin ? 0 : 1, 1);
    Open();
    EXPECT_EQ(IsValidHandle(GetDlgItem(page_, kEncrypt)), admin == 1) << admin;
    EXPECT_EQ(IsValidHandle(GetDlgItem(page_, kPassword)), admin == 1) << admin;
    device_seam::startCallLog();
    Toggle(page_, kOverwrite);
    if (admin) {
      Toggle(page_, kEncrypt);
      SetDlgItemText(page_, kPassword, "secret");
    }
    Click(page_, kApply);
    size_t writes = 0;
    for (const auto& call : device_seam::callLog()) writes += call.op == "setRecordEncryptConfig";
    EXPECT_EQ(writes, admin ? 1u : 0u) << admin;
    if (admin) {
      RecordEncryptConfig e{};
      getRecordEncryptConfig(&e);
      EXPECT_STREQ(e.password, "secret");
      EXPECT_EQ(e.passwordLength, 6);
    }
    Close();
  }
  setLoginState(3, 0, 0);
}

// Without miniSAS ports the question names eSATA only; without any port
// the combo is empty, a use change only enables Apply and the save asks
// nothing.
TEST_F(AdvRecordPage, FewerPorts) {
  DeviceAbility* ability = device_seam::mutableAbility();
  const DeviceAbility saved = *ability;
  ability->miniSasNum = 0;
  Open();
  Choose(page_, kUse, Stored().diskUse[24] ? 0 : 1);
  livetest::BoxAnswer() = IDNO;
  Click(page_, kApply);
  livetest::BoxAnswer() = IDOK;
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The eSATA use takes effect after a reboot. Reboot now?/34"});
  Close();
  ability->esataNum = 0;
  Open();
  EXPECT_EQ(SendDlgItemMessage(page_, kPort, CB_GETCOUNT, 0, 0), 0);
  const AdvRecordConfig before = Stored();
  Choose(page_, kUse, 1);
  EXPECT_TRUE(Enabled(page_, kApply));
  Click(page_, kApply);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_EQ(std::memcmp(Stored().diskUse, before.diskUse, sizeof before.diskUse), 0);
  EXPECT_EQ(g_hints, 0);
  Close();
  *ability = saved;
}

}  // namespace
