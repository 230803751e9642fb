// The desktop's stacking lists: one for topmost windows (shared by both
// displays) and one per display. Only the desktop thread changes them.
#pragma once

#include <cstdint>
#include <mutex>
#include <shared_mutex>

#include "gui/common.h"

struct WindowRecord;

struct ZOrderNode {
  WindowHandle hwnd = 0;
  ZOrderNode* next = nullptr;
};

struct ZOrderList {
  uint32_t count = 0;
  WindowHandle owner = 0;
  ZOrderNode* head = nullptr;
};

// The lock over the stacks: the lists, the hosted-window chains, the child
// lists of controls and the visible and disabled bits the walks test. The
// desktop thread holds it exclusively while it changes them; other threads
// hold it shared while they walk. It ranks last, after the clip-information,
// invalid-region and GDI locks: whoever holds it waits for no other lock
// (at most tries one) and sends no synchronous request.
std::shared_mutex& StackMutex();

// Shared on any thread but the desktop's, whose own reads need no lock.
class StackReadLock {
 public:
  StackReadLock();
  ~StackReadLock();
  StackReadLock(const StackReadLock&) = delete;
  StackReadLock& operator=(const StackReadLock&) = delete;

 private:
  bool held_;
};

// Around the change itself and nothing else: the desktop thread's changes
// of the lists and bits, and any thread's store of a window rectangle.
class StackWriteLock {
 public:
  StackWriteLock() : hold_(StackMutex()) {}

 private:
  std::lock_guard<std::shared_mutex> hold_;
};

ZOrderList& TopmostList();
ZOrderList& MainDisplayList();
ZOrderList& AuxDisplayList();
// The list of the display the menus run on, or null when the current output
// is neither the main nor the auxiliary one.
ZOrderList* CurrentDisplayList();
// The list of the display that is not current (null as above).
ZOrderList* OtherDisplayList();
bool ListHolds(const ZOrderList& list, WindowHandle hwnd);
// The list whose nodes hold the window, or null.
ZOrderList* ListHolding(WindowHandle hwnd);
void PushNode(ZOrderList& list, ZOrderNode* node);
bool UnlinkNode(ZOrderList& list, ZOrderNode* node);
// Unlinks the node and pushes it back as the list's head in one step, so
// that no walk sees the window missing.
void MoveNodeToHead(ZOrderList& list, ZOrderNode* node);
// FirstPreviewWindow for a caller that holds the stack lock already.
WindowHandle FindFirstPreviewWindow(int display);
// Empties the three lists and names the desktop their owner.
void ResetZOrderLists(WindowHandle owner);

// Calls fn(record) for every valid window of a list, head (top) first;
// fn answers false to stop.
template <typename Fn>
void ForEachInList(const ZOrderList& list, Fn fn);

WindowRecord* RecordOfNode(const ZOrderNode* node);

template <typename Fn>
void ForEachInList(const ZOrderList& list, Fn fn) {
  for (const ZOrderNode* node = list.head; node;) {
    const ZOrderNode* next = node->next;
    if (WindowRecord* win = RecordOfNode(node))
      if (!fn(win)) return;
    node = next;
  }
}
