// Helpers shared by window creation and destruction.
#pragma once

#include <vector>

#include "core/window/window_record.h"

// Frees a window's caption unless it is the shared empty one.
void FreeWindowCaption(WindowRecord* win);

// While one lives on a thread, the controls destroyed there leave their
// parents' lists at once but are forgotten by the desktop (which may still
// name one as under the pointer, pressed, capturing or holding the caret)
// in one request when the outermost ends; their records stay allocated
// until then. A page closing has hundreds of controls, and a round trip to
// the desktop each cost it frames.
class RemovalBatch {
 public:
  RemovalBatch();
  ~RemovalBatch();
  RemovalBatch(const RemovalBatch&) = delete;
  RemovalBatch& operator=(const RemovalBatch&) = delete;

  // A control out of its parent's list and torn down: retired once the
  // desktop has forgotten it.
  static void Add(ControlRecord* control);

 private:
  std::vector<ControlRecord*> removed_;
  bool outermost_;
};
