// The first-start language dialog on the simulated device, opened the way
// the live view opens it: which languages it offers, what Next and Cancel
// keep, and the switch to a language that rebuilds the texts.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/page_ids.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "core/input/lowlevel_event.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/system_services.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/listbox.h"
#include "gui/message.h"

namespace {

using livetest::LiveGui;

constexpr int kLanguage = 16384, kNext = PAGE_ID_NEXT, kCancel = IDCANCEL;

constexpr int kEnglish = 1, kGerman = 33;

int StoredLanguage() {
  DeviceConfig c{};
  getDeviceConfig(nullptr, &c);
  return c.language;
}

class LangSel : public LiveGui {
 protected:
  void SetLanguage(int id) {
    changeCachedDeviceConfig([id](DeviceConfig& config) { config.language = id; });
    const DeviceConfig config = cachedDeviceConfig();
    ASSERT_EQ(setDeviceConfig(nullptr, &config, 1), 0);
  }
  void TearDown() override {
    // The texts go back to English for the next test.
    SetLanguage(kEnglish);
    livetest::TextsBackToEnglish();
    LiveGui::TearDown();
  }
};

// A language the device refuses is shown as refused; neither the
// application's copy nor the interface switches to it.
TEST_F(LangSel, ARefusedLanguageKeepsTheInterface) {
  SetLanguage(kEnglish);
  device_seam::overrideAnswer(setDeviceConfig, -1);
  livetest::Boxes().clear();
  bool picked = false;
  RunInLoop(createLangSelWindow, [&] {
    const WindowHandle dlg = GetActiveWindow();
    picked = livetest::PickRow(dlg, kLanguage, 2);  // German
    livetest::ClickItem(dlg, kNext);
    livetest::PumpUntil([dlg] { return !IsWindow(dlg); });
    if (IsWindow(dlg)) EndDialog(dlg, 0);
  });
  device_seam::clearOverrides();
  EXPECT_TRUE(picked);
  ASSERT_EQ(livetest::Boxes().size(), 1u);
  EXPECT_EQ(livetest::Boxes()[0].key, "savefailed_code");
  EXPECT_EQ(cachedDeviceConfig().language, kEnglish);
  EXPECT_EQ(StoredLanguage(), kEnglish);
  EXPECT_EQ(isLangSwitchPending(), 0);
  const char* next = lookupText("langsel", "guide_nextstep");
  EXPECT_STREQ(next ? next : "", "Next");
}

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
      shown = SendDlgItemMessage(dlg, kLanguage, CB_GETSELVALUE, 0, 0);
      for (int value : systest::ValuesOf(dlg, kLanguage)) values.push_back(value);
      state = getOutputState(getMainOutput());
      session = getSessionFlag();
      if (row.choose) {
        EXPECT_TRUE(livetest::Pick(dlg, kLanguage, row.choose));
      }
      // A double click on the caption changes nothing.
      systest::DoubleClickCaption(dlg);
      systest::ClickClosing(dlg, row.button);
      if (GetActiveWindow() == dlg) {
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
    EXPECT_EQ(cachedDeviceConfig().language, row.language);
    EXPECT_EQ(StoredLanguage(), row.language);
    EXPECT_EQ(isLangSwitchPending(), 0);
    const char* next = lookupText("langsel", "guide_nextstep");
    EXPECT_STREQ(next ? next : "", row.nextText);
  }
}

