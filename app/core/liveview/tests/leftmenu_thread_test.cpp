// The live-view side menu on a started toolkit: its place and buttons on
// each output, what each button does for the administrator and for a user
// without rights, the error sequence around every box, hiding, the grip
// drag, the language refresh and its pictures.
#include <algorithm>
#include <functional>

#include "app/camera.h"
#include "app/core/liveview/tests/host_input.h"
#include "app/testing/page_harness.h"
#include "app/pages_calls.h"
#include "app/device_backend.h"
#include "app/format_text.h"
#include "app/formatting.h"
#include "app/layout_bitmaps.h"
#include "app/left_menu.h"
#include "app/liveview_dialogs.h"
#include "app/playback.h"
#include "app/program.h"
#include "gui/app_hooks.h"
#include "gui/cursor.h"
#include "gui/message.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/timer.h"
#include "app/page_keys.h"

namespace {

using device_seam::Call;
using livetest::LiveGui;

// What the screen showed while a box was up.
struct Seen {
  std::string text;
  uint32_t type;
  bool liveEnabled, barVisible;
  int popup;
  bool operator==(const Seen& o) const {
    return text == o.text && type == o.type && liveEnabled == o.liveEnabled && barVisible == o.barVisible &&
           popup == o.popup;
  }
};
std::ostream& operator<<(std::ostream& os, const Seen& s) {
  return os << "{" << s.text << ", " << s.type << ", live " << s.liveEnabled << ", bar " << s.barVisible
            << ", popup " << s.popup << "}";
}

std::vector<Seen>& SeenBoxes() {
  static std::vector<Seen> seen;
  return seen;
}
WindowHandle g_live = GUI_INVALID_HANDLE;
int SeeBox(WindowHandle, const char* text, const char*, uint32_t type) {
  SeenBoxes().push_back({text ? text : "", type, IsWindowEnabled(g_live) != 0,
                         IsWindowVisible(getLeftMenuWnd(3)) != 0, getLiveViewPopup(3)});
  return IDOK;
}
// The box as the error sequence must show it: live view disabled, bar hidden.
Seen Boxed(const char* text, uint32_t type) { return {text, type, false, false, 0}; }
std::string Text(const char* section, const char* key) {
  const char* text = lookupText(section, key);
  return text ? text : "(missing)";
}

LResult LiveViewProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_ERASEBKGND) {
    eraseLiveView(hwnd, static_cast<HDC>(wParam), reinterpret_cast<const Rect*>(lParam));
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

std::vector<Call> DeviceActions() {
  static const std::vector<std::string> acted{"startManualRecord", "stopManualRecord", "openLiveAudio",
                                              "closeLiveAudio",    "startManualSnapshot", "findRecordFiles"};
  std::vector<Call> out;
  for (const Call& c : device_seam::callLog())
    for (const std::string& op : acted)
      if (c.op == op) out.push_back(c);
  return out;
}

class LeftMenu : public LiveGui {
 protected:
  void SetUp() override {
    LiveGui::SetUp();
    // A device with one output files its live view with the main display.
    g_live = Main({0, 0, 1024, 768}, LiveViewProc, WS_EX_PREVIEW);
    SeenBoxes().clear();
    msgbox_seam::setBoxFunction(SeeBox);
  }
  void TearDown() override {
    setLiveAudioChannel(0);
    setLeftMenuDragArmed(0);
    SetScrollDragFlag(0);
    LiveGui::TearDown();
  }
  inputtest::SingleClicks singleClicks_;

  WindowHandle Bar(int output) {
    WindowHandle bar = createLeftMenuWindow(g_live, output);
    if (bar != GUI_INVALID_HANDLE) windows_.push_back(bar);
    return bar;
  }
  // The bar over the selected window of channel 2, as a click opens it.
  WindowHandle OpenOnChannel(int channel) {
    setPreviewSelChan(3, channel);
    showLiveViewPopup(g_live, 1);
    WindowHandle bar = getLeftMenuWnd(3);
    if (bar != GUI_INVALID_HANDLE && std::find(windows_.begin(), windows_.end(), bar) == windows_.end())
      windows_.push_back(bar);
    return bar;
  }
  void AudioFlag(int on) {
    PreviewConfig config{};
    ASSERT_EQ(getPreviewConfig(getOutputLogin(3), 3, &config), 0);
    config.audio = static_cast<uint8_t>(on);
    ASSERT_EQ(setPreviewConfig(getOutputLogin(3), 3, &config), 0);
  }
  // User 1 without any right.
  void LogInGuest() {
    UserConfig users{};
    ASSERT_EQ(getUserConfig(getOutputLogin(3), &users), 0);
    users.users[1].rights = 0;
    ASSERT_EQ(setUserConfig(getOutputLogin(3), &users, 0), 0);
    setLoginState(3, 1, 0);
  }
  static void Click(WindowHandle bar, int id) { livetest::Click(bar, id); }
  static bool Visible(WindowHandle bar, int id) { return IsWindowVisible(GetDlgItem(bar, id)) != 0; }
  static int LeftOf(WindowHandle bar, int id) {
    Rect r{};
    return GetWindowRect(GetDlgItem(bar, id), &r) ? r.left : -1;
  }
};

// ---- Place and buttons ----

TEST_F(LeftMenu, BarNarrowsByTheItemsLeftOutAndKeepsItsButtonsRightOfTheGrip) {
  struct Row {
    int output, snapshot, strategy;
    Rect place;
    std::vector<std::pair<int, int>> buttons;  // id, left edge in the bar
    std::vector<int> absent;
  } rows[] = {
      {3, 1, 1, {302, 672, 722, 720},
       {{12289, 48}, {12290, 88}, {12291, 128}, {12292, 168}, {12293, 208}, {12294, 248}, {12295, 288},
        {12296, 328}, {12297, 368}, {12302, 48}, {12303, 128}},
       {12288, 12301}},
      // The auxiliary output (800 x 600) has no playback, audio and zoom:
      // 120 narrower, 60 left of where the full bar would be centred.
      {1, 1, 1, {130, 504, 430, 552},
       {{12289, 48}, {12292, 88}, {12293, 128}, {12295, 168}, {12296, 208}, {12297, 248}, {12302, 48}},
       {12288, 12290, 12291, 12294, 12301, 12303}},
      // A device without snapshots and strategies.
      {3, 0, 0, {262, 672, 602, 720},
       {{12289, 48}, {12290, 88}, {12291, 128}, {12293, 168}, {12294, 208}, {12295, 248}, {12297, 288}},
       {12288, 12292, 12296, 12301}},
  };
  // The device reports an 800 x 600 auxiliary output.
  const auto savedCode = cachedDeviceConfig().resolutions[0].code;
  changeCachedDeviceConfig([](DeviceConfig& config) { config.resolutions[0].code = 1; });
  for (const Row& row : rows) {
    device_seam::overrideAnswer(hasManualSnapshot, row.snapshot);
    device_seam::overrideAnswer(hasPreviewStrategy, row.strategy);
    WindowHandle bar = Bar(row.output);
    ASSERT_NE(bar, GUI_INVALID_HANDLE);
    EXPECT_EQ(getLeftMenuWnd(row.output), bar);
    Rect r{};
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, row.place.left) << row.output;
    EXPECT_EQ(r.top, row.place.top) << row.output;
    EXPECT_EQ(r.right, row.place.right) << row.output;
    EXPECT_EQ(r.bottom, row.place.bottom) << row.output;
    for (auto [id, left] : row.buttons) EXPECT_EQ(LeftOf(bar, id), left) << row.output << " " << id;
    for (int id : row.absent) EXPECT_EQ(GetDlgItem(bar, id), 0u) << row.output << " " << id;
    // The alternates start hidden; the items stand on the bar's bottom edge.
    EXPECT_FALSE(Visible(bar, 12302));
    EXPECT_FALSE(Visible(bar, 12303));
    Rect button{};
    GetWindowRect(GetDlgItem(bar, 12289), &button);
    EXPECT_EQ(button.bottom, 48);
  }
  changeCachedDeviceConfig([savedCode](DeviceConfig& config) { config.resolutions[0].code = savedCode; });
}

