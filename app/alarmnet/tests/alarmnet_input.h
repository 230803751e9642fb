// A user's hand on the alarm, detection and network pages beyond what the
// page harness offers: a drop-down row chosen by the value it was added
// with, a sheet's tab header clicked, list view rows ticked, typing, and
// the pointer dragged over a page that is watched taking it. For the thread
// that runs the pages.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/testing/front_proc.h"
#include "app/testing/page_harness.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/propsheet/propsheet_internal.h"
#include "core/input/tests/key_tap.h"
#include "gui/dialog.h"
#include "gui/listview.h"
#include "gui/desktop.h"
#include "gui/keyboard.h"
#include "gui/propsheet.h"

namespace alarmnettest {

using livetest::PumpTyping;
using livetest::TypeChar;
using livetest::ClickTab;
using livetest::WheelToRow;

// A choice the page turns back with its refusal: the list closes on the
// row, and the box goes back to the row before.
inline void PickRefused(WindowHandle page, int id, int value) {
  livetest::ChooseByMouse(page, id, livetest::RowOfValue(page, id, value));
}

// The page fixture: runs steps inside the dialog a click opens.
class PageTest : public livetest::LiveGui {
 protected:
  // Runs `steps` inside the dialog that a click on button `id` of `page`
  // opens, once the active window is a shown one other than `beneath`.
  void InDialogOf(WindowHandle page, int id, std::vector<WindowHandle> beneath,
                  const std::function<void(WindowHandle)>& steps) {
    const auto opened = [beneath] {
      const WindowHandle active = GetActiveWindow();
      return IsValidHandle(active) && IsWindowVisible(active) &&
             std::find(beneath.begin(), beneath.end(), active) == beneath.end();
    };
    // The click returns with its release on the way: the dialog's loop reads it.
    EXPECT_TRUE(RunInLoopOpenedBy([page, id] { livetest::ClickItem(page, id); }, opened,
                                  [&steps] { steps(GetActiveWindow()); }))
        << "button " << id << " opened its dialog";
  }
};

// A click on a button that closes the dialog whose loop runs the caller:
// the loop reads the release and ends with the dialog. (livetest::Click
// would ask after the destroyed button.)
inline void ClickClosing(WindowHandle dialog, int id) { livetest::ClickItem(dialog, id); }

// The event handling sheet (dialog `dlg`) left by its shown page's Cancel.
inline void CancelSheet(WindowHandle dlg) {
  const WindowHandle sheet = GetDlgItem(dlg, PAGE_ID_SHEET);
  const auto shown = static_cast<WindowHandle>(
      SendMessage(sheet, PSM_GETPAGE, static_cast<WParam>(SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0)), 0));
  ClickClosing(shown, IDCANCEL);
}

// The index of the row of `list` whose item data is `key`; -1 when none.
inline int RowOfKey(WindowHandle list, int key) {
  const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < rows; ++i) {
    ListViewItemInfo info{};
    info.index = i;
    SendMessage(list, LVM_GETITEM, 0, reinterpret_cast<LParam>(&info));
    if (static_cast<int>(info.addData) == key) return i;
  }
  return -1;
}



// Ticks (or unticks) row `row` of `list` by a click on its check box in
// the first column, the wheel turned first when it is out of view.
inline void ClickRowCheckAt(WindowHandle list, int row) {
  ASSERT_TRUE(WheelToRow(list, row)) << "row " << row << " scrolled into view";
  livetest::ClickCell(list, row, 0);
  livetest::PumpUntil([] { return GetCapture() == 0; });
  desktest::Drain();
}

// The same for the row whose item data is `key`.
inline void ClickRowCheck(WindowHandle list, int key) {
  const int row = RowOfKey(list, key);
  ASSERT_GE(row, 0) << "no row for " << key;
  ClickRowCheckAt(list, row);
}

// Selects a list row by a click on its second column (no check box there).
inline void ClickRow(WindowHandle list, int row) {
  livetest::ClickCell(list, row, 1);
  livetest::PumpUntil([] { return GetCapture() == 0; });
  desktest::Drain();
}

