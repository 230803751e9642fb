#include "core/desktop/zorder.h"

#include "core/window/window_record.h"
#include "gui/app_hooks.h"

namespace {
ZOrderList g_topmost, g_mainDisplay, g_auxDisplay;
}

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
  node->next = list.head;
  list.head = node;
  ++list.count;
}

bool UnlinkNode(ZOrderList& list, ZOrderNode* node) {
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

void ResetZOrderLists(WindowHandle owner) {
  for (ZOrderList* list : {&g_topmost, &g_mainDisplay, &g_auxDisplay}) *list = ZOrderList{0, owner, nullptr};
}

WindowRecord* RecordOfNode(const ZOrderNode* node) { return ValidWindow(node->hwnd); }
