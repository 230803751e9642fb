// The soft keyboard on its own thread: hand-back, registration, the keys it
// posts to the edit it serves, caps lock, closing, a change of output, and
// clicks fed to the host window typing into a field on another thread.
#include <gtest/gtest.h>

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "controls/skb/skb_keys.h"
#include "core/element/system_res.h"
#include "core/input/lowlevel_event.h"
#include "core/nonclient/tests/started_gui.h"
#include "core/startup/input_helpers.h"
#include "core/window/window_record.h"
#include "core/window/window_threads.h"
#include "gui/app_hooks.h"
#include "gui/config.h"
#include "gui/desktop.h"
#include "gui/gui_etc.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/layout.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window_attr.h"

namespace {

LParam Pack(int x, int y) { return static_cast<LParam>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x)); }

void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

class SoftKeyboardTest : public guitest::StartedGui {
 protected:
  void SetUp() override {
    target_ = Main({50, 50, 450, 250}, 0, "page");
    ASSERT_NE(target_, GUI_INVALID_HANDLE);
  }
  void TearDown() override {
    if (skb_ && SoftKeyboardWindow() == skb_) {
      SendMessage(skb_, MSG_CLOSE, 0, 0);
      Settle();  // its thread ends after the quit message
    }
    guitest::StartedGui::TearDown();
  }
  WindowHandle Keyboard() {
    skb_ = SKBWindow();
    EXPECT_NE(skb_, GUI_INVALID_HANDLE);
    EXPECT_NE(skb_, 0u);
    // The desktop answers the registration by naming the active window to
    // the keyboard, a notification of its own time: let it land first.
    for (int i = 0; i < 200 && SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) == -1; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return skb_;
  }
  void Serve(WindowHandle edit) {
    SendMessage(skb_, MSG_SKBOPEN, 0, 0);
    SendMessage(skb_, MSG_SKBACTIVEWIN, edit, 0);
  }
  void Click(skb::Board board, int key) {
    const Rect r = skb::KeyRect(skb::TableOf(board, false), key);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void ClickAt(int x, int y) {
    SendMessage(skb_, MSG_LBUTTONDOWN, 0, Pack(x, y));
    SendMessage(skb_, MSG_LBUTTONUP, 0, Pack(x, y));
  }
  // A key down and an input mode as the target is posted them.
  SeenMessage Key(WParam scan, LParam capsLock) const { return {target_, MSG_KEYDOWN, scan, capsLock}; }
  SeenMessage Mode(WParam mode) const { return {target_, MSG_EDITSKBMODE, mode, 0}; }
  // Keys and modes the target was posted since the last look.
  std::vector<SeenMessage> Posted() {
    std::vector<SeenMessage> out;
    desktest::Drain();
    for (const SeenMessage& m : guitest::Log::Instance().Take())
      if (m.hwnd == target_ && (m.message == MSG_KEYDOWN || m.message == MSG_EDITSKBMODE))
        out.push_back(m);
    return out;
  }
  WindowHandle target_ = 0, skb_ = 0;
};

TEST_F(SoftKeyboardTest, CreatorGetsTheHandleOnceAndTheKeyboardRegistersHidden) {
  WindowHandle skb = Keyboard();
  EXPECT_EQ(SKBWindow(), 0u) << "the slot is taken";
  EXPECT_EQ(SoftKeyboardWindow(), skb);
  EXPECT_FALSE(IsWindowVisible(skb));
  const Bitmap* skin = GetStockBitmap("SKBctrlbtn_chr", 0, 0);
  Rect r{};
  GetWindowRect(skb, &r);
  EXPECT_EQ(r.right - r.left, static_cast<int>(skin->bmWidth));
  EXPECT_EQ(r.bottom - r.top, static_cast<int>(skin->bmHeight));
  Serve(target_);
  EXPECT_TRUE(IsWindowVisible(skb));
  EXPECT_EQ(SendMessage(skb, MSG_DT_SKBQUERY, 1, 0), 1);
  EXPECT_EQ(static_cast<WindowHandle>(SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0)), target_);
  SendMessage(skb, MSG_SKBCLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(skb));
  EXPECT_EQ(static_cast<WindowHandle>(SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0)), GUI_INVALID_HANDLE);
}