inline std::string EditText(WindowHandle page, int id) {
  char text[256] = {};
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

// Field `id` of `page` (an edit or an address field) given `text` as a hand
// leaves it: the text set, then a click on the field, its last character
// erased and typed again (or a digit typed and erased), so that the page
// learns of the change by typing. False when the field does not end up
// holding `text`.
inline bool TypeInto(WindowHandle page, int id, const std::string& text) {
  const WindowHandle field = GetDlgItem(page, id);
  SetDlgItemText(page, id, text.c_str());
  Rect r{};
  GetWindowRect(field, &r);
  // An address field's last part lies at its right; an edit's typing-mode
  // icon does, so an edit is clicked in the middle.
  const bool address = IsControlOfClass(field, "ipedit");
  int x = address ? r.right - (r.right - r.left) / 8 : (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  ClientToScreen(page, &x, &y);
  livetest::ClickAt(x, y, [] { return GetCapture() != 0; });
  if (!livetest::PumpUntil([page, field] { return GetCapture() == 0 && GetFocusChild(page) == field; })) {
    ADD_FAILURE() << "field " << id << " took no focus from a click";
    return false;
  }
  // An address field takes keys once Enter has opened it for typing, as
  // on the front panel; a second Enter closes it again.
  if (address) livetest::PressKey(KEY_ENTER);
  inputtest::TapKey(KEY_END);
  // Each key is waited for: the text must change by it. An address
  // field's empty part reads as 0, so a part of 0 gets a digit typed and
  // erased; an empty edit likewise.
  const auto changed = [&](const std::string& from) { return PumpTyping([&] { return EditText(page, id) != from; }); };
  const bool zeroPart = address && text.size() >= 2 && text.compare(text.size() - 2, 2, ".0") == 0;
  if (text.empty() || zeroPart) {
    if (!(TypeChar('1') && changed(text))) {
      ADD_FAILURE() << "field " << id << " took no typing";
      return false;
    }
    inputtest::TapKey(KEY_BACKSPACE);
  } else {
    inputtest::TapKey(KEY_BACKSPACE);
    if (!changed(text)) {
      ADD_FAILURE() << "field " << id << " took no backspace";
      return false;
    }
    if (!TypeChar(text.back())) {
      ADD_FAILURE() << "no key types the end of \"" << text << "\"";
      return false;
    }
  }
  const bool typed = PumpTyping([&] { return EditText(page, id) == text; });
  if (address) livetest::PressKey(KEY_ENTER);
  return typed;
}

// What the page's procedure has taken of the pointer, watched from the
// page's opening: the last move's place on the screen, and the presses and
// releases. Input passes the event layer, the desktop and the host window
// before it reaches the page; the helpers below wait for the page to have
// taken it, as no wait for the cursor or for time can tell on a loaded
// machine.
struct PageMouse {
  WindowHandle page = 0;
  Point lastMove{-1, -1};
  int presses = 0, releases = 0;
};
inline PageMouse& Mouse() {
  static PageMouse mouse;
  return mouse;
}

inline LResult WatchingProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_MOUSEMOVE || msg == MSG_LBUTTONDOWN || msg == MSG_LBUTTONDBLCLK || msg == MSG_LBUTTONUP) {
    int x = static_cast<int16_t>(lParam & 0xFFFF), y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    ClientToScreen(hwnd, &x, &y);
    if (msg == MSG_MOUSEMOVE)
      Mouse().lastMove = Point{x, y};
    else if (msg == MSG_LBUTTONUP)
      ++Mouse().releases;
    else
      ++Mouse().presses;
  }
  return frontproc::OwnOf(hwnd)(hwnd, msg, wParam, lParam);
}

inline void WatchPage(WindowHandle page) {
  Mouse() = PageMouse{};
  Mouse().page = page;
  frontproc::PutInFront(page, WatchingProc);
}

inline bool OnPage(int x, int y) {
  if (!Mouse().page) return false;
  Rect client{};
  GetClientRect(Mouse().page, &client);
  ScreenToClient(Mouse().page, &x, &y);
  return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

inline Point Cursor() {
  Point at{};
  GetCursorPos(&at);
  return at;
}

// The pointer brought to a point of the screen, as a hand brings it, and
// the move taken by the page when the point lies on it.
inline void MoveTo(int x, int y) {
  const Point from = Cursor();
  HostInjectMouseMove(x, y);
  livetest::PumpUntil([x, y] { return Cursor().x == x && Cursor().y == y; });
  if ((from.x != x || from.y != y) && OnPage(x, y)) {
    EXPECT_TRUE(livetest::PumpUntil([x, y] { return Mouse().lastMove.x == x && Mouse().lastMove.y == y; }))
        << "the page took no move to " << x << "," << y;
  }
  desktest::Drain();
}
// The button pressed or let go where the pointer stands, and taken by the
// page.
inline void Button(bool down) {
  const Point at = Cursor();
  ASSERT_TRUE(OnPage(at.x, at.y)) << "a press or release off the page: nothing tells when it is taken";
  int& taken = down ? Mouse().presses : Mouse().releases;
  const int before = taken;
  HostInjectMouseButton(HOST_BUTTON_LEFT, down ? 1 : 0);
  EXPECT_TRUE(livetest::PumpUntil([&taken, before] { return taken > before; }))
      << "the page took no " << (down ? "press" : "release");
}
inline void DragOnScreen(int x0, int y0, int x1, int y1, bool release = true) {
  MoveTo(x0, y0);
  Button(true);
  MoveTo((x0 + x1) / 2 & ~1, (y0 + y1) / 2 & ~1);
  MoveTo(x1, y1);
  if (release) Button(false);
}

}  // namespace alarmnettest
