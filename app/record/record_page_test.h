// What the tests of the record pages share: a record menu stand-in hosting
// the page, opening it through the menu's registry entry, and the boxes.
#pragma once

#include <string>
#include <vector>

#include "app/app_registry.h"
#include "app/page_ids.h"
#include "app/page_registry.h"
#include "app/testing/page_harness.h"
#include "gui/message.h"
#include "gui/propsheet.h"

namespace recordtest {

using livetest::Enabled;
using livetest::MenuHostProc;

class RecordPage : public livetest::LiveGui {
 protected:
  // Opens the record menu item's page and takes its first sheet page.
  void Open(const char* item) {
    host_ = Main({0, 0, 8, 8}, MenuHostProc);
    ASSERT_EQ(openMenuPage(APP_MENU_RECORD, item, host_), 0);
    win_ = getRecordPageWnd();
    ASSERT_TRUE(IsValidHandle(win_));
    page_ = static_cast<WindowHandle>(SendMessage(GetDlgItem(win_, PAGE_ID_SHEET), PSM_GETPAGE, 0, 0));
    desktest::Drain();
  }
  void Close() {
    SendMessage(win_, MSG_CLOSE, 0, 0);
    desktest::Drain();
    EXPECT_EQ(getRecordPageWnd(), GUI_INVALID_HANDLE);
  }
  // The boxes shown since the last call, as "text/style".
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : livetest::Boxes()) texts.push_back(box.text + "/" + std::to_string(box.type));
    livetest::Boxes().clear();
    return texts;
  }
  WindowHandle host_ = 0, win_ = 0, page_ = 0;
};

}  // namespace recordtest
