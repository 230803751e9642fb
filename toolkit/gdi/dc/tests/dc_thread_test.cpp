#include <thread>
#include <vector>

#include "gdi/dc/tests/dc_fixture.h"

namespace {

using dctest::FakeMainWindow;

class DrawingThreads : public dctest::ScreenTest {};
INSTANTIATE_TEST_SUITE_P(Depths, DrawingThreads, testing::Values(2, 4), dctest::DepthName);

// One thread's drawing: xor figures over the shared area, so the result
// does not depend on the order in which the threads get the display lock.
void DrawFigures(WindowHandle window, int seed) {
  HDC hdc = GetClientDC(window);
  ASSERT_NE(hdc, HDC_INVALID);
  SetRasterOperation(hdc, ROP_XOR);
  gui::dc::DcFromHandle(hdc)->penColor = 0x01010101u << (seed % 8);
  gui::dc::DcFromHandle(hdc)->brushColor = 0x10101010u >> (seed % 4);
  for (int round = 0; round < 30; ++round) {
    const int a = (seed * 7 + round * 5) % 50, b = (seed * 3 + round * 11) % 40;
    MoveTo(hdc, a, b);
    LineTo(hdc, 60 - b, a % 45);
    Rectangle(hdc, a / 2, b / 2, a / 2 + 9, b / 2 + 6);
    const Point triangle[] = {{a, b}, {a + 12, b + 3}, {a + 4, b + 10}, {a, b}};
    FillPolygon(hdc, triangle, 4);
    SetPixel(hdc, b, a % 45, 0x0F);
  }
  ReleaseDC(hdc);
}

TEST_P(DrawingThreads, ConcurrentDrawingEqualsSerialDrawing) {
  FakeMainWindow main({0, 0, kWidth, kHeight}, {0, 0, kWidth, kHeight});
  const std::vector<Rect> visible = {{0, 0, 40, 30}, {44, 0, 64, 48}, {0, 34, 40, 48}};
  main.clip.Set(visible);
  constexpr int kThreads = 6;
  for (int seed = 0; seed < kThreads; ++seed) DrawFigures(main.handle(), seed);
  const dctest::Picture serial = Shot();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);

  std::vector<std::thread> threads;
  for (int seed = 0; seed < kThreads; ++seed)
    threads.emplace_back(DrawFigures, main.handle(), seed);
  // The desktop changes the clip information meanwhile (same rectangles,
  // new age): every DC rebuilds its region under the window's mutex.
  for (int i = 0; i < 20; ++i) main.clip.Set(visible);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(Shot(), serial);
}

}  // namespace
