// Run-length surfaces: the encoded layout at its limits, blits from the
// code against the same blits from plain pixels (whole and clipped), and
// round trips back to pixels.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "gdi/gal/rle_code.h"
#include "gdi/gal/tests/guarded_surface.h"
#include "gui/gal.h"

namespace {

struct SurfaceDeleter {
  void operator()(GalSurface* s) const { GAL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<GalSurface, SurfaceDeleter>;

struct Format {
  int bpp;
  uint32_t r, g, b, a;
};

constexpr Format k8{8, 0, 0, 0, 0};
constexpr Format k565{16, 0xF800, 0x07E0, 0x001F, 0};
constexpr Format k24{24, 0xFF0000, 0xFF00, 0xFF, 0};
constexpr Format kXRGB{32, 0xFF0000, 0xFF00, 0xFF, 0};
constexpr Format kARGB{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};

SurfacePtr Make(const Format& f, int w, int h) {
  return SurfacePtr(GAL_CreateRGBSurface(0, w, h, f.bpp, f.r, f.g, f.b, f.a));
}

uint32_t Get(const GalSurface* s, int x, int y) {
  uint32_t v = 0;
  std::memcpy(&v, s->pixels + y * s->pitch + x * s->format->bytesPerPixel, s->format->bytesPerPixel);
  return v;
}
void Set(GalSurface* s, int x, int y, uint32_t v) {
  std::memcpy(s->pixels + y * s->pitch + x * s->format->bytesPerPixel, &v, s->format->bytesPerPixel);
}

// Encodes a keyed surface through the blit that asks for it.
std::vector<uint8_t> EncodedKey(GalSurface* s, uint32_t key) {
  GAL_SetColorKey(s, GAL_SRCCOLORKEY | GAL_RLEACCEL, key);
  SurfacePtr sink = Make(Format{s->format->bitsPerPixel, s->format->rMask, s->format->gMask,
                                s->format->bMask, 0},
                         1, 1);
  GAL_BlitSurface(s, nullptr, sink.get(), nullptr);
  EXPECT_TRUE(s->flags & GAL_RLEACCEL);
  const gal::rle::Code* code = gal::rle::codeOf(s);
  return code ? std::vector<uint8_t>(code->bytes, code->bytes + code->size) : std::vector<uint8_t>{};
}

TEST(RleEncoding, CountsSplitAtTheirLargestValueAndEmptyTrailingRowsAreDropped) {
  SurfacePtr blank = Make(k565, 300, 2);  // all pixels equal the key 0
  EXPECT_EQ(EncodedKey(blank.get(), 0), (std::vector<uint8_t>{0, 0}));

  SurfacePtr last = Make(k565, 300, 3);
  Set(last.get(), 299, 1, 0x1234);
  EXPECT_EQ(EncodedKey(last.get(), 0),
            (std::vector<uint8_t>{255, 0, 45, 0, 255, 0, 44, 1, 0x34, 0x12, 0, 0}));

  SurfacePtr wide = Make(k8, 600, 1);
  std::memset(wide->pixels, 7, 600);
  std::vector<uint8_t> code = EncodedKey(wide.get(), 0);
  ASSERT_EQ(code.size(), 2 + 255 + 2 + 255 + 2 + 90 + 2u);
  EXPECT_EQ(code[0], 0);
  EXPECT_EQ(code[1], 255);
  EXPECT_EQ(code[257], 0);
  EXPECT_EQ(code[258], 255);
  EXPECT_EQ(code[514], 0);
  EXPECT_EQ(code[515], 90);

  SurfacePtr far = Make(kXRGB, 70003, 1);
  for (int x = 70000; x < 70003; ++x) Set(far.get(), x, 0, 0x00ABCDEF);
  code = EncodedKey(far.get(), 0);
  ASSERT_EQ(code.size(), 4 + 4 + 12 + 4u);
  EXPECT_EQ((std::vector<uint8_t>(code.begin(), code.begin() + 8)),
            (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0x71, 0x11, 3, 0}));  // 65535, then 4465
}

// Keyed surfaces of every pixel size: the code's blit equals the plain
// keyed blit for whole and clipped source boxes, and taking the code off
// gives the pixels back.
TEST(RleRoundTrip, KeyedBlitsMatchPlainBlitsAndDecodeBack) {
  std::mt19937 rng(11);
  for (const Format& f : {k8, k565, k24, kXRGB}) {
    const int w = 53, h = 17;
    SurfacePtr coded = Make(f, w, h), plain = Make(f, w, h);
    const uint32_t key = f.bpp == 8 ? 3 : 0x000102;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t v = rng() % 3 ? key : rng() & (f.bpp == 8 ? 0xFF : f.r | f.g | f.b);
        Set(coded.get(), x, y, v);
        Set(plain.get(), x, y, v);
      }
    std::vector<uint8_t> original(coded->pixels, coded->pixels + coded->pitch * h);
    GAL_SetColorKey(coded.get(), GAL_SRCCOLORKEY | GAL_RLEACCEL, key);
    GAL_SetColorKey(plain.get(), GAL_SRCCOLORKEY, key);
    const GalRect boxes[] = {{0, 0, w, h}, {10, 3, 20, 9}, {0, 5, 7, 12}, {40, 0, 13, 1}};
    for (const GalRect& box : boxes) {
      SurfacePtr a = Make(f, w, h), b = Make(f, w, h);
      std::memset(a->pixels, 0x5A, a->pitch * h);
      std::memset(b->pixels, 0x5A, b->pitch * h);
      GalRect ra = box, rb = box, at{2, 1, 0, 0}, bt{2, 1, 0, 0};
      ASSERT_EQ(GAL_BlitSurface(coded.get(), &ra, a.get(), &at), 0);
      ASSERT_EQ(GAL_BlitSurface(plain.get(), &rb, b.get(), &bt), 0);
      EXPECT_EQ(coded->map->swBlit, GAL_RLEBlit);
      EXPECT_EQ(coded->pixels, nullptr) << "the code stands in for the pixels";
      EXPECT_EQ(0, std::memcmp(a->pixels, b->pixels, a->pitch * h)) << f.bpp << " bits, box x " << box.x;
    }
    GAL_UnRLESurface(coded.get(), 1);
    ASSERT_NE(coded->pixels, nullptr);
    EXPECT_FALSE(coded->flags & GAL_RLEACCEL);
    for (int y = 0; y < h; ++y)
      EXPECT_EQ(0, std::memcmp(coded->pixels + y * coded->pitch, original.data() + y * coded->pitch,
                               w * f.bpp / 8));
  }
}

// Runs of every length from 1 to 40 pixels land like the plain keyed blit.
TEST(RleRoundTrip, RunsOfEveryLengthLandLikeThePlainBlit) {
  for (const Format& f : {k8, k565, k24, kXRGB}) {
    const int w = 170, h = 40;
    SurfacePtr coded = Make(f, w, h), plain = Make(f, w, h);
    for (int y = 0; y < h; ++y) {
      const int run = y + 1;
      for (int x = 0; x < w; ++x) {
        const int phase = (x + y) % (run + 2);  // `run` drawn, then 2 keyed
        const uint32_t v = phase < run ? static_cast<uint32_t>(x * 7 + y + 1) & 0x7F : 0;
        Set(coded.get(), x, y, v);
        Set(plain.get(), x, y, v);
      }
    }
    GAL_SetColorKey(coded.get(), GAL_SRCCOLORKEY | GAL_RLEACCEL, 0);
    GAL_SetColorKey(plain.get(), GAL_SRCCOLORKEY, 0);
    SurfacePtr a = Make(f, w + 3, h), b = Make(f, w + 3, h);
    std::memset(a->pixels, 0x5A, a->pitch * h);
    std::memset(b->pixels, 0x5A, b->pitch * h);
    GalRect at{3, 0, 0, 0}, bt{3, 0, 0, 0};
    ASSERT_EQ(GAL_BlitSurface(coded.get(), nullptr, a.get(), &at), 0);
    ASSERT_EQ(GAL_BlitSurface(plain.get(), nullptr, b.get(), &bt), 0);
    ASSERT_EQ(coded->map->swBlit, GAL_RLEBlit);
    EXPECT_EQ(0, std::memcmp(a->pixels, b->pixels, a->pitch * h)) << f.bpp << " bits";
  }
}

// Codes handed in: one that holds every row but no end marker is walked
// without reading past its last byte; one that runs past the width stops
// there, as does one cut inside a run.
TEST(RleDamage, WholeRowCopiesStopAtTheEndOfTheCodeAndAtDamage) {
  GuardedSurface dst(3, 2, 32, 0xFF0000, 0xFF00, 0xFF);
  SurfacePtr src = Make(kXRGB, 3, 2);
  GAL_SetColorKey(src.get(), GAL_SRCCOLORKEY, 0);
  const uint8_t whole[] = {1, 0, 2, 0, 7, 0, 0, 0, 8, 0, 0, 0,   // skip 1, two pixels
                           0, 0, 1, 0, 9, 0, 0, 0, 2, 0, 0, 0};  // one pixel, skip 2
  ASSERT_TRUE(gal::rle::adoptCode(src.get(), whole, sizeof whole, false));
  GalRect all{0, 0, 3, 2}, to = all;
  GAL_RLEBlit(src.get(), &all, dst.get(), &to);
  EXPECT_EQ((std::vector<uint32_t>{dst.pixel(0, 0), dst.pixel(1, 0), dst.pixel(2, 0), dst.pixel(0, 1),
                                   dst.pixel(1, 1), dst.pixel(2, 1)}),
            (std::vector<uint32_t>{0, 7, 8, 9, 0, 0}));

  const uint8_t wide[] = {0, 0, 1, 0, 5, 0, 0, 0, 0, 0, 3, 0, 6, 0, 0, 0};  // 1 + 3 > 3 pixels
  ASSERT_TRUE(gal::rle::adoptCode(src.get(), wide, sizeof wide, false));
  GAL_RLEBlit(src.get(), &all, dst.get(), &to);
  EXPECT_EQ(dst.pixel(0, 0), 5u);
  EXPECT_EQ(dst.pixel(1, 0), 7u) << "the damaged run is not drawn";

  const uint8_t cut[] = {0, 0, 3, 0, 1, 0, 0, 0, 2, 0, 0, 0};  // three pixels promised, two held
  ASSERT_TRUE(gal::rle::adoptCode(src.get(), cut, sizeof cut, false));
  GAL_RLEBlit(src.get(), &all, dst.get(), &to);
  EXPECT_EQ(dst.pixel(0, 0), 5u) << "the cut run is not drawn";
}

TEST(RleRoundTrip, KeyedBlitWithHalfAlphaAveragesEachPixelPair) {
  SurfacePtr src = Make(k565, 5, 1), dst = Make(k565, 5, 1);
  const uint16_t s[5] = {0xFFFF, 0x1234, 0, 0xF81F, 0x0841};
  const uint16_t d[5] = {0x0000, 0xABCD, 0, 0x07E0, 0xFFFF};
  for (int x = 0; x < 5; ++x) {
    Set(src.get(), x, 0, s[x]);
    Set(dst.get(), x, 0, d[x]);
  }
  GAL_SetColorKey(src.get(), GAL_SRCCOLORKEY | GAL_RLEACCEL, 0);
  GAL_SetAlpha(src.get(), GAL_SRCALPHA | GAL_RLEACCEL, 128);
  ASSERT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), nullptr), 0);
  EXPECT_EQ(src->map->swBlit, GAL_RLEBlit);
  for (int x = 0; x < 5; ++x) {
    uint32_t want = s[x] == 0 ? d[x] : ((s[x] & 0xF7DE) + (d[x] & 0xF7DE)) / 2 + (s[x] & d[x] & 0x0821);
    EXPECT_EQ(Get(dst.get(), x, 0), want) << x;
  }
}

