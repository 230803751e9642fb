#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::ConfigMap;
using fonttest::DevFontTest;
using fonttest::LogFontHolder;

const char kSection[] = "truetypefonts";
const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kWqy[] = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
const char kDejaVuName[] = "ttf-dejavu-rrncnn-0-0-ISO8859-1,ISO8859-5,UTF-8";
const char kWqyName[] = "ttf-wqy-rrncnn-0-0-GB2312-0,ISO8859-1";

// The same face opened straight through FreeType, as the reference.
class Reference {
 public:
  Reference(const char* path, int pixels) {
    FT_Init_FreeType(&library_);
    if (FT_New_Face(library_, path, 0, &face_) == 0) FT_Set_Pixel_Sizes(face_, pixels, pixels);
  }
  ~Reference() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  FT_Face face() const { return face_; }
  FT_GlyphSlot Load(FT_UInt glyph) {
    EXPECT_EQ(FT_Load_Glyph(face_, glyph, FT_LOAD_NO_BITMAP), 0);
    return face_->glyph;
  }
  FT_GlyphSlot LoadChar(FT_ULong code) { return Load(FT_Get_Char_Index(face_, code)); }
  FT_BBox Box(FT_GlyphSlot slot) {
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    return box;
  }
  int InkWidth(FT_UInt glyph) {
    FT_BBox b = Box(Load(glyph));
    return static_cast<int>((((b.xMax + 63) & -64) - (b.xMin & -64)) >> 6);
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

class TrueTypeTest : public DevFontTest {
 protected:
  void SetUp() override {
    DevFontTest::SetUp();
    config_.Set(kSection, "font_number", "2");
    config_.SetFont(kSection, 0, kDejaVuName, kDejaVu);
    config_.SetFont(kSection, 1, kWqyName, kWqy);
    ASSERT_TRUE(devfont::LoadTrueTypeFontsFrom(config_.Reader()));
    system_ = Latin(16);
    ASSERT_NE(system_, nullptr);
    g_SysLogFont[0] = system_;
  }
  void TearDown() override {
    DestroyLogFont(system_);
    DevFontTest::TearDown();
  }

  static LogFont* Latin(int size, char other = 'n', int rotation = 0) {
    return CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', other, 'n', 'n', size,
                         rotation);
  }

  ConfigMap config_;
  LogFont* system_ = nullptr;
};

TEST_F(TrueTypeTest, MetricsFollowFreeTypeScalesByTheFontRules) {
  for (int pixels : {12, 16, 24, 33}) {
    Reference ref(kDejaVu, pixels);
    FT_Face face = ref.face();
    const FT_Size_Metrics& sm = face->size->metrics;
    int ascent = static_cast<int>((face->ascender * sm.y_scale / 65536) / 64 + 1);
    int descent = static_cast<int>((face->descender * sm.y_scale / 65536) / 64 + 1);
    int maxWidth = static_cast<int>((face->max_advance_width * sm.x_scale) >> 22);

    LogFontHolder lf(Latin(pixels));
    ASSERT_NE(lf.get(), nullptr);
    DevFont* df = lf->singleByteDevFont;
    const FontOps* ops = df->fontOps;
    EXPECT_EQ(ops->ascent(lf.get(), df), ascent) << pixels;
    EXPECT_EQ(ops->descent(lf.get(), df), -descent) << pixels;
    EXPECT_EQ(ops->fontHeight(lf.get(), df), ascent - descent) << pixels;
    EXPECT_EQ(ops->maxWidth(lf.get(), df), maxWidth) << pixels;
    // The LogFont takes the face's height, which is bigger than asked for.
    EXPECT_EQ(lf->size, ascent - descent) << pixels;
    // 6253 glyphs: the average is the width of glyph 256, measured directly.
    EXPECT_EQ(ops->averageWidth(lf.get(), df), ref.InkWidth(256)) << pixels;
    // Characters of the first 256 glyphs read the width table.
    const unsigned char a = 'A';
    EXPECT_EQ(ops->charWidth(lf.get(), df, &a, 1), ref.InkWidth(FT_Get_Char_Index(face, 'A')));
  }
}

// Widths are measured when first asked for: each at its own font's size,
// whichever size the shared face was last used at, and the same when asked
// again.
TEST_F(TrueTypeTest, WidthsAskedForBetweenOtherSizesKeepTheirOwnSize) {
  LogFontHolder small(Latin(12));
  LogFontHolder large(Latin(33));
  ASSERT_NE(small.get(), nullptr);
  ASSERT_NE(large.get(), nullptr);
  Reference smallRef(kDejaVu, 12), largeRef(kDejaVu, 33);
  DevFont* sdf = small->singleByteDevFont;
  DevFont* ldf = large->singleByteDevFont;
  for (int round = 0; round < 2; ++round)
    for (unsigned char c : std::string("AWgi%@.")) {
      GlyphBitmap g{};
      GetGlyphBitmap(small.get(), &c, 1, &g);  // the face now at the small size
      EXPECT_EQ(ldf->fontOps->charWidth(large.get(), ldf, &c, 1),
                largeRef.InkWidth(FT_Get_Char_Index(largeRef.face(), c)))
          << c << " round " << round;
      GetGlyphBitmap(large.get(), &c, 1, &g);
      EXPECT_EQ(sdf->fontOps->charWidth(small.get(), sdf, &c, 1),
                smallRef.InkWidth(FT_Get_Char_Index(smallRef.face(), c)))
          << c << " round " << round;
    }
}

// Pixel (x, y) relative to the pen, y downward, of a 1-bit image at a place.
bool pixelAt(const unsigned char* bits, int pitch, int left, int top, int w, int h, int x, int y) {
  int col = x - left, row = y - top;
  if (col < 0 || row < 0 || col >= w || row >= h) return false;
  return bits[row * pitch + col / 8] & (0x80 >> (col % 8));
}

TEST_F(TrueTypeTest, BoxesAdvancesAndBitsMatchFreeTypesOwnRendering) {
  Reference ref(kDejaVu, 16);
  LogFontHolder lf(Latin(16));
  for (unsigned char c : {0x41, 0x67, 0x6A, 0x2E, 0xE9}) {
    FT_GlyphSlot slot = ref.LoadChar(c);
    FT_BBox box = ref.Box(slot);
    int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    ASSERT_EQ(FT_Render_Glyph(slot, FT_RENDER_MODE_MONO), 0);

    GlyphBitmap g{};
    GetGlyphBitmap(lf.get(), &c, 1, &g);
    // The box takes whole pixels outward from the outline's box.
    EXPECT_EQ(g.bboxX, static_cast<int>((box.xMin & -64) >> 6)) << c;
    EXPECT_EQ(g.bboxY, -static_cast<int>(((box.yMax + 63) & -64) >> 6)) << c;
    EXPECT_EQ(g.bboxX + g.bboxW, static_cast<int>(((box.xMax + 63) & -64) >> 6)) << c;
    EXPECT_EQ(g.bboxY + g.bboxH, -static_cast<int>((box.yMin & -64) >> 6)) << c;
    EXPECT_EQ(g.advanceX, advance) << c;
    EXPECT_EQ(g.advanceY, 0) << c;
    ASSERT_NE(g.bits, nullptr);
    // FreeType may crop its own image tighter; the pixels themselves agree.
    const FT_Bitmap& ft = slot->bitmap;
    int ftLeft = slot->bitmap_left, ftTop = -slot->bitmap_top;
    for (int y = g.bboxY - 1; y <= g.bboxY + g.bboxH; ++y)
      for (int x = g.bboxX - 1; x <= g.bboxX + g.bboxW; ++x)
        EXPECT_EQ(pixelAt(g.bits, g.bitmapPitch, g.bboxX, g.bboxY, g.bboxW, g.bboxH, x, y),
                  pixelAt(ft.buffer, ft.pitch, ftLeft, ftTop, static_cast<int>(ft.width),
                          static_cast<int>(ft.rows), x, y))
            << "character " << c << " at " << x << "," << y;
  }
}

TEST_F(TrueTypeTest, GreyPixmapsUseFiveLevels) {
  Reference ref(kDejaVu, 24);
  LogFontHolder lf(Latin(24));
  DevFont* df = lf->singleByteDevFont;
  const unsigned char c = 'R';
  int x = 0, y = 0, w = 0, h = 0;
  df->fontOps->charBoundingBox(lf.get(), df, &c, 1, &x, &y, &w, &h);
  int pitch = 0;
  unsigned short scale = 0;
  const unsigned char* grey = df->fontOps->charGreyPixmap(lf.get(), df, &c, 1, &pitch, &scale);
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(pitch % 4, 0);
  EXPECT_GE(pitch, w);
  EXPECT_EQ(scale, 1);

  FT_GlyphSlot slot = ref.LoadChar(c);
  ASSERT_EQ(FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL), 0);
  ASSERT_EQ(static_cast<int>(slot->bitmap.width), w);
  const std::set<unsigned char> levels = {0x00, 0x20, 0x40, 0x80, 0xFF};
  int solid = 0;
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      unsigned char v = grey[row * pitch + col];
      unsigned char coverage = slot->bitmap.buffer[row * slot->bitmap.pitch + col];
      EXPECT_TRUE(levels.count(v)) << int(v);
      if (coverage == 255) {
        EXPECT_EQ(v, 0xFF);
      }
      if (coverage == 0) {
        EXPECT_EQ(v, 0x00);
      }
      solid += v == 0xFF;
    }
  EXPECT_GT(solid, 0);
}

