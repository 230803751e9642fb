// Painting on a started toolkit: the erase handler's fill and what a DC
// from BeginPaint can reach on the screen.
#include <gtest/gtest.h>

#include <atomic>

#include "core/desktop/desktop.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/window/tests/main_window_creation.h"
#include "gui/dc.h"
#include "gui/paint.h"
#include "gui/startup.h"

namespace {

std::atomic<bool> g_paintRed{false};
std::atomic<GalPixel> g_red{0};

// Paints every client pixel of the top-left 60 x 60 square red.
LResult SquarePainter(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  if (msg == MSG_PAINT && g_paintRed) {
    HDC hdc = BeginPaint(hwnd);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) SetPixel(hdc, x, y, g_red);
    EndPaint(hwnd, hdc);
    return 0;
  }
  return DefaultWindowProc(hwnd, msg, wParam, lParam);
}

TEST(PaintScreen, EraseFillsTheBackgroundAndPaintingStaysInsideTheDamage) {
  SetAppCallbacks(nullptr);
  InitDesktop();
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  const GalPixel green = RGB2Pixel(HDC_SCREEN, 0, 0x80, 0);
  g_red = RGB2Pixel(HDC_SCREEN, 0xFF, 0, 0);

  MainWinCreate create = MainWindowCreation({100, 100, 300, 300}, SquarePainter, "painted");
  create.iBkColor = green;
  WindowHandle hwnd = CreateMainWindow(&create);
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  desktest::Drain();
  EXPECT_EQ(GetPixel(HDC_SCREEN, 150, 150), green);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 299, 299), green);

  g_paintRed = true;
  Rect damage{10, 10, 20, 20};
  InvalidateRect(hwnd, &damage, FALSE);
  desktest::Drain();
  EXPECT_EQ(GetPixel(HDC_SCREEN, 110, 110), g_red.load());
  EXPECT_EQ(GetPixel(HDC_SCREEN, 119, 119), g_red.load());
  EXPECT_EQ(GetPixel(HDC_SCREEN, 120, 115), green);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 109, 115), green);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 150, 150), green);

  // With nothing invalid, BeginPaint's DC draws nothing at all.
  HDC hdc = BeginPaint(hwnd);
  SetPixel(hdc, 40, 40, g_red);
  EndPaint(hwnd, hdc);
  EXPECT_EQ(GetPixel(HDC_SCREEN, 140, 140), green);

  g_paintRed = false;
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
  TerminateGUI(0);
}

}  // namespace
