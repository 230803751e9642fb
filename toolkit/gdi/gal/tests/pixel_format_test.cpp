#include <gtest/gtest.h>

#include <memory>

#include "gui/gal.h"

namespace {

struct FormatDeleter {
  void operator()(GalPixelFormat* f) const { GAL_FreeFormat(f); }
};
using FormatPtr = std::unique_ptr<GalPixelFormat, FormatDeleter>;

FormatPtr makeFormat(int bpp, uint32_t r = 0, uint32_t g = 0, uint32_t b = 0, uint32_t a = 0) {
  return FormatPtr(GAL_AllocFormat(bpp, r, g, b, a));
}

TEST(PixelFormat, DefaultMasksFollowTheDepth) {
  struct Case {
    int bpp;
    uint32_t r, g, b;
  } cases[] = {{12, 0xF00, 0x0F0, 0x00F},
               {15, 0x7C00, 0x03E0, 0x001F},
               {16, 0xF800, 0x07E0, 0x001F},
               {24, 0xFF0000, 0xFF00, 0xFF},
               {32, 0xFF0000, 0xFF00, 0xFF}};
  for (const Case& c : cases) {
    FormatPtr f = makeFormat(c.bpp);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->rMask, c.r) << c.bpp;
    EXPECT_EQ(f->gMask, c.g) << c.bpp;
    EXPECT_EQ(f->bMask, c.b) << c.bpp;
    EXPECT_EQ(f->palette, nullptr);
    EXPECT_EQ(f->alpha, 255);
    EXPECT_EQ(f->bytesPerPixel, (c.bpp + 7) / 8);
  }
}

