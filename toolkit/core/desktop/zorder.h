// The desktop's stacking lists: one for topmost windows (shared by both
// displays) and one per display. Only the desktop thread changes them.
#pragma once

#include <cstdint>

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
