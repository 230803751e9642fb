// The settings pages as a user meets them, on the X server (`make bench`
// starts one): each sub-menu runs modally, and a click given to the host
// (the input the tests use) on an item of its column goes through the real
// handler, which closes the open page and opens the item's. The clock runs
// from the click to the last pixel the host presented through its pacer,
// and the pictures shown on the way are counted. Each item is clicked in
// rounds (another item's page open before each), in turn with a
// full-screen fill of a memory DC; the medians count. Counters per page
// (and for the placeholder page):
//   <page>_us        median time from the click to the page complete on
//                    the screen
//   <page>_spread    the range of the rounds over their median
//   <page>_pictures  median number of pictures shown from the click on
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
#include <functional>
#include <string>
#include <thread>

#include "app/app_callbacks.h"
#include "app/app_registry.h"
#include "app/core/menus/submenu.h"
#include "app/device_ability.h"
#include "app/page_registry.h"
#include "app/program_pages.h"
#include "app/system/wizard/wizard.h"
#include "bench_recorder.h"
#include "bench_timing.h"
#include "core/driver/host_thread.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/host.h"
#include "gui/paint.h"
#include "gui/startup.h"
#include "gui/window.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kFrameNs = 1e9 / 60;
constexpr int kRounds = 7;
// A page that keeps posting would never let the queue run dry, so one read
// stops after this many messages, and a switch is waited for this long.
constexpr int kMostMessages = 100000;
constexpr int kMostWaitMs = 5000;
using Clock = std::chrono::steady_clock;

// Reads and dispatches until the queue is empty (paints included), as a
// program's message loop would: left unread, notices fill the ring (a later
// post is dropped) and every window destroyed walks them all.
void Settle(WindowHandle hwnd) {
  Message msg;
  for (int n = 0; n < kMostMessages && PeekMessage(&msg, hwnd, 0, 0, TRUE); ++n) DispatchMessage(&msg);
}

// Reads this thread's messages until `done` holds and the host has shown
// all that was drawn; false after kMostWaitMs.
template <typename Done>
bool SettleUntil(WindowHandle hwnd, Done done) {
  const auto giveUp = Clock::now() + std::chrono::milliseconds(kMostWaitMs);
  while (Clock::now() < giveUp) {
    Settle(hwnd);
    if (done() && host::HeldPresents() == 0 && !host::PresentPending()) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return false;
}

void PointAtItem(WindowHandle dlg, int id) {
  Rect r{};
  GetWindowRect(GetDlgItem(dlg, id), &r);
  int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  ClientToScreen(dlg, &x, &y);
  HostInjectMouseMove(x, y);
  SettleUntil(dlg, [x, y] {
    Point at{};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
  });
}

bool Shown(WindowHandle hwnd) { return hwnd != GUI_INVALID_HANDLE && IsValidHandle(hwnd) && IsWindow(hwnd); }

// A click on item `id` of the menu: the time from the click to the host's
// last present and the pictures shown since; a negative time when the open
// page did not change.
struct Switched {
  double ns = -1;
  double pictures = 0;
};
Switched ClickItem(WindowHandle dlg, const menus::SubMenuFamily& f, int id) {
  const WindowHandle open = f.getPageWnd();
  PointAtItem(dlg, id);
  const uint64_t presents = host::PresentsMade();
  const auto start = Clock::now();
  HostInjectMouseButton(HOST_BUTTON_LEFT, 1);
  HostInjectMouseButton(HOST_BUTTON_LEFT, 0);
  const bool switched = SettleUntil(dlg, [&] { return Shown(f.getPageWnd()) && f.getPageWnd() != open; });
  Switched out;
  if (!switched) return out;
  out.ns = std::chrono::duration<double, std::nano>(host::LastPresentTime() - start).count();
  out.pictures = static_cast<double>(host::PresentsMade() - presents);
  return out;
}

bool Offered(WindowHandle dlg, const menus::SubMenuFamily& f, int i) {
  return f.items[i].opens && Shown(GetDlgItem(dlg, f.firstId + i));
}

// Item `i` clicked from another item's page: the chosen item is disabled,
// so `other` is chosen first whenever `i` is.
template <typename Fill>
bool MeasureItem(WindowHandle dlg, const menus::SubMenuFamily& f, int i, int other, Fill fill,
                 benchtime::Timing* page, benchtime::Timing* pictures, benchtime::Timing* filled) {
  for (int round = 0; round < kRounds; ++round) {
    if (!IsWindowEnabled(GetDlgItem(dlg, f.firstId + i)) && ClickItem(dlg, f, f.firstId + other).ns < 0) return false;
    const Switched s = ClickItem(dlg, f, f.firstId + i);
    if (s.ns < 0) return false;
    page->Add(s.ns);
    pictures->Add(s.pictures);
    filled->Add(benchtime::NsPerOp(fill));
  }
  return true;
}

// Every item of the open menu `dlg` with its own page (and the placeholder
// once).
template <typename Fill>
bool MeasureMenu(benchmark::State& state, WindowHandle dlg, const menus::SubMenuFamily& f, bool* placeholderDone,
                 Fill fill) {
  for (int i = 0; i < f.count; ++i) {
    const bool registered = findPage(f.registryMenu, f.items[i].key) != nullptr;
    const bool placeholder = !registered && !*placeholderDone;
    if (!(registered || placeholder) || !Offered(dlg, f, i)) continue;
    int other = -1;
    for (int j = 0; j < f.count && other < 0; ++j)
      if (j != i && Offered(dlg, f, j)) other = j;
    if (other < 0) continue;
    *placeholderDone = *placeholderDone || placeholder;
    benchtime::Timing page, pictures, filled;
    if (!MeasureItem(dlg, f, i, other, fill, &page, &pictures, &filled)) return false;
    const std::string name = placeholder ? "placeholder" : f.items[i].key;
    state.counters[name + "_us"] = page.Median() / 1e3;
    state.counters[name + "_spread"] = page.Spread();
    state.counters[name + "_pictures"] = pictures.Median();
    state.counters["fill_us"] = filled.Median() / 1e3;
    benchtime::ReportGoal(state, name, kFrameNs / page.Median(), 1.0);
  }
  return true;
}

// The sub-menus run modally: a message posted before one opens measures it
// from inside its loop and closes it.
constexpr int kMeasureMenu = 0x9202;
std::function<void(WindowHandle)> g_inMenu;
LResult MenuStepsProc(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg != kMeasureMenu) return DefaultMainWinProc(hwnd, msg, wParam, lParam);
  const WindowHandle menu = GetFirstHosted(hwnd);
  if (Shown(menu) && g_inMenu) g_inMenu(menu);
  SendMessage(__gui_hwnd_desktop, MSG_DT_CLOSEALLWINS, 0, 0);
  return 0;
}

