// The desktop on a started toolkit: what the host window shows of the
// desktop's background, before and after a window covered part of it.
#include <gtest/gtest.h>

#include "core/desktop/desktop.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "gui/gal.h"
#include "gui/host.h"
#include "gui/startup.h"

namespace desktest {
namespace {

constexpr int64_t kBackground = 0x203040;
constexpr int64_t kRed = 0xFF0000;

void PaintRed(int x, int y, int w, int h) {
  GalSurface* screen = GAL_GetVideoSurface();
  GalRect box{x, y, w, h};
  GAL_FillRect(screen, &box, GAL_MapRGB(screen->format, 0xFF, 0, 0), getCurOutputHook());
  GAL_UpdateRect(screen, x, y, w, h);
}

TEST(DesktopScreen, BackgroundShowsAndAHiddenWindowLeavesNoPixels) {
  SetAppCallbacks(nullptr);
  InitDesktop();  // as start-up sets the desktop up, before its thread runs
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  SendMessage(__gui_hwnd_desktop, kDesktopBackground, 0, 0);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 5, 5), kBackground);
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), kBackground);

  MainWinCreate create = MainWindowCreation({100, 100, 200, 200}, RecordingProc, "cover");
  WindowHandle hwnd = CreateMainWindow(&create);
  ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
  PaintRed(100, 100, 100, 100);  // what the window drew
  // A repaint of the whole desktop leaves the window's pixels alone.
  SendMessage(__gui_hwnd_desktop, kDesktopBackground, 0, 0);
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

}  // namespace
}  // namespace desktest
