// The recorder as a user runs it, in-process and headless: runRecorder on
// the test's thread, and a script on a second thread that drives it through
// the host window's input and reads back what the host window shows.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include <unistd.h>
#include <linux/input-event-codes.h>

#include "app/app_registry.h"
#include "app/core/program/tests/program_test_support.h"
#include "app/page_ids.h"
#include "core/input/event_thread.h"
#include "core/input/tests/key_tap.h"
#include "core/nonclient/tests/screen_picture.h"
#include "gui/desktop.h"
#include "gui/dialog.h"
#include "gui/gui_etc.h"
#include "gui/host.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace programtest {

inline bool Open(WindowHandle hwnd) { return IsValidHandle(hwnd) && IsWindowVisible(hwnd) == TRUE; }

// What a script does to the running program; every call comes from the
// script's thread.
class Driver {
 public:
  static constexpr int kLoginPassword = 12529, kLoginOk = PAGE_ID_OK;
  // A start (toolkit, device parameters, live view) is the heaviest step:
  // under the thread sanitizer on a loaded machine it took more than 10 s.
  // The bound only turns a start that never comes into a failure.
  static constexpr int kStartSeconds = 60;
  // The live-view window of the main output once the program shows it;
  // 0 when it does not within kStartSeconds.
  WindowHandle WaitForLiveView() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
    int w = 0, h = 0;
    // The host window stands once the toolkit's locks exist.
    while (!HostGetWindowSize(0, &w, &h))
      if (!Wait(deadline)) return 0;
    WindowHandle live = 0;
    while ((live = FirstPreviewWindow(getMainOutput())) == 0 || IsWindowVisible(live) != TRUE)
      if (!Wait(deadline)) return 0;
    HostFlush();
    return live;
  }
  // The start-up wizard opens over the live view at every start until its
  // box is unticked: its Cancel, then Yes to the question, leave it. False
  // when a step does not come.
  bool LeaveWizard() {
    const WindowHandle page = WaitForWizard();
    WindowHandle box = 0;
    if (!page) return false;
    ClickItem(page, IDCANCEL);
    if (!WaitFor([&] {
          box = GetActiveWindow();
          return box != page && Open(box) && IsValidHandle(GetDlgItem(box, IDYES));
        }))
      return false;
    ClickItem(box, IDYES);
    // The page is gone once the live view is active again: its handle is
    // compared, never read.
    return WaitFor([&] {
      const WindowHandle active = GetActiveWindow();
      return active != page && active != box && getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW;
    });
  }
  // The start-up wizard's page once it is open; 0 when it does not come.
  WindowHandle WaitForWizard() {
    constexpr int kWizardBox = 16400;
    WindowHandle page = 0;
    return WaitFor([&] {
             page = GetActiveWindow();
             return Open(page) && IsValidHandle(GetDlgItem(page, kWizardBox));
           })
               ? page
               : 0;
  }
  // A click of `button` (HOST_BUTTON_LEFT or _RIGHT) at a point of the main
  // output's screen.
  // Press and release follow each other at once, as a tap on a touch pad.
  void Click(int x, int y, int button) {
    HostInjectMouseMove(x, y);
    Settle();
    HostInjectMouseButton(button, 1);
    HostInjectMouseButton(button, 0);
    Settle();
  }
  // A key pressed and released (a Linux key code).
  void Key(int code) {
    inputtest::TapKey(code);
    Settle();
  }
  int64_t Pixel(int x, int y) {
    HostFlush();
    return HostReadWindowPixel(0, x, y);
  }
  void CloseHostWindow() { HostInjectClose(); }

  // Waits up to `seconds` for `ready`, then for the program to settle;
  // false when it does not come.
  static bool WaitFor(const std::function<bool()>& ready, int seconds = 10) {
    if (!WaitOutside(ready, seconds)) {
      // The run captures standard output, where the failure itself goes.
      std::fprintf(stderr, "RecorderRun: a step did not come within %d s (state %d, main menu %d, system menu %d, page %d)\n",
                   seconds, getOutputState(getMainOutput()), Open(getMainMenuWnd()), Open(getSystemMenuWnd()),
                   getSystemPageWnd() != GUI_INVALID_HANDLE);
      return false;
    }
    Settle();
    return true;
  }
  // Waits up to `seconds` for `ready` and calls nothing of the toolkit: for
  // a wait across the program's restart, while the toolkit is stopped and
  // started again and no call from outside may reach it.
  static bool WaitOutside(const std::function<bool()>& ready, int seconds = 10) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!ready())
      if (!Wait(deadline)) return false;
    return true;
  }
  // The screen once reads in a row agree: what the program shows when it
  // has finished drawing.
  static guitest::Picture Screen() {
    const Rect whole{0, 0, static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_HPIXEL)),
                      static_cast<int>(GetGDCapability(HDC_SCREEN, GDCAP_VPIXEL))};
    // Three agreeing reads in a row: on a loaded machine a page may still be
    // painting between two reads taken close together.
    guitest::Picture last = guitest::Grab(whole);
    int agreeing = 0;
    for (int i = 0; i < 40 && agreeing < 3; ++i) {
      Settle();
      guitest::Picture now = guitest::Grab(whole);
      agreeing = now.rgb == last.rgb ? agreeing + 1 : 0;
      last = std::move(now);
    }
    return last;
  }
  // A click in the middle of a control of a dialog.
  void ClickItem(WindowHandle dialog, int id) {
    const Point p = ItemCentre(dialog, id);
    Click(p.x, p.y, HOST_BUTTON_LEFT);
  }
  // A hand that means a single click lets the configured double-click time
  // pass since its last press; sooner, the press would be a double click.
  static void OutlastDoubleClick() {
    int ms = 0;
    if (GetGuiEtcIntValue("mouse", "dblclicktime", &ms) != ETC_OK || ms < 1 || ms > 999) ms = 999;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms + 20));
  }
  // The screen point at the middle of a dialog's control.
  static Point ItemCentre(WindowHandle dialog, int id) {
    Rect r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);  // in the dialog's client area
    Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(dialog, &p.x, &p.y);
    return p;
  }
  // Digits and dots typed on the keyboard (Linux key codes).
  void Type(const char* text) {
    for (const char* c = text; *c; ++c) {
      if (*c == '.') Key(KEY_DOT);
      else if (*c == '0') Key(KEY_0);
      else if (*c >= '1' && *c <= '9') Key(KEY_1 + (*c - '1'));
    }
  }
  // A text field emptied and typed into as a user does: a click in it,
  // Backspace from its end, then the text.
  void Retype(WindowHandle dialog, int id, const char* text) {
    ClickItem(dialog, id);
    Key(KEY_END);
    for (int i = 0; i < 64; ++i) Key(KEY_BACKSPACE);
    Type(text);
  }
  // The pop-up menu's first item, from the live view: the main menu.
  bool OpenMainMenu() {
    Click(300, 200, HOST_BUTTON_RIGHT);
    if (!WaitFor([] { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; })) return false;
    Click(320, 212, HOST_BUTTON_LEFT);
    return WaitFor([] { return Open(getMainMenuWnd()); });
  }
  // After a sub-menu closed: the main menu, shown again a moment later and
  // taking clicks once it is the active window, or the live view where the
  // way out went past it. False when neither comes.
  static bool AwaitMainMenuOrLiveView() {
    return WaitFor([] {
      const WindowHandle menu = getMainMenuWnd();
      if (Open(menu)) return GetActiveWindow() == menu && IsWindowEnabled(menu) == TRUE;
      return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW;
    });
  }
  // The login dialog, when a step asks for one: the user it offers and the
  // password typed.
  void LogInIfAsked(const char* password) {
    if (!WaitFor([] { return Open(getLoginWnd(getMainOutput())) || GetActiveWindow() != getMainMenuWnd(); }, 2))
      return;
    const WindowHandle login = getLoginWnd(getMainOutput());
    if (!Open(login)) return;
    Retype(login, kLoginPassword, password);
    ClickItem(login, kLoginOk);
    WaitFor([] { return !Open(getLoginWnd(getMainOutput())); });
  }

 private:
  static bool Wait(std::chrono::steady_clock::time_point deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return std::chrono::steady_clock::now() < deadline;
  }

 public:
  // The program has read what it was given: the input engine has read
  // all the host took in and posted it to the desktop, whose queue is
  // empty, and the active window has handled what it was given. Between
  // actions the driver keeps a hand's pace, as the user it stands for.
  static void Settle() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!HostInputPosted() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    while (HavePendingMessage(__gui_hwnd_desktop) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    AwaitHandled(GetActiveWindow(), deadline);
    HostFlush();
  }
  // `window`'s thread has read what it was given and handled it: a message
  // posted once its queue is empty is read only when the handler running
  // has returned or a window that handler opened runs its own loop (a
  // thread waiting in a send answers sent messages alone, so an answered
  // send proves neither), and what the handler opens is up by then. A
  // thread kept busy past `deadline` is not waited for longer.
  static void AwaitHandled(WindowHandle window, std::chrono::steady_clock::time_point deadline) {
    auto drained = [&] {
      return !Open(window) || !HavePendingMessage(window) || std::chrono::steady_clock::now() >= deadline;
    };
    while (!drained()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (!Open(window)) return;
    PostMessage(window, MSG_GETTEXTLENGTH, 0, 0);
    while (!drained()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (Open(window)) SendMessage(window, MSG_GETTEXTLENGTH, 0, 0);
  }
};

// A file of this test process's own under the test folder (the same test
// run by two builds at once must not share its settings file), gone when the
// test starts and again when it ends.
class OwnTempFile {
 public:
  explicit OwnTempFile(const char* name) : path_(testing::TempDir() + std::to_string(::getpid()) + "_" + name) {
    std::remove(path_.c_str());
  }
  ~OwnTempFile() { std::remove(path_.c_str()); }
  OwnTempFile(const OwnTempFile&) = delete;
  OwnTempFile& operator=(const OwnTempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Set once the program has returned from its entry.
inline std::atomic<bool> g_programEnded{false};

// Runs the program on this thread and `script` beside it; the exit code.
inline int RunWithScript(const std::function<void(Driver&)>& script) {
  g_programEnded = false;
  std::thread driver([&script] {
    Driver d;
    script(d);
    // A script stopped by a failed assertion still ends the program.
    if (::testing::Test::HasFatalFailure()) RequestQuit();
  });
  const programtest::Run run = programtest::RunRecorder();
  g_programEnded = true;
  driver.join();
  return run.code;
}

}  // namespace programtest
