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

std::mutex g_registryLock;
std::array<std::vector<RegistryEntry>, kBuckets> g_buckets;

std::vector<RegistryEntry>& BucketOf(uintptr_t key) { return g_buckets[key % kBuckets]; }

void RegistryInsert(uintptr_t key, ThreadMsgInfo* value) {
  std::lock_guard<std::mutex> hold(g_registryLock);
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

ThreadMsgInfo* CurrentThreadMsgInfo() { return GetThreadMsgQueueRecord(ThreadKey(pthread_self())); }

extern "C" {

void InitQueueRegistry(void) { TermQueueRegistry(); }

void TermQueueRegistry(void) {
  std::lock_guard<std::mutex> hold(g_registryLock);
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
