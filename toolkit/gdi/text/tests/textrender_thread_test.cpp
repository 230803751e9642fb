#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

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
