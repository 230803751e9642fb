// Every fast path of the blit table against the plain reference loop on
// random pixels: exactly, or within the rounding its bit-parallel rule
// allows (counted in units of the destination's own channel bits).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gdi/gal/blit_loops.h"
#include "gdi/gal/blit_pixel.h"
#include "gdi/gal/tests/guarded_surface.h"
#include "gui/gal.h"

namespace {

struct Masks {
  int bpp;
  uint32_t r, g, b, a;
};

constexpr Masks kRGB565{16, 0xF800, 0x07E0, 0x001F, 0};
constexpr Masks kBGR565{16, 0x001F, 0x07E0, 0xF800, 0};
constexpr Masks kRGB555{16, 0x7C00, 0x03E0, 0x001F, 0};
constexpr Masks kBGR555{16, 0x001F, 0x03E0, 0x7C00, 0};
constexpr Masks kXRGB{32, 0xFF0000, 0xFF00, 0xFF, 0};
constexpr Masks kXBGR{32, 0xFF, 0xFF00, 0xFF0000, 0};
constexpr Masks kARGB{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
constexpr Masks kABGR{32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000};
constexpr Masks kRGBA{32, 0xFF000000, 0xFF0000, 0xFF00, 0};
constexpr Masks kBGRA{32, 0xFF00, 0xFF0000, 0xFF000000, 0};

enum class Mode { kConvert, kKey, kSurfaceAlpha, kPixelAlpha };

struct Case {
  const char* name;
  Masks src, dst;
  Mode mode;
  GalRowBlit expected;
  gal::BlitRule reference;
  int tolerance;  // destination channel units
};

using gal::AlphaOut;
using gal::Blend;
using gal::BlitRule;
using gal::KeyTest;
using gal::SrcKind;
constexpr BlitRule kConvertRule{SrcKind::kPacked, KeyTest::kNone, Blend::kNone, AlphaOut::kOpaque, false};
constexpr BlitRule kKeyRule{SrcKind::kPacked, KeyTest::kWhole, Blend::kNone, AlphaOut::kOpaque, false};
constexpr BlitRule kSurfaceRule{SrcKind::kPacked, KeyTest::kNone, Blend::kSurface, AlphaOut::kOpaque, false};
constexpr BlitRule kPixelRule{SrcKind::kPacked, KeyTest::kNone, Blend::kPixel, AlphaOut::kKeep, false};

// The 5-6-5 tables widen to the full range (31 -> 255), the reference by
// shifting (31 -> 248): up to 7 apart. The alpha rules shift by 8 where the
// reference divides by 255, and the 16-bit ones take 5 bits of alpha.
const Case kCases[] = {
    {"565ToARGB", kRGB565, kARGB, Mode::kConvert, gal::BlitRGB565ToARGB8888, kConvertRule, 7},
    {"565ToXRGB", kRGB565, kXRGB, Mode::kConvert, gal::BlitRGB565ToARGB8888, kConvertRule, 7},
    {"565ToABGR", kRGB565, kABGR, Mode::kConvert, gal::BlitRGB565ToABGR8888, kConvertRule, 7},
    {"565ToRGBA", kRGB565, kRGBA, Mode::kConvert, gal::BlitRGB565ToRGBA8888, kConvertRule, 7},
    {"565ToBGRA", kRGB565, kBGRA, Mode::kConvert, gal::BlitRGB565ToBGRA8888, kConvertRule, 7},
    {"XRGBTo565", kXRGB, kRGB565, Mode::kConvert, gal::BlitXRGB8888ToRGB565, kConvertRule, 0},
    {"XRGBTo555", kXRGB, kRGB555, Mode::kConvert, gal::BlitXRGB8888ToRGB555, kConvertRule, 0},
    {"565Key", kRGB565, kRGB565, Mode::kKey, gal::Blit2To2Key, kKeyRule, 0},
    {"XRGBKey", kXRGB, kXRGB, Mode::kKey, gal::Blit4To4Key, kKeyRule, 0},
    {"RGBAKey", kRGBA, kRGBA, Mode::kKey, gal::Blit4To4Key, kKeyRule, 0},
    {"XRGBSurface", kXRGB, kXRGB, Mode::kSurfaceAlpha, gal::BlitXRGB8888SurfaceAlpha, kSurfaceRule, 2},
    {"XBGRSurface", kXBGR, kXBGR, Mode::kSurfaceAlpha, gal::BlitXRGB8888SurfaceAlpha, kSurfaceRule, 2},
    {"565Surface", kRGB565, kRGB565, Mode::kSurfaceAlpha, gal::BlitRGB565SurfaceAlpha, kSurfaceRule, 3},
    {"BGR565Surface", kBGR565, kBGR565, Mode::kSurfaceAlpha, gal::BlitRGB565SurfaceAlpha, kSurfaceRule, 3},
    {"555Surface", kRGB555, kRGB555, Mode::kSurfaceAlpha, gal::BlitRGB555SurfaceAlpha, kSurfaceRule, 3},
    {"BGR555Surface", kBGR555, kBGR555, Mode::kSurfaceAlpha, gal::BlitRGB555SurfaceAlpha, kSurfaceRule, 3},
    {"ARGBPixel", kARGB, kARGB, Mode::kPixelAlpha, gal::BlitARGB8888PixelAlpha, kPixelRule, 2},
    {"ABGRPixel", kABGR, kABGR, Mode::kPixelAlpha, gal::BlitARGB8888PixelAlpha, kPixelRule, 2},
    {"ARGBTo565Pixel", kARGB, kRGB565, Mode::kPixelAlpha, gal::BlitARGB8888ToRGB565PixelAlpha, kPixelRule, 3},
    {"ABGRToBGR565Pixel", kABGR, kBGR565, Mode::kPixelAlpha, gal::BlitARGB8888ToRGB565PixelAlpha, kPixelRule, 3},
    {"ARGBTo555Pixel", kARGB, kRGB555, Mode::kPixelAlpha, gal::BlitARGB8888ToRGB555PixelAlpha, kPixelRule, 3},
    {"ABGRToBGR555Pixel", kABGR, kBGR555, Mode::kPixelAlpha, gal::BlitARGB8888ToRGB555PixelAlpha, kPixelRule, 3},
};

GuardedSurface* Make(const Masks& m, int w, int h) {
  return new GuardedSurface(w, h, m.bpp, m.r, m.g, m.b, m.a);
}

int NativeDifference(uint32_t a, uint32_t b, const GalPixelFormat* f) {
  auto ch = [](uint32_t p, uint32_t mask, int shift) { return static_cast<int>((p & mask) >> shift); };
  int d = std::abs(ch(a, f->rMask, f->rShift) - ch(b, f->rMask, f->rShift));
  d = std::max(d, std::abs(ch(a, f->gMask, f->gShift) - ch(b, f->gMask, f->gShift)));
  return std::max(d, std::abs(ch(a, f->bMask, f->bShift) - ch(b, f->bMask, f->bShift)));
}

class FastPath : public testing::TestWithParam<Case> {};

// The reference loop over the same box the blit was asked for.
void ReferenceBlit(GuardedSurface& src, int sx, GuardedSurface& dst, int dx, int w, int h,
                   const BlitRule& rule) {
  const GalSurface *s = src.get(), *d = dst.get();
  const int sb = s->format->bytesPerPixel, db = d->format->bytesPerPixel;
  GalBlitInfo info{};
  info.srcPixels = src.row(0) + sx * sb;
  info.srcWidth = info.dstWidth = w;
  info.srcHeight = info.dstHeight = h;
  info.srcSkip = s->pitch - w * sb;
  info.dstPixels = dst.row(0) + dx * db;
  info.dstSkip = d->pitch - w * db;
  info.srcFormat = s->format;
  info.dstFormat = d->format;
  gal::referenceBlit(&info, rule);
}

TEST_P(FastPath, IsChosenAndAgreesWithTheReferenceLoop) {
  const Case& c = GetParam();
  constexpr int kW = 37, kH = 9;
  std::unique_ptr<GuardedSurface> src(Make(c.src, kW, kH)), fast(Make(c.dst, kW, kH)),
      slow(Make(c.dst, kW, kH));
  std::mt19937 rng(7);
  std::vector<uint32_t> background;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      src->setPixel(x, y, rng());
      background.push_back(rng());
    }
  auto reset = [&](GuardedSurface& d) {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) d.setPixel(x, y, background[y * kW + x]);
  };
  GalSurface* s = src->get();
  if (c.mode == Mode::kKey) {
    src->setPixel(4, 4, src->pixel(3, 2));
    GAL_SetColorKey(s, GAL_SRCCOLORKEY, src->pixel(3, 2));
  }
  if (c.mode == Mode::kPixelAlpha) {
    src->setPixel(2, 0, src->pixel(2, 0) | 0xFF000000u);  // opaque
    src->setPixel(3, 0, src->pixel(3, 0) & 0xFFFFFF);     // clear
  }
  const bool surfaceAlpha = c.mode == Mode::kSurfaceAlpha;
  for (int alpha : {200, 128, 255, 1, 77}) {
    if (surfaceAlpha) GAL_SetAlpha(s, GAL_SRCALPHA, static_cast<uint8_t>(alpha));
    // Source and destination on different, then on equal 4-byte alignment
    // (the paired 16-bit loops take other routes for each).
    for (int dx : {0, 1}) {
      reset(*fast);
      reset(*slow);
      GalRect from{1, 0, kW - 1, kH}, to{dx, 0, 0, 0};
      ASSERT_EQ(GAL_BlitSurface(s, &from, fast->get(), &to), 0) << c.name;
      // Surface alpha 255 is no blend: a plain copy.
      GalRowBlit expected = surfaceAlpha && alpha == 255 ? GAL_BlitCopy : c.expected;
      ASSERT_EQ(s->map->swData->blit, expected) << c.name << ": another loop was chosen";
      ReferenceBlit(*src, 1, *slow, dx, kW - 1, kH, c.reference);
      int worst = 0;
      for (int y = 0; y < kH; ++y)
        for (int x = dx; x < kW; ++x)
          worst = std::max(worst, NativeDifference(fast->pixel(x, y), slow->pixel(x, y),
                                                   slow->get()->format));
      EXPECT_LE(worst, c.tolerance) << c.name << " alpha " << alpha << " at " << dx;
      EXPECT_TRUE(fast->paddingIntact());
    }
    if (!surfaceAlpha) break;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, FastPath, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace

namespace {

// One pixel of src blitted onto one pixel of dst; the destination pixel.
uint32_t BlitOne(const Masks& sm, uint32_t s, const Masks& dm, uint32_t d,
                 void (*prepare)(GalSurface*) = nullptr) {
  GuardedSurface src(1, 1, sm.bpp, sm.r, sm.g, sm.b, sm.a), dst(1, 1, dm.bpp, dm.r, dm.g, dm.b, dm.a);
  src.setPixel(0, 0, s);
  dst.setPixel(0, 0, d);
  if (prepare) prepare(src.get());
  EXPECT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), nullptr), 0);
  return dst.pixel(0, 0);
}

