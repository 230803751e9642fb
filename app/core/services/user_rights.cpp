// What the user of the current output may do.
#include <cctype>

#include "app/app_registry.h"
#include "app/core/services/per_output.h"
#include "app/device_backend.h"
#include "app/login_rights.h"

namespace {

app::Word<int> g_userDlgMode{0};
app::Word<int> g_userDlgIndex{0};
app::Word<int> g_diskDlgMode{0};
app::Word<int> g_diskDlgItem{0};

constexpr int kAnyChannel = -1;
constexpr int kLastChannel = 16 + IP_CHANNEL_BOUND;

// Index of a per-channel right's mask in the user record, -1 for others.
int maskIndexOf(int right) {
  switch (right) {
    case RIGHT_REMOTE_PREVIEW: return USER_MASK_REMOTE_PREVIEW;
    case RIGHT_LOCAL_RECORD: return USER_MASK_LOCAL_RECORD;
    case RIGHT_REMOTE_RECORD: return USER_MASK_REMOTE_RECORD;
    case RIGHT_LOCAL_PLAY: return USER_MASK_LOCAL_PLAY;
    case RIGHT_REMOTE_PLAY: return USER_MASK_REMOTE_PLAY;
    case RIGHT_LOCAL_PTZ: return USER_MASK_LOCAL_PTZ;
    case RIGHT_REMOTE_PTZ: return USER_MASK_REMOTE_PTZ;
    case RIGHT_LOCAL_BACKUP: return USER_MASK_LOCAL_BACKUP;
    default: return -1;
  }
}

bool isUserIndex(int userIndex) { return userIndex >= 0 && userIndex < USER_COUNT; }

// The channels of a per-channel right; local play also covers the channels
// the user may back up.
uint64_t channelMask(const UserRecord& user, int right) {
  const int index = maskIndexOf(right);
  if (index < 0) return 0;
  uint64_t mask = user.chanMasks[index];
  if (right == RIGHT_LOCAL_PLAY) mask |= user.chanMasks[USER_MASK_LOCAL_BACKUP];
  return mask;
}

bool readUser(int userIndex, UserRecord* user) {
  UserConfig table;
  if (!isUserIndex(userIndex) || getUserConfig(getOutputLogin(getCurOutput()), &table) != 0) return false;
  *user = table.users[userIndex];
  return true;
}

}  // namespace

extern "C" {

int isPerChanRight(int right) { return maskIndexOf(right) >= 0 ? 1 : 0; }

uint64_t getUserRightChans(int userIndex, int right) {
  UserRecord user;
  if (!readUser(userIndex, &user)) return 0;
  if (right == kAnyChannel) return ~0ull;
  return channelMask(user, right);
}

int checkUserRight(int right, int channel) {
  const int userIndex = getLoginUserIndex(getCurOutput());
  if (isAdminUser(userIndex)) return 1;
  UserRecord user;
  // Nobody logged in (-2) has no record and no rights.
  if (!readUser(userIndex, &user)) return 0;
  if ((user.rights & static_cast<uint32_t>(right)) == 0) return 0;
  if (channel == kAnyChannel) return 1;
  if (!isPerChanRight(right)) return 1;
  if (channel < 1 || channel > kLastChannel) return 0;
  return static_cast<int>((channelMask(user, right) >> (channel - 1)) & 1u);
}

int hasRightOnAnyChan(int right) {
  for (int channel = 1; channel <= getAnalogChanNum(); ++channel)
    if (checkUserRight(right, channel)) return 1;
  uint64_t ipMask = 0;
  getIpChannelNum(&ipMask);
  for (int n = 1; n <= IP_CHANNEL_BOUND; ++n)
    if (((ipMask >> (n - 1)) & 1u) && checkUserRight(right, 16 + n)) return 1;
  return 0;
}

int mayShutDown(int output) {
  const int userIndex = getLoginUserIndex(output);
  if (isAdminUser(userIndex)) return 1;
  UserConfig users{};
  if (!isUserIndex(userIndex) || getUserConfig(getOutputLogin(output), &users) != 0) return 0;
  return (users.users[userIndex].rights & RIGHT_LOCAL_SHUTDOWN) != 0 ? 1 : 0;
}

void setUserDlgArgs(int mode, int userIndex) {
  g_userDlgMode.set(mode);
  g_userDlgIndex.set(userIndex);
}
int getUserDlgArgs(int* userIndexOut) {
  if (userIndexOut) *userIndexOut = g_userDlgIndex.get();
  return g_userDlgMode.get();
}
void setDiskDlgArgs(int mode, int item) {
  g_diskDlgMode.set(mode);
  g_diskDlgItem.set(item);
}
int getDiskDlgArgs(int* itemOut) {
  if (itemOut) *itemOut = g_diskDlgItem.get();
  return g_diskDlgMode.get();
}

// Letters, digits and '_': the one rule for user names where the device
// allows no special characters.
int isAlnumString(const char* text) {
  if (!text) return 0;
  for (; *text; ++text)
    if (!std::isalnum(static_cast<unsigned char>(*text)) && *text != '_') return 0;
  return 1;
}

}  // extern "C"
