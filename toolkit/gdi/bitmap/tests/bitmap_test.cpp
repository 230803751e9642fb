// Bitmap fills and blits through the screen DC at every pixel size, checked
// pixel by pixel against small models of what each call must draw.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "gdi/bitmap/combine_plan.h"
#include "gdi/dc/tests/dc_fixture.h"
#include "gui/app_hooks.h"
#include "gui/bitmap.h"
#include "gui/dc.h"
#include "gui/gal.h"

namespace {

using dctest::ScreenTest;

// A bitmap in the screen's pixel size whose pixel (x, y) is value(x, y).
struct TestBitmap {
  std::vector<uint8_t> bits;
  Bitmap bmp{};
  template <typename Value>
  TestBitmap(int w, int h, int bpp, Value value) : bits(static_cast<size_t>(w) * h * bpp) {
    bmp.bmBytesPerPixel = static_cast<uint8_t>(bpp);
    bmp.bmBitsPerPixel = static_cast<uint8_t>(8 * bpp);
    bmp.bmWidth = static_cast<uint32_t>(w);
    bmp.bmHeight = static_cast<uint32_t>(h);
    bmp.bmPitch = static_cast<uint32_t>(w * bpp);
    bmp.bmBits = bits.data();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) SetPixelInBitmap(&bmp, x, y, value(x, y));
  }
};

class BitmapFill : public ScreenTest {};

// Which bitmap row the three-part fill shows at row r of a box of length L
// (bitmap length B, thirds of T), as the fill rules place the pieces.
int SkinRow(int r, int l, int b, bool head, bool tail) {
  if (b % 3) return r % b;
  const int t = b / 3;
  if (l < 2 * t || (!head && !tail)) return t + r % t;
  if (head && r < t) return r;
  if (tail && r >= l - t) return 2 * t + r - (l - t);
  return t + (r - (head ? t : 0)) % t;
}

TEST_P(BitmapFill, ThreePartFillCoversEveryRowFromTheRightThird) {
  for (bool vertical : {true, false})
    for (int b : {30, 10}) {
      // Pixels number their position along the fill.
      TestBitmap skin(vertical ? 6 : b, vertical ? b : 6, bytes(), [vertical](int x, int y) {
        return static_cast<uint32_t>((vertical ? y : x) + 1);
      });
      for (int flags = 0; flags < 4; ++flags) {
        const bool head = flags & 1, tail = flags & 2;
        for (int l = 1; l <= 47; l += 2) {
          for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);
          const int w = vertical ? 6 : l, h = vertical ? l : 6;
          ASSERT_TRUE(FillBoxWithBitampCombineEx(HDC_SCREEN, 0, 0, w, h, &skin.bmp, head, tail, vertical));
          for (int r = 0; r <= l; ++r) {
            const uint32_t want = r < l ? static_cast<uint32_t>(SkinRow(r, l, b, head, tail) + 1) : 0;
            ASSERT_EQ(vertical ? screen_->pixel(3, r) : screen_->pixel(r, 3), want)
                << "B " << b << " L " << l << " head " << head << " tail " << tail << " at " << r
                << (vertical ? " down" : " across");
          }
        }
      }
    }
  EXPECT_FALSE(FillBoxWithBitampCombineEx(HDC_SCREEN, 0, 0, 6, 0, nullptr, TRUE, TRUE, TRUE));
}

