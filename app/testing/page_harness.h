// The headless page harness: the toolkit started with the application's
// call-backs on the simulated device, every page registered, the program's
// layout and texts, and message boxes recorded instead of shown. A test opens
// a page, runs steps inside a modal loop, sends it messages and compares
// what it draws with reference pictures.
#pragma once

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <functional>
#include <string>
#include <vector>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_test_seam.h"
#include "app/liveview.h"
#include "app/login_rights.h"
#include "app/core/program/program_seam.h"
#include "app/msgbox.h"
#include "app/page_frame.h"
#include "app/page_registry.h"
#include "app/program_pages.h"
#include "controls/listbox/listbox_internal.h"
#include "controls/listview/tests/listview_cells.h"
#include "controls/propsheet/propsheet_internal.h"
#include "core/desktop/caret_seam.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/desktop/zorder.h"
#include "core/input/lowlevel_event.h"
#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/app_hooks.h"
#include "gui/combobox.h"
#include "gui/control_class.h"
#include "gui/button.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/host.h"
#include "gui/keyboard.h"
#include "gui/listbox.h"
#include "gui/propsheet.h"
#include "gui/startup.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace livetest {

// A box as the page asked for it: its text's (section, key) when it has
// one, its style and what it said.
struct Box {
  WindowHandle owner;
  std::string text;
  uint32_t type;
  std::string section, key;
};

inline std::vector<Box>& Boxes() {
  static std::vector<Box> boxes;
  return boxes;
}
inline int& BoxAnswer() {
  static int answer = IDOK;
  return answer;
}
inline std::pair<std::string, std::string>& NextBoxKey() {
  static std::pair<std::string, std::string> key;
  return key;
}
inline void RecordBoxKey(const char* section, const char* key) {
  NextBoxKey() = {section ? section : "", key ? key : ""};
}
inline int RecordBox(WindowHandle owner, const char* text, const char*, uint32_t type) {
  Boxes().push_back({owner, text ? text : "", type, NextBoxKey().first, NextBoxKey().second});
  NextBoxKey() = {};
  return BoxAnswer();
}

// The steps a test runs inside a modal dialog's loop, through a helper
// window whose message was posted before the dialog opened.
inline std::function<void()>& LoopSteps() {
  static std::function<void()> steps;
  return steps;
}
constexpr int kRunSteps = 0x9101;
// Runs the steps at once, reading nothing first: the steps of a loop that a
// click opens look for the loop and post this again while it is not there.
constexpr int kAwaitLoop = 0x9105;
inline LResult StepsProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == kRunSteps) {
    desktest::Drain();
    LoopSteps()();
    return 0;
  }
  if (msg == kAwaitLoop) {
    LoopSteps()();
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A control's command as the page gets it; a combo set to a value and its
// change notified, as a user's choice arrives.
inline WParam Code(int id, int code) { return static_cast<WParam>((code << 16) | id); }
inline void Command(WindowHandle page, int id, int code = 0) { SendMessage(page, MSG_COMMAND, Code(id, code), 0); }
inline void Choose(WindowHandle page, int combo, int value) {
  SendDlgItemMessage(page, combo, CB_SELECTVALUE, static_cast<WParam>(value), 0);
  Command(page, combo, 1);
}
inline bool Enabled(WindowHandle page, int id) { return IsWindowEnabled(GetDlgItem(page, id)); }

// A menu window hosting a page: closing it destroys it.
inline LResult MenuHostProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_CLOSE) {
    DestroyMainWindow(hwnd);
    return 0;
  }
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// The steps a model-driven random test takes: under the thread sanitizer
// every click runs many times slower, and the threads' paths are all taken
// within a fifth of the steps.
constexpr int RandomSteps(int steps) {
#if defined(__SANITIZE_THREAD__)
  return steps / 5 > 0 ? steps / 5 : 1;
#else
  return steps;
#endif
}

// Whether reference pictures are compared: read back pixel by pixel, they
// are too slow under the thread sanitizer, whose run takes the same steps
// without them.
#if defined(__SANITIZE_THREAD__)
constexpr bool kComparePictures = false;
#else
constexpr bool kComparePictures = true;
#endif

