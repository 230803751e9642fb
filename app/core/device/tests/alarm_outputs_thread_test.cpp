// Alarm outputs switched from two threads at once: each switch changes the
// device's output states in place, so no thread's change is lost, and a
// password reset meanwhile keeps the user table whole.
#include <cstdio>
#include <thread>

#include "device_test_helpers.h"

namespace {

constexpr int kRounds = 3000;

// Thread `side` owns local outputs 2 * side and 2 * side + 1 and the IP
// camera group side + 1; its last round leaves a known pattern.
void switchOutputs(int side) {
  const int group = side + 1;
  for (int i = 0; i < kRounds; ++i) {
    const int mine = 2 * side + (i & 1);
    if (i % 3 == 0)
      clearLocalAlarmOut(side, mine);
    else
      triggerLocalAlarmOut(side, mine);
    // The outputs' states under two threads are the point, not the answers.
    (void)setIpAlarmOutState(side, group, i % 16, i % 5 != 0, 1);
    if (side == 0) (void)resetDefaultPassword(0, "code");
  }
}

// The state the last rounds of one thread leave on its outputs.
uint32_t expectedLocal(int side) {
  uint32_t mask = 0;
  for (int i = kRounds - 2; i < kRounds; ++i) {
    const int mine = 2 * side + (i & 1);
    mask = i % 3 == 0 ? mask & ~(1u << mine) : mask | (1u << mine);
  }
  return mask;
}

uint32_t expectedIp() {
  uint32_t mask = 0;
  for (int i = kRounds - 16; i < kRounds; ++i)
    mask = i % 5 != 0 ? mask | (1u << (i % 16)) : mask & ~(1u << (i % 16));
  return mask;
}

TEST_F(DeviceTest, OutputsSwitchedFromTwoThreadsLoseNoChange) {
  UserConfig users;
  getUserConfig(nullptr, &users);
  std::snprintf(users.users[0].password, 16, "old");
  std::snprintf(users.users[7].name, 32, "operator7");
  ASSERT_EQ(setUserConfig(nullptr, &users, 1), 0);

  std::thread a(switchOutputs, 0);
  std::thread b(switchOutputs, 1);
  a.join();
  b.join();

  EXPECT_EQ(getLocalAlarmOutMask(), expectedLocal(0) | expectedLocal(1));
  EXPECT_EQ(static_cast<uint32_t>(getIpAlarmOutMask(1)), expectedIp());
  EXPECT_EQ(static_cast<uint32_t>(getIpAlarmOutMask(2)), expectedIp());
  getUserConfig(nullptr, &users);
  // Every security code is refused: the password stays.
  EXPECT_STREQ(users.users[0].password, "old");
  EXPECT_STREQ(users.users[7].name, "operator7");
}

}  // namespace
