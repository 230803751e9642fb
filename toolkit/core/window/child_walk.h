// Walking a window's controls from any thread. The child list is read under
// the stack lock into a snapshot; the work on each control runs after the
// lock is let go. A destroyed control is retired rather than freed, and
// freed only when no walk is in progress: a walk that took its snapshot
// before the control left the list may still be using it.
#pragma once

#include <vector>

#include "core/window/window_record.h"

// What a walk needs of a control, read under the stack lock.
struct ChildView {
  WindowRecord* record;
  Rect window;
  Rect client;
  uint32_t style;
  uint32_t exStyle;
  int id;
};

// Counts a walk in progress for as long as it lives; taken before the
// snapshot and kept until the last use of its records.
class ChildWalk {
 public:
  ChildWalk();
  ~ChildWalk();
  ChildWalk(const ChildWalk&) = delete;
  ChildWalk& operator=(const ChildWalk&) = delete;
  // The parent's controls in sibling order.
  std::vector<ChildView> Children(const WindowRecord* parent) const;
};

// Takes a control that has left its parent's list and been torn down;
// frees it (with its own clip information and node) once no walk runs.
void RetireControl(ControlRecord* control);
// Frees every retired control when no walk runs; answers how many remain.
size_t ReclaimRetiredControls();
