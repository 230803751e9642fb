// How soon a user sees a menu whole: the recorder runs in this process on
// the X server (`make bench` starts one), a script clicks its window through
// the X server and reads back what the X server shows of the window.
//   right click on the live view -> the pop-up menu complete
//   the pop-up's first item      -> the main menu complete
// beside a minimal SDL2 program (click_sdl_window) that takes the same kind
// of click, through the X server and SDL's event queue, and presents a
// filled rectangle of the main menu's area, measured in turn in the same
// run; both are read back through shared memory. Goals (1 or more meets
// them):
//   goal_popup     = 1.5 x SDL2 median / pop-up complete median
//   goal_main_menu = 1.5 x SDL2 median / main-menu median
// Counters give the medians in ms (popup_first_ms: 1 % of the pixels the
// pop-up changes show it), the spreads (range over median) and the ratios
// to SDL2.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/program.h"
#include "app/program_pages.h"
#include "bench/bench_exec_window.h"
#include "bench/bench_process_load.h"
#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "bench/bench_window_reader.h"
#include "gui/app_hooks.h"
#include "gui/desktop.h"
#include "gui/host.h"
#include "gui/startup.h"
#include "gui/window_attr.h"

namespace {

using Clock = std::chrono::steady_clock;
using Pixels = std::vector<unsigned long>;

constexpr int kRounds = 15;
// Each menu is complete within this many times an SDL2 click-and-present.
constexpr double kGoalPerSdl = 1.5;
constexpr int kEscape = 1;  // Linux key code

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// Reads back a window's pixels from the X server.
class Screen {
 public:
  Screen() : x_(XOpenDisplay(nullptr)), reader_(x_.get()) {}
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  bool ok() const { return x_ && reader_.ok(); }
  int width() const { return DisplayWidth(x_.get(), DefaultScreen(x_.get())); }
  int height() const { return DisplayHeight(x_.get(), DefaultScreen(x_.get())); }
  // The top-level window with this name; 0 when there is none.
  Window Find(const char* name) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(x_.get(), DefaultRootWindow(x_.get()), &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
      char* title = nullptr;
      if (XFetchName(x_.get(), children[i], &title) && title && std::strcmp(title, name) == 0) found = children[i];
      if (title) XFree(title);
    }
    if (children) XFree(children);
    return found;
  }
  // A click at (x, y) of the window as the X server delivers one: the
  // pointer moved there, then the press and the release sent to the window,
  // so that both programs read it from their X connection and SDL's queue.
  void Move(Window w, int x, int y) {
    XWarpPointer(x_.get(), None, w, 0, 0, 0, 0, x, y);
    XFlush(x_.get());
  }
  void Click(Window w, int x, int y, unsigned button) {
    Display* const x11 = x_.get();
    XWarpPointer(x11, None, w, 0, 0, 0, 0, x, y);
    for (int type : {ButtonPress, ButtonRelease}) {
      XEvent e{};
      e.xbutton.type = type;
      e.xbutton.display = x11;
      e.xbutton.window = w;
      e.xbutton.root = DefaultRootWindow(x11);
      e.xbutton.x = x;
      e.xbutton.y = y;
      e.xbutton.same_screen = True;
      e.xbutton.button = button;
      e.xbutton.state = type == ButtonRelease ? (button == Button1 ? Button1Mask : Button3Mask) : 0;
      e.xbutton.time = CurrentTime;
      XSendEvent(x11, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
    XFlush(x11);
  }
  // What the X server shows of `r` of window `w`, read through shared
  // memory: a read-back that copied through the connection would add the
  // same time to both sides and pull their ratio towards 1.
  Pixels Grab(Window w, const Rect& r) {
    Pixels out;
    reader_.Read(w, r.left, r.top, r.right - r.left, r.bottom - r.top, [&](XImage& image) {
      out.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
      const bool direct = image.bits_per_pixel == 32 && image.byte_order == LSBFirst;
      for (int y = 0; y < image.height; ++y) {
        const char* row = image.data + static_cast<size_t>(y) * static_cast<size_t>(image.bytes_per_line);
        for (int x = 0; x < image.width; ++x) {
          uint32_t pixel = 0;
          if (direct) std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, 4);
          if (direct && image.depth < 32) pixel &= (uint32_t{1} << image.depth) - 1;
          out.push_back(direct ? pixel : XGetPixel(&image, x, y));
        }
      }
    });
    return out;
  }

 private:
  struct Close {
    void operator()(Display* x) const { XCloseDisplay(x); }
  };
  // Declared first, so that the reader lets go of its memory before the
  // connection closes.
  std::unique_ptr<Display, Close> x_;
  benchx::WindowReader reader_;
};

// The bounding box of the pixels that differ between two grabs of `whole`.
Rect Changed(const Pixels& a, const Pixels& b, const Rect& whole) {
  const int w = whole.right - whole.left;
  Rect box{whole.right, whole.bottom, whole.left, whole.top};
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] == b[i]) continue;
    const int x = whole.left + static_cast<int>(i % w), y = whole.top + static_cast<int>(i / w);
    box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  }
  return box;
}