TEST_F(TrueTypeTest, KerningMovesThePenOnlyWhenAsked) {
  Reference ref(kDejaVu, 16);
  FT_UInt a = FT_Get_Char_Index(ref.face(), 'A'), v = FT_Get_Char_Index(ref.face(), 'V');
  FT_Vector kern{};
  ASSERT_EQ(FT_Get_Kerning(ref.face(), a, v, FT_KERNING_DEFAULT, &kern), 0);
  ASSERT_NE(kern.x, 0);
  int advanceA = static_cast<int>((ref.Load(a)->advance.x + 32) >> 6);
  int advanceV = static_cast<int>((ref.Load(v)->advance.x + 32) >> 6);

  auto penAfter = [](LogFont* lf, const char* text) {
    DevFont* df = lf->singleByteDevFont;
    df->fontOps->startStringOutput(lf, df);
    int x = 0, y = 0;
    for (const char* p = text; *p; ++p) {
      auto c = reinterpret_cast<const unsigned char*>(p);
      int bx = x, by = y, w, h;
      df->fontOps->charBoundingBox(lf, df, c, 1, &bx, &by, &w, &h);
      df->fontOps->charAdvance(lf, df, c, 1, &x, &y);
    }
    return x;
  };
  LogFontHolder plain(Latin(16));
  LogFontHolder kerned(Latin(16, 'K'));
  EXPECT_EQ(penAfter(plain.get(), "AV"), advanceA + advanceV);
  EXPECT_EQ(penAfter(kerned.get(), "AV"), advanceA + advanceV + (kern.x >> 6));
  // A new string forgets the previous glyph.
  EXPECT_EQ(penAfter(kerned.get(), "V"), advanceV);
}

