// Pages whose texts were translated, cut or crowded, as they look in German
// and in Chinese: each page opened from its menu item, the tab in question
// chosen by a click, compared with its reference picture.
#include <string>

#include "app/app_registry.h"
#include "app/device_backend.h"
#include "app/page_ids.h"
#include "app/page_registry.h"
#include "app/system/language/tests/language_switch.h"
#include "app/testing/page_harness.h"
#include "gui/gui_etc.h"

namespace {

struct Page {
  int menu;
  const char* item;
  int tab;
  const char* name;
  int top = 0;  // rows left out of the picture: they show today's date
};

const Page kPages[] = {
    {APP_MENU_RECORD, "encodeset", 0, "encode_record"},
    {APP_MENU_RECORD, "advanceset", 0, "record_advanced"},
    {APP_MENU_RECORD, "scheduleset", 0, "schedule"},
    {APP_MENU_RECORD, "holidayset", 0, "holiday"},
    {APP_MENU_STORAGE, "disk_advance", 0, "storage_mode"},
    {APP_MENU_MAINTENANCE, "disk_smart", 0, "smart"},
    {APP_MENU_MAINTENANCE, "disk_smart", 1, "bad_sectors"},
    {APP_MENU_SYSTEM, "alarmset", 1, "alarm_in"},
    {APP_MENU_SYSTEM, "alarmset", 2, "alarm_out"},
    {APP_MENU_SYSTEM, "userset", 0, "users"},
    {APP_MENU_SYSTEM, "netset", 0, "network"},
    {APP_MENU_MAINTENANCE, "log", 0, "log_search", 110},
};

const struct {
  int id;
  const char* name;
} kLanguages[] = {{33, "de"}, {2, "zh"}};
constexpr int kEnglish = 1;

class TranslatedPages : public livetest::LiveGui {
 protected:
  void SwitchTo(int language) { langtest::SwitchLanguage(language); }
  void TearDown() override {
    SwitchTo(kEnglish);
    LiveGui::TearDown();
  }
};

TEST_F(TranslatedPages, InGermanAndChineseMatchTheirReferences) {
  for (const auto& language : kLanguages) {
    for (const Page& p : kPages) {
      const std::string name = std::string(p.name) + "_" + language.name;
      SCOPED_TRACE(name);
      SwitchTo(language.id);
      const WindowHandle host = Main({0, 0, 8, 8}, livetest::MenuHostProc);
      const PageOpener open = findPage(p.menu, p.item);
      ASSERT_NE(open, nullptr);
      ASSERT_EQ(open(host), 0);
      const WindowHandle win = GetActiveWindow();
      ASSERT_NE(win, host);
      windows_.push_back(win);
      if (p.tab > 0) {
        EXPECT_TRUE(livetest::ClickTab(GetDlgItem(win, PAGE_ID_SHEET), p.tab));
      }
      desktest::Drain();
      Rect r{};
      GetWindowRect(win, &r);
      r.top += p.top;
      if (livetest::kComparePictures) livetest::MatchesReference(__FILE__, name.c_str(), livetest::SettledGrab(r));
      TearDown();
      SetUp();
    }
  }
}

}  // namespace