constexpr Masks k24{24, 0xFF0000, 0xFF00, 0xFF, 0};
constexpr Masks kARGB4444{16, 0x0F00, 0x00F0, 0x000F, 0xF000};

TEST(BlitRules, GeneralLoopsRoundAndWriteAlphaAsTheRulesSay) {
  // d + (s - d) * A / 255 truncating: 255 - 255 * 200 / 255 = 55.
  EXPECT_EQ(BlitOne(k24, 0, k24, 0xFFFFFF, [](GalSurface* s) { GAL_SetAlpha(s, GAL_SRCALPHA, 200); }),
            0x373737u);
  // Surface alpha into an alpha destination writes it opaque.
  EXPECT_EQ(BlitOne(k24, 0, kARGB, 0xFFFFFF, [](GalSurface* s) { GAL_SetAlpha(s, GAL_SRCALPHA, 200); }),
            0xFF373737u);
  // A 4-4-4-4 alpha of 15 blends as 255; the destination keeps its alpha.
  EXPECT_EQ(BlitOne(kARGB4444, 0xFF00, kARGB, 0x12345678), 0x12F00000u);
  // ARGB alpha 255 onto ARGB copies the colour and keeps the alpha byte.
  EXPECT_EQ(BlitOne(kARGB, 0xFFABCDEF, kARGB, 0x12000000), 0x12ABCDEFu);
  // The fast surface-alpha path sets the top byte.
  EXPECT_EQ(BlitOne(kXRGB, 0, kXRGB, 0, [](GalSurface* s) { GAL_SetAlpha(s, GAL_SRCALPHA, 77); }) >> 24,
            0xFFu);
}