bool WaitUntil(const std::function<bool()>& ready, int ms = 5000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (!ready())
    if (Clock::now() > deadline) return false;
    else std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return true;
}

// How many of the pixels that `after` changes from `before` show it in `now`.
size_t Arrived(const Pixels& before, const Pixels& after, const Pixels& now, size_t* changing) {
  size_t arrived = 0;
  *changing = 0;
  for (size_t i = 0; i < after.size() && i < before.size() && i < now.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++*changing;
    if (now[i] == after[i]) ++arrived;
  }
  return arrived;
}

// One latency: time to the first grab that shows at least 1 % of what
// changes from `before` to `after` (first visible; not looked for when
// `firstMs` is null, so that each grab costs what the baseline's costs),
// and to the first that equals `after`; false when `after` does not come
// within 2 s.
bool Latency(Screen& s, Window w, const Rect& box, const Pixels& before, const Pixels& after,
             const std::function<void()>& act, double* firstMs, double* completeMs) {
  const auto start = Clock::now();
  act();
  if (firstMs) *firstMs = 0;
  while (MsSince(start) < 2000) {
    Pixels now = s.Grab(w, box);
    size_t changing = 0;
    if (firstMs && *firstMs == 0 && Arrived(before, after, now, &changing) * 100 >= std::max<size_t>(changing, 1))
      *firstMs = MsSince(start);
    if (now == after) {
      *completeMs = MsSince(start);
      if (firstMs && *firstMs == 0) *firstMs = *completeMs;
      return true;
    }
  }
  return false;
}

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

struct Results {
  std::vector<double> popupFirst, popupComplete, mainMenu, sdl;
  std::string error;
};

bool PopupShown() { return IsMenuPopup(GetWindowDisplay(FirstPreviewWindow(getMainOutput()))) != 0; }

// The script beside the running recorder.
void Script(Results* r) {
  auto fail = [r](const char* what) {
    r->error = what;
    RequestQuit();
  };
  Screen screen;
  int width = 0, height = 0;
  if (!screen.ok() || !WaitUntil([&] { return HostGetWindowSize(0, &width, &height) != 0; }, 10000) ||
      !WaitUntil([] { return FirstPreviewWindow(getMainOutput()) != 0; }, 10000))
    return fail("the live view did not come");
  std::this_thread::sleep_for(std::chrono::seconds(2));  // start-up's own windows and checks
  const Window host = screen.Find("ZelGUI");
  if (!host) return fail("the host window is not on the X server");
  const Rect whole{0, 0, width, height};
  auto settled = [&] {
    HostFlush();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return screen.Grab(host, whole);
  };
  const int popupX = 300, popupY = 200, itemX = 320, itemY = 212;
  // The pictures once drawn: live view, pop-up, main menu.
  const Pixels live = settled();
  screen.Click(host, popupX, popupY, Button3);
  if (!WaitUntil(PopupShown)) return fail("the pop-up menu did not open");
  const Pixels popup = settled();
  screen.Click(host, itemX, itemY, Button1);
  if (!WaitUntil([] { return getOutputState(getMainOutput()) == OUTSTATE_MENU; })) return fail("no main menu");
  const Pixels menu = settled();
  const Rect popupBox = Changed(live, popup, whole), menuBox = Changed(popup, menu, whole);
  if (popupBox.right <= popupBox.left || menuBox.right <= menuBox.left) return fail("nothing drew");
  auto cut = [&](const Pixels& all, const Rect& box) {
    Pixels part;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) part.push_back(all[static_cast<size_t>(y) * width + x]);
    return part;
  };
  auto backToLive = [&] {
    for (int i = 0; i < 5 && getOutputState(getMainOutput()) != OUTSTATE_LIVEVIEW; ++i) {
      HostInjectKey(kEscape, 1);
      HostInjectKey(kEscape, 0);
      WaitUntil([] { return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW; }, 500);
    }
    return WaitUntil([] { return getOutputState(getMainOutput()) == OUTSTATE_LIVEVIEW && !PopupShown(); }, 2000);
  };
  if (!backToLive()) return fail("the menus did not close");
  // The baseline presents a rectangle of the main menu's area (the goal it
  // stands beside), 240 pixels wide so that it stands beside the recorder's
  // window, or below that window when the column beside it is too short
  // for the area: both sides present and read back as many pixels.
  const long area = static_cast<long>(menuBox.right - menuBox.left) * (menuBox.bottom - menuBox.top);
  int sdlW = 240, sdlH = static_cast<int>((area + sdlW - 1) / sdlW), sdlX = 1030, sdlY = 0;
  if (sdlH > 1000 && screen.height() - height - 6 >= 250) {
    sdlH = 250;
    sdlW = static_cast<int>(std::min<long>(screen.width(), (area + sdlH - 1) / sdlH));
    sdlX = 0;
    sdlY = height + 6;
  }
  sdlH = std::min(sdlH, 1000);
  benchload::Program sdl({benchexec::BesideMe("click_sdl_window"), std::to_string(sdlW), std::to_string(sdlH),
                          std::to_string(sdlX), std::to_string(sdlY)},
                         true);
  if (!sdl.ok()) return fail("the SDL2 baseline did not start");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const Rect sdlBox{0, 0, sdlW, sdlH};
  const Pixels popupPart = cut(popup, popupBox);
  const Pixels menuPart = cut(menu, menuBox), beforeMenu = cut(popup, menuBox);
  for (int round = 0; round < kRounds; ++round) {
    double first = 0, complete = 0;
    // The live view as it stands now (a click leaves its selection marked).
    const Pixels livePart = cut(settled(), popupBox);
    if (!Latency(screen, host, popupBox, livePart, popupPart, [&] { screen.Click(host, popupX, popupY, Button3); }, &first,
                 &complete))
      return fail("the pop-up menu did not complete");
    r->popupFirst.push_back(first);
    r->popupComplete.push_back(complete);
    // The pointer rests on the item before it is clicked, as a user's does:
    // the item's highlight is drawn and shown before the clock starts, as
    // the baseline's click moves nothing either.
    screen.Move(host, itemX, itemY);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!Latency(screen, host, menuBox, beforeMenu, menuPart, [&] { screen.Click(host, itemX, itemY, Button1); }, nullptr,
                 &complete))
      return fail("the main menu did not complete");
    r->mainMenu.push_back(complete);
    if (!backToLive()) return fail("the menus did not close");
    // The baseline: its rectangle changes colour on each click.
    const Pixels sdlBefore = screen.Grab(sdl.window(), sdlBox);
    const auto start = Clock::now();
    screen.Click(sdl.window(), sdlW / 2, sdlH / 2, Button3);
    while (MsSince(start) < 2000) {
      Pixels now = screen.Grab(sdl.window(), sdlBox);
      if (!now.empty() && now.front() != sdlBefore.front() && now.back() != sdlBefore.back() &&
          std::all_of(now.begin(), now.end(), [&](unsigned long p) { return p == now.front(); }))
        break;
    }
    r->sdl.push_back(MsSince(start));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  RequestQuit();
}

