// The desktop's stacking lists: one for topmost windows (shared by both
// displays) and one per display. Only the desktop thread changes them.
#pragma once

#include <cstdint>

#include "gui/common.h"

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
bool ListHolds(const ZOrderList& list, WindowHandle hwnd);