// The three-part fill draws what its planned pieces draw one fill each,
// also where a clip rectangle cuts pieces, skins are keyed or cropped
// across, and whole tiles repeat.
TEST_P(BitmapFill, ThreePartFillDrawsWhatItsPiecesDrawOneByOne) {
  const uint32_t m = mask();
  const Rect clip{9, 3, 43, 37};
  for (bool vertical : {true, false})
    for (int b : {30, 10})
      for (int cross : {0, 4, 12})
        for (int flags = 0; flags < 8; ++flags) {
          const bool head = flags & 1, tail = flags & 2, keyed = flags & 4;
          const int bw = vertical ? 8 : b, bh = vertical ? b : 8;
          TestBitmap skin(bw, bh, bytes(), [m](int x, int y) { return static_cast<uint32_t>(7 * x + 31 * y + 1) & m; });
          if (keyed) {
            skin.bmp.bmType |= BMP_TYPE_COLORKEY;
            skin.bmp.bmColorKey = GetPixelInBitmap(&skin.bmp, 1, 1);
          }
          const int x = 5, y = 2, l = 37;
          const int w = vertical ? cross : l, h = vertical ? l : cross;
          auto draw = [&](bool together) {
            dctest::Scribble(*screen_, 5);
            SelectClipRect(HDC_SCREEN, &clip);
            if (together) {
              ASSERT_TRUE(FillBoxWithBitampCombineEx(HDC_SCREEN, x, y, w, h, &skin.bmp, head, tail, vertical));
            } else {
              const gui::dc::CombineRequest r = vertical
                  ? gui::dc::CombineRequest{y, h, x, w, bh, bw, head, tail, true}
                  : gui::dc::CombineRequest{x, w, y, h, bw, bh, head, tail, false};
              for (const gui::dc::CombinePiece& p : gui::dc::PlanCombineFill(r)) {
                const int px = vertical ? p.cross : p.along, py = vertical ? p.along : p.cross;
                if (p.wholeTile) {
                  FillBoxWithBitmap(HDC_SCREEN, px, py, 0, 0, &skin.bmp);
                  continue;
                }
                FillBoxWithBitmapPart(HDC_SCREEN, px, py, vertical ? p.crossSize : p.length,
                                      vertical ? p.length : p.crossSize, bw, bh, &skin.bmp,
                                      vertical ? p.crossFrom : p.alongFrom, vertical ? p.alongFrom : p.crossFrom);
              }
            }
            SelectClipRect(HDC_SCREEN, nullptr);
          };
          draw(false);
          const dctest::Picture want = Shot();
          draw(true);
          ASSERT_EQ(Shot(), want) << "B " << b << " cross " << cross << " flags " << flags
                                  << (vertical ? " down" : " across");
        }
}

TEST(CombinePlan, HeadMiddlesRemainderAndTailOfA30PixelSkin) {
  using gui::dc::CombinePiece;
  gui::dc::CombineRequest r{0, 45, 0, 0, 30, 8, true, true, true};
  std::vector<CombinePiece> want = {{0, 10, 0, 0, 8, 0, false},
                                    {10, 10, 10, 0, 8, 0, false},
                                    {20, 10, 10, 0, 8, 0, false},
                                    {30, 5, 10, 0, 8, 0, false},
                                    {35, 10, 20, 0, 8, 0, false}};
  EXPECT_EQ(gui::dc::PlanCombineFill(r), want);
  // Horizontal fills centre across: a box 4 high takes rows 2..5 of an
  // 8-high bitmap; a box 12 high shows all 8 rows 2 lower.
  r = {0, 25, 0, 4, 30, 8, true, false, false};
  EXPECT_EQ(gui::dc::PlanCombineFill(r).front(), (CombinePiece{0, 10, 0, 0, 4, 2, false}));
  r.cross = 12;
  EXPECT_EQ(gui::dc::PlanCombineFill(r).front(), (CombinePiece{0, 10, 0, 2, 8, 0, false}));
}

