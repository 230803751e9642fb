#include "core/desktop/zorder.h"

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

bool ListHolds(const ZOrderList& list, WindowHandle hwnd) {
  for (const ZOrderNode* node = list.head; node; node = node->next)
    if (node->hwnd == hwnd) return true;
  return false;
}
