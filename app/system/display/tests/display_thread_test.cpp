// The general settings window on the simulated device, as a user drives it:
// the mouse speed it applies at once and gives back on every way out, the
// resolution change that waits for the main menu's confirmation, what each
// Apply stores, the reboot question of the output mode, the refusals the
// device answers, and how the three pages look.
#include <cstring>
#include <string>
#include <vector>

#include "app/system/display/display.h"
#include "app/system/tests/system_input.h"
#include "app/testing/page_harness.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/system_pages.h"
#include "app/system_services.h"
#include "gui/combobox.h"
#include "gui/desktop.h"
#include "gui/edit.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace {

using livetest::Click;
using livetest::Enabled;
using livetest::LiveGui;

constexpr int kSheet = PAGE_ID_SHEET, kApply = PAGE_ID_APPLY;
constexpr int kLanguage = 20240, kStandard = 20241, kVga = 20242, kZone = 20243, kDateFormat = 20244, kDate = 20245,
              kTime = 20246, kMouse = 20247, kWizard = 20248, kPassword = 20249, kHdmi = 20250;
constexpr int kAuto = 20272, kDstEnable = 20273, kStartMonth = 20275, kStartWeekday = 20277, kStartHour = 20278,
              kEndMonth = 20281, kEndWeekday = 20283, kBias = 20286;
constexpr int kName = 20256, kNumber = 20257, kLockTime = 20259, kOutputMode = 20261;
constexpr int kGeneral = 0, kDst = 1, kMore = 2;
constexpr int kDeclined = 0x200226;

DeviceConfig Stored() {
  DeviceConfig c{};
  getDeviceConfig(nullptr, &c);
  return c;
}

std::vector<int> g_hints;
int RecordHint(WindowHandle, int kind) {
  g_hints.push_back(kind);
  return 0;
}

// A box by its text's key, or by its text where the text is composed.
std::vector<std::string> BoxKeys() {
  std::vector<std::string> keys;
  for (const auto& box : livetest::Boxes()) keys.push_back(box.key.empty() ? box.text : box.section + "/" + box.key);
  return keys;
}

int Calls(const std::string& op) {
  int n = 0;
  for (const auto& call : device_seam::callLog()) n += call.op == op;
  return n;
}

class Display : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    DeviceConfig c = Stored();
    c.mouseScale = 3;
    c.mouseThreshold = 5;
    ASSERT_EQ(setDeviceConfig(nullptr, &c, 1), 0);
    display::rereadConfig();  // only the changed bytes: the desktop reads the record meanwhile
    SetMouseScale(3, 5);
    const DeviceTime clock{2026, 3, 14, 9, 26, 53, 8, 0};
    device_seam::overrideAnswer(getDeviceTime, 1, &clock, sizeof clock);
    g_hints.clear();
    registerShutdownHint(RecordHint);
  }
  void TearDown() override {
    registerShutdownHint(createShutdownHintWindow);
    setResolutionChangePending(0);
    LiveGui::TearDown();
  }
  void Open() {
    host_ = Main({0, 0, 8, 8}, livetest::MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_SYSTEM, "display", host_), 0);
    win_ = getSystemPageWnd();
    ASSERT_NE(win_, GUI_INVALID_HANDLE);
    desktest::Drain();
  }
  // The page of tab `index`, its tab clicked when another one shows.
  WindowHandle Page(int index) {
    const WindowHandle sheet = GetDlgItem(win_, kSheet);
    if (SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) != index) {
      EXPECT_TRUE(systest::ClickTab(sheet, index));
    }
    return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(index), 0));
  }
  void Close() {
    if (getSystemPageWnd() == win_) SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
  }
  void Shoot(const char* name) {
    Rect r{};
    GetWindowRect(win_, &r);
    livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(r));
  }
  // The bar moved by hand: a press where the thumb is to stand.
  void MoveMouseBar(WindowHandle page, int position) { EXPECT_TRUE(systest::ClickTrackAt(page, kMouse, position)); }
  static std::pair<int, int> Pair() {
    int scale = 0, threshold = 0;
    GetMouseScale(&scale, &threshold);
    return {scale, threshold};
  }
  WindowHandle host_ = 0, win_ = 0;
};

