#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "gdi/gal/tests/guarded_surface.h"
#include "gdi/gal_internal.h"
#include "gui/app_hooks.h"
#include "gui/gal.h"

namespace {

struct SurfaceDeleter {
  void operator()(GalSurface* s) const { GAL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<GalSurface, SurfaceDeleter>;

bool inside(const GalRect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

// Fills every depth's surface through a clip rectangle and checks each pixel
// against the expected picture.
TEST(SurfaceFill, StaysInsideClipAndRows) {
  for (int bpp : {16, 32}) {
    GuardedSurface s(23, 9, bpp);
    GalRect clip{5, 2, 30, 5};
    EXPECT_EQ(GAL_SetClipRect(s.get(), &clip), 1);
    EXPECT_EQ(s.get()->clipRect.w, 18);
    GalRect wide{15, -4, 100, 100};
    uint32_t value = bpp == 16 ? 0xBEEF : 0xDEADBEEF;
    EXPECT_EQ(GAL_FillRect(s.get(), &wide, value, getMainOutputHook()), 0);
    GalRect expected{15, 2, 8, 5};
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 23; ++x)
        ASSERT_EQ(s.pixel(x, y), inside(expected, x, y) ? value : 0u) << bpp << " " << x << "," << y;
    EXPECT_TRUE(s.paddingIntact());
  }
}

TEST(SurfaceFill, NoRectangleFillsTheClip) {
  GuardedSurface s(8, 8, 32);
  GalRect clip{-3, 6, 5, 10};
  GAL_SetClipRect(s.get(), &clip);
  GAL_FillRect(s.get(), nullptr, 7, getMainOutputHook());
  GalRect expected{0, 6, 2, 2};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(s.pixel(x, y), inside(expected, x, y) ? 7u : 0u);
  GAL_SetClipRect(s.get(), nullptr);
  GalRect nothing{9, 0, 4, 4};
  EXPECT_EQ(GAL_SetClipRect(s.get(), &nothing), 0);
  GAL_FillRect(s.get(), nullptr, 9, getMainOutputHook());
  EXPECT_EQ(s.pixel(7, 0), 0u);
}

TEST(SurfaceFill, OneAndThreeByteSurfacesAreFilledWithinTheirRows) {
  GuardedSurface indexed(6, 3, 8);
  GuardedSurface packed(7, 3, 24);
  GAL_FillRect(indexed.get(), nullptr, 0x11, getMainOutputHook());
  GAL_FillRect(packed.get(), nullptr, 0x112233, getMainOutputHook());
  EXPECT_EQ(indexed.pixel(0, 0), 0x11u);
  EXPECT_EQ(indexed.pixel(5, 2), 0x11u);
  EXPECT_EQ(packed.pixel(0, 0), 0x112233u);
  EXPECT_EQ(packed.pixel(6, 2), 0x112233u);
  EXPECT_TRUE(indexed.paddingIntact());
  EXPECT_TRUE(packed.paddingIntact());
}

// A memory surface has one buffer: drawing for the auxiliary output lands in
// it too instead of going through a null pointer.
TEST(SurfaceFill, AuxiliaryOutputOfAMemorySurfaceUsesItsBuffer) {
  SurfacePtr s(GAL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->auxPixels, s->pixels);
  GalRect r{1, 1, 2, 2};
  GAL_FillRect(s.get(), &r, 0x55, getAuxOutputHook());
  EXPECT_EQ(ReadPixelValue(s->pixels + s->pitch + 4, 4), 0x55u);
}

TEST(SurfaceBlit, SameFormatCopyIsClippedOnBothSides) {
  GuardedSurface src(12, 8, 16);
  GuardedSurface dst(10, 6, 16);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) src.setPixel(x, y, static_cast<uint32_t>(0x100 * y + x + 1));
  GalRect clip{0, 0, 9, 6};
  GAL_SetClipRect(dst.get(), &clip);
  GalRect sr{-5, 1, 12, 3};
  GalRect dr{0, 4, 0, 0};
  ASSERT_EQ(GAL_BlitSurface(src.get(), &sr, dst.get(), &dr), 0);
  EXPECT_EQ(dr.x, 5);
  EXPECT_EQ(dr.w, 4);  // 7 left after the source cut, 4 inside the clip
  EXPECT_EQ(dr.h, 2);
  GalRect copied{5, 4, 4, 2};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) {
      uint32_t want = inside(copied, x, y) ? 0x100u * (y - 4 + 1) + (x - 5) + 1 : 0u;
      ASSERT_EQ(dst.pixel(x, y), want) << x << "," << y;
    }
  EXPECT_TRUE(dst.paddingIntact());
}

// Rectangles at the ends of the 32-bit range, or whose ends lie past it,
// copy and fill only what lies inside the source and the destination clip
// (and nothing at all where that is empty), without wrapping.
TEST(SurfaceBlit, ExtremeRectanglesReachOnlyTheInside) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    GalRect from;     // source rectangle
    int32_t toX, toY;  // destination place
    GalRect copied;   // where the copy lands in the destination (w 0: nowhere)
    GalRect filled;   // what a fill of `from` covers in the destination
  } cases[] = {
      {{0, 0, 4, 4}, kMax, 0, {0, 0, 0, 0}, {0, 0, 4, 4}},
      {{0, 0, 4, 4}, kMin, 0, {0, 0, 0, 0}, {0, 0, 4, 4}},
      {{0, 0, 4, 4}, kMax - 1, kMax - 1, {0, 0, 0, 0}, {0, 0, 4, 4}},
      {{0, 0, 4, 4}, kMin, kMin, {0, 0, 0, 0}, {0, 0, 4, 4}},
      {{kMin, kMin, kMax, kMax}, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{-1, -1, kMax, kMax}, 0, 0, {1, 1, 7, 5}, {0, 0, 8, 6}},
      {{kMax, kMax, kMax, kMax}, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{2, 1, kMax, kMax}, 1, 2, {1, 2, 7, 4}, {2, 1, 6, 5}},
      {{2, 1, -1, 3}, 1, 2, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{kMin, 0, -1, 3}, kMax, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{-3, -2, 6, 5}, kMin + 1, kMin + 2, {0, 0, 0, 0}, {0, 0, 3, 3}},
  };
  for (int bpp : {16, 24, 32})
    for (const Case& c : cases) {
      GuardedSurface src(12, 8, bpp), copy(8, 6, bpp), fill(8, 6, bpp);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) src.setPixel(x, y, static_cast<uint32_t>(0x100 * y + x + 1));
      GalRect from = c.from, to{c.toX, c.toY, 0, 0};
      ASSERT_EQ(GAL_BlitSurface(src.get(), &from, copy.get(), &to), 0);
      GAL_FillRect(fill.get(), &c.from, 0x77, getMainOutputHook());
      if (c.copied.w) {
        EXPECT_EQ(to.x, c.copied.x);
        EXPECT_EQ(to.w, c.copied.w);
      } else {
        EXPECT_EQ(to.w, 0);
      }
      // The source pixel that lands on (x, y): the source's cut moves both
      // sides alike, so the offset between them is the request's.
      const int64_t shiftX = int64_t{c.from.x} - c.toX, shiftY = int64_t{c.from.y} - c.toY;
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
          const uint32_t want = inside(c.copied, x, y)
                                    ? src.pixel(static_cast<int>(x + shiftX), static_cast<int>(y + shiftY))
                                    : 0u;
          ASSERT_EQ(copy.pixel(x, y), want) << bpp << " case " << (&c - cases) << " at " << x << "," << y;
          ASSERT_EQ(fill.pixel(x, y), inside(c.filled, x, y) ? 0x77u : 0u)
              << bpp << " case " << (&c - cases) << " at " << x << "," << y;
        }
      EXPECT_TRUE(copy.paddingIntact() && fill.paddingIntact());
    }
}

