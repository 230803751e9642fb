// Every item of the main menu and of its five sub-menus reaches the page
// its library registered, and nothing else: an item nobody registered opens
// the placeholder, titled as the item, in the menu's page slot.
#include <map>
#include <string>
#include <utility>

#include "app/alarmnet_pages.h"
#include "app/camera.h"
#include "app/alarmnet_pages.h"
#include "app/core/menus/submenu.h"
#include "app/menus.h"
#include "app/maintenance_pages.h"
#include "app/page_registry.h"
#include "app/playback_pages.h"
#include "app/record_pages.h"
#include "app/storage_pages.h"
#include "app/system_pages.h"
#include "app/testing/page_harness.h"

namespace {

using Key = std::pair<int, std::string>;

const char* const kMainItems[] = {"playback",     "export",       "manual",      "disk",    "recordconfig",
                                  "cameraconfig", "systemconfig", "maintenance", "shutdown"};

// What the page libraries register, by menu and item; null stands for an
// opener the library keeps to itself (any page but the placeholder).
const std::map<Key, PageOpener>& Registered() {
  static const std::map<Key, PageOpener> pages{
      {{APP_MENU_MAIN, "cameraconfig"}, showCameraMenu},
      {{APP_MENU_MAIN, "shutdown"}, createShutdownWindow},
      {{APP_MENU_MAIN, "disk"}, showDiskMenu},
      {{APP_MENU_EXPORT, "export_gen"}, createSearchGenWindow},
      {{APP_MENU_EXPORT, "export_event"}, createSearchEventWindow},
      {{APP_MENU_EXPORT, "export_pic"}, createSearchPicWindow},
      {{APP_MENU_RECORD, "scheduleset"}, createScheduleSetWindow},
      {{APP_MENU_RECORD, "holidayset"}, createHolidaySetWindow},
      {{APP_MENU_RECORD, "encodeset"}, createEncodeSetWindow},
      {{APP_MENU_RECORD, "advanceset"}, createAdvRecordSetWindow},
      {{APP_MENU_SYSTEM, "previewset"}, createPreviewSetWindow},
      {{APP_MENU_SYSTEM, "userset"}, createUserSetWindow},
      {{APP_MENU_SYSTEM, "232set"}, createRs232SetWindow},
      {{APP_MENU_SYSTEM, "display"}, createDisplaySetWindow},
      {{APP_MENU_SYSTEM, "netset"}, nullptr},
      {{APP_MENU_MAINTENANCE, "log"}, createLogSearchWindow},
      {{APP_MENU_CAMERA, "motionset"}, nullptr},
      {{APP_MENU_SYSTEM, "alarmset"}, createAlarmSetWindow},
      {{APP_MENU_SYSTEM, "exception"}, createExceptionSetWindow},
      {{APP_MENU_MANUAL, "manual_rec"}, createManualRecordWindow},
      {{APP_MENU_MANUAL, "manual_pic"}, createManualSnapshotWindow},
      {{APP_MENU_MANUAL, "manual_alarm"}, createManualAlarmWindow},
      {{APP_MENU_CAMERA, "videolossset"}, nullptr},
      {{APP_MENU_CAMERA, "videotamperset"}, nullptr},
      {{APP_MENU_STORAGE, "disk_base"}, nullptr},
      {{APP_MENU_STORAGE, "disk_advance"}, createDiskAdvanceWindow},
      {{APP_MENU_MAINTENANCE, "disk_smart"}, createDiskSmartInfoWindow},
      {{APP_MENU_MAINTENANCE, "sysinfo"}, createSystemInfoWindow},
      {{APP_MENU_MAINTENANCE, "config"}, createConfigurationWindow},
      {{APP_MENU_MAINTENANCE, "upgrade"}, createUpgradeWindow},
      {{APP_MENU_MAINTENANCE, "default"}, createDefaultSetWindow},
      {{APP_MENU_MAINTENANCE, "netda"}, createNetDaWindow},
  };
  return pages;
}

std::vector<Key> EveryItem() {
  std::vector<Key> items;
  for (const char* item : kMainItems) items.push_back({APP_MENU_MAIN, item});
  for (auto which : {menus::SubMenu::kExport, menus::SubMenu::kManual, menus::SubMenu::kRecord,
                     menus::SubMenu::kSystem, menus::SubMenu::kMaintenance, menus::SubMenu::kStorage,
                     menus::SubMenu::kCamera}) {
    const menus::SubMenuFamily& f = menus::subMenuFamily(which);
    for (int i = 0; i < f.count; ++i) items.push_back({f.registryMenu, f.items[i].key});
  }
  return items;
}

class PageRegistry : public livetest::LiveGui {};

TEST_F(PageRegistry, EveryMenuItemFindsThePageItsLibraryRegisteredAndNoOther) {
  int found = 0;
  for (const Key& key : EveryItem()) {
    const auto it = Registered().find(key);
    const PageOpener page = findPage(key.first, key.second.c_str());
    if (it == Registered().end()) {
      EXPECT_EQ(page, nullptr) << key.first << " " << key.second;
    } else if (it->second) {
      EXPECT_EQ(page, it->second) << key.first << " " << key.second;
    } else {
      EXPECT_NE(page, nullptr) << key.first << " " << key.second;
    }
    found += it != Registered().end();
  }
  // No library registered under a key that no menu has.
  EXPECT_EQ(found, static_cast<int>(Registered().size()));
  EXPECT_EQ(registerPage(APP_MENU_COUNT, "x", createShutdownWindow), -1);
  EXPECT_EQ(registerPage(APP_MENU_MAIN, nullptr, createShutdownWindow), -1);
  EXPECT_EQ(findPage(-1, "shutdown"), nullptr);
  EXPECT_EQ(openPlaceholderPage(APP_MENU_COUNT, "x", 0), -1);
}

TEST_F(PageRegistry, ClickingASystemMenuItemOpensItsPageOrThePlaceholderInTheMenusSlot) {
  std::map<std::string, std::string> captions;
  RunInLoop(showSystemMenu, [&] {
    const WindowHandle menu = getSystemMenuWnd();
    const menus::SubMenuFamily& f = menus::subMenuFamily(menus::SubMenu::kSystem);
    for (int i = 0; i < f.count; ++i) {
      if (!f.items[i].opens || !IsWindowVisible(GetDlgItem(menu, f.firstId + i))) continue;
      const WindowHandle item = GetDlgItem(menu, f.firstId + i);
      livetest::ClickItem(menu, f.firstId + i);
      // The chosen item is the disabled one while its page is open.
      WindowHandle page = GUI_INVALID_HANDLE;
      livetest::PumpUntil([&] {
        page = getSystemPageWnd();
        return !IsWindowEnabled(item) && page != GUI_INVALID_HANDLE && IsWindowVisible(page);
      });
      const char* caption = page != GUI_INVALID_HANDLE ? GetWindowCaption(page) : nullptr;
      captions[f.items[i].key] = caption ? caption : "(none)";
    }
    SendMessage(menu, MSG_CLOSE, 0, 0);
  });
  EXPECT_EQ(captions["previewset"], "Live View");
  EXPECT_EQ(captions["display"], "General");
  EXPECT_EQ(captions["userset"], "User");
  EXPECT_EQ(captions["alarmset"], "Alarm");
  EXPECT_EQ(captions["exception"], "Exception");
  EXPECT_EQ(getSystemPageWnd(), GUI_INVALID_HANDLE);
}

}  // namespace
