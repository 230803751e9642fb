#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gdi/dc/tests/window_fakes.h"
#include "gdi/text/tests/text_fixture.h"
#include "gdi/text/textrender.h"
#include "gdi/text/textrender_blit.h"

namespace {

using textrender::CalcTextExtent;
using textrender::DrawTextString;

class DrawStringTest : public texttest::TextDrawTest {
 protected:
  int Draw(int x, int y, const char* text) {
    dc_->rcOutput = dc_->devRect;
    return DrawTextString(dc_, x, y, text, static_cast<int>(std::strlen(text)));
  }
  int Measure(const char* text) {
    Size size{};
    CalcTextExtent(dc_, dc_->font, text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
  }
  // Columns of a cell that hold ink, as a bit set per row.
  std::vector<std::string> Ink(const Rect& r) const {
    std::vector<std::string> rows;
    for (int y = r.top; y < r.bottom; ++y) {
      std::string row;
      for (int x = r.left; x < r.right; ++x) row += At(x, y) == kInk ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(DrawStringTest, OpaqueCellsTakePaperAndInkOnly) {
  UseLatin();
  EXPECT_EQ(Draw(4, 2, "AB"), 16);
  const Rect cells{4, 2, 20, 18};
  EXPECT_GT(Count(kInk, cells), 10);
  EXPECT_EQ(Count(kInk, cells) + Count(kPaper, cells), 16 * 16);
  EXPECT_EQ(At(3, 2), kScribble);
  EXPECT_EQ(At(20, 10), kScribble);
  EXPECT_EQ(At(10, 18), kScribble);
}

TEST_F(DrawStringTest, TransparentTextLeavesTheBackgroundBetweenStrokes) {
  UseLatin();
  Draw(4, 2, "AB");
  const std::vector<std::string> opaque = Ink({4, 2, 20, 18});
  Clear(kScribble);
  dc_->bkMode = BM_TRANSPARENT;
  Draw(4, 2, "AB");
  EXPECT_EQ(Ink({4, 2, 20, 18}), opaque);
  EXPECT_EQ(Count(kPaper, {0, 0, kWidth, kHeight}), 0);
}

TEST_F(DrawStringTest, AddedBoldWidensEveryCharacterByOnePixel) {
  UseLatin();
  Draw(0, 0, "HI");
  const std::vector<std::string> plain = Ink({0, 0, 16, 16});
  Clear(kScribble);
  UseLatin("brncnn");
  EXPECT_EQ(Measure("HI"), 18);
  EXPECT_EQ(Draw(0, 0, "HI"), 18);
  // Every ink pixel of H stays and gains its right neighbour.
  const std::vector<std::string> bold = Ink({0, 0, 9, 16});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x)
      if (plain[y][x] == '#') {
        EXPECT_EQ(bold[y][x], '#');
        EXPECT_EQ(bold[y][x + 1], '#');
      }
}

TEST_F(DrawStringTest, UnderlineAndStrikeOutRunTheWholeString) {
  LogFont* lf = UseLatin("rrncus");
  const int width = Draw(0, 0, "..");
  const int baseline = lf->singleByteDevFont->fontOps->ascent(lf, lf->singleByteDevFont);
  EXPECT_EQ(Count(kInk, {0, baseline, width, baseline + 1}), width);
  const int descent = lf->size - baseline;
  const int strike = baseline + descent - lf->size / 2;
  EXPECT_EQ(Count(kInk, {0, strike, width, strike + 1}), width);
}

TEST_F(DrawStringTest, OutputRectangleAndClipRegionBoundTheGlyphs) {
  UseLatin();
  dc_->rcOutput = Rect{0, 0, 8, kHeight};
  DrawTextString(dc_, 0, 0, "MM", 2);
  EXPECT_EQ(Count(kScribble, {8, 0, 16, 16}), 8 * 16);

  Clear(kScribble);
  const Rect hole{0, 0, 4, kHeight};
  SetClipRgn(&dc_->effClip, &hole);
  Draw(0, 0, "M");
  EXPECT_EQ(Count(kScribble, {4, 0, 8, 16}), 4 * 16);
  EXPECT_GT(Count(kPaper, {0, 0, 4, 16}), 0);
}

TEST_F(DrawStringTest, MultiByteTextUsesTheSixteenPixelGlyphs) {
  UseLatin();  // the single-byte half of the multibyte font
  g_SysLogFont[0] = dc_->font;
  LogFont* gb = Use(CreateLogFont("rbf", "fixed", "GB2312-0", 'r', 'r', 'n', 'c', 'n', 'n', 16, 0));
  ASSERT_NE(gb->multiByteDevFont, nullptr);
  const char text[] = "\xD6\xD0" "A";  // a GB2312 ideograph and a Latin letter
  EXPECT_EQ(Measure(text), 24);
  EXPECT_EQ(Draw(0, 0, text), 24);
  GlyphBitmap glyph{};
  GetGlyphBitmap(gb, reinterpret_cast<const unsigned char*>(text), 2, &glyph);
  ASSERT_NE(glyph.bits, nullptr);
  const std::vector<std::string> drawn = Ink({0, 0, 16, 16});
  int inked = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool bit = (glyph.bits[y * glyph.bitmapPitch + x / 8] >> (7 - x % 8)) & 1;
      EXPECT_EQ(drawn[y][x] == '#', bit) << x << "," << y;
      inked += bit;
    }
  EXPECT_GT(inked, 20);
  g_SysLogFont[0] = nullptr;
}

TEST_F(DrawStringTest, TrueTypeAdvanceEqualsItsMeasure) {
  for (const char* style : {"rrncnn", "brncnn", "rincnn"}) {
    UseDejaVu(style, 18);
    const char text[] = "Wave, fly!";
    const int measured = Measure(text);
    EXPECT_EQ(Draw(0, 0, text), measured) << style;
    EXPECT_EQ(Measure(text), measured) << style;  // now from the cache
    EXPECT_GT(Count(kInk, {0, 0, measured + 8, 30}), 20) << style;
    Clear(kScribble);
  }
}

TEST_F(DrawStringTest, KernedTextMeasuresAsItDrawsWhateverWasMeasuredBefore) {
  UseDejaVu("rrnKnn", 30);
  const char text[] = "AVATAR To";
  // Single characters first, so that nothing measured later may reuse an
  // advance taken without its neighbour.
  for (const char* c : {"A", "V", "T", "o", "R"}) Measure(c);
  const int measured = Measure(text);
  EXPECT_EQ(Draw(0, 0, text), measured);
  EXPECT_EQ(Measure(text), measured);
  EXPECT_EQ(Measure("VA"), Draw(0, 30, "VA"));
}

TEST_F(DrawStringTest, KeptTrueTypeGlyphsDrawAsTheFirstTime) {
  for (const char* style : {"rrncnn", "krncnn"}) {
    UseDejaVu(style, 20);
    const int width = Draw(0, 0, "gap");
    const std::vector<std::string> fresh = Ink({0, 0, width, 30});
    Clear(kScribble);
    Draw(0, 30, "gap");  // from the glyph cache
    EXPECT_EQ(Ink({0, 30, width, 60}), fresh) << style;
    Clear(kScribble);
  }
}

// Glyphs kept ready to draw (runs of ink) write exactly what their level
// image writes, through a comb of clip rectangles and a cut output
// rectangle, by the direct copy and by the DC's raster operation.
TEST_F(DrawStringTest, KeptRunsDrawLikeTheLevelImage) {
  textrender::LevelImage image;
  image.width = 37;
  image.height = 21;
  uint32_t seed = 12345;
  for (int i = 0; i < image.width * image.height; ++i) {
    seed = seed * 1103515245 + 12345;
    const int r = seed >> 28;
    image.levels.push_back(static_cast<uint8_t>(r < 7 ? 16 : r < 9 ? 8 : 0));
  }
  std::vector<textrender::InkRun> runs;
  textrender::InkRunsOf(image, &runs);
  EmptyClipRgn(&dc_->effClip);
  for (int x = 0; x < kWidth; x += 9) {
    const Rect tooth{x, 3 + x % 5, x + 5, kHeight - x % 7};
    AddClipRect(&dc_->effClip, &tooth);
  }
  auto shot = [&](bool kept) {
    Clear(kScribble);
    dc_->rcOutput = Rect{4, 2, 36, 20};
    if (kept)
      textrender::PutInkRuns(dc_, 3, 1, runs, image.width, image.height, kInk);
    else
      textrender::PutInkRuns(dc_, 3, 1, image, kInk);
    std::vector<GalPixel> pixels;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) pixels.push_back(At(x, y));
    return pixels;
  };
  for (int rop : {ROP_SET, ROP_XOR}) {
    SetRasterOperation(HDC_SCREEN, rop);
    const std::vector<GalPixel> fromImage = shot(false);
    EXPECT_EQ(shot(true), fromImage) << rop;
    EXPECT_LT(Count(kScribble, {0, 0, kWidth, kHeight}), kWidth * kHeight);
  }
  SetRasterOperation(HDC_SCREEN, ROP_SET);
}

TEST_F(DrawStringTest, GreyGlyphsUseTheLevelsOfTheColourTable) {
  UseDejaVu("krncnn", 24);
  for (int i = 0; i < kTextColorSlots; ++i)
    dc_->textColors[i] = 0x00A00000u + static_cast<GalPixel>(i);
  const int width = Draw(2, 2, "Og");
  std::set<int> levels;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const GalPixel p = At(x, y);
      if ((p & 0xFFFF00) == 0xA00000) {
        levels.insert(static_cast<int>(p & 0xFF));
      } else if (x >= 2 && x < 2 + width && y >= 2 && y < 30) {
        EXPECT_TRUE(p == kScribble || p == kPaper);
      }
    }
  // The faces' coverage comes in five steps: none, 1/8, 1/4, 1/2, full.
  EXPECT_TRUE(levels.count(16));
  EXPECT_TRUE(levels.count(0));
  for (int level : levels)
    EXPECT_TRUE(level == 0 || level == 2 || level == 4 || level == 8 || level == 16) << level;
  EXPECT_GE(levels.size(), 3u);
}

TEST_F(DrawStringTest, OutlinedGlyphsRingTheInkInTheOutlineColour) {
  UseLatin("lrncnn");
  dc_->bkMode = BM_TRANSPARENT;
  const GalPixel ring = 0x0000FF00;
  dc_->textColors2[0] = 0x00010203;  // transparent key
  dc_->textColors2[1] = ring;
  dc_->textColors2[2] = kInk;
  Draw(8, 8, "I");
  int inked = 0;
  for (int y = 8; y < 24; ++y)
    for (int x = 8; x < 16; ++x) {
      if (At(x, y) != kInk) continue;
      ++inked;
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        EXPECT_TRUE(At(x + dx, y + dy) == kInk || At(x + dx, y + dy) == ring);
    }
  EXPECT_GT(inked, 5);
  EXPECT_EQ(Count(0x00010203, {0, 0, kWidth, kHeight}), 0);
  EXPECT_EQ(Count(kPaper, {0, 0, kWidth, kHeight}), 0);
}

TEST_F(DrawStringTest, WidthCachesKeepFontsAndCharactersApart) {
  // Two sizes of one face, and two characters under one UTF-8 lead byte.
  LogFont* small = UseDejaVu("rrncnn", 12);
  const int smallW = Measure("W");
  LogFont* large = UseDejaVu("rrncnn", 30);
  EXPECT_GT(Measure("W"), smallW);
  dc_->font = small;
  EXPECT_EQ(Measure("W"), smallW);

  g_SysLogFont[0] = small;  // the single-byte half of the multibyte font
  LogFont* utf8 = Use(CreateLogFont("ttf", "dejavu", "UTF-8", 'r', 'r', 'n', 'c', 'n', 'n', 20, 0));
  ASSERT_NE(utf8->multiByteDevFont, nullptr);
  const char wide[] = "\xD0\xA8";    // Cyrillic Sha
  const char narrow[] = "\xD0\x86";  // Cyrillic I
  const int wideW = Measure(wide);
  const int narrowW = Measure(narrow);
  EXPECT_LT(narrowW, wideW);
  ResetCharWidthCaches();
  EXPECT_EQ(Measure(narrow), narrowW);
  EXPECT_EQ(Measure(wide), wideW);
  g_SysLogFont[0] = nullptr;
  (void)large;
}

// Measuring a TrueType character rasterises it; the caches are there so
// that it happens once per character. The count of box queries shows what
// a clear keeps.
int g_boxQueries = 0;
void (*g_realBox)(LogFont*, DevFont*, const unsigned char*, int, int*, int*, int*, int*) = nullptr;
void CountingBox(LogFont* lf, DevFont* df, const unsigned char* mchar, int len, int* x, int* y, int* w,
                 int* h) {
  ++g_boxQueries;
  g_realBox(lf, df, mchar, len, x, y, w, h);
}

TEST_F(DrawStringTest, HighCodeClearRemeasuresOnlyHighCodesOfPreloadedFonts) {
  LogFont* lf = UseDejaVu("rrncnn", 16);
  DevFont* df = lf->singleByteDevFont;
  FontOps counting = *df->fontOps;
  g_realBox = counting.charBoundingBox;
  counting.charBoundingBox = CountingBox;
  const FontOps* real = df->fontOps;
  df->fontOps = &counting;
  for (int slot : {4, 6, 7, 8, 9}) g_SysLogFont[slot] = lf;
  PreloadCharWidthCache(TRUE);
  g_boxQueries = 0;
  const int before = Measure("\xE9t\xE9");
  EXPECT_EQ(g_boxQueries, 0) << "preloaded";
  ClearHighCharWidthCache();
  EXPECT_EQ(Measure("\xE9t\xE9"), before);
  EXPECT_EQ(g_boxQueries, 1) << "only the high code is measured again, and once";
  for (LogFont*& slot : g_SysLogFont) slot = nullptr;
  df->fontOps = real;
}

TEST_F(DrawStringTest, WidthCacheStaysBoundedAndNeverConfusesFontsAcrossAClear) {
  LogFont* small = UseDejaVu("rrncnn", 12);
  const int smallW = Measure("W");
  LogFont* large = UseDejaVu("rrncnn", 30);
  // A walk that took its font id before a clear stores under that id
  // after it; the next font to ask must not share it.
  ResetCharWidthCaches();
  const uint32_t staleId = textrender::WidthFontId(large, large->singleByteDevFont);
  ResetCharWidthCaches();
  const unsigned char w = 'W';
  textrender::ComputeCharWidth(large, large->singleByteDevFont, staleId, &w, 1);
  dc_->font = small;
  EXPECT_EQ(Measure("W"), smallW);

  // Every character of a large face measured once: the cache keeps a
  // bounded number of them.
  g_SysLogFont[0] = small;
  Use(CreateLogFont("ttf", "dejavu", "UTF-8", 'r', 'r', 'n', 'c', 'n', 'n', 12, 0));
  std::string text;
  for (unsigned code = 0x100; code < 0x100 + 20000; ++code) {
    if (code >= 0xD800 && code < 0xE000) continue;
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
  Measure(text.c_str());
  EXPECT_LT(textrender::CharWidthCacheEntries(), 20000u);
  g_SysLogFont[0] = nullptr;
}

TEST_F(DrawStringTest, GreyTextOnAFreshWindowDCDrawsGreyLevels) {
  LogFont* grey = UseDejaVu("krncnn", 24);
  dc_->font = nullptr;
  g_SysLogFont[1] = grey;  // the font a new window DC starts with
  gui::dc::SetClipInfoOps(dctest::FakeClipInfoOps());
  {
    dctest::FakeMainWindow main({0, 0, 80, 40}, {0, 0, 80, 40});
    HDC hdc = GetClientDC(main.handle());
    ASSERT_NE(hdc, HDC_INVALID);
    const int width = TextOutLen(hdc, 2, 2, "Og", -1);
    ReleaseDC(hdc);
    int white = 0, black = 0, between = 0;
    for (int y = 2; y < 2 + 24; ++y)
      for (int x = 2; x < 2 + width; ++x) {
        const GalPixel p = At(x, y);
        if (p == 0xFFFFFF) ++white;
        else if (p == 0) ++black;
        else if ((p >> 16) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF)) ++between;
      }
    EXPECT_GT(white, width * 24 / 3) << "paper around the strokes";
    EXPECT_GT(black, 10);
    EXPECT_GT(between, 5) << "grey edges";
    EXPECT_EQ(white + black + between, width * 24);
  }
  gui::dc::SetClipInfoOps(nullptr);
  g_SysLogFont[1] = nullptr;
}

}  // namespace