// Short rows, library-copied rows and streamed rows (large copies), each at
// an odd destination column so row heads and tails are exercised.
TEST(SurfaceBlit, CopiesEveryRowLength) {
  struct Case {
    int bpp, w, h;
  } cases[] = {{16, 33, 5}, {32, 70, 4}, {32, 300, 300}, {16, 517, 300}};
  for (const Case& c : cases) {
    GuardedSurface src(c.w, c.h, c.bpp);
    GuardedSurface dst(c.w + 3, c.h, c.bpp);
    uint32_t mask = c.bpp == 16 ? 0xFFFF : 0xFFFFFFFF;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) src.setPixel(x, y, static_cast<uint32_t>(y * 7919 + x * 31 + 1) & mask);
    GalRect dr{1, 0, 0, 0};
    ASSERT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), &dr), 0);
    for (int y = 0; y < c.h; ++y) {
      ASSERT_EQ(dst.pixel(0, y), 0u);
      for (int x = 0; x < c.w; ++x) ASSERT_EQ(dst.pixel(x + 1, y), src.pixel(x, y)) << c.w << " " << x << "," << y;
      ASSERT_EQ(dst.pixel(c.w + 1, y), 0u);
    }
    EXPECT_TRUE(dst.paddingIntact());
  }
}

// Short rows take their own paths (overlapping stores, inline tails, and
// blocks of 16 or 32 bytes unrolled up to 128, each chosen once for all the
// rows): every width from 1 to 72 pixels at every start column of a 16-byte
// block, three rows tall, unclipped and with the destination clip cutting
// the first column and the last row, for fills (with 16-byte stores only and
// with the wider ones where the processor has them) and copies, against the
// plain picture.
TEST(SurfaceRows, EveryShortWidthAndStart) {
  for (const bool narrow : {false, true}) {
    SCOPED_TRACE(narrow ? "16-byte stores" : "widest stores");
    gal::narrowStoresOnlyForTest(narrow);
    for (int bpp : {16, 24, 32}) {
      const uint32_t mask = bpp == 32 ? 0xFFFFFFFF : (1u << bpp) - 1;
      for (const bool clipped : {false, true})
        for (int w = 1; w <= 72; ++w)
          for (int x0 = 0; x0 < 4; ++x0) {
            GuardedSurface src(80, 5, bpp), fill(80, 5, bpp), copy(80, 5, bpp);
            for (int y = 0; y < 5; ++y)
              for (int x = 0; x < 80; ++x) src.setPixel(x, y, static_cast<uint32_t>(x * 2654435761u + y) & mask);
            const GalRect r{x0, 1, w, 3};
            const GalRect clip = clipped ? GalRect{x0 + 1, 0, 80, 3} : GalRect{0, 0, 80, 5};
            GAL_SetClipRect(fill.get(), &clip);
            GAL_SetClipRect(copy.get(), &clip);
            GAL_FillRect(fill.get(), &r, 0x89ABCDEF & mask, getMainOutputHook());
            GalRect from = r, to = r;
            ASSERT_EQ(GAL_BlitSurface(src.get(), &from, copy.get(), &to), 0);
            for (int y = 0; y < 5; ++y)
              for (int x = 0; x < 80; ++x) {
                const bool in = inside(r, x, y) && inside(clip, x, y);
                ASSERT_EQ(fill.pixel(x, y), in ? 0x89ABCDEF & mask : 0u)
                    << bpp << " w" << w << " x" << x0 << (clipped ? " clipped" : "") << " at " << x << "," << y;
                ASSERT_EQ(copy.pixel(x, y), in ? src.pixel(x, y) : 0u)
                    << bpp << " w" << w << " x" << x0 << (clipped ? " clipped" : "") << " at " << x << "," << y;
              }
            EXPECT_TRUE(fill.paddingIntact() && copy.paddingIntact());
          }
    }
  }
  gal::narrowStoresOnlyForTest(false);
}

