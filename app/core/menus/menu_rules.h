// What the main menu and its sub-menus decide before opening anything: the
// rights and channel checks of each entry, the items a device leaves out and
// the item a sub-menu opens with. Kept apart from the windows so that the
// decisions can be read (and tested) as tables.
#pragma once

#include "app/menus.h"
#include "app/page_ids.h"
#include "gui/dialog.h"

namespace menus {

enum class Verdict { kAllowed, kNoPermission, kNoChannel, kBox };

// A refusal other than rights or channels names its information box.
struct Check {
  Verdict verdict = Verdict::kAllowed;
  const char* section = nullptr;
  const char* key = nullptr;
};

// Main-menu buttons 16384..16392 and the exit button, the shared Cancel.
enum MainMenuId {
  kMainPlayback = 16384,
  kMainBackup,
  kMainManual,
  kMainStorage,
  kMainRecord,
  kMainCamera,
  kMainSystem,
  kMainMaintenance,
  kMainShutdown,
  kMainExit = IDCANCEL
};
Check checkMainMenuButton(int id);

enum class SubMenu { kExport, kManual, kRecord, kSystem, kMaintenance, kStorage, kCamera };
// The storage menu's RAID item is never offered.
constexpr int kStorageRaid = 2;
// Items of the system menu that only move the selection.
constexpr int kSystemPosSet = 7, kSystemAtmSet = 8;

bool isItemLeftOut(SubMenu menu, int position);
Check checkSubMenuItem(SubMenu menu, int position);
// The position a sub-menu opens with, or -1 when the user may open none.
int initialSubMenuItem(SubMenu menu);

// Which export runs now: bit 1 a local one, bit 2 a remote one.
constexpr int kLocalExport = EXPORT_RUNNING_LOCAL, kRemoteExport = EXPORT_RUNNING_REMOTE;

}  // namespace menus