// Reads and dispatches the calling thread's messages until `done` holds;
// false when it does not within `rounds` rounds of at least 2 ms (by
// default half a minute: a sanitized run on a loaded machine is slow, and
// a condition that holds ends the wait at once).
inline bool PumpUntil(const std::function<bool()>& done, int rounds = 15000) {
  for (int i = 0; i < rounds; ++i) {
    desktest::Drain();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Users of a fresh simulated device's table: every test starts logged in as
// the administrator; the guest has few rights (no shutdown, no settings).
constexpr int kAdminUser = 0, kGuestUser = 1;

class LiveGui : public ::testing::Test {
 protected:
  // Logs the main output in as another user of the device's table.
  static void LoginAs(int userIndex) { setLoginState(3, userIndex, 0); }

  static void SetUpTestSuite() { StartGui(); }
  // Brings the toolkit up on the simulated device, which `adjust` (when
  // given) changes first.
  static void StartGui(void (*adjust)() = nullptr) {
    device_seam::resetAll();
    initDeviceAbility();
    if (adjust) adjust();
    setMainOutput(3);
    setAuxOutput(1);
    setCurOutput(3);
    installAppCallbacks();
    clearPageRegistry();
    registerAppPages();
    program_seam::setStartUpThreadEnabled(false);
    // Pictures of a page are read whenever a slow run gets there: its edit's
    // caret stays as it was shown rather than blink with the clock.
    caret_seam::holdBlink(true);
    ASSERT_EQ(InitGUI(0, nullptr), 0);
  }
  static void TearDownTestSuite() {
    caret_seam::holdBlink(false);
    TerminateGUI(0);
    SetAppCallbacks(nullptr);
    device_seam::resetAll();
    program_seam::setStartUpThreadEnabled(true);
  }
  void SetUp() override {
    device_seam::resetAll();
    setCurOutput(3);
    for (int output : {3, 1}) {
      setOutputState(output, OUTSTATE_LIVEVIEW);
      setLiveViewPopup(output, 0);
      setPreviewSelChan(output, -2);
      setPreviewSelWin(output, 0);
    }
    LoginAs(kAdminUser);
    initLiveViewState();
    Boxes().clear();
    BoxAnswer() = IDOK;
    msgbox_seam::setBoxFunction(RecordBox);
    msgbox_seam::setKeyObserver(RecordBoxKey);
  }
  // Preview windows refuse destruction: they lose the mark first, so that
  // no live view (nor the side menu it hosts) outlives its test, and the
  // side menus' slots forget the bars that went with them.
  void TearDown() override {
    msgbox_seam::setBoxFunction(nullptr);
    msgbox_seam::setKeyObserver(nullptr);
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      if (IsMainWindow(*it)) {
        if (desktest::Rec(*it)->exStyle & WS_EX_PREVIEW) {
          StackWriteLock hold;  // the desktop thread reads the mark
          desktest::Rec(*it)->exStyle &= ~WS_EX_PREVIEW;
        }
        DestroyMainWindow(*it);
      }
      MainWindowThreadCleanup(*it);
    }
    windows_.clear();
    setLeftMenuWnd(3, GUI_INVALID_HANDLE);
    setLeftMenuWnd(1, GUI_INVALID_HANDLE);
    desktest::Drain();
  }

  WindowHandle Main(Rect r, WindowProc proc, uint32_t exStyle = 0) {
    MainWinCreate create = MainWindowCreation(r, proc, "", WS_VISIBLE, exStyle);
    WindowHandle hwnd = CreateMainWindow(&create);
    if (hwnd != GUI_INVALID_HANDLE) windows_.push_back(hwnd);
    return hwnd;
  }

  // Runs `steps` inside the modal loop a user's `click` opens, once `opened`
  // holds there; false when they did not run.
  bool RunInLoopOpenedBy(const std::function<void()>& click, const std::function<bool()>& opened,
                         const std::function<void()>& steps) {
    bool ran = false;
    const WindowHandle helper = Main({0, 0, 4, 4}, StepsProc);
    // Posted again until the loop has opened. The click's last input may
    // still be on its way when the message is read: the look and the post
    // come before any read, since a read that delivers that input opens the
    // loop inside it, and the loop would then wait for a post never made.
    LoopSteps() = [&ran, helper, &opened, &steps] {
      if (!opened()) {
        PostMessage(helper, kAwaitLoop, 0, 0);
        return;
      }
      desktest::Drain();
      steps();
      ran = true;
    };
    click();
    PostMessage(helper, kAwaitLoop, 0, 0);
    const bool done = PumpUntil([&ran] { return ran; });
    // A post still queued finds nothing to run (the steps' state is gone).
    LoopSteps() = [] {};
    return done;
  }

  // Runs `open` (which takes an owner) with `steps` run inside its loop.
  template <typename Open>
  int RunInLoop(Open open, std::function<void()> steps) {
    LoopSteps() = std::move(steps);
    WindowHandle helper = Main({0, 0, 4, 4}, StepsProc);
    PostMessage(helper, kRunSteps, 0, 0);
    return open(helper);
  }

  std::vector<WindowHandle> windows_;
};

// The interface's texts back in English, as a finished language switch
// leaves them: the configuration write marks a switch under way, during
// which the desktop drops all input, and its caller clears the mark.
inline void TextsBackToEnglish() {
  SetValueToGuiEtc("menuinfo", "language", "1");
  SetLangSwitchState(0);
}

// A user's click at a point of the screen through the host's input, from
// the thread that runs the clicked window: the release follows as soon as
// `taken` holds (the control has taken the press).
inline void ClickAt(int x, int y, const std::function<bool()>& taken) {
  // The pointer comes from outside, as a hand brings it: a window that opened
  // under a resting pointer learns of it from the move.
  const auto routedTo = [](int px, int py) {
    return [px, py] {
      Point at{};
      GetCursorPos(&at);
      return at.x == px && at.y == py;
    };
  };
  HostInjectMouseMove(0, 0);
  PumpUntil(routedTo(0, 0));
  HostInjectMouseMove(x, y);
  PumpUntil(routedTo(x, y));
  // The last click's release is read before this press comes, as a hand is
  // slower than any page: a control still holding the capture for it would
  // take the press too (on a loaded machine that release can take seconds).
  PumpUntil([] { return GetCapture() == 0; });
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  PumpUntil(taken, 1000);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
}

// A user's drag through the host's input: pressed at (x0, y0), moved to
// (x1, y1) once `taken` holds (the press has been handled), released there.
inline void DragAt(int x0, int y0, int x1, int y1, const std::function<bool()>& taken) {
  const auto at = [](int px, int py) {
    return [px, py] {
      Point p{};
      GetCursorPos(&p);
      return p.x == px && p.y == py;
    };
  };
  HostInjectMouseMove(x0, y0);
  PumpUntil(at(x0, y0));
  // A click just made may still hold the capture, its release not handled
  // yet; `taken` would take that for this press, and the move below could
  // then come before the press is read, which would read it at the move's
  // end (the pointer is a state, the buttons a queue of changes).
  PumpUntil([] { return GetCapture() == 0; });
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  PumpUntil(taken, 1000);
  HostInjectMouseMove(x1, y1);
  PumpUntil(at(x1, y1));
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
}

// A key pressed and released on the host keyboard (a Linux key code).
inline void PressKey(int code) {
  inputtest::TapKey(code);
  desktest::Drain();
}

// Reads this thread's messages as a page's loop does, key presses turned
// into characters, until `done` holds; false when it does not within
// `rounds` rounds of at least 2 ms.
inline bool PumpTyping(const std::function<bool()>& done, int rounds = 15000) {
  for (int round = 0; round < rounds; ++round) {
    Message msg;
    const ThreadMsgInfo* info = CurrentThreadMsgInfo();
    const WindowHandle any = info && info->mainWindow ? HandleOf(info->mainWindow) : 0;
    for (int guard = 0; any && guard < 1000 && PeekMessage(&msg, any, 0, 0, TRUE); ++guard) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Presses the host keys that type character `c` (a letter, a capital with
// Shift held, a digit, '.', '-', '/' or ':'); false for others.
inline bool TypeChar(char c) {
  static const char kRows[][11] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
  static const int kFirst[] = {KEY_1, KEY_Q, KEY_A, KEY_Z};
  const bool upper = c >= 'A' && c <= 'Z';
  const char lower = upper ? static_cast<char>(c - 'A' + 'a') : c;
  int key = lower == '.' ? KEY_DOT : lower == '-' ? KEY_MINUS : lower == '/' ? KEY_SLASH : lower == ':' ? KEY_SEMICOLON : 0;
  for (int r = 0; r < 4 && !key; ++r)
    for (int i = 0; kRows[r][i]; ++i)
      if (kRows[r][i] == lower) key = kFirst[r] + i;
  if (!key) return false;
  const bool shift = upper || c == ':';
  inputtest::TapKey(key, shift ? KEY_LEFTSHIFT : 0);
  return true;
}

// A user's typing of IPv4 address `text` (four parts of one to three
// digits) into address field `id` of `page`: a click on its first part,
// Enter to type (as on the front panel), then each part erased with
// Backspace from its end and typed digit by digit, the right arrow moving
// on after a part shorter than three digits (a third digit moves on by
// itself), and Enter again. Each key that changes a part is waited for;
// the keys between are read in their order before it. True once the
// field reads `text`.
inline bool TypeAddress(WindowHandle page, int id, const std::string& text) {
  constexpr int kParts = 4, kWidest = 3;
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == '.')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  bool wellFormed = parts.size() == kParts;
  for (const std::string& part : parts)
    wellFormed = wellFormed && !part.empty() && part.size() <= kWidest &&
                 part.find_first_not_of("0123456789") == std::string::npos;
  if (!wellFormed) {
    ADD_FAILURE() << "\"" << text << "\" is no address a hand types";
    return false;
  }
  const WindowHandle field = GetDlgItem(page, id);
  Rect r{};
  GetWindowRect(field, &r);
  // The first part begins a few pixels into the field.
  int x = r.left + (r.bottom - r.top) / 2, y = (r.top + r.bottom) / 2;
  ClientToScreen(page, &x, &y);
  ClickAt(x, y, [] { return GetCapture() != 0; });
  if (!PumpUntil([page, field] { return GetCapture() == 0 && GetFocusChild(page) == field; })) {
    ADD_FAILURE() << "address field " << id << " took no focus from a click";
    return false;
  }
  const auto partText = [field](int part) {
    char shown[8] = "";
    SendMessage(field, IPM_GETFIELDTEXT, static_cast<WParam>(2 * part), reinterpret_cast<LParam>(shown));
    return std::string(shown);
  };
  PressKey(KEY_ENTER);
  for (int part = 0; part < kParts; ++part) {
    inputtest::TapKey(KEY_END);
    for (size_t left = partText(part).size(); left > 0; --left) {
      inputtest::TapKey(KEY_BACKSPACE);
      if (!PumpTyping([&] { return partText(part).size() < left; })) {
        ADD_FAILURE() << "part " << part << " of address field " << id << " took no backspace";
        return false;
      }
    }
    const std::string& digits = parts[static_cast<size_t>(part)];
    for (size_t typed = 1; typed <= digits.size(); ++typed) {
      TypeChar(digits[typed - 1]);
      if (!PumpTyping([&] { return partText(part) == digits.substr(0, typed); })) {
        ADD_FAILURE() << "part " << part << " of address field " << id << " reads \"" << partText(part)
                      << "\", not \"" << digits.substr(0, typed) << "\"";
        return false;
      }
    }
    if (part + 1 < kParts && digits.size() < kWidest) {
      inputtest::TapKey(KEY_RIGHT);
    }
  }
  PressKey(KEY_ENTER);
  // The field reads the address from its last digit on: the Enter that ends
  // the typing is waited for too, or it would reach whatever has the focus
  // next (a button the pointer passes over would take it for a click).
  char shown[32] = "";
  const bool typed = PumpTyping([&] {
    GetDlgItemText(page, id, shown, sizeof shown);
    return text == shown && !(SendMessage(field, MSG_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
  });
  if (!typed) ADD_FAILURE() << "address field " << id << " reads \"" << shown << "\", not \"" << text << "\"";
  return typed;
}

// A user's click in the middle of a control (controls that take no capture
// get a moment for the press). `taken` tells when a control that opens
// something on the press (a drop-down box) has taken it.
inline void ClickItem(WindowHandle dialog, int id, std::function<bool()> taken = nullptr) {
  const WindowHandle item = GetDlgItem(dialog, id);
  Rect r{};
  GetWindowRect(item, &r);
  int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  ClientToScreen(dialog, &x, &y);
  // A press that closed the control's dialog has been taken too.
  if (!taken)
    taken = [item] {
      return GetCapture() == item || !IsWindow(item) || (SendMessage(item, BM_GETSTATE, 0, 0) & BST_PUSHED);
    };
  ClickAt(x, y, taken);
}

// A click on the arrow of drop-down box `box`; true once its list shows.
inline bool OpenByArrow(WindowHandle box, WindowHandle list) {
  const auto shown = [list] { return IsWindowVisible(list) != 0; };
  Rect r{};
  GetClientRect(box, &r);
  int x = r.right - 6, y = r.bottom / 2;
  ClientToScreen(box, &x, &y);
  ClickAt(x, y, shown);
  return PumpUntil(shown);
}

// A user's choice of item `index` of drop-down box `id` whose list lays its
// items out in a grid (a channel box): a click on the arrow opens it, a
// click on the item's cell chooses it.
inline bool ChooseGridCell(WindowHandle page, int id, int index) {
  const WindowHandle box = GetDlgItem(page, id), list = GetDlgItem(box, CB_LIST_ID);
  const listbox::Data* d = listbox::Of(list);
  if (!OpenByArrow(box, list) || !d || d->itemHeight <= 0) return false;
  const int row = index / listbox::kGridColumns - d->top;
  Rect view{};
  GetClientRect(list, &view);
  if (row < 0 || (row + 1) * d->itemHeight > view.bottom) {
    ADD_FAILURE() << "item " << index << " of drop-down box " << id << " is not in the open grid";
    return false;
  }
  const int cell = d->visibleWidth / listbox::kGridColumns + 1;
  int x = (index % listbox::kGridColumns) * cell + cell / 2;
  int y = row * d->itemHeight + d->itemHeight / 2;
  ClientToScreen(list, &x, &y);
  ClickAt(x, y, [list] { return IsWindowVisible(list) == 0; });
  return PumpUntil([list] { return IsWindowVisible(list) == 0 && GetCapture() == 0; }) &&
         SendMessage(list, LB_GETCURSEL, 0, 0) == index;
}

// The pointer moved to the middle of `window`'s client area, once the
// cursor is there (a wheel turn goes to the window under it).
inline void PointAtMiddle(WindowHandle window) {
  Rect r{};
  GetClientRect(window, &r);
  int x = r.right / 2, y = r.bottom / 2;
  ClientToScreen(window, &x, &y);
  HostInjectMouseMove(x, y);
  PumpUntil([x, y] {
    Point at{};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
  });
}

// One notch of the wheel rolled over the middle of `window` (where
// PointAtMiddle put the pointer), answered once the window's thread has
// handled it, however long the event thread takes: the pointer then moves
// by a pixel, and once the cursor shows that move the event thread has read
// the notch before it; once the desktop has routed what it was given, the
// notch waits in this thread's queue, and a drain handles it. Whether the
// notch moved anything is then for the caller to see.
inline void WheelNotch(WindowHandle window, int delta) {
  Rect r{};
  GetClientRect(window, &r);
  int x = r.right / 2, y = r.bottom / 2;
  ClientToScreen(window, &x, &y);
  Point at{};
  GetCursorPos(&at);
  const int marker = at.x == x ? x + 1 : x;
  HostInjectWheel(delta);
  HostInjectMouseMove(marker, y);
  PumpUntil([marker, y] {
    Point now{};
    GetCursorPos(&now);
    return now.x == marker && now.y == y;
  });
  desktest::AwaitDesktopRead();
  desktest::Request(MSG_DT_GETACTIVEMAIN);
  desktest::Drain();
}

// A user's choice of row `row` of a drop-down box: a click on its arrow
// opens the list, a click on the row (or a grid's cell) chooses it; a row
// scrolled out of the open list is rolled into view with the wheel over
// the list first. Each row an arrow key passes is a choice the box tells,
// so only a list the wheel does not move is walked with the arrow keys and
// taken with Enter, as on the front panel. False when the list did not
// open, or did not close on the row.
inline bool ChooseByMouse(WindowHandle dialog, int id, int row) {
  const WindowHandle box = GetDlgItem(dialog, id), list = GetDlgItem(box, CB_LIST_ID);
  if (GetWindowStyle(list) & LBS_GRID) return ChooseGridCell(dialog, id, row);
  if (!OpenByArrow(box, list)) return false;
  // The open list may still scroll to its chosen row: its place is read
  // once what it was told has been handled. Until the opening click's
  // release is handled the box holds the pointer, and a wheel notch would
  // go to the box instead of the list.
  desktest::AwaitInputHandled();
  Rect r{};
  int x = 0, y = 0;
  const int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const auto topRow = [list] { return static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0)); };
  GetClientRect(list, &r);
  const auto shown = [&] { return height > 0 && row >= topRow() && (row - topRow() + 1) * height <= r.bottom; };
  if (height > 0 && !shown()) {
    PointAtMiddle(list);
    for (int notch = 0; notch < 256 && !shown(); ++notch) {
      const int before = topRow();
      WheelNotch(list, row < before ? 120 : -120);
      if (topRow() == before) break;
    }
  }
  const int top = topRow();
  const bool inView = shown();
  if (inView) {
    x = r.right / 2;
    y = (row - top) * height + height / 2;
    ClientToScreen(list, &x, &y);
    ClickAt(x, y, [list] { return IsWindowVisible(list) == 0; });
  } else {
    for (int at = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)); at != row; at += at < row ? 1 : -1)
      PressKey(at < row ? KEY_DOWN : KEY_UP);
    PressKey(KEY_ENTER);
  }
  const bool closed = PumpUntil([list] { return IsWindowVisible(list) == 0 && GetCapture() == 0; });
  const int chosen = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
  // Told, not failed: a choice the page refuses is what some tests expect.
  if (!closed || chosen != row)
    std::fprintf(stderr, "drop-down box %d: row %d clicked at %d,%d (top %d, in view %d), list %s on row %d, top now %d\n",
                 id, row, x, y, top, inView ? 1 : 0, closed ? "closed" : "still open", chosen, topRow());
  return closed && chosen == row;
}

// A user's click on button `id` of `page` (a push button, check box or
// radio button), answered once the page has handled it: the release read,
// the button's notification dispatched and whatever it opened closed again.
// A disabled button takes nothing: the press and release then come back to
// back and are waited for through the event thread's button state.
inline void Click(WindowHandle page, int id) {
  const WindowHandle item = GetDlgItem(page, id);
  if (!item || !IsWindowVisible(item)) {
    ADD_FAILURE() << "control " << id << " is not shown, so no hand can click it";
    return;
  }
  if (!IsWindowEnabled(item)) {
    Rect r{};
    GetWindowRect(item, &r);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ClientToScreen(page, &x, &y);
    ClickAt(x, y, [] { return true; });
    desktest::AwaitInputHandled();
    return;
  }
  // A button takes the capture on the press and lets it go on the release,
  // before it tells its page. Only the handle is compared afterwards: a click
  // that closes the dialog frees the button with it.
  ClickItem(page, id, [item] { return GetCapture() == item; });
  PumpUntil([item] { return GetCapture() != item; });
  desktest::Drain();
}

// The first row of drop-down box `id` of `page` added with `value` (the one
// CB_SELECTVALUE selects and CB_GETSELVALUE reads); -1 when it has none.
inline int RowOfValue(WindowHandle page, int id, int value) {
  const listbox::Data* d = listbox::Of(GetDlgItem(GetDlgItem(page, id), CB_LIST_ID));
  int row = 0;
  for (const listbox::Item* it = d ? d->head : nullptr; it; it = it->next, ++row)
    if (it->value == value) return row;
  return -1;
}

// A user's choice of the row of drop-down box `id` added with `value`.
inline bool Pick(WindowHandle page, int id, int value) {
  const int row = RowOfValue(page, id, value);
  if (row < 0) {
    ADD_FAILURE() << "drop-down box " << id << " offers no row for " << value;
    return false;
  }
  const bool chosen = ChooseByMouse(page, id, row);
  desktest::Drain();
  return chosen;
}

// Clicks the header of tab `index` of `sheet`; true once that page is the
// active one and the click's release is read. False when its header is not
// shown or the click is refused.
inline bool ClickTab(WindowHandle sheet, int index) {
  const propsheet::Sheet* s = propsheet::SheetOf(sheet);
  int left = 0, right = 0;
  if (!s || !propsheet::TabSpan(s, index, &left, &right)) return false;
  int x = (left + right) / 2, y = (s->headTop + s->headBottom) / 2;
  ClientToScreen(sheet, &x, &y);
  // The sheet turns on the press and takes no capture; a tab it refuses
  // gets the press a moment before the release follows.
  const auto turned = [sheet, index] { return SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0) == index; };
  ClickAt(x, y, turned);
  desktest::AwaitInputHandled();
  if (turned()) return true;
  Point at{};
  GetCursorPos(&at);
  std::fprintf(stderr, "tab %d clicked at %d,%d: pointer at %d,%d, tab %d active, capture %s, active window %s the sheet's\n",
               index, x, y, at.x, at.y, static_cast<int>(SendMessage(sheet, PSM_GETACTIVEINDEX, 0, 0)),
               GetCapture() ? "held" : "free", GetActiveWindow() == GetMainWindowHandle(sheet) ? "is" : "is not");
  return false;
}