TEST(SurfaceBlit, OutsideTheClipCopiesNothing) {
  GuardedSurface src(4, 4, 32);
  GuardedSurface dst(4, 4, 32);
  GalRect dr{10, 0, 0, 0};
  EXPECT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), &dr), 0);
  EXPECT_EQ(dr.w, 0);
  EXPECT_EQ(dr.h, 0);
  EXPECT_EQ(GAL_BlitSurface(nullptr, nullptr, dst.get(), &dr), -1);
}

TEST(SurfaceBlit, OntoItselfMovesRowsWithoutSmearing) {
  GuardedSurface s(6, 6, 32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) s.setPixel(x, y, static_cast<uint32_t>(10 * y + x));
  GalRect sr{0, 0, 5, 5};
  GalRect dr{1, 1, 0, 0};
  ASSERT_EQ(GAL_BlitSurface(s.get(), &sr, s.get(), &dr), 0);
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 6; ++x) ASSERT_EQ(s.pixel(x, y), static_cast<uint32_t>(10 * (y - 1) + x - 1));
  GalRect back{1, 1, 5, 5};
  GalRect home{0, 0, 0, 0};
  ASSERT_EQ(GAL_BlitSurface(s.get(), &back, s.get(), &home), 0);
  EXPECT_EQ(s.pixel(0, 0), 0u);
  EXPECT_EQ(s.pixel(4, 4), 44u);
  EXPECT_TRUE(s.paddingIntact());
}