// ---- Handlers ----

// A click, and what to do inside the window it opens (none: nothing opens).
struct Handler {
  const char* name;
  int id;
  std::function<WindowHandle()> opened;
};

TEST_F(LeftMenu, EachItemActsOnTheSelectedChannelAndSwapsItsAlternate) {
  AudioFlag(1);
  struct Row {
    Handler click;
    std::vector<Call> device;
    int stateInside, stateAfter, popupAfter;
    bool barAfter;
    std::vector<int> shown, hidden;
  } rows[] = {
      {{"startrec", 12289, nullptr}, {{"startManualRecord", {0, 2}}}, -1, 0, 1, true, {12302}, {12289}},
      {{"stoprec", 12302, nullptr}, {{"stopManualRecord", {0, 2}}}, -1, 0, 1, true, {12289}, {12302}},
      {{"opensound", 12291, nullptr}, {{"openLiveAudio", {2, -1}}}, -1, 0, 1, true, {12303}, {12291}},
      {{"closesound", 12303, nullptr}, {{"closeLiveAudio", {2}}}, -1, 0, 1, true, {12291}, {12303}},
      {{"snapshot", 12292, nullptr}, {{"startManualSnapshot", {0, 2}}}, -1, 0, 1, true, {}, {}},
      {{"digitzoom", 12294, nullptr}, {}, -1, 10, 0, false, {}, {}},
      {{"hideleft", 12297, nullptr}, {}, -1, 0, 0, false, {}, {}},
      {{"playback5m", 12290, [] { return getInstantPlayWnd(3); }}, {{"findRecordFiles", {}}}, 9, 0, 0, false, {}, {}},
      {{"ptzctrl", 12293, getPtzPlayWindow}, {}, 2, 0, 0, false, {}, {}},
      {{"colorset", 12295, getLeftColorSetWnd}, {}, 3, 0, 0, false, {}, {}},
      {{"previewstrategy", 12296, getPreviewStrategyWnd}, {}, 19, 0, 0, false, {}, {}},
  };
  for (const Row& row : rows) {
    setOutputState(3, OUTSTATE_LIVEVIEW);
    WindowHandle bar = OpenOnChannel(2);
    ASSERT_NE(bar, GUI_INVALID_HANDLE);
    device_seam::startCallLog();
    int stateInside = -1, typeInside = -1;
    if (row.click.opened) {
      const auto opened = [&] { return IsValidHandle(row.click.opened()); };
      // Each of them closes on Escape.
      EXPECT_TRUE(RunInLoopOpenedBy([&] { livetest::ClickItem(bar, row.click.id); }, opened, [&] {
        stateInside = getOutputState(3);
        typeInside = getPlaybackType(3);
        livetest::PressKey(KEY_ESC);
      })) << row.click.name;
      EXPECT_FALSE(opened()) << row.click.name;
    } else {
      Click(bar, row.click.id);
    }
    EXPECT_EQ(DeviceActions(), row.device) << row.click.name;
    EXPECT_EQ(stateInside, row.stateInside) << row.click.name;
    if (row.click.id == 12290) { EXPECT_EQ(typeInside, 1); }
    EXPECT_EQ(getOutputState(3), row.stateAfter) << row.click.name;
    EXPECT_EQ(getLiveViewPopup(3), row.popupAfter) << row.click.name;
    EXPECT_EQ(IsWindowVisible(bar) != 0, row.barAfter) << row.click.name;
    for (int id : row.shown) EXPECT_TRUE(Visible(bar, id)) << row.click.name << " " << id;
    for (int id : row.hidden) EXPECT_FALSE(Visible(bar, id)) << row.click.name << " " << id;
    EXPECT_TRUE(SeenBoxes().empty()) << row.click.name;
    // The device keeps what the alternates follow.
    if (row.click.id == 12289) { EXPECT_EQ(getRecordingChanMask(), 2u); }
    if (row.click.id == 12302) { EXPECT_EQ(getRecordingChanMask(), 0u); }
  }
  // A second click on the colour item while the panel is open sets the
  // state but opens no second panel.
  WindowHandle bar = OpenOnChannel(2);
  WindowHandle panel = Main({0, 0, 40, 40}, DefaultMainWinProc);
  setLeftColorSetWnd(panel);
  Click(bar, 12295);
  EXPECT_EQ(getOutputState(3), OUTSTATE_COLORPANEL);
  EXPECT_EQ(getLeftColorSetWnd(), panel);
  setLeftColorSetWnd(GUI_INVALID_HANDLE);
}

