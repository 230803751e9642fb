// Pixel alignment of live-video areas, menu transparency levels and the
// drawing additions' argument checks.
#include <gtest/gtest.h>

#include <climits>

#include "core/control_support.h"
#include "core/window/window_record.h"
#include "gui/app_hooks.h"
#include "gui/livevideo.h"

namespace {

int CompositeOne(int output, int* type) {
  *type = output == 1 ? 0 : 1;
  return 0;
}

TEST(LiveVideo, AlignmentWidensToTheStepAndStaysOnTheScreen) {
  SetAppCallbacks(nullptr);
  const int vga = 3;  // 1024 x 768
  const struct {
    int x, y, w, h, step;
    int ok, ax, ay, aw, ah;
  } cases[] = {
      {13, 5, 10, 9, 8, 1, 8, 4, 16, 10},
      {-4, -3, 20, 20, 2, 1, 0, 0, 20, 20},
      {1020, 760, 40, 40, 8, 1, 1016, 760, 8, 8},
      {1100, 10, 40, 40, 8, 0, 1024, 10, 0, 40},
      {0, 0, 0, 5, 2, 0, 0, 0, 0, 6},
      // Sizes and places near the int limits clamp instead of wrapping.
      {8, 8, INT_MAX, INT_MAX, 8, 1, 8, 8, 1016, 760},
      {INT_MAX, INT_MAX, INT_MAX, 4, 3, 0, 1024, 768, 0, 0},
      {INT_MIN, 8, 16, INT_MIN, 8, 0, 0, 8, 16, 0},
      {7, 3, INT_MAX - 3, 5, 8, 1, 0, 2, 1024, 6},
  };
  for (const auto& c : cases) {
    int x = c.x, y = c.y, w = c.w, h = c.h;
    EXPECT_EQ(SetPixelAlign(vga, &x, &y, &w, &h, c.step), c.ok) << c.x;
    EXPECT_EQ(x, c.ax) << c.x;
    EXPECT_EQ(y, c.ay) << c.x;
    EXPECT_EQ(w, c.aw) << c.x;
    EXPECT_EQ(h, c.ah) << c.x;
  }
  Size size{};
  GuiAppCallbacks app{};
  app.getDisplayOutputType = CompositeOne;
  SetAppCallbacks(&app);
  EXPECT_EQ(GetScreenExtentEx(1, &size), &size);
  EXPECT_EQ(size.cx, 704);
  EXPECT_EQ(size.cy, 576);
  SetAppCallbacks(nullptr);
}

TEST(LiveVideo, MenuLevelReachesEverySlotOfBothDisplays) {
  RefreshMenuAlpha(0x105);
  for (int aux : {0, 1}) {
    LiveVideoTable t{};
    GetLiveVideoTable(aux, &t);
    EXPECT_EQ(t.refreshMark, 1);
    for (int i = 0; i < LIVE_VIDEO_SLOTS; ++i) EXPECT_EQ(t.mode[i], 5);
  }
  ClosePrevScrShow();  // no preview window: nothing to release
}

// The pairs SetCtrlBitmaps keeps come back by slot 1 to 3 and layer 0
// (foreground) or 1 (background); any other slot or layer, and any handle
// that is no live window, gives none.
TEST(LiveVideo, ControlBitmapsComeBackBySlotAndLayerOnly) {
  ControlRecord control;
  control.windowType = kWindowControl;
  const WindowHandle h = HandleOf(&control);
  Bitmap fore1{}, back1{}, fore3{};
  fore1.bmWidth = fore1.bmHeight = fore3.bmWidth = fore3.bmHeight = 4;
  back1.bmWidth = back1.bmHeight = 8;
  SetCtrlBitmaps(h, &fore1, &back1, 1);
  SetCtrlBitmaps(h, &fore3, nullptr, 3);
  const struct {
    int slot, layer;
    const Bitmap* want;
  } cases[] = {
      {1, 0, &fore1}, {1, 1, &back1},     {2, 0, nullptr},       {2, 1, nullptr},       {3, 0, &fore3},
      {3, 1, nullptr}, {0, 0, nullptr},   {4, 0, nullptr},       {-1, 1, nullptr},      {1, 2, nullptr},
      {1, -1, nullptr}, {INT_MIN, 0, nullptr}, {INT_MAX, 1, nullptr}, {1, INT_MIN, nullptr}, {3, INT_MAX, nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(GetCtrlBitmap(h, c.slot, c.layer), c.want) << c.slot << " " << c.layer;
  EXPECT_EQ(GetCtrlBitmap(0, 1, 0), nullptr);
  EXPECT_EQ(GetCtrlBitmap(GUI_INVALID_HANDLE, 1, 0), nullptr);
  control.dataType = kWindowDestroyed;
  EXPECT_EQ(GetCtrlBitmap(h, 1, 0), nullptr);
}

}  // namespace