// A visible span keeps exactly the pieces of the whole plan that meet it,
// so a fill 2^31 pixels long plans only the few tiles a screen shows.
TEST(CombinePlan, OnlyPiecesMeetingTheVisibleSpanArePlanned) {
  using gui::dc::CombinePiece;
  for (int b : {30, 10, 3})
    for (int flags = 0; flags < 8; ++flags) {
      gui::dc::CombineRequest r{-7, 200, 0, 0, b, 8, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
      const std::vector<CombinePiece> whole = gui::dc::PlanCombineFill(r);
      for (auto [from, to] : {std::pair<int64_t, int64_t>{-50, 1}, {0, 5}, {13, 14}, {100, 190}, {192, 400}}) {
        std::vector<CombinePiece> want;
        for (const CombinePiece& p : whole)
          if (p.along < to && p.along + p.length > from) want.push_back(p);
        r.visibleFrom = from, r.visibleTo = to;
        EXPECT_EQ(gui::dc::PlanCombineFill(r), want) << "B " << b << " flags " << flags << " span " << from;
        r.visibleFrom = INT64_MIN, r.visibleTo = INT64_MAX;
      }
    }
  const gui::dc::CombineRequest huge{3, INT_MAX - 3, 3, 24, 3, 24, true, true, false, 0, 1024};
  const std::vector<CombinePiece> pieces = gui::dc::PlanCombineFill(huge);
  ASSERT_EQ(pieces.size(), 1021u);
  EXPECT_EQ(pieces.front(), (CombinePiece{3, 1, 0, 3, 24, 0, false}));
  EXPECT_EQ(pieces.back(), (CombinePiece{1023, 1, 1, 3, 24, 0, false}));
}

TEST_P(BitmapFill, OwnSizeScaledAndKeyedBitmaps) {
  const uint32_t m = mask();
  TestBitmap img(4, 4, bytes(), [m](int x, int y) { return static_cast<uint32_t>(0x10 * y + x + 1) & m; });
  ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 2, 3, 0, 0, &img.bmp));
  EXPECT_EQ(screen_->pixel(2, 3), 1u);
  EXPECT_EQ(screen_->pixel(5, 6), 0x34u);
  EXPECT_EQ(screen_->pixel(6, 3), 0u);

  ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 10, 10, 8, 8, &img.bmp));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(screen_->pixel(10 + x, 10 + y), static_cast<uint32_t>(0x10 * (y / 2) + x / 2 + 1) & m);

  for (int y = 30; y < 34; ++y)
    for (int x = 30; x < 34; ++x) screen_->setPixel(x, y, 0x55);
  img.bmp.bmType = BMP_TYPE_COLORKEY;
  img.bmp.bmColorKey = 0x22;
  SetDCAttr(HDC_SCREEN, DC_ATTR_BK_MODE, BM_OPAQUE);
  ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 30, 30, 0, 0, &img.bmp));
  EXPECT_EQ(screen_->pixel(31, 32), 0x55u) << "the key pixel";
  EXPECT_EQ(screen_->pixel(30, 32), 0x21u);
  EXPECT_EQ(GetDCAttr(HDC_SCREEN, DC_ATTR_BK_MODE), static_cast<uint32_t>(BM_OPAQUE));

  Bitmap empty = img.bmp;
  empty.bmBits = nullptr;
  EXPECT_FALSE(FillBoxWithBitmap(HDC_SCREEN, 0, 0, 0, 0, &empty));
}

TEST_P(BitmapFill, PartsAtOwnAndNominalSize) {
  const uint32_t m = mask();
  TestBitmap img(6, 4, bytes(), [m](int x, int y) { return static_cast<uint32_t>(0x10 * y + x + 1) & m; });
  EXPECT_FALSE(FillBoxWithBitmapPart(HDC_SCREEN, 0, 0, 3, 2, 0, 0, &img.bmp, 4, 0));
  EXPECT_EQ(screen_->pixel(0, 0), 0u);
  ASSERT_TRUE(FillBoxWithBitmapPart(HDC_SCREEN, 0, 0, 3, 2, 0, 0, &img.bmp, 3, 2));
  EXPECT_EQ(screen_->pixel(0, 0), 0x24u);
  EXPECT_EQ(screen_->pixel(2, 1), 0x36u);
  EXPECT_EQ(screen_->pixel(3, 0), 0u);
  // Nominal 12 x 8: each bitmap pixel doubled; the part at (5, 3).
  ASSERT_TRUE(FillBoxWithBitmapPart(HDC_SCREEN, 20, 20, 4, 3, 12, 8, &img.bmp, 5, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(screen_->pixel(20 + x, 20 + y), static_cast<uint32_t>(0x10 * ((3 + y) / 2) + (5 + x) / 2 + 1) & m);
  EXPECT_TRUE(FillBoxWithBitmapPart(HDC_INVALID, 0, 0, 1, 1, 0, 0, &img.bmp, 0, 0));
}

// Boxes far larger than the screen, up to INT_MAX, scale only what shows:
// every visible pixel is the bitmap pixel the whole-box scaling puts there.
TEST_P(BitmapFill, HugeScaledBoxesDrawTheirVisiblePartLikeTheWholeScaling) {
  const uint32_t m = mask();
  TestBitmap img(12, 8, bytes(), [m](int x, int y) { return static_cast<uint32_t>(0x10 * y + x + 1) & m; });
  const struct {
    int x, y, w, h;
  } boxes[] = {{-1000, -7, 3000, 40}, {5, 3, 20000, 90000}, {-3, -2, INT_MAX, INT_MAX}, {7, 1, INT_MAX - 7, 5}};
  for (const auto& b : boxes) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, 0);
    ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, b.x, b.y, b.w, b.h, &img.bmp)) << b.w;
    const int64_t xStep = (int64_t{12} << 16) / b.w, yStep = (int64_t{8} << 16) / b.h;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const bool inside = x >= b.x && y >= b.y && x - int64_t{b.x} < b.w && y - int64_t{b.y} < b.h;
        const int64_t col = ((x - int64_t{b.x}) * xStep) >> 16, row = ((y - int64_t{b.y}) * yStep) >> 16;
        ASSERT_EQ(screen_->pixel(x, y), inside ? static_cast<uint32_t>(0x10 * row + col + 1) & m : 0u)
            << b.w << "x" << b.h << " at " << x << "," << y;
      }
  }
  // The part of a huge nominal size: 4 x 3 pixels from (5000, 900) of 12 x 8 scaled to 24000 x 4000.
  ASSERT_TRUE(FillBoxWithBitmapPart(HDC_SCREEN, 20, 20, 4, 3, 24000, 4000, &img.bmp, 5000, 900));
  EXPECT_EQ(screen_->pixel(20, 20), static_cast<uint32_t>(0x10 * 1 + 2 + 1) & m);
  EXPECT_FALSE(FillBoxWithBitmapPart(HDC_SCREEN, 0, 0, 4, 4, INT_MAX, 8, &img.bmp, INT_MAX - 2, 0));
}