// Per-pixel alpha: clear pixels draw nowhere, opaque ones are copied, the
// rest blend as the direct blit does; decoding gives the pixels back at
// the destination's precision.
TEST(RleRoundTrip, PixelAlphaCodesBlitLikeTheDirectBlitAndDecodeBack) {
  std::mt19937 rng(5);
  for (const Format& d : {k565, kXRGB}) {
    const int w = 41, h = 7;
    SurfacePtr coded = Make(kARGB, w, h), plain = Make(kARGB, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t a = (rng() % 3 == 0) ? 0 : (rng() % 2 ? 255 : rng() % 256);
        uint32_t v = (rng() & 0xFFFFFF) | a << 24;
        Set(coded.get(), x, y, v);
        Set(plain.get(), x, y, v);
      }
    std::vector<uint8_t> original(coded->pixels, coded->pixels + coded->pitch * h);
    GAL_SetAlpha(coded.get(), GAL_SRCALPHA | GAL_RLEACCEL, 255);
    for (const GalRect& box : {GalRect{0, 0, w, h}, GalRect{9, 2, 20, 4}}) {
      SurfacePtr a = Make(d, w, h), b = Make(d, w, h);
      for (int i = 0; i < w * h; ++i) {
        uint32_t v = rng();
        Set(a.get(), i % w, i / w, v);
        Set(b.get(), i % w, i / w, v);
      }
      GalRect ra = box, rb = box;
      ASSERT_EQ(GAL_BlitSurface(coded.get(), &ra, a.get(), nullptr), 0);
      ASSERT_EQ(GAL_BlitSurface(plain.get(), &rb, b.get(), nullptr), 0);
      ASSERT_EQ(coded->map->swBlit, GAL_RLEAlphaBlit);
      const uint32_t colour = d.r | d.g | d.b;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const bool inBox = x < box.w && y < box.h;
          uint32_t alpha = inBox ? Get(plain.get(), x + box.x, y + box.y) >> 24 : 0;
          // Alpha 248..254 blends by 31/32 in the code where the direct
          // 16-bit loop copies; everything else is bit-exact.
          if (d.bpp == 16 && alpha >= 248 && alpha < 255) continue;
          EXPECT_EQ(Get(a.get(), x, y) & colour, Get(b.get(), x, y) & colour) << x << "," << y;
        }
    }
    if (d.bpp != 32) continue;
    GAL_UnRLESurface(coded.get(), 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t v;
        std::memcpy(&v, original.data() + y * coded->pitch + 4 * x, 4);
        EXPECT_EQ(Get(coded.get(), x, y), (v >> 24) ? v : 0u) << x << "," << y;
      }
  }
}