template <typename Fill>
void MeasurePages(benchmark::State& state, WindowHandle steps, Fill fill) {
  bool placeholderDone = false, measured = true;
  for (auto which : {menus::SubMenu::kManual, menus::SubMenu::kRecord, menus::SubMenu::kSystem,
                     menus::SubMenu::kMaintenance, menus::SubMenu::kStorage, menus::SubMenu::kCamera}) {
    const menus::SubMenuFamily& f = menus::subMenuFamily(which);
    g_inMenu = [&](WindowHandle menu) {
      SettleUntil(menu, [&] { return Shown(f.getPageWnd()); });
      measured = MeasureMenu(state, menu, f, &placeholderDone, fill) && measured;
    };
    PostMessage(steps, kMeasureMenu, 0, 0);
    menus::runSubMenu(f, steps);
    g_inMenu = nullptr;
    if (!measured) {
      state.SkipWithError("a click did not switch the page");
      return;
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
  // What the user sees is what the X server shows: its driver, not SDL's
  // dummy one, whenever there is a display.
  const char* display = std::getenv("DISPLAY");
  if (display && display[0]) ::setenv("SDL_VIDEODRIVER", "x11", 1);
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
  const WindowHandle background = CreateMainWindow(&create);  // where the live view lies
  HDC mem = CreateCompatibleDCEx(HDC_SCREEN, kWidth, kHeight);
  auto fill = [&] {
    SetDCAttr(mem, DC_ATTR_BRUSH_COLOR, 0x202020);
    FillBox(mem, 0, 0, kWidth, kHeight);
  };
  create.MainWindowProc = CloserProc;
  create.rx = 4;
  create.by = 4;
  const WindowHandle closer = CreateMainWindow(&create);
  create.MainWindowProc = MenuStepsProc;
  const WindowHandle steps = CreateMainWindow(&create);
  // The window shows before the first click: its mapping brings the X
  // server's own pointer position, which would move the clicks' pointer.
  host::OpenStartGate();
  SettleUntil(steps, [] { return host::WindowShown(host::kMainSlot); });
  for (auto _ : state) {
    MeasurePages(state, steps, fill);
    MeasureWizardPages(state, closer, fill);
  }
  DestroyMainWindow(steps);
  MainWindowThreadCleanup(steps);
  DestroyMainWindow(closer);
  MainWindowThreadCleanup(closer);
  DeleteMemDC(mem);
  DestroyMainWindow(background);
  MainWindowThreadCleanup(background);
  TerminateGUI(0);
}
BENCHMARK(BM_PagesFirstPaintVsFill)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