// A fresh device's record holds no pair of the bar: the bar shows the pair
// the pointer runs with, and an Apply of another field leaves the pointer,
// the bar and the record's pair as they were.
TEST_F(Display, TheMouseBarShowsThePointersPairAndApplyKeepsItUntouched) {
  DeviceConfig c = Stored();
  c.mouseScale = 0;
  c.mouseThreshold = 0;
  ASSERT_EQ(setDeviceConfig(nullptr, &c, 1), 0);
  display::rereadConfig();
  SetMouseScale(4, 7);
  Open();
  const WindowHandle general = Page(kGeneral);
  EXPECT_EQ(SendDlgItemMessage(general, kMouse, TBM_GETPOS, 0, 0), 2) << "4/7 is the third position";
  EXPECT_TRUE(livetest::Pick(general, kDateFormat, 2));
  Click(general, kApply);
  EXPECT_FALSE(Enabled(general, kApply));
  EXPECT_EQ(Stored().dateFormat, 2);
  EXPECT_EQ(Stored().mouseScale, 0);
  EXPECT_EQ(Stored().mouseThreshold, 0);
  EXPECT_EQ(SendDlgItemMessage(general, kMouse, TBM_GETPOS, 0, 0), 2);
  Close();
  EXPECT_EQ(Pair(), std::make_pair(4, 7));
  setDateFormat(0);
}

