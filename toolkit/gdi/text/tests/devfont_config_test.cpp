#include <gtest/gtest.h>

#include <string>

#include "gdi/text/tests/font_fixture.h"
#include "gui/gui_etc.h"

namespace {

using fonttest::DevFontTest;
using fonttest::LogFontHolder;

const char kMainConfig[] = "../guiRes/rirurRes/conf/1024x768.cfg";
const char kAuxConfig[] = "../guiRes/rirurRes/conf/720x576.cfg";

// The shipped configurations, loaded as start-up loads the main one.
class ShippedFontsTest : public DevFontTest,
                         public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    DevFontTest::SetUp();
    hGuiEtc = LoadEtcFile(GetParam());
    ASSERT_NE(hGuiEtc, nullptr);
    ASSERT_TRUE(LoadRawBitmapFonts());
    ASSERT_TRUE(LoadTrueTypeFonts());
  }
  void TearDown() override {
    DestroyLogFont(system_);
    DevFontTest::TearDown();
    UnloadEtcFile(hGuiEtc);
    hGuiEtc = nullptr;
  }

  std::string Value(const char* section, const char* key) {
    char value[128] = {};
    EXPECT_EQ(GetGuiEtcValue(section, key, value, sizeof value - 1), ETC_OK) << section << key;
    return value;
  }

  LogFont* system_ = nullptr;
};

TEST_P(ShippedFontsTest, EverySystemFontAndLanguageCharsetGetsItsFonts) {
  system_ = CreateLogFontByName(Value("rawbitmapfonts", "name0").c_str());
  ASSERT_NE(system_, nullptr);
  EXPECT_STREQ(system_->charset, "ISO8859-1");
  g_SysLogFont[0] = system_;

  int count = 0;
  ASSERT_EQ(GetGuiEtcIntValue("systemfont", "font_number", &count), ETC_OK);
  for (int i = 0; i < count; ++i) {
    std::string name = Value("systemfont", ("font" + std::to_string(i)).c_str());
    LogFontHolder lf(CreateLogFontByName(name.c_str()));
    ASSERT_NE(lf.get(), nullptr) << name;
    char charset[FONT_FIELD_LEN + 1];
    fontGetCharsetFromName(name.c_str(), charset);
    EXPECT_STREQ(lf->charset, charset) << name;  // a device font of its own charset
  }

  // The charsets of the interface languages, in both font types.
  for (const char* charset : {"ISO8859-1", "ISO8859-2", "ISO8859-5", "ISO8859-7", "ISO8859-8",
                              "ISO8859-9", "GB2312-0", "UTF-8", "JISX0208-1"}) {
    for (const char* type : {"rbf", "ttf"}) {
      LogFontHolder lf(CreateLogFont(type, "times", charset, 'b', 'r', 'n', 'c', 'n', 'n', 16, 0));
      ASSERT_NE(lf.get(), nullptr) << type << " " << charset;
      const unsigned char a = 'A';
      GlyphBitmap g{};
      GetGlyphBitmap(lf.get(), &a, 1, &g);
      EXPECT_GT(g.bboxW, 0) << type << " " << charset;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothDisplays, ShippedFontsTest, ::testing::Values(kMainConfig, kAuxConfig));

}  // namespace
