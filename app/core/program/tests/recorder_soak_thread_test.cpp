// The recorder under a long random hand: a fixed seeded sequence of clicks,
// drags, wheel steps and keys over the live view and whatever it opens.
// After every hundred events the live view must still open its side menu
// (no dead end), and under AddressSanitizer the run must end without a
// leak. GUI_SOAK_SEED replays another sequence and GUI_SOAK_EVENTS sets its
// length; a failure names the seed and the event.
#include <linux/input-event-codes.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/page_registry.h"
#include "app/app_registry.h"
#include "app/core/program/program_seam.h"
#include "app/core/program/tests/recorder_driver.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/liveview.h"
#include "core/input/tests/key_tap.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
constexpr int kEvents = 2000;
#else
constexpr int kEvents = 300;  // the sanitizer stage runs the long sequence
#endif

namespace {

using programtest::Driver;
using programtest::Open;
using programtest::RunWithScript;

constexpr int kShutdownButton = 16392;
constexpr int kChannelX = 300, kChannelY = 200;

int Main() { return getMainOutput(); }
WindowHandle Bar() { return getLeftMenuWnd(Main()); }

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(8)); }

// A point the hand may touch: anywhere on the screen but the main menu's
// shutdown button, which would end the run.
bool Allowed(int x, int y) {
  const WindowHandle menu = getMainMenuWnd();
  if (!Open(menu)) return true;
  Rect r{};
  if (!GetWindowRect(GetDlgItem(menu, kShutdownButton), &r)) return true;
  ClientToScreen(menu, &r.left, &r.top);
  ClientToScreen(menu, &r.right, &r.bottom);
  return x < r.left - 4 || x >= r.right + 4 || y < r.top - 4 || y >= r.bottom + 4;
}

class Hand {
 public:
  Hand(unsigned seed, int width, int height) : random_(seed), width_(width), height_(height) {}

