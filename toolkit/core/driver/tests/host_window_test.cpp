#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

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

// A held first screen shows only once released: at once when a window has
// been painted, or with the next window painted whole (or a release now,
// when that window never comes). It appears with the whole frame drawn by
// then, never with an earlier one.
TEST_F(HostWindowTest, HeldFirstScreenShowsOnlyWhenReleased) {
  enum class Next { kNone, kPainted, kNeverCame };
  for (Next next : {Next::kNone, Next::kPainted, Next::kNeverCame}) {
    const host::GateRelease how = next == Next::kNone ? host::GateRelease::kNow : host::GateRelease::kWithNextWindow;
    ASSERT_EQ(InitGAL(), 0);
    GalSurface* screen = GAL_GetVideoSurface();
    host::HoldStartGate();
    putPixel(screen, 8, 8, 0x405060);
    GAL_UpdateRect(screen, 0, 0, 16, 16);
    host::OpenStartGate();  // the first window is painted
    HostFlush();
    EXPECT_FALSE(host::WindowShown(0));
    EXPECT_TRUE(host::FirstShownSamples(0).empty());
    putPixel(screen, 16, 8, 0x708090);  // the page over it
    GAL_UpdateRect(screen, 16, 8, 1, 1);
    host::ReleaseStartGate(how);
    HostFlush();
    EXPECT_EQ(host::WindowShown(0), how == host::GateRelease::kNow);
    if (next == Next::kPainted) host::OpenStartGate();  // the page is painted
    if (next == Next::kNeverCame) host::ReleaseStartGate(host::GateRelease::kNow);
    HostFlush();
    EXPECT_TRUE(host::WindowShown(0));
    const std::vector<uint32_t> shown = host::FirstShownSamples(0);
    const size_t perRow = (screen->w + host::kShownSampleStep - 1) / host::kShownSampleStep;
    ASSERT_EQ(shown.size(), perRow * ((screen->h + host::kShownSampleStep - 1) / host::kShownSampleStep));
    EXPECT_EQ(shown[perRow + 1], 0x405060u);
    EXPECT_EQ(shown[perRow + 2], 0x708090u);
    // Later releases and holds change nothing once it shows.
    host::HoldStartGate();
    host::ReleaseStartGate(host::GateRelease::kWithNextWindow);
    EXPECT_FALSE(host::StartGateClosed());
    GAL_VideoQuit();
  }
}

// The program holds and releases the gate through the public calls; a
// release it does not know leaves the gate as it was.
TEST_F(HostWindowTest, PublicStartGateCallsIgnoreForeignReleases) {
  ASSERT_EQ(InitGAL(), 0);
  GalSurface* screen = GAL_GetVideoSurface();
  HostHoldStartGate();
  host::OpenStartGate();  // the first window is painted
  for (int how : {-1, 2, INT_MIN, INT_MAX}) {
    HostReleaseStartGate(how);
    GAL_UpdateRect(screen, 0, 0, 8, 8);
    HostFlush();
    EXPECT_FALSE(host::WindowShown(0)) << how;
  }
  HostReleaseStartGate(HOST_GATE_RELEASE_WITH_NEXT_WINDOW);
  HostFlush();
  EXPECT_FALSE(host::WindowShown(0));
  HostReleaseStartGate(HOST_GATE_RELEASE_NOW);
  GAL_UpdateRect(screen, 0, 0, 8, 8);
  HostFlush();
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

// What a frame-buffer pixel shows as 0x00RRGGBB, worked out apart from the
// display's own conversion: each channel widened to 8 bits by repeating
// its top bits, an 8-bit pixel through the colour table.
uint32_t expectedRgb(const host::FrameBufferLayout& l, const uint8_t* frame, int x, int y, const GalColor* table) {
  const int bytes = (l.bitsPerPixel + 7) / 8;
  const uint8_t* p = frame + static_cast<size_t>(y) * l.pitch + static_cast<size_t>(x) * bytes;
  uint32_t pixel = 0;
  for (int i = 0; i < bytes; ++i) pixel |= uint32_t{p[i]} << (8 * i);
  if (l.bitsPerPixel == 8) return uint32_t{table[pixel].r} << 16 | uint32_t{table[pixel].g} << 8 | table[pixel].b;
  auto channel = [pixel](uint32_t mask) {
    int shift = 0, bits = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1u)) ++bits;
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    return ((v << (8 - bits)) | (v << (8 - bits) >> bits) | (v << (8 - bits) >> (2 * bits))) & 0xFF;
  };
  return channel(l.rMask) << 16 | channel(l.gMask) << 8 | channel(l.bMask);
}

