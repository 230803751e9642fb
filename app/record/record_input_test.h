// Input the record pages' tests give as a user does, beyond the shared
// harness: clicks on a sheet's tab, a grid drop-down's cell, a value's row,
// a segment bar's boundary and a stand-in for the live view; typing; and
// the steps run inside a modal window that a click opens.
#pragma once

#include <atomic>
#include <cstring>
#include <functional>
#include <string>

#include "app/testing/page_harness.h"
#include "controls/combobox/combobox_internal.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/propsheet/propsheet_internal.h"
#include "core/input/lowlevel_event.h"
#include "core/input/tests/key_tap.h"
#include "gui/input.h"
#include "gui/keyboard.h"
#include "gui/propsheet.h"
#include "gui/segrate.h"

namespace recordtest {

using livetest::PumpTyping;
using livetest::TypeChar;

using livetest::ClickTab;

// The screen point of the arrow under boundary `index` of the segment bar
// `bar`, where a press takes the boundary: the bar is painted two pixels in
// from each side, each segment as wide as its share of the rest.
inline Point BoundaryOnScreen(WindowHandle bar, int index) {
  Rect c{};
  GetClientRect(bar, &c);
  const int h = c.bottom - c.top, w = c.right - c.left;
  const int barTop = h - (2 * h - 24) / 3 - 6;
  int start = 2, left = 0;
  for (int i = 0; i <= index; ++i) {
    const int right = static_cast<int>(SendMessage(bar, SRM_GETVALUE, static_cast<WParam>(i), 0));
    start += (right - left) * (w - 4) / 100;
    left = right;
  }
  Point p{start - 2, (barTop + h - 6) / 2};
  ClientToScreen(bar, &p.x, &p.y);
  return p;
}

// A user's click on the stand-in left of `window`, which must leave room
// there; true when the stand-in took the press (no dialog kept the input).
inline bool StandInTakesClick(WindowHandle window) {
  Rect r{};
  GetWindowRect(window, &r);
  if (r.left < 8) {
    ADD_FAILURE() << "no room left of the window for a click on the stand-in";
    return false;
  }
  return livetest::StandInTakesClick(r.left / 2, (r.top + r.bottom) / 2);
}

// A clock for the event reader that reads a second later each time: no two
// presses make a double click, as from a hand slower than the page.
inline unsigned int SlowHand() {
  static std::atomic<unsigned int> ticks{1000};
  return ticks += 100;
}


// Whether the event thread has read a press of the left button.
inline bool PressRead() { return (lowlevel::state().lastButtons.load() & IAL_MOUSE_LEFTBUTTON) != 0; }

// A user's click at (x, y) of `window`'s client area, read by its thread.
inline void ClickClient(WindowHandle window, int x, int y) {
  ClientToScreen(window, &x, &y);
  livetest::ClickAt(x, y, PressRead);
  desktest::AwaitInputHandled();
}

// A user's drag from (x0, y0) to (x1, y1) of `window`'s client area, read by
// its thread.
inline void DragClient(WindowHandle window, int x0, int y0, int x1, int y1) {
  ClientToScreen(window, &x0, &y0);
  ClientToScreen(window, &x1, &y1);
  livetest::DragAt(x0, y0, x1, y1, PressRead);
  desktest::AwaitInputHandled();
}

// A user's drag of boundary `index` of segment bar `id` of `page` to
// `percent`; true when the bar then reads `percent` there. The bar takes no
// second press of a double click: the caller's event clock makes each press
// a single one (SlowHand).
inline bool DragBoundary(WindowHandle page, int id, int index, int percent) {
  const WindowHandle bar = GetDlgItem(page, id);
  const Point from = BoundaryOnScreen(bar, index);
  Rect c{};
  GetClientRect(bar, &c);
  int x = (percent * (c.right - c.left) + 99) / 100, y = 0;  // the first x that reads `percent`
  ClientToScreen(bar, &x, &y);
  livetest::DragAt(from.x, from.y, x, from.y, [bar] { return GetCapture() == bar; });
  desktest::AwaitInputHandled();
  return SendMessage(bar, SRM_GETVALUE, static_cast<WParam>(index), 0) == percent;
}

// A key pressed and released, read by the next PumpTyping.
inline void Key(int code) {
  inputtest::TapKey(code);
}

// The text of control `id` of `page`.
inline std::string TextOf(WindowHandle page, int id) {
  char text[256] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

// The time that time box `id` shows taken by a user: a click on the box (which
// opens its spinner), Enter to type (the box tells its change), Enter to
// take the time and Escape to close the spinner; true once it is closed.
inline bool TakeTime(WindowHandle dlg, int id) {
  const WindowHandle box = GetDlgItem(dlg, id), spinner = GetDlgItem(box, CB_SPINNER_ID);
  const auto typing = [box] { return SendMessage(box, MSG_GETDLGCODE, 0, 0) == combobox::kCodeTyping; };
  livetest::ClickItem(dlg, id, [box] { return GetFocusChild(GetParent(box)) == box; });
  if (!PumpTyping([&] { return GetFocusChild(dlg) == box && GetCapture() == 0; })) return false;
  Key(KEY_ENTER);
  if (!PumpTyping(typing)) return false;
  Key(KEY_ENTER);
  if (!PumpTyping([&typing] { return !typing(); })) return false;
  if (IsWindowVisible(spinner)) Key(KEY_ESC);
  return PumpTyping([spinner] { return !IsWindowVisible(spinner); });
}

// An edit emptied and typed into as a user does: a click in it, Backspace
// from its end, then `text` key by key; true when it then shows `text`.
inline bool Retype(WindowHandle page, int id, const std::string& text) {
  const WindowHandle edit = GetDlgItem(page, id);
  livetest::ClickItem(page, id, [edit] { return GetFocusChild(GetParent(edit)) == edit; });
  if (!PumpTyping([&] { return GetFocusChild(page) == edit && GetCapture() == 0; })) return false;
  Key(KEY_END);
  for (size_t left = TextOf(page, id).size(); left > 0; --left) {
    Key(KEY_BACKSPACE);
    if (!PumpTyping([&] { return TextOf(page, id).size() < left; })) return false;
  }
  for (char c : text) {
    const size_t typed = TextOf(page, id).size();
    TypeChar(c);
    if (!PumpTyping([&] { return TextOf(page, id).size() > typed; })) return false;
  }
  return TextOf(page, id) == text;
}

// A user's click on button `id` that closes `dialog`; true once it is no
// longer the active window. The button goes with the dialog, so nothing
// after the press reads it again (its handle may be reused or freed).
inline bool ClickClosing(WindowHandle dialog, int id) {
  livetest::ClickItem(dialog, id);
  return livetest::PumpUntil([dialog] { return GetActiveWindow() != dialog && GetCapture() == 0; });
}

// Whether a modal window has opened over `before`, the active window before
// the click.
inline std::function<bool()> OpenedOver(WindowHandle before) {
  return [before] {
    const WindowHandle active = GetActiveWindow();
    return active != before && active != 0 && IsWindowVisible(active);
  };
}

// A helper window's look for a modal loop: it runs the function its
// additional data points to.
constexpr int kLookForLoop = 0x9121;
inline LResult LoopLookProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kLookForLoop) {
    if (auto* look = reinterpret_cast<std::function<void()>*>(GetWindowAdditionalData(hwnd))) (*look)();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// Runs `steps` inside the modal loop that `click` opens, once `opened`
// holds there; false when they did not run. `helper` is a window of this
// thread with LoopLookProc, one for each loop open at a time. The click's
// own wait for its release runs that loop, so the look for it is posted
// before the click and again while the loop is not there yet.
inline bool InLoopOpenedBy(WindowHandle helper, const std::function<void()>& click,
                           const std::function<bool()>& opened, const std::function<void()>& steps) {
  bool ran = false;
  std::function<void()> look = [&ran, helper, &opened, &steps] {
    if (ran) return;
    if (!opened()) {
      PostMessage(helper, kLookForLoop, 0, 0);
      return;
    }
    desktest::Drain();
    ran = true;
    steps();
  };
  SetWindowAdditionalData(helper, reinterpret_cast<LParam>(&look));
  PostMessage(helper, kLookForLoop, 0, 0);
  click();
  const bool done = livetest::PumpUntil([&ran] { return ran; });
  // A post still queued finds nothing to run (the look is gone).
  SetWindowAdditionalData(helper, 0);
  return done;
}

}  // namespace recordtest
