#include <gtest/gtest.h>

#include <string>

#include "core/layout/layout_state.h"
#include "core/layout/source_files.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

class GuiEtcTest : public LayoutTest {};

TEST_F(GuiEtcTest, MousePairsOutsideTheAcceptedOnesFallBack) {
  int scale = 0, threshold = 0;
  LoadMouseSettings();  // the test layout has 4 and 7
  EXPECT_TRUE(GetMouseScale(&scale, &threshold));
  EXPECT_EQ(scale, 4);
  EXPECT_EQ(threshold, 7);

  UseMainLayout(ReplaceLine(kTestLayout, "mou_thresh=", "mou_thresh=5"));
  LoadMouseSettings();
  EXPECT_FALSE(GetMouseScale(&scale, &threshold)) << "the default pair is not an accepted one";
  EXPECT_EQ(scale, 2);
  EXPECT_EQ(threshold, 3);

  EXPECT_FALSE(SetMouseScale(2, 3));
  EXPECT_TRUE(SetMouseScale(6, 10));
  EXPECT_TRUE(GetMouseScale(&scale, &threshold));
  EXPECT_EQ(scale, 6);
  UseMainLayout(ReplaceLine(kTestLayout, "mou_thresh=", "# none"));
  LoadMouseSettings();
  GetMouseScale(&scale, &threshold);
  EXPECT_EQ(threshold, 3);
}

TEST_F(GuiEtcTest, ObjectIsLoadedOnceAndReleased) {
  ASSERT_TRUE(LoadGuiEtc());
  EtcFile* loaded = hGuiEtc;
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(hAuxGuiEtc, nullptr);
  char value[16];
  EXPECT_EQ(GetGuiEtcValue("menuinfo", "manufactor", value, sizeof value), ETC_OK);
  EXPECT_STREQ(value, "7");
  UnloadGuiEtc();
  EXPECT_EQ(hGuiEtc, nullptr);
  ETCFILEPATH[0] = '\0';
  EXPECT_FALSE(LoadGuiEtc());
}

// The files shipped with the program load the way start-up loads them.
TEST_F(GuiEtcTest, ShippedFilesLoad) {
  layout::SetTextFileDirectory("");
  ASSERT_TRUE(InitEtcFilePath());
  EXPECT_STREQ(ETCFILEPATH, "../guiRes/rirurRes/conf/1024x768.cfg");
  EXPECT_STREQ(AUXSETCFILEPATH, "../guiRes/rirurRes/conf/720x576.cfg");
  ASSERT_TRUE(LoadGuiEtc());
  LoadMouseSettings();
  Device().outputCount = 2;
  Device().languageId = 33;  // language index 6 has a text file
  ASSERT_TRUE(LoadLayoutRes());
  UnloadGuiEtc();
  EXPECT_TRUE(IsStringTableWanted());
  EXPECT_EQ(g_chSkb_num, 42);
  for (int key = 0; key < 42; ++key) EXPECT_GE(g_chSkb_Pos[key].w, 1) << key;
  CtrlResInfo* ok = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("commons", "ok", &ok));
  EXPECT_STREQ(ok->caption, "OK");

  SetSysInfoLanguage(33);
  ASSERT_TRUE(LoadStrings());
  ASSERT_TRUE(LoadLanguageNames());
  ASSERT_TRUE(GetCtrlResInfo("commons", "cancel", &ok));
  EXPECT_STREQ(ok->caption, "Abbrechen");
  const char* name = nullptr;
  ASSERT_TRUE(GetLanguageName(0, &name));
  EXPECT_STREQ(name, "English");
  ASSERT_TRUE(GetLanguageName(6, &name));
  EXPECT_STREQ(name, "Deutsch");
  ASSERT_TRUE(GetCtrlResInfoAux("commons", "cancel", &ok));
  EXPECT_STREQ(ok->caption, "Abbrechen");
  for (const char* word : {"ok", "cancel", "yes", "no", "retry", "abort", "ignore", "previous"})
    EXPECT_TRUE(GetCtrlResInfo("commons", word, &ok)) << word;
}

TEST_F(GuiEtcTest, ShippedFilesGiveEveryWindowAndControlTheSameOrder) {
  layout::SetTextFileDirectory("");
  ASSERT_TRUE(InitEtcFilePath());
  Device().outputCount = 2;
  Device().auxType = 0;  // the auxiliary display reads 720x576.cfg
  ASSERT_TRUE(LoadLayoutRes());
  const layout::Generation* loaded = layout::State().Current();
  ASSERT_NE(loaded, nullptr);
  int windowsCompared = 0;
  for (size_t w = 0; w < loaded->windows.size(); ++w) {
    if (!loaded->main.Has(w) || !loaded->aux.Has(w)) continue;
    const std::string window = layout::State().windowNames[w];
    ++windowsCompared;
    ASSERT_EQ(loaded->main.Count(w), loaded->aux.Count(w)) << window;
    for (int c = 0; c < loaded->main.Count(w); ++c) {
      const CtrlResInfo& main = loaded->main.WindowRecords(w)[c];
      const CtrlResInfo& aux = loaded->aux.WindowRecords(w)[c];
      EXPECT_STREQ(main.name, aux.name) << window << " control " << c;
      EXPECT_STREQ(main.caption, aux.caption) << window << "/" << main.name;
    }
  }
  EXPECT_GE(windowsCompared, 3) << "commons, mainmenu and preview are on both displays";
}

}  // namespace
}  // namespace layout_test
