// Set-up shared by the system-font and text tests: the raw bitmap fonts the
// build generates, the two TrueType faces, and system fonts made from a
// configuration held in memory.
#ifndef TOOLKIT_GDI_TEXT_TESTS_TEXT_FIXTURE_H
#define TOOLKIT_GDI_TEXT_TESTS_TEXT_FIXTURE_H

#include <string>

#include "gdi/text/sysfont.h"
#include "gdi/text/tests/font_fixture.h"

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

}  // namespace texttest

#endif
