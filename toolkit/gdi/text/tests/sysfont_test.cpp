#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "gdi/text/tests/text_fixture.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;
using texttest::kGb;
using texttest::kJis;
using texttest::kLatin;

constexpr int kGbIndex = 1;
constexpr int kUtf8Index = 16;

TEST(LanguageMap, IdsIndexesAndCharsets) {
  for (int index = 0; index < LANG_INDEX_COUNT; ++index)
    EXPECT_EQ(LangIndexFromLanguageId(LanguageIdFromLangIndex(index)), index);
  EXPECT_EQ(LanguageIdFromLangIndex(19), 1);
  EXPECT_EQ(LanguageIdFromLangIndex(-1), 1);
  EXPECT_EQ(LangIndexFromLanguageId(3), 0);
  EXPECT_EQ(LanguageIdFromLangIndex(18), 4);

  char charset[LANG_CHARSET_BUFFER];
  std::memset(charset, 'x', sizeof charset);
  CharsetOfLangIndex(15, charset);
  EXPECT_STREQ(charset, "ISO8859-8");
  EXPECT_EQ(charset[sizeof charset - 1], 0);
  CharsetOfLangIndex(40, charset);
  EXPECT_STREQ(charset, "ISO8859-1");

  std::set<int> multi;
  for (int index = -1; index <= LANG_INDEX_COUNT; ++index)
    if (IsMultiByteLangIndex(index)) multi.insert(index);
  EXPECT_EQ(multi, (std::set<int>{1, 18}));
}

class SysFontTest : public texttest::TextFontTest {};

TEST_F(SysFontTest, LatinLanguageFillsEverySlotWithFontZero) {
  SystemFonts({kLatin, kGb, kJis});
  CaptureStdout();
  ASSERT_EQ(Create(0), 1);
  EXPECT_EQ(GetCapturedStdout(), "Can't find extra seciton,use default extra logical font!\n");
  for (LogFont* lf : g_SysLogFont) EXPECT_EQ(lf, g_SysLogFont[0]);
  EXPECT_EQ(g_SysLogFont[0]->size, 16);  // no copy needed for the auxiliary slot
  EXPECT_STREQ(GetSysCharset(FALSE), "ISO8859-1");
  EXPECT_EQ(GetSysCharset(TRUE), nullptr);
  EXPECT_EQ(GetSysCharWidth(), 8);
  EXPECT_EQ(GetSysCCharWidth(), 16);
  EXPECT_EQ(GetSysCharHeight(), 16);
  EXPECT_EQ(GetSysFontMaxWidth(3), 8);
  EXPECT_EQ(GetSysFontHeight(SYS_LOGFONT_SLOTS), 0);
}

TEST_F(SysFontTest, SingleByteLanguageCharsetReplacesFontZeros) {
  SystemFonts({kLatin, kGb});
  CaptureStdout();
  ASSERT_EQ(Create(4), 1);  // ISO8859-2
  GetCapturedStdout();
  EXPECT_STREQ(GetSysCharset(FALSE), "ISO8859-2");
  EXPECT_EQ(g_SysLogFont[1], g_SysLogFont[0]);
}

TEST_F(SysFontTest, MultiByteLanguagePicksTheFirstExactCharset) {
  SystemFonts({kLatin, kJis, kGb, kGb});
  CaptureStdout();
  ASSERT_EQ(Create(kGbIndex), 1);
  GetCapturedStdout();
  // Every slot, the default one included, holds the language font; its
  // single-byte half comes from font 0's charset.
  for (LogFont* lf : g_SysLogFont) EXPECT_EQ(lf, g_SysLogFont[1]);
  EXPECT_STREQ(GetSysCharset(FALSE), "ISO8859-1");
  EXPECT_STREQ(GetSysCharset(TRUE), "GB2312-0");
  EXPECT_STREQ(g_SysLogFont[1]->multiByteDevFont->name, kGb);
  EXPECT_EQ(GetSysCCharWidth(), 16);
}