TEST_F(TrueTypeTest, KerningIsScaledForItsOwnFontWhenAnotherSizeWasUsedBetween) {
  LogFontHolder kerned(Latin(48, 'K'));
  LogFontHolder other(Latin(12));
  const unsigned char a = 'A', v = 'V';
  auto advanceOfV = [&](bool interleave) {
    DevFont* df = kerned->singleByteDevFont;
    df->fontOps->startStringOutput(kerned.get(), df);
    int x = 0, y = 0, w, h, bx = 0, by = 0;
    df->fontOps->charBoundingBox(kerned.get(), df, &a, 1, &bx, &by, &w, &h);
    df->fontOps->charAdvance(kerned.get(), df, &a, 1, &x, &y);
    df->fontOps->charBoundingBox(kerned.get(), df, &v, 1, &bx, &by, &w, &h);
    if (interleave) {
      GlyphBitmap g{};
      GetGlyphBitmap(other.get(), &a, 1, &g);
    }
    const int before = x;
    df->fontOps->charAdvance(kerned.get(), df, &v, 1, &x, &y);
    return x - before;
  };
  EXPECT_EQ(advanceOfV(true), advanceOfV(false));
}

TEST_F(TrueTypeTest, RotationTurnsTheAdvance) {
  LogFontHolder upright(Latin(16));
  LogFontHolder turned(Latin(16, 'n', 900));  // a quarter turn anticlockwise
  ASSERT_NE(turned.get(), nullptr);
  EXPECT_EQ(turned->rotation, 900);
  const unsigned char c = 'H';
  GlyphBitmap g{}, r{};
  GetGlyphBitmap(upright.get(), &c, 1, &g);
  GetGlyphBitmap(turned.get(), &c, 1, &r);
  EXPECT_EQ(r.advanceX, 0);
  EXPECT_EQ(r.advanceY, -g.advanceX);  // y grows downward
  EXPECT_NEAR(r.bboxW, g.bboxH, 1);
  EXPECT_NEAR(r.bboxH, g.bboxW, 1);
}