void BM_MenusCompleteVsSdlClickAndPresent(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("needs an X server (make bench starts one)");
    return;
  }
  if (!benchfolder::EnterProgramFolder()) {
    state.SkipWithError("cannot move to the program's folder");
    return;
  }
  Results r;
  // The clicks start on the live view: the start-up wizard stays shut.
  const uint32_t noWizard[2] = {0, 0};
  device_seam::overrideAnswer(getStartGuideFlag, 0, noWizard, sizeof noWizard);
  for (auto _ : state) {
    registerAppPages();
    std::thread script(Script, &r);
    runRecorder();
    script.join();
  }
  if (!r.error.empty() || r.sdl.empty()) {
    state.SkipWithError(r.error.empty() ? "no rounds" : r.error.c_str());
    return;
  }
  const double sdlMedian = Quantile(r.sdl, 0.5);
  const double mainMedian = Quantile(r.mainMenu, 0.5);
  state.counters["popup_first_ms"] = Quantile(r.popupFirst, 0.5);
  state.counters["popup_complete_ms"] = Quantile(r.popupComplete, 0.5);
  state.counters["popup_complete_q3_ms"] = Quantile(r.popupComplete, 0.75);
  state.counters["main_menu_ms"] = mainMedian;
  state.counters["sdl_ms"] = sdlMedian;
  state.counters["popup_per_sdl"] = Quantile(r.popupComplete, 0.5) / sdlMedian;
  state.counters["main_menu_per_sdl"] = mainMedian / sdlMedian;
  state.counters["main_menu_spread"] = benchtime::Timing{r.mainMenu}.Spread();
  state.counters["popup_spread"] = benchtime::Timing{r.popupComplete}.Spread();
  state.counters["sdl_spread"] = benchtime::Timing{r.sdl}.Spread();
  benchtime::ReportGoal(state, "popup", kGoalPerSdl * sdlMedian / Quantile(r.popupComplete, 0.5), 1.0);
  benchtime::ReportGoal(state, "main_menu", kGoalPerSdl * sdlMedian / mainMedian, 1.0);
}
BENCHMARK(BM_MenusCompleteVsSdlClickAndPresent)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
