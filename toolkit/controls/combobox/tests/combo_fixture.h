// Combo boxes in a main window of the test thread, their children and
// what they notify.
#pragma once

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "core/input/lowlevel_event.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/combobox.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/message.h"
#include "gui/window_attr.h"

namespace combotest {

class ComboTest : public guitest::StartedGui {
 protected:
  WindowHandle Make(uint32_t style, Rect r = {10, 10, 130, 36}, Rect parent = {0, 0, 400, 300},
                    const std::vector<const char*>& items = {}, LParam addData = 0) {
    if (!main_ || !IsWindow(main_)) main_ = Main(parent, 0);
    WindowHandle cb = CreateWindowEx("combobox", "", style | WS_VISIBLE, 0, kId, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, main_, addData);
    EXPECT_NE(cb, GUI_INVALID_HANDLE);
    for (const char* t : items) SendMessage(cb, CB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
    Notes();
    return cb;
  }

  WindowHandle Child(WindowHandle cb, bool list) {
    WindowHandle edit = 0, other = 0;
    SendMessage(cb, CB_GETCHILDREN, reinterpret_cast<WParam>(&edit), reinterpret_cast<LParam>(&other));
    return list ? other : edit;
  }

  std::string Text(WindowHandle cb) {
    char text[128] = {0};
    SendMessage(cb, MSG_GETTEXT, sizeof text, reinterpret_cast<LParam>(text));
    return text;
  }

  // The codes the combo box notified since the last look (its children's
  // commands reach it first).
  std::vector<int> Notes() {
    std::vector<int> codes;
    for (const SeenMessage& m : Received(main_, MSG_COMMAND))
      if (static_cast<int>(m.wParam & 0xFFFF) == kId) codes.push_back(static_cast<int>(m.wParam >> 16));
    return codes;
  }

  // Enter, the text typed into the edit, Enter again.
  void Type(WindowHandle cb, const char* text) {
    SendMessage(cb, MSG_KEYDOWN, 28, 0);
    SendMessage(Child(cb, false), MSG_SETTEXT, 0, reinterpret_cast<LParam>(text));
    SendMessage(cb, MSG_KEYDOWN, 28, 0);
  }

  // Each text typed, then what the box shows, back out of typing.
  struct Typed {
    const char* typed;
    const char* shown;
  };
  void CheckTyped(WindowHandle cb, const std::vector<Typed>& table) {
    for (const Typed& t : table) {
      Type(cb, t.typed);
      EXPECT_EQ(Text(cb), t.shown) << t.typed;
      EXPECT_EQ(SendMessage(cb, MSG_GETDLGCODE, 0, 0), 0x11) << t.typed;
    }
  }

  // The main window against the reference picture beside the test file.
  void ShootMain(const char* testFile, const char* name) {
    desktest::Drain();
    Rect r{};
    GetWindowRect(main_, &r);
    guitest::MatchReference(guitest::Grab(r), guitest::ReferencePath(testFile, name));
  }

  // The host thread does `act`; the test thread keeps dispatching until
  // `done` holds and all `act` gave is handled: `done` may show at a
  // click's press, before its release is read.
  static bool Feed(const std::function<void()>& act, const std::function<bool()>& done) {
    std::thread hand(act);
    for (int i = 0; i < 400 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    hand.join();
    desktest::AwaitInputHandled();
    return done();
  }

  // Every reading of the input clock a second later than the last: each
  // press stands apart, as a hand's clicks do, and none makes a double click.
  static unsigned int SlowHand() {
    static std::atomic<unsigned int> ticks{1000};
    return ticks += 100;
  }

  // A hand's click at a point of the screen, press and release at once.
  static bool ClickOnScreen(int x, int y, const std::function<bool()>& done) {
    return Feed(
        [x, y] {
          HostInjectMouseMove(x, y);
          HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
          HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
        },
        done);
  }

  // A key of the host's keyboard (a Linux key code) pressed and released.
  static bool Key(int key, const std::function<bool()>& done) {
    return Feed(
        [key] { inputtest::TapKey(key); },
        done);
  }

  // Keys of the host's keyboard pressed and released one after the other,
  // made characters as the program's loop makes them, all of them handled
  // on return: the desktop routes its input in order, so once a pointer move
  // sent after them is seen and routed, they wait in this thread's queue.
  static void TypeKeys(const std::vector<int>& keys) {
    static int mark = 0;
    const int x = 1 + (++mark % 2);
    for (int key : keys) {
      inputtest::TapKey(key);
    }
    HostInjectMouseMove(x, 1);
    for (int i = 0; i < 2000 && !inputtest::PointerAt(x, 1); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    desktest::AwaitRouted();
    ThreadMsgInfo* info = CurrentThreadMsgInfo();
    const WindowHandle any = info && info->mainWindow ? HandleOf(info->mainWindow) : 0;
    for (int i = 0, quiet = 0; i < 1000 && quiet < 3; ++i) {
      const bool there = inputtest::PointerAt(x, 1);
      bool read = false;
      Message msg;
      while (any && PeekMessage(&msg, any, 0, 0, TRUE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        read = true;
      }
      quiet = there && !read ? quiet + 1 : 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  // Enter, the text's digits and minus signs on the host's keys, Enter.
  static void TypeBetweenEnters(const char* text) {
    std::vector<int> keys{KEY_ENTER};
    for (const char* c = text; *c; ++c) keys.push_back(*c == '-' ? KEY_MINUS : *c == '0' ? KEY_0 : KEY_1 + (*c - '1'));
    keys.push_back(KEY_ENTER);
    TypeKeys(keys);
  }

  static constexpr int kId = 30;
  WindowHandle main_ = 0;
};

// A dialog under the default dialog procedure, and what it heard: whether
// it was closed (Escape sends it Cancel, or close without a Cancel item)
// and which of its controls told it something.
class HeardDialog {
 public:
  // Shown at `r` with the controls of `ctrls`; the handle, or -1.
  WindowHandle Create(std::vector<CtrlData> ctrls, Rect r, const char* caption) {
    DlgTemplate tpl{WS_BORDER, 0, r.left, r.top, r.right - r.left, r.bottom - r.top, caption, 0, 0,
                    static_cast<int>(ctrls.size()), ctrls.data(), 0};
    dlg_ = CreateMainWindowIndirectParam(&tpl, 0, Proc, 0);
    return dlg_;
  }

  bool Closed() {
    Collect();
    return closed_;
  }
  bool Heard(int id) {
    Collect();
    return std::find(told_.begin(), told_.end(), id) != told_.end();
  }
  // The notification codes control `id` told since the last look.
  std::vector<int> CodesFrom(int id) {
    Collect();
    std::vector<int> out;
    for (const std::pair<int, int>& c : codes_)
      if (c.first == id) out.push_back(c.second);
    codes_.clear();
    return out;
  }

 private:
  static LResult Proc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
    guitest::Log::Instance().Add({hwnd, msg, wParam, lParam});
    return DefaultDialogProc(hwnd, msg, wParam, lParam);
  }

  void Collect() {
    for (const SeenMessage& m : guitest::Log::Instance().Take()) {
      if (m.hwnd != dlg_) continue;
      if (m.message == MSG_CLOSE || (m.message == MSG_COMMAND && m.wParam == IDCANCEL)) closed_ = true;
      if (m.message != MSG_COMMAND) continue;
      told_.push_back(static_cast<int>(m.wParam & 0xFFFF));
      codes_.emplace_back(static_cast<int>(m.wParam & 0xFFFF), static_cast<int>(m.wParam >> 16));
    }
  }

  WindowHandle dlg_ = 0;
  bool closed_ = false;
  std::vector<int> told_;
  std::vector<std::pair<int, int>> codes_;
};

// A date or time box on a dialog the host's mouse and keys drive (`Base`
// brings the toolkit up), with a button beside it in its group, where an
// arrow the dialog took for itself would move the focus, and a wide one
// under its drop-down, which a click on the drop-down must not reach.
template <class Base>
class BoxOnADialog : public Base {
 protected:
  static constexpr int kBoxId = 40, kNextId = 41, kBelowId = 42;
  static constexpr int kLinuxEscape = 1, kLinuxEnter = 28, kLinuxDown = 108;

  // The box of `style` (its kind included) on a shown dialog; false when
  // either failed.
  bool Place(uint32_t style) {
    SetLowLevelEventClock(Base::SlowHand);
    dlg_ = heard_.Create(
        {
            {"combobox", style | WS_VISIBLE | WS_TABSTOP, 20, 20, 160, 26, kBoxId, "", 0, 0},
            {"button", WS_VISIBLE | WS_TABSTOP, 240, 20, 80, 26, kNextId, "Next", 0, 0},
            {"button", WS_VISIBLE | WS_TABSTOP, 20, 56, 300, 280, kBelowId, "Below", 0, 0},
        },
        {120, 80, 520, 480}, "Display");
    if (dlg_ == GUI_INVALID_HANDLE) return false;
    this->windows_.push_back(dlg_);
    box_ = GetDlgItem(dlg_, kBoxId);
    dropDown_ = GetDlgItem(box_, (style & CBS_TYPEMASK) == CBS_DATE ? CB_CALENDAR_ID : CB_SPINNER_ID);
    return box_ && dropDown_;
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    Base::TearDown();
  }

  bool Shown() { return IsWindowVisible(dropDown_) != 0; }
  // A click on the box's edit, where a finger lands on it, or on its button;
  // true once the drop-down shows.
  bool ClickBox(bool onButton = false) {
    Rect r{};
    GetClientRect(box_, &r);
    int x = onButton ? r.right - 5 : 10, y = r.bottom / 2;
    ClientToScreen(box_, &x, &y);
    return Base::ClickOnScreen(x, y, [this] { return Shown(); });
  }
  LResult Code() { return SendMessage(box_, MSG_GETDLGCODE, 0, 0); }

  HeardDialog heard_;
  WindowHandle dlg_ = 0, box_ = 0, dropDown_ = 0;
};

inline LParam At(int x, int y) { return static_cast<LParam>((y << 16) | (x & 0xFFFF)); }

}  // namespace combotest
