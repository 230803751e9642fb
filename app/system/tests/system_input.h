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
#include "controls/listbox/listbox_internal.h"
#include "controls/listview/tests/listview_cells.h"
#include "controls/propsheet/propsheet_internal.h"
#include "controls/trackbar/trackbar_internal.h"
#include "gui/button.h"
#include "gui/combobox.h"
#include "gui/keyboard.h"
#include "gui/propsheet.h"
#include "gui/trackbar.h"

namespace systest {

// A click on tab `index` of a property sheet's header; true once it is
// the active tab.
inline bool ClickTab(WindowHandle sheet, int index) {
  const auto active = [sheet, index] { return SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == index; };
  const propsheet::Sheet* s = propsheet::SheetOf(sheet);
  int left = 0, right = 0;
  if (!s || !propsheet::TabSpan(s, index, &left, &right)) {
    ADD_FAILURE() << "tab " << index << " is not shown";
    return false;
  }
  int x = (left + right) / 2, y = (s->headTop + s->headBottom) / 2;
  ClientToScreen(sheet, &x, &y);
  livetest::ClickAt(x, y, active);
  return livetest::PumpUntil(active);
}

// The page a sheet shows now.
inline WindowHandle ActivePage(WindowHandle sheet) {
  return static_cast<WindowHandle>(SendMessage(sheet, PSM_GETACTIVEPAGE, 0, 0));
}

// The row of drop-down box `id` of `page` whose value (what the page
// selects and reads by value) is `value`; -1 when it has none.
inline int RowOfValue(WindowHandle page, int id, int value) {
  const listbox::Data* d = listbox::Of(GetDlgItem(GetDlgItem(page, id), CB_LIST_ID));
  int row = 0;
  for (const listbox::Item* it = d ? d->head : nullptr; it; it = it->next, ++row)
    if (it->value == value) return row;
  return -1;
}

// A user's choice of the row of drop-down box `id` that has `value`: a
// click on the arrow, a click on the row.
inline bool PickValue(WindowHandle page, int id, int value) {
  const int row = RowOfValue(page, id, value);
  if (row < 0) {
    ADD_FAILURE() << "drop-down box " << id << " offers no row of value " << value;
    return false;
  }
  const bool chosen = livetest::ChooseByMouse(page, id, row);
  desktest::Drain();
  return chosen;
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

// The wheel rolled over `list` until row `row` is shown; false when the
// list stops scrolling first.
inline bool WheelToRow(WindowHandle list, int row) {
  ListViewData* lv = listview::DataOf(list);
  if (!lv) return false;
  const ScrolledData& view = lv->sv.scrdata;
  Rect r{};
  GetClientRect(list, &r);
  int x = r.right / 2, y = r.bottom / 2;
  ClientToScreen(list, &x, &y);
  HostInjectMouseMove(x, y);
  livetest::PumpUntil([x, y] {
    Point at{};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
  });
  for (int step = 0; step < 256 && lvtest::CellOnScreen(list, row, 0).x < 0; ++step) {
    const int top = scrollview_is_in_item(&lv->sv, view.nContY, nullptr, nullptr);
    const int before = view.nContY;
    HostInjectWheel(row < top ? 120 : -120);
    if (!livetest::PumpUntil([&view, before] { return view.nContY != before; }, 250)) return false;
  }
  return lvtest::CellOnScreen(list, row, 0).x >= 0;
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

// The host key that types `c` (lower-case letters, digits, '.', '-', and
// '\b' for a backspace); 0 for others.
inline int KeyOf(char c) {
  static const int kLetters[] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I,
                                 KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R,
                                 KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
  if (c >= 'a' && c <= 'z') return kLetters[c - 'a'];
  if (c == '0') return KEY_0;
  if (c >= '1' && c <= '9') return KEY_1 + (c - '1');
  if (c == '.') return KEY_DOT;
  if (c == '\b') return KEY_BACKSPACE;
  if (c == '-') return KEY_MINUS;
  return 0;
}

// The text of control `id` of `page`.
inline std::string TextOf(WindowHandle page, int id) {
  char text[256] = "";
  GetDlgItemText(page, id, text, sizeof text);
  return text;
}

// Reads and dispatches the calling thread's messages as a message loop
// does, keys turned into characters, until `done` holds; false when it does
// not within five seconds.
inline bool PumpTyped(const std::function<bool()>& done) {
  for (int round = 0; round < 2500; ++round) {
    ThreadMsgInfo* info = CurrentThreadMsgInfo();
    Message msg;
    for (int n = 0; info && info->mainWindow && n < 1000 && PeekMessage(&msg, HandleOf(info->mainWindow), 0, 0, TRUE);
         ++n) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// A click into edit `id` of `page`, then `text` typed key by key after
// what it holds; true once the edit holds what was there and `text` (its
// backspaces taking back what it typed).
inline bool TypeInto(WindowHandle page, int id, const std::string& text) {
  const WindowHandle edit = GetDlgItem(page, id);
  livetest::ClickItem(page, id, [edit] { return GetCapture() == edit || GetFocusChild(GetParent(edit)) == edit; });
  if (!livetest::PumpUntil([edit] { return GetFocusChild(GetParent(edit)) == edit && GetCapture() != edit; }))
    return false;
  const std::string before = TextOf(page, id);
  HostInjectKey(KEY_END, 1);  // the caret after the text, wherever the click put it
  HostInjectKey(KEY_END, 0);
  std::string typed;
  for (char c : text) {
    const int key = KeyOf(c);
    if (!key) {
      ADD_FAILURE() << "no key types '" << c << "'";
      return false;
    }
    HostInjectKey(key, 1);
    HostInjectKey(key, 0);
    if (c != '\b')
      typed += c;
    else if (!typed.empty())
      typed.pop_back();
    const std::string want = before + typed;
    if (!PumpTyped([page, id, want] { return TextOf(page, id) == want; })) return false;
  }
  return true;
}

// Waits until every press and release given so far has been read, routed
// and handled: a slow run may still be taking a click's press when the
// click's own wait gives up.
inline void Settle() {
  livetest::PumpUntil([] { return (lowlevel::state().lastButtons.load() & 1) == 0; });
  desktest::AwaitDesktopRead();
  desktest::Request(MSG_DT_GETACTIVEMAIN);
  desktest::Drain();
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