// Keyed and alpha blits within one surface, in every direction, give what
// the same blit from an untouched copy gives.
TEST(SurfaceBlit, KeyedAndAlphaBlitsOntoItselfMatchABlitFromACopy) {
  struct Case {
    int bpp;
    uint32_t aMask, flags;
    uint8_t alpha;
  };
  const Case cases[] = {{32, 0, GAL_SRCCOLORKEY, 255},
                        {24, 0, GAL_SRCCOLORKEY, 255},
                        {32, 0, GAL_SRCALPHA, 128},
                        {32, 0xFF000000u, GAL_SRCALPHA, 255},
                        {16, 0, GAL_SRCCOLORKEY | GAL_SRCALPHA, 100}};
  const int moves[][2] = {{0, 2}, {0, -2}, {1, 0}, {-1, 0}, {2, 1}, {-1, -3}};
  for (const Case& c : cases)
    for (const auto& move : moves) {
      const uint32_t r = c.bpp == 16 ? 0xF800 : 0xFF0000, g = c.bpp == 16 ? 0x7E0 : 0xFF00,
                     b = c.bpp == 16 ? 0x1F : 0xFF;
      GuardedSurface self(8, 8, c.bpp, r, g, b, c.aMask), copy(8, 8, c.bpp, r, g, b, c.aMask),
          want(8, 8, c.bpp, r, g, b, c.aMask);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          uint32_t v = (x + y) % 3 ? static_cast<uint32_t>(0x1234 * (y * 8 + x + 1)) & (r | g | b) : 0;
          if (c.aMask) v |= ((x * 7 + y) % 4) * 0x55000000u;
          for (GuardedSurface* t : {&self, &copy, &want}) t->setPixel(x, y, v);
        }
      for (GuardedSurface* t : {&self, &copy}) {
        if (c.flags & GAL_SRCCOLORKEY) GAL_SetColorKey(t->get(), GAL_SRCCOLORKEY, 0);
        if (c.flags & GAL_SRCALPHA) GAL_SetAlpha(t->get(), GAL_SRCALPHA, c.alpha);
      }
      GalRect from{2, 3, 5, 4}, to{2 + move[0], 3 + move[1], 0, 0}, from2 = from, to2 = to;
      ASSERT_EQ(GAL_BlitSurface(self.get(), &from, self.get(), &to), 0);
      ASSERT_EQ(GAL_BlitSurface(copy.get(), &from2, want.get(), &to2), 0);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          ASSERT_EQ(self.pixel(x, y), want.pixel(x, y))
              << c.bpp << " bpp, flags " << c.flags << ", move " << move[0] << "," << move[1]
              << " at " << x << "," << y;
      EXPECT_TRUE(self.paddingIntact());
    }
}

// Converting pairs have no row loop yet: the blit reports failure and
// touches nothing.
TEST(SurfaceBlit, PairsWithoutARowLoopFailCleanly) {
  GuardedSurface src(4, 4, 32);
  GuardedSurface dst(4, 4, 1);
  src.setPixel(0, 0, 0xFFFFFF);
  EXPECT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), nullptr), -1);
  EXPECT_EQ(dst.pixel(0, 0), 0u);
  EXPECT_EQ(src.get()->map->dst, nullptr);
}

