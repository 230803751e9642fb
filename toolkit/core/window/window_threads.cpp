#include "core/window/window_threads.h"

#include <pthread.h>

#include <memory>
#include <mutex>
#include <vector>

#include "core/control_support.h"
#include "core/window/window_record.h"
#include "gui/window.h"

namespace {

constexpr size_t kMainWindowStack = 256 * 1024;

struct MadeThread {
  pthread_t thread;
  WindowHandle window;  // a key only: the record may be gone
  bool finished;
  bool claimed;
  bool windowEnded;  // cleaned up on this thread: the thread ends next
  bool tool;         // runs a registered tool window
};

struct Trampoline {
  void* (*entry)(void*);
  void* arg;
};

std::mutex g_lock;
std::vector<MadeThread> g_made;

MadeThread* FindThread(pthread_t thread) {
  for (MadeThread& made : g_made)
    if (pthread_equal(made.thread, thread)) return &made;
  return nullptr;
}

void* RunTrampoline(void* raw) {
  std::unique_ptr<Trampoline> start(static_cast<Trampoline*>(raw));
  void* result = start->entry(start->arg);
  std::lock_guard<std::mutex> hold(g_lock);
  if (MadeThread* made = FindThread(pthread_self())) made->finished = true;
  return result;
}

// Claims the made thread `matches` picks, joins it and forgets it; -1 when
// none is there to claim.
template <typename Match>
int JoinClaimed(Match matches, void** result) {
  pthread_t thread;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    MadeThread* found = nullptr;
    for (MadeThread& made : g_made)
      if (!made.claimed && matches(made)) found = &made;
    if (!found) return -1;
    found->claimed = true;
    thread = found->thread;
  }
  int joined = pthread_join(thread, result);
  std::lock_guard<std::mutex> hold(g_lock);
  for (auto it = g_made.begin(); it != g_made.end(); ++it) {
    if (pthread_equal(it->thread, thread)) {
      g_made.erase(it);
      break;
    }
  }
  return joined;
}

// Joins and forgets the unclaimed threads `ends` picks.
template <typename Ends>
void JoinEnding(Ends ends) {
  std::vector<pthread_t> done;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto it = g_made.begin(); it != g_made.end();) {
      if (!it->claimed && ends(*it)) {
        done.push_back(it->thread);
        it = g_made.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (pthread_t thread : done) pthread_join(thread, nullptr);
}

}  // namespace

bool JoinThreadWithoutWindow(pthread_t thread) {
  return JoinClaimed([thread](const MadeThread& made) { return made.window == 0 && pthread_equal(made.thread, thread); },
                     nullptr) == 0;
}

void ReapMainWindowThreads() {
  JoinEnding([](const MadeThread& made) { return made.finished; });
}

void JoinThreadsOfEndedWindows() {
  JoinEnding([](const MadeThread& made) { return made.finished || made.windowEnded; });
}

void NoteToolWindow(WindowHandle hwnd) {
  MainWinRecord* main = ValidMainWindow(hwnd);
  if (!main) return;
  std::lock_guard<std::mutex> hold(g_lock);
  if (MadeThread* made = FindThread(main->thread)) made->tool = true;
}

void JoinToolWindowThreads() {
  JoinEnding([](const MadeThread& made) { return made.tool; });
}

void NoteMainWindowOfThread(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(g_lock);
  MadeThread* made = FindThread(pthread_self());
  if (made && made->window == 0) made->window = hwnd;
}

void NoteMainWindowEnded(WindowHandle hwnd) {
  std::lock_guard<std::mutex> hold(g_lock);
  MadeThread* made = FindThread(pthread_self());
  if (made && made->window == hwnd) made->windowEnded = true;
}

size_t UnjoinedMainWindowThreads() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_made.size();
}

extern "C" {

int CreateThreadForMainWindow(pthread_t* thread, pthread_attr_t* attr, void* (*entry)(void*), void* arg) {
  if (!thread || !entry) return -1;
  if (attr) return pthread_create(thread, attr, entry, arg);
  ReapMainWindowThreads();
  std::unique_ptr<Trampoline> start(new (std::nothrow) Trampoline{entry, arg});
  if (!start) return -1;
  pthread_attr_t own;
  pthread_attr_init(&own);
  pthread_attr_setstacksize(&own, kMainWindowStack);
  // Registered before the thread runs, so that its first window finds it.
  std::lock_guard<std::mutex> hold(g_lock);
  int result = pthread_create(thread, &own, RunTrampoline, start.get());
  pthread_attr_destroy(&own);
  if (result != 0) return result;
  start.release();
  g_made.push_back({*thread, 0, false, false, false, false});
  return 0;
}

int WaitMainWindowClose(WindowHandle hwnd, void** result) {
  return JoinClaimed([hwnd](const MadeThread& made) { return hwnd != 0 && made.window == hwnd; }, result);
}

}  // extern "C"