TEST(RleDamage, AZeroRunInsideARowEndsTheBlit) {
  SurfacePtr src = Make(k8, 4, 2), dst = Make(k8, 4, 2);
  GAL_SetColorKey(src.get(), GAL_SRCCOLORKEY | GAL_RLEACCEL, 0);
  std::memset(src->pixels, 9, src->pitch * 2);
  ASSERT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), nullptr), 0);
  gal::rle::Code* code = gal::rle::codeOf(src.get());
  ASSERT_NE(code, nullptr);
  const uint8_t damaged[] = {1, 1, 9, 0, 0, 1, 1, 9};
  std::memcpy(code->bytes, damaged, std::min(sizeof damaged, code->size));
  std::memset(dst->pixels, 0, dst->pitch * 2);
  GalRect all{0, 0, 4, 2};
  GAL_RLEBlit(src.get(), &all, dst.get(), &all);
  EXPECT_EQ(Get(dst.get(), 1, 0), 9u);
  EXPECT_EQ(Get(dst.get(), 2, 0), 0u);
  EXPECT_EQ(Get(dst.get(), 1, 1), 0u);
}

// A run-length surface blitted onto itself reads its code, not the pixels it
// is writing: the result is that of the same blit from an encoded copy.
TEST(RleSelfBlit, MatchesTheBlitFromACopy) {
  struct Case {
    Format f;
    bool alpha;
  };
  std::mt19937 rng(7);
  for (const Case& c : {Case{k8, false}, Case{kXRGB, false}, Case{kARGB, true}}) {
    const int w = 12, h = 6;
    SurfacePtr self = Make(c.f, w, h), copy = Make(c.f, w, h), want = Make(c.f, w, h),
               sink = Make(c.f, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t v = rng() % 3 == 0 ? 0 : rng() % 200 + 1;
        if (c.alpha) v = v ? (v | 0xFF000000u) : 0x00123456u;
        for (GalSurface* s : {self.get(), copy.get(), want.get()}) Set(s, x, y, v);
      }
    GalRect from{1, 0, 9, 5}, to{2, 1, 9, 5};
    for (GalSurface* s : {self.get(), copy.get()}) {
      if (c.alpha)
        GAL_SetAlpha(s, GAL_SRCALPHA | GAL_RLEACCEL, 255);
      else
        GAL_SetColorKey(s, GAL_SRCCOLORKEY | GAL_RLEACCEL, 0);
      ASSERT_EQ(GAL_BlitSurface(s, nullptr, sink.get(), nullptr), 0);
      ASSERT_EQ(s->map->swBlit, c.alpha ? GAL_RLEAlphaBlit : GAL_RLEBlit) << c.f.bpp;
      GalSurface* dst = s == self.get() ? s : want.get();
      GalRect a = from, b = to;
      if (c.alpha)
        GAL_RLEAlphaBlit(s, &a, dst, &b);
      else
        GAL_RLEBlit(s, &a, dst, &b);
    }
    GAL_UnRLESurface(self.get(), 1);  // per-pixel-alpha code keeps no transparent pixel
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t v = Get(want.get(), x, y);
        EXPECT_EQ(Get(self.get(), x, y), c.alpha && !(v >> 24) ? 0u : v) << c.f.bpp << " at " << x << "," << y;
      }
  }
}

}  // namespace

