// A list view of 10,000 rows: one frame painted at the top and at the end
// of the list, and a page down with its repaint at both places, beside a
// plain memory-DC fill of the same area, measured in turn in the same run.
// Goal: the end-of-list frame within 1.5 times the top one, reported as
//   goal_end_frame = 1.5 x top frame / end frame (1 or more meets it).
// Counters: *_us per frame; vs_fill = fill time / frame time.
//
// Growth: the same list filled to 1,000, 10,000 and 100,000 rows, then
// sorted and scrolled to its end (the first frame after the sort, then the
// frames after it), a row near its end selected, and 1,000 rows more
// appended while it repaints; 5 rounds of every size in turn, with the
// baseline sort, and the medians count (spread_*: the range of the rounds
// over their median). Goals (1 or more meets each):
//   goal_fill_growth = 2 x (last 1,000 rows at 1k) / (last 1,000 rows at 100k)
//   goal_redraw_fill_growth, the same for rows appended while repainting
//   goal_sort = 2 x std::stable_sort of the same 100k texts / the list sort
//   goal_scroll_growth = 2 x (end frame at 1k) / (end frame at 100k)
//   goal_first_frame_growth, the same for the first frame after the sort
// Counters: choose_us_* for selecting one of the last two rows in turn.
// A cost that grows with the rows already there fails them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
// What the large list may cost over the small one (or the list sort over
// the plain one).
constexpr double kGrowthGoal = 2;

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

std::string RowText(int column, int i) {
  switch (column) {
    case 0: return "2026-12-07 09:" + std::to_string(i % 60);
    case 1: return "D" + std::to_string(i % 16 + 1);
    // Out of order, so that the sort has work to do.
    default: return "Motion detected on row " + std::to_string((i * 7919) % 100003);
  }
}

WindowHandle MakeList(WindowHandle main) {
  WindowHandle lv = CreateWindowEx("ListView", "", WS_VISIBLE | LVS_STRIPED, 0, 1, 10, 10, kWidth, kHeight, main, 0);
  const char* heads[] = {"Event", "Channel", "Time"};
  for (const char* h : heads) {
    ListViewColumnInfo c{-1, 150, const_cast<char*>(h), 0, 0, nullptr, 0};
    SendMessage(lv, LVM_ADDCOLUMN, 0, reinterpret_cast<LParam>(&c));
  }
  return lv;
}

void AppendRows(WindowHandle lv, int from, int to) {
  for (int i = from; i < to; ++i) {
    ListViewItemInfo info{i, 0, 0, 0};
    const LParam row = SendMessage(lv, LVM_ADDITEM, 0, reinterpret_cast<LParam>(&info));
    // Column 0 carries the out-of-order text the sort orders by.
    const std::string texts[] = {RowText(2, i), RowText(1, i), RowText(0, i)};
    for (int c = 0; c < 3; ++c) {
      ListViewSubItemInfo s{};
      s.column = c;
      s.text = const_cast<char*>(texts[c].c_str());
      SendMessage(lv, LVM_SETSUBITEM, static_cast<WParam>(row), reinterpret_cast<LParam>(&s));
    }
  }
}

WindowHandle Fill(WindowHandle main) {
  WindowHandle lv = MakeList(main);
  SendMessage(lv, LVM_STOPREDRAW, 0, 0);
  AppendRows(lv, 0, kRows);
  SendMessage(lv, LVM_STARTREDRAW, 0, 0);
  return lv;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool StartToolkit(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  EnterProgramFolder();
  SetAppCallbacks(nullptr);
  if (InitGUI(0, nullptr) == 0) return true;
  state.SkipWithError("the toolkit did not start");
  return false;
}

WindowHandle BenchMainWindow() {
  MainWinCreate create{};
  create.dwStyle = WS_VISIBLE;
  create.spCaption = "bench";
  create.MainWindowProc = Plain;
  create.lx = 0;
  create.ty = 0;
  create.rx = kWidth + 20;
  create.by = kHeight + 20;
  return CreateMainWindow(&create);
}

void EndToolkit(WindowHandle main) {
  DestroyMainWindow(main);
  MainWindowThreadCleanup(main);
  TerminateGUI(0);
}

struct Growth {
  double last1000 = 0, sort = 0, firstFrame = 0, endFrame = 0, choose = 0, redraw1000 = 0;
};

// One list of `rows` rows: the time of its last 1,000 appends, of a sort by
// the first column and of a frame at the end.
Growth MeasureRows(WindowHandle main, int rows) {
  Growth g;
  WindowHandle lv = MakeList(main);
  SendMessage(lv, LVM_STOPREDRAW, 0, 0);
  AppendRows(lv, 0, rows - 1000);
  auto start = std::chrono::steady_clock::now();
  AppendRows(lv, rows - 1000, rows);
  g.last1000 = Seconds(start);
  SendMessage(lv, LVM_STARTREDRAW, 0, 0);
  UpdateWindow(lv, TRUE);
  start = std::chrono::steady_clock::now();
  SendMessage(lv, LVM_SORTITEMS, 0, 0);
  g.sort = Seconds(start);
  const int end = static_cast<int>(SendMessage(lv, SVM_GETCONTHEIGHT, 0, 0) - SendMessage(lv, SVM_GETVISIBLEHEIGHT, 0, 0));
  auto frame = [&] {
    SendMessage(lv, SVM_SETCONTPOS, static_cast<WParam>(-1), end);
    UpdateWindow(lv, TRUE);
  };
  // The first frame after the sort draws the rows in view, as the frames
  // after it do.
  start = std::chrono::steady_clock::now();
  frame();
  g.firstFrame = Seconds(start);
  g.endFrame = 1e-9 * benchtime::NsPerOp(frame, 5e6);
  int pick = 0;
  auto select = [&] { SendMessage(lv, LVM_SELECTITEM, static_cast<WParam>(rows - 1 - (pick ^= 1)), 0); };
  // The first row place asked for after the sort adds up the heights before
  // it once (a walk over the list, as the sort's own); later ones do not.
  select();
  g.choose = 1e-9 * benchtime::NsPerOp(select, 5e6);
  start = std::chrono::steady_clock::now();
  AppendRows(lv, rows, rows + 1000);
  g.redraw1000 = Seconds(start);
  DestroyWindow(lv);
  return g;
}

// std::stable_sort of the same texts, compared as the list compares them.
double StableSortSeconds(int rows) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(rows));
  for (int i = 0; i < rows; ++i) texts.push_back(RowText(2, i));
  std::vector<const char*> order;
  for (const std::string& t : texts) order.push_back(t.c_str());
  const auto start = std::chrono::steady_clock::now();
  std::stable_sort(order.begin(), order.end(), [](const char* a, const char* b) {
    const size_t la = std::strlen(a), lb = std::strlen(b);
    return std::strncmp(a, b, la > lb ? la : lb) < 0;
  });
  return Seconds(start);
}