TEST(BlitRules, PaletteSidesUseTablesOrRawIndices) {
  // Onto a 3-3-2 palette the map is an identity without table: the index
  // itself is written.
  GuardedSurface src(1, 1, 32, 0xFF0000, 0xFF00, 0xFF), dst(1, 1, 8);
  MakeRGB332Palette(dst.get()->format->palette->colors, 8);
  src.setPixel(0, 0, 0xFF8040);
  ASSERT_EQ(GAL_BlitSurface(src.get(), nullptr, dst.get(), nullptr), 0);
  EXPECT_EQ(dst.pixel(0, 0), 0xF1u);

  // A palette source blended onto 16 bits writes no alpha bits.
  GuardedSurface indexed(1, 1, 8), wide(1, 1, 16, 0x0F00, 0x00F0, 0x000F, 0xF000);
  indexed.get()->format->palette->colors[5] = GalColor{255, 255, 255, 0};
  indexed.setPixel(0, 0, 5);
  wide.setPixel(0, 0, 0xF000);
  GAL_SetAlpha(indexed.get(), GAL_SRCALPHA, 255 / 3);
  ASSERT_EQ(GAL_BlitSurface(indexed.get(), nullptr, wide.get(), nullptr), 0);
  EXPECT_EQ(wide.pixel(0, 0), 0x0555u);

  // A 1-bit source with key and alpha onto 16 bits takes the keyed mono loop.
  GuardedSurface mono(8, 1, 1), target(8, 1, 16, 0xF800, 0x07E0, 0x001F);
  GAL_SetColorKey(mono.get(), GAL_SRCCOLORKEY, 0);
  GAL_SetAlpha(mono.get(), GAL_SRCALPHA, 100);
  ASSERT_EQ(GAL_BlitSurface(mono.get(), nullptr, target.get(), nullptr), 0);
  EXPECT_EQ(mono.get()->map->swData->blit, gal::BlitMonoToNAlphaKey);
  GalRect none{0, 0, 0, 4};
  EXPECT_EQ(GAL_BlitSurface(mono.get(), &none, target.get(), nullptr), 0);
}

