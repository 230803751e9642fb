// Which thread uses which queue: a small hash table keyed by thread id. The
// desktop thread is not entered; its record is the desktop's own.
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/message/msg_queue.h"

namespace {

struct RegistryEntry {
  uintptr_t key;
  ThreadMsgInfo* value;
};

constexpr size_t kBuckets = 64;

using Buckets = std::array<std::vector<RegistryEntry>, kBuckets>;
std::mutex g_registryLock;
// Never destroyed: a process that exits with toolkit threads still running
// (a tip's thread in its loop) has them look themselves up while the
// static destructors run.
Buckets& g_buckets = *new Buckets();
// Raised by every change of the table: a thread's remembered answer for
// itself holds while the age it was read at is still current.
std::atomic<uint64_t> g_registryAge{1};

struct RememberedInfo {
  uint64_t age = 0;
  ThreadMsgInfo* info = nullptr;
};
thread_local RememberedInfo t_own;

std::vector<RegistryEntry>& BucketOf(uintptr_t key) { return g_buckets[key % kBuckets]; }

// Raises the age when the change made under the registry lock is done.
struct AgeAfterChange {
  ~AgeAfterChange() { g_registryAge.fetch_add(1, std::memory_order_release); }
};

void RegistryInsert(uintptr_t key, ThreadMsgInfo* value) {
  std::lock_guard<std::mutex> hold(g_registryLock);
  AgeAfterChange aged;
  auto& chain = BucketOf(key);
  for (auto& entry : chain) {
    if (entry.key == key) {
      entry.value = value;
      return;
    }
  }
  chain.push_back({key, value});
}

ThreadMsgInfo* RegistryLookup(uintptr_t key) {
  std::lock_guard<std::mutex> hold(g_registryLock);
  for (const auto& entry : BucketOf(key))
    if (entry.key == key) return entry.value;
  return nullptr;
}

void RegistryRemove(uintptr_t key) {
  std::lock_guard<std::mutex> hold(g_registryLock);
  AgeAfterChange aged;
  auto& chain = BucketOf(key);
  for (auto it = chain.begin(); it != chain.end(); ++it) {
    if (it->key == key) {
      chain.erase(it);
      return;
    }
  }
}

std::array<std::atomic<uintptr_t>, 6> g_threadSlots;

}  // namespace

// The whole thread id is the key, so two threads never share an entry.
uintptr_t ThreadKey(pthread_t thread) { return static_cast<uintptr_t>(thread); }

// Every message call asks this, on both sides of every send: the answer is
// remembered, so that the GUI threads do not all take the table's lock
// each time. The desktop's record is asked for afresh (it is not in the
// table).
ThreadMsgInfo* CurrentThreadMsgInfo() {
  const pthread_t self = pthread_self();
  ThreadMsgInfo* desktop = DesktopThreadInfo();
  if (desktop && pthread_equal(desktop->thread, self)) return desktop;
  const uint64_t age = g_registryAge.load(std::memory_order_acquire);
  if (t_own.age != age) t_own = RememberedInfo{age, RegistryLookup(ThreadKey(self))};
  return t_own.info;
}

extern "C" {

void InitQueueRegistry(void) { TermQueueRegistry(); }

void TermQueueRegistry(void) {
  std::lock_guard<std::mutex> hold(g_registryLock);
  AgeAfterChange aged;
  for (auto& chain : g_buckets) chain.clear();
}

ThreadMsgInfo* GetThreadMsgQueueRecord(uintptr_t threadId) {
  ThreadMsgInfo* desktop = DesktopThreadInfo();
  if (desktop && ThreadKey(desktop->thread) == threadId) return desktop;
  return RegistryLookup(threadId);
}

ThreadMsgInfo* AllocThreadMsgQueue(void) {
  std::unique_ptr<ThreadMsgInfo> info(new (std::nothrow) ThreadMsgInfo);
  std::unique_ptr<MsgQueue> queue(new (std::nothrow) MsgQueue);
  if (!info || !queue || !InitMsgQueue(queue.get(), 0)) return nullptr;
  info->queue = queue.release();
  info->thread = pthread_self();
  RegistryInsert(ThreadKey(info->thread), info.get());
  return info.release();
}

void FreeThreadMsgQueue(ThreadMsgInfo* info) {
  if (!info) return;
  RegistryRemove(ThreadKey(info->thread));
  std::unique_ptr<MsgQueue> queue(info->queue);
  std::unique_ptr<ThreadMsgInfo> owned(info);
  DestroyMsgQueue(queue.get());
}

void RecordThreadProcessId(int slot) {
  if (slot >= 0 && slot < static_cast<int>(g_threadSlots.size()))
    g_threadSlots[slot].store(ThreadKey(pthread_self()), std::memory_order_relaxed);
}

}  // extern "C"
