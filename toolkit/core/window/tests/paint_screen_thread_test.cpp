// Painting on a started toolkit: the erase handler's fill and what a DC
// from BeginPaint can reach on the screen.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/desktop/desktop.h"
#include "core/desktop/tests/desktop_fixture.h"
#include "core/desktop/zorder.h"
#include "core/window/tests/main_window_creation.h"
#include "core/window/window_damage.h"
#include "gdi/dc_record.h"
#include "gui/app_hooks.h"
#include "gui/dc.h"
#include "gui/gal.h"
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

// What the host window is asked to show, each time, on which output; read
// and changed under the main display's lock, which drawing holds.
struct Shown {
  int output;
  GalRect rect;
};
std::vector<Shown> g_shown;
void (*g_passOn)(GalVideoDevice*, int, int, GalRect*) = nullptr;

void RecordShown(GalVideoDevice* device, int output, int count, GalRect* rects) {
  for (int i = 0; i < count; ++i) g_shown.push_back({output, rects[i]});
  g_passOn(device, output, count, rects);
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
  GalVideoDevice* device = GAL_GetVideoSurface()->video;
  {
    std::lock_guard<std::mutex> hold(gui::dc::MainGdiLock());
    g_shown.clear();
    g_passOn = device->UpdateOutputRects;
    ASSERT_NE(g_passOn, nullptr);
    device->UpdateOutputRects = RecordShown;
  }
  Rect damage{10, 10, 20, 20};
  InvalidateRect(hwnd, &damage, FALSE);
  desktest::Drain();
  {
    // A hundred pixels drawn one by one are shown at once, when the paint
    // ends: the bound of the damage, on the main output.
    std::lock_guard<std::mutex> hold(gui::dc::MainGdiLock());
    device->UpdateOutputRects = g_passOn;
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].output, getMainOutputHook());
    const GalRect& r = g_shown[0].rect;
    EXPECT_EQ((std::vector<int>{r.x, r.y, r.w, r.h}), (std::vector<int>{110, 110, 10, 10}));
  }
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

// Two outputs: the auxiliary one a 704 x 576 frame buffer beside the
// 1024 x 768 main one.
int TwoOutputs(uint8_t* count) {
  *count = 2;
  return 0;
}

// The auxiliary frame buffer's pixel, read under its lock.
GalPixel AuxPixel(int x, int y) {
  std::lock_guard<std::mutex> hold(gui::dc::AuxGdiLock());
  const GalSurface* screen = GAL_GetVideoSurface();
  const uint8_t* row = screen->auxPixels + static_cast<ptrdiff_t>(y) * screen->auxPitch;
  GalPixel pixel = 0;
  std::memcpy(&pixel, row + x * screen->format->bytesPerPixel, screen->format->bytesPerPixel);
  return pixel;
}

struct CrossOutputCase {
  const char* what;
  uint32_t exStyle;
  bool madeFromAux;  // the other output current while it is made
  Rect frame;
};

// Windows left to the default erase, made while the other output is
// current: whatever lands on the auxiliary display is erased within its
// smaller frame buffer (ASan saw the fill run past its end), and no span
// past its right edge wraps onto the next row.
TEST(PaintScreen, DefaultEraseStaysInsideTheFrameBufferOfTheWindowsOutput) {
  GuiAppCallbacks callbacks{};
  callbacks.getVideoOutputCount = TwoOutputs;
  SetAppCallbacks(&callbacks);
  const int mainOutput = getMainOutputHook(), auxOutput = getAuxOutputHook();
  setCurOutputHook(mainOutput);
  InitDesktop();
  ASSERT_EQ(InitGUI(0, nullptr), 0);
  const GalSurface* screen = GAL_GetVideoSurface();
  ASSERT_NE(screen->auxPixels, nullptr);
  ASSERT_LT(screen->auxW, 1024);
  ASSERT_LT(screen->auxH, 768);
  const int auxW = screen->auxW, auxH = screen->auxH;
  const GalPixel green = RGB2Pixel(HDC_SCREEN, 0, 0x80, 0);

  const CrossOutputCase cases[] = {
      {"main window on the auxiliary output", 0, true, {auxW - 100, auxH - 60, auxW + 200, auxH + 100}},
      {"preview window on the auxiliary output", WS_EX_PREVIEW, false, {0, 0, 400, 300}},
      {"preview window on the main output", WS_EX_PREVIEW, true, {0, 0, 400, 300}},
      {"main window on the main output", 0, false, {auxW - 100, auxH - 60, auxW + 200, auxH + 100}},
  };
  for (const CrossOutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    const GalPixel wrapped = AuxPixel(10, auxH - 59);  // where row auxH - 60 would spill
    setCurOutputHook(c.madeFromAux ? auxOutput : mainOutput);
    MainWinCreate create = MainWindowCreation(c.frame, DefaultMainWinProc, "", WS_VISIBLE, c.exStyle);
    create.iBkColor = green;
    WindowHandle hwnd = CreateMainWindow(&create);
    ASSERT_NE(hwnd, GUI_INVALID_HANDLE);
    desktest::Drain();
    const bool onAux = GetWindowDisplay(hwnd) == auxOutput;
    EXPECT_EQ(onAux, c.madeFromAux != (c.exStyle == WS_EX_PREVIEW));
    if (onAux) {
      EXPECT_EQ(AuxPixel(auxW - 1, auxH - 1), green);
      if (!c.exStyle) {
        EXPECT_EQ(AuxPixel(10, auxH - 59), wrapped);
      }
    }
    // Drawn again from its own thread with the other output current.
    setCurOutputHook(c.madeFromAux ? mainOutput : auxOutput);
    InvalidateRect(hwnd, nullptr, TRUE);
    desktest::Drain();
    setCurOutputHook(mainOutput);
    if (c.exStyle) {
      StackWriteLock hold;  // a preview window refuses destruction; the desktop reads the mark
      WindowOf(hwnd)->exStyle &= ~WS_EX_PREVIEW;
    }
    DestroyMainWindow(hwnd);
    MainWindowThreadCleanup(hwnd);
  }
  TerminateGUI(0);
  SetAppCallbacks(nullptr);
}

}  // namespace
