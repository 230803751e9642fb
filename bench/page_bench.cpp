// The settings pages' first paint: each page registered under a sub-menu is
// opened beside a host window and painted once completely, then closed,
// beside a full-screen fill of a memory DC in the same run. Counters per
// page (and for the placeholder page):
//   <page>_us        best time of opening, painting and closing it
//   fill_us          best time of the fill
//   goal_<page>      16 ms / <page>_us (1 = the page paints within one frame
//                    of a 60 Hz screen)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/core/menus/submenu.h"
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/program_pages.h"
#include "bench_recorder.h"
#include "bench_timing.h"
#include "gui/dc.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kFrameNs = 16e6;

// The camera menu's pages with a live picture.
const char* const kCameraPages[] = {"videolossset", "videotamperset"};

// Opens the item's page beside `host`, paints it completely and closes it.
void OpenPaintClose(int menu, WindowHandle (*getPage)(), const char* item, WindowHandle host) {
  openMenuPage(menu, item, host);
  const WindowHandle page = getPage();
  if (page == GUI_INVALID_HANDLE) return;
  UpdateWindow(page, TRUE);
  SendMessage(page, MSG_CLOSE, 0, 0);
}

template <typename Times>
void Report(benchmark::State& state, const std::string& name, const Times& t) {
  state.counters[name + "_us"] = t[0].best / 1e3;
  state.counters["fill_us"] = t[1].best / 1e3;
  benchtime::ReportGoal(state, name, kFrameNs / t[0].best, 1.0);
}

// The export menu's search pages run modally; the others are measured.
template <typename Fill>
void MeasurePages(benchmark::State& state, WindowHandle host, Fill fill) {
  for (auto which : {menus::SubMenu::kManual, menus::SubMenu::kRecord, menus::SubMenu::kSystem,
                     menus::SubMenu::kMaintenance}) {
    const menus::SubMenuFamily& f = menus::subMenuFamily(which);
    for (int i = 0; i < f.count; ++i) {
      const char* item = f.items[i].key;
      // Every registered page, and the placeholder once.
      const bool placeholder = which == menus::SubMenu::kManual && i == 0;
      if (!f.items[i].opens || (!findPage(f.registryMenu, item) && !placeholder)) continue;
      const auto t =
          benchtime::Interleaved(3, [&] { OpenPaintClose(f.registryMenu, f.getPageWnd, item, host); }, fill);
      Report(state, placeholder ? "placeholder" : item, t);
    }
  }
  for (const char* item : kCameraPages) {
    if (!findPage(APP_MENU_CAMERA, item)) continue;
    const auto t = benchtime::Interleaved(3, [&] { OpenPaintClose(APP_MENU_CAMERA, getCameraPageWnd, item, host); }, fill);
    Report(state, item, t);
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
  for (auto _ : state) MeasurePages(state, host, fill);
  DeleteMemDC(mem);
  DestroyMainWindow(host);
  MainWindowThreadCleanup(host);
  TerminateGUI(0);
}
BENCHMARK(BM_PagesFirstPaintVsFill)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
