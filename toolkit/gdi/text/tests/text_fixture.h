// Set-up shared by the system-font and text tests: the raw bitmap fonts the
// build generates, the two TrueType faces, and system fonts made from a
// configuration held in memory.
#ifndef TOOLKIT_GDI_TEXT_TESTS_TEXT_FIXTURE_H
#define TOOLKIT_GDI_TEXT_TESTS_TEXT_FIXTURE_H

#include <memory>
#include <string>
#include <vector>

#include "gdi/dc_record.h"
#include "gdi/gal/tests/guarded_surface.h"
#include "gdi/sysfont.h"
#include "gdi/text/devfont_load.h"
#include "gdi/text/tests/font_fixture.h"
#include "gui/dc.h"

namespace texttest {

constexpr char kLatin[] = "rbf-fixed-rrncnn-8-16-ISO8859-1";
constexpr char kLatin2[] = "rbf-fixed-rrncnn-8-16-ISO8859-2";
constexpr char kGb[] = "rbf-fixed-rrncnn-16-16-GB2312-0";
constexpr char kJis[] = "rbf-fixed-rrncnn-16-16-JISX0208-1";
constexpr char kDejaVu[] = "ttf-dejavu-rrncnn-0-0-ISO8859-1,ISO8859-2,UTF-8";
constexpr char kDejaVuFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class TextFontTest : public fonttest::DevFontTest {
 protected:
  void SetUp() override {
    fonttest::DevFontTest::SetUp();
    ResetCharWidthCaches();
    const char raw[] = "rawbitmapfonts";
    config_.Set(raw, "font_number", "4");
    config_.SetFont(raw, 0, kLatin, fonttest::RawFontPath("iso8859-1-8x16.bin"));
    config_.SetFont(raw, 1, kLatin2, fonttest::RawFontPath("iso8859-2-8x16.bin"));
    config_.SetFont(raw, 2, kGb, fonttest::RawFontPath("gb2312-16x16.bin"));
    config_.SetFont(raw, 3, kJis, fonttest::RawFontPath("jisx0208-1-16x16.bin"));
    config_.Set("truetypefonts", "font_number", "1");
    config_.SetFont("truetypefonts", 0, kDejaVu, kDejaVuFile);
    ASSERT_TRUE(devfont::LoadRawBitmapFontsFrom(config_.Reader()));
    ASSERT_TRUE(devfont::LoadTrueTypeFontsFrom(config_.Reader()));
  }

  void TearDown() override {
    DestroyUniqueSysLogFonts();
    sysfont::DestroyLangBoxFonts();
    fonttest::DevFontTest::TearDown();
    ResetCharWidthCaches();
  }

  // [systemfont] with the given names.
  void SystemFonts(std::initializer_list<const char*> names) {
    config_.Set("systemfont", "font_number", std::to_string(names.size()));
    int i = 0;
    for (const char* name : names) config_.Set("systemfont", "font" + std::to_string(i++), name);
  }

  int Create(int langIndex) { return sysfont::CreateSysLogFontsFrom(config_.Reader(), langIndex); }

  fonttest::ConfigMap config_;
};

// A 32-bit screen with the DC layer started on it; text drawn through the
// screen DC in one font at a time.
class TextDrawTest : public TextFontTest {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 64;
  static constexpr GalPixel kPaper = 0x00FFFFFF;
  static constexpr GalPixel kInk = 0x00000080;
  static constexpr GalPixel kScribble = 0x00123456;

  void SetUp() override {
    TextFontTest::SetUp();
    screen_ = std::make_unique<GuardedSurface>(kWidth, kHeight, 32, 0xFF0000, 0xFF00, 0xFF);
    ASSERT_TRUE(InitGDI(screen_->get()));
    dc_ = gui::dc::ScreenDC();
    dc_->bkColor = kPaper;
    dc_->textColor = kInk;
    Clear(kScribble);
  }
  void TearDown() override {
    dc_->font = nullptr;
    TerminateGDI();
    EXPECT_TRUE(screen_->paddingIntact());
    for (LogFont* lf : fonts_) DestroyLogFont(lf);
    TextFontTest::TearDown();
  }

  // A LogFont the fixture destroys; it becomes the DC's font.
  LogFont* Use(LogFont* lf) {
    EXPECT_NE(lf, nullptr);
    if (lf) fonts_.push_back(lf);
    dc_->font = lf;
    return lf;
  }
  LogFont* UseLatin(const char* style = "rrncnn") {
    return Use(CreateLogFont("rbf", "fixed", "ISO8859-1", style[0], style[1], style[2], style[3],
                             style[4], style[5], 16, 0));
  }
  LogFont* UseDejaVu(const char* style, int size) {
    return Use(CreateLogFont("ttf", "dejavu", "ISO8859-1", style[0], style[1], style[2], style[3],
                             style[4], style[5], size, 0));
  }

  void Clear(GalPixel pixel) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) screen_->setPixel(x, y, pixel);
  }
  GalPixel At(int x, int y) const { return screen_->pixel(x, y); }
  int Count(GalPixel pixel, const Rect& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == pixel;
    return n;
  }

  std::unique_ptr<GuardedSurface> screen_;
  DC* dc_ = nullptr;
  std::vector<LogFont*> fonts_;
};

}  // namespace texttest

#endif
