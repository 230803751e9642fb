#include <functional>

#include "app/formatting.h"
#include "app/page_registry.h"
#include "gui/app_hooks.h"
#include "services_test_helpers.h"

namespace services_test {
namespace {

constexpr int kGuest = 1;  // rights 81940: local and remote play, logs

void Users(const std::function<void(UserConfig&)>& change) {
  UserConfig users;
  getUserConfig(nullptr, &users);
  change(users);
  EXPECT_EQ(setUserConfig(nullptr, &users, 0), 0);
}

TEST_F(ServicesTest, UserRightsByUserRightAndChannel) {
  Users([](UserConfig& u) {
    u.users[kGuest].chanMasks[USER_MASK_LOCAL_PLAY] = 0x4;          // channel 3 only
    u.users[kGuest].chanMasks[USER_MASK_LOCAL_BACKUP] = 1ull << 16;  // channel 17
  });
  struct Row {
    int user, right, channel, allowed;
  } rows[] = {
      {0, RIGHT_LOCAL_RECORD, 0, 1},   {0, RIGHT_REMOTE_SHUTDOWN, 99, 1},
      {kGuest, RIGHT_LOCAL_PLAY, 3, 1}, {kGuest, RIGHT_LOCAL_PLAY, 4, 0},
      {kGuest, RIGHT_LOCAL_PLAY, 17, 1},  // a backup channel is a play channel too
      {kGuest, RIGHT_LOCAL_PLAY, 18, 0}, {kGuest, RIGHT_LOCAL_PLAY, 0, 0},
      {kGuest, RIGHT_LOCAL_PLAY, -1, 1}, {kGuest, RIGHT_LOCAL_PLAY, -5, 0},
      {kGuest, RIGHT_LOCAL_RECORD, 3, 0}, {kGuest, RIGHT_LOCAL_RECORD, -1, 0},
      {kGuest, RIGHT_LOCAL_LOG, 0, 1},   {kGuest, RIGHT_LOCAL_LOG, 18, 1},
      {kGuest, RIGHT_REMOTE_PLAY, 17, 1}, {-2, RIGHT_LOCAL_PLAY, -1, 0},
      {32, RIGHT_LOCAL_LOG, -1, 0},
  };
  for (const Row& r : rows) {
    setLoginState(3, r.user, 0);
    EXPECT_EQ(checkUserRight(r.right, r.channel), r.allowed)
        << "user " << r.user << " right " << r.right << " channel " << r.channel;
  }
  EXPECT_EQ(getUserRightChans(kGuest, RIGHT_LOCAL_PLAY), 0x4 | 1ull << 16);
  EXPECT_EQ(getUserRightChans(kGuest, RIGHT_LOCAL_LOG), 0u);
  EXPECT_EQ(getUserRightChans(32, RIGHT_LOCAL_PTZ), 0u);
  EXPECT_EQ(getUserRightChans(0, -1), ~0ull);

  setLoginState(3, kGuest, 0);
  EXPECT_EQ(hasRightOnAnyChan(RIGHT_LOCAL_PLAY), 1);
  EXPECT_EQ(hasRightOnAnyChan(RIGHT_LOCAL_RECORD), 0);
  // The auxiliary output's user does not decide for the current output.
  setLoginState(1, 0, 0);
  EXPECT_EQ(checkUserRight(RIGHT_LOCAL_RECORD, 1), 0);
}

TEST_F(ServicesTest, LoginRecordsAndRefresh) {
  setLoginState(2, 3, 55);  // loose: the auxiliary state
  int user = 0, id = 0;
  getLoginState(1, &user, &id);
  EXPECT_EQ(user, 3);
  EXPECT_EQ(id, 55);
  getLoginState(1, nullptr, nullptr);

  setLoginState(3, 0, 9);
  EXPECT_EQ(getOutputLogin(3)->loginId, 9);
  setLoginState(3, 0, 10);
  EXPECT_EQ(getOutputLogin(7)->loginId, 9) << "another index gives the current record unrefreshed";
  EXPECT_EQ(getOutputLogin(7), getOutputLogin(3));

  EXPECT_EQ(refreshLoginState(3, -2), -1);
  EXPECT_EQ(getLoginId(3), -2);
  setLoginState(3, 0, 4);
  EXPECT_EQ(refreshLoginState(3, 4), -1) << "no forced logout is pending";
  setOutputRelogin(3, 1);
  EXPECT_EQ(refreshLoginState(3, 4), 0);
  EXPECT_EQ(getLoginId(3), 4) << "the device requires no login";
  DeviceConfig required{};
  required.loginRequired = 1;
  device_seam::overrideAnswer(getDeviceConfig, 0, &required, sizeof required);
  EXPECT_EQ(refreshLoginState(3, 4), 0);
  EXPECT_EQ(getLoginUserIndex(3), -2);

  setLoginState(3, 0, 4);
  setOutputState(3, OUTSTATE_MENU);
  EXPECT_EQ(ensureLogin(0), 1);
  EXPECT_EQ(getOutputState(3), OUTSTATE_LIVEVIEW);
}

// A logged-out output asks for the login before a protected entry; a
// refused or cancelled login keeps it out and its state unchanged.
TEST_F(ServicesTest, ALoggedOutOutputAsksForTheLogin) {
  static int opened = 0;
  static int grant = 0;
  registerLoginDialog([](WindowHandle) {
    ++opened;
    setLoginFlag(getCurOutput(), grant);
    if (grant) setLoginState(getCurOutput(), 0, 1);
    return 0;
  });
  const int output = getCurOutput();
  setLoginState(output, 0, 1);
  EXPECT_EQ(isLoginRequired(), 0);
  EXPECT_EQ(ensureLogin(0), 1);
  EXPECT_EQ(opened, 0) << "a logged-in output is not asked again";

  setLoginState(output, -2, -2);
  setOutputState(output, OUTSTATE_MENU);
  EXPECT_EQ(isLoginRequired(), 1);
  EXPECT_EQ(ensureLogin(0), 0);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(getOutputState(output), OUTSTATE_MENU);
  grant = 1;
  EXPECT_EQ(ensureLogin(0), 1);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(getOutputState(output), OUTSTATE_LIVEVIEW);
  EXPECT_EQ(isLoginRequired(), 0);
  registerLoginDialog(nullptr);
}

TEST_F(ServicesTest, ChannelChecksAndAreas) {
  for (int channel : {0, 18, -1}) EXPECT_EQ(isChanValid(channel, 0), 0);
  EXPECT_EQ(isChanValid(17, 0), 1);
  EXPECT_EQ(isChanAvailable(17), 0) << "no IP camera is present";
  EXPECT_EQ(isChanAvailable(5), 1);

  LoadShippedLayout();
  EXPECT_EQ(checkChanSupported(0, 12, 17, 19, 1), 0);
  EXPECT_EQ(checkChanSupported(0, 12, 17, 3, 1), 1);
  EXPECT_TRUE(Boxes().Take().empty());
  device_seam::overrideAnswer(isChannelUsable, 0);
  EXPECT_EQ(checkChanSupported(0, 12, 17, 3, 1), 0);
  auto boxes = Boxes().Take();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The channel does not support this function!");
  EXPECT_EQ(boxes[0].type, 64u);

  int x = -5, y = 13, w = 77, h = 9;
  alignAreaRect(0, &x, &y, &w, &h, 0);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 13);
  EXPECT_EQ(w, 72);
  EXPECT_EQ(h, 9);
  x = 21;
  alignAreaRect(0, &x, nullptr, nullptr, nullptr, 1);
  EXPECT_EQ(x, 16);

  EXPECT_EQ(getVideoAreaSize(nullptr, nullptr, 1), -1);
  EXPECT_EQ(getVideoAreaSize(&w, &h, 1), 0);
  EXPECT_EQ(w, 336);
  EXPECT_EQ(h, 240);
  device_seam::overrideAnswer(getChannelStreamSize, -1);
  getVideoAreaSize(&w, &h, 2);
  EXPECT_EQ(w, 264);
  EXPECT_EQ(h, 200);

  DiskInfo disks[DISK_LIST_ROWS] = {};
  disks[0].bus = 1;
  disks[0].port = 2;  // disk number 2 + 2 * 1 + 1 = 5
  device_seam::overrideAnswer(getDiskList, 1, disks, sizeof disks);
  EXPECT_EQ(findDiskIndex(4), 0);
  EXPECT_EQ(findDiskIndex(0), -1);
}

}  // namespace
}  // namespace services_test