TEST_F(SysFontTest, UnmatchedLanguageFallsBackToFontZero) {
  SystemFonts({kLatin, kJis});
  CaptureStderr();
  CaptureStdout();
  ASSERT_EQ(Create(kGbIndex), 1);
  GetCapturedStdout();
  EXPECT_EQ(GetCapturedStderr(), "Find font id failed,set font0 default!\n");
  EXPECT_EQ(g_SysLogFont[1], g_SysLogFont[0]);
}

TEST_F(SysFontTest, LanguageFontOfAnotherSizeGetsASixteenPixelCopyAndExtras) {
  SystemFonts({kLatin, "ttf-dejavu-rrncnn-0-20-UTF-8"});
  config_.Set("extrafontsize", "extra_number", "2");
  config_.Set("extrafontsize", "extra_font0", "24");
  config_.Set("extrafontsize", "extra_font1", "12");
  ASSERT_EQ(Create(kUtf8Index), 1);
  LogFont* language = g_SysLogFont[1];
  EXPECT_EQ(language, g_SysLogFont[0]);
  EXPECT_STREQ(language->type, "ttf");
  ASSERT_NE(language->size, 16);
  EXPECT_NE(g_SysLogFont[6], language);
  EXPECT_LT(g_SysLogFont[6]->size, language->size);
  EXPECT_STREQ(g_SysLogFont[6]->type, "ttf");
  EXPECT_GT(g_SysLogFont[7]->size, g_SysLogFont[8]->size);
  EXPECT_EQ(g_SysLogFont[9], language);
}

TEST_F(SysFontTest, TooManyFontsLeaveNineAndNoExtras) {
  // Six fonts and five extras exceed the slots: nine fonts are read, so a
  // bad ninth name fails while a bad tenth would not be read.
  config_.Set("systemfont", "font_number", "6");
  for (int i = 0; i < 8; ++i) config_.Set("systemfont", "font" + std::to_string(i), kLatin);
  config_.Set("systemfont", "font8", "rbf-fixed-rrncnn-8");
  config_.Set("extrafontsize", "extra_number", "5");
  CaptureStdout();
  EXPECT_EQ(Create(0), 0);
  EXPECT_EQ(GetCapturedStdout(),
            "GDI: Invalid system logical font name: rbf-fixed-rrncnn-8.\n"
            "GDI: Error in creating system logical fonts!\n");
  for (LogFont* lf : g_SysLogFont) EXPECT_EQ(lf, nullptr);

  config_.Set("systemfont", "font8", kLatin);
  CaptureStdout();
  EXPECT_EQ(Create(0), 1);
  EXPECT_EQ(GetCapturedStdout(), "Can't find extra seciton,use default extra logical font!\n");

  // A negative extra count is no count: it does not make room for more
  // than nine fonts.
  DestroySysLogFonts();
  config_.Set("systemfont", "font_number", "12");
  config_.Set("extrafontsize", "extra_number", "-2");
  CaptureStdout();
  EXPECT_EQ(Create(0), 1);
  EXPECT_EQ(GetCapturedStdout(), "Can't find extra seciton,use default extra logical font!\n");
}

TEST_F(SysFontTest, AtMostThreeExtraSizesAreMade) {
  SystemFonts({"ttf-dejavu-rrncnn-0-14-ISO8859-1"});
  config_.Set("extrafontsize", "extra_number", "5");
  for (int j = 0; j < 5; ++j) config_.Set("extrafontsize", "extra_font" + std::to_string(j), "20");
  ASSERT_EQ(Create(0), 1);
  for (int slot = 7; slot < SYS_LOGFONT_SLOTS; ++slot) EXPECT_NE(g_SysLogFont[slot], g_SysLogFont[1]);
}

// On standard output: standard error is left to the one line that says why
// start-up failed.
TEST_F(SysFontTest, FailuresPrintTheirDiagnosticsAndLeaveNothing) {
  CaptureStdout();
  EXPECT_EQ(Create(0), 0);  // no [systemfont] at all
  EXPECT_EQ(GetCapturedStdout(), "GDI: Error in creating system logical fonts!\n");

  SystemFonts({});
  CaptureStdout();
  EXPECT_EQ(Create(0), 0);
  GetCapturedStdout();

  SystemFonts({kLatin});
  config_.Set("extrafontsize", "extra_number", "2");
  config_.Set("extrafontsize", "extra_font0", "24");
  CaptureStdout();
  EXPECT_EQ(Create(0), 0);
  EXPECT_EQ(GetCapturedStdout(),
            "GDI: Error when creating system extra logical font.\n"
            "GDI: Error in creating system logical fonts!\n");
  for (LogFont* lf : g_SysLogFont) EXPECT_EQ(lf, nullptr);
}

TEST_F(SysFontTest, RecreatingForAnotherLanguageReplacesTheFonts) {
  SystemFonts({kLatin, kGb});
  CaptureStdout();
  ASSERT_EQ(Create(0), 1);
  DestroySysLogFonts();
  for (LogFont* lf : g_SysLogFont) EXPECT_EQ(lf, nullptr);
  ASSERT_EQ(Create(kGbIndex), 1);
  GetCapturedStdout();
  EXPECT_STREQ(GetSysCharset(TRUE), "GB2312-0");
}

TEST_F(SysFontTest, FontsOfAnEarlierLanguageStayUsableAfterASwitch) {
  SystemFonts({kLatin, kGb});
  CaptureStdout();
  ASSERT_EQ(Create(0), 1);
  LogFont* held = g_SysLogFont[1];  // as a window would keep it
  sysfont::RetireSysLogFonts();
  ASSERT_EQ(Create(kGbIndex), 1);
  GetCapturedStdout();
  EXPECT_NE(g_SysLogFont[1], held);
  FontMetrics metrics{};
  GetFontMetrics(held, &metrics);
  EXPECT_EQ(metrics.fontHeight, 16);
}

TEST_F(SysFontTest, LanguageListFontsFollowEachLanguage) {
  SystemFonts({kLatin});
  CaptureStdout();
  ASSERT_EQ(Create(0), 1);  // multibyte fonts take their Latin half from it
  GetCapturedStdout();
  ASSERT_EQ(sysfont::InitLangBoxFontFrom(config_.Reader()), 1);
  for (int index = 0; index < LANG_INDEX_COUNT; ++index) ASSERT_NE(langbox_font[index], nullptr);
  ASSERT_NE(langbox_font[1]->multiByteDevFont, nullptr);
  EXPECT_STREQ(langbox_font[1]->multiByteDevFont->charsetOps->name, "GB2312-0");
  EXPECT_EQ(langbox_font[0]->size, langbox_font[1]->size);

  config_.Set("systemfont", "font0", "rbf-fixed-rrncnn");
  CaptureStdout();
  EXPECT_EQ(sysfont::InitLangBoxFontFrom(config_.Reader()), 0);
  EXPECT_EQ(GetCapturedStdout(), "InitLangBoxFont:fontGetHeightFromName failed\n");
  CaptureStdout();
  EXPECT_EQ(sysfont::InitLangBoxFontFrom(fonttest::ConfigMap().Reader()), 0);
  EXPECT_EQ(GetCapturedStdout(), "InitLangBoxFont:GetGuiEtcValue failed\n");
}

}  // namespace

namespace {

// A language whose fonts cannot be made must not leave the slots empty:
// windows and DCs read them right after the switch.
TEST_F(SysFontTest, FailedSwitchPutsTheOldFontsBack) {
  SystemFonts({kLatin, kGb, kJis});
  CaptureStdout();
  ASSERT_EQ(Create(0), 1);
  GetCapturedStdout();
  LogFont* before[SYS_LOGFONT_SLOTS];
  std::memcpy(before, g_SysLogFont, sizeof before);

  SystemFonts({});  // no fonts configured: creation fails
  CaptureStdout();
  EXPECT_EQ(sysfont::ReplaceSysLogFonts(config_.Reader(), kGbIndex), 0);
  GetCapturedStdout();
  EXPECT_EQ(std::memcmp(before, g_SysLogFont, sizeof before), 0);

  SystemFonts({kLatin, kGb, kJis});
  CaptureStdout();
  EXPECT_EQ(sysfont::ReplaceSysLogFonts(config_.Reader(), kGbIndex), 1);
  GetCapturedStdout();
  EXPECT_NE(g_SysLogFont[0], before[0]);
}

}  // namespace