// A stand-in for the live view beneath the pages: a main window that counts
// the presses it takes, so that a test can click it once a dialog has
// closed and see that the dialog gave the input back.
inline std::atomic<int>& StandInPresses() {
  static std::atomic<int> presses{0};
  return presses;
}

inline LResult LiveStandInProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_LBUTTONDOWN) StandInPresses().fetch_add(1);
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// A user's click on the stand-in at (x, y), a point no dialog covers any
// more; true when the stand-in took the press.
inline bool StandInTakesClick(int x, int y) {
  const int before = StandInPresses().load();
  const auto taken = [before] { return StandInPresses().load() > before; };
  ClickAt(x, y, taken);
  return PumpUntil(taken) && PumpUntil([] { return GetCapture() == 0; });
}

// The wheel rolled over `list` until row `row` is shown; false when the
// list stops scrolling first.
inline bool WheelToRow(WindowHandle list, int row) {
  ListViewData* lv = listview::DataOf(list);
  if (!lv) return false;
  const ScrolledData& view = lv->sv.scrdata;
  PointAtMiddle(list);
  for (int step = 0; step < 256 && lvtest::CellOnScreen(list, row, 0).x < 0; ++step) {
    const int top = scrollview_is_in_item(&lv->sv, view.nContY, nullptr, nullptr);
    const int before = view.nContY;
    WheelNotch(list, row < top ? 120 : -120);
    if (view.nContY == before) return false;
  }
  return lvtest::CellOnScreen(list, row, 0).x >= 0;
}