  // One event; its name for the log. Most land in the window that is
  // active, so that menus and pages once open are explored.
  std::string Step() {
    int x = 0, y = 0;
    do {
      Point p = Target();
      x = p.x, y = p.y;
    } while (!Allowed(x, y));
    switch (Pick(10)) {
      case 0: case 1: case 2: case 3:
        Tap(x, y, HOST_BUTTON_LEFT);
        return "left " + At(x, y);
      case 4:
        Tap(x, y, HOST_BUTTON_RIGHT);
        return "right " + At(x, y);
      case 5: {
        const int tx = Pick(width_), ty = Pick(height_);
        if (!Allowed(tx, ty)) return "no drag";
        Drag(x, y, tx, ty);
        return "drag " + At(x, y) + " to " + At(tx, ty);
      }
      case 6:
        HostInjectMouseMove(x, y);
        HostInjectWheel(Pick(2) ? 120 : -120);
        Pause();
        return "wheel " + At(x, y);
      default: {
        static const int kKeys[] = {KEY_ESC, KEY_ENTER, KEY_UP,    KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_TAB,
                                    KEY_SPACE, KEY_1,   KEY_2,     KEY_5,    KEY_0,    KEY_BACKSPACE};
        const int key = kKeys[Pick(static_cast<int>(sizeof kKeys / sizeof kKeys[0]))];
        inputtest::TapKey(key);
        Pause();
        return "key " + std::to_string(key);
      }
    }
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  Point Target() {
    const WindowHandle active = GetActiveWindow();
    Rect r{};
    if (Pick(5) != 0 && active != FirstPreviewWindow(Main()) && GetWindowRect(active, &r) && r.right > r.left &&
        r.bottom > r.top)
      return Point{r.left + Pick(r.right - r.left), r.top + Pick(r.bottom - r.top)};
    return Point{Pick(width_), Pick(height_)};
  }
  static std::string At(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  static void Tap(int x, int y, int button) {
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(button, 1);
    HostInjectMouseButton(button, 0);
    Pause();
  }
  static void Drag(int x, int y, int tx, int ty) {
    HostInjectMouseMove(x, y);
    HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
    for (int i = 1; i <= 4; ++i) {
      HostInjectMouseMove(x + (tx - x) * i / 4, y + (ty - y) * i / 4);
      Pause();
    }
    HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
    Pause();
  }

  std::mt19937 random_;
  int width_, height_;
};

// What a failure names of the window that kept the input.
std::string Describe(WindowHandle w) {
  if (!Open(w)) return "no active window";
  char caption[64] = "";
  GetWindowText(w, caption, sizeof caption);
  return std::string("active \"") + caption + "\"" + (IsWindowVisible(w) ? "" : " hidden") +
         (IsWindowEnabled(w) ? "" : " disabled") + (w == FirstPreviewWindow(Main()) ? " (the live view)" : "");
}

// Where the outputs stand: the current one, each output's state and the
// live-view dialogs that hold a window.
std::string Outputs() {
  std::string text = "current output " + std::to_string(getCurOutput());
  for (int output : {getMainOutput(), getAuxOutput()})
    text += ", output " + std::to_string(output) + " state " + std::to_string(getOutputState(output));
  const std::pair<const char*, WindowHandle> dialogs[] = {{"output mode", getOutModeSetWnd()},
      {"strategy", getPreviewStrategyWnd()}, {"colour panel", getLeftColorSetWnd()}, {"copy", getCopyChanWnd()}};
  for (const auto& [name, window] : dialogs)
    if (Open(window)) text += std::string(", ") + name + " open";
  return text;
}

// Back to the live view as a user gets there, by Escape and right clicks,
// then a click on a channel: true when the side menu opens.
bool SideMenuOpens(Driver& d) {
  Driver::Settle();  // the hand's last events are read before the state is
  for (int attempt = 0; attempt < 12; ++attempt) {
    const WindowHandle live = FirstPreviewWindow(Main());
    if (getOutputState(Main()) == OUTSTATE_LIVEVIEW && GetActiveWindow() == live && !IsMenuPopup(GetWindowDisplay(live)))
      break;
    if (attempt % 3 == 2)
      d.Click(kChannelX, kChannelY, HOST_BUTTON_RIGHT);
    else
      d.Key(KEY_ESC);
  }
  if (Open(Bar())) d.Key(KEY_ESC);
  d.Click(kChannelX + 20, kChannelY + 20, HOST_BUTTON_LEFT);
  d.Click(kChannelX, kChannelY, HOST_BUTTON_LEFT);
  return Driver::WaitFor([] { return Open(Bar()); });
}

// The pop-up menu's first item, as a user opens the main menu.
void OpenMainMenu(Driver& d) {
  if (Open(Bar())) d.Key(KEY_ESC);
  d.Click(kChannelX, kChannelY, HOST_BUTTON_RIGHT);
  d.Click(kChannelX + 20, kChannelY + 12, HOST_BUTTON_LEFT);
  Driver::WaitFor([] { return Open(getMainMenuWnd()); });
}

TEST(RecorderSoak, ASeededRandomHandLeavesNoDeadEndAndNoLeak) {
  const char* given = std::getenv("GUI_SOAK_SEED");
  const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : 20261207u;
  const char* length = std::getenv("GUI_SOAK_EVENTS");
  const int events = length ? std::atoi(length) : kEvents;
  std::string failure;
  // The hand starts on the live view: the wizard is switched off.
  const uint32_t noWizard[2] = {0, 0};
  device_seam::overrideAnswer(getStartGuideFlag, 0, noWizard, sizeof noWizard);
  const int code = RunWithScript([&](Driver& d) {
    // The program is asked to end whatever happened: a failed walk used to
    // leave it running until the test's time ran out.
    struct CloseAtEnd {
      Driver& d;
      ~CloseAtEnd() {
        if (!programtest::g_programEnded) d.CloseHostWindow();
      }
    } closeAtEnd{d};
    if (d.WaitForLiveView() == 0 || !Driver::WaitFor([] { return !program_seam::startUpThreadRunning(); })) {
      failure = "the live view did not come";
      return;
    }
    // The hand never ends or restarts the program: the shutdown dialog and the
    // reboot hint of the pages that ask for one are left out of its reach.
    registerPage(APP_MENU_MAIN, "shutdown", [](WindowHandle) { return 0; });
    registerShutdownHint([](WindowHandle, int) { return 0; });
    int w = 0, h = 0;
    HostGetWindowSize(0, &w, &h);
    Hand hand(seed, w, h);
    std::string last;
    for (int i = 1; i <= events; ++i) {
      last = hand.Step();
      if (programtest::g_programEnded) {
        failure = "the program ended at event " + std::to_string(i) + " (" + last + ")";
        return;
      }
      if (i % 100 != 0) continue;
      if (!SideMenuOpens(d)) {
        failure = "dead end after event " + std::to_string(i) + " (" + last + "), state " +
                  std::to_string(getOutputState(Main())) + ", " + Describe(GetActiveWindow()) + "; " + Outputs();
        return;
      }
      if ((i / 100) % 2 == 0) OpenMainMenu(d);
    }
  });
  device_seam::clearOverrides();
  if (!failure.empty()) std::fprintf(stderr, "RecorderSoak: seed %u: %s\n", seed, failure.c_str());
  EXPECT_TRUE(failure.empty()) << "seed " << seed << ": " << failure;
  EXPECT_EQ(code, 0);
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "seed " << seed << " leaked";
#endif
}

}  // namespace
