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

// The threads after the desktop's start side by side: under load a new
// thread may wait a while for a processor, and the waits then overlap
// instead of adding up. Every thread begun is waited for, so that a
// failure leaves none unaccounted for.
bool StartThreadsBesideDesktop() {
  ThreadStart shortLived, idle;
  pthread_t shortThread{};
  const bool timerBegun = BeginTimerThread();
  const bool eventBegun = BeginEventThread();
  const bool shortBegun = shortLived.Begin(&shortThread, ShortLivedThreadMain, kShortLivedThread);
  const bool idleBegun = idle.Begin(&g_idleThread.thread, IdleThreadMain, kIdleThread);
  const bool timer = timerBegun && FinishTimerThread();
  const bool event = eventBegun && FinishEventThread();
  const bool shortRan = shortBegun && shortLived.Finish(shortThread);
  if (shortRan) pthread_join(shortThread, nullptr);
  g_idleThread.running = idleBegun && idle.Finish(g_idleThread.thread);
  return timer && event && shortRan && g_idleThread.running;
}

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

void StopSystemThreads() {
  StopEventThread();
  StopTimerThread();
  EndDesktopThread();
  EndIdleThread();
}

extern "C" BOOL StartSystemThreads(void) {
  if (!InitDesktop()) return FALSE;
  InitQueueRegistry();
  // The desktop first: the others post to its queue.
  if (LaunchInto(&g_desktopThread, DesktopMain, kDesktopThread) && StartThreadsBesideDesktop()) return TRUE;
  StopSystemThreads();
  return FALSE;
}
