// The desktop on a started toolkit: what the host window shows of the
// desktop's background, before and after a window covered part of it.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/desktop.h"
#include "gui/element.h"
#include "gui/gal.h"
#include "gui/host.h"
#include "gui/startup.h"

namespace desktest {
namespace {

constexpr int64_t kBackground = 0x203040;
constexpr int64_t kRed = 0xFF0000;

// Through the screen DC, whose drawing bracket holds the display lock the
// host thread presents under.
void PaintRed(int x, int y, int w, int h) {
  SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, RGB2Pixel(HDC_SCREEN, 0xFF, 0, 0));
  FillBox(HDC_SCREEN, x, y, w, h);
}

TEST(DesktopScreen, BackgroundShowsAndAHiddenWindowLeavesNoPixels) {
  SetAppCallbacks(nullptr);
  InitDesktop();  // as start-up sets the desktop up, before its thread runs
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  SendMessage(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, 0);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 5, 5), kBackground);
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), kBackground);

  MainWinCreate create = MainWindowCreation({100, 100, 200, 200}, RecordingProc, "cover");
  WindowHandle hwnd = CreateMainWindow(&create);
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  PaintRed(100, 100, 100, 100);  // what the window drew
  // A repaint of the whole desktop leaves the window's pixels alone.
  SendMessage(__gui_hwnd_desktop, MSG_DT_BACKGROUND, 0, 0);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 150, 150), kRed);
  EXPECT_EQ(HostReadWindowPixel(0, 99, 150), kBackground);

  SendMessage(__gui_hwnd_desktop, MSG_DT_HIDEMAINWIN, hwnd, 0);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 150, 150), kBackground);
  EXPECT_EQ(HostReadWindowPixel(0, 199, 199), kBackground);

  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
  TerminateGUI(0);
}

LResult Framed(WindowHandle hwnd, int msg, WParam wParam, LParam lParam) {
  return DefaultMainWinProc(hwnd, msg, wParam, lParam);
}

// Reads and paints what the thread's windows were sent, through its first
// main window.
void Pump(WindowHandle first) {
  Message msg{};
  while (PeekMessage(&msg, first, 0, 0, TRUE)) DispatchMessage(&msg);
  HostFlush();
}

std::vector<int64_t> Shown(const Rect& r) {
  std::vector<int64_t> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(HostReadWindowPixel(0, x, y));
  return pixels;
}

// A hide repaints each window below only where it got some back: the
// screen then shows what a repaint of the whole screen shows, frames and
// captions of windows stacked in steps included.
TEST(DesktopScreen, WhatAHideUncoversShowsAsAWholeRepaintWould) {
  SetAppCallbacks(nullptr);
  InitDesktop();
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  const uint8_t shades[] = {0x40, 0x80, 0xC0, 0xF0};
  std::vector<WindowHandle> made;
  for (int i = 0; i < 5; ++i) {
    const Rect at = i < 4 ? Rect{40 + 9 * i, 30 + 7 * i, 300 + 9 * i, 230 + 7 * i} : Rect{60, 50, 330, 250};
    MainWinCreate create = MainWindowCreation(at, Framed, "step", WS_VISIBLE | WS_CAPTION | WS_BORDER);
    create.iBkColor = RGB2Pixel(HDC_SCREEN, shades[i % 4], 0x20, 0xFF - shades[i % 4]);
    made.push_back(CreateMainWindow(&create));
    ASSERT_NE(made.back(), GUI_INVALID_HANDLE);
  }
  Pump(made[0]);
  DestroyMainWindow(made[4]);
  MainWindowThreadCleanup(made[4]);
  Pump(made[0]);
  const Rect uncovered{60, 50, 330, 250};
  const std::vector<int64_t> afterHide = Shown(uncovered);
  SendMessage(__gui_hwnd_desktop, MSG_PAINT, 0, 0);  // everything
  Pump(made[0]);
  EXPECT_EQ(afterHide, Shown(uncovered));
  for (int i = 3; i >= 0; --i) {
    DestroyMainWindow(made[i]);
    MainWindowThreadCleanup(made[i]);
  }
  TerminateGUI(0);
}

// The move/resize frame shows on the screen (xor with the frame colour
// inverts the window under it) and goes again at the end, while another
// thread draws through the shared screen DC, whose raster operation and
// pen the frame leaves alone.
TEST(DesktopScreen, TrackingFrameShowsAndLeavesTheScreenDCAlone) {
  SetAppCallbacks(nullptr);
  InitDesktop();
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  MainWinCreate create = MainWindowCreation({100, 100, 300, 300}, RecordingProc, "dragged");
  WindowHandle hwnd = CreateMainWindow(&create);
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  PaintRed(0, 0, 400, 400);
  std::atomic<bool> stop{false};
  std::atomic<int> changed{0}, draws{0};
  const GalPixel pen = GetDCAttr(HDC_SCREEN, DC_ATTR_PEN_COLOR);
  std::thread drawer([&] {
    while (!stop.load()) {
      if (GetRasterOperation(HDC_SCREEN) != ROP_SET || GetDCAttr(HDC_SCREEN, DC_ATTR_PEN_COLOR) != pen) ++changed;
      SetPixel(HDC_SCREEN, 600, 600, pen);
      ++draws;
    }
  });
  while (draws.load() == 0) sched_yield();
  // Xor with the loaded frame colour (a 32-bit screen: pixel = RGB).
  const uint32_t framed = kRed ^ (WinElementColors[WEC_FRAME_WIN_HILITE] & 0xFFFFFF);
  ASSERT_NE(framed, kRed);
  auto frameShown = [framed](int x, int y) {
    HostFlush();
    // Dotted: one of the first three pixels of the top edge carries a dot.
    for (int i = 0; i < 3; ++i)
      if (HostReadWindowPixel(0, x + i, y) == framed) return true;
    return false;
  };
  DragInfo drag{33, 150, 150};
  ASSERT_EQ(SendMessage(__gui_hwnd_desktop, MSG_DT_STARTDRAGWIN, hwnd, reinterpret_cast<LParam>(&drag)), 0);
  EXPECT_TRUE(frameShown(100, 100));
  // Posted as the event thread posts it; a desktop request would end the
  // tracking, so an unknown message tells when the move was handled.
  PostMessage(__gui_hwnd_desktop, MSG_MOUSEMOVE, 0, PointParam(160, 170));  // the frame follows to (110, 120)
  AwaitDesktopRead();
  SendMessage(__gui_hwnd_desktop, 12345, 0, 0);
  EXPECT_TRUE(frameShown(110, 120));
  EXPECT_FALSE(frameShown(100, 100));  // the old one went
  Input(2, 0, PointParam(160, 170));  // ends it
  EXPECT_FALSE(frameShown(110, 120));
  stop = true;
  drawer.join();
  EXPECT_EQ(changed.load(), 0);
  DestroyMainWindow(hwnd);
  MainWindowThreadCleanup(hwnd);
  TerminateGUI(0);
}

}  // namespace
}  // namespace desktest
