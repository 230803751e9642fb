#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gdi/text/tests/font_fixture.h"

namespace {

using fonttest::ConfigMap;
using fonttest::DevFontTest;

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kDejaVuName[] = "ttf-dejavu-rrncnn-0-0-ISO8859-1";

LogFont* Latin(int size) {
  return CreateLogFont("ttf", "dejavu", "ISO8859-1", 'r', 'r', 'n', 'n', 'n', 'n', size, 0);
}

// Every logical font of a face shares the face: binding a new size on one
// thread must not change the glyphs another thread is loading at its own.
TEST_F(DevFontTest, GlyphsKeepTheirSizeWhileOtherThreadsBindAndReleaseTheFace) {
  ConfigMap config;
  config.Set("truetypefonts", "font_number", "1");
  config.SetFont("truetypefonts", 0, kDejaVuName, kDejaVu);
  ASSERT_TRUE(devfont::LoadTrueTypeFontsFrom(config.Reader()));
  LogFont* system = Latin(16);
  ASSERT_NE(system, nullptr);
  g_SysLogFont[0] = system;
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

}  // namespace
