// A user's hand on the system pages beyond a button's click: a tab header,
// a list row scrolled to with the wheel, channel boxes, typing, and the
// dialog a click or a key opens. For the pages' own thread.
#pragma once

#include <linux/input-event-codes.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/control_services.h"
#include "app/testing/page_harness.h"
#include "controls/barkit/tests/quick_clicks.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/listview/tests/listview_cells.h"
#include "controls/propsheet/propsheet_internal.h"
#include "controls/trackbar/trackbar_internal.h"
#include "core/input/tests/key_tap.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/keyboard.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace systest {

using livetest::ClickTab;
using livetest::PumpTyping;
using livetest::RowOfValue;
using livetest::WheelToRow;
// Waits until every press and release given so far has been read, routed
// and handled.
inline void Settle() { desktest::AwaitInputHandled(); }

// The event clock held still: two clicks make a double click however
// slowly the run goes.
inline unsigned int StillClock() { return 1000; }

// A user's double click on the caption of `window`, waited for until both
// clicks are handled.
inline void DoubleClickCaption(WindowHandle window) {
  Rect frame{};
  GetWindowRect(window, &frame);
  SetLowLevelEventClock(StillClock);
  quickclick::ClickTwiceInPlace({(frame.left + frame.right) / 2, frame.top + 4}, [] { return true; });
  Settle();
  SetLowLevelEventClock(nullptr);
}


// The page a sheet shows now.
inline WindowHandle ActivePage(WindowHandle sheet) {
  return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
}



// The values of drop-down box `id`'s rows, in their order.
inline std::vector<int> ValuesOf(WindowHandle page, int id) {
  std::vector<int> values;
  const listbox::Data* d = listbox::Of(GetDlgItem(GetDlgItem(page, id), CB_LIST_ID));
  for (const listbox::Item* it = d ? d->head : nullptr; it; it = it->next) values.push_back(it->value);
  return values;
}

// A press on track bar `id` where its thumb stands at `position`, and the
// release; true once the bar stands there.
inline bool ClickTrackAt(WindowHandle page, int id, int position) {
  const WindowHandle bar = GetDlgItem(page, id);
  const auto* d = reinterpret_cast<const controls::track::TrackData*>(GetWindowAdditionalData2(bar));
  if (!d) return false;
  const Rect thumb = controls::track::ThumbRect(bar, *d, position);
  int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
  ClientToScreen(bar, &x, &y);
  livetest::ClickAt(x, y, [bar] { return GetCapture() == bar; });
  livetest::PumpUntil([bar] { return GetCapture() != bar; });
  desktest::Drain();
  return SendMessage(bar, TBM_GETPOS, 0, 0) == position;
}


// A click on a list view cell, the list scrolled to its row first.
inline void ClickListCell(WindowHandle list, int row, int column) {
  EXPECT_TRUE(WheelToRow(list, row)) << "row " << row << " cannot be scrolled to";
  livetest::ClickCell(list, row, column);
  livetest::PumpUntil([list] { return GetCapture() != list; });
  desktest::Drain();
}

// The box of mask bit `bit`: analog channels first, then the IP ones.
inline int ChanBoxOf(int bit) {
  const int analog = getAnalogChanNum();
  return bit < analog ? CHANBOX_ANALOG_FIRST + bit : CHANBOX_IP_FIRST + bit - analog;
}