// A user's click on a cell of a list view (row index among all rows): the
// release comes under the list's capture.
inline void ClickCell(WindowHandle list, int row, int column) {
  const Point at = lvtest::CellOnScreen(list, row, column);
  ASSERT_GE(at.x, 0) << "row " << row << ", column " << column << " is not shown";
  ClickAt(at.x, at.y, [list] { return GetCapture() == list; });
}

// A user's choice in a drop-down box: a click opens its list, the arrow
// keys walk to the row and Enter takes it, as on the front panel; true once
// the list has closed on that row.
inline bool PickRow(WindowHandle dialog, int comboId, int row) {
  const WindowHandle list = GetDlgItem(GetDlgItem(dialog, comboId), CB_LIST_ID);
  const auto shown = [list] { return IsWindowVisible(list) != 0; };
  ClickItem(dialog, comboId, shown);
  if (!PumpUntil(shown)) return false;
  for (int at = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)); at != row; at += at < row ? 1 : -1)
    PressKey(at < row ? KEY_DOWN : KEY_UP);
  PressKey(KEY_ENTER);
  return PumpUntil([shown] { return !shown(); }) && SendMessage(list, LB_GETCURSEL, 0, 0) == row;
}

// Pictures compared with reference PNGs in data/ beside the test file
// (pass __FILE__; GUI_UPDATE_REFERENCES=1 writes them).
using guitest::Grab;
using guitest::Picture;

