// A list view of 10,000 rows: one frame painted at the top and at the end
// of the list, and a page down with its repaint at both places, beside a
// plain memory-DC fill of the same area, measured in turn in the same run.
// Goal: the end-of-list frame within 1.5 times the top one, reported as
//   goal_end_frame = 1.5 x top frame / end frame (1 or more meets it).
// Counters: *_us per frame; vs_fill = fill time / frame time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "bench/bench_timing.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/listview.h"
#include "gui/nonclient.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"
#include "gui/window_attr.h"

namespace {

constexpr int kRows = 10000, kWidth = 600, kHeight = 440;

LResult Plain(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// The configuration and skins sit beside the program.
void EnterProgramFolder() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return;
  std::string dir(path, static_cast<size_t>(n));
  if (chdir(dir.substr(0, dir.rfind('/')).c_str()) != 0) return;
}

WindowHandle Fill(WindowHandle main) {
  WindowHandle lv = CreateWindowEx("ListView", "", WS_VISIBLE | LVS_STRIPED, 0, 1, 10, 10, kWidth, kHeight, main, 0);
  const char* heads[] = {"Time", "Channel", "Event"};
  for (const char* h : heads) {
    ListViewColumnInfo c{-1, 150, const_cast<char*>(h), 0, 0, nullptr, 0};
    SendMessage(lv, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&c));
  }
  SendMessage(lv, LVM_STOPREDRAW, 0, 0);
  for (int i = 0; i < kRows; ++i) {
    ListViewItemInfo info{i, 0, 0, 0};
    const LParam row = SendMessage(lv, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&info));
    const std::string texts[] = {"2026-12-07 09:" + std::to_string(i % 60), "D" + std::to_string(i % 16 + 1),
                                 "Motion detected on row " + std::to_string(i)};
    for (int c = 0; c < 3; ++c) {
      ListViewSubItemInfo s{};
      s.column = c;
      s.text = const_cast<char*>(texts[c].c_str());
      SendMessage(lv, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&s));
    }
  }
  SendMessage(lv, LVM_STARTREDRAW, 0, 0);
  return lv;
}

void BM_ListViewFrameTopAndEndVsFill(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  EnterProgramFolder();
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) != 0) {
    state.SkipWithError("the toolkit did not start");
    return;
  }
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.spCaption = "bench";
  create.MainWindowProc = Plain;
  create.lx = 0;
  create.ty = 0;
  create.rx = kWidth + 20;
  create.by = kHeight + 20;
  WindowHandle main = CreateMainWindow(&create);
  WindowHandle lv = Fill(main);
  const int end = static_cast<int>(SendMessage(lv, SVM_GETCONTHEIGHT, 0, 0) - SendMessage(lv, SVM_GETVISIBLEHEIGHT, 0, 0));
  const int page = static_cast<int>(SendMessage(lv, SVM_GETVSCROLLPAGEVAL, 0, 0));
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, kWidth, kHeight);

  auto frameAt = [&](int y) {
    return [&, y] {
      SendMessage(lv, SVM_SETCONTPOS, static_cast<WParam>(-1), y);
      UpdateWindow(lv, TRUE);
    };
  };
  auto pageFrom = [&](int y) {
    return [&, y] {
      SendMessage(lv, SVM_SETCONTPOS, static_cast<WParam>(-1), y);
      SendMessage(lv, MSG_VSCROLL, SB_PAGEDOWN, 0);
      UpdateWindow(lv, TRUE);
    };
  };
  auto fill = [&] {
    SetDCAttr(mem, DC_ATTR_BRUSH_COLOR, 0x404040);
    FillBox(mem, 0, 0, kWidth, kHeight);
  };
  auto t = benchtime::Interleaved(3, frameAt(0), frameAt(end), pageFrom(0), pageFrom(end - page), fill);
  for (auto _ : state) frameAt(end)();
  state.counters["top_us"] = t[0].best / 1e3;
  state.counters["end_us"] = t[1].best / 1e3;
  state.counters["page_top_us"] = t[2].best / 1e3;
  state.counters["page_end_us"] = t[3].best / 1e3;
  state.counters["fill_us"] = t[4].best / 1e3;
  state.counters["vs_fill"] = t[4].best / t[1].best;
  benchtime::ReportGoal(state, "end_frame", 1.5 * t[0].best / t[1].best, 1.0);
  benchtime::ReportSpread(state, t);

  DeleteMemDC(mem);
  DestroyMainWindow(main);
  MainWindowThreadCleanup(main);
  TerminateGUI(0);
}

}  // namespace

BENCHMARK(BM_ListViewFrameTopAndEndVsFill)->Iterations(20)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
