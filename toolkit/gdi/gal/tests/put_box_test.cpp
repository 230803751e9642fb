// Putting bitmap boxes into surfaces: clipping against the box's own size,
// colour keys, the alpha puts and the YUV layouts.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gdi/gal/tests/guarded_surface.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/gal.h"

namespace {

// A box whose pixels end exactly at its last byte, so a read past its width
// or height faults under the address sanitizer.
struct Box {
  std::vector<uint8_t> bits;
  Bitmap bmp{};
  Box(int w, int h, int bpp) : bits(static_cast<size_t>(w) * h * bpp) {
    bmp.bmBytesPerPixel = static_cast<uint8_t>(bpp);
    bmp.bmBitsPerPixel = static_cast<uint8_t>(bpp * 8);
    bmp.bmWidth = static_cast<uint32_t>(w);
    bmp.bmHeight = static_cast<uint32_t>(h);
    bmp.bmPitch = static_cast<uint32_t>(w * bpp);
    bmp.bmBits = bits.data();
  }
  void set(int x, int y, uint32_t v) {
    std::memcpy(bits.data() + (y * bmp.bmWidth + x) * bmp.bmBytesPerPixel, &v, bmp.bmBytesPerPixel);
  }
};

int Main() { return getMainOutputHook(); }

TEST(PutBox, ClippedOnTheLeftAndTopReadsOnlyTheBox) {
  GuardedSurface s(12, 8, 32, 0xFF0000, 0xFF00, 0xFF);
  Box box(4, 3, 4);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) box.set(x, y, 0x100 * y + x + 1);
  GalRect clip{5, 4, 7, 4};
  GAL_SetClipRect(s.get(), &clip);
  // A rectangle larger than the box, starting 3 columns and 2 rows before
  // the clip: only box column 3 of row 2 lands.
  GalRect at{2, 2, 10, 6};
  EXPECT_EQ(GAL_PutBox(s.get(), &at, &box.bmp, Main()), 0);
  EXPECT_EQ(s.pixel(5, 4), 0x204u);
  EXPECT_EQ(s.pixel(6, 4), 0u);
  EXPECT_EQ(s.pixel(5, 5), 0u);
  EXPECT_EQ(s.pixel(4, 4), 0u);

  GalRect outside{0, 0, 3, 3};
  EXPECT_EQ(GAL_PutBox(s.get(), &outside, &box.bmp, Main()), 0);
  box.bmp.bmBytesPerPixel = 2;
  GalRect inside{5, 5, 4, 3};
  EXPECT_EQ(GAL_PutBox(s.get(), &inside, &box.bmp, Main()), 0);
  EXPECT_EQ(s.pixel(5, 5), 0u) << "another pixel size draws nothing";
  EXPECT_TRUE(s.paddingIntact());
}

TEST(PutBox, ColourKeyLeavesKeyPixelsAtEveryPixelSize) {
  for (int bpp = 1; bpp <= 4; ++bpp) {
    GuardedSurface s(5, 2, bpp * 8);
    for (int x = 0; x < 5; ++x) s.setPixel(x, 0, 0x99);
    Box box(5, 1, bpp);
    for (int x = 0; x < 5; ++x) box.set(x, 0, x % 2 ? 0x42 : 0x77);
    box.bmp.bmType = BMP_TYPE_COLORKEY;
    box.bmp.bmColorKey = 0x42;
    GalRect at{0, 0, 5, 1};
    ASSERT_EQ(GAL_PutBox(s.get(), &at, &box.bmp, Main()), 0);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(s.pixel(x, 0), x % 2 ? 0x99u : 0x77u) << bpp << " bytes";
  }
}