// The screen rectangle `r` once the event thread has read all the host
// took in, the desktop has routed all it was asked, this thread has painted
// what that exposed, and two such reads agree: a window shown over another
// is exposed piece by piece as the desktop gets to each, and the live
// view's thread may repaint beneath it. An event thread kept from running
// on a loaded machine reads a move or a key late: two agreeing reads before
// then would show the picture from before it.
inline Picture SettledGrab(const Rect& r) {
  PumpUntil(HostInputPosted);
  Picture last;
  for (int round = 0; round < 200; ++round) {
    for (int i = 0; i < 1000 && HavePendingMessage(__gui_hwnd_desktop); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    SendMessage(__gui_hwnd_desktop, MSG_DT_GETACTIVEMAIN, 0, 0);
    desktest::Drain();
    Picture now = Grab(r);
    if (round > 0 && now.rgb == last.rgb) return now;
    last = std::move(now);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return last;
}

inline void MatchesReference(const char* testFile, const char* name, const Picture& shot) {
  guitest::MatchReference(shot, guitest::ReferencePath(testFile, (std::string(name) + ".png").c_str()));
}

// The pixels of two pictures of the screen rectangle `area` that differ
// outside the given windows.
inline int ChangedOutside(const Picture& before, const Picture& after, const Rect& area,
                          const std::vector<WindowHandle>& windows) {
  std::vector<Rect> allowed;
  for (WindowHandle w : windows) {
    Rect r{};
    if (!IsWindow(w) || !GetWindowRect(w, &r)) continue;
    const WindowHandle parent = GetParent(w);
    ClientToScreen(parent, &r.left, &r.top);
    ClientToScreen(parent, &r.right, &r.bottom);
    allowed.push_back(r);
  }
  int changed = 0;
  for (int y = 0; y < before.height && y < after.height; ++y)
    for (int x = 0; x < before.width && x < after.width; ++x) {
      const int sx = area.left + x, sy = area.top + y;
      bool inside = false;
      for (const Rect& r : allowed) inside = inside || (sx >= r.left && sx < r.right && sy >= r.top && sy < r.bottom);
      const size_t at = (static_cast<size_t>(y) * before.width + x) * 3;
      if (!inside && std::memcmp(&before.rgb[at], &after.rgb[at], 3) != 0) ++changed;
    }
  return changed;
}

// A user's click on a check box of a page, read back from the screen
// rectangle `area`: the pixels that changed beyond the box, the control
// that had the focus and the Apply button the change enables; -1 when the
// box was not checked by it.
inline int CheckClickChangedElsewhere(WindowHandle page, int id, const Rect& area) {
  desktest::Drain();
  const WindowHandle box = GetDlgItem(page, id), focused = GetFocusChild(page);
  const Picture before = Grab(area);
  ClickItem(page, id);
  if (!PumpUntil([box] { return SendMessage(box, BM_GETCHECK, 0, 0) == BST_CHECKED; })) return -1;
  desktest::Drain();
  return ChangedOutside(before, Grab(area), area, {box, focused, GetDlgItem(page, PAGE_ID_APPLY)});
}

}  // namespace livetest
