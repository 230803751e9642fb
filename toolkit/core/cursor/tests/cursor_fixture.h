// A small 32-bit screen with the DC layer and the system cursors started on
// it, for tests that need real cursors without the whole toolkit.
#pragma once

#include <gtest/gtest.h>

#include "gdi/gal/tests/guarded_surface.h"
#include "gui/cursor.h"
#include "gui/dc.h"
#include "gui/gui_etc.h"

class CursorScreen {
 public:
  CursorScreen(int width = 64, int height = 48) : screen_(width, height, 32, 0xFF0000, 0xFF00, 0xFF) {
    InitGDI(screen_.get());
    InitEtcFilePath();
    ready_ = InitCursors() == 1;
  }
  ~CursorScreen() {
    TermCursors();
    TerminateGDI();
  }
  CursorScreen(const CursorScreen&) = delete;
  CursorScreen& operator=(const CursorScreen&) = delete;

  bool ready() const { return ready_; }
  GuardedSurface& screen() { return screen_; }

 private:
  GuardedSurface screen_;
  bool ready_ = false;
};
