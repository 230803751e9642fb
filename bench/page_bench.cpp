// The settings pages as a user meets them: each page registered under a
// sub-menu is open, a click arrives in a window's queue and its handler
// closes the page and opens it afresh, as choosing the menu item again
// does. The clock runs from the click's arrival to the last pixel on the
// frame buffer: every message the close and
// the opening leave is read and dispatched (the controls' paints among
// them), then the host presents what changed. Each page is switched in
// turn with a full-screen fill of a memory DC, in rounds; the medians count.
// Counters per page (and for the placeholder page):
//   <page>_us        median time from the click to the page complete on the
//                    frame buffer, the previous page's close included
//   <page>_spread    the range of the rounds over their median
//   fill_us          median time of the fill
//   goal_<page>      16.7 ms / <page>_us (1 = the page is on screen within
//                    one frame of a 60 Hz screen)
// The start-up pages run modally: a message posted before one opens paints
// it and closes it from inside its loop, and that whole run is timed
// (<page>_us, goal_<page>), without the click and the present.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/core/menus/submenu.h"
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/program_pages.h"
#include "app/system/wizard/wizard.h"
#include "bench_recorder.h"
#include "bench_timing.h"
#include "gui/dc.h"
#include "gui/host.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kFrameNs = 1e9 / 60;
constexpr int kRounds = 7;
// The click is a posted notice; a page that keeps posting would never let
// the queue run dry, so reading stops after this many messages.
constexpr int kMostMessages = 100000;

// The page a click switches to: its menu and item, and whether the handler
// has run.
struct Switch {
  const menus::SubMenuFamily* family = nullptr;
  const char* item = nullptr;
  WindowHandle host = GUI_INVALID_HANDLE;
  bool done = false;
};
Switch g_switch;

// The window the clicks go to: a press closes the open page and opens the
// item's page again.
LResult ClickerProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != MSG_LBUTTONDOWN || !g_switch.family) return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  const WindowHandle open = g_switch.family->getPageWnd();
  if (open != GUI_INVALID_HANDLE && IsValidHandle(open)) SendMessage(open, MSG_CLOSE, 0, 0);
  openMenuPage(g_switch.family->registryMenu, g_switch.item, g_switch.host);
  g_switch.done = true;
  return 0;
}

// Reads and dispatches until the queue is empty (paints included), as a
// program's message loop would: left unread, notices fill the ring (a later
// post is dropped) and every window destroyed walks them all.
void Settle(WindowHandle hwnd) {
  Message msg;
  for (int n = 0; n < kMostMessages && PeekMessage(&msg, hwnd, 0, 0, TRUE); ++n) DispatchMessage(&msg);
}

// One click on the item, from the press's arrival in the window's queue to
// the page's present.
double ClickToPresentNs(WindowHandle clicker) {
  using Clock = std::chrono::steady_clock;
  g_switch.done = false;
  const auto start = Clock::now();
  PostMessage(clicker, MSG_LBUTTONDOWN, 0, 0);
  Settle(clicker);
  HostFlush();
  const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  return g_switch.done ? ns : -1;
}

