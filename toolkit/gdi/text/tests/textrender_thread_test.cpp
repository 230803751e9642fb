#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "gdi/text/tests/text_fixture.h"
#include "gdi/text/textrender.h"

namespace {

// One thread draws while another measures in the same TrueType font with
// the caches emptied under it: both reach the font's glyph state, which the
// glyph-buffer lock serialises.
class TextThreadTest : public texttest::TextDrawTest {};

TEST_F(TextThreadTest, MeasuringWhileDrawingAgreesWithMeasuringAlone) {
  LogFont* lf = UseDejaVu("rrncnn", 17);
  const char text[] = "Measured while drawn";
  const int len = static_cast<int>(std::strlen(text));
  Size alone{};
  textrender::CalcTextExtent(dc_, lf, text, len, &alone);

  std::atomic<bool> done{false};
  std::thread drawer([&] {
    for (int i = 0; i < 200; ++i) {
      dc_->rcOutput = dc_->devRect;
      textrender::DrawTextString(dc_, 0, 0, text, len);
    }
    done = true;
  });
  int mismatches = 0;
  while (!done) {
    ResetCharWidthCaches();
    Size size{};
    textrender::CalcTextExtent(dc_, lf, text, len, &size);
    mismatches += size.cx != alone.cx;
  }
  drawer.join();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace

namespace {

std::vector<unsigned char> bitsOf(LogFont* lf, unsigned char ch) {
  GlyphBitmap g{};
  GetGlyphBitmap(lf, &ch, 1, &g);
  if (!g.bits) return {};
  return std::vector<unsigned char>(g.bits, g.bits + g.bitmapSize);
}

// Glyph bitmaps handed out on one thread while another draws kerned text
// (rendered afresh for every glyph): neither sees the other's glyphs.
TEST_F(TextThreadTest, GlyphBitmapsAndDrawnTextDoNotShareABuffer) {
  UseDejaVu("rrnKnn", 40);
  LogFont* big = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', 60, 0);
  LogFont* small = CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', 9, 0);
  ASSERT_TRUE(big && small);
  const char text[] = "WAVE";
  const int len = static_cast<int>(std::strlen(text));
  auto draw = [&] {
    Clear(kPaper);
    dc_->rcOutput = dc_->devRect;
    textrender::DrawTextString(dc_, 0, 0, text, len);
    std::vector<GalPixel> shot;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) shot.push_back(At(x, y));
    return shot;
  };
  const std::vector<GalPixel> alone = draw();
  const std::vector<unsigned char> bigW = bitsOf(big, 'W'), smallI = bitsOf(small, 'i');
  ASSERT_FALSE(bigW.empty());
  ASSERT_FALSE(smallI.empty());

  std::atomic<bool> done{false};
  std::atomic<int> badBitmaps{0};
  std::thread asker([&] {
    // Big and small glyphs in turn, so the buffer behind them grows.
    for (int i = 0; !done || i == 0; ++i) {
      badBitmaps += bitsOf(big, 'W') != bigW;
      badBitmaps += bitsOf(small, 'i') != smallI;
    }
  });
  int badText = 0;
  for (int i = 0; i < 40; ++i) badText += draw() != alone;
  done = true;
  asker.join();
  EXPECT_EQ(badText, 0);
  EXPECT_EQ(badBitmaps.load(), 0);
  DestroyLogFont(big);
  DestroyLogFont(small);
}

}  // namespace
