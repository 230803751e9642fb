// The event thread moves the cursor while other threads draw on the screen
// and hide and show it: the save-under must never put back stale pixels, so
// once the cursor is hidden the screen holds exactly what was drawn.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/cursor/tests/cursor_fixture.h"
#include "core/input/ial.h"

namespace {

std::atomic<int> g_x{0}, g_y{0};
void SetXY(int x, int y) { g_x = x, g_y = y; }
void GetXY(int* x, int* y) { *x = g_x.load(), *y = g_y.load(); }

TEST(CursorThreads, MovesDrawingAndShowCountsNeverLeaveCursorPixelsBehind) {
  CursorScreen cursors(64, 48);
  ASSERT_TRUE(cursors.ready());
  IalEngine engine{};
  engine.set_mouse_xy = SetXY;
  engine.get_mouse_xy = GetXY;
  UseIalEngineForTest(&engine);
  SetCursorEx(GetSystemCursor(0), FALSE);

  std::atomic<bool> stop{false};
  std::thread mover([&] {
    int x = 0, y = 0, buttons = 0;
    for (int i = 0; !stop; ++i) {
      g_x = (i * 7) % 64, g_y = (i * 5) % 48;
      UpdateCursorFromMouse(&x, &y, &buttons);
    }
  });
  std::thread toggler([&] {
    while (!stop) {
      ShowCursor(FALSE);
      ShowCursor(TRUE);
    }
  });
  // One drawer: the screen DC record is not shared between drawing threads.
  std::thread drawer([] {
    for (int round = 0; round < 30; ++round)
      for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 48; ++y) SetPixel(HDC_SCREEN, x, y, 0x10000u * x + 0x100u * round + y);
  });
  drawer.join();
  stop = true;
  mover.join();
  toggler.join();

  EXPECT_EQ(ShowCursor(FALSE), -1);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(cursors.screen().pixel(x, y) & 0xFFFFFF, 0x10000u * x + 0x100u * 29 + y) << x << "," << y;
  ShowCursor(TRUE);
  UseIalEngineForTest(nullptr);
}

}  // namespace
