// The desktop window's record, its thread and its set-up. Every message
// the thread reads first runs the idle bookkeeping, then the desktop
// procedure; a message sent from another thread gets its answer back.
#include <atomic>
#include <memory>

#include "core/desktop/clip_info.h"
#include "core/desktop/desktop.h"
#include "core/desktop/desktop_state.h"
#include "core/desktop/idle.h"
#include "core/desktop/zorder.h"
#include "core/message/msg_queue.h"
#include "core/startup/thread_start.h"
#include "core/timer/timer_internal.h"
#include "core/window/window_threads.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/gal.h"

namespace {

char g_desktopCaption[] = "THE DESKTOP WINDOW";

MainWinRecord g_desktop;
std::atomic<ThreadMsgInfo*> g_desktopInfo{nullptr};
DesktopState g_state;
std::atomic<int> g_powerKeyDown{0};
std::atomic<DesktopClock> g_clock{nullptr};

// The desktop's own record: never entered in the queue registry.
ThreadMsgInfo* MakeDesktopQueue() {
  std::unique_ptr<ThreadMsgInfo> info(new (std::nothrow) ThreadMsgInfo);
  std::unique_ptr<MsgQueue> queue(new (std::nothrow) MsgQueue);
  if (!info || !queue || !InitMsgQueue(queue.get(), 0)) return nullptr;
  info->queue = queue.release();
  info->thread = pthread_self();
  info->mainWindow = &g_desktop;
  return info.release();
}

void FreeDesktopQueue(ThreadMsgInfo* info) {
  std::unique_ptr<MsgQueue> queue(info->queue);
  std::unique_ptr<ThreadMsgInfo> owned(info);
  DestroyMsgQueue(queue.get());
}

void FillDesktopRecord(ThreadMsgInfo* info) {
  g_desktop.dataType = kWindowValid;
  g_desktop.windowType = kWindowDesktop;
  g_desktop.caption = g_desktopCaption;
  g_desktop.procedure = DesktopWinProc;
  g_desktop.mainWindow = &g_desktop;
  g_desktop.clipInfo = &DesktopClip();
  g_desktop.window = g_desktop.client = ScreenRect();
  g_desktop.queue = info->queue;
  g_desktop.thread = info->thread;
  g_desktop.threadInfo = info;
  InstallClipInfoOps();
}

// Screen size from the video surface; the design grid without one.
Rect MeasureScreen() {
  GalSurface* screen = GAL_GetVideoSurface();
  if (screen && screen->w > 0 && screen->h > 0) return Rect{0, 0, screen->w, screen->h};
  return Rect{0, 0, 1024, 768};
}

long SystemSeconds() { return static_cast<long>(time(nullptr)); }

}  // namespace

WindowHandle __gui_hwnd_desktop = reinterpret_cast<WindowHandle>(&g_desktop);

DesktopState& Desk() { return g_state; }
std::atomic<int>& PowerKeyDownFlag() { return g_powerKeyDown; }

void SetDesktopClockForTest(DesktopClock clock) { g_clock = clock; }
bool DesktopClockIsFake() { return g_clock.load() != nullptr; }
long DesktopNow() {
  DesktopClock clock = g_clock.load();
  return clock ? clock() : SystemSeconds();
}

MainWinRecord* DesktopRecord() { return g_desktopInfo.load() ? &g_desktop : nullptr; }
ThreadMsgInfo* DesktopThreadInfo() { return g_desktopInfo.load(); }

bool OnDesktopThread() {
  ThreadMsgInfo* info = g_desktopInfo.load();
  return info && pthread_equal(info->thread, pthread_self());
}

bool BecomeDesktopThread() {
  ThreadMsgInfo* info = MakeDesktopQueue();
  if (!info) return false;
  FillDesktopRecord(info);
  g_desktopInfo = info;
  return true;
}

void LeaveDesktopThread() {
  ThreadMsgInfo* info = g_desktopInfo.exchange(nullptr);
  if (!info) return;
  g_desktop.queue = nullptr;
  FreeDesktopQueue(info);
}

extern "C" {

int InitDesktop(void) {
  if (!InitMainWinMetrics()) return 0;
  ResetZOrderLists(__gui_hwnd_desktop);
  WindowClipHeap();
  InvalidRegionHeap();
  SetScreenRect(MeasureScreen());
  ResetClip(&DesktopClip(), ScreenRect());
  g_state = DesktopState{};
  g_powerKeyDown = 0;
  InstallClipInfoOps();
  return 1;
}

void TerminateDesktop(void) {
  ReapMainWindowThreads();
  std::lock_guard<std::mutex> hold(DesktopClip().lock);
  EmptyClipRgn(&DesktopClip().region);
}

void SetPowerKeyDownFlag(int flag) { g_powerKeyDown = flag; }
int GetPowerKeyDownFlag(void) { return g_powerKeyDown; }

void* DesktopMain(void* arg) {
  auto* start = static_cast<ThreadStart*>(arg);
  RecordThreadProcessId(kDesktopThread);
  if (!BecomeDesktopThread()) {
    start->Failed();
    return nullptr;
  }
  SendMessage(__gui_hwnd_desktop, MSG_DT_INIT, 0, 0);
  PostMessage(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, 0);
  start->Started();
  StartIdleBookkeeping();
  PublishTickNeeds();

  Message msg;
  while (GetMessage(&msg, __gui_hwnd_desktop)) {
    RunIdleChecks();
    LResult result = DesktopWinProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    AnswerSent(msg.pAdd, result);
    PublishTickNeeds();
  }
  SetDesktopTickNeeds(false, kNoIdleCheck);
  LeaveDesktopThread();
  return nullptr;
}

}  // extern "C"
