// What the main menu and its sub-menus let each user open, as tables over
// the administrator, the guest and users with single rights.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/menus/menu_rules.h"
#include "app/core/services/tests/services_test_helpers.h"
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"
#include "app/menus.h"

namespace {

using menus::SubMenu;
using menus::Verdict;

constexpr Verdict A = Verdict::kAllowed, P = Verdict::kNoPermission, C = Verdict::kNoChannel, B = Verdict::kBox;
constexpr int kAdmin = 0, kGuest = 1;

class MenuRules : public services_test::ServicesTest {
 protected:
  void TearDown() override {
    setExportRunning(0);
    ServicesTest::TearDown();
  }
  static void LogIn(int userIndex) { setLoginState(3, userIndex, 0); }
  // User 2 with only `rights`, on every channel.
  static void LogInWithRights(uint32_t rights) {
    UserConfig table{};
    ASSERT_EQ(getUserConfig(getOutputLogin(3), &table), 0);
    table.users[2].rights = rights;
    for (auto& mask : table.users[2].chanMasks) mask = ~0ull;
    device_seam::overrideAnswer(getUserConfig, 0, &table, sizeof table);
    LogIn(2);
  }
  static void WithoutChannels() { device_seam::mutableAbility()->analogChanNum = 0; }
};

std::vector<Verdict> MainMenuVerdicts() {
  std::vector<Verdict> out;
  for (int id = menus::kMainPlayback; id <= menus::kMainShutdown; ++id) out.push_back(menus::checkMainMenuButton(id).verdict);
  return out;
}

// The administrator and the guest on the default device go through the
// window in the menus' screen test; here the device and the rights vary.
//                       playback backup manual storage record camera system maint. shutdown
TEST_F(MenuRules, MainMenuButtonsWithoutChannelsAndWithSingleRights) {
  WithoutChannels();
  LogIn(kGuest);  // rights 4, 16, 16384 and 0x10000
  EXPECT_EQ(MainMenuVerdicts(), (std::vector<Verdict>{C, P, P, P, P, P, P, A, A}));
  LogIn(kAdmin);  // the administrator skips the channel tests, but not the camera's
  EXPECT_EQ(MainMenuVerdicts(), (std::vector<Verdict>{A, A, A, A, A, C, A, A, A}));
  LogInWithRights(RIGHT_LOCAL_RECORD);
  EXPECT_EQ(MainMenuVerdicts(), (std::vector<Verdict>{P, P, C, P, P, P, P, P, A}));
  LogInWithRights(RIGHT_LOCAL_ADVANCE);  // the storage right opens manual without a channel
  EXPECT_EQ(MainMenuVerdicts(), (std::vector<Verdict>{P, P, A, A, P, P, P, A, A}));
}

TEST_F(MenuRules, MaintenanceWaitsForARunningExportOnlyForUsersWithOneOfParamsAndStorage) {
  struct Row {
    uint32_t rights;
    int running;
    Verdict verdict;
    const char* key;
  };
  const Row rows[] = {
      {RIGHT_LOCAL_PARAM, menus::kLocalExport, B, "local_exporting_hint"},
      {RIGHT_LOCAL_ADVANCE, menus::kRemoteExport, B, "remote_exporting_hint"},
      {RIGHT_LOCAL_PARAM, menus::kLocalExport | menus::kRemoteExport, B, "local_exporting_hint"},
      {RIGHT_LOCAL_PARAM, 0, A, nullptr},
      {RIGHT_LOCAL_PARAM | RIGHT_LOCAL_ADVANCE, menus::kLocalExport, A, nullptr},
      {RIGHT_LOCAL_LOG | RIGHT_LOCAL_PARAM, menus::kLocalExport, A, nullptr},
      {RIGHT_LOCAL_PLAY, 0, P, nullptr},
  };
  for (const Row& row : rows) {
    LogInWithRights(row.rights);
    setExportRunning(row.running);
    const menus::Check check = menus::checkMainMenuButton(menus::kMainMaintenance);
    EXPECT_EQ(check.verdict, row.verdict) << row.rights << " " << row.running;
    EXPECT_STREQ(check.key, row.key) << row.rights << " " << row.running;
    if (check.key) {
      EXPECT_STREQ(check.section, "commons");
    }
  }
}

TEST_F(MenuRules, CameraSettingsWithIpChannels) {
  const uint64_t ipMask = 1;  // one IP camera in slot 1
  device_seam::overrideAnswer(getIpChannelNum, 1, &ipMask, sizeof ipMask);
  WithoutChannels();
  LogInWithRights(RIGHT_LOCAL_CAMERA);  // the camera right needs no channel
  EXPECT_EQ(menus::checkMainMenuButton(menus::kMainCamera).verdict, A);
  LogInWithRights(RIGHT_LOCAL_PARAM);
  EXPECT_EQ(menus::checkMainMenuButton(menus::kMainCamera).verdict, A);
  LogInWithRights(RIGHT_LOCAL_PLAY);
  EXPECT_EQ(menus::checkMainMenuButton(menus::kMainCamera).verdict, P);
}

std::vector<Verdict> ItemVerdicts(SubMenu menu, int count) {
  std::vector<Verdict> out;
  for (int i = 0; i < count; ++i) out.push_back(menus::checkSubMenuItem(menu, i).verdict);
  return out;
}

TEST_F(MenuRules, SubMenuItemsForAdministratorAndGuest) {
  struct Row {
    SubMenu menu;
    std::vector<Verdict> admin, guest;
  };
  const Row rows[] = {
      {SubMenu::kExport, {A, A, A}, {A, A, A}},
      {SubMenu::kManual, {A, A, A}, {P, P, P}},
      {SubMenu::kRecord, {A, A, A, A}, {A, A, A, A}},
      {SubMenu::kSystem, {A, A, A, A, A, A, A, A, A}, {A, A, A, A, A, A, A, A, A}},
      // The simulated disk is local disk 1.
      {SubMenu::kMaintenance, {A, A, A, A, A, A, A}, {A, A, P, P, P, A, P}},
  };
  for (const Row& row : rows) {
    LogIn(kAdmin);
    EXPECT_EQ(ItemVerdicts(row.menu, static_cast<int>(row.admin.size())), row.admin) << static_cast<int>(row.menu);
    LogIn(kGuest);
    EXPECT_EQ(ItemVerdicts(row.menu, static_cast<int>(row.guest.size())), row.guest) << static_cast<int>(row.menu);
  }
}

TEST_F(MenuRules, SubMenuItemsRefusedByTheDevice) {
  LogIn(kAdmin);
  WithoutChannels();
  EXPECT_EQ(ItemVerdicts(SubMenu::kRecord, 4), (std::vector<Verdict>{C, C, A, A}));
  EXPECT_EQ(ItemVerdicts(SubMenu::kManual, 3), (std::vector<Verdict>{C, C, A}));
  device_seam::mutableAbility()->alarmInNum = 0;
  device_seam::mutableAbility()->alarmOutNum = 0;
  const menus::Check alarm = menus::checkSubMenuItem(SubMenu::kSystem, 2);
  EXPECT_EQ(alarm.verdict, B);
  EXPECT_STREQ(alarm.key, "no_alarmin_alarmout");
  DiskInfo farDisk{};
  farDisk.bus = 4;  // disk 9: neither local nor checkable
  device_seam::overrideAnswer(getDiskList, 1, &farDisk, sizeof farDisk);
  const menus::Check smart = menus::checkSubMenuItem(SubMenu::kMaintenance, 6);
  EXPECT_EQ(smart.verdict, B);
  EXPECT_STREQ(smart.section, "diskmenu");
  EXPECT_STREQ(smart.key, "noavaliabledisk");
  DiskInfo localDisk{};
  localDisk.port = 1;
  device_seam::overrideAnswer(getDiskList, 1, &localDisk, sizeof localDisk);
  EXPECT_EQ(menus::checkSubMenuItem(SubMenu::kMaintenance, 6).verdict, A);
}

TEST_F(MenuRules, InitialItemsByRights) {
  struct Row {
    const char* who;
    void (*logIn)();
    int exportItem, manual, record, system, maintenance;
  };
  const Row rows[] = {
      {"admin", [] { LogIn(kAdmin); }, 0, 0, 0, 0, 0},
      {"guest", [] { LogIn(kGuest); }, 0, -1, 0, 0, 0},
      {"params", [] { LogInWithRights(RIGHT_LOCAL_PARAM); }, 0, 0, 0, 0, 2},
      {"storage", [] { LogInWithRights(RIGHT_LOCAL_ADVANCE); }, 0, 2, 0, 0, 3},
      {"admin without channels", [] { WithoutChannels(), LogIn(kAdmin); }, 0, 2, 2, 0, 0},
  };
  for (const Row& row : rows) {
    row.logIn();
    const std::vector<int> got{menus::initialSubMenuItem(SubMenu::kExport), menus::initialSubMenuItem(SubMenu::kManual),
                               menus::initialSubMenuItem(SubMenu::kRecord), menus::initialSubMenuItem(SubMenu::kSystem),
                               menus::initialSubMenuItem(SubMenu::kMaintenance)};
    EXPECT_EQ(got, (std::vector<int>{row.exportItem, row.manual, row.record, row.system, row.maintenance})) << row.who;
  }
}

}  // namespace
