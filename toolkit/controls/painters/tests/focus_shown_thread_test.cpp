// The focus as the screen shows it: a page holding one control of every
// class a user can focus, walked with the host's Tab key; after each Tab
// every control is read back from the frame buffer. The focused one must
// look unlike itself without the focus, and every other one as it always
// looks without it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "controls/painters/tests/page_fixture.h"
#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/dialog.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/listview.h"
#include "gui/paint.h"
#include "gui/text_entry.h"
#include "gui/trackbar.h"

namespace {

struct Made {
  const char* name;
  WindowHandle control;
};

class FocusShown : public pagetest::PageFixture {
 protected:
  static bool Pump(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
      desktest::Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
  }

  // The page's controls of every focusable class, in tab order.
  std::vector<Made> MakeAll() {
    std::vector<Made> all;
    int id = 10, x = 10, y = 10;
    auto add = [&](const char* name, const char* cls, uint32_t style, int w, int h, const char* caption = "") {
      if (y + h > 500) {
        y = 10;
        x += 320;
      }
      all.push_back({name, Add(cls, style | WS_TABSTOP, id++, x, y, caption, w, h)});
      y += h + 12;
      return all.back().control;
    };
    add("push button", "button", BS_PUSHBUTTON, 100, 28, "Apply");
    add("check box", "button", BS_AUTOCHECKBOX, 120, 24, "Check");
    add("radio button", "button", BS_AUTORADIOBUTTON, 120, 24, "Radio");
    add("single-line edit", "sledit", 0, 160, 26, "text");
    add("IP-address edit", "ipedit", IPS_IPV4, 200, 26, "10.0.0.1");
    const WindowHandle drop = add("drop-down list", "combobox", CBS_DROPDOWNLIST, 160, 26);
    for (const char* t : {"one", "two"}) SendMessage(drop, CB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
    SendMessage(drop, CB_SETCURSEL, 0, 0);
    add("number spin box", "combobox", CBS_SPINNUMBER, 120, 26);
    add("date box", "combobox", CBS_DATE, 160, 26);
    add("time box", "combobox", CBS_TIME, 160, 26);
    const WindowHandle list = add("list box", "listbox", LBS_NOTIFY, 200, 80);
    for (const char* t : {"one", "two", "three"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LParam>(t));
    // The list views are the class's own name ("ListView"), one with rows
    // and none current, one empty.
    ListViewColumnInfo column{-1, 120, const_cast<char*>("Name"), 0, 0, nullptr, 0};
    const WindowHandle view = add("list view", "ListView", 0, 280, 100);
    SendMessage(view, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&column));
    for (int row = 0; row < 2; ++row) {
      ListViewItemInfo info{row, 20, 0, 0};
      SendMessage(view, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&info));
    }
    const WindowHandle empty = add("empty list view", "ListView", 0, 280, 60);
    SendMessage(empty, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&column));
    const WindowHandle track = add("track bar", "trackbar", 0, 200, 30);
    SendMessage(track, TBM_SETRANGE, 0, 100);
    return all;
  }

  static guitest::Picture Shot(WindowHandle control) {
    Rect r{};
    GetWindowRect(control, &r);  // in its parent's client area
    int x = r.left, y = r.top;
    ClientToScreen(GetParent(control), &x, &y);
    return guitest::Grab(Rect{x, y, x + r.right - r.left, y + r.bottom - r.top});
  }
};

TEST_F(FocusShown, OnlyTheFocusedControlShowsTheFocus) {
  const std::vector<Made> all = MakeAll();
  // A click on the first control gives it the focus; the pointer then
  // leaves every control, so that nothing is lit by hovering.
  int x = 10, y = 10;
  ClientToScreen(all.front().control, &x, &y);
  HostInjectMouseMove(x, y);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  ASSERT_TRUE(Pump([&] { return GetFocusChild(page_) == all.front().control && GetCapture() == 0; }));
  desktest::AwaitInputHandled();
  HostInjectMouseMove(655, 515);
  // The pointer has left once the event thread has read the move: read
  // late, it would light a control in one of the pictures below.
  ASSERT_TRUE(Pump([] { return inputtest::PointerAt(655, 515); }));
  // Each control drawn afresh: how rows added after the first paint were
  // drawn is not under test here.
  for (const Made& m : all) InvalidateRect(m.control, nullptr, TRUE);
  // Once round and once more: each control is seen focused once and not
  // focused at every other step.
  std::vector<std::map<WindowHandle, guitest::Picture>> steps;
  std::vector<WindowHandle> focused;
  for (size_t n = 0; n <= all.size(); ++n) {
    const WindowHandle before = GetFocusChild(page_);
    inputtest::TapKey(KEY_TAB);
    ASSERT_TRUE(Pump([&] { return GetFocusChild(page_) != before; })) << "Tab " << n + 1 << " moved no focus";
    int settle = 0;  // a while: every repaint the move owed is drawn
    Pump([&settle] { return ++settle > 50; });
    std::map<WindowHandle, guitest::Picture> shots;
    for (const Made& m : all) shots[m.control] = Shot(m.control);
    steps.push_back(shots);
    focused.push_back(GetFocusChild(page_));
  }
  for (const Made& m : all) {
    const guitest::Picture* unfocused = nullptr;
    const guitest::Picture* withFocus = nullptr;
    for (size_t s = 0; s < steps.size(); ++s) {
      const guitest::Picture& p = steps[s].at(m.control);
      if (focused[s] == m.control) {
        withFocus = &p;
        continue;
      }
      if (!unfocused) unfocused = &p;
      EXPECT_EQ(p.rgb, unfocused->rgb) << m.name << " changes its look while step " << s + 1 << " focuses "
                                       << GetDlgCtrlID(focused[s]);
    }
    ASSERT_NE(withFocus, nullptr) << m.name << ": Tab never reached it";
    ASSERT_NE(unfocused, nullptr) << m.name;
    EXPECT_NE(withFocus->rgb, unfocused->rgb) << m.name << " looks the same with and without the focus";
  }
}

}  // namespace
