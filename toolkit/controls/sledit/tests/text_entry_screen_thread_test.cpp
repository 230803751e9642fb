// Text entry as the user sees it: fields in their states, both soft
// keyboards with caps lock and a highlighted key, and IPv4 and MAC edits,
// each compared pixel for pixel with a reference image
// (GUI_UPDATE_REFERENCES=1 writes them anew: make update-references).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "controls/skb/skb_keys.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/caret.h"
#include "gui/desktop.h"
#include "gui/edit.h"
#include "gui/message.h"
#include "gui/paint.h"
#include "gui/text_entry.h"
#include "gui/window_attr.h"

namespace {


LParam Pack(int x, int y) { return static_cast<LParam>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x)); }

std::string DataPath(const char* name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/data/" + name;
}

class TextEntryOnScreen : public guitest::StartedGui {
 protected:
  void SetUp() override {
    page_ = Main({40, 400, 460, 620}, 0, "page");
    ASSERT_NE(page_, GUI_INVALID_HANDLE);
  }
  WindowHandle Field(uint32_t style, const char* text, int y, int w = 180) {
    WindowHandle h = CreateWindowEx("sledit", text, WS_VISIBLE | style, 0, ++id_, 10, y, w, 26, page_, 0);
    EXPECT_NE(h, GUI_INVALID_HANDLE);
    return h;
  }
  guitest::Picture Shot(WindowHandle hwnd) {
    desktest::Drain();
    Rect r{};
    GetWindowRect(hwnd, &r);
    int x = 0, y = 0;
    if (IsControl(hwnd)) WindowToScreen(hwnd, &x, &y), r = Rect{x, y, x + r.right - r.left, y + r.bottom - r.top};
    return guitest::Grab(r);
  }
  WindowHandle page_ = 0;
  int id_ = 10;
};

TEST_F(TextEntryOnScreen, FieldStatesMatchTheReference) {
  Field(0, "Camera 01", 8);
  Field(0x20, "secret", 40);
  WindowHandle tip = Field(0x8000, "", 72);
  SendMessage(tip, EM_SETTIPTEXT, 0, reinterpret_cast<LParam>("Device name"));
  Field(0x04000000, "Disabled", 104);
  Field(0x800, "Read only", 136);
  WindowHandle typing = Field(0, "abc", 168);
  SendMessage(typing, MSG_EDITSKBMODE, 0x10, 0);  // typing in lower-case letters: icon, focus and selection
  desktest::Drain();
  HideCaret(typing);
  guitest::MatchReference(Shot(page_), DataPath("edit_fields.png"));
  SendMessage(typing, MSG_EDITSKBMODE, 0, 0);
}

TEST_F(TextEntryOnScreen, IpAndMacEditsMatchTheReference) {
  CreateWindowEx("ipedit", "192.168.1.10", WS_VISIBLE | 0x1, 0, 50, 10, 10, 220, 26, page_, 0);
  WindowHandle mac = CreateWindowEx("ipedit", "0a:1b:2c:3d:4e:5f", WS_VISIBLE | 0x2, 0, 51, 10, 50, 300, 26, page_, 0);
  CreateWindowEx("ipedit", "10.0.0.1", WS_VISIBLE | 0x11, 0, 52, 10, 90, 220, 26, page_, 0);
  SendMessage(mac, MSG_KEYDOWN, 180, 0);  // editing: the MAC mode icon shows
  guitest::MatchReference(Shot(page_), DataPath("ip_edits.png"));
  SendMessage(mac, MSG_KEYDOWN, 1, 0);
}

// Typing into a right-aligned field shifts the drawn text instead of
// repainting it; the result must be what a full paint of the same text
// shows.
TEST_F(TextEntryOnScreen, RightAlignedTypingDrawsWhatAFullPaintDraws) {
  WindowHandle typed = Field(0x1002, "", 8), set = Field(0x1002, "", 40);
  desktest::Drain();
  for (char c : std::string("1234509876")) {
    SendMessage(typed, MSG_CHAR, static_cast<WParam>(c), 0);
    desktest::Drain();
  }
  SendMessage(typed, MSG_CHAR, 8, 0);  // and a backspace
  SendMessage(set, MSG_SETTEXT, 0, reinterpret_cast<LParam>("123450987"));
  HideCaret(typed);
  HideCaret(set);
  const guitest::Picture a = Shot(typed), b = Shot(set);
  ASSERT_EQ(a.rgb.size(), b.rgb.size());
  EXPECT_TRUE(a.rgb == b.rgb);
}

// Until the keyboard's thread has painted what was invalidated: its damage
// is taken, and a message sent then is answered after the paint returned.
void AwaitPainted(WindowHandle skb) {
  for (int i = 0; i < 1000; ++i) {
    Rect r{};
    GetUpdateRect(skb, &r);
    if (r.right <= r.left || r.bottom <= r.top) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  SendMessage(skb, MSG_DT_SKBQUERY, 1, 0);
}

// The keyboard once the desktop has routed all it was asked (showing it
// exposes it piece by piece) and its thread has painted what that exposed.
// Read only then: its thread draws without a lock that a reader takes.
void AwaitSettled(WindowHandle skb) {
  for (int i = 0; i < 1000 && HavePendingMessage(__gui_hwnd_desktop); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0);
  AwaitPainted(skb);
}

TEST_F(TextEntryOnScreen, KeyboardsWithCapsLockAndHighlightMatchTheReference) {
  WindowHandle skb = SKBWindow();
  ASSERT_NE(skb, GUI_INVALID_HANDLE);
  // The desktop's answer to the registration (close, name the active
  // window) comes as notifications: let them land before opening.
  for (int i = 0; i < 200 && SendMessage(skb, MSG_SKBCURRENTEDIT, 0, 0) == -1; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  SendMessage(skb, MSG_SKBOPEN, 0, 0);
  const Rect q = skb::KeyRect(skb::TableOf(skb::kCharBoard, false), 11);
  SendMessage(skb, MSG_DT_SKBCMD, 3, 1);
  SendMessage(skb, MSG_MOUSEMOVE, 0, Pack(q.left + 3, q.top + 3));
  AwaitSettled(skb);
  guitest::MatchReference(Shot(skb), DataPath("keyboard_chars.png"));
  const Rect five = skb::KeyRect(skb::TableOf(skb::kNumBoard, false), 4);
  SendMessage(skb, MSG_DT_SKBCMD, 2, 1);
  SendMessage(skb, MSG_MOUSEMOVE, 0, Pack(five.left + 3, five.top + 3));
  AwaitSettled(skb);
  guitest::MatchReference(Shot(skb), DataPath("keyboard_numbers.png"));
  SendMessage(skb, MSG_CLOSE, 0, 0);  // unregisters and ends its thread
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace
