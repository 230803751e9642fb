#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

class CaptionsTest : public LayoutTest {
 protected:
  void SetUp() override {
    LayoutTest::SetUp();
    ASSERT_TRUE(LoadLayoutRes());
  }
  static int Switch(int languageId) {
    return SetValueToGuiEtc("MenuInfo", "LANGUAGE", std::to_string(languageId).c_str());
  }
  static CtrlResInfo* Record(const char* window, const char* control) {
    CtrlResInfo* record = nullptr;
    EXPECT_TRUE(GetCtrlResInfo(window, control, &record)) << window << "/" << control;
    return record;
  }
};

TEST_F(CaptionsTest, SwitchingToATextFileLanguageAndBack) {
  ASSERT_EQ(Switch(kIndex5Id), 0);
  EXPECT_EQ(GetLangSwitchState(), 1);
  EXPECT_EQ(GetSysInfoLanguage(), kIndex5Id);
  EXPECT_EQ(Caption("login", "ok"), "Aufnahme");  // text up to ";"
  EXPECT_EQ(Caption("login", "tip"), "");         // empty line, empty caption
  EXPECT_EQ(Caption("setup", "Name"), "Name");    // text up to "#"
  EXPECT_EQ(Caption("setup", "save"), "Sichern");
  EXPECT_EQ(Caption("commons", "yes"), "Ja");
  // The language-selection controls keep the layout's language names.
  EXPECT_EQ(Caption("displayset", "lang_english"), "English");
  CtrlResInfo* ok = Record("login", "ok");
  EXPECT_EQ(ok->x, 10);
  EXPECT_EQ(ok->h, 24);

  // Back to a language of the layout: records parsed again in full.
  ASSERT_EQ(Switch(kChineseId), 0);
  EXPECT_EQ(Caption("login", "ok"), "Sure");
  EXPECT_EQ(Caption("login", "tip"), "Aide");
  EXPECT_EQ(Caption("setup", "save"), "<none>") << "no caption in this language";
  EXPECT_EQ(Record("login", "ok")->w, 80);
  ASSERT_EQ(Switch(kEnglishId), 0);
  EXPECT_EQ(Caption("login", "ok"), "OK");
  ASSERT_EQ(Switch(kIndex5Id), 0);
  EXPECT_EQ(Caption("login", "ok"), "Aufnahme");
  SetLangSwitchState(0);
  EXPECT_EQ(GetLangSwitchState(), 0);
}

TEST_F(CaptionsTest, RecordsHandedOutBeforeASwitchStayReadable) {
  CtrlResInfo* before = Record("login", "ok");
  ASSERT_EQ(Switch(kIndex5Id), 0);
  EXPECT_STREQ(before->caption, "OK");
  EXPECT_STREQ(before->name, "ok");
  EXPECT_NE(Record("login", "ok"), before);
}

TEST_F(CaptionsTest, OtherKeysAreIgnored) {
  EXPECT_EQ(SetValueToGuiEtc("menuinfo", "font", "x"), 0);
  EXPECT_EQ(SetValueToGuiEtc("system", "language", "32"), 0);
  EXPECT_EQ(GetSysInfoLanguage(), kEnglishId);
  EXPECT_EQ(GetLangSwitchState(), 0);
  EXPECT_EQ(Caption("login", "ok"), "OK");
}

TEST_F(CaptionsTest, MissingTextFileKeepsTheCaptions) {
  ASSERT_EQ(Switch(41), 0);  // language index 10 has no file
  EXPECT_EQ(Caption("login", "ok"), "OK");
}

TEST_F(CaptionsTest, ShortTextFileChangesOnlyTheLinesItHas) {
  WriteStrings(5, "Deutsch\n[winsCaptions]\n[login]\nNur eins\n");
  ASSERT_EQ(Switch(kIndex5Id), 0);
  EXPECT_EQ(Caption("login", "ok"), "Nur eins");
  EXPECT_EQ(Caption("login", "tip"), "Help");
}

TEST_F(CaptionsTest, LayoutMissingTheCaptionsOfTheNewLanguageFailsTheSwitch) {
  UseMainLayout(ReplaceLine(kTestLayout, "caption_lang1=DengLu", "# none"));
  EXPECT_EQ(Switch(kChineseId), -1);
  EXPECT_EQ(Caption("login", "ok"), "OK");
}

TEST_F(CaptionsTest, AuxiliaryCaptionsOnlyChangeTheirTexts) {
  Device().outputCount = 2;
  ASSERT_TRUE(LoadLayoutRes());
  ASSERT_EQ(Switch(kIndex5Id), 0);
  CtrlResInfo* ok = nullptr;
  ASSERT_TRUE(GetCtrlResInfoAux("login", "ok", &ok));
  EXPECT_STREQ(ok->caption, "Aufnahme");
  EXPECT_STREQ(ok->name, "ok");
  EXPECT_EQ(ok->w, 80);
  ASSERT_EQ(Switch(kChineseId), 0);
  ASSERT_TRUE(GetCtrlResInfoAux("login", "ok", &ok));
  EXPECT_STREQ(ok->caption, "Sure");
  EXPECT_EQ(ok->w, 80);
}

TEST_F(CaptionsTest, LowResolutionMainDisplayReadsTheAuxiliaryFile) {
  UseAuxLayout(ReplaceLine(kTestLayout, "ok_x=", "ok_x=7"));
  Device().mainType = 0;
  ASSERT_EQ(Switch(kChineseId), 0);
  EXPECT_EQ(Record("login", "ok")->x, 7);
  EXPECT_EQ(Caption("login", "ok"), "Sure");
}

TEST_F(CaptionsTest, WindowCaptionReader) {
  WinResInfo windows[5] = {};
  const std::string strings = Path("gui_value5.cfg");
  EXPECT_EQ(LoadWindowCaptions(Path("none.cfg").c_str(), "winsCaptions", 4, windows), -1);
  EXPECT_EQ(LoadWindowCaptions(strings.c_str(), "nosection", 4, windows), -2);
  EXPECT_EQ(LoadWindowCaptions(strings.c_str(), "winsCaptions", 4, windows), 0);
  EXPECT_STREQ(windows[1].caption, "Anmeldung");
  EXPECT_EQ(LoadWindowCaptions(strings.c_str(), "winsCaptions", 5, windows), -3);
  EXPECT_STREQ(windows[3].caption, "Allgemein");

  WriteStrings(7, "X\n[winsCaptions]\n" + std::string(300, 'w') + "\n");
  EXPECT_EQ(LoadWindowCaptions(Path("gui_value7.cfg").c_str(), "winsCaptions", 1, windows), 0);
  EXPECT_EQ(std::strlen(windows[0].caption), 127u);
}

TEST_F(CaptionsTest, ControlCaptionReader) {
  CtrlResInfo records[3] = {};
  const std::string strings = Path("gui_value5.cfg");
  // Before a text-file language is current, a section is parsed as layout entries.
  EXPECT_EQ(LoadControlCaptions(ETCFILEPATH, "login", 2, records), 0);
  EXPECT_STREQ(records[1].name, "tip");
  EXPECT_STREQ(records[1].caption, "Help");
  EXPECT_EQ(LoadControlCaptions(ETCFILEPATH, "nosuch", 2, records), -2);
  EXPECT_EQ(LoadControlCaptions(ETCFILEPATH, "login", 3, records), 0) << "bmpnumber ends the entries";

  SetSysInfoLanguage(kIndex5Id);
  EXPECT_EQ(LoadControlCaptions(strings.c_str(), "login", 2, records), 0);
  EXPECT_STREQ(records[0].caption, "Aufnahme");
  EXPECT_STREQ(records[1].caption, "");
  EXPECT_EQ(LoadControlCaptions(strings.c_str(), "commons", 2, records), -3);
  EXPECT_STREQ(records[0].caption, "Ja");
  EXPECT_EQ(LoadControlCaptions(Path("none.cfg").c_str(), "login", 2, records), -1);
  free(records[0].caption);
  free(records[1].caption);
}

TEST_F(CaptionsTest, LanguageNames) {
  WriteStrings(2, "# only comments\n\n[winsCaptions]\nx\n");
  WriteStrings(3, "");
  ASSERT_TRUE(LoadLanguageNames());
  const char* name = nullptr;
  ASSERT_TRUE(GetLanguageName(0, &name));
  EXPECT_STREQ(name, "English");
  ASSERT_TRUE(GetLanguageName(1, &name));
  EXPECT_STREQ(name, "Chinese");
  ASSERT_TRUE(GetLanguageName(5, &name));
  EXPECT_STREQ(name, "Deutsch");
  // A file that starts with a section, an empty file, no file at all.
  for (int index : {2, 3, 4}) {
    ASSERT_TRUE(GetLanguageName(index, &name));
    EXPECT_STREQ(name, "Default String") << index;
  }
  name = nullptr;
  EXPECT_FALSE(GetLanguageName(19, &name));
  EXPECT_FALSE(GetLanguageName(-1, &name));
  EXPECT_EQ(name, nullptr);
}

}  // namespace
}  // namespace layout_test