namespace {

// Fills of every width up to 20 pixels on 16- and 32-bit screens, ending at
// the row's end: exactly the box changes, nothing past it (the guarded
// screen's padding stays intact).
TEST_F(DrawStringTest, CellFillsCoverExactlyTheirBoxAtEachDepth) {
  TerminateGDI();
  for (int bpp : {16, 32}) {
    GuardedSurface screen(40, 24, bpp, bpp == 16 ? 0xF800 : 0xFF0000, bpp == 16 ? 0x07E0 : 0xFF00,
                          bpp == 16 ? 0x001F : 0xFF);
    ASSERT_TRUE(InitGDI(screen.get()));
    DC* dc = gui::dc::ScreenDC();
    const GalPixel value = bpp == 16 ? 0xA5C3 : 0x00A5C3E7;
    for (int w = 1; w <= 20; ++w) {
      const Rect box{40 - w, w, 40, w + 1};
      dc->rcOutput = dc->devRect;
      ASSERT_EQ(gui::dc::BeginDCDrawing(dc), 0);
      textrender::FillClipped(dc, box, value);
      gui::dc::EndDCDrawing(dc);
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(screen.pixel(x, w), x >= 40 - w ? value : 0u) << bpp << " bits, width " << w << " at " << x;
    }
    EXPECT_EQ(screen.pixel(39, 0), 0u);
    EXPECT_EQ(screen.pixel(39, 21), 0u);
    TerminateGDI();
    EXPECT_TRUE(screen.paddingIntact()) << bpp;
  }
  ASSERT_TRUE(InitGDI(screen_->get()));
  dc_ = gui::dc::ScreenDC();
}

}  // namespace