TEST(PutBox, AlphaPutsBlendWithTheirOwnAlphaSources) {
  GuardedSurface white(2, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  white.setPixel(0, 0, 0x00FFFFFF);
  white.setPixel(1, 0, 0x00FFFFFF);
  Box black(2, 1, 4);
  black.bmp.bmType = BMP_TYPE_ALPHACHANNEL;
  black.bmp.bmAlpha = 128;
  GalRect at{0, 0, 2, 1};
  ASSERT_EQ(GAL_PutBox(white.get(), &at, &black.bmp, Main()), 0);
  EXPECT_EQ(white.pixel(0, 0), 0x807F7F7Fu) << "255 - 128 per channel, the box's alpha";

  // Per-pixel alpha from a 4-4-4-4 box onto 5-6-5: alpha 8 blends as 136,
  // alpha 0 leaves the pixel, and a pixel equal to the key in its colour
  // bits is skipped whatever its alpha.
  GalPixelFormat* argb4444 = GAL_AllocFormat(16, 0x0F00, 0x00F0, 0x000F, 0xF000);
  GuardedSurface s(3, 1, 16, 0xF800, 0x07E0, 0x001F);
  for (int x = 0; x < 3; ++x) s.setPixel(x, 0, 0xFFFF);
  Box box(3, 1, 2);
  box.set(0, 0, 0x8000);
  box.set(1, 0, 0x0000);
  box.set(2, 0, 0xF123);
  box.bmp.bmType = BMP_TYPE_ALPHA | BMP_TYPE_COLORKEY;
  box.bmp.bmColorKey = 0x0123;
  box.bmp.bmAlphaPixelFormat = argb4444;
  GalRect row{0, 0, 3, 1};
  ASSERT_EQ(GAL_PutBox(s.get(), &row, &box.bmp, Main()), 0);
  const int c = 255 - 255 * 136 / 255;  // 119
  EXPECT_EQ(s.pixel(0, 0), static_cast<uint32_t>((c >> 3) << 11 | (c >> 2) << 5 | c >> 3));
  EXPECT_EQ(s.pixel(1, 0), 0xFFFFu);
  EXPECT_EQ(s.pixel(2, 0), 0xFFFFu);

  GuardedSurface indexed(3, 1, 8);
  box.bmp.bmBytesPerPixel = 1;
  EXPECT_EQ(GAL_PutBox(indexed.get(), &row, &box.bmp, Main()), -1);
  GAL_FreeFormat(argb4444);
}

int g_depthCode = 17;
int DepthCode(uint8_t* code) {
  *code = static_cast<uint8_t>(g_depthCode);
  return 0;
}

struct YuvPut : ::testing::Test {
  void SetUp() override {
    GuiAppCallbacks cb{};
    cb.getColorDepthCode = DepthCode;
    SetAppCallbacks(&cb);
  }
  void TearDown() override { SetAppCallbacks(nullptr); }
};

// A 5 x 5 box in both YUV layouts, clipped by 3 columns on the left: luma
// comes from the even column before the corner, the last odd row and
// column carry no chroma, and with a key, zero bytes are transparent.
TEST_F(YuvPut, LumaFromTheEvenCornerAndChromaOnPairedRows) {
  for (int mode : {17, 16}) {
    g_depthCode = mode;
    std::vector<uint8_t> yuv(25 + 8);
    for (int i = 0; i < 25; ++i) yuv[i] = static_cast<uint8_t>(10 + i);
    for (int i = 0; i < 8; ++i) yuv[25 + i] = static_cast<uint8_t>(100 + i);
    yuv[25 + 1] = 0;
    Box box(5, 5, 4);
    box.bmp.bmYPlane = yuv.data();
    box.bmp.bmUPlane = yuv.data() + 25;
    box.bmp.bmVPlane = yuv.data() + 29;
    box.bmp.bmType = BMP_TYPE_COLORKEY;
    GuardedSurface s(8, 8, 32, 0xFF0000, 0xFF00, 0xFF);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) s.setPixel(x, y, 0xEEEEEEEE);
    GalRect clip{3, 0, 5, 8};
    GAL_SetClipRect(s.get(), &clip);
    GalRect at{0, 0, 5, 5};
    ASSERT_EQ(GAL_PutBox(s.get(), &at, &box.bmp, Main()), 0);
    const uint8_t* fb = s.row(0);
    EXPECT_EQ(fb[3], 12) << "box column 2";
    EXPECT_EQ(fb[4], 13);
    EXPECT_EQ(fb[5], 0xEE) << "two columns only";
    EXPECT_EQ(fb[8 + 3], 17);
    const uint8_t* chroma = fb + 64;
    if (mode == 17) {
      // Pair of box chroma column 1 (U 102, V 103) at the pair of column 3.
      EXPECT_EQ(chroma[2], 102);
      EXPECT_EQ(chroma[3], 103);
      EXPECT_EQ(chroma[4], 0xEE) << "w = 2: one pair";
      EXPECT_EQ(chroma[8 + 2], 106) << "row 2";
      EXPECT_EQ(chroma[16 + 2], 0xEE) << "row 4 is the last row";
    } else {
      // Planar: U 101 (zeroed: kept) and V 105 at sample column 1.
      EXPECT_EQ(chroma[1], 0xEE) << "a zero chroma byte is transparent";
      EXPECT_EQ(fb[80 + 1], 105);
    }
  }
}

}  // namespace