// Which language indexes carry a picture, and what each list item shows:
// the offered languages only, each its own picture alone.
TEST_F(LangSel, EveryOfferedLanguageShowsItsOwnPicture) {
  struct Row {
    int index;
    bool picture;
    const char* name;  // null: not in the list
  } rows[LAYOUT_MAX_LANGUAGES] = {};
  for (int i = 0; i < LAYOUT_MAX_LANGUAGES; ++i) rows[i] = {i, false, nullptr};
  rows[0] = {0, true, "English"};
  rows[1] = {1, true, "Chinese (Simplified)"};
  rows[6] = {6, true, "Deutsch"};
  Bitmap pictures[LAYOUT_MAX_LANGUAGES] = {};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(GetLayoutBitmap(row.index, &pictures[row.index]) != 0, row.picture);
    if (row.picture) {
      EXPECT_EQ(pictures[row.index].bmHeight, 18u) << "one list row high";
    }
  }
  // Each language its own picture.
  const auto same = [](const Bitmap& a, const Bitmap& b) {
    return a.bmWidth == b.bmWidth && a.bmPitch == b.bmPitch &&
           std::memcmp(a.bmBits, b.bmBits, static_cast<size_t>(a.bmPitch) * a.bmHeight) == 0;
  };
  EXPECT_FALSE(same(pictures[0], pictures[1]));
  EXPECT_FALSE(same(pictures[0], pictures[6]));
  EXPECT_FALSE(same(pictures[1], pictures[6]));
  Bitmap untouched{};
  untouched.bmWidth = 77;
  for (int slot : {-1, LAYOUT_MAX_LANGUAGES, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(GetLayoutBitmap(slot, &untouched)) << slot;
    EXPECT_EQ(untouched.bmWidth, 77u);
  }
  EXPECT_FALSE(GetLayoutBitmap(0, nullptr));

  SetLanguage(kEnglish);
  std::vector<std::string> seen;
  RunInLoop(createLangSelWindow, [&] {
    const WindowHandle dlg = GetActiveWindow();
    const WindowHandle list = GetDlgItem(GetDlgItem(dlg, kLanguage), CB_LIST_ID);
    const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    // A failed check ends the items, never the dialog's way out.
    [&] {
      const std::vector<int> values = systest::ValuesOf(dlg, kLanguage);
      ASSERT_EQ(static_cast<int>(values.size()), count);
      for (int i = 0; i < count; ++i) {
        ListBoxItemInfo item{};
        ASSERT_EQ(SendMessage(list, LB_GETITEMADDDATA, static_cast<WParam>(i), reinterpret_cast<LParam>(&item)), 0);
        const int index = values[static_cast<size_t>(i)] - 1;
        ASSERT_TRUE(index >= 0 && index < LAYOUT_MAX_LANGUAGES) << index;
        const Row& row = rows[index];
        SCOPED_TRACE(index);
        ASSERT_NE(row.name, nullptr) << "a language the device does not offer";
        char text[64] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WParam>(i), reinterpret_cast<LParam>(text));
        EXPECT_STREQ(text, "") << "the picture is the name, shown once";
        EXPECT_EQ(item.cmFlag & LBIF_BITMAP, LBIF_BITMAP);
        const Bitmap* shown = reinterpret_cast<const Bitmap*>(item.hIcon);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->bmBits, pictures[index].bmBits);
        seen.push_back(row.name);
      }
    }();
    systest::ClickClosing(dlg, kCancel);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"English", "Chinese (Simplified)", "Deutsch"}));
}

TEST_F(LangSel, OnScreen) {
  SetLanguage(kEnglish);
  RunInLoop(createLangSelWindow, [&] {
    const WindowHandle dlg = GetActiveWindow();
    Rect r{};
    GetWindowRect(dlg, &r);
    desktest::Drain();
    livetest::MatchesReference(__FILE__, "langsel", livetest::SettledGrab(r));
    // The list opened by a click shows the pictures, above the dialog.
    const WindowHandle combo = GetDlgItem(dlg, kLanguage);
    const WindowHandle list = GetDlgItem(combo, CB_LIST_ID);
    livetest::ClickItem(dlg, kLanguage, [list] { return IsWindowVisible(list) != 0; });
    desktest::Drain();
    EXPECT_TRUE(IsWindowVisible(list));
    Rect shown{};
    GetWindowRect(list, &shown);
    ClientToScreen(combo, &shown.right, &shown.bottom);
    r.bottom = std::max(r.bottom, shown.bottom + 4);
    livetest::MatchesReference(__FILE__, "langsel_list", livetest::SettledGrab(r));
    livetest::PressKey(KEY_ESC);
    EXPECT_TRUE(livetest::PumpUntil([list] { return IsWindowVisible(list) == 0; })) << "Escape closes the list";
    systest::ClickClosing(dlg, kCancel);
  });
}

}  // namespace
