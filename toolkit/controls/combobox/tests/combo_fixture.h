// Combo boxes in a main window of the test thread, their children and
// what they notify.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/nonclient/tests/screen_picture.h"
#include "core/nonclient/tests/started_gui.h"
#include "gui/combobox.h"
#include "gui/control_class.h"
#include "gui/dialog.h"
#include "gui/host.h"
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
  // `done` holds.
  static bool Feed(const std::function<void()>& act, const std::function<bool()>& done) {
    std::thread hand(act);
    for (int i = 0; i < 400 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    hand.join();
    desktest::Drain();
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

  static constexpr int kId = 30;
  WindowHandle main_ = 0;
};

inline LParam At(int x, int y) { return static_cast<LParam>((y << 16) | (x & 0xFFFF)); }

}  // namespace combotest
