#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gdi/dc/tests/dc_test_support.h"
#include "gui/dc.h"
#include "gui/gui_etc.h"
#include "gui/layout.h"
#include "layout_test_helpers.h"

namespace layout_test {
namespace {

// Every loader test runs twice: reading the file by path, and from the
// configuration object loaded during start-up.
class LoaderTest : public LayoutTest, public ::testing::WithParamInterface<bool> {
 protected:
  BOOL Load() {
    UnloadGuiEtc();
    if (GetParam()) {
      EXPECT_TRUE(LoadGuiEtc());
    }
    return LoadLayoutRes();
  }
  BOOL LoadWith(const std::string& text) {
    UseMainLayout(text);
    return Load();
  }
};

INSTANTIATE_TEST_SUITE_P(BothSources, LoaderTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Object" : "ByPath"; });

TEST_P(LoaderTest, CaptionCycleTakesTheCurrentLanguageAndHintsHaveNoGeometry) {
  Device().languageId = kChineseId;  // language index 1
  ASSERT_TRUE(Load());
  CtrlResInfo* ok = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("login", "ok", &ok));
  EXPECT_STREQ(ok->caption, "Sure");
  EXPECT_STREQ(ok->kind, "button");
  EXPECT_EQ(ok->x, 10);
  EXPECT_EQ(ok->y, 20);
  EXPECT_EQ(ok->w, 80);
  EXPECT_EQ(ok->h, 24);
  CtrlResInfo* tip = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("login", "tip", &tip));
  EXPECT_STREQ(tip->caption, "Aide");
  EXPECT_EQ(tip->x | tip->y | tip->w | tip->h, 0);
  EXPECT_EQ(tip, ok + 1);

  Device().languageId = kEnglishId;
  ASSERT_TRUE(Load());
  EXPECT_EQ(Caption("login", "ok"), "OK");
  EXPECT_EQ(Caption("login", "tip"), "Help");
  EXPECT_EQ(GetSysInfoLanguage(), kEnglishId);
}

TEST_P(LoaderTest, EntriesReadInBaseZeroWithCaseFreeKeywords) {
  ASSERT_TRUE(Load());
  CtrlResInfo* name = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("setup", "Name", &name));
  EXPECT_EQ(name->x, 16);  // 0x10
  EXPECT_EQ(name->y, 8);   // 010
  EXPECT_EQ(Caption("setup", "warn"), "Careful");  // HINT_E completes at its caption
  CtrlResInfo* save = nullptr;
  ASSERT_TRUE(GetCtrlResInfo("setup", "save", &save));
  EXPECT_EQ(save->caption, nullptr);
  EXPECT_EQ(save->h, 4);
  EXPECT_EQ(SystemInfo[SYSINFO_WIN_NUMBER], 4);
  EXPECT_EQ(SystemInfo[SYSINFO_MANUFACTOR], 7);
  EXPECT_EQ(SystemInfo[SYSINFO_MENU_X], 112);
  EXPECT_EQ(SystemInfo[SYSINFO_MENU_Y], 84);
  EXPECT_EQ(AUX_SysInfo[SYSINFO_MENU_X], 112);
}

TEST_P(LoaderTest, BitmapNumberBeforeTheEntriesLeavesTheWindowWithoutRecords) {
  std::string text = kTestLayout;
  text = ReplaceLine(text, "ok=button", "bmpnumber=0\nok=button");
  ASSERT_TRUE(LoadWith(text));
  CtrlResInfo* ok = nullptr;
  EXPECT_TRUE(GetCtrlResInfo("login", "ok", &ok) == FALSE || ok->name[0] == '\0');
  EXPECT_EQ(Caption("setup", "warn"), "Careful");  // later windows are unaffected
}

TEST_P(LoaderTest, LimitsOfTheMenuSectionAndTheControlGeometry) {
  const std::string base = kTestLayout;
  struct Case {
    const char* from;
    const char* to;
    bool loads;
  } cases[] = {
      {"win_number=", "win_number=257", false},
      {"win_number=", "win_number=0", false},
      {"win_number=", "win_number=3", false},  // one window section too many
      {"win_number=", "win_number=5", false},
      {"win_number=", "# no window count", false},
      {"win_bkcolor=", "win_bkcolor=0x1000000", false},
      {"win_bkcolor=", "win_bkcolor=0xFFFFFF", true},
      {"win_bkcolor=", "win_bkcolor=-1", false},
      {"win_width=", "win_width=1025", false},  // wider than the screen
      {"win_width=", "win_width=-2147483648", false},
      {"win_height=", "win_height=-1", false},
      {"win_width=", "win_width=0", false},
      {"win_height=", "# no height", false},
      {"manufactor=", "# no maker", false},
      {"caption_lang0=Login", "# no caption", false},
      {"language_num=", "language_num=0", false},
      {"language_num=", "# no language count", false},
      {"language_num=", "language_num=5", true},
      // Control places and sizes end within the limit of every file-given size.
      {"ok_w=", "ok_w=2147483647", false},
      {"ok_x=", "ok_x=-8193", false},
      {"ok_h=", "ok_h=0x80000000", false},
      {"ok_y=", "ok_y=-8192", true},
      {"ok_w=", "ok_w=8192", true},
      // A size below zero is none; zero is a control not drawn.
      {"ok_w=", "ok_w=-1", false},
      {"ok_h=", "ok_h=-8192", false},
      {"ok_w=", "ok_w=0", true},
      {"ok_x=", "ok_x=-1", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadWith(ReplaceLine(base, c.from, c.to)), c.loads) << c.to;
    if (!c.loads) {
      CtrlResInfo* record = nullptr;
      EXPECT_FALSE(GetCtrlResInfo("login", "ok", &record)) << c.to;
      ASSERT_NE(record, nullptr);
    }
  }
}

