// The first-start language dialog on the simulated device, opened the way
// the live view opens it: which languages it offers, what Next and Cancel
// keep, and the switch to a language that rebuilds the texts.
#include <string>
#include <vector>

#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/system_pages.h"
#include "gui/combobox.h"
#include "gui/gui_etc.h"
#include "gui/message.h"

namespace {

using livetest::LiveGui;

constexpr int kLanguage = 16384, kNext = 4112, kCancel = 2;
constexpr int kEnglish = 1, kGerman = 33;

int StoredLanguage() {
  DeviceConfig c{};
  getDeviceConfig(nullptr, &c);
  return c.language;
}

class LangSel : public LiveGui {
 protected:
  void SetLanguage(int id) {
    getCachedDeviceConfig()->language = id;
    ASSERT_EQ(setDeviceConfig(nullptr, getCachedDeviceConfig(), 1), 0);
  }
  void TearDown() override {
    // The texts go back to English for the next test.
    SetLanguage(kEnglish);
    SetValueToGuiEtc("menuinfo", "language", "1");
    LiveGui::TearDown();
  }
};

TEST_F(LangSel, NextSavesOnlyAChangedLanguageAndSwitchesToIt) {
  struct Row {
    const char* what;
    int deviceLanguage;
    int choose;  // item value, 0: as shown
    int button;
    int shown, language, saves;
    const char* nextText;
  } rows[] = {
      {"next unchanged", kEnglish, 0, kNext, 1, kEnglish, 0, "Next"},
      {"cancel after a choice", kEnglish, 7, kCancel, 1, kEnglish, 0, "Next"},
      {"next to German", kEnglish, 7, kNext, 1, kGerman, 1, "Weiter"},
      {"an unknown language shows the first", 99, 0, kNext, 1, kEnglish, 1, "Next"},
      {"next back to English", kGerman, 1, kNext, 7, kEnglish, 1, "Next"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetLanguage(row.deviceLanguage);
    std::vector<LResult> values;
    LResult shown = -1;
    int state = -1, session = -1;
    device_seam::startCallLog();
    RunInLoop(createLangSelWindow, [&] {
      const WindowHandle dlg = GetActiveWindow();
      const int count = static_cast<int>(SendDlgItemMessage(dlg, kLanguage, CB_GETCOUNT, 0, 0));
      shown = SendDlgItemMessage(dlg, kLanguage, CB_GETSELVALUE, 0, 0);
      for (int i = 0; i < count; ++i) {
        SendDlgItemMessage(dlg, kLanguage, CB_SETCURSEL, i, 0);
        values.push_back(SendDlgItemMessage(dlg, kLanguage, CB_GETSELVALUE, 0, 0));
      }
      SendDlgItemMessage(dlg, kLanguage, CB_SELECTVALUE, static_cast<WParam>(shown), 0);
      state = getOutputState(getMainOutput());
      session = getSessionFlag();
      if (row.choose) SendDlgItemMessage(dlg, kLanguage, CB_SELECTVALUE, static_cast<WParam>(row.choose), 0);
      SendMessage(dlg, MSG_NCLBUTTONDBLCLK, 0, 0);
      livetest::Command(dlg, row.button);
      if (IsWindow(dlg)) {
        ADD_FAILURE() << "the dialog stays open";
        EndDialog(dlg, 0);
      }
    });
    int saves = 0;
    for (const auto& call : device_seam::callLog()) saves += call.op == "setDeviceConfig";
    EXPECT_EQ(values, (std::vector<LResult>{1, 2, 7}));
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(state, OUTSTATE_MENU);
    EXPECT_EQ(session, 1);
    EXPECT_EQ(saves, row.saves);
    EXPECT_EQ(getCachedDeviceConfig()->language, row.language);
    EXPECT_EQ(StoredLanguage(), row.language);
    EXPECT_EQ(isLangSwitchPending(), 0);
    const char* next = lookupText("langsel", "guide_nextstep");
    EXPECT_STREQ(next ? next : "", row.nextText);
  }
}

TEST_F(LangSel, OnScreen) {
  SetLanguage(kEnglish);
  RunInLoop(createLangSelWindow, [&] {
    const WindowHandle dlg = GetActiveWindow();
    Rect r{};
    GetWindowRect(dlg, &r);
    desktest::Drain();
    livetest::MatchesReference(__FILE__, "langsel", livetest::Grab(r));
    livetest::Command(dlg, kCancel);
  });
}

}  // namespace
