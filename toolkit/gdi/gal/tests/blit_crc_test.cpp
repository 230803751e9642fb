// Seeded random blits over every format pair the layer serves, with colour
// key, surface alpha, per-pixel alpha, run-length acceleration, clipping,
// overlap on one surface and sizes from 1 pixel up. The checksum of every
// destination after its blit is chained into one value checked in here:
// any change to what any blit writes shows up. When a change is meant, the
// failure prints the new value to check in.
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <random>

#include "gdi/gal/tests/guarded_surface.h"
#include "gui/gal.h"

namespace {

struct Format {
  int bpp;
  uint32_t r, g, b, a;
};

constexpr Format kFormats[] = {
    {8, 0, 0, 0, 0},
    {16, 0xF800, 0x07E0, 0x001F, 0},
    {16, 0x7C00, 0x03E0, 0x001F, 0},
    {16, 0x001F, 0x07E0, 0xF800, 0},
    {16, 0x0F00, 0x00F0, 0x000F, 0xF000},
    {24, 0xFF0000, 0xFF00, 0xFF, 0},
    {32, 0xFF0000, 0xFF00, 0xFF, 0},
    {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
    {32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},
    {32, 0xFF000000, 0xFF0000, 0xFF00, 0},
};

// A fixed generator, used through its raw output only, so every library
// draws the same cases.
struct Dice {
  std::mt19937 rng{20261207};
  uint32_t next() { return static_cast<uint32_t>(rng()); }
  int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

std::unique_ptr<GuardedSurface> Random(Dice& dice, const Format& f, int w, int h) {
  auto s = std::make_unique<GuardedSurface>(w, h, f.bpp, f.r, f.g, f.b, f.a);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s->setPixel(x, y, dice.next());
  if (GalPalette* pal = s->get()->format->palette)
    for (int i = 0; i < pal->ncolors; ++i)
      pal->colors[i] = GalColor{static_cast<uint8_t>(dice.next()), static_cast<uint8_t>(dice.next()),
                                static_cast<uint8_t>(dice.next()), 0};
  return s;
}

uLong Checksum(uLong crc, const GuardedSurface& s) {
  const GalSurface* g = s.get();
  for (int y = 0; y < g->h; ++y)
    crc = crc32(crc, s.row(y), static_cast<uInt>(g->w * g->format->bytesPerPixel));
  return crc;
}

GalRect RandomRect(Dice& dice, int w, int h) {
  return GalRect{dice.below(w + 6) - 3, dice.below(h + 6) - 3, 1 + dice.below(w + 2),
                 1 + dice.below(h + 2)};
}

// One random blit; the destination's checksum, chained.
uLong OneCase(Dice& dice, uLong crc) {
  const Format& sf = kFormats[dice.below(std::size(kFormats))];
  const Format& df = kFormats[dice.below(std::size(kFormats))];
  const int w = 1 + dice.below(40), h = 1 + dice.below(24);
  const bool overlap = dice.below(8) == 0;
  auto src = Random(dice, sf, w, h);
  auto dst = overlap ? nullptr : Random(dice, df, 1 + dice.below(40), 1 + dice.below(24));
  GuardedSurface& target = overlap ? *src : *dst;
  GalSurface* s = src->get();
  const uint32_t rle = dice.below(2) ? GAL_RLEACCEL : 0;
  if (dice.below(3) == 0) GAL_SetColorKey(s, GAL_SRCCOLORKEY | rle, src->pixel(dice.below(w), dice.below(h)));
  if (dice.below(3) == 0) GAL_SetAlpha(s, GAL_SRCALPHA | rle, dice.below(4) ? static_cast<uint8_t>(dice.next()) : 128);
  else if (sf.a && dice.below(2)) GAL_SetAlpha(s, GAL_SRCALPHA | rle, 255);
  else if (sf.a) GAL_SetAlpha(s, 0, 0);
  const GalSurface* t = target.get();
  GalRect clip = RandomRect(dice, t->w, t->h);
  GAL_SetClipRect(target.get(), &clip);
  // Twice: the second blit runs on the map (and run-length code) the first
  // one made.
  for (int round = 0; round < 2; ++round) {
    GalRect from = RandomRect(dice, w, h);
    GalRect to{dice.below(t->w + 6) - 3, dice.below(t->h + 6) - 3, 0, 0};
    int rc = GAL_BlitSurface(s, &from, target.get(), &to);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(&rc), sizeof rc);
  }
  if (s->flags & GAL_RLEACCEL) GAL_UnRLESurface(s, 1);
  EXPECT_TRUE(target.paddingIntact());
  return Checksum(crc, target);
}

TEST(BlitChecksum, SeededCasesMatchTheCheckedInValue) {
  constexpr uLong kExpected = 928394759;
  Dice dice;
  uLong crc = crc32(0, nullptr, 0);
  for (int i = 0; i < 600; ++i) crc = OneCase(dice, crc);
  EXPECT_EQ(crc, kExpected);
}

}  // namespace