TEST(PixelFormat, ExplicitMasksGiveShiftsAndLosses) {
  FormatPtr f = makeFormat(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  EXPECT_EQ(f->rShift, 16);
  EXPECT_EQ(f->gShift, 8);
  EXPECT_EQ(f->bShift, 0);
  EXPECT_EQ(f->aShift, 24);
  EXPECT_EQ(f->rLoss + f->gLoss + f->bLoss + f->aLoss, 0);
  FormatPtr rgb565 = makeFormat(16, 0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(rgb565->rLoss, 3);
  EXPECT_EQ(rgb565->gLoss, 2);
  EXPECT_EQ(rgb565->aLoss, 8);
  EXPECT_EQ(rgb565->aShift, 0);
}

TEST(PixelFormat, PaletteDepthsGetTheirPalettes) {
  FormatPtr mono = makeFormat(1);
  ASSERT_TRUE(mono->palette);
  ASSERT_EQ(mono->palette->ncolors, 2);
  EXPECT_EQ(mono->palette->colors[0].r, 255);
  EXPECT_EQ(mono->palette->colors[1].g, 0);
  EXPECT_EQ(makeFormat(4)->palette->ncolors, 16);
  FormatPtr indexed = makeFormat(8);
  ASSERT_EQ(indexed->palette->ncolors, 256);
  EXPECT_EQ(indexed->rLoss, 8);
  EXPECT_EQ(indexed->rMask, 0u);
}

// Every channel value a format can hold reads back and maps to itself, and
// every 8-bit colour reads back as its truncated value widened again.
TEST(PixelFormat, TrueColourRoundTripsAtEveryDepth) {
  for (int bpp : {15, 16, 24, 32}) {
    FormatPtr f = makeFormat(bpp);
    for (int v = 0; v < 256; ++v) {
      auto c = static_cast<uint8_t>(v);
      GalPixel p = GAL_MapRGB(f.get(), c, c, c);
      uint8_t r, g, b;
      GAL_GetRGB(p, f.get(), &r, &g, &b);
      EXPECT_EQ(GAL_MapRGB(f.get(), r, g, b), p) << bpp << " " << v;
      int kept = v >> f->rLoss;
      int widened = ((kept << f->rLoss) + (kept >> (8 - f->rLoss))) & 0xFF;
      EXPECT_EQ(r, widened) << bpp << " " << v;
      EXPECT_EQ(g, (((v >> f->gLoss) << f->gLoss) + ((v >> f->gLoss) >> (8 - f->gLoss))) & 0xFF);
    }
  }
}

TEST(PixelFormat, WhiteOn565ReadsBackWidenedByTheLoss) {
  FormatPtr f = makeFormat(16, 0xF800, 0x07E0, 0x001F);
  GalPixel white = GAL_MapRGB(f.get(), 255, 255, 255);
  EXPECT_EQ(white, 0xFFFFu);
  uint8_t r, g, b, a;
  GAL_GetRGBA(white, f.get(), &r, &g, &b, &a);
  EXPECT_EQ(r, 248);
  EXPECT_EQ(g, 252);
  EXPECT_EQ(b, 248);
  EXPECT_EQ(a, 255);
  GAL_GetRGB(30u << 11 | 62u << 5 | 1u, f.get(), &r, &g, &b);
  EXPECT_EQ(r, 240);
  EXPECT_EQ(g, 248);
  EXPECT_EQ(b, 8);
}

TEST(PixelFormat, AlphaChannelMapsAndReadsBack) {
  FormatPtr f = makeFormat(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  EXPECT_EQ(GAL_MapRGB(f.get(), 1, 2, 3), 0xFF010203u);
  EXPECT_EQ(GAL_MapRGBA(f.get(), 1, 2, 3, 0x40), 0x40010203u);
  uint8_t r, g, b, a;
  GAL_GetRGBA(0x80102030u, f.get(), &r, &g, &b, &a);
  EXPECT_EQ(a, 0x80);
  EXPECT_EQ(r, 0x10);
  FormatPtr opaque = makeFormat(32);
  EXPECT_EQ(GAL_MapRGBA(opaque.get(), 1, 2, 3, 0x40), 0x010203u);
  GAL_GetRGBA(0x010203u, opaque.get(), &r, &g, &b, &a);
  EXPECT_EQ(a, 255);
}

TEST(PixelFormat, PaletteMappingSearchesUnlessGenerated) {
  FormatPtr f = makeFormat(8);
  MakeRGB332Palette(f->palette->colors, 8);
  f->isGeneratedPalette = 1;
  EXPECT_EQ(GAL_MapRGB(f.get(), 255, 255, 255), 255u);
  EXPECT_EQ(GAL_MapRGB(f.get(), 0xE0, 0, 0), 0xE0u);
  EXPECT_EQ(GAL_MapRGB(f.get(), 0, 0, 0xC0), 3u);
  // A changed palette is searched: white now lives at entry 7.
  f->isGeneratedPalette = 0;
  f->palette->colors[7] = GalColor{255, 255, 255, 0};
  f->palette->colors[255] = GalColor{250, 250, 250, 0};
  EXPECT_EQ(GAL_MapRGB(f.get(), 255, 255, 255), 7u);
  uint8_t r, g, b;
  GAL_GetRGB(0xE0, f.get(), &r, &g, &b);
  EXPECT_EQ(r, 0xFF);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

TEST(PixelFormat, RGB332PaletteRepeatsTheTopBits) {
  GalColor colors[256];
  MakeRGB332Palette(colors, 8);
  EXPECT_EQ(colors[0xFF].r, 255);
  EXPECT_EQ(colors[0xFF].g, 255);
  EXPECT_EQ(colors[0xFF].b, 255);
  EXPECT_EQ(colors[0x20].r, 0x24);
  EXPECT_EQ(colors[0x04].g, 0x24);
  EXPECT_EQ(colors[0x01].b, 0x55);
  EXPECT_EQ(colors[0x02].b, 0xAA);
}

TEST(PixelFormat, FindColorPicksNearestFirst) {
  GalColor colors[4] = {{10, 10, 10, 0}, {200, 0, 0, 0}, {200, 0, 0, 0}, {0, 0, 0, 0}};
  GalPalette pal{4, colors};
  EXPECT_EQ(GAL_FindColor(&pal, 190, 5, 5), 1);
  EXPECT_EQ(GAL_FindColor(&pal, 0, 0, 0), 3);
  EXPECT_EQ(GAL_FindColor(&pal, 12, 12, 12), 0);
  GalPalette empty{0, nullptr};
  EXPECT_EQ(GAL_FindColor(&empty, 1, 2, 3), 0);
}

TEST(PixelFormat, YuvOfBlackAndWhite) {
  uint8_t y, u, v;
  RGBToYUV(255, 255, 255, &y, &u, &v);
  EXPECT_EQ(y, 235);
  RGBToYUV(0, 0, 0, &y, &u, &v);
  EXPECT_EQ(y, 16);
  EXPECT_EQ(u, 128);
  EXPECT_EQ(v, 128);
  FormatPtr f = makeFormat(32);
  PixelToYUV(0xFFFFFF, f.get(), &y, &u, &v);
  EXPECT_EQ(y, 235);
}

TEST(PixelFormat, ReadPixelValueIsLittleEndian) {
  const uint8_t bytes[4] = {0x11, 0x22, 0x33, 0x44};
  EXPECT_EQ(ReadPixelValue(bytes, 1), 0x11u);
  EXPECT_EQ(ReadPixelValue(bytes, 2), 0x2211u);
  EXPECT_EQ(ReadPixelValue(bytes, 3), 0x332211u);
  EXPECT_EQ(ReadPixelValue(bytes, 4), 0x44332211u);
  EXPECT_EQ(ReadPixelValue(bytes, 5), 0u);
  EXPECT_EQ(ReadPixelValue(nullptr, 4), 0xFFFFFFFFu);
}

TEST(PixelFormat, PitchRoundsToWholeWords) {
  struct Case {
    int bpp, width;
    uint16_t pitch;
  } cases[] = {{1, 33, 8}, {4, 9, 8}, {24, 3, 12}, {24, 1023, 3072}, {32, 1024, 4096},
               {16, 3, 8},  {8, 5, 8}};
  for (const Case& c : cases) {
    GalSurface s{};
    FormatPtr f = makeFormat(c.bpp);
    s.format = f.get();
    s.w = c.width;
    EXPECT_EQ(GAL_CalculatePitch(&s), c.pitch) << c.bpp << "x" << c.width;
  }
}

}  // namespace