// The colour word has red in its low byte; the pixel is the screen's own,
// here a 5-6-5 one.
TEST_P(LoaderTest, BackgroundColourIsAScreenPixelWithRedInTheLowByte) {
  auto screen = dctest::MakeSurface(8, 8, 2);
  ASSERT_TRUE(InitGDI(screen->get()));
  const bool loaded = Load();
  TerminateGDI();
  ASSERT_TRUE(loaded);
  EXPECT_EQ(static_cast<uint32_t>(SystemInfo[SYSINFO_BKCOLOR]), 0xF800u);
}

TEST_P(LoaderTest, TooManyOrNegativeControlsOrBitmapsFail) {
  EXPECT_FALSE(LoadWith(ReplaceLine(kTestLayout, "ControlNumber=3", "ControlNumber=65535")));
  EXPECT_TRUE(LoadWith(ReplaceLine(kTestLayout, "ControlNumber=3", "ControlNumber=65531")));
  EXPECT_FALSE(LoadWith(ReplaceLine(kTestLayout, "BMPNUMBER=1", "BMPNUMBER=1023")));
  EXPECT_FALSE(LoadWith(ReplaceLine(kTestLayout, "ControlNumber=3", "ControlNumber=99999999999")));
  EXPECT_FALSE(LoadWith(ReplaceLine(kTestLayout, "ControlNumber=3", "ControlNumber=-1")));
  EXPECT_FALSE(LoadWith(ReplaceLine(kTestLayout, "BMPNUMBER=1", "BMPNUMBER=-2147483648")));
}

TEST_P(LoaderTest, DeviceLanguageWithTextFileLoadsIndexZeroFirst) {
  Device().languageId = kIndex5Id;
  ASSERT_TRUE(Load());
  EXPECT_TRUE(IsStringTableWanted());
  EXPECT_EQ(GetSysInfoLanguage(), 1);
  EXPECT_EQ(Caption("login", "ok"), "OK");
  EXPECT_TRUE(IsLayoutLoadDone());
  Device().languageId = kChineseId;
  ASSERT_TRUE(Load());
  EXPECT_FALSE(IsStringTableWanted());
}

TEST_P(LoaderTest, SoftKeyboardPositions) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(g_chSkb_num, 42);
  EXPECT_EQ(g_chSkb_charh, 20);
  EXPECT_EQ(g_chSkb_Pos[0].x, 1);
  EXPECT_EQ(g_chSkb_Pos[0].w, 3);
  EXPECT_EQ(g_chSkb_Pos[41].x, 32);  // char_enter
  EXPECT_EQ(g_chSkb_Pos[41].w, 60);
  EXPECT_EQ(g_chSkb_Pos[1].x, -1);  // no entry
  EXPECT_EQ(g_chSkb_Pos[49].y, -1);
  // A number keyboard that does not have exactly 15 keys reads no position.
  EXPECT_EQ(g_nuSkb_num, 14);
  EXPECT_EQ(g_nuSkb_charh, 18);
  for (const auto& key : g_nuSkb_Pos) EXPECT_EQ(key.x & key.y & key.w, -1);

  Device().outputCount = 2;
  UseAuxLayout(ReplaceLine(kTestLayout, "char_escape_x=", "char_escape_x=99"));
  ASSERT_TRUE(Load());
  EXPECT_EQ(g_aux_chSkb_Pos[0].x, 99);
  EXPECT_EQ(g_aux_chSkb_charh, 20);

  // A place beyond any screen counts as no entry.
  Device().outputCount = 1;
  ASSERT_TRUE(LoadWith(ReplaceLine(kTestLayout, "char_escape_x=", "char_escape_x=2147483647")));
  EXPECT_EQ(g_chSkb_Pos[0].x, -1);
  EXPECT_EQ(g_chSkb_Pos[0].w, 3);
}