TEST_F(Display, TheMouseBarActsAtOnceAndOnlyApplyKeepsItsPair) {
  enum Way { kExit, kWithMenu };
  struct Row {
    const char* what;
    bool apply;
    Way way;
    std::pair<int, int> after;
  } rows[] = {
      {"closed by Exit", false, kExit, {3, 5}},
      {"closed with the menu", false, kWithMenu, {3, 5}},
      {"applied, then closed", true, kExit, {6, 10}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    Open();
    const WindowHandle general = Page(kGeneral);
    EXPECT_EQ(SendDlgItemMessage(general, kMouse, TBM_GETPOS, 0, 0), 1) << "3/5 is the second position";
    MoveMouseBar(general, 3);
    EXPECT_EQ(Pair(), std::make_pair(6, 10)) << "the pair applies while the bar moves";
    EXPECT_TRUE(Enabled(general, kApply));
    MoveMouseBar(general, 2);
    EXPECT_EQ(Pair(), std::make_pair(4, 7));
    MoveMouseBar(general, 3);
    if (row.apply) Click(general, kApply);
    if (row.way == kExit) {
      Close();
    } else {
      DestroyMainWindow(win_);
      MainWindowThreadCleanup(win_);
      desktest::Drain();
    }
    EXPECT_EQ(Pair(), row.after);
    EXPECT_EQ(Stored().mouseScale, row.after.first);
    EXPECT_EQ(Stored().mouseThreshold, row.after.second);
    TearDown();
  }
}

// A value of the box other than the one it shows; -1 when it has none.
int OtherRow(WindowHandle page, int combo) {
  const LResult shown = SendDlgItemMessage(page, combo, CB_GETSELVALUE, 0, 0);
  for (int value : systest::ValuesOf(page, combo))
    if (value != shown) return value;
  return -1;
}

TEST_F(Display, ANewMainResolutionWaitsForConfirmationAndTheOtherGoesToTheDevice) {
  struct Row {
    const char* what;
    int combo;  // 0: nothing changed
    int pending, outputCalls;
    int outputAnswer = 0;  // the device's answer for the other output
  } rows[] = {
      {"opened and closed", 0, 0, 0},
      {"VGA, the main output", kVga, 1, 0},
      {"HDMI, an output of its own", kHdmi, 0, 1},
      {"HDMI refused by its output", kHdmi, 0, 1, -5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    setResolutionChangePending(1);
    setPrevResolutionOut3(7);
    const DeviceConfig before = Stored();
    Open();
    EXPECT_EQ(isResolutionChangePending(), 0) << "opening clears the flag";
    EXPECT_EQ(getPrevResolutionOut3(), before.resolutions[2].code);
    EXPECT_EQ(getPrevResolutionOut2(), before.resolutions[1].code);
    const WindowHandle general = Page(kGeneral);
    int chosen = -1;
    if (row.combo) {
      chosen = OtherRow(general, row.combo);
      ASSERT_GE(chosen, 0);
      EXPECT_TRUE(livetest::Pick(general, row.combo, chosen));
      device_seam::startCallLog();
      livetest::Boxes().clear();
      if (row.outputAnswer) device_seam::overrideAnswer(setOutputResolutionCode, row.outputAnswer);
      systest::ClickClosing(general, kApply);  // a new main resolution may close the window
      device_seam::clearOverrides();
      // A refusal is told, and Apply stays lit to try again.
      EXPECT_EQ(livetest::Boxes().size(), row.outputAnswer ? 1u : 0u);
      if (row.outputAnswer) {
        EXPECT_TRUE(Enabled(general, kApply));
      }
    }
    EXPECT_EQ(isResolutionChangePending(), row.pending);
    EXPECT_EQ(Calls("setOutputResolutionCode"), row.outputCalls);
    const DeviceConfig now = Stored();
    EXPECT_EQ(now.resolutions[2].code, row.combo == kVga ? chosen : before.resolutions[2].code);
    EXPECT_EQ(now.resolutions[1].code, row.combo == kHdmi ? chosen : before.resolutions[1].code);
    // The confirmation goes back to these when the user does not confirm.
    EXPECT_EQ(getPrevResolutionOut3(), before.resolutions[2].code);
    Close();
    if (!row.combo) {
      EXPECT_EQ(isResolutionChangePending(), 0);
    }
    TearDown();
  }
}

TEST_F(Display, GeneralApplyStoresEveryFieldAndReportsAResolutionTheMonitorRefuses) {
  Open();
  const WindowHandle general = Page(kGeneral);
  EXPECT_TRUE(livetest::Pick(general, kStandard, 1));
  EXPECT_TRUE(livetest::Pick(general, kDateFormat, 2));
  EXPECT_TRUE(livetest::Pick(general, kZone, 15));
  SendDlgItemMessage(general, kTime, CB_SETFIELD, 1, 21);
  Click(general, kWizard);
  Click(general, kPassword);
  device_seam::startCallLog();
  Click(general, kApply);
  const DeviceConfig now = Stored();
  EXPECT_EQ(now.outputs[3].videoStandard, 1);
  EXPECT_EQ(now.dateFormat, 2);
  EXPECT_EQ(getDateFormat(), 2);
  EXPECT_EQ(now.mouseScale, 3) << "the pair in force";
  EXPECT_EQ(Calls("resetVideoOutputs"), 1) << "a new standard sets the outputs up again";
  std::vector<int64_t> clock;
  for (const auto& call : device_seam::callLog())
    if (call.op == "setDeviceTime") clock = call.args;
  EXPECT_EQ(clock, (std::vector<int64_t>{2026, 3, 14, 21, 26, 53}));
  EXPECT_EQ(getTimeZone(), 15);
  uint32_t flags[2] = {9, 9};
  getStartGuideFlag(nullptr, flags);
  EXPECT_EQ(flags[0], 0u);
  EXPECT_EQ(flags[1], 1u);
  EXPECT_FALSE(Enabled(general, kApply));
  EXPECT_TRUE(livetest::Boxes().empty());

  EXPECT_TRUE(livetest::Pick(general, kDateFormat, 1));
  device_seam::overrideAnswer(setDeviceConfig, DEVICE_ERR_RESOLUTION);
  Click(general, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxKeys(), std::vector<std::string>{"displayset/err_not_sup_resolution"});
  EXPECT_EQ(Stored().dateFormat, 2);
  EXPECT_TRUE(Enabled(general, kApply));
  Close();
  EXPECT_EQ(getDateFormat(), 2) << "closing applies the stored format";
}

// The shown time falls behind the running clock: Apply writes the clock
// only when the user changed its fields or its zone (a new zone alone keeps
// the running clock), and a refused record moves nothing. A newly chosen
// date format shows the same date in it, until a close without Apply.
TEST_F(Display, ApplyWritesTheClockOnlyWhenTheUserChangedIt) {
  struct Row {
    const char* what;
    int format, zone, hour;
    bool apply;
    int recordAnswer;
    const char* date;
    std::vector<int64_t> clock;  // empty: not written
  } rows[] = {
      {"a new date format only", 2, -1, -1, true, 0, "14-03-2026", {}},
      {"a new zone", 1, 15, -1, true, 0, "03-14-2026", {2026, 3, 14, 9, 40, 7}},
      {"a new hour", 2, -1, 21, true, 0, "14-03-2026", {2026, 3, 14, 21, 26, 53}},
      {"a new hour, the record refused", 2, -1, 21, true, -1, "14-03-2026", {}},
      {"a new date format, closed without Apply", 1, -1, -1, false, 0, "03-14-2026", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    DeviceConfig c = Stored();
    c.dateFormat = 0;
    ASSERT_EQ(setDeviceConfig(nullptr, &c, 1), 0);
    setTimeZone(27);
    Open();
    const WindowHandle general = Page(kGeneral);
    WindowHandle dateEdit = 0, none = 0;
    SendDlgItemMessage(general, kDate, CB_GETCHILDREN, reinterpret_cast<WParam>(&dateEdit), reinterpret_cast<LParam>(&none));
    char date[DATE_TEXT_SIZE] = "";
    GetWindowText(dateEdit, date, sizeof date);
    EXPECT_STREQ(date, "2026-03-14");
    // The clock runs on while the page stands open.
    const DeviceTime later{2026, 3, 14, 9, 40, 7, 8, 0};
    device_seam::overrideAnswer(getDeviceTime, 1, &later, sizeof later);
    ASSERT_TRUE(livetest::PickRow(general, kDateFormat, row.format));
    GetWindowText(dateEdit, date, sizeof date);
    EXPECT_STREQ(date, row.date);
    if (row.zone >= 0) {
      ASSERT_TRUE(livetest::PickRow(general, kZone, row.zone));
    }
    if (row.hour >= 0) SendDlgItemMessage(general, kTime, CB_SETFIELD, 1, row.hour);
    if (row.recordAnswer) device_seam::overrideAnswer(setDeviceConfig, row.recordAnswer);
    device_seam::startCallLog();
    if (row.apply) {
      livetest::ClickItem(general, kApply);
      EXPECT_TRUE(livetest::PumpUntil([&] { return !Enabled(general, kApply) || !livetest::Boxes().empty(); }));
    }
    std::vector<int64_t> clock;
    for (const auto& call : device_seam::callLog())
      if (call.op == "setDeviceTime") clock = call.args;
    EXPECT_EQ(clock, row.clock);
    EXPECT_EQ(getTimeZone(), row.zone >= 0 ? row.zone : 27);
    EXPECT_EQ(Enabled(general, kApply), !row.apply || row.recordAnswer != 0);
    EXPECT_EQ(livetest::Boxes().size(), row.recordAnswer ? 1u : 0u);
    device_seam::clearOverrides();
    Close();
    EXPECT_EQ(getDateFormat(), row.apply && !row.recordAnswer ? row.format : 0);
    TearDown();
  }
}

TEST_F(Display, ANewLanguageSwitchesTheInterfaceAndChineseTextsHaveNoDstPage) {
  constexpr int kLanguage = 20240, kGermanItem = 7, kGerman = 33, kChinese = 2;
  Open();
  EXPECT_EQ(SendMessage(GetDlgItem(win_, kSheet), PSM_GETPAGECOUNT, 0, 0), 3);
  const WindowHandle general = Page(kGeneral);
  EXPECT_TRUE(livetest::Pick(general, kLanguage, kGermanItem));
  systest::ClickClosing(general, kApply);
  EXPECT_EQ(Stored().language, kGerman);
  EXPECT_EQ(isLangSwitchPending(), 1);
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE) << "the switch closes every window";
  // Back to English the way a switch ends, so that no switch stays under
  // way for the tests that follow.
  changeCachedDeviceConfig([](DeviceConfig& config) { config.language = 1; });
  const DeviceConfig english = cachedDeviceConfig();
  EXPECT_EQ(setDeviceConfig(nullptr, &english, 1), 0);
  finishLangSwitch();
  EXPECT_EQ(GetLangSwitchState(), 0);

  const int32_t shown = GetSysInfoLanguage();
  SetSysInfoLanguage(kChinese);
  Open();
  SetSysInfoLanguage(shown);
  EXPECT_EQ(SendMessage(GetDlgItem(win_, kSheet), PSM_GETPAGECOUNT, 0, 0), 2);
  Close();
}

TEST_F(Display, DstApplyTakesTheZonesRuleOrTheRowsAndRefusesOneMonth) {
  struct Row {
    const char* what;
    int zone;
    bool automatic, enabled;
    int startMonth, startWeekday, endMonth, endWeekday, bias;
    const char* box;
    // Stored afterwards.
    int storedEnabled, storedStart[4], storedEnd[4], storedBias;
  } rows[] = {
      {"automatic, a zone without a rule", 27, true, true, 0, 0, 0, 0, 0, nullptr, 0, {4, 2, 6, 5}, {9, 1, 0, 3}, 90},
      {"automatic, Central Europe", 15, true, false, 0, 0, 0, 0, 0, nullptr, 1, {3, 5, 0, 2}, {10, 5, 0, 3}, 60},
      {"by hand, Sundays", 27, false, true, 3, 7, 10, 7, 3, nullptr, 1, {3, 2, 0, 5}, {10, 1, 0, 3}, 120},
      {"by hand, switched off", 27, false, false, 3, 7, 10, 7, 3, nullptr, 0, {4, 2, 6, 5}, {9, 1, 0, 3}, 90},
      {"by hand, one month", 27, false, true, 5, 1, 5, 2, 0, "displayset/samemonth", 1, {4, 2, 6, 5}, {9, 1, 0, 3}, 90},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    DeviceConfig c = Stored();
    c.dstEnabled = 1;
    c.dstAuto = 0;
    const uint8_t start[4] = {4, 2, 6, 5}, end[4] = {9, 1, 0, 3};
    std::memcpy(c.dstStart, start, 4);
    std::memcpy(c.dstEnd, end, 4);
    c.dstBias = 90;
    ASSERT_EQ(setDeviceConfig(nullptr, &c, 1), 0);
    setTimeZone(row.zone);
    const DeviceTime clock{2026, 3, 14, 9, 26, 53, static_cast<int16_t>(getZoneRow(row.zone)->hours),
                           static_cast<int16_t>(getZoneRow(row.zone)->minutes)};
    device_seam::overrideAnswer(getDeviceTime, 1, &clock, sizeof clock);
    Open();
    const WindowHandle dst = Page(kDst);
    EXPECT_EQ(SendDlgItemMessage(dst, kStartWeekday, CB_GETSELVALUE, 0, 0), 6);
    EXPECT_EQ(SendDlgItemMessage(dst, kEndWeekday, CB_GETSELVALUE, 0, 0), 7) << "Sunday, stored as 0";
    EXPECT_EQ(SendDlgItemMessage(dst, kBias, CB_GETSELVALUE, 0, 0), 2);
    EXPECT_TRUE(Enabled(dst, kStartMonth));
    if (row.automatic) Click(dst, kAuto);
    if (!row.enabled && !row.automatic) Click(dst, kDstEnable);
    EXPECT_EQ(Enabled(dst, kStartMonth), !row.automatic && row.enabled);
    EXPECT_EQ(Enabled(dst, kDstEnable), !row.automatic);
    // Rows switched off take no choice: their boxes are disabled.
    if (row.startMonth && Enabled(dst, kStartMonth)) {
      EXPECT_TRUE(livetest::Pick(dst, kStartMonth, row.startMonth));
      EXPECT_TRUE(livetest::Pick(dst, kStartWeekday, row.startWeekday));
      EXPECT_TRUE(livetest::Pick(dst, kEndMonth, row.endMonth));
      EXPECT_TRUE(livetest::Pick(dst, kEndWeekday, row.endWeekday));
      EXPECT_TRUE(livetest::Pick(dst, kBias, row.bias));
    }
    Click(dst, kApply);
    EXPECT_EQ(BoxKeys(), row.box ? std::vector<std::string>{row.box} : std::vector<std::string>{});
    const DeviceConfig now = Stored();
    EXPECT_EQ(now.dstEnabled, row.storedEnabled);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(now.dstStart[i], row.storedStart[i]) << i;
      EXPECT_EQ(now.dstEnd[i], row.storedEnd[i]) << i;
    }
    EXPECT_EQ(now.dstBias, static_cast<uint32_t>(row.storedBias));
    EXPECT_EQ(Enabled(dst, kApply), row.box != nullptr);
    Close();
    TearDown();
  }
}

// A new output mode is written with the rest; the question only offers the
// reboot that takes it, and No keeps it for the next start. A refused
// write asks nothing.
TEST_F(Display, MoreApplyOffersAnOutputModeRebootAndShowsTheDevicesRefusals) {
  const std::string kNumberRange = "Device No. is out of range (1-255)!";
  struct Row {
    const char* what;
    const char* name;
    const char* number;
    bool newMode;
    int answer;
    std::vector<std::string> boxes;
    bool saved, hint;
  } rows[] = {
      {"name and number", "Gate 7", "42", false, IDYES, {}, true, false},
      {"output mode, reboot declined", "Gate 7", "42", true, IDNO, {"displayset/param_reboot"}, true, false},
      {"output mode, refused name", "Gate/7", "42", true, IDYES, {"Device Name is invalid, please enter it again!"}, false,
       false},
      {"output mode, confirmed", "Gate 7", "42", true, IDYES, {"displayset/param_reboot"}, true, true},
      {"a name the device refuses", "Gate/7", "42", false, IDYES, {"Device Name is invalid, please enter it again!"}, false, false},
      {"number 0", "Gate 7", "0", false, IDYES, {kNumberRange}, false, false},
      {"number 300", "Gate 7", "300", false, IDYES, {kNumberRange}, false, false},
      {"not a number", "Gate 7", "4x", false, IDYES, {kNumberRange}, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    const DeviceConfig before = Stored();
    Open();
    const WindowHandle more = Page(kMore);
    // The name's last character typed, the rest set.
    const std::string name = row.name;
    SetDlgItemText(more, kName, name.substr(0, name.size() - 1).c_str());
    EXPECT_TRUE(systest::TypeInto(more, kName, name.substr(name.size() - 1)));
    SetDlgItemText(more, kNumber, row.number);
    EXPECT_TRUE(livetest::Pick(more, kLockTime, 65535));
    if (row.newMode) {
      EXPECT_TRUE(livetest::Pick(more, kOutputMode, 1));
    }
    livetest::BoxAnswer() = row.answer;
    Click(more, kApply);
    EXPECT_EQ(BoxKeys(), row.boxes);
    const DeviceConfig now = Stored();
    EXPECT_EQ(std::string(now.name), row.saved ? row.name : before.name);
    EXPECT_EQ(now.deviceNumber, row.saved ? 42u : before.deviceNumber);
    EXPECT_EQ(now.outputMode, row.saved && row.newMode ? 1 : before.outputMode);
    EXPECT_EQ(now.outputs[3].lockTime, row.saved ? 0 : before.outputs[3].lockTime) << "never is stored as 0";
    EXPECT_EQ(g_hints, row.hint ? std::vector<int>{1} : std::vector<int>{});
    EXPECT_EQ(GetPowerKeyDownFlag(), 0);
    EXPECT_EQ(Enabled(more, kApply), !row.saved);
    Close();
    TearDown();
  }
}

// A video standard the outputs refuse is told, and Apply stays lit.
TEST_F(Display, AVideoStandardTheOutputsRefuseIsTold) {
  Open();
  const WindowHandle general = Page(kGeneral);
  EXPECT_TRUE(livetest::Pick(general, kStandard, 1));
  livetest::Boxes().clear();
  device_seam::overrideAnswer(resetVideoOutputs, -5);
  Click(general, kApply);
  device_seam::clearOverrides();
  EXPECT_EQ(BoxKeys(), std::vector<std::string>{"commons/savefailed_code"});
  EXPECT_TRUE(Enabled(general, kApply));
  Close();
}

// The main output's live view switched by the More tab: the device's
// refusal is told, Apply stays lit and the record keeps the option the
// output runs, so a second Apply tries the switch again; taken, the box's
// value is kept.
TEST_F(Display, AMainOutputTheDeviceDoesNotSwitchIsTold) {
  constexpr int kMainOut = 20264, kMainOutSwitch = 1 << 8;
  uint32_t& flags = device_seam::mutableAbility()->pictureFlags;
  const uint32_t flagsBefore = flags;
  flags |= kMainOutSwitch;
  setLiveViewActive(getMainOutput(), 1);
  for (int answer : {-5, 0}) {
    SCOPED_TRACE(answer);
    Open();
    const WindowHandle more = Page(kMore);
    const bool was = SendDlgItemMessage(more, kMainOut, BM_GETCHECK, 0, 0) == BST_CHECKED;
    Click(more, kMainOut);
    livetest::Boxes().clear();
    if (answer) device_seam::overrideAnswer(switchOutputLive, answer);
    Click(more, kApply);
    device_seam::clearOverrides();
    EXPECT_EQ(BoxKeys(), answer ? std::vector<std::string>{"commons/savefailed_code"} : std::vector<std::string>{});
    EXPECT_EQ(Enabled(more, kApply), answer != 0);
    EXPECT_EQ(Stored().outputs[3].mainOutOption != 0, answer ? was : !was) << "the record holds what the output runs";
    if (answer) {
      // The user's choice still stands on the page and is tried again.
      EXPECT_EQ(SendDlgItemMessage(more, kMainOut, BM_GETCHECK, 0, 0) == BST_CHECKED, !was);
      livetest::Boxes().clear();
      device_seam::startCallLog();
      Click(more, kApply);
      EXPECT_EQ(Calls("switchOutputLive"), 1) << "the second Apply reached the device";
      EXPECT_TRUE(livetest::Boxes().empty());
      EXPECT_FALSE(Enabled(more, kApply));
      EXPECT_EQ(Stored().outputs[3].mainOutOption != 0, !was);
      // Put back for the accepted round.
      Click(more, kMainOut);
      Click(more, kApply);
      EXPECT_EQ(Stored().outputs[3].mainOutOption != 0, was);
    }
    Close();
  }
  setLiveViewActive(getMainOutput(), 0);
  flags = flagsBefore;
}

// The general page's language list is the picture list: every offered
// language shows its picture, in the list a click opens.
TEST_F(Display, TheLanguageListShowsThePictures) {
  Open();
  const WindowHandle page = Page(kGeneral);
  const WindowHandle list = GetDlgItem(GetDlgItem(page, kLanguage), CB_LIST_ID);
  EXPECT_TRUE(GetWindowStyle(list) & LBS_USEICON);
  livetest::ClickItem(page, kLanguage, [list] { return IsWindowVisible(list) != 0; });
  desktest::Drain();
  EXPECT_TRUE(IsWindowVisible(list));
  Shoot("displayset_language");
  const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ(count, 3);
  for (int i = 0; i < count; ++i) {
    ListBoxItemInfo item{};
    ASSERT_EQ(SendMessage(list, LB_GETITEMADDDATA, static_cast<WParam>(i), reinterpret_cast<LParam>(&item)), 0);
    EXPECT_EQ(item.cmFlag & LBIF_BITMAP, LBIF_BITMAP) << i;
    EXPECT_NE(item.hIcon, 0u) << i;
  }
  Close();
}

// The date format chosen by the mouse alone: the arrow opens the list, the
// pointer moves onto a row and clicks it. The list stays open on the way and
// the click reaches it, not the system date box beneath, whose calendar
// stays shut.
TEST_F(Display, TheMouseChoosesADateFormatFromItsList) {
  Open();
  const WindowHandle page = Page(kGeneral);
  const WindowHandle box = GetDlgItem(page, kDateFormat);
  const WindowHandle calendar = GetDlgItem(GetDlgItem(page, kDate), CB_CALENDAR_ID);
  EXPECT_TRUE(livetest::Pick(page, kDateFormat, 0));
  EXPECT_TRUE(livetest::ChooseByMouse(page, kDateFormat, 1)) << "the arrow opened the list, the row closed it";
  EXPECT_EQ(SendMessage(box, CB_GETSELVALUE, 0, 0), 1) << "and chose it";
  EXPECT_FALSE(IsWindowVisible(calendar)) << "the system date box beneath heard nothing";
  Close();
}

TEST_F(Display, ThePagesShowTheRecord) {
  DeviceConfig c = Stored();
  c.dstEnabled = 1;
  const uint8_t start[4] = {3, 5, 0, 2}, end[4] = {10, 5, 0, 3};
  std::memcpy(c.dstStart, start, 4);
  std::memcpy(c.dstEnd, end, 4);
  c.dstBias = 60;
  std::snprintf(c.name, sizeof c.name, "Front Door");
  c.deviceNumber = 12;
  c.outputs[3].lockTime = 0;
  c.outputs[3].brightness = 6;
  ASSERT_EQ(setDeviceConfig(nullptr, &c, 1), 0);
  setTimeZone(27);
  Open();
  EXPECT_TRUE(Enabled(Page(kGeneral), kPassword)) << "the administrator";
  Shoot("displayset_general");
  Page(kDst);
  Shoot("displayset_dst");
  const WindowHandle more = Page(kMore);
  EXPECT_EQ(SendDlgItemMessage(more, kLockTime, CB_GETSELVALUE, 0, 0), 65535) << "0 shows as never";
  Shoot("displayset_more");
  Close();
  EXPECT_EQ(findPage(APP_MENU_SYSTEM, "display"), createDisplaySetWindow);
  // Only the administrator turns the operation password on or off.
  setLoginState(3, 1, 0);
  Open();
  EXPECT_FALSE(Enabled(Page(kGeneral), kPassword));
  EXPECT_TRUE(Enabled(Page(kGeneral), kWizard));
  Close();
}

}  // namespace
