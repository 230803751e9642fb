// The settings pages' first paint: each page registered under a sub-menu,
// and each start-up page, is opened beside a host window and painted once
// completely, then closed, beside a full-screen fill of a memory DC in the
// same run. Counters per
// page (and for the placeholder page):
//   <page>_us        best time of opening and painting it (a start-up page,
//                    run modally: of opening, painting and closing it)
//   <page>_close_us  best time of closing it
//   fill_us          best time of the fill
//   goal_<page>      16 ms / <page>_us (1 = the page paints within one frame
//                    of a 60 Hz screen)
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
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kFrameNs = 16e6;

// Reads what this thread's windows were posted, as a program's message loop
// would between two pages: left unread, the notices fill the ring (a later
// post is dropped) and every window destroyed walks them all.
void DrainQueue(WindowHandle hwnd) {
  Message msg;
  while (PeekMessage(&msg, hwnd, 0, 0, TRUE)) DispatchMessage(&msg);
}

struct PageTimes {
  double open = 1e300, close = 1e300;  // best nanoseconds per page
};

// Opens the item's page beside `host` and paints it completely (timed as
// the opening), then closes it (timed apart), over at least 20 ms of pages.
PageTimes OpenPaintThenClose(const menus::SubMenuFamily& f, const char* item, WindowHandle host) {
  using Clock = std::chrono::steady_clock;
  const auto ns = [](Clock::duration d) { return std::chrono::duration<double, std::nano>(d).count(); };
  for (long reps = 1;; reps *= 2) {
    double open = 0, close = 0;
    for (long i = 0; i < reps; ++i) {
      DrainQueue(host);
      const auto start = Clock::now();
      openMenuPage(f.registryMenu, item, host);
      const WindowHandle page = f.getPageWnd();
      if (page != GUI_INVALID_HANDLE) UpdateWindow(page, TRUE);
      const auto painted = Clock::now();
      if (page != GUI_INVALID_HANDLE) SendMessage(page, MSG_CLOSE, 0, 0);
      open += ns(painted - start);
      close += ns(Clock::now() - painted);
    }
    if (open + close > 2e7) return {open / static_cast<double>(reps), close / static_cast<double>(reps)};
  }
}

// The export menu's search pages run modally; the others are measured.
template <typename Fill>
void MeasurePages(benchmark::State& state, WindowHandle host, Fill fill) {
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
      PageTimes best;
      benchtime::Timing filled;
      for (int round = 0; round < 3; ++round) {
        const PageTimes t = OpenPaintThenClose(f, item, host);
        best.open = std::min(best.open, t.open);
        best.close = std::min(best.close, t.close);
        filled.Add(benchtime::NsPerOp(fill));
      }
      const std::string name = placeholder ? "placeholder" : item;
      state.counters[name + "_us"] = best.open / 1e3;
      state.counters[name + "_close_us"] = best.close / 1e3;
      state.counters["fill_us"] = filled.Median() / 1e3;
      benchtime::ReportGoal(state, name, kFrameNs / best.open, 1.0);
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
      DrainQueue(closer);
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
  for (auto _ : state) {
    MeasurePages(state, host, fill);
    MeasureWizardPages(state, closer, fill);
  }
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
