// IPv4 addresses typed into the IP-address edit as a hand types them, by
// the host's keys and by clicks on the soft keyboard, against the address
// the control then holds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <functional>
#include <string>
#include <thread>

#include "controls/skb/skb_keys.h"
#include "core/control_support.h"
#include "core/input/lowlevel_event.h"
#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/dialog.h"
#include "gui/message.h"
#include "gui/text_entry.h"
#include "gui/window_attr.h"

namespace {

constexpr uint32_t kIpv4 = 0x1;
constexpr int kFirstField = 100, kLastField = 106;

struct Typed {
  const char* start;
  const char* typed;
  const char* stored;
};

// Full and short groups, with and without dots, 0, 255 and 256.
const Typed kAddresses[] = {
    {"0.0.0.0", "192.168.1.10", "192.168.1.10"},
    {"0.0.0.0", "10.0.0.5", "10.0.0.5"},
    {"0.0.0.0", "255.255.255.0", "255.255.255.0"},
    {"0.0.0.0", "1.2.3.4", "1.2.3.4"},
    {"0.0.0.0", "192168001010", "192.168.1.10"},     // full groups need no dots
    {"0.0.0.0", "0.0.0.0", "0.0.0.0"},
    {"0.0.0.0", "01.2", "1.2.0.0"},                  // no leading zero
    {"0.0.0.0", "1..2", "1.2.0.0"},                  // a dot never skips a field
    {"0.0.0.0", "256.1", "25.1.0.0"},                // the digit past 255 is refused
    {"0.20.30.40", "1.2.3.4", "1.2.3.4"},            // a field a dot reaches is typed over
    {"0.0.0.0", "1.2.3.40\b\b5", "1.2.3.5"},         // Backspace edits the field
};

// Key downs that reached the control or one of its fields: each key typed
// is one, whatever it then does.
std::map<WindowHandle, WindowProc> g_procs;
int g_keyDowns = 0;

LResult CountingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_KEYDOWN) ++g_keyDowns;
  return g_procs[hwnd](hwnd, msg, wParam, lParam);
}

// Every reading of the input clock a second after the last: each click
// stands apart, as a typing hand's do.
unsigned int SlowHand() {
  static std::atomic<unsigned int> ticks{1000};
  return ticks += 100;
}

class IpTyping : public guitest::StartedGui {
 protected:
  void SetUp() override {
    SetLowLevelEventClock(SlowHand);
    page_ = Main({50, 50, 450, 250}, 0, "page");
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    if (skb_ && SoftKeyboardWindow() == skb_) {
      SendMessage(skb_, MSG_CLOSE, 0, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));  // its thread ends after the quit message
    }
    guitest::StartedGui::TearDown();
  }

  // Dispatches what the page's thread receives, keys made characters as
  // the program's loop makes them, until `done` holds: patiently, as a
  // sanitized run on a loaded machine may wait seconds for a processor.
  bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 3000; ++i) {
      Message msg;
      while (PeekMessage(&msg, page_, 0, 0, TRUE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  WindowHandle Field(const char* start) {
    WindowHandle ip = CreateWindowEx("ipedit", start, WS_VISIBLE | kIpv4, 0, 5, 10, 10, 300, 30, page_, 0);
    EXPECT_NE(ip, GUI_INVALID_HANDLE);
    g_procs.clear();
    g_procs[ip] = SetWindowCallbackProc(ip, CountingProc);
    for (int id = kFirstField; id <= kLastField; id += 2) {
      const WindowHandle field = GetDlgItem(ip, id);
      g_procs[field] = SetWindowCallbackProc(field, CountingProc);
    }
    desktest::Drain();
    g_keyDowns = 0;
    return ip;
  }

  static std::string Text(WindowHandle ip) {
    char text[32] = {};
    SendMessage(ip, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    return text;
  }

  static void HostClick(int x, int y) {
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  }

  // A click on the control's first field, handled to its end.
  void ClickFirstField(WindowHandle ip) {
    int x = 12, y = 15;
    ClientToScreen(ip, &x, &y);
    std::thread([x, y] { HostClick(x, y); }).join();
    desktest::AwaitInputHandled();
    EXPECT_TRUE(PumpUntil([ip] { return GetCapture() == 0 && GetFocusChild(GetParent(ip)) == ip; }))
        << "the click gave the control the focus";
  }

  static int KeyOf(char c) {
    if (c == '.') return KEY_DOT;
    if (c == '\b') return KEY_BACKSPACE;
    return c == '0' ? KEY_0 : KEY_1 + (c - '1');
  }
  // The numeric board's key for a character: 1 .. 9, then Escape, 0, "."
  // and Backspace.
  static int BoardKeyOf(char c) {
    if (c == '.') return 11;
    if (c == '\b') return 12;
    return c == '0' ? 10 : c - '1';
  }

  std::string ByKeys(const Typed& t) {
    WindowHandle ip = Field(t.start);
    ClickFirstField(ip);
    std::thread([&t] {
      auto press = [](int key) {
        inputtest::TapKey(key);
      };
      press(KEY_ENTER);  // editing starts
      for (const char* c = t.typed; *c; ++c) press(KeyOf(*c));
      press(KEY_ENTER);
    }).join();
    const int keys = static_cast<int>(std::strlen(t.typed)) + 2;
    EXPECT_TRUE(PumpUntil([keys] { return g_keyDowns >= keys; })) << "every key reached the control: " << t.typed;
    const std::string stored = Text(ip);
    DestroyWindow(ip);
    return stored;
  }

  std::string BySoftKeyboard(const Typed& t) {
    WindowHandle ip = Field(t.start);
    ClickFirstField(ip);
    if (!PumpUntil([this] { return IsWindowVisible(skb_); })) return "the keyboard did not open";
    Rect w{};
    GetWindowRect(skb_, &w);
    int keys = 0;
    for (const char* c = t.typed; *c; ++c) {
      const Rect k = skb::KeyRect(skb::TableOf(skb::kNumBoard, false), BoardKeyOf(*c));
      const int x = w.left + (k.left + k.right) / 2, y = w.top + (k.top + k.bottom) / 2;
      std::thread([x, y] { HostClick(x, y); }).join();
      ++keys;
      // Taken before the next click, as a hand's key is.
      EXPECT_TRUE(PumpUntil([keys] { return g_keyDowns >= keys; })) << "the key reached the control: " << t.typed;
    }
    const std::string stored = Text(ip);
    DestroyWindow(ip);
    return stored;
  }

  WindowHandle page_ = 0, skb_ = 0;
};

TEST_F(IpTyping, AddressesTypedByTheKeysAreStoredAsTyped) {
  for (const Typed& t : kAddresses) EXPECT_EQ(ByKeys(t), t.stored) << t.start << " typed " << t.typed;
}

TEST_F(IpTyping, AddressesTypedOnTheSoftKeyboardAreStoredAsTyped) {
  skb_ = SKBWindow();
  ASSERT_NE(skb_, GUI_INVALID_HANDLE);
  // The desktop answers the registration by naming the active window to
  // the keyboard, a notification of its own time: let it land first.
  ASSERT_TRUE(PumpUntil([this] { return SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) != -1; }));
  for (const Typed& t : kAddresses) EXPECT_EQ(BySoftKeyboard(t), t.stored) << t.start << " typed " << t.typed;
}

}  // namespace