// An edit the keyboard types into that goes away is forgotten: its handle
// would otherwise be checked and posted to after its record is freed.
TEST_F(SoftKeyboardTest, ADestroyedEditIsNoLongerTheKeyboardsTarget) {
  WindowHandle skb = Keyboard();
  const WindowHandle edit = CreateWindowEx("sledit", "", WS_CHILD | WS_VISIBLE, 0, 7, 10, 10, 100, 20, target_, 0);
  ASSERT_TRUE(IsValidHandle(edit));
  Serve(edit);
  ASSERT_EQ(static_cast<WindowHandle>(SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0)), edit);
  ASSERT_TRUE(DestroyWindow(edit));
  EXPECT_EQ(static_cast<WindowHandle>(SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0)), GUI_INVALID_HANDLE);
  SendMessage(skb, MSG_SKBCLOSE, 0, 0);
}

// The number keyboard reads the interface language on its own thread as it
// opens, while the language switch writes it on another: it still opens and
// closes each time.
TEST_F(SoftKeyboardTest, NumberKeyboardOpensAndClosesWhileTheLanguageSwitches) {
  constexpr LParam kNumberKind = 1;
  WindowHandle skb = Keyboard();
  const int32_t language = GetSysInfoLanguage();
  SendMessage(skb, MSG_DT_SKBCMD, 2, kNumberKind);
  ASSERT_EQ(SendMessage(skb, MSG_DT_SKBQUERY, 2, 0), kNumberKind);
  std::atomic<bool> stop{false};
  std::thread switcher([&stop] {
    for (int round = 0; !stop.load(); ++round) SetSysInfoLanguage(round % 2 == 0 ? 2 : 1);
  });
  int missed = 0;
  for (int round = 0; round < 100; ++round) {
    Serve(target_);
    if (SendMessage(skb, MSG_DT_SKBQUERY, 1, 0) != 1) ++missed;
    SendMessage(skb, MSG_SKBCLOSE, 0, 0);
    if (SendMessage(skb, MSG_DT_SKBQUERY, 1, 0) != 0) ++missed;
  }
  stop = true;
  switcher.join();
  EXPECT_EQ(missed, 0);
  EXPECT_EQ(SendMessage(skb, MSG_DT_SKBQUERY, 2, 0), kNumberKind);
  SetSysInfoLanguage(language);
}

TEST_F(SoftKeyboardTest, KeysArePostedWithCapsLockStateAndEscapeOnlyWithCapsLock) {
  Keyboard();
  Serve(target_);
  struct Row {
    skb::Board board;
    int key;
    std::vector<SeenMessage> posted;
  } rows[] = {
      {skb::kCharBoard, 11, {Key(16, 0)}},                  // q
      {skb::kCharBoard, 1, {Key(2, 0)}},                    // 1
      {skb::kCharBoard, 40, {Key(57, 0)}},                  // space
      {skb::kCharBoard, 39, {Key(14, 0)}},                  // backspace
      {skb::kCharBoard, 0, {Mode(0)}},                      // Escape without caps lock: not posted
      {skb::kCharBoard, 31, {Mode(0x80), Key(58, 0x100)}},  // caps lock on
      {skb::kCharBoard, 22, {Key(30, 0x100)}},              // a
      {skb::kCharBoard, 31, {Mode(0x10), Key(58, 0)}},      // caps lock off
      {skb::kCharBoard, 0, {Mode(0)}},                      // Escape: not posted, the keyboard closes
      {skb::kCharBoard, 31, {Mode(0x80), Key(58, 0x100)}},
      {skb::kCharBoard, 0, {Key(1, 0x100), Mode(0)}},  // Escape with caps lock is posted
      {skb::kCharBoard, 41, {Key(28, 0), Mode(0)}},    // reopened: caps lock is off again
      {skb::kNumBoard, 0, {Key(2, 0)}},                // 1
      {skb::kNumBoard, 11, {Key(52, 0)}},              // comma
      {skb::kNumBoard, 9, {Mode(0)}},                  // Escape
  };
  for (const Row& row : rows) {
    if (!IsWindowVisible(skb_)) Serve(target_);
    SendMessage(skb_, MSG_DT_SKBCMD, 2, row.board == skb::kNumBoard ? 1 : 0);
    Click(row.board, row.key);
    EXPECT_EQ(Posted(), row.posted) << "board " << row.board << " key " << row.key;
  }
  EXPECT_FALSE(IsWindowVisible(skb_)) << "Escape closed it";
}