// Closes every window a bar item opens, each tick of its timer, and counts
// them: a window opened inside another's modal loop would hold that loop.
int g_nestedClosed = 0;
LResult NestedCloserProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != MSG_TIMER) return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  for (WindowHandle w : {getLeftColorSetWnd(), getPreviewStrategyWnd(), getPtzPlayWindow(), getInstantPlayWnd(3)})
    if (IsValidHandle(w)) {
      ++g_nestedClosed;
      SendMessage(w, MSG_CLOSE, 0, 0);
    }
  return 0;
}

// The bar may stand beside a dialog opened over the live view (the output
// mode dialog, from the pop-up menu). Its items do nothing there: each would
// change the output's state or open a second window inside the dialog's
// loop, and the dialog, left in another state, would no longer take Escape.
TEST_F(LeftMenu, ItsItemsDoNothingWhileADialogRunsBesideIt) {
  AudioFlag(1);
  const WindowHandle closer = Main({0, 0, 4, 4}, NestedCloserProc);
  ASSERT_TRUE(SetTimer(closer, 1, 10));
  const int items[] = {12289, 12290, 12291, 12292, 12293, 12294, 12295, 12296, 12297};
  for (int id : items) {
    setOutputState(3, OUTSTATE_LIVEVIEW);
    WindowHandle bar = OpenOnChannel(2);
    ASSERT_NE(bar, GUI_INVALID_HANDLE);
    g_nestedClosed = 0;
    device_seam::startCallLog();
    int stateInside = -1;
    RunInLoop(showOutModeSet, [&] {
      const WindowHandle dlg = getOutModeSetWnd();
      Click(bar, id);
      stateInside = getOutputState(3);
      inputtest::ClickClosing(dlg, IDCANCEL);
    });
    EXPECT_EQ(stateInside, OUTSTATE_OUTMODE) << id;
    EXPECT_EQ(g_nestedClosed, 0) << id;
    EXPECT_TRUE(DeviceActions().empty()) << id;
    EXPECT_EQ(getOutModeSetWnd(), GUI_INVALID_HANDLE) << id;
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW) << id;
  }
  KillTimer(closer, 1);
}