// A scaled bitmap is scaled in runs of columns and puts the screen rows
// that repeat one bitmap row at once: enlarged and shrunk, through a clip of
// several rectangles, with a colour key and with XOR, every pixel is still
// what scaling pixel by pixel puts there.
TEST_P(BitmapFill, ScaledRowsThroughClipsKeysAndXorMatchThePixelRule) {
  const uint32_t m = mask();
  auto value = [m](int64_t x, int64_t y) { return static_cast<uint32_t>(0x10 * y + x + 1) & m; };
  TestBitmap img(3, 3, bytes(), value);
  const uint32_t key = value(1, 1);
  const Rect clip{5, 4, 30, 20}, hole{10, 8, 20, 12}, more{0, 25, kWidth, 28};
  auto in = [](const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
  auto background = [m](int x, int y) { return static_cast<uint32_t>(x * 7 + y * 3) & m; };
  for (const Rect& box : {Rect{1, 2, 63, 31}, Rect{6, 25, 8, 27}})
    for (int mode = 0; mode < 3; ++mode) {  // plain, keyed, XOR
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, background(x, y));
      img.bmp.bmType = mode == 1 ? BMP_TYPE_COLORKEY : 0;
      img.bmp.bmColorKey = key;
      SetRasterOperation(HDC_SCREEN, mode == 2 ? ROP_XOR : ROP_SET);
      SelectClipRect(HDC_SCREEN, &clip);
      ExcludeClipRect(HDC_SCREEN, &hole);
      IncludeClipRect(HDC_SCREEN, &more);
      const int bw = box.right - box.left, bh = box.bottom - box.top;
      ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, box.left, box.top, bw, bh, &img.bmp));
      SetRasterOperation(HDC_SCREEN, ROP_SET);
      SelectClipRect(HDC_SCREEN, nullptr);
      const int64_t xStep = (int64_t{3} << 16) / bw, yStep = (int64_t{3} << 16) / bh;
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          const bool shown = ((in(clip, x, y) && !in(hole, x, y)) || in(more, x, y)) && in(box, x, y);
          const uint32_t bg = background(x, y);
          const uint32_t src = value(((x - box.left) * xStep) >> 16, ((y - box.top) * yStep) >> 16);
          uint32_t want = bg;
          if (shown && !(mode == 1 && src == key)) want = mode == 2 ? bg ^ src : src;
          ASSERT_EQ(screen_->pixel(x, y), want) << bw << " wide, mode " << mode << " at " << x << "," << y;
        }
    }
}

