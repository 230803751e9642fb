// The five sub-menus of the main menu: their layout sections, items, ids and
// the registry menus their items' pages are found under.
#include "app/app_registry.h"
#include "app/core/menus/submenu.h"
#include "app/menus.h"
#include "app/page_registry.h"
#include "app/playback.h"

namespace menus {
namespace {

// The record-file search learns whether the menu opened it by itself.
void markSearchGen(int position, bool initial) {
  if (position == 0) setSearchGenReopened(initial ? 1 : 0);
}

constexpr SubMenuItem kExportItems[] = {
    {"export_gen", true},
    {"export_event", true},
    {"export_pic", true},
};
constexpr SubMenuItem kManualItems[] = {
    {"manual_rec", true},
    {"manual_pic", true},
    {"manual_alarm", true},
};
constexpr SubMenuItem kRecordItems[] = {
    {"scheduleset", true},
    {"encodeset", true},
    {"advanceset", true},
    {"holidayset", true},
};
constexpr SubMenuItem kSystemItems[] = {
    {"display", true}, {"netset", true},
    {"alarmset", true},   {"232set", true},
    {"previewset", true}, {"exception", true},
    {"userset", true},     {"posset", false},
    {"atmset", false},
};
constexpr SubMenuItem kMaintenanceItems[] = {
    {"sysinfo", true},   {"log", true},
    {"config", true}, {"upgrade", true},
    {"default", true},   {"netda", true},
    {"disk_smart", true},
};

constexpr SubMenuItem kStorageItems[] = {
    {"disk_base", true},
    {"disk_advance", true},
    {"disk_raid", false},
};

constexpr SubMenuItem kCameraItems[] = {
    {"motionset", true},
    {"videolossset", true},
    {"videotamperset", true},
};

template <size_t N>
constexpr int countOf(const SubMenuItem (&)[N]) {
  return static_cast<int>(N);
}

const SubMenuFamily kExport{SubMenu::kExport, APP_MENU_EXPORT, "exportmenu", "export_rect", kExportItems, countOf(kExportItems),
                            18176, 18191, false, setExportMenuWnd, getSearchPicWnd, markSearchGen};
const SubMenuFamily kManual{SubMenu::kManual, APP_MENU_MANUAL, "manualmenu", "manual_rect", kManualItems, countOf(kManualItems),
                            17920, 17935, true, setManualMenuWnd, getManualPageWnd, nullptr};
const SubMenuFamily kRecord{SubMenu::kRecord, APP_MENU_RECORD, "recordmenu", "recordset_rect", kRecordItems, countOf(kRecordItems),
                            18432, 18447, false, setRecordMenuWnd, getRecordPageWnd, nullptr};
const SubMenuFamily kSystem{SubMenu::kSystem, APP_MENU_SYSTEM, "systemmenu", "systemset_rect", kSystemItems, countOf(kSystemItems),
                            20225, 20224, true, setSystemMenuWnd, getSystemPageWnd, nullptr};
const SubMenuFamily kMaintenance{SubMenu::kMaintenance, APP_MENU_MAINTENANCE, "maintenancemenu", "maintenance_rect", kMaintenanceItems,
                                 countOf(kMaintenanceItems), 20736, 20751, false, setMaintenanceMenuWnd,
                                 getMaintenancePageWnd, nullptr};
const SubMenuFamily kStorage{SubMenu::kStorage, APP_MENU_STORAGE, "diskmenu", "diskmenu_rect", kStorageItems,
                             countOf(kStorageItems), 19712, 19727, false, setDiskMenuWnd, getDiskPageWnd, nullptr};
// Its first item is the control the camera pages give the focus back to.
const SubMenuFamily kCamera{SubMenu::kCamera, APP_MENU_CAMERA, "cameramenu", "cameramenu_rect", kCameraItems,
                            countOf(kCameraItems), 19200, 19215, false, setCameraMenuWnd, getCameraPageWnd, nullptr};

}  // namespace

const SubMenuFamily& subMenuFamily(SubMenu which) {
  switch (which) {
    case SubMenu::kExport: return kExport;
    case SubMenu::kManual: return kManual;
    case SubMenu::kRecord: return kRecord;
    case SubMenu::kSystem: return kSystem;
    case SubMenu::kStorage: return kStorage;
    case SubMenu::kCamera: return kCamera;
    default: return kMaintenance;
  }
}

}  // namespace menus

extern "C" {

int showExportMenu(WindowHandle owner) { return menus::runSubMenu(menus::kExport, owner); }
int showManualMenu(WindowHandle owner) { return menus::runSubMenu(menus::kManual, owner); }
int showRecordMenu(WindowHandle owner) { return menus::runSubMenu(menus::kRecord, owner); }
int showSystemMenu(WindowHandle owner) { return menus::runSubMenu(menus::kSystem, owner); }
int showMaintenanceMenu(WindowHandle owner) { return menus::runSubMenu(menus::kMaintenance, owner); }
int showStorageMenu(WindowHandle owner) { return menus::runSubMenu(menus::kStorage, owner); }
int runCameraMenu(WindowHandle owner) { return menus::runSubMenu(menus::kCamera, owner); }

}  // extern "C"