TEST_F(TrueTypeTest, FurtherCharsetsOfANameShareTheFace) {
  std::vector<std::string> singleByte, multiByte;
  for (DevFont* df = GetNextDevFont(nullptr); df; df = GetNextDevFont(df))
    (df->charsetOps->bytes_maxlen_char > 1 ? multiByte : singleByte).push_back(df->charsetOps->name);
  EXPECT_EQ(singleByte, (std::vector<std::string>{"ISO8859-1", "ISO8859-5", "ISO8859-1"}));
  EXPECT_EQ(multiByte, (std::vector<std::string>{"UTF-8", "GB2312-0"}));

  // Cyrillic through ISO8859-5: byte 0xB0 is U+0410.
  Reference ref(kDejaVu, 16);
  LogFontHolder cyr(CreateLogFont("ttf", "dejavu", "ISO8859-5", 'r', 'r', 'n', 'n', 'n', 'n', 16, 0));
  ASSERT_NE(cyr.get(), nullptr);
  EXPECT_STREQ(cyr->charset, "ISO8859-5");
  const unsigned char be = 0xB0;
  GlyphBitmap g{};
  GetGlyphBitmap(cyr.get(), &be, 1, &g);
  FT_BBox box = ref.Box(ref.LoadChar(0x410));
  EXPECT_EQ(g.bboxW, static_cast<int>((((box.xMax + 63) & -64) - (box.xMin & -64)) >> 6));
}

