#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi/text/textrender_glyph.h"

namespace {

using textrender::Effect;
using textrender::ExpandLevels;
using textrender::GlyphShape;
using textrender::GlyphSource;
using textrender::LevelImage;

// A monochrome glyph from rows of '#' and '.', one byte per row (8 wide).
struct MonoGlyph {
  std::vector<unsigned char> bytes;
  int width = 0;
  explicit MonoGlyph(const std::vector<std::string>& rows) : width(static_cast<int>(rows[0].size())) {
    for (const std::string& row : rows) {
      unsigned char b = 0;
      for (size_t x = 0; x < row.size(); ++x)
        if (row[x] == '#') b |= static_cast<unsigned char>(0x80 >> x);
      bytes.push_back(b);
    }
  }
  GlyphSource Source(int scale = 1) const {
    GlyphSource s;
    s.bits = bytes.data();
    s.pitch = 1;
    s.width = width * scale;
    s.height = static_cast<int>(bytes.size()) * scale;
    s.scale = scale;
    return s;
  }
};

// Rows of the image with one character per level: '.' 0, '#' 16, else the
// level in hex (levels 1..15).
std::vector<std::string> Picture(const LevelImage& img) {
  std::vector<std::string> rows;
  for (int y = 0; y < img.height; ++y) {
    std::string row;
    for (int x = 0; x < img.width; ++x) {
      const int v = img.at(x, y);
      row += v == 0 ? '.' : v == 16 ? '#' : "0123456789abcdef"[v];
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> Expand(const GlyphSource& src, const GlyphShape& shape) {
  LevelImage img;
  ExpandLevels(src, shape, &img);
  return Picture(img);
}

TEST(GlyphExpansion, BoldRepeatsInkAndItalicShearsTheTopRows) {
  const MonoGlyph glyph({"#..", "#..", "#..", "#.."});
  GlyphShape bold;
  bold.bold = 1;
  EXPECT_EQ(Expand(glyph.Source(), bold), (std::vector<std::string>{"##..", "##..", "##..", "##.."}));

  GlyphShape italic;
  italic.italic = (4 - 1) / 2;
  EXPECT_EQ(Expand(glyph.Source(), italic),
            (std::vector<std::string>{".#..", ".#..", "#...", "#..."}));
}

TEST(GlyphExpansion, ScaledPixelsBecomeBlocks) {
  const MonoGlyph glyph({"#.", ".#"});
  EXPECT_EQ(Expand(glyph.Source(2), GlyphShape{}),
            (std::vector<std::string>{"##..", "##..", "..##", "..##"}));
}

TEST(GlyphExpansion, MirrorAndFlip) {
  const MonoGlyph glyph({"##.", "#.."});
  GlyphShape both;
  both.mirror = true;
  both.flip = true;
  EXPECT_EQ(Expand(glyph.Source(), both), (std::vector<std::string>{"..#", ".##"}));
}

TEST(GlyphExpansion, SmoothingGradesTheBorderByNeighbours) {
  const MonoGlyph dot({"#"});
  GlyphShape smooth;
  smooth.effect = Effect::kSmooth;
  // Edge neighbours give 3, corner neighbours 1, around a one-pixel border.
  EXPECT_EQ(Expand(dot.Source(), smooth), (std::vector<std::string>{"131", "3#3", "131"}));

  const MonoGlyph crowded({"#.#", "...", "#.#"});
  std::vector<std::string> rows = Expand(crowded.Source(), smooth);
  EXPECT_EQ(rows[2][2], '4');  // four diagonal inks
  EXPECT_EQ(rows[1][2], '6');  // ink on both sides
}

TEST(GlyphExpansion, OutlineMarksEdgesAroundInk) {
  const MonoGlyph dot({"#"});
  GlyphShape outline;
  outline.effect = Effect::kOutline;
  LevelImage img;
  ExpandLevels(dot.Source(), outline, &img);
  ASSERT_EQ(img.width, 3);
  EXPECT_EQ(img.at(1, 1), textrender::kOutlineInk);
  EXPECT_EQ(img.at(0, 1), textrender::kOutlineEdge);
  EXPECT_EQ(img.at(1, 0), textrender::kOutlineEdge);
  EXPECT_EQ(img.at(0, 0), textrender::kOutlineClear);
}

TEST(GlyphExpansion, GreyValuesBecomeSixteenthLevels) {
  const unsigned char grey[] = {0x00, 0x20, 0x40, 0x80, 0xFF, 0x0F};
  GlyphSource src;
  src.bits = grey;
  src.pitch = 6;
  src.grey = true;
  src.width = 6;
  src.height = 1;
  GlyphShape bold;
  bold.bold = 1;  // grey glyphs are not emboldened
  EXPECT_EQ(Expand(src, bold), (std::vector<std::string>{".248#.."}));
}

TEST(GlyphExpansion, LevelsMapThroughTheTableAtEachDepth) {
  LevelImage img;
  img.width = 3;
  img.height = 1;
  img.levels = {0, 8, 16};
  GalPixel table[textrender::kLevels];
  for (int i = 0; i < textrender::kLevels; ++i) table[i] = 0x10203000u + static_cast<GalPixel>(i);
  for (int bytes = 1; bytes <= 4; ++bytes) {
    std::vector<uint8_t> out(3 * bytes + 1, 0xEE);
    textrender::MapLevels(img, table, bytes, out.data(), 3 * bytes);
    const GalPixel mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
    EXPECT_EQ(textrender::ReadPixel(&out[0], bytes), table[0] & mask);
    EXPECT_EQ(textrender::ReadPixel(&out[bytes], bytes), table[8] & mask);
    EXPECT_EQ(textrender::ReadPixel(&out[2 * bytes], bytes), table[16] & mask);
    EXPECT_EQ(out.back(), 0xEE);
  }
}

}  // namespace
