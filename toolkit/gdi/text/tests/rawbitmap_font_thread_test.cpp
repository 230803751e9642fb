// A raw font's glyphs are read when the first one is drawn: threads that
// draw their first glyphs at once must all get the file's bits.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::ConfigMap;
using fonttest::DevFontTest;
using fonttest::RawFontPath;

const char kLatinName[] = "rbf-fixed-rrncnn-8-16-ISO8859-1";
const char kGbName[] = "rbf-fixed-rrncnn-16-16-GB2312-0";

TEST_F(DevFontTest, ThreadsDrawingTheFirstGlyphsAtOnceAllGetTheFileBits) {
  ConfigMap config;
  config.Set("rawbitmapfonts", "font_number", "2");
  config.SetFont("rawbitmapfonts", 0, kLatinName, RawFontPath("iso8859-1-8x16.bin"));
  config.SetFont("rawbitmapfonts", 1, kGbName, RawFontPath("gb2312-16x16.bin"));
  ASSERT_TRUE(devfont::LoadRawBitmapFontsFrom(config.Reader()));
  g_SysLogFont[0] = CreateLogFontByName(kLatinName);
  ASSERT_NE(g_SysLogFont[0], nullptr);
  std::ifstream in(RawFontPath("gb2312-16x16.bin"), std::ios::binary);
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(file.size(), 32u * 94);

  constexpr int kThreads = 6;
  std::vector<LogFont*> fonts;
  for (int t = 0; t < kThreads; ++t) {
    fonts.push_back(CreateLogFontByName(kGbName));
    ASSERT_NE(fonts.back(), nullptr);
  }
  std::atomic<int> ready{0};
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();
      // Row 0xB0 of GB2312: glyph (0xB0 - 0xA1) * 94 + column.
      const unsigned char ch[2] = {0xB0, static_cast<unsigned char>(0xA1 + t)};
      GlyphBitmap g{};
      GetGlyphBitmap(fonts[t], ch, 2, &g);
      const size_t at = static_cast<size_t>((0xB0 - 0xA1) * 94 + t) * 32;
      if (!g.bits || g.bitmapSize != 32 || !std::equal(g.bits, g.bits + 32, file.begin() + static_cast<long>(at)))
        ++wrong;
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
  for (LogFont* f : fonts) DestroyLogFont(f);
  DestroyLogFont(g_SysLogFont[0]);
}

}  // namespace
