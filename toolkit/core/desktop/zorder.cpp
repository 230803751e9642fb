#include "core/desktop/zorder.h"

#include <atomic>

#include "core/desktop/desktop.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"

namespace {
ZOrderList g_topmost, g_mainDisplay, g_auxDisplay;
std::atomic<bool> g_auxDisplayPresent{true};

void Push(ZOrderList& list, ZOrderNode* node) {
  node->next = list.head;
  list.head = node;
  ++list.count;
}

bool Unlink(ZOrderList& list, ZOrderNode* node) {
  for (ZOrderNode** link = &list.head; *link; link = &(*link)->next) {
    if (*link == node) {
      *link = node->next;
      node->next = nullptr;
      --list.count;
      return true;
    }
  }
  return false;
}
}  // namespace

std::shared_mutex& StackMutex() {
  static std::shared_mutex lock;
  return lock;
}

namespace {
thread_local int t_sharedHolds = 0;  // the lock taken shared by this thread
thread_local bool t_writing = false;  // this thread holds the lock whole
}  // namespace

StackReadLock::StackReadLock() : held_(!OnDesktopThread()) {
  if (!held_) return;
  if (t_sharedHolds++ == 0) StackMutex().lock_shared();
}

StackReadLock::~StackReadLock() {
  if (held_ && --t_sharedHolds == 0) StackMutex().unlock_shared();
}

GeometryReadLock::GeometryReadLock() : held_(!t_writing) {
  if (held_ && t_sharedHolds++ == 0) StackMutex().lock_shared();
}

GeometryReadLock::~GeometryReadLock() {
  if (held_ && --t_sharedHolds == 0) StackMutex().unlock_shared();
}

StackWriteLock::StackWriteLock() : hold_(StackMutex()) { t_writing = true; }

StackWriteLock::~StackWriteLock() { t_writing = false; }

void SetAuxDisplayPresent(bool present) { g_auxDisplayPresent.store(present); }
bool AuxDisplayPresent() { return g_auxDisplayPresent.load(); }

ZOrderList& TopmostList() { return g_topmost; }
ZOrderList& MainDisplayList() { return g_mainDisplay; }
ZOrderList& AuxDisplayList() { return g_auxDisplay; }

ZOrderList* CurrentDisplayList() {
  int current = getCurOutputHook();
  if (current == getMainOutputHook()) return &g_mainDisplay;
  if (current == getAuxOutputHook()) return &g_auxDisplay;
  return nullptr;
}

ZOrderList* OtherDisplayList() {
  ZOrderList* current = CurrentDisplayList();
  if (!current) return nullptr;
  // A device with one output has no other display: its live view is filed
  // with the display itself, under the menus, where input and repaints reach it.
  if (!g_auxDisplayPresent.load()) return current;
  return current == &g_mainDisplay ? &g_auxDisplay : &g_mainDisplay;
}

bool ListHolds(const ZOrderList& list, WindowHandle hwnd) {
  for (const ZOrderNode* node = list.head; node; node = node->next)
    if (node->hwnd == hwnd) return true;
  return false;
}

ZOrderList* ListHolding(WindowHandle hwnd) {
  for (ZOrderList* list : {&g_topmost, &g_mainDisplay, &g_auxDisplay})
    if (ListHolds(*list, hwnd)) return list;
  return nullptr;
}

void PushNode(ZOrderList& list, ZOrderNode* node) {
  StackWriteLock hold;
  Push(list, node);
}

bool UnlinkNode(ZOrderList& list, ZOrderNode* node) {
  StackWriteLock hold;
  return Unlink(list, node);
}

void MoveNodeToHead(ZOrderList& list, ZOrderNode* node) {
  StackWriteLock hold;
  if (Unlink(list, node)) Push(list, node);
}

void ResetZOrderLists(WindowHandle owner) {
  StackWriteLock hold;
  for (ZOrderList* list : {&g_topmost, &g_mainDisplay, &g_auxDisplay}) *list = ZOrderList{0, owner, nullptr};
}

WindowRecord* RecordOfNode(const ZOrderNode* node) { return ValidWindow(node->hwnd); }