TEST_P(LoaderTest, LookupsOnTheMainTable) {
  ASSERT_TRUE(Load());
  CtrlResInfo* record = nullptr;
  EXPECT_TRUE(GetCtrlResInfo("LOGIN", "OK", &record));
  EXPECT_STREQ(record->name, "ok");
  CtrlResInfo* first = nullptr;
  GetCtrlResInfo("displayset", "lang_english", &first);
  EXPECT_FALSE(GetCtrlResInfo("nosuchwindow", "ok", &record));
  EXPECT_EQ(record, first);
  EXPECT_FALSE(GetCtrlResInfo("login", "nosuchcontrol", &record));
  EXPECT_EQ(record, first);
  EXPECT_TRUE(IsLangSelCtrl(first));
  EXPECT_FALSE(IsLangSelCtrl(record + 2));

  Bitmap bitmap;
  EXPECT_TRUE(GetWinBitmap("login", "bg", &bitmap));
  EXPECT_TRUE(GetWinBitmap("setup", "gear", &bitmap));
  EXPECT_FALSE(GetWinBitmap("Login", "bg", &bitmap));  // bitmap lookups keep case
  EXPECT_FALSE(GetWinBitmap("login", "gear", &bitmap));
  EXPECT_TRUE(GetWinBitmap("popupmenu", "arrow", &bitmap));
  EXPECT_TRUE(GetWinBitmap("startmenu", "arrow", &bitmap));  // one table for both menus
  EXPECT_TRUE(GetWinBitmap("startmenu", "start", &bitmap));
  EXPECT_FALSE(GetWinBitmap("popupmenu", "bmpnumber", &bitmap));
}

TEST_P(LoaderTest, AuxiliaryLookupsNeedAnAuxiliaryOutputAndWindow) {
  ASSERT_TRUE(Load());
  CtrlResInfo* record = nullptr;
  Bitmap bitmap;
  EXPECT_FALSE(GetCtrlResInfoAux("login", "ok", &record));  // one output only
  EXPECT_FALSE(GetWinBitmapAux("login", "bg", &bitmap));

  Device().outputCount = 2;
  UseAuxLayout(ReplaceLine(kTestLayout, "ok_x=", "ok_x=5"));
  ASSERT_TRUE(Load());
  ASSERT_TRUE(GetCtrlResInfoAux("login", "ok", &record));
  EXPECT_EQ(record->x, 10) << "a monitor-kind auxiliary display reads the main file";
  CtrlResInfo* untouched = record;
  EXPECT_FALSE(GetCtrlResInfoAux("login", "OK", &untouched));  // control names keep case
  EXPECT_EQ(untouched, record);
  EXPECT_FALSE(GetCtrlResInfoAux("setup", "save", &untouched));  // not an auxiliary window
  EXPECT_TRUE(GetCtrlResInfoAux("commons", "yes", &record));
  EXPECT_TRUE(GetWinBitmapAux("login", "logo", &bitmap));
  EXPECT_FALSE(GetWinBitmapAux("setup", "gear", &bitmap));
  EXPECT_TRUE(GetWinBitmapAux("popupmenu", "arrow", &bitmap));

  Device().auxType = 0;  // a low-resolution auxiliary display reads its own file
  ASSERT_TRUE(Load());
  ASSERT_TRUE(GetCtrlResInfoAux("login", "ok", &record));
  EXPECT_EQ(record->x, 5);
}

TEST_P(LoaderTest, EmptyTablesStillAnswerWithARecord) {
  std::string text = kTestLayout;
  for (const char* from : {"controlnumber=2", "controlnumber=2", "ControlNumber=3", "controlnumber=1"})
    text = ReplaceLine(text, from, "controlnumber=0");
  ASSERT_TRUE(LoadWith(text));
  CtrlResInfo* record = nullptr;
  EXPECT_FALSE(GetCtrlResInfo("login", "ok", &record));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->name[0], '\0');
  TerminateLayout();
  record = nullptr;
  EXPECT_FALSE(GetCtrlResInfo("login", "ok", &record));
  EXPECT_NE(record, nullptr);
}

TEST_P(LoaderTest, NoVideoOutputLoadsRecordsOnly) {
  Device().outputCount = 0;
  ASSERT_TRUE(LoadWith(ReplaceLine(kTestLayout, "win_width=", "win_width=99999")));
  EXPECT_EQ(Caption("login", "ok"), "OK");
  Bitmap bitmap;
  EXPECT_FALSE(GetWinBitmap("login", "bg", &bitmap));
}

TEST(ClearCtrlResInfoTest, ZeroFillsTheRecords) {
  CtrlResInfo records[2];
  std::memset(records, 0x5A, sizeof records);
  ClearCtrlResInfo(records, 2);
  EXPECT_EQ(records[1].x, 0);
  EXPECT_EQ(records[0].caption, nullptr);
}

}  // namespace
}  // namespace layout_test
