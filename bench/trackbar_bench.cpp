// Dragging a track bar's thumb: each step sets the position and paints
// what it invalidated. The bar repaints only the old and new thumb; the
// baseline is the same bar asked to repaint itself whole on every change
// (style 0x8), measured in turn in the same run.
//   steps/s      position changes painted per second
//   vs_whole     whole-bar time / thumb-only time; goal_budget_thumb_vs_whole
//                asks 1.5 or more. A budget: the whole bar is more work,
//                not the same work done another way.
// Beside both, the least any repaint can do: the pixels that differ between
// one position's picture of the bar and the next (their bounding box, worked
// out beforehand), copied straight onto the bar. Goal (1 or more meets it):
//   goal_vs_direct = 2 x direct copy time / thumb-only time
// that is, the bar's own repaint within twice the direct one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "bench/bench_program_folder.h"
#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/startup.h"
#include "gui/trackbar.h"
#include "gui/window.h"

namespace {

using benchfolder::EnterProgramFolder;

LResult Plain(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

struct Drag {
  WindowHandle bar;
  int position = 0;
  void Step() {
    position = (position + 1) % 101;
    SendMessage(bar, TBM_SETPOS, static_cast<WParam>(position), 0);
    SendMessage(bar, MSG_PAINT, 0, 0);
  }
};

constexpr int kBarW = 600, kBarH = 30, kPositions = 101;

// The bar's picture at every position, and for each step the box of the
// pixels that change.
struct Direct {
  WindowHandle bar = 0;
  std::vector<HDC> pictures;
  std::vector<Rect> changed;
  int position = 0;

  void Record(Drag* drag) {
    bar = drag->bar;
    for (int p = 0; p < kPositions; ++p) {
      drag->position = p - 1;
      drag->Step();
      HDC picture = CreateCompatibleDCEx(HDC_SCREEN, kBarW, kBarH);
      HDC client = GetClientDC(bar);
      BitBlt(client, 0, 0, kBarW, kBarH, picture, 0, 0, 0);
      ReleaseDC(client);
      pictures.push_back(picture);
    }
    for (int p = 0; p < kPositions; ++p) changed.push_back(Difference(pictures[(p + kPositions - 1) % kPositions], pictures[p]));
  }
  static Rect Difference(HDC a, HDC b) {
    Rect box{kBarW, kBarH, 0, 0};
    for (int y = 0; y < kBarH; ++y)
      for (int x = 0; x < kBarW; ++x)
        if (GetPixel(a, x, y) != GetPixel(b, x, y))
          box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    return box;
  }
  void Step() {
    position = (position + 1) % kPositions;
    const Rect& r = changed[position];
    if (r.right <= r.left) return;
    HDC client = GetClientDC(bar);
    BitBlt(pictures[position], r.left, r.top, r.right - r.left, r.bottom - r.top, client, r.left, r.top, 0);
    ReleaseDC(client);
  }
  ~Direct() {
    for (HDC dc : pictures) DeleteMemDC(dc);
  }
};

void BM_TrackBarDragThumbOnlyVsWholeBar(benchmark::State& state) {
  if (!EnterProgramFolder()) return state.SkipWithError("no program folder");
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) != 0) return state.SkipWithError("the toolkit did not start");
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.MainWindowProc = Plain;
  create.spCaption = "bench";
  create.rx = 640, create.by = 150;
  WindowHandle main = CreateMainWindow(&create);
  Drag thumb{CreateWindowEx("trackbar", "", WS_VISIBLE, 0, 1, 10, 10, kBarW, kBarH, main, 0)};
  Drag whole{CreateWindowEx("trackbar", "", WS_VISIBLE | TBS_FULLREPAINT, 0, 2, 10, 50, kBarW, kBarH, main, 0)};
  for (Drag* d : {&thumb, &whole}) SendMessage(d->bar, TBM_SETRANGE, 0, 100);
  Drag pictured{CreateWindowEx("trackbar", "", WS_VISIBLE, 0, 3, 10, 90, kBarW, kBarH, main, 0)};
  SendMessage(pictured.bar, TBM_SETRANGE, 0, 100);
  Direct direct;
  direct.Record(&pictured);
  auto t = benchtime::Interleaved(5, [&] { thumb.Step(); }, [&] { whole.Step(); }, [&] { direct.Step(); });
  for (auto _ : state) thumb.Step();
  state.counters["steps/s"] = 1e9 / t[0].Median();
  state.counters["vs_whole"] = t[1].Median() / t[0].Median();
  benchtime::ReportGoal(state, "budget_thumb_vs_whole", t[1].Median() / t[0].Median(), 1.5);
  state.counters["direct_ns"] = t[2].Median();
  double area = 0;
  for (const Rect& r : direct.changed) area += static_cast<double>(std::max(0, r.right - r.left)) * std::max(0, r.bottom - r.top);
  state.counters["direct_px"] = area / kPositions;
  benchtime::ReportGoal(state, "vs_direct", 2 * t[2].Median() / t[0].Median(), 1.0);
  benchtime::ReportSpread(state, t);
  DestroyMainWindow(main);
  MainWindowThreadCleanup(main);
  TerminateGUI(0);
}

BENCHMARK(BM_TrackBarDragThumbOnlyVsWholeBar)->Iterations(1000);

}  // namespace

BENCHMARK_MAIN();
