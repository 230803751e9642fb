// Every control that acts on a press, pressed again and again through the
// host window a tenth of a second apart: the event layer makes each press
// that follows another in place within its threshold a double click, and
// each of them must still act once.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/barkit/tests/bar_fixture.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "core/control_support.h"
#include "core/input/lowlevel_event.h"
#include "core/input/tests/key_tap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/edit.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/text_entry.h"
#include "gui/trackbar.h"

namespace {

// The event clock in ticks of 10 ms, moved on by the test alone.
std::atomic<unsigned int> g_now{1000};
unsigned int Now() { return g_now; }
constexpr unsigned int kTenthOfASecond = 10;
constexpr int kPresses = 6;

// A control made for one row: where its presses go (in turn) and how many
// actions it has taken so far.
struct Subject {
  WindowHandle control;
  // Client points of the control, used in turn. A pointer move ends the
  // event layer's double-click window: a row of one point is pressed in
  // place, so that every second press is a double click.
  std::vector<Point> points;
  std::function<int()> actions;
  bool nonClient = false;  // the points are window points (a scroll bar)
  std::function<void()> after;  // what the hand does after each press
};

class QuickPresses : public bartest::BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    SetLowLevelEventClock(Now);
  }
  void TearDown() override {
    SetLowLevelEventClock(nullptr);
    if (skb_ && SoftKeyboardWindow() == skb_) {
      SendMessage(skb_, MSG_CLOSE, 0, 0);
      quickclick::Pump([this] { return SoftKeyboardWindow() != skb_; });
    }
    BarFixture::TearDown();
  }

  // The soft keyboard, once the desktop has named a window to it.
  void Keyboard() {
    if (!skb_) skb_ = SKBWindow();
    ASSERT_NE(skb_, GUI_INVALID_HANDLE);
    quickclick::Pump([this] { return SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) != -1; });
  }
  bool KeyboardServes(WindowHandle edit) {
    return IsWindowVisible(skb_) && SendMessage(skb_, MSG_SKBCURRENTEDIT, 0, 0) == static_cast<LResult>(edit);
  }

  // Each change of what `read` answers.
  static std::function<int()> Changes(std::function<LResult()> read) {
    auto last = std::make_shared<LResult>(read());
    auto count = std::make_shared<int>(0);
    return [read, last, count] {
      const LResult now = read();
      if (now != *last) ++*count;
      *last = now;
      return *count;
    };
  }

  // Notifications `code` heard from the control so far.
  std::function<int()> Counting(int code) {
    return [this, code] {
      for (int c : Codes()) seen_.push_back(c);
      return static_cast<int>(std::count(seen_.begin(), seen_.end(), code));
    };
  }

  Point OnScreen(const Subject& s, Point p) {
    if (s.nonClient) {
      Rect w{};
      GetWindowRect(s.control, &w);
      return {w.left + p.x, w.top + p.y};
    }
    ClientToScreen(s.control, &p.x, &p.y);
    return p;
  }

  // kPresses clicks a tenth of a second apart; the actions counted after
  // each. A click waits for the one before to be handled, as a hand's does.
  int Press(const Subject& s) {
    const int before = s.actions();
    for (int n = 0; n < kPresses; ++n) {
      const Point p = OnScreen(s, s.points[static_cast<size_t>(n) % s.points.size()]);
      g_now += kTenthOfASecond;
      HostInjectMouseMove(p.x, p.y);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
      HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
      quickclick::Pump([&] { return s.actions() - before > n && GetCapture() == 0; });
      if (s.after) s.after();
    }
    int settle = 0;  // a little while: a late extra action would show
    quickclick::Pump([&settle] { return ++settle > 25; });
    return s.actions() - before;
  }

  std::vector<int> seen_;
  WindowHandle skb_ = 0;
};

LParam Str(const char* s) { return reinterpret_cast<LParam>(s); }