TEST_F(SoftKeyboardTest, KeyEdgesAreOutsideTheKey) {
  Keyboard();
  Serve(target_);
  const Rect q = skb::KeyRect(skb::TableOf(skb::kCharBoard, false), 11);
  const int midX = (q.left + q.right) / 2, midY = (q.top + q.bottom) / 2;
  ClickAt(q.left, midY);
  ClickAt(midX, q.top);
  ClickAt(q.right, midY);
  ClickAt(midX, q.bottom);
  EXPECT_EQ(Posted(), std::vector<SeenMessage>{}) << "the edges of q";
  ClickAt(q.left + 1, q.top + 1);
  ClickAt(q.right - 1, q.bottom - 1);
  EXPECT_EQ(Posted(), (std::vector<SeenMessage>{Key(16, 0), Key(16, 0)}));
}

TEST_F(SoftKeyboardTest, CapsLockStaysOffForAMacAddressEdit) {
  Keyboard();
  WindowHandle mac = CreateWindowEx("ipedit", "", WS_VISIBLE | 0x2, 0, 5, 10, 10, 300, 30, target_, 0);
  ASSERT_NE(mac, GUI_INVALID_HANDLE);
  Serve(mac);
  Click(skb::kCharBoard, 31);
  EXPECT_EQ(GetSoftKeyboardCapsLock(), 0);
  SendMessage(skb_, MSG_SKBACTIVEWIN, target_, 0);
  Click(skb::kCharBoard, 31);
  EXPECT_EQ(GetSoftKeyboardCapsLock(), 1);
  SendMessage(skb_, MSG_SKBOPEN, 0, 0);
  EXPECT_EQ(GetSoftKeyboardCapsLock(), 1) << "opening an open keyboard changes nothing";
  SendMessage(skb_, MSG_SKBCLOSE, 0, 0);
  SendMessage(skb_, MSG_SKBOPEN, 0, 0);
  EXPECT_EQ(GetSoftKeyboardCapsLock(), 0) << "opening turns caps lock off";
}