TEST_P(BitmapFill, RunLengthBitmapsDrawTheirRuns) {
  const int bpp = bytes(), cw = bpp == 4 ? 2 : 1;
  // Row 0: skip 1, 2 x A; skip 1, 1 x B (width 5). Row 1: 5 x C.
  std::vector<uint8_t> runs;
  auto run = [&](int skip, int n, uint32_t v) {
    for (int c : {skip, n})
      for (int i = 0; i < cw; ++i) runs.push_back(static_cast<uint8_t>(c >> (8 * i)));
    for (int i = 0; i < bpp; ++i) runs.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  run(1, 2, 0x0A);
  run(1, 1, 0x0B);
  run(0, 5, 0x0C);
  Bitmap bmp{};
  bmp.bmType = BMP_TYPE_RLE;
  bmp.bmBytesPerPixel = static_cast<uint8_t>(bpp);
  bmp.bmWidth = 5;
  bmp.bmHeight = 3;  // the third row's (0, 0) end never comes: the data ends
  // The end mark is two counts and no pixel, the last bytes of an exact buffer.
  runs.insert(runs.end(), 2 * cw, 0);
  std::unique_ptr<uint8_t[]> exact(new uint8_t[runs.size()]);
  std::copy(runs.begin(), runs.end(), exact.get());
  bmp.bmBits = exact.get();
  for (int x = 0; x < 6; ++x) screen_->setPixel(x, 0, 0x77);
  ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 0, 0, 99, 99, &bmp));
  const uint32_t row0[6] = {0x77, 0x0A, 0x0A, 0x77, 0x0B, 0x77};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(screen_->pixel(x, 0), row0[x]) << x;
  EXPECT_EQ(screen_->pixel(4, 1), 0x0Cu);
  EXPECT_EQ(screen_->pixel(5, 1), 0u);
  EXPECT_EQ(screen_->pixel(0, 2), 0u);
}