TEST_F(TrueTypeTest, ChineseFaceServesBothHalvesOfGb2312Text) {
  LogFontHolder lf(CreateLogFont("ttf", "wqy", "GB2312-0", 'r', 'r', 'n', 'n', 'n', 'n', 16, 0));
  ASSERT_NE(lf.get(), nullptr);
  ASSERT_NE(lf->multiByteDevFont, nullptr);
  EXPECT_STREQ(lf->multiByteDevFont->charsetOps->name, "GB2312-0");
  EXPECT_STREQ(lf->singleByteDevFont->charsetOps->name, "ISO8859-1");
  EXPECT_STREQ(lf->family, "wqy");

  const unsigned char zhong[] = {0xD6, 0xD0};
  GlyphBitmap g{};
  GetGlyphBitmap(lf.get(), zhong, 2, &g);
  EXPECT_GT(g.bboxW, 8);
  EXPECT_GT(g.advanceX, 8);
  int set = 0;
  for (int i = 0; i < g.bitmapSize; ++i) set += g.bits[i] != 0;
  EXPECT_GT(set, 0);

  // Bound for single-byte text, a multi-byte face takes its compatible charset.
  DevFont* gbFace = nullptr;
  for (DevFont* df = GetNextDevFont(nullptr); df; df = GetNextDevFont(df))
    if (std::string(df->charsetOps->name) == "GB2312-0") gbFace = df;
  ASSERT_NE(gbFace, nullptr);
  DevFont* single = gbFace->fontOps->newInstance(lf.get(), gbFace, TRUE);
  ASSERT_NE(single, nullptr);
  EXPECT_STREQ(single->charsetOps->name, "ISO8859-1");
  gbFace->fontOps->deleteInstance(lf.get(), single);
}

// A subset of the Latin face with 8 glyphs, kept beside this file.
std::string smallFacePath() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/data/small_face.ttf";
}

TEST_F(TrueTypeTest, SmallFaceAveragesItsWholeWidthTable) {
  ConfigMap config;
  config.Set(kSection, "font_number", "1");
  config.SetFont(kSection, 0, "ttf-small-rrncnn-0-0-ISO8859-2", smallFacePath());
  ASSERT_TRUE(devfont::LoadTrueTypeFontsFrom(config.Reader()));
  LogFontHolder lf(CreateLogFont("ttf", "small", "ISO8859-2", 'r', 'r', 'n', 'n', 'n', 'n', 20, 0));
  ASSERT_NE(lf.get(), nullptr);
  EXPECT_STREQ(lf->family, "small");

  Reference ref(smallFacePath().c_str(), 20);
  ASSERT_LT(ref.face()->num_glyphs, 256);
  int sum = 0;
  for (FT_UInt g = 0; g < static_cast<FT_UInt>(ref.face()->num_glyphs); ++g) sum += ref.InkWidth(g);
  DevFont* df = lf->singleByteDevFont;
  EXPECT_EQ(df->fontOps->averageWidth(lf.get(), df), sum / ref.face()->num_glyphs);
  // Characters the face lacks map to glyph 0, still inside the table.
  const unsigned char missing = 'Z';
  EXPECT_EQ(df->fontOps->charWidth(lf.get(), df, &missing, 1), ref.InkWidth(0));
}

TEST_F(TrueTypeTest, FaceThatCannotBeOpenedFailsTheLoad) {
  DestroyLogFont(system_);  // its instances live on the faces unloaded here
  system_ = g_SysLogFont[0] = nullptr;
  UnloadTrueTypeFonts();
  ClearDevFontLists();
  const std::string junk = testing::TempDir() + std::to_string(getpid()) + "_junk_face.ttf";
  {
    std::ofstream out(junk, std::ios::binary);
    out << "not a font at all";
  }
  ConfigMap config = config_;
  config.SetFont(kSection, 1, kWqyName, junk);
  EXPECT_FALSE(devfont::LoadTrueTypeFontsFrom(config.Reader()));
  EXPECT_EQ(GetNextDevFont(nullptr), nullptr);
  config.SetFont(kSection, 1, "ttf-wqy-rrncnn-0-0-NOSUCH", kWqy);
  EXPECT_FALSE(devfont::LoadTrueTypeFontsFrom(config.Reader()));
  config.SetFont(kSection, 1, kWqyName, "/nonexistent.ttf");
  EXPECT_FALSE(devfont::LoadTrueTypeFontsFrom(config.Reader()));
  EXPECT_EQ(GetNextDevFont(nullptr), nullptr);
  std::remove(junk.c_str());
}

}  // namespace