void BM_ListViewGrowth(benchmark::State& state) {
  if (!StartToolkit(state)) return;
  WindowHandle main = BenchMainWindow();
  constexpr int kSizes = 3, kRounds = 5;
  const int sizes[kSizes] = {1000, 10000, 100000};
  const char* names[kSizes] = {"1k", "10k", "100k"};
  // The rounds of each measure at each size, and of the baseline sort.
  struct Rounds {
    benchtime::Timing last1000, sort, firstFrame, endFrame, choose, redraw1000;
  } at[kSizes];
  benchtime::Timing baseline;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      for (int i = 0; i < kSizes; ++i) {
        const Growth g = MeasureRows(main, sizes[i]);
        at[i].last1000.Add(g.last1000);
        at[i].sort.Add(g.sort);
        at[i].firstFrame.Add(g.firstFrame);
        at[i].endFrame.Add(g.endFrame);
        at[i].choose.Add(g.choose);
        at[i].redraw1000.Add(g.redraw1000);
      }
      baseline.Add(StableSortSeconds(sizes[kSizes - 1]));
    }
  }
  auto report = [&](const std::string& name, double scale, benchtime::Timing Rounds::*measure) {
    for (int i = 0; i < kSizes; ++i) {
      state.counters[name + names[i]] = (at[i].*measure).Median() * scale;
      state.counters[name + "spread_" + names[i]] = (at[i].*measure).Spread();
    }
  };
  report("last1000_ms_", 1e3, &Rounds::last1000);
  report("sort_ms_", 1e3, &Rounds::sort);
  report("end_frame_us_", 1e6, &Rounds::endFrame);
  report("first_frame_us_", 1e6, &Rounds::firstFrame);
  report("choose_us_", 1e6, &Rounds::choose);
  report("redraw1000_ms_", 1e3, &Rounds::redraw1000);
  state.counters["stable_sort_ms_100k"] = baseline.Median() * 1e3;
  state.counters["stable_sort_spread_100k"] = baseline.Spread();
  const Rounds& small = at[0];
  const Rounds& large = at[kSizes - 1];
  auto growth = [](const benchtime::Timing& one, const benchtime::Timing& other) {
    return kGrowthGoal * one.Median() / other.Median();
  };
  benchtime::ReportGoal(state, "fill_growth", growth(small.last1000, large.last1000), 1.0);
  benchtime::ReportGoal(state, "sort", growth(baseline, large.sort), 1.0);
  benchtime::ReportGoal(state, "scroll_growth", growth(small.endFrame, large.endFrame), 1.0);
  benchtime::ReportGoal(state, "first_frame_growth", growth(small.firstFrame, large.firstFrame), 1.0);
  benchtime::ReportGoal(state, "redraw_fill_growth", growth(small.redraw1000, large.redraw1000), 1.0);
  EndToolkit(main);
}

void BM_ListViewFrameTopAndEndVsFill(benchmark::State& state) {
  if (!StartToolkit(state)) return;
  WindowHandle main = BenchMainWindow();
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
  state.counters["top_us"] = t[0].Median() / 1e3;
  state.counters["end_us"] = t[1].Median() / 1e3;
  state.counters["page_top_us"] = t[2].Median() / 1e3;
  state.counters["page_end_us"] = t[3].Median() / 1e3;
  state.counters["fill_us"] = t[4].Median() / 1e3;
  state.counters["vs_fill"] = t[4].Median() / t[1].Median();
  benchtime::ReportGoal(state, "end_frame", 1.5 * t[0].Median() / t[1].Median(), 1.0);
  benchtime::ReportSpread(state, t);

  DeleteMemDC(mem);
  EndToolkit(main);
}

}  // namespace

BENCHMARK(BM_ListViewFrameTopAndEndVsFill)->Iterations(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListViewGrowth)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
