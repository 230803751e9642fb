// The desktop's stacking lists: one for topmost windows (shared by both
// displays) and one per display.
//
// The rule for the stacks and the window records, kept everywhere:
// - The stack lock guards the three lists, the hosted-window chains, the
//   child lists, every window and client rectangle and the popup-menu chain.
// - They change only with the lock held exclusively (StackWriteLock). The
//   lists, chains and the popup chain change only on the desktop thread;
//   a rectangle may change on the window's own thread.
// - The desktop thread reads the lists and chains without the lock; every
//   other thread reads them under StackReadLock. What window threads change
//   too (rectangles) every thread reads under GeometryReadLock, the
//   desktop's included. Readers take out what they need (a snapshot)
//   instead of walking or reading outside the lock.
// - The style and extended-style words are atomic (window_record.h): any
//   thread reads them without the lock (activation, hit tests, clipping).
//   Their bits still change inside a StackWriteLock, so that a reader that
//   holds the lock sees no bit change under it.
// - A record another thread may still hold is freed only at its clean-up:
//   a main window at MainWindowThreadCleanup, a control once no walk of
//   controls is in progress (core/window/child_walk.h).
// - Whoever holds the lock waits for no other lock and sends no
//   synchronous request; inside a StackWriteLock nothing reads a rectangle
//   through ScreenRectOf or GeometryOf (they take the lock shared).
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

// The lock of the rule above. It ranks last, after the clip-information,
// invalid-region and GDI locks: whoever holds it waits for no other lock
// (at most tries one).
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

// Shared on every thread, the desktop's included, for rectangles and style
// bits that window threads change too; a no-op inside a StackReadLock,
// which already holds the lock shared, and inside the thread's own
// StackWriteLock, which holds it whole.
class GeometryReadLock {
 public:
  GeometryReadLock();
  ~GeometryReadLock();
  GeometryReadLock(const GeometryReadLock&) = delete;
  GeometryReadLock& operator=(const GeometryReadLock&) = delete;

 private:
  bool held_;  // false inside this thread's own StackWriteLock
};

// Around the change itself and nothing else: the desktop thread's changes
// of the lists and bits, and any thread's store of a window rectangle.
class StackWriteLock {
 public:
  StackWriteLock();
  ~StackWriteLock();
  StackWriteLock(const StackWriteLock&) = delete;
  StackWriteLock& operator=(const StackWriteLock&) = delete;

 private:
  std::lock_guard<std::shared_mutex> hold_;
};

// Whether the device has an auxiliary output, noted at start-up: the stack
// queries run under the stack lock and may not ask the device.
void SetAuxDisplayPresent(bool present);
bool AuxDisplayPresent();

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
