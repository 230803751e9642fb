// The five sub-menus of the main menu: their layout sections, items, ids and
// the pages the items open.
#include "app/app_registry.h"
#include "app/core/menus/submenu.h"
#include "app/menus.h"
#include "app/playback.h"
#include "app/record_pages.h"
#include "app/system_pages.h"

namespace menus {
namespace {

// The record-file search learns whether the menu opened it by itself.
void markSearchGen(int position, bool initial) {
  if (position == 0) setSearchGenReopened(initial ? 1 : 0);
}

constexpr SubMenuItem kExportItems[] = {
    {"export_gen", createSearchGenWindow},
    {"export_event", createSearchEventWindow},
    {"export_pic", createSearchPicWindow},
};
constexpr SubMenuItem kManualItems[] = {
    {"manual_rec", createManualRecordWindow},
    {"manual_pic", createManualSnapshotWindow},
    {"manual_alarm", createManualAlarmWindow},
};
constexpr SubMenuItem kRecordItems[] = {
    {"scheduleset", createScheduleSetWindow},
    {"encodeset", createEncodeSetWindow},
    {"advanceset", createAdvRecordSetWindow},
    {"holidayset", createHolidaySetWindow},
};
constexpr SubMenuItem kSystemItems[] = {
    {"display", createDisplaySetWindow}, {"netset", createNetSetWindow},
    {"alarmset", createAlarmSetWindow},   {"232set", createRs232SetWindow},
    {"previewset", createPreviewSetWindow}, {"exception", createExceptionSetWindow},
    {"userset", createUserSetWindow},     {"posset", nullptr},
    {"atmset", nullptr},
};
constexpr SubMenuItem kMaintenanceItems[] = {
    {"sysinfo", createSystemInfoWindow},   {"log", createLogSearchWindow},
    {"config", createConfigurationWindow}, {"upgrade", createUpgradeWindow},
    {"default", createDefaultSetWindow},   {"netda", createNetDaWindow},
    {"disk_smart", createDiskSmartInfoWindow},
};

template <size_t N>
constexpr int countOf(const SubMenuItem (&)[N]) {
  return static_cast<int>(N);
}

const SubMenuFamily kExport{SubMenu::kExport, "exportmenu", "export_rect", kExportItems, countOf(kExportItems),
                            18176, 18191, false, setExportMenuWnd, getSearchPicWnd, markSearchGen};
const SubMenuFamily kManual{SubMenu::kManual, "manualmenu", "manual_rect", kManualItems, countOf(kManualItems),
                            17920, 17935, true, setManualMenuWnd, getManualPageWnd, nullptr};
const SubMenuFamily kRecord{SubMenu::kRecord, "recordmenu", "recordset_rect", kRecordItems, countOf(kRecordItems),
                            18432, 18447, false, setRecordMenuWnd, getRecordPageWnd, nullptr};
const SubMenuFamily kSystem{SubMenu::kSystem, "systemmenu", "systemset_rect", kSystemItems, countOf(kSystemItems),
                            20225, 20224, true, setSystemMenuWnd, getSystemPageWnd, nullptr};
const SubMenuFamily kMaintenance{SubMenu::kMaintenance, "maintenancemenu", "maintenance_rect", kMaintenanceItems,
                                 countOf(kMaintenanceItems), 20736, 20751, false, setMaintenanceMenuWnd,
                                 getMaintenancePageWnd, nullptr};

}  // namespace

const SubMenuFamily& subMenuFamily(SubMenu which) {
  switch (which) {
    case SubMenu::kExport: return kExport;
    case SubMenu::kManual: return kManual;
    case SubMenu::kRecord: return kRecord;
    case SubMenu::kSystem: return kSystem;
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

}  // extern "C"
