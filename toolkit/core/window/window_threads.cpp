#include "core/window/window_threads.h"

#include <mutex>
#include <vector>

#include "core/window/window_record.h"
#include "gui/window.h"

namespace {

constexpr size_t kMainWindowStack = 256 * 1024;

struct MadeThread {
  pthread_t thread;
  bool awaited;
};

std::mutex g_lock;
std::vector<MadeThread> g_made;

std::vector<MadeThread>::iterator Find(pthread_t thread) {
  for (auto it = g_made.begin(); it != g_made.end(); ++it)
    if (pthread_equal(it->thread, thread)) return it;
  return g_made.end();
}

// True when the thread was made here and nobody waits for it yet; it is
// then marked as awaited.
bool Claim(pthread_t thread) {
  std::lock_guard<std::mutex> hold(g_lock);
  auto it = Find(thread);
  if (it == g_made.end() || it->awaited) return false;
  it->awaited = true;
  return true;
}

void Drop(pthread_t thread) {
  std::lock_guard<std::mutex> hold(g_lock);
  auto it = Find(thread);
  if (it != g_made.end()) g_made.erase(it);
}

}  // namespace

void ForgetMainWindowThread(pthread_t thread) {
  std::lock_guard<std::mutex> hold(g_lock);
  auto it = Find(thread);
  if (it == g_made.end() || it->awaited) return;
  pthread_detach(thread);
  g_made.erase(it);
}

extern "C" {

int CreateThreadForMainWindow(pthread_t* thread, pthread_attr_t* attr, void* (*entry)(void*), void* arg) {
  if (!thread || !entry) return -1;
  if (attr) return pthread_create(thread, attr, entry, arg);
  pthread_attr_t own;
  pthread_attr_init(&own);
  pthread_attr_setstacksize(&own, kMainWindowStack);
  // Registered before the thread runs, so its window's clean-up finds it.
  std::lock_guard<std::mutex> hold(g_lock);
  int result = pthread_create(thread, &own, entry, arg);
  pthread_attr_destroy(&own);
  if (result == 0) g_made.push_back({*thread, false});
  return result;
}

int WaitMainWindowClose(WindowHandle hwnd, void** result) {
  MainWinRecord* win = ValidMainWindow(hwnd);
  if (!win) return -1;
  pthread_t thread = win->thread;
  if (!Claim(thread)) return -1;
  int joined = pthread_join(thread, result);
  Drop(thread);
  return joined;
}

}  // extern "C"
