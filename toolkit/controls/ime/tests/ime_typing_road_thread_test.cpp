// The whole road of Chinese typing without a keyboard: the input method and
// the soft keyboard started as the program starts them, a field in a main
// window on a thread of its own, and every step taken by clicks fed to the
// host window: the field, its mode icon, the pinyin keys and a selection key.
#include <atomic>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "controls/ime/tests/ime_gui_fixture.h"

#include "controls/skb/skb_keys.h"
#include "core/element/system_res.h"
#include "core/message/tests/watchdog.h"
#include "core/startup/input_helpers.h"
#include "gui/edit.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window_attr.h"
#include "gui/window_attr.h"

namespace {

constexpr int kGbLanguage = 2, kModeChinese = 0x40, kModeLower = 0x10, kModeUpper = 0x80;

// The scan code of a lower-case letter or a digit on the keyboard's rows.
int ScanOf(char c) {
  if (c >= '1' && c <= '9') return 2 + (c - '1');
  if (c == '0') return 11;
  for (const char* row : {"qwertyuiop", "asdfghjkl", "zxcvbnm"}) {
    const char* at = std::strchr(row, c);
    if (at) return (row[0] == 'q' ? 16 : row[0] == 'a' ? 30 : 44) + static_cast<int>(at - row);
  }
  return -1;
}

// The character keyboard's key that types scan code `scan`, or -1.
int KeyOf(int scan) {
  for (int k = 0; k < skb::KeyCount(skb::kCharBoard); ++k)
    if (skb::ScanCode(skb::kCharBoard, k) == scan) return k;
  return -1;
}

// Left-button releases the desktop has routed: a click is read before the
// next one is fed, so no press is read at a later pointer position.
std::atomic<int> g_releasesRouted{0};
int CountReleases(WindowHandle, WindowHandle, int msg, WParam, LParam) {
  if (msg == MSG_LBUTTONUP) ++g_releasesRouted;
  return 0;
}

LResult FieldPageProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (DestroyAndQuitOnClose(hwnd, msg)) return 0;
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// Polls until `done` holds; the test's watchdog bounds the whole run.
template <typename Done>
bool Until(Done done) {
  for (int i = 0; i < 5000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

class ChineseTypingRoad : public imetest::ImeOnGui {
 protected:
  void SetUp() override {
    imetest::ImeOnGui::SetUp();
    RegisterMouseMsgHook(0, CountReleases);
  }
  void TearDown() override {
    RegisterMouseMsgHook(0, nullptr);
    if (page_) {
      PostMessage(page_, MSG_CLOSE, 0, 0);
      pageThread_.join();
    }
    if (IsValidHandle(skb_)) {
      PostMessage(skb_, MSG_CLOSE, 0, 0);
      WaitMainWindowClose(skb_, nullptr);
    }
    SetSysInfoLanguage(language_);
    imetest::ImeOnGui::TearDown();
  }

  // The page and its field, created and served by a thread of their own.
  void StartPage() {
    std::promise<std::pair<WindowHandle, WindowHandle>> made;
    std::future<std::pair<WindowHandle, WindowHandle>> handles = made.get_future();
    pageThread_ = std::thread([&made] {
      MainWinCreate create = MainWindowCreation({100, 320, 600, 420}, FieldPageProc, "page");
      WindowHandle page = CreateMainWindow(&create);
      WindowHandle field = page == GUI_INVALID_HANDLE
                               ? GUI_INVALID_HANDLE
                               : CreateWindowEx("sledit", "", WS_VISIBLE, 0, 5, 20, 20, 220, 50, page, 0);
      made.set_value({page, field});
      if (page != GUI_INVALID_HANDLE) RunMainWindow(page);
    });
    const auto got = handles.get();
    page_ = got.first == GUI_INVALID_HANDLE ? 0 : got.first;
    field_ = got.second;
    if (!page_) pageThread_.join();
  }

  std::string Text() {
    char text[32] = {};
    SendMessage(field_, MSG_GETTEXT, sizeof text - 1, reinterpret_cast<LParam>(text));
    return text;
  }
  LResult Mode() { return SendMessage(field_, MSG_EDIT_GETINPUTMODE, 0, 0); }

  // A press and a release where a hand would click, from a thread of its
  // own as the host's event source is.
  static void HostClick(int x, int y) {
    std::thread([x, y] {
      HostInjectMouseMove(x, y);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    }).join();
  }
  // A click on the field, waiting for what it does; the field holds the
  // mouse from its press (before it acts) to its release, so the release is
  // read once the mouse is free again.
  template <typename Done>
  ::testing::AssertionResult ClickField(int x, Done done) {
    Rect client{};
    GetClientRect(field_, &client);
    int sx = x < 0 ? client.right + x : x, sy = (client.top + client.bottom) / 2;
    ClientToScreen(field_, &sx, &sy);
    HostClick(sx, sy);
    if (!Until(done)) return ::testing::AssertionFailure() << "the click did not act, mode " << Mode();
    if (!Until([] { return GetCapture() == 0; })) return ::testing::AssertionFailure() << "the release was not read";
    // Acted and free before the press was read too, when clicked again.
    desktest::AwaitInputHandled();
    return ::testing::AssertionSuccess();
  }
  void ClickKey(char c) {
    const int k = KeyOf(ScanOf(c));
    ASSERT_GE(k, 0) << "no key types " << c;
    const Rect key = skb::KeyRect(skb::TableOf(skb::kCharBoard, false), k);
    Rect at{};
    GetWindowRect(skb_, &at);
    const int before = g_releasesRouted;
    HostClick(at.left + (key.left + key.right) / 2, at.top + (key.top + key.bottom) / 2);
    ASSERT_TRUE(Until([before] { return g_releasesRouted > before; })) << "the click on " << c << " was read";
  }

  int language_ = GetSysInfoLanguage();
  WindowHandle skb_ = 0, page_ = 0, field_ = 0;
  std::thread pageThread_;
};

TEST_F(ChineseTypingRoad, PinyinAndASelectionKeyOnTheSoftKeyboardTypeTheCandidateIntoTheField) {
  Watchdog dog(120, "typing Chinese through the soft keyboard");
  // What the table offers for "ni", and the key that picks its second slot.
  ime::CandidatePage page;
  std::string selectKeys;
  ASSERT_TRUE(imetest::PageOf("ni", &page, &selectKeys));
  ASSERT_GE(page.count, 2);
  const char pick = selectKeys[1];
  const std::string wanted = page.slots[1];
  ASSERT_EQ(wanted.size(), 2u);
  ASSERT_GE(static_cast<uint8_t>(wanted[0]), 0xA1) << "a GB2312 character";

  // Start-up order: the input method, then the soft keyboard.
  SetSysInfoLanguage(kGbLanguage);
  OpenIme();
  skb_ = SKBWindow();
  ASSERT_NE(skb_, 0u);
  ASSERT_NE(skb_, GUI_INVALID_HANDLE);
  ASSERT_TRUE(Until([&] { return SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) != -1; })) << "registered with the desktop";
  StartPage();
  ASSERT_NE(page_, 0u);
  ASSERT_NE(field_, GUI_INVALID_HANDLE);

  ASSERT_TRUE(ClickField(30, [&] {
    return SendMessage(skb_, MSG_DT_SKBQUERY, 1, 0) == 1 && SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) == static_cast<LResult>(field_) &&
           (Mode() == kModeLower || Mode() == kModeUpper);
  })) << "a click on the field opens the keyboard for it in letters";
  ASSERT_TRUE(ClickField(-3, [&] {  // the mode icon at the right end
    return Mode() == kModeChinese && SendMessage(skb_, MSG_DT_SKBQUERY, 2, 0) == 2 && SendMessage(ime_, MSG_DT_IMEQUERY, 5, 0) == 1 &&
           SendMessage(ime_, MSG_IMERECEIVER, 0, 0) == static_cast<LResult>(field_);
  })) << "the icon switches the field, the keyboard and the input method to Chinese";

  ASSERT_NO_FATAL_FAILURE(ClickKey('n'));
  ASSERT_NO_FATAL_FAILURE(ClickKey('i'));
  ASSERT_NO_FATAL_FAILURE(ClickKey(pick));
  EXPECT_TRUE(Until([&] { return Text() == wanted; })) << "field holds \"" << Text() << "\"";
  EXPECT_EQ(Mode(), kModeChinese) << "the field stays in Chinese for the next word";
}

}  // namespace
