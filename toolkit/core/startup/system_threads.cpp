#include "core/startup/system_threads.h"

#include <pthread.h>

#include <atomic>

#include "core/desktop/desktop.h"
#include "core/message/msg_queue.h"
#include "core/input/event_thread.h"
#include "core/startup/thread_start.h"
#include "core/timer/timer_internal.h"
#include "gui/desktop.h"
#include "gui/startup.h"
#include "gui/timer.h"

namespace {

struct RunningThread {
  pthread_t thread{};
  bool running = false;
};

RunningThread g_desktopThread;
RunningThread g_idleThread;
std::atomic<bool> g_idleStop{false};
// Nothing posts it while the toolkit runs; shut-down does, to end the thread.
Semaphore g_idleWake;

void* ShortLivedThreadMain(void* arg) {
  RecordThreadProcessId(kShortLivedThread);
  static_cast<ThreadStart*>(arg)->Started();
  return nullptr;
}

void* IdleThreadMain(void* arg) {
  static_cast<ThreadStart*>(arg)->Started();
  while (!g_idleStop.load()) g_idleWake.Wait();
  return nullptr;
}

bool LaunchInto(RunningThread* slot, void* (*body)(void*), int id) {
  ThreadStart start;
  if (!start.Launch(&slot->thread, body, id)) return false;
  slot->running = true;
  return true;
}

// The threads begun after the desktop's and not yet waited for (the
// starter's thread only). They start side by side: under load a new thread
// may wait a while for a processor, and the waits then overlap instead of
// adding up, and with the starter's own work meanwhile.
struct Pending {
  bool timer = false, event = false, shortLived = false, idle = false;
  ThreadStart shortStart, idleStart;
  pthread_t shortThread{};
};
Pending g_pending;

// The desktop is asked to end; when windows remain it refuses, and is told
// to quit regardless so that nothing is left running.
void EndDesktopThread() {
  if (!g_desktopThread.running) return;
  if (SendMessage(__gui_hwnd_desktop, MSG_DT_END, 0, 0) == 0) PostQuitMessage(__gui_hwnd_desktop);
  // Shut down from the desktop's own procedure: it ends when it returns.
  if (pthread_equal(g_desktopThread.thread, pthread_self()))
    pthread_detach(g_desktopThread.thread);
  else
    pthread_join(g_desktopThread.thread, nullptr);
  g_desktopThread.running = false;
}

void EndIdleThread() {
  if (!g_idleThread.running) return;
  g_idleStop = true;
  g_idleWake.Post();
  pthread_join(g_idleThread.thread, nullptr);
  g_idleThread.running = false;
  g_idleStop = false;
}

}  // namespace

bool DesktopThreadRunning() { return g_desktopThread.running; }

bool BeginSystemThreads() {
  if (!InitDesktop()) return false;
  InitQueueRegistry();
  // The desktop first: the others post to its queue.
  if (LaunchInto(&g_desktopThread, DesktopMain, kDesktopThread)) {
    Pending& p = g_pending;
    p.timer = BeginTimerThread();
    p.event = BeginEventThread();
    p.shortLived = p.shortStart.Begin(&p.shortThread, ShortLivedThreadMain, kShortLivedThread);
    p.idle = p.idleStart.Begin(&g_idleThread.thread, IdleThreadMain, kIdleThread);
    if (p.timer && p.event && p.shortLived && p.idle) return true;
  }
  StopSystemThreads();
  return false;
}

bool FinishSystemThreads() {
  Pending& p = g_pending;
  bool ok = true;
  if (p.timer) ok = FinishTimerThread() && ok;
  if (p.event) ok = FinishEventThread() && ok;
  if (p.shortLived) {
    const bool ran = p.shortStart.Finish(p.shortThread);
    if (ran) pthread_join(p.shortThread, nullptr);
    ok = ran && ok;
  }
  if (p.idle) {
    g_idleThread.running = p.idleStart.Finish(g_idleThread.thread);
    ok = g_idleThread.running && ok;
  }
  p.timer = p.event = p.shortLived = p.idle = false;
  return ok;
}

void StopSystemThreads() {
  FinishSystemThreads();
  StopEventThread();
  StopTimerThread();
  EndDesktopThread();
  EndIdleThread();
}

extern "C" BOOL StartSystemThreads(void) {
  if (!BeginSystemThreads()) return FALSE;
  if (FinishSystemThreads()) return TRUE;
  StopSystemThreads();
  return FALSE;
}
