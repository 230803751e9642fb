#include <gtest/gtest.h>

#include "core/driver/host_display.h"
#include "core/driver/host_thread.h"
#include "gui/gal.h"
#include "gui/host.h"

namespace {

struct HostWindowTest : ::testing::Test {
  void TearDown() override { GAL_VideoQuit(); }
};

void putPixel(GalSurface* s, int x, int y, uint32_t value) {
  *reinterpret_cast<uint32_t*>(s->pixels + y * s->pitch + x * 4) = value;
}

TEST_F(HostWindowTest, ShowsWhatWasDrawnAfterAnUpdate) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  putPixel(screen, 100, 50, 0x123456);
  putPixel(screen, 1023, 767, 0xABCDEF);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 100, 50), 0);  // not yet handed over
  GAL_UpdateRect(screen, 96, 48, 8, 4);
  EXPECT_EQ(HostReadWindowPixel(0, 100, 50), 0x123456);
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), 0);
  // A rectangle reaching past the screen is ignored; zero sizes mean all.
  GAL_UpdateRect(screen, 10, 0, screen->w, screen->h);
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), 0);
  GAL_UpdateRect(screen, 0, 0, 0, 0);
  EXPECT_EQ(HostReadWindowPixel(0, 1023, 767), 0xABCDEF);
  EXPECT_EQ(HostReadWindowPixel(0, 1024, 0), -1);
}

TEST_F(HostWindowTest, FillThroughTheLayerReachesTheWindow) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  GalRect r{10, 20, 30, 40};
  GAL_FillRect(screen, &r, SysPixelIndex[SYSPIXEL_RED], 3);
  GAL_UpdateRects(screen, 1, &r);
  HostFlush();
  EXPECT_EQ(HostReadWindowPixel(0, 10, 20), 0xFF0000);
  EXPECT_EQ(HostReadWindowPixel(0, 39, 59), 0xFF0000);
  EXPECT_EQ(HostReadWindowPixel(0, 40, 59), 0);
}

// The host window stays unshown until its first frame is presented, so the
// first thing seen is never an empty window; later modes keep it shown.
TEST_F(HostWindowTest, WindowAppearsWithItsFirstPresent) {
  ASSERT_EQ(InitGAL(), 0);
  EXPECT_FALSE(host::WindowShown(0));
  host::OpenStartGate();
  GalSurface* screen = GAL_GetVideoSurface();
  putPixel(screen, 5, 5, 0x102030);
  GAL_UpdateRect(screen, 0, 0, 8, 8);
  HostFlush();
  EXPECT_TRUE(host::WindowShown(0));
  EXPECT_EQ(HostReadWindowPixel(0, 5, 5), 0x102030);
  ASSERT_NE(GAL_SetVideoMode(800, 600, 32, 0), nullptr);
  EXPECT_TRUE(host::WindowShown(0));
}

// Closing the window asks for an orderly quit; the process and the window
// stay until the toolkit shuts the video down.
TEST_F(HostWindowTest, CloseDoesNotEndTheProcess) {
  ASSERT_EQ(InitGAL(), 0);
  HostInjectClose();
  int w = 0, h = 0;
  EXPECT_EQ(HostGetWindowSize(0, &w, &h), 1);
}

uint32_t shown(host::HostDisplay& d, int x, int y) {
  uint32_t value = 0xFFFFFFFF;
  d.takeDirty([&](const uint32_t* image, int width, GalRect) { value = image[y * width + x]; });
  return value;
}

TEST(HostDisplayImage, ConvertsEveryFrameBufferDepth) {
  host::HostDisplay d;
  host::FrameBufferLayout rgb565{4, 2, 16, 8, 0xF800, 0x07E0, 0x001F};
  uint8_t* fb = d.setMode(rgb565);
  ASSERT_NE(fb, nullptr);
  fb[2] = 0xFF;
  fb[3] = 0xFF;  // pixel 1 white
  GalRect all{0, 0, 4, 2};
  d.copyToWindow(1, &all);
  EXPECT_EQ(shown(d, 1, 0), 0xFFFFFFu);

  host::FrameBufferLayout indexed{4, 2, 8, 4, 0, 0, 0};
  fb = d.setMode(indexed);
  fb[5] = 3;
  GalColor teal{0, 128, 128, 0};
  d.setColors(3, 1, &teal);
  EXPECT_EQ(shown(d, 1, 1), 0x008080u);

  host::FrameBufferLayout rgb24{2, 1, 24, 8, 0xFF0000, 0xFF00, 0xFF};
  fb = d.setMode(rgb24);
  fb[3] = 0x33;
  fb[4] = 0x22;
  fb[5] = 0x11;
  d.copyToWindow(1, &all);
  EXPECT_EQ(shown(d, 1, 0), 0x112233u);

  host::FrameBufferLayout bad{4, 2, 12, 8, 0, 0, 0};
  EXPECT_EQ(d.setMode(bad), nullptr);
  // A refused mode keeps the frame buffer that the screen still draws into.
  EXPECT_TRUE(d.hasFrameBuffer());
  EXPECT_EQ(d.width(), 2);
  d.copyToWindow(1, &all);
  EXPECT_EQ(shown(d, 1, 0), 0x112233u);
  d.release();
  EXPECT_FALSE(d.hasFrameBuffer());
  d.copyToWindow(1, &all);  // no frame buffer: nothing to copy
}

}  // namespace