// Clicks the channel boxes of `page` among `shown` whose check differs
// from `mask`.
inline void ClickChanBoxesTo(WindowHandle page, uint64_t mask, uint64_t shown) {
  for (int bit = 0; bit < 64; ++bit) {
    if (!((shown >> bit) & 1u)) continue;
    const int id = ChanBoxOf(bit);
    const bool want = (mask >> bit) & 1u;
    if ((SendDlgItemMessage(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED) != want) livetest::Click(page, id);
  }
}


// The text of control `id` of `page`.
inline std::string TextOf(WindowHandle page, int id) {
  char text[256] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}


// A click into edit `id` of `page`, then `text` typed key by key after
// what it holds; true once the edit holds what was there and `text` (its
// backspaces taking back what it typed).
inline bool TypeInto(WindowHandle page, int id, const std::string& text) {
  const WindowHandle edit = GetDlgItem(page, id);
  livetest::ClickItem(page, id, [edit] { return GetCapture() == edit || GetFocusChild(GetParent(edit)) == edit; });
  if (!livetest::PumpUntil([edit] { return GetFocusChild(GetParent(edit)) == edit && GetCapture() != edit; })) {
    // Who holds what tells a lost press from a lost release.
    const auto name = [](WindowHandle w) { return w ? std::string(GetWindowCaption(w) ? GetWindowCaption(w) : "") : "none"; };
    ADD_FAILURE() << "edit " << id << " took no focus from a click: focus " << GetFocusChild(GetParent(edit))
                  << ", capture " << GetCapture() << ", active window \"" << name(GetActiveWindow()) << "\"";
    return false;
  }
  const std::string before = TextOf(page, id);
  inputtest::TapKey(KEY_END);  // the caret after the text, wherever the click put it
  std::string typed;
  for (char c : text) {
    if (c == '\b') {
      inputtest::TapKey(KEY_BACKSPACE);
    } else if (!livetest::TypeChar(c)) {
      ADD_FAILURE() << "no key types '" << c << "'";
      return false;
    }
    if (c != '\b')
      typed += c;
    else if (!typed.empty())
      typed.pop_back();
    const std::string want = before + typed;
    if (!PumpTyping([page, id, want] { return TextOf(page, id) == want; })) return false;
  }
  return true;
}


// A click on a button that may close its dialog: waited for through the
// mouse capture, never through the button, whose record goes with the
// dialog.
inline void ClickClosing(WindowHandle dlg, int id) {
  livetest::ClickItem(dlg, id);
  livetest::PumpUntil([] { return GetCapture() == 0; });
  desktest::Drain();
}

// Steps a helper window of LookProc runs on each kLookAgain it gets, with
// nothing read first: a read could deliver the input that opens a dialog
// and run the dialog inside it, with the message that runs the steps
// already taken. Steps that wait post kLookAgain again.
constexpr int kLookAgain = 0x9107;
inline std::function<void()>& LookSteps() {
  static std::function<void()> steps;
  return steps;
}
inline LResult LookProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kLookAgain && LookSteps()) {
    LookSteps()();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A helper window's steps run inside the modal loop a user's act opens:
// `act` is a click or a key (a click returns once the dialog has closed
// again). The steps get the dialog; what they leave open is closed.
class DialogSteps {
 public:
  // `helper` is a main window of the test thread running
  // livetest::StepsProc.
  explicit DialogSteps(WindowHandle helper) : helper_(helper) {}

  bool Run(const std::function<void()>& act, const std::function<void(WindowHandle)>& steps) {
    const WindowHandle before = GetActiveWindow();
    bool ran = false;
    const WindowHandle helper = helper_;
    livetest::LoopSteps() = [&ran, &steps, before, helper] {
      const WindowHandle dlg = GetActiveWindow();
      if (ran) return;
      if (dlg == before || dlg == helper || !IsWindow(dlg)) {
        PostMessage(helper, livetest::kAwaitLoop, 0, 0);
        return;
      }
      ran = true;
      desktest::Drain();
      steps(dlg);
      if (GetActiveWindow() == dlg) SendMessage(dlg, MSG_CLOSE, 0, 0);
    };
    PostMessage(helper_, livetest::kAwaitLoop, 0, 0);
    act();
    livetest::PumpUntil([&ran] { return ran; });
    // A post still queued finds nothing to run (the steps' state is gone).
    livetest::LoopSteps() = [] {};
    return ran;
  }

 private:
  WindowHandle helper_;
};

}  // namespace systest