// The one-pass conversion into the host window shows every depth right:
// only the changed area inside the destination is written, and taking it
// clears it.
TEST(HostDisplayImage, ConvertingIntoTheWindowShowsEveryDepth) {
  struct Case {
    host::FrameBufferLayout layout;
    int destW, destH;
  };
  const Case cases[] = {
      {{40, 30, 32, 160, 0xFF0000, 0xFF00, 0xFF}, 40, 30},  // packed 0RGB, the common one
      {{40, 30, 32, 176, 0xFF0000, 0xFF00, 0xFF}, 33, 21},  // padded rows, smaller window
      {{40, 30, 32, 160, 0xFF, 0xFF00, 0xFF0000}, 40, 30},  // blue first
      {{40, 30, 16, 80, 0xF800, 0x07E0, 0x001F}, 50, 40},   // larger window than frame
      {{40, 30, 24, 120, 0xFF0000, 0xFF00, 0xFF}, 40, 30},
      {{40, 30, 8, 40, 0, 0, 0}, 40, 30},
  };
  const GalRect dirty[] = {{0, 0, 40, 30}, {3, 5, 17, 1}, {39, 29, 1, 1}, {30, 18, 10, 12}, {0, 0, 1, 30}};
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.layout.bitsPerPixel << " bpp, pitch " << c.layout.pitch << ", window "
                                    << c.destW << "x" << c.destH);
    host::HostDisplay d;
    uint8_t* frame = d.setMode(c.layout);
    ASSERT_NE(frame, nullptr);
    GalColor colours[256];
    for (GalColor& colour : colours)
      colour = GalColor{static_cast<uint8_t>(next() >> 8), static_cast<uint8_t>(next() >> 8),
                        static_cast<uint8_t>(next() >> 8), 0};
    d.setColors(0, 256, colours);
    const size_t pitch = static_cast<size_t>(c.destW) * 4 + 12;
    std::vector<uint8_t> window(pitch * static_cast<size_t>(c.destH));
    for (const GalRect& r : dirty) {
      for (size_t i = 0; i < static_cast<size_t>(c.layout.pitch) * c.layout.height; ++i)
        frame[i] = static_cast<uint8_t>(next() >> 16);
      d.takeDirtyInto(window.data(), pitch, c.destW, c.destH);  // settles what setMode marked
      std::fill(window.begin(), window.end(), 0xA5);
      d.copyToWindow(1, &r);
      const GalRect got = d.takeDirtyInto(window.data(), pitch, c.destW, c.destH);
      for (int y = 0; y < c.destH; ++y)
        for (int x = 0; x < c.destW; ++x) {
          uint32_t shown;
          std::memcpy(&shown, window.data() + y * pitch + x * 4, 4);
          const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h && x < c.layout.width &&
                              y < c.layout.height;
          const uint32_t want = inside ? expectedRgb(c.layout, frame, x, y, colours) : 0xA5A5A5A5u;
          ASSERT_EQ(shown, want) << "at " << x << "," << y;
        }
      const int right = std::min({r.x + r.w, c.destW, c.layout.width});
      const int bottom = std::min({r.y + r.h, c.destH, c.layout.height});
      if (right <= r.x || bottom <= r.y) {
        EXPECT_EQ(got.w, 0);
      } else {
        EXPECT_EQ(got.x, r.x);
        EXPECT_EQ(got.y, r.y);
        EXPECT_EQ(got.w, right - r.x);
        EXPECT_EQ(got.h, bottom - r.y);
      }
      EXPECT_EQ(d.takeDirtyInto(window.data(), pitch, c.destW, c.destH).w, 0);
    }
  }
}

}  // namespace
