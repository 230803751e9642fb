#include "core/startup/gui_locks.h"

#include <array>

namespace {
std::array<pthread_mutex_t, kGuiLockCount> g_locks;
bool g_created = false;
}  // namespace

pthread_mutex_t* GuiLockOf(GuiLock which) { return &g_locks[which]; }

bool CreateGuiLocks() {
  for (auto& lock : g_locks) pthread_mutex_init(&lock, nullptr);
  g_created = true;
  return true;
}

void DestroyGuiLocks() {
  if (!g_created) return;
  for (auto& lock : g_locks) pthread_mutex_destroy(&lock);
  g_created = false;
}

bool GuiLocksCreated() { return g_created; }
