#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::ConfigMap;
using fonttest::DevFontTest;

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kDejaVuName[] = "ttf-dejavu-rrncnn-0-0-ISO8859-1";

LogFont* Latin(int size) {
  return CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', size, 0);
}

// The Latin face loaded, with a system font of it; null when either fails.
LogFont* LoadFaceWithSystemFont() {
  ConfigMap config;
  config.Set("truetypefonts", "font_number", "1");
  config.SetFont("truetypefonts", 0, kDejaVuName, kDejaVu);
  if (!devfont::LoadTrueTypeFontsFrom(config.Reader())) return nullptr;
  g_SysLogFont[0] = Latin(16);
  return g_SysLogFont[0];
}

// Every logical font of a face shares the face: binding a new size on one
// thread must not change the glyphs another thread is loading at its own.
TEST_F(DevFontTest, GlyphsKeepTheirSizeWhileOtherThreadsBindAndReleaseTheFace) {
  LogFont* system = LoadFaceWithSystemFont();
  ASSERT_NE(system, nullptr);
  LogFont* drawn = Latin(20);
  ASSERT_NE(drawn, nullptr);

  const unsigned char ch = 'g';
  GlyphBitmap alone{};
  GetGlyphBitmap(drawn, &ch, 1, &alone);

  std::atomic<bool> done{false};
  std::thread binder([&] {
    for (int i = 0; i < 60; ++i) DestroyLogFont(Latin(8 + i % 50));
    done = true;
  });
  int mismatches = 0;
  int rounds = 0;
  while (!done || rounds == 0) {
    GlyphBitmap g{};
    GetGlyphBitmap(drawn, &ch, 1, &g);
    mismatches += g.bboxW != alone.bboxW || g.bboxH != alone.bboxH || g.bboxY != alone.bboxY;
    ++rounds;
  }
  binder.join();
  EXPECT_EQ(mismatches, 0) << "of " << rounds;

  DestroyLogFont(drawn);
  DestroyLogFont(system);
}

// Widths measured at their first ask by several threads at once, each on
// its own size, while another thread binds and releases sizes: each equals
// the width a font of that size measures alone afterwards.
TEST_F(DevFontTest, WidthsMeasuredByThreadsAtOnceKeepTheirSizes) {
  LogFont* system = LoadFaceWithSystemFont();
  ASSERT_NE(system, nullptr);
  const int sizes[] = {11, 18, 27};
  constexpr int kFirst = 32, kLast = 255;
  auto widthsOf = [](LogFont* lf) {
    std::vector<int> widths;
    DevFont* df = lf->singleByteDevFont;
    for (int c = kFirst; c <= kLast; ++c) {
      const auto ch = static_cast<unsigned char>(c);
      widths.push_back(df->fontOps->charWidth(lf, df, &ch, 1));
    }
    return widths;
  };
  std::vector<LogFont*> shared;
  for (int size : sizes) shared.push_back(Latin(size));
  for (LogFont* lf : shared) ASSERT_NE(lf, nullptr);
  std::vector<std::vector<int>> measured(shared.size() * 2);
  std::atomic<bool> done{false};
  std::thread binder([&] {
    for (int i = 0; !done; ++i) DestroyLogFont(Latin(8 + i % 40));
  });
  std::vector<std::thread> askers;
  // Two threads on each font: the same widths may be measured twice at once.
  for (size_t i = 0; i < measured.size(); ++i)
    askers.emplace_back([&, i] { measured[i] = widthsOf(shared[i / 2]); });
  for (std::thread& t : askers) t.join();
  done = true;
  binder.join();
  for (size_t i = 0; i < shared.size(); ++i) {
    LogFont* alone = Latin(sizes[i]);
    ASSERT_NE(alone, nullptr);
    const std::vector<int> expected = widthsOf(alone);
    EXPECT_EQ(measured[2 * i], expected) << sizes[i];
    EXPECT_EQ(measured[2 * i + 1], expected) << sizes[i];
    DestroyLogFont(alone);
    DestroyLogFont(shared[i]);
  }
  DestroyLogFont(system);
}

}  // namespace