TEST_F(LeftMenu, EveryFailureShowsItsBoxOverADisabledLiveViewAndOpensTheBarAgain) {
  char chanList[32] = "", chanName[32] = "";
  formatChannelList(2, 0, chanList, sizeof chanList);
  formatChanName(2, chanName);
  char recordText[128] = "", snapText[128] = "", refusedText[128] = "";
  formatChecked(recordText, sizeof recordText, lookupText("manualrecord", "manualrecord_err_chan"), "s", chanList);
  formatChecked(refusedText, sizeof refusedText, lookupText("commons", "savefailed_code"), "d", 9);
  formatChecked(snapText, sizeof snapText, lookupText("manualsnapshot", "manualsnapshot_err_chan"), "s", chanName);
  struct Row {
    const char* name;
    int id, channel, audio;
    std::vector<std::pair<device_seam::Op, int64_t>> overrides;
    bool guest;
    Seen box;
    int before = 0;  // an item the administrator clicks first, showing the one to click
    int kept = 0;    // an item still shown afterwards: the device did not change
  } rows[] = {
      {"record refused", 12289, 2, 1, {{canManualRecord, 0}}, false, Boxed(recordText, 64)},
      {"record start failed", 12289, 2, 1, {{startManualRecord, 9}}, false, Boxed(refusedText, 16), 0, 12289},
      {"record stop failed", 12302, 2, 1, {{stopManualRecord, 9}}, false, Boxed(refusedText, 16), 12289, 12302},
      {"snapshot refused", 12292, 2, 1, {{canManualSnapshot, 0}}, false, Boxed(snapText, 64)},
      {"snapshot failed", 12292, 2, 1, {{startManualSnapshot, -1}}, false,
       Boxed(Text("manualsnapshot", "manualsnapshot_err_snapshot").c_str(), 16)},
      {"no search result", 12290, 2, 1, {{findRecordFiles, 102}}, false,
       Boxed(Text("playback", "search_failed").c_str(), 16)},
      {"audio off", 12291, 2, 0, {}, false, Boxed(Text("preview", "voicehint").c_str(), 64)},
      {"audio refused", 12291, 2, 1, {{openLiveAudio, -1}}, false, Boxed(Text("leftmenu", "op_voice_err").c_str(), 64)},
      {"audio close refused", 12303, 2, 1, {{closeLiveAudio, -1}}, false,
       Boxed(Text("leftmenu", "op_voice_err").c_str(), 64), 12291},
      {"zoom without a channel", 12294, -2, 1, {}, false, Boxed(Text("leftmenu", "zoomin_err").c_str(), 16)},
      {"guest records", 12289, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
      {"guest stops", 12302, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64), 12289},
      {"guest plays back", 12290, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
      {"guest snapshots", 12292, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
      {"guest PTZ", 12293, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
      {"guest colours", 12295, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
      {"guest strategy", 12296, 2, 1, {}, true, Boxed(Text("commons", "permission").c_str(), 64)},
  };
  for (const Row& row : rows) {
    device_seam::resetAll();
    AudioFlag(row.audio);
    setLoginState(3, 0, 0);
    setOutputState(3, OUTSTATE_LIVEVIEW);
    WindowHandle bar = OpenOnChannel(row.channel);
    if (row.before) Click(bar, row.before);
    if (row.guest) LogInGuest();
    for (const auto& [op, answer] : row.overrides) device_seam::overrideAnswer(op, answer);
    SeenBoxes().clear();
    device_seam::startCallLog();
    Click(bar, row.id);
    EXPECT_EQ(SeenBoxes(), std::vector<Seen>{row.box}) << row.name;
    // Afterwards the live view takes input again under the open bar.
    EXPECT_TRUE(IsWindowEnabled(g_live)) << row.name;
    EXPECT_TRUE(IsWindowVisible(bar)) << row.name;
    EXPECT_EQ(getLiveViewPopup(3), 1) << row.name;
    EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW) << row.name;
    if (row.guest) { EXPECT_TRUE(DeviceActions().empty()) << row.name; }
    if (row.kept) { EXPECT_TRUE(Visible(bar, row.kept)) << row.name; }
  }
  // A user without rights still switches the audio, which needs none.
  device_seam::resetAll();
  setLiveAudioChannel(0);  // the refused close above left it on
  AudioFlag(1);
  LogInGuest();
  WindowHandle bar = OpenOnChannel(2);
  SeenBoxes().clear();
  Click(bar, 12291);
  EXPECT_TRUE(SeenBoxes().empty());
  EXPECT_TRUE(Visible(bar, 12303));
}

TEST_F(LeftMenu, WithoutAChannelRecordAndAudioDoNothing) {
  AudioFlag(1);
  WindowHandle bar = OpenOnChannel(-2);
  device_seam::startCallLog();
  for (int id : {12289, 12291}) Click(bar, id);
  EXPECT_TRUE(DeviceActions().empty());
  EXPECT_TRUE(SeenBoxes().empty());
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_FALSE(Visible(bar, 12302));  // nothing started: no alternate to stop it
  EXPECT_FALSE(Visible(bar, 12303));
}

// ---- Hiding, dragging, captions ----

TEST_F(LeftMenu, CloseEscapeAndHideOnlyHideTheBarAndEscapeOnlyInTheLiveView) {
  enum Way { kClose, kKey, kHideItem };
  struct Row {
    const char* name;
    Way way;
    int key;
    int state;
    bool hidden;
  } rows[] = {
      {"close", kClose, 0, 0, true},
      {"escape", kKey, KEY_ESC, 0, true},
      {"escape in the colour panel", kKey, KEY_ESC, 3, false},
      {"another key", kKey, KEY_ENTER, 0, false},
      {"hide item", kHideItem, 0, 0, true},
      {"hide item in playback", kHideItem, 0, 9, false},
  };
  for (const Row& row : rows) {
    setOutputState(3, OUTSTATE_LIVEVIEW);
    WindowHandle bar = OpenOnChannel(2);
    setOutputState(3, row.state);
    // A drag mark left armed, which hiding clears; under a click's pointer
    // it would carry the bar along instead.
    if (row.way != kHideItem) setLeftMenuDragArmed(1);
    if (row.way == kClose)
      SendMessage(bar, MSG_CLOSE, 0, 0);  // as the program closes what covers the live view
    else if (row.way == kKey && row.hidden)  // the bar hidden, its release goes elsewhere
      livetest::PressKey(row.key), livetest::PumpUntil([bar] { return !IsWindowVisible(bar); });
    else if (row.way == kKey)
      EXPECT_TRUE(inputtest::Type(GetActiveWindow(), row.key)) << row.name;
    else
      Click(bar, 12297);
    EXPECT_EQ(IsWindowVisible(bar) == 0, row.hidden) << row.name;
    EXPECT_EQ(getLiveViewPopup(3) == 0, row.hidden) << row.name;
    if (row.hidden) { EXPECT_EQ(getLeftMenuDragArmed(), 0) << row.name; }
    EXPECT_EQ(getLeftMenuWnd(3), bar) << row.name;  // never destroyed
    setLeftMenuDragArmed(0);
  }
}

TEST_F(LeftMenu, TheGripDragsTheBarWithCaptureAndStopsAtTheScreensCorner) {
  WindowHandle bar = OpenOnChannel(2);
  Rect start{};
  GetWindowRect(bar, &start);
  const int sx = start.left, sy = start.top;
  const auto place = [bar] {
    Rect r{};
    GetWindowRect(bar, &r);
    return r;
  };
  // The pointer moved while the bar has it, then the desktop's repaint pass.
  const auto moveThenPass = [bar](int x, int y) {
    EXPECT_TRUE(inputtest::HandledBy(bar, MSG_MOUSEMOVE, -1, 1, [x, y] { HostInjectMouseMove(x, y); }));
    SendMessage(bar, MSG_BROADCAST_NOTICE, 0, 0);
  };
  // Pressed in the grip the bar takes the mouse and follows the pointer at
  // the next repaint pass.
  inputtest::MovePointer(sx + 10, sy + 10);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_TRUE(livetest::PumpUntil([bar] { return GetCapture() == bar && GetScrollDragFlag() != 0; }));
  moveThenPass(sx + 50, sy - 10);
  EXPECT_EQ(place().left, sx + 40);
  EXPECT_EQ(place().top, sy - 20);
  // Released, it lets go: a later move and pass leave it where it is.
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  EXPECT_TRUE(livetest::PumpUntil([] { return GetCapture() == 0 && GetScrollDragFlag() == 0; }));
  inputtest::MovePointer(sx + 300, sy);
  SendMessage(bar, MSG_BROADCAST_NOTICE, 0, 0);
  EXPECT_EQ(place().left, sx + 40);
  EXPECT_EQ(place().top, sy - 20);
  EXPECT_EQ(place().right - place().left, start.right - start.left);
  // Dragged to the screen's corner, the bar stops at it.
  inputtest::MovePointer(sx + 50, sy - 10);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  EXPECT_TRUE(livetest::PumpUntil([bar] { return GetCapture() == bar; }));
  moveThenPass(1023, 767);
  EXPECT_EQ(place().right, 1024);
  EXPECT_EQ(place().bottom, 768);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  EXPECT_TRUE(livetest::PumpUntil([] { return GetCapture() == 0; }));
}

TEST_F(LeftMenu, LanguageRefreshPutsBackEveryCaptionItHas) {
  WindowHandle bar = OpenOnChannel(2);
  for (int id : {12289, 12297, 12302, 12303}) SendDlgItemMessage(bar, id, MSG_SETTEXT, 0, reinterpret_cast<LParam>("x"));
  refreshLeftMenuCaptions(3);
  EXPECT_EQ(std::string(GetWindowCaption(GetDlgItem(bar, 12289))), Text("leftmenu", "startrec"));
  EXPECT_EQ(std::string(GetWindowCaption(GetDlgItem(bar, 12297))), Text("leftmenu", "hideleft"));
  EXPECT_EQ(std::string(GetWindowCaption(GetDlgItem(bar, 12302))), Text("leftmenu", "stoprec"));
  EXPECT_EQ(std::string(GetWindowCaption(GetDlgItem(bar, 12303))), Text("leftmenu", "closesound"));
  refreshLeftMenuCaptions(1);  // no bar there: nothing to do
}

TEST_F(LeftMenu, LayoutBitmapsLoadThePresentKeysAndSkipTheMissingOnes) {
  NamedBitmap items[] = {{"leftclick_bg_bmp", {}, 0}, {"no_such_bmp", {}, 1}, {nullptr, {}, 1}, {"leftclick_hide_bmp", {}, 0}};
  items[1].bitmap.bmWidth = 7;  // a stale copy is cleared
  EXPECT_EQ(loadNamedBitmaps("leftmenu", items, 4, 0), 2);
  EXPECT_EQ(std::vector<int>({items[0].loaded, items[1].loaded, items[2].loaded, items[3].loaded}),
            std::vector<int>({1, 0, 0, 1}));
  EXPECT_EQ(items[0].bitmap.bmWidth, 144u);
  EXPECT_EQ(items[3].bitmap.bmHeight, 44u);
  EXPECT_EQ(items[1].bitmap.bmWidth, 0u);
  EXPECT_EQ(findNamedBitmap(items, 4, "leftclick_hide_bmp"), &items[3].bitmap);
  EXPECT_EQ(findNamedBitmap(items, 4, "no_such_bmp"), nullptr);
  EXPECT_EQ(loadNamedBitmaps("no_such_window", items, 4, 0), 0);
  EXPECT_EQ(findNamedBitmap(items, 4, "leftclick_bg_bmp"), nullptr);
  // The playback loaders keep only what the layout has.
  loadPlaybackBarBitmaps();
  loadPlaybackBarBitmapsAux();
  loadResultPageBitmaps();
  EXPECT_EQ(getPlaybackBarBitmap(0, "no_such_bmp"), nullptr);
  EXPECT_EQ(getResultPageBitmap(nullptr), nullptr);
}

// ---- Pictures ----

class LeftMenuOnScreen : public LeftMenu {
 protected:
  void Shows(const char* name, WindowHandle bar) {
    ShowWindow(bar, SW_SHOWNORMAL);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar, TRUE);
    desktest::Drain();
    Rect r{};
    GetWindowRect(bar, &r);
    livetest::MatchesReference(__FILE__, name, livetest::SettledGrab(r));
  }
};

TEST_F(LeftMenuOnScreen, MainAndAuxiliaryBarsAndTheAlternates) {
  WindowHandle aux = Bar(1);
  MoveWindow(aux, 0, 0, 300, 48, TRUE);  // the auxiliary output's bar, pictured on this screen
  Shows("leftmenu_aux", aux);
  ShowWindow(aux, SW_HIDE);
  AudioFlag(1);
  WindowHandle bar = OpenOnChannel(2);
  Shows("leftmenu_main", bar);
  Click(bar, 12289);
  Click(bar, 12291);
  Shows("leftmenu_alternates", bar);
}

}  // namespace