TEST(SurfaceKeys, ColourKeyAndAlphaFlags) {
  SurfacePtr s(GAL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0));
  SurfacePtr d(GAL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0));
  ASSERT_EQ(GAL_BlitSurface(s.get(), nullptr, d.get(), nullptr), 0);
  EXPECT_EQ(s->map->dst, d.get());
  GAL_SetColorKey(s.get(), GAL_SRCCOLORKEY | GAL_RLEACCEL, 0x123);
  EXPECT_EQ(s->flags & (GAL_SRCCOLORKEY | GAL_RLEACCELOK), GAL_SRCCOLORKEY | GAL_RLEACCELOK);
  EXPECT_EQ(s->format->colorKey, 0x123u);
  EXPECT_EQ(s->map->dst, nullptr);
  GAL_SetColorKey(s.get(), 0, 0x123);
  EXPECT_EQ(s->flags & (GAL_SRCCOLORKEY | GAL_RLEACCELOK), 0u);
  EXPECT_EQ(s->format->colorKey, 0u);

  GAL_SetAlpha(s.get(), GAL_SRCALPHA, 200);
  EXPECT_EQ(s->format->alpha, 200);
  ASSERT_EQ(GAL_MapSurface(s.get(), d.get()), 0);
  GAL_SetAlpha(s.get(), GAL_SRCALPHA, 100);  // still translucent: the map stays
  EXPECT_EQ(s->map->dst, d.get());
  GAL_SetAlpha(s.get(), 0, 0);
  EXPECT_EQ(s->format->alpha, 255);
  EXPECT_EQ(s->flags & GAL_SRCALPHA, 0u);
  EXPECT_EQ(s->map->dst, nullptr);
}

TEST(SurfaceLife, ReferencesAndCallerPixels) {
  GalSurface* s = GAL_CreateRGBSurface(0, 3, 3, 32, 0, 0, 0, 0);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->refcount, 1);
  EXPECT_EQ(s->pitch, 12);
  EXPECT_EQ(s->clipRect.w, 3);
  s->refcount = 2;
  GAL_FreeSurface(s);
  EXPECT_EQ(s->refcount, 1);
  GAL_FreeSurface(s);
  GAL_FreeSurface(nullptr);

  uint32_t pixels[4] = {1, 2, 3, 4};
  GalSurface* from = GAL_CreateRGBSurfaceFrom(pixels, 2, 2, 32, 8, 0xFF0000, 0xFF00, 0xFF, 0);
  ASSERT_TRUE(from);
  EXPECT_TRUE(from->flags & GAL_PREALLOC);
  GAL_FreeSurface(from);
  EXPECT_EQ(pixels[3], 4u);

  SurfacePtr alpha(GAL_CreateRGBSurface(0, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000));
  EXPECT_TRUE(alpha->flags & GAL_SRCALPHA);
}

// Rows longer than 64 KiB keep their full pitch, so a fill of the last
// row stays inside the buffer; negative sizes make no surface.
TEST(SurfaceLife, WideRowsKeepTheirFullPitch) {
  SurfacePtr wide(GAL_CreateRGBSurface(0, 20000, 2, 32, 0, 0, 0, 0));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->pitch, 80000);
  GAL_FillRect(wide.get(), nullptr, 0x01020304, getMainOutputHook());
  EXPECT_EQ(ReadPixelValue(wide->pixels + wide->pitch + 4 * 19999, 4), 0x01020304u);
  EXPECT_EQ(GAL_CreateRGBSurface(0, -4, 2, 32, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(GAL_CreateRGBSurface(0, 4, -2, 16, 0, 0, 0, 0), nullptr);
}

TEST(SurfaceConvert, CopiesIntoTheSameFormat) {
  GuardedSurface s(5, 4, 32);
  s.setPixel(4, 3, 0xABCDEF);
  GalRect clip{1, 1, 2, 2};
  GAL_SetClipRect(s.get(), &clip);
  GalPixelFormat* f = s.get()->format;
  SurfacePtr copy(GAL_ConvertSurface(s.get(), f, 0));
  ASSERT_TRUE(copy);
  EXPECT_EQ(ReadPixelValue(copy->pixels + 3 * copy->pitch + 16, 4), 0xABCDEFu);
  EXPECT_EQ(copy->clipRect.x, 1);
  EXPECT_EQ(copy->clipRect.w, 2);

  SurfacePtr indexed(GAL_CreateRGBSurface(0, 2, 2, 8, 0, 0, 0, 0));
  EXPECT_EQ(GAL_ConvertSurface(s.get(), indexed->format, 0), nullptr);  // all-black palette
}

}  // namespace
