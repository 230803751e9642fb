#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "gdi/text/rawbitmap_font.h"
#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::ConfigMap;
using fonttest::DevFontTest;
using fonttest::LogFontHolder;
using fonttest::RawFontPath;

const char kSection[] = "rawbitmapfonts";
const char kLatinName[] = "rbf-fixed-rrncnn-8-16-ISO8859-1";
const char kGbName[] = "rbf-fixed-rrncnn-16-16-GB2312-0";

std::vector<unsigned char> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RawFontTest : public DevFontTest {
 protected:
  void SetUp() override {
    DevFontTest::SetUp();
    config_.Set(kSection, "font_number", "2");
    config_.SetFont(kSection, 0, kLatinName, RawFontPath("iso8859-1-8x16.bin"));
    config_.SetFont(kSection, 1, kGbName, RawFontPath("gb2312-16x16.bin"));
  }

  void LoadWithSystemFont() {
    ASSERT_TRUE(devfont::LoadRawBitmapFontsFrom(config_.Reader()));
    system_ = CreateLogFontByName(kLatinName);
    ASSERT_NE(system_, nullptr);
    g_SysLogFont[0] = system_;
  }

  void TearDown() override {
    DestroyLogFont(system_);
    DevFontTest::TearDown();
  }

  LogFont* Scaled(int size) {
    return CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'S', 'n', 'n', size, 0);
  }

  ConfigMap config_;
  LogFont* system_ = nullptr;
};

TEST_F(RawFontTest, GlyphBitsAreThoseOfTheGeneratedFile) {
  LoadWithSystemFont();
  std::vector<unsigned char> latin = fileBytes(RawFontPath("iso8859-1-8x16.bin"));
  ASSERT_EQ(latin.size(), 256u * 16);
  for (unsigned char c : {0x41, 0x67, 0xE9}) {
    GlyphBitmap g{};
    GetGlyphBitmap(system_, &c, 1, &g);
    EXPECT_EQ(g.bboxX, 0);
    EXPECT_EQ(g.bboxY, 2);  // the font's descent
    EXPECT_EQ(g.bboxW, 8);
    EXPECT_EQ(g.bboxH, 16);
    EXPECT_EQ(g.advanceX, 8);
    EXPECT_EQ(g.advanceY, 0);
    EXPECT_EQ(g.bitmapPitch, 1);
    EXPECT_EQ(g.bitmapSize, 16);
    ASSERT_NE(g.bits, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(g.bits, g.bits + 16),
              std::vector<unsigned char>(latin.begin() + c * 16, latin.begin() + c * 16 + 16))
        << "character " << int(c);
  }
}

TEST_F(RawFontTest, MultiByteGlyphsAndTheDefaultCharacter) {
  LoadWithSystemFont();
  std::vector<unsigned char> gb = fileBytes(RawFontPath("gb2312-16x16.bin"));
  ASSERT_EQ(gb.size(), 8178u * 32);
  LogFontHolder lf(CreateLogFont("rbf", "fixed", "GB2312-0", 'r', 'r', 'n', 'n', 'n', 'n', 16, 0));
  ASSERT_NE(lf.get(), nullptr);
  ASSERT_NE(lf->multiByteDevFont, nullptr);
  EXPECT_EQ(lf->size, 16);  // equal heights and descents

  const unsigned char zhong[] = {0xD6, 0xD0};  // U+4E2D
  size_t index = (0xD6 - 0xA1) * 94 + (0xD0 - 0xA1);
  GlyphBitmap g{};
  GetGlyphBitmap(lf.get(), zhong, 2, &g);
  EXPECT_EQ(g.bboxW, 16);
  EXPECT_EQ(g.bitmapPitch, 2);
  EXPECT_EQ(g.bitmapSize, 32);
  EXPECT_EQ(std::vector<unsigned char>(g.bits, g.bits + 32),
            std::vector<unsigned char>(gb.begin() + index * 32, gb.begin() + index * 32 + 32));
  // The middle stroke of the character runs through both bytes of every row.
  EXPECT_EQ(g.bits[0] & 0x01, 0x01);

  // Past the glyphs of the charset: the default character (0xA1 0xA1, glyph 0).
  const unsigned char beyond[] = {0xF8, 0xA1};
  GetGlyphBitmap(lf.get(), beyond, 2, &g);
  EXPECT_EQ(g.bits, lf->multiByteDevFont->fontOps->charBitmap(lf.get(), lf->multiByteDevFont,
                                                                (const unsigned char*)"\xA1\xA1", 2,
                                                                nullptr));
  // Latin bytes in GB2312 text go to the single-byte font.
  const unsigned char a = 'A';
  GetGlyphBitmap(lf.get(), &a, 1, &g);
  EXPECT_EQ(g.bboxW, 8);
}

