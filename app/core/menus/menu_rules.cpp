#include "app/core/menus/menu_rules.h"

#include <initializer_list>

#include "app/app_registry.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/menus.h"
#include "app/record_services.h"
#include "app/system_services.h"

namespace menus {
namespace {

bool has(int right) { return checkUserRight(right, -1) != 0; }
bool usable(int right) { return hasUsableChan(right, 0) != 0; }
bool isAdmin() { return isAdminUser(getLoginUserIndex(getCurOutput())) != 0; }

Check allowedIf(bool rights, bool channels = true) {
  if (!rights) return {Verdict::kNoPermission};
  if (!channels) return {Verdict::kNoChannel};
  return {};
}

Check box(const char* section, const char* key) { return {Verdict::kBox, section, key}; }

bool deviceHasIpChannels() {
  uint64_t mask = 0;
  return getIpChannelNum(&mask) > 0 || mask != 0;
}

// A channel the parameter right may use, whatever its state.
bool usableForParams() {
  for (int flag : {1, 2, 3, 4, 5, 6, -1})
    if (hasUsableChan(RIGHT_LOCAL_PARAM, flag)) return true;
  return false;
}

Check checkCamera() {
  const bool params = has(RIGHT_LOCAL_PARAM);
  if (!deviceHasIpChannels()) return allowedIf(params, usableForParams());
  const bool camera = has(RIGHT_LOCAL_CAMERA);
  return allowedIf(camera || params, camera || usableForParams());
}

Check checkMaintenance() {
  const bool log = has(RIGHT_LOCAL_LOG), params = has(RIGHT_LOCAL_PARAM), advance = has(RIGHT_LOCAL_ADVANCE);
  if (!log && !params && !advance) return {Verdict::kNoPermission};
  // Only a user whose way in is the export of configuration or logs waits
  // for a running export.
  if (!log && params != advance) {
    const int running = getExportRunning();
    if (running & kLocalExport) return box("commons", "local_exporting_hint");
    if (running & kRemoteExport) return box("commons", "remote_exporting_hint");
  }
  return {};
}

Check checkManualItem(int position) {
  const bool record = has(RIGHT_LOCAL_RECORD);
  switch (position) {
    case 0: return allowedIf(record || has(RIGHT_LOCAL_PARAM), usable(record ? RIGHT_LOCAL_RECORD : RIGHT_LOCAL_PARAM));
    case 1: return allowedIf(record, usable(RIGHT_LOCAL_RECORD));
    case 2: return allowedIf(has(RIGHT_LOCAL_ADVANCE));
    default: return {};
  }
}

Check checkMaintenanceItem(int position) {
  switch (position) {
    case 0: case 1: case 5: return allowedIf(has(RIGHT_LOCAL_LOG));
    case 2: return allowedIf(has(RIGHT_LOCAL_PARAM));
    case 3: return allowedIf(has(RIGHT_LOCAL_ADVANCE));
    case 4: return allowedIf(isAdmin());
    case 6:
      if (!has(RIGHT_LOCAL_ADVANCE)) return {Verdict::kNoPermission};
      if (!hasLocalDisk() && !hasDetectableDisk()) return box("diskmenu", "noavaliabledisk");
      return {};
    default: return {};
  }
}

}  // namespace

Check checkMainMenuButton(int id) {
  switch (id) {
    case kMainPlayback: return allowedIf(has(RIGHT_LOCAL_PLAY), isAdmin() || usable(RIGHT_LOCAL_PLAY));
    case kMainBackup: return allowedIf(has(RIGHT_LOCAL_BACKUP), isAdmin() || usable(RIGHT_LOCAL_BACKUP));
    case kMainManual: {
      const bool advance = has(RIGHT_LOCAL_ADVANCE);
      return allowedIf(advance || has(RIGHT_LOCAL_RECORD) || has(RIGHT_LOCAL_PARAM),
                       advance || usable(RIGHT_LOCAL_RECORD) || usable(RIGHT_LOCAL_PARAM));
    }
    case kMainStorage: return allowedIf(has(RIGHT_LOCAL_ADVANCE));
    case kMainRecord: case kMainSystem: return allowedIf(has(RIGHT_LOCAL_PARAM));
    case kMainCamera: return checkCamera();
    case kMainMaintenance: return checkMaintenance();
    default: return {};
  }
}

bool isItemLeftOut(SubMenu menu, int position) {
  switch (menu) {
    case SubMenu::kExport: return position == 2 && !hasPictureStorage();
    case SubMenu::kManual: return position == 1 && !hasPictureStorage();
    case SubMenu::kStorage: return position == kStorageRaid;
    case SubMenu::kSystem:
      if (position == 3) return getRs232Num() < 1;
      if (position == kSystemPosSet) return !hasPosSetting();
      if (position == kSystemAtmSet) return !hasAtmSetting();
      return false;
    default: return false;
  }
}

Check checkSubMenuItem(SubMenu menu, int position) {
  switch (menu) {
    case SubMenu::kManual: return checkManualItem(position);
    case SubMenu::kRecord: return allowedIf(true, position > 1 || usable(RIGHT_LOCAL_PARAM));
    case SubMenu::kSystem:
      if (position == 2 && !hasAlarmIn() && !hasAlarmOut()) return box("systemmenu", "no_alarmin_alarmout");
      return {};
    case SubMenu::kMaintenance: return checkMaintenanceItem(position);
    case SubMenu::kStorage:
      // The advanced disk page edits disk modes or the channels' disk use.
      return allowedIf(true, position != 1 || hasDiskModeSetting() || usable(RIGHT_LOCAL_ADVANCE));
    default: return {};
  }
}

int initialSubMenuItem(SubMenu menu) {
  switch (menu) {
    case SubMenu::kManual:
      if ((has(RIGHT_LOCAL_RECORD) && usable(RIGHT_LOCAL_RECORD)) || (has(RIGHT_LOCAL_PARAM) && usable(RIGHT_LOCAL_PARAM)))
        return 0;
      return has(RIGHT_LOCAL_ADVANCE) ? 2 : -1;
    case SubMenu::kRecord: return usable(RIGHT_LOCAL_PARAM) ? 0 : 2;
    case SubMenu::kMaintenance:
      if (has(RIGHT_LOCAL_LOG)) return 0;
      if (has(RIGHT_LOCAL_PARAM)) return 2;
      return has(RIGHT_LOCAL_ADVANCE) ? 3 : -1;
    default: return 0;
  }
}

}  // namespace menus