// A keyed code's blit is planned once; a code changed after that (here
// damaged in place) still blits exactly as a walk of its bytes says, and
// an unchanged one as its walk does, for every box of whole rows.
TEST(RlePlan, BlitsAsTheWalkOfTheBytesEvenAfterTheyChange) {
  std::mt19937 rng(23);
  for (const Format& f : {k8, k565, k24, kXRGB}) {
    const int w = 19, h = 7, bpp = f.bpp / 8;
    SurfacePtr pic = Make(f, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(pic.get(), x, y, (x + y) % 5 < 2 || x == w - 1 ? 0 : rng() % 250 + 1);
    const std::vector<uint8_t> code = EncodedKey(pic.get(), 0);
    ASSERT_GT(code.size(), 4u);
    for (int trial = 0; trial < 200; ++trial) {
      std::vector<uint8_t> planned = code, walked = code;
      gal::rle::Code withPlan{planned.data(), planned.size(), false};
      gal::rle::planKey(&withPlan, w, bpp);
      ASSERT_EQ(withPlan.plan.rowChecks.size(), static_cast<size_t>(h));
      const int changes = trial % 4;
      for (int c = 0; c < changes; ++c) {
        const size_t at = rng() % code.size();
        const uint8_t v = rng() % 3 == 0 ? 0 : static_cast<uint8_t>(rng());
        planned[at] = walked[at] = v;
      }
      const gal::rle::Code plain{walked.data(), walked.size(), false};
      for (const GalRect& box : {GalRect{0, 0, w, h}, GalRect{0, 2, w, 4}, GalRect{0, 5, w, 2}}) {
        GuardedSurface a(w, h, f.bpp, f.r, f.g, f.b), b(w, h, f.bpp, f.r, f.g, f.b);
        gal::rle::keyBlit(withPlan, a.get()->format, w, 255, box, gal::rle::Target{a.row(0), a.get()->pitch});
        gal::rle::keyBlit(plain, b.get()->format, w, 255, box, gal::rle::Target{b.row(0), b.get()->pitch});
        for (int y = 0; y < h; ++y)
          ASSERT_EQ(0, std::memcmp(a.row(y), b.row(y), static_cast<size_t>(w) * bpp))
              << f.bpp << " bits, trial " << trial << ", box y " << box.y << ", row " << y;
        ASSERT_TRUE(a.paddingIntact());
      }
    }
  }
}