// Sources under 8 bits per pixel are read a bit per pixel: a box starting
// at any column takes that column's bit, keyed or not, against a model
// reading the bits straight from the rows.
TEST(BlitRules, BitSourcesStartAtTheBoxesFirstColumn) {
  constexpr int kW = 29, kH = 3;
  const GalColor off{10, 20, 30, 0}, on{200, 150, 100, 0};
  const uint32_t kBackground = 0x00123456u;
  std::mt19937 rng(11);
  for (int bpp : {1, 4}) {
    GuardedSurface src(kW, kH, bpp);
    for (int y = 0; y < kH; ++y)
      for (int i = 0; i < (kW + 7) / 8; ++i) src.row(y)[i] = static_cast<uint8_t>(rng());
    src.get()->format->palette->colors[0] = off;
    src.get()->format->palette->colors[1] = on;
    auto bit = [&](int x, int y) { return (src.row(y)[x >> 3] >> (7 - (x & 7))) & 1; };
    for (bool keyed : {false, true}) {
      GAL_SetColorKey(src.get(), keyed ? GAL_SRCCOLORKEY : 0, 0);
      for (int sx : {0, 1, 3, 7, 8, 13}) {
        GuardedSurface dst(kW, kH, 32, 0xFF0000, 0xFF00, 0xFF);
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) dst.setPixel(x, y, kBackground);
        const int w = kW - sx - 2;
        GalRect from{sx, 0, w, kH}, to{2, 0, 0, 0};
        ASSERT_EQ(GAL_BlitSurface(src.get(), &from, dst.get(), &to), 0);
        for (int y = 0; y < kH; ++y)
          for (int i = 0; i < w; ++i) {
            const int b = bit(sx + i, y);
            const GalColor& c = b ? on : off;
            const uint32_t want = keyed && b == 0 ? kBackground : (uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b);
            ASSERT_EQ(dst.pixel(2 + i, y) & 0xFFFFFFu, want)
                << bpp << "-bit from x " << sx << (keyed ? " keyed" : "") << " at " << i << "," << y;
          }
        EXPECT_TRUE(dst.paddingIntact());
      }
    }
  }
}

}  // namespace