// The export menu's search pages run modally; the others are measured.
template <typename Fill>
void MeasurePages(benchmark::State& state, WindowHandle host, WindowHandle clicker, Fill fill) {
  bool placeholderDone = false;
  for (auto which : {menus::SubMenu::kManual, menus::SubMenu::kRecord, menus::SubMenu::kSystem,
                     menus::SubMenu::kMaintenance, menus::SubMenu::kStorage, menus::SubMenu::kCamera}) {
    const menus::SubMenuFamily& f = menus::subMenuFamily(which);
    for (int i = 0; i < f.count; ++i) {
      const char* item = f.items[i].key;
      // Every registered page, and the placeholder once: at the first item
      // without a page.
      const bool placeholder = !placeholderDone && !findPage(f.registryMenu, item);
      if (!f.items[i].opens || (!findPage(f.registryMenu, item) && !placeholder)) continue;
      placeholderDone = placeholderDone || placeholder;
      g_switch = Switch{&f, item, host, false};
      openMenuPage(f.registryMenu, item, host);  // the page the first click closes
      Settle(clicker);
      benchtime::Timing page, filled;
      for (int round = 0; round < kRounds; ++round) {
        const double ns = ClickToPresentNs(clicker);
        if (ns < 0) {
          state.SkipWithError("the click was not handled");
          return;
        }
        page.Add(ns);
        filled.Add(benchtime::NsPerOp(fill));
      }
      const WindowHandle open = f.getPageWnd();
      if (open != GUI_INVALID_HANDLE && IsValidHandle(open)) SendMessage(open, MSG_CLOSE, 0, 0);
      Settle(clicker);
      g_switch = Switch{};
      const std::string name = placeholder ? "placeholder" : item;
      state.counters[name + "_us"] = page.Median() / 1e3;
      state.counters[name + "_spread"] = page.Spread();
      state.counters["fill_us"] = filled.Median() / 1e3;
      benchtime::ReportGoal(state, name, kFrameNs / page.Median(), 1.0);
    }
  }
}

// A start-up page runs modally: a message posted before it opens paints it
// and closes it from inside its loop.
constexpr int kPaintAndClose = 0x9201;
LResult CloserProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != kPaintAndClose) return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  const WindowHandle page = GetActiveWindow();
  if (page != hwnd && IsValidHandle(page)) {
    UpdateWindow(page, TRUE);
    SendMessage(page, MSG_CLOSE, 0, 0);
  }
  return 0;
}

template <typename Fill>
void MeasureWizardPages(benchmark::State& state, WindowHandle closer, Fill fill) {
  const struct {
    const char* name;
    int (*open)(WindowHandle);
  } kPages[] = {{"startguide", wizard::openEntryPage},       {"startpasswd", wizard::openPasswordPage},
                {"starttime", wizard::openTimePage},         {"startnetset", wizard::openNetworkPage},
                {"startdiskmode", wizard::openDiskModePage}, {"startdisk", wizard::openDiskPage},
                {"startcamera", wizard::openCameraPage},     {"startrecord", wizard::openRecordPage}};
  for (const auto& p : kPages) {
    const auto t = benchtime::Interleaved(3, [&] {
      Settle(closer);
      PostMessage(closer, kPaintAndClose, 0, 0);
      p.open(closer);
    }, fill);
    state.counters[std::string(p.name) + "_us"] = t[0].Median() / 1e3;
    state.counters["fill_us"] = t[1].Median() / 1e3;
    benchtime::ReportGoal(state, p.name, kFrameNs / t[0].Median(), 1.0);
  }
}

void BM_PagesFirstPaintVsFill(benchmark::State& state) {
  registerAppPages();
  if (!benchapp::StartRecorderToolkit()) {
    state.SkipWithError("the toolkit did not start");
    return;
  }
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.spCaption = "";
  create.MainWindowProc = DefaultMainWinProc;
  create.rx = kWidth;
  create.by = kHeight;
  const WindowHandle host = CreateMainWindow(&create);
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, kWidth, kHeight);
  auto fill = [&] {
    SetDCAttr(mem, DC_ATTR_BRUSH_COLOR, 0x202020);
    FillBox(mem, 0, 0, kWidth, kHeight);
  };
  create.MainWindowProc = CloserProc;
  create.rx = 4;
  create.by = 4;
  const WindowHandle closer = CreateMainWindow(&create);
  create.MainWindowProc = ClickerProc;
  const WindowHandle clicker = CreateMainWindow(&create);
  for (auto _ : state) {
    MeasurePages(state, host, clicker, fill);
    MeasureWizardPages(state, closer, fill);
  }
  DestroyMainWindow(clicker);
  MainWindowThreadCleanup(clicker);
  DestroyMainWindow(closer);
  MainWindowThreadCleanup(closer);
  DeleteMemDC(mem);
  DestroyMainWindow(host);
  MainWindowThreadCleanup(host);
  TerminateGUI(0);
}
BENCHMARK(BM_PagesFirstPaintVsFill)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