TEST_F(RawFontTest, ScalingPicksTheNearestWholeMultiple) {
  LoadWithSystemFont();
  struct Case {
    int size, scale;
  };
  for (Case c : {Case{33, 2}, Case{24, 2}, Case{40, 3}, Case{16, 1}, Case{8, 1}, Case{256, 16}}) {
    LogFontHolder lf(Scaled(c.size));
    ASSERT_NE(lf.get(), nullptr);
    EXPECT_EQ(lf->singleByteScale, c.scale) << c.size;
    EXPECT_EQ(lf->size, 16 * c.scale) << c.size;
  }
  // Without the scaling letter the font keeps its own size.
  LogFontHolder plain(CreateLogFont("rbf", "fixed", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', 33, 0));
  EXPECT_EQ(plain->singleByteScale, 1);
  EXPECT_EQ(plain->size, 16);
}

TEST_F(RawFontTest, ScaledMetricsAndGlyphs) {
  LoadWithSystemFont();
  LogFontHolder lf(Scaled(33));
  FontMetrics m{};
  GetFontMetrics(lf.get(), &m);
  EXPECT_EQ(m.fontHeight, 32);
  EXPECT_EQ(m.ascent, 29);  // a 32-pixel cell has 3 below the baseline
  EXPECT_EQ(m.descent, 3);
  EXPECT_EQ(m.maxWidth, 16);
  EXPECT_EQ(m.averageWidth, 16);

  const unsigned char a = 'A';
  GlyphBitmap g{};
  GetGlyphBitmap(lf.get(), &a, 1, &g);
  EXPECT_EQ(g.bboxW, 8);  // glyphs come unscaled, with the scale to apply
  EXPECT_EQ(g.bboxH, 16);
  EXPECT_EQ(g.advanceX, 8);
  unsigned short scale = 0;
  DevFont* df = lf->singleByteDevFont;
  EXPECT_EQ(df->fontOps->charBitmap(lf.get(), df, &a, 1, &scale), g.bits);
  EXPECT_EQ(scale, 2);
}

TEST_F(RawFontTest, DescentGrowsWithTheCell) {
  struct Case {
    int h, descent;
  };
  for (Case c : {Case{9, 0}, Case{10, 1}, Case{14, 1}, Case{15, 2}, Case{19, 2}, Case{20, 3},
                 Case{39, 3}, Case{40, 6}, Case{256, 6}})
    EXPECT_EQ(rawfont::DescentForHeight(c.h), c.descent) << c.h;
  EXPECT_EQ(rawfont::NearestMultiple(0, 20), 1);
}

// The glyphs are read from the file when first drawn: from the file that
// loading checked, even once the program has moved to another folder, and
// blank rather than out of bounds when the file has since been cut short.
TEST_F(RawFontTest, GlyphsReadWhenFirstDrawnComeFromTheFileLoadingChecked) {
  const std::string copy = testing::TempDir() + std::to_string(getpid()) + "_latin_raw_font.bin";
  const std::vector<unsigned char> latin = fileBytes(RawFontPath("iso8859-1-8x16.bin"));
  std::ofstream(copy, std::ios::binary).write(reinterpret_cast<const char*>(latin.data()),
                                              static_cast<std::streamsize>(latin.size()));
  char folder[4096];
  ASSERT_NE(::getcwd(folder, sizeof folder), nullptr);
  for (bool cut : {false, true}) {
    config_.SetFont(kSection, 0, kLatinName, copy);
    config_.Set(kSection, "font_number", "1");
    LoadWithSystemFont();
    if (cut) {
      std::ofstream(copy, std::ios::binary | std::ios::trunc).write("\xFF", 1);
    } else {
      ASSERT_EQ(::chdir("/"), 0);
    }
    const unsigned char c = 'A';
    GlyphBitmap g{};
    GetGlyphBitmap(system_, &c, 1, &g);
    ASSERT_EQ(::chdir(folder), 0);
    ASSERT_NE(g.bits, nullptr);
    const std::vector<unsigned char> bits(g.bits, g.bits + 16);
    if (cut)
      EXPECT_EQ(bits, std::vector<unsigned char>(16, 0));
    else
      EXPECT_EQ(bits, std::vector<unsigned char>(latin.begin() + 'A' * 16, latin.begin() + 'A' * 16 + 16));
    DestroyLogFont(system_);
    system_ = nullptr;
    g_SysLogFont[0] = nullptr;
    Reset();
  }
  std::remove(copy.c_str());
}

TEST_F(RawFontTest, LoadedFontsGoToTheListOfTheirCharset) {
  ASSERT_TRUE(devfont::LoadRawBitmapFontsFrom(config_.Reader()));
  DevFont* first = GetNextDevFont(nullptr);
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->name, kLatinName);
  EXPECT_EQ(first->nextSingleByte, nullptr);
  DevFont* second = GetNextDevFont(first);
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(second->name, kGbName);
  EXPECT_STREQ(second->charsetOps->name, "GB2312-0");
  EXPECT_EQ(GetNextDevFont(second), nullptr);
}

TEST_F(RawFontTest, ABadFontFailsTheWholeLoadAndLoadsNothing) {
  const std::string shortFile = testing::TempDir() + std::to_string(getpid()) + "_short_raw_font.bin";
  {
    std::ofstream out(shortFile, std::ios::binary);
    out << std::string(100, '\xFF');
  }
  struct Case {
    const char* what;
    std::string name, file;
  };
  const Case cases[] = {
      {"unknown charset", "rbf-fixed-rrncnn-8-16-KOI8-R", RawFontPath("iso8859-1-8x16.bin")},
      {"charset not named exactly", "rbf-fixed-rrncnn-8-16-LATIN1", RawFontPath("iso8859-1-8x16.bin")},
      {"no height", "rbf-fixed-rrncnn-8", RawFontPath("iso8859-1-8x16.bin")},
      {"missing file", kLatinName, "/nonexistent/font.bin"},
      {"short file", kLatinName, shortFile},
      {"cell too large for int", "rbf-fixed-rrncnn-2147483647-2147483647-ISO8859-1", shortFile},
      {"font larger than its file", "rbf-fixed-rrncnn-60000-60000-GB18030-0", shortFile},
      {"negative width", "rbf-fixed-rrncnn--8-16-ISO8859-1", RawFontPath("iso8859-1-8x16.bin")},
  };
  for (const Case& c : cases) {
    ConfigMap config = config_;
    config.SetFont(kSection, 1, c.name, c.file);
    EXPECT_FALSE(devfont::LoadRawBitmapFontsFrom(config.Reader())) << c.what;
    EXPECT_EQ(GetNextDevFont(nullptr), nullptr) << c.what;
  }
  ConfigMap missingKey = config_;
  missingKey.Set(kSection, "font_number", "3");
  EXPECT_FALSE(devfont::LoadRawBitmapFontsFrom(missingKey.Reader()));
  missingKey.Set(kSection, "font_number", "-1");
  EXPECT_FALSE(devfont::LoadRawBitmapFontsFrom(missingKey.Reader()));

  EXPECT_FALSE(devfont::LoadRawBitmapFontsFrom(ConfigMap().Reader()));  // no font_number
  ConfigMap none;
  none.Set(kSection, "font_number", "0");
  EXPECT_TRUE(devfont::LoadRawBitmapFontsFrom(none.Reader()));
  EXPECT_EQ(GetNextDevFont(nullptr), nullptr);
  std::remove(shortFile.c_str());
}

}  // namespace