TEST_F(QuickPresses, EachPressOfEveryPressTakingControlActsOnce) {
  struct Row {
    const char* name;
    std::function<Subject()> make;
  };
  const Row rows[] = {
      {"push button",
       [&] {
         WindowHandle b = Make("button", BS_PUSHBUTTON, 120, 40, "Apply");
         return Subject{b, {{60, 20}}, Counting(BN_CLICKED)};
       }},
      {"list box row",
       [&] {
         WindowHandle lb = Make("listbox", LBS_NOTIFY, 200, 120);
         for (const char* t : {"one", "two", "three"}) SendMessage(lb, LB_ADDSTRING, 0, Str(t));
         const int h = static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
         return Subject{lb, {{60, h + h / 2}}, Counting(LBN_CLICKED)};
       }},
      {"list box check box",
       [&] {
         WindowHandle lb = Make("listbox", LBS_NOTIFY | LBS_CHECKBOX | LBS_AUTOCHECK, 200, 120);
         static const ListBoxItemInfo item{"one", 0, 0, 0};
         SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LParam>(&item));
         const int h = static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
         return Subject{lb, {{5, h / 2}}, Counting(LBN_CLICKCHECKMARK)};
       }},
      {"list box scroll arrow",
       [&] {
         WindowHandle lb = Make("listbox", LBS_NOTIFY | WS_VSCROLL, 200, 80);
         for (int i = 0; i < 40; ++i) SendMessage(lb, LB_ADDSTRING, 0, Str("row"));
         Rect w{};
         GetWindowRect(lb, &w);
         return Subject{lb, {{w.right - w.left - 3, w.bottom - w.top - 3}},
                        [lb] { return static_cast<int>(SendMessage(lb, LB_GETTOPINDEX, 0, 0)); }, true};
       }},
      {"number spin up arrow",
       [&] {
         WindowHandle cb = Make("combobox", CBS_SPINNUMBER, 120, 30);
         SendMessage(cb, CB_SETSPINVALUE, 10, 0);
         Rect c{};
         GetClientRect(cb, &c);
         // The up arrow is the upper half of the arrows at the right end.
         return Subject{cb, {{c.right - 3, c.bottom / 2 - 2}},
                        [cb] { return static_cast<int>(SendMessage(cb, CB_GETSPINVALUE, 0, 0)) - 10; }};
       }},
      {"track bar",
       [&] {
         WindowHandle tb = Make("trackbar", TBS_NOTIFY, 300, 30);
         SendMessage(tb, TBM_SETRANGE, 0, 100);
         return Subject{tb, {{240, 15}}, Counting(TBN_DRAGGED)};
       }},
      {"single-line edit, its soft keyboard closed by Escape after each press",
       [&] {
         Keyboard();
         WindowHandle edit = Make("sledit", 0, 160, 30, "text");
         // Each time it opens for the edit.
         auto open = std::make_shared<bool>(false);
         auto opened = std::make_shared<int>(0);
         Subject s{edit, {{40, 15}}, [this, edit, open, opened] {
                     const bool now = KeyboardServes(edit);
                     if (now && !*open) ++*opened;
                     *open = now;
                     return *opened;
                   }};
         s.after = [this] {
           inputtest::TapKey(KEY_ESC);
           quickclick::Pump([this] { return !IsWindowVisible(skb_); });
         };
         return s;
       }},
      {"single-line edit's input-mode icon",
       [&] {
         Keyboard();
         WindowHandle edit = Make("sledit", ES_NOCHINESE, 160, 30, "text");
         return Subject{edit, {{155, 15}}, Changes([edit] { return SendMessage(edit, MSG_EDIT_GETINPUTMODE, 0, 0); })};
       }},
      {"edit's caret, sent to the end by the End key after each press",
       [&] {
         WindowHandle e = Make("edit", 0, 160, 30, "some text");
         SendMessage(e, EM_SETCARETPOS, 0, 9);  // where the End key leaves it
         // Each time the caret leaves the end of the text.
         auto atEnd = std::make_shared<bool>(true);
         auto left = std::make_shared<int>(0);
         Subject s{e, {{20, 15}}, [e, atEnd, left] {
                     const bool now = SendMessage(e, EM_GETCARETPOS, 0, 0) == SendMessage(e, MSG_GETTEXTLENGTH, 0, 0);
                     if (!now && *atEnd) ++*left;
                     *atEnd = now;
                     return *left;
                   }};
         s.after = [e] {
           inputtest::TapKey(KEY_END);
           quickclick::Pump([e] { return SendMessage(e, EM_GETCARETPOS, 0, 0) == SendMessage(e, MSG_GETTEXTLENGTH, 0, 0); });
         };
         return s;
       }},
      {"MAC-address edit's keyboard icon",
       [&] {
         Keyboard();
         WindowHandle mac = Make("ipedit", IPS_MAC, 300, 30);
         // The first press gives the character board: the numbers are up before it.
         SendMessage(skb_, MSG_DT_SKBCMD, 2, 1);
         return Subject{mac, {{295, 15}}, Changes([this] { return SendMessage(skb_, MSG_DT_SKBQUERY, 2, 0); })};
       }},
  };
  for (const Row& row : rows) {
    seen_.clear();
    const Subject s = row.make();
    ASSERT_TRUE(IsWindow(s.control)) << row.name;
    desktest::Drain();
    EXPECT_EQ(Press(s), kPresses) << row.name;
    DestroyWindow(s.control);
    desktest::Drain();
  }
}

}  // namespace