TEST_P(BitmapFill, FillBoxAndBlitsWithinOneDC) {
  SetDCAttr(HDC_SCREEN, DC_ATTR_BRUSH_COLOR, 0x3C);
  FillBox(HDC_SCREEN, 60, 40, 10, 10);
  EXPECT_EQ(screen_->pixel(63, 47), 0x3Cu);
  EXPECT_EQ(screen_->pixel(59, 40), 0u);

  dctest::Scribble(*screen_, 9);
  dctest::Picture before = Shot();
  BitBlt(HDC_SCREEN, 5, 4, 20, 20, HDC_SCREEN, 5, 14, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(screen_->pixel(5 + x, 14 + y), before.at(5 + x, 4 + y)) << x << "," << y;
  EXPECT_EQ(screen_->pixel(4, 14), before.at(4, 14));

  // Stretching doubles each pixel; between different depths it draws nothing.
  dctest::Scribble(*screen_, 3);
  before = Shot();
  StretchBlt(HDC_SCREEN, 0, 0, 4, 4, HDC_SCREEN, 40, 20, 8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(screen_->pixel(40 + x, 20 + y), before.at(x / 2, y / 2));
  const int otherDepth = bytes() == 2 ? 32 : 16;
  HDC mem = CreateMemDC(8, 8, otherDepth, 0, 0, 0, 0, 0);
  ASSERT_NE(mem, 0u);
  before = Shot();
  StretchBlt(mem, 0, 0, 8, 8, HDC_SCREEN, 0, 0, 16, 16);
  EXPECT_TRUE(Shot() == before);
  DeleteMemDC(mem);
}

GUI_DC_ALL_DEPTHS(BitmapFill);

// Scaling and pixel access without a DC.
int g_gets = 0, g_puts = 0;
uint8_t g_line[64];
void* CountGet(void*, int) {
  ++g_gets;
  return g_line;
}
void CountPut(void*, void*, int) { ++g_puts; }

TEST(BitmapScale, RepeatedRowsShareTheirLineAndEdgesAreRefused) {
  TestBitmap img(4, 4, 2, [](int x, int y) { return static_cast<uint32_t>(y * 4 + x); });
  EXPECT_TRUE(BitmapDDAScaler(nullptr, &img.bmp, 8, 8, CountGet, CountPut));
  EXPECT_EQ(g_gets, 4);
  EXPECT_EQ(g_puts, 8);
  EXPECT_FALSE(BitmapDDAScaler(nullptr, &img.bmp, 0, 8, CountGet, CountPut));
  EXPECT_TRUE(BitmapDDAScaler2(nullptr, &img.bmp, 0, 8, CountGet, CountPut));

  TestBitmap big(8, 2, 2, [](int, int) { return 0u; });
  EXPECT_TRUE(ScaleBitmap(&big.bmp, &img.bmp));
  EXPECT_EQ(GetPixelInBitmap(&big.bmp, 7, 1), 11u);
  big.bmp.bmWidth = 0;
  EXPECT_TRUE(ScaleBitmap(&big.bmp, &img.bmp));
  EXPECT_EQ(GetPixelInBitmap(&img.bmp, 4, 0), 0u);
  EXPECT_FALSE(SetPixelInBitmap(&img.bmp, 4, 0, 1));
}

TEST_P(BitmapFill, MirrorFlipReplaceAndReadBack) {
  TestBitmap img(3, 3, bytes(), [](int x, int y) { return static_cast<uint32_t>(y * 3 + x + 1); });
  std::vector<uint8_t> line(3 * bytes());
  MirrorBitmapHorizontally(&img.bmp, line.data());
  FlipBitmapVertically(&img.bmp, line.data());
  EXPECT_EQ(GetPixelInBitmap(&img.bmp, 0, 0), 9u);
  EXPECT_EQ(GetPixelInBitmap(&img.bmp, 2, 1), 4u);
  ReplaceBitmapColor(HDC_SCREEN, &img.bmp, 5, 0x17);
  EXPECT_EQ(GetPixelInBitmap(&img.bmp, 1, 1), 0x17u);

  ASSERT_TRUE(FillBoxWithBitmap(HDC_SCREEN, 7, 5, 0, 0, &img.bmp));
  Bitmap back{};
  ASSERT_TRUE(GetBitmapFromDC(HDC_SCREEN, 6, 5, 4, 3, &back));
  EXPECT_EQ(GetPixelInBitmap(&back, 0, 0), 0u);
  EXPECT_EQ(GetPixelInBitmap(&back, 1, 0), 9u);
  EXPECT_EQ(GetPixelInBitmap(&back, 2, 1), 0x17u);
  std::free(back.bmBits);
}

int g_mode = 17;
int ColourDepth(uint8_t* code) {
  *code = static_cast<uint8_t>(g_mode);
  return 0;
}

// A 5 x 5 white bitmap with a black pixel at the last chroma sample and a
// keyed one at the second: 25 luma bytes, 2 x 2 samples in either layout.
TEST(BitmapYuv, StudioRangeLumaAndOneChromaSamplePerBlock) {
  GuiAppCallbacks cb{};
  cb.getColorDepthCode = ColourDepth;
  SetAppCallbacks(&cb);
  ASSERT_EQ(InitGAL(), 0);
  for (int mode : {17, 16}) {
    g_mode = mode;
    TestBitmap img(5, 5, 4, [](int x, int y) {
      return x == 2 && y == 2 ? 0u : (x == 2 && y == 0 ? 0x123456u : 0xFFFFFFu);
    });
    img.bmp.bmType = BMP_TYPE_COLORKEY;
    img.bmp.bmColorKey = 0x123456;
    std::vector<uint8_t> yuv(25 + 8 + 1, 0xEE);
    img.bmp.bmYPlane = yuv.data();
    LoadGetYUVFromBitmap(&img.bmp);
    EXPECT_EQ(yuv[0], 235);
    EXPECT_EQ(yuv[12], 16) << "black";
    EXPECT_EQ(yuv[2], 0) << "keyed";
    EXPECT_EQ(yuv[33], 0xEE) << "nothing past the copy";
    EXPECT_EQ(img.bmp.bmUPlane, yuv.data() + 25);
    if (mode == 17) {
      const uint8_t chroma[8] = {128, 128, 0, 0, 128, 128, 128, 128};
      EXPECT_EQ(std::vector<uint8_t>(yuv.begin() + 25, yuv.begin() + 33), std::vector<uint8_t>(chroma, chroma + 8));
    } else {
      EXPECT_EQ(img.bmp.bmVPlane, yuv.data() + 29);
      const uint8_t planes[8] = {128, 0, 128, 128, 128, 0, 128, 128};
      EXPECT_EQ(std::vector<uint8_t>(yuv.begin() + 25, yuv.begin() + 33), std::vector<uint8_t>(planes, planes + 8));
    }
  }
  GAL_VideoQuit();
  SetAppCallbacks(nullptr);
}

}  // namespace