TEST_F(SoftKeyboardTest, AChangeOfOutputReloadsTheSkinsAndResizes) {
  WindowHandle skb = Keyboard();
  const int mainOutput = getMainOutputHook(), auxOutput = getAuxOutputHook();
  ASSERT_NE(mainOutput, auxOutput);
  setCurOutputHook(auxOutput);
  const Bitmap* auxSkin = GetStockBitmap("SKBctrlbtn_chr", 0, 0);
  ASSERT_NE(auxSkin, nullptr);
  // The keyboard may answer a query while its own resize waits on the
  // desktop (a thread waiting in a send answers what is sent to it): its
  // size is awaited, asking again, rather than read after one answer.
  const auto sizeOnceResizedTo = [skb](const Bitmap* skin) {
    Rect r{};
    for (int i = 0; i < 2000; ++i) {
      SendMessage(skb, MSG_DT_SKBQUERY, 1, 0);
      GetWindowRect(skb, &r);
      if (r.right - r.left == static_cast<int>(skin->bmWidth)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return r;
  };
  Rect r = sizeOnceResizedTo(auxSkin);
  EXPECT_EQ(r.right - r.left, static_cast<int>(auxSkin->bmWidth));
  EXPECT_EQ(r.bottom - r.top, static_cast<int>(auxSkin->bmHeight));
  setCurOutputHook(mainOutput);
  const Bitmap* mainSkin = GetStockBitmap("SKBctrlbtn_chr", 0, 0);
  r = sizeOnceResizedTo(mainSkin);
  EXPECT_EQ(r.right - r.left, static_cast<int>(mainSkin->bmWidth));
  EXPECT_NE(mainSkin->bmWidth, auxSkin->bmWidth) << "each display has its own skin";
}

// The current output as a display switch racing a reload shows it to the
// keyboard's thread: every read while armed answers the other display.
// Installed before start-up, as the application installs its call-backs.
struct FlippingOutput {
  static inline std::atomic<bool> armed{false};
  static inline std::atomic<int> current{0};
  static inline pthread_t keyboard{};
  static inline int ids[2] = {0, 0};
  static int Get() {
    if (!armed || !pthread_equal(pthread_self(), keyboard)) return current;
    const int now = current;
    current = now == ids[0] ? ids[1] : ids[0];
    return current;
  }
  static void Set(int output) { current = output; }
};

class FlippingOutputTest : public SoftKeyboardTest {
 protected:
  static void SetUpTestSuite() {
    SetAppCallbacks(nullptr);
    FlippingOutput::ids[0] = getMainOutputHook();
    FlippingOutput::ids[1] = getAuxOutputHook();
    FlippingOutput::current = getCurOutputHook();
    static GuiAppCallbacks app{};
    app.getCurOutput = FlippingOutput::Get;
    app.setCurOutput = FlippingOutput::Set;
    SetAppCallbacks(&app);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    TerminateGUI(0);
    SetAppCallbacks(nullptr);
  }
};

TEST_F(FlippingOutputTest, AReloadTakesEverySkinFromTheOutputItReadOnce) {
  WindowHandle skb = Keyboard();
  const int mainOutput = FlippingOutput::ids[0], auxOutput = FlippingOutput::ids[1];
  ASSERT_NE(mainOutput, auxOutput);
  ASSERT_EQ(getCurOutputHook(), mainOutput);
  const Bitmap* mainSkin = GetDisplayStockBitmap(false, "SKBctrlbtn_chr", 0, 0);
  const Bitmap* auxSkin = GetDisplayStockBitmap(true, "SKBctrlbtn_chr", 0, 0);
  ASSERT_TRUE(mainSkin && auxSkin);
  ASSERT_NE(mainSkin->bmWidth, auxSkin->bmWidth);
  FlippingOutput::keyboard = MainWindowOf(skb)->thread;
  FlippingOutput::armed = true;
  SendMessage(skb, MSG_DT_SKBQUERY, 1, 0);  // reloads for whichever display its one read answers
  FlippingOutput::armed = false;
  // Skins and size then belong to one display: each display made current
  // again comes to show its own size. A reload begun by a message of its
  // own may still be moving the window when a send is answered inside it.
  for (int output : {mainOutput, auxOutput, mainOutput}) {
    setCurOutputHook(output);
    const Bitmap* skin = output == mainOutput ? mainSkin : auxSkin;
    Rect r{};
    for (int tries = 0; tries < 100; ++tries) {
      SendMessage(skb, MSG_DT_SKBQUERY, 1, 0);
      GetWindowRect(skb, &r);
      if (r.right - r.left == static_cast<int>(skin->bmWidth)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(r.right - r.left, static_cast<int>(skin->bmWidth)) << "output " << output;
    EXPECT_EQ(r.bottom - r.top, static_cast<int>(skin->bmHeight)) << "output " << output;
  }
}

TEST_F(SoftKeyboardTest, EscapeWithoutAMenuEndsTheKeyboardForGood) {
  WindowHandle skb = Keyboard();
  Serve(target_);
  DestroyMainWindow(target_);  // no menu left on the display
  desktest::Drain();
  // Only the press: it ends the window, whose handle names freed memory once
  // its thread has cleaned up, so the release has nowhere to go.
  const Rect escape = skb::KeyRect(skb::TableOf(skb::kCharBoard, false), 0);
  SendMessage(skb_, MSG_LBUTTONDOWN, 0, Pack((escape.left + escape.right) / 2, (escape.top + escape.bottom) / 2));
  for (int i = 0; i < 200 && SoftKeyboardWindow(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(SoftKeyboardWindow(), 0u) << "unregistered";
  Settle();
  skb_ = 0;
  (void)skb;
}

// The whole road: the host window's clicks reach the keyboard's thread, whose
// keys reach the edit on this thread.
class KeyboardRoadTest : public SoftKeyboardTest {
 protected:
  bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 600; ++i) {
      Message msg;
      while (PeekMessage(&msg, target_, 0, 0, TRUE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  std::string Text(WindowHandle edit) {
    char text[32] = {};
    SendMessage(edit, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    return text;
  }
  Point KeyOnScreen(int key) {
    const Rect k = skb::KeyRect(skb::TableOf(skb::kCharBoard, false), key);
    Rect w{};
    GetWindowRect(skb_, &w);
    return Point{w.left + (k.left + k.right) / 2, w.top + (k.top + k.bottom) / 2};
  }
  static void HostClick(Point p, bool press, bool release) {
    HostInjectMouseMove(p.x, p.y);
    if (press) HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    if (release) HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  }
  // A field on the page clicked by the host: the keyboard opens for it.
  // The field holds the mouse from its press until its release is handled;
  // a key clicked before that would go to the field, not to the keyboard.
  WindowHandle FieldWithKeyboard() {
    Keyboard();
    WindowHandle edit = CreateWindowEx("sledit", "", WS_VISIBLE, 0, 5, 20, 20, 200, 30, target_, 0);
    if (edit == GUI_INVALID_HANDLE) return edit;
    desktest::Drain();
    int x = 30, y = 15;
    ClientToScreen(edit, &x, &y);
    std::thread([&] { HostClick({x, y}, true, true); }).join();
    const bool open = PumpUntil([&] {
      return IsWindowVisible(skb_) && SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) == static_cast<LResult>(edit) &&
             GetCapture() != edit;
    });
    desktest::AwaitInputHandled();
    return open ? edit : GUI_INVALID_HANDLE;
  }
};

TEST_F(KeyboardRoadTest, ClicksOnTheKeyboardTypeIntoTheFieldAndBackspaceRepeats) {
  const WindowHandle edit = FieldWithKeyboard();
  ASSERT_NE(edit, GUI_INVALID_HANDLE) << "a click on the field opens the keyboard for it";
  std::string typed;
  for (int key : {1, 2, 3}) {  // 1 2 3, each typed before the next click, as a hand would
    const Point p = KeyOnScreen(key);
    std::thread([p] { HostClick(p, true, true); }).join();
    typed += static_cast<char>('0' + key);
    ASSERT_TRUE(PumpUntil([&] { return Text(edit) == typed; })) << Text(edit);
  }
  const Point back = KeyOnScreen(39);
  std::thread([back] { HostClick(back, true, false); }).join();
  EXPECT_TRUE(PumpUntil([&] { return Text(edit).empty(); })) << "held backspace repeats: " << Text(edit);
  std::thread([back] { HostClick(back, false, true); }).join();
  const Point four = KeyOnScreen(4);
  std::thread([four] { HostClick(four, true, true); }).join();
  ASSERT_TRUE(PumpUntil([&] { return Text(edit) == "4"; })) << Text(edit);
  PumpUntil([] { return false; });  // a while: the released backspace stays quiet
  EXPECT_EQ(Text(edit), "4");
}

// Quick presses of one key a tenth of a second apart: the event layer makes
// every second one a double click, and each still types.
std::atomic<unsigned int> g_now{1000};
unsigned int Now() { return g_now; }

TEST_F(KeyboardRoadTest, EveryQuickPressOfAKeyTypes) {
  const WindowHandle edit = FieldWithKeyboard();
  ASSERT_NE(edit, GUI_INVALID_HANDLE) << "a click on the field opens the keyboard for it";
  SetLowLevelEventClock(Now);
  std::string typed;
  const Point one = KeyOnScreen(1);
  for (int n = 0; n < 6; ++n) {
    g_now += 10;
    std::thread([one] { HostClick(one, true, true); }).join();
    typed += '1';
    EXPECT_TRUE(PumpUntil([&] { return Text(edit) == typed; })) << "press " << n + 1 << ": " << Text(edit);
  }
  for (int n = 0; n < 4; ++n) {
    g_now += 10;
    const Point back = KeyOnScreen(39);
    std::thread([back] { HostClick(back, true, true); }).join();
    typed.pop_back();
    EXPECT_TRUE(PumpUntil([&] { return Text(edit) == typed; })) << "backspace " << n + 1 << ": " << Text(edit);
  }
  SetLowLevelEventClock(nullptr);
  EXPECT_EQ(Text(edit), "11");
}

class MissingSkinTest : public guitest::StartedGui {};

// The configuration read from its file unless an object is loaded: the
// test loads one, names a skin file that does not exist, and puts the
// file-backed reading back afterwards.
TEST_F(MissingSkinTest, AMissingSkinHandsBackFailure) {
  EtcFile* loaded = hGuiEtc ? nullptr : LoadEtcFile(ETCFILEPATH);
  if (loaded) hGuiEtc = loaded;
  EtcSection* skins = FindSectionInEtc(hGuiEtc, "bitmapinfo", FALSE);
  ASSERT_NE(skins, nullptr);
  char kept[64] = {};
  GetValueFromEtcSec(skins, "SKBctrlbtn_num", kept, sizeof kept);
  SetValueToEtcSec(skins, "SKBctrlbtn_num", "no_such_skin.bmp");
  PutStockBitmapForTest("SKBctrlbtn_num", false, Bitmap{});
  EXPECT_EQ(SKBWindow(), GUI_INVALID_HANDLE);
  EXPECT_EQ(SoftKeyboardWindow(), 0u);
  EXPECT_EQ(UnjoinedMainWindowThreads(), 0u) << "the thread that made no window is left running";
  SetValueToEtcSec(skins, "SKBctrlbtn_num", kept);
  if (loaded) {
    hGuiEtc = nullptr;
    UnloadEtcFile(loaded);
  }
}

}  // namespace
