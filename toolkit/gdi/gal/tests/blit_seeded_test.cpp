// Seeded random blits over every format pair the layer serves, with colour
// key, surface alpha, per-pixel alpha, run-length acceleration, clipping,
// overlap on one surface and sizes from 1 pixel up, each checked pixel by
// pixel against a model: the clipping worked out here, and every pixel of
// the clipped box blitted alone from an untouched copy of the source (the
// row loops themselves are checked against the reference loop elsewhere).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// A copy of s with its pixels, palette, colour key and alpha, held in
// plain pixels.
std::unique_ptr<GuardedSurface> Clone(const GuardedSurface& s, const Format& f) {
  const GalSurface* g = s.get();
  auto c = std::make_unique<GuardedSurface>(g->w, g->h, f.bpp, f.r, f.g, f.b, f.a);
  for (int y = 0; y < g->h; ++y) std::memcpy(c->row(y), s.row(y), static_cast<size_t>(g->w) * g->format->bytesPerPixel);
  if (const GalPalette* pal = g->format->palette)
    std::copy(pal->colors, pal->colors + pal->ncolors, c->get()->format->palette->colors);
  if (g->flags & GAL_SRCCOLORKEY) GAL_SetColorKey(c->get(), GAL_SRCCOLORKEY, g->format->colorKey);
  GAL_SetAlpha(c->get(), g->flags & GAL_SRCALPHA, g->format->alpha);
  return c;
}

// The clipping of a blit on one axis: source inside its surface, then the
// destination inside the clip, the source following.
void ClipAxis(int& s, int& d, int& n, int srcSize, int clipStart, int clipSize) {
  if (s < 0) d -= s, n += s, s = 0;
  n = std::min(n, srcSize - s);
  if (d < clipStart) s += clipStart - d, n -= clipStart - d, d = clipStart;
  n = std::min(n, clipStart + clipSize - d);
}

// Pixels equal, or (loose) within one unit of each colour channel of `f`
// with the alpha channel not compared.
bool Near(uint32_t a, uint32_t b, const Format& f, bool loose) {
  if (a == b || !loose) return a == b;
  for (uint32_t m : {f.r, f.g, f.b}) {
    const uint32_t low = m & (~m + 1);
    const uint32_t x = (a & m) / low, y = (b & m) / low;
    if ((x > y ? x - y : y - x) > 1) return false;
  }
  return true;
}

// The model of one blit: every pixel of the clipped box alone, from a copy
// of the source into `want`. -1 when the pair has no row loop.
int ModelBlit(const GuardedSurface& src, const Format& sf, GalRect from, GalRect to, const GalRect& clip,
              GuardedSurface& want) {
  ClipAxis(from.x, to.x, from.w, src.get()->w, clip.x, clip.w);
  ClipAxis(from.y, to.y, from.h, src.get()->h, clip.y, clip.h);
  auto copy = Clone(src, sf);
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x) {
      GalRect one{from.x + x, from.y + y, 1, 1}, at{to.x + x, to.y + y, 0, 0};
      if (GAL_BlitSurface(copy->get(), &one, want.get(), &at) != 0) return -1;
    }
  return 0;
}

GalRect RandomRect(Dice& dice, int w, int h) {
  return GalRect{dice.below(w + 6) - 3, dice.below(h + 6) - 3, 1 + dice.below(w + 2),
                 1 + dice.below(h + 2)};
}

// One random blit, twice (the second runs on the map and run-length code
// the first one made), against the model.
void OneCase(Dice& dice, int index) {
  const Format& sf = kFormats[dice.below(std::size(kFormats))];
  const Format& df = kFormats[dice.below(std::size(kFormats))];
  const int w = 1 + dice.below(40), h = 1 + dice.below(24);
  const bool overlap = dice.below(3) == 0;
  auto src = Random(dice, sf, w, h);
  auto dst = overlap ? nullptr : Random(dice, df, 1 + dice.below(40), 1 + dice.below(24));
  GuardedSurface& target = overlap ? *src : *dst;
  const Format& tf = overlap ? sf : df;
  GalSurface* s = src->get();
  const uint32_t rle = dice.below(2) ? GAL_RLEACCEL : 0;
  if (dice.below(3) == 0) GAL_SetColorKey(s, GAL_SRCCOLORKEY | rle, src->pixel(dice.below(w), dice.below(h)));
  if (dice.below(3) == 0) GAL_SetAlpha(s, GAL_SRCALPHA | rle, dice.below(4) ? static_cast<uint8_t>(dice.next()) : 128);
  else if (sf.a && dice.below(2)) GAL_SetAlpha(s, GAL_SRCALPHA | rle, 255);
  else if (sf.a) GAL_SetAlpha(s, 0, 0);
  const GalSurface* t = target.get();
  GalRect clip = dice.below(2) ? RandomRect(dice, t->w, t->h) : GalRect{0, 0, t->w, t->h};
  GAL_SetClipRect(target.get(), &clip);
  clip = t->clipRect;
  for (int round = 0; round < 2; ++round) {
    GalRect from = RandomRect(dice, w, h);
    GalRect to{dice.below(t->w + 6) - 3, dice.below(t->h + 6) - 3, 0, 0};
    auto want = Clone(target, tf);
    const int wantRc = ModelBlit(*src, sf, from, to, clip, *want);
    ASSERT_EQ(GAL_BlitSurface(s, &from, target.get(), &to), wantRc) << "case " << index;

    // The run-length blits blend by >> 8 (16 bits: 31/32) where the row
    // loops divide by 255, and the per-pixel-alpha one writes no alpha.
    const bool loose = (s->flags & GAL_RLEACCEL) && (s->flags & GAL_SRCALPHA);
    for (int y = 0; y < t->h; ++y)
      for (int x = 0; x < t->w; ++x)
        ASSERT_PRED4(Near, target.pixel(x, y), want->pixel(x, y), tf, loose)
            << "case " << index << " round " << round << " at " << x << "," << y << ": " << sf.bpp << " to "
            << tf.bpp << (overlap ? " onto itself" : "") << ", flags " << std::hex << s->flags << " masks " << sf.r << "/" << tf.r << std::dec << " from " << from.x << "," << from.y << " " << from.w << "x" << from.h << " to " << to.x << "," << to.y;
  }
  ASSERT_TRUE(target.paddingIntact()) << "case " << index;
}

TEST(BlitSeeded, RandomBlitsMatchTheModelPixelByPixel) {
  Dice dice;
  for (int i = 0; i < 600 && !HasFatalFailure(); ++i) OneCase(dice, i);
}

}  // namespace
