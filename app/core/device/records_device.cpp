// Device information, configuration, start-up wizard flag, the user table
// and logins.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/core/device/fill.h"
#include "app/core/device/kept.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

const char kDefaultName[] = "Embedded Net DVR";
const uint32_t kGuestRights = 81940;
const uint32_t kOperatorRights = 880919;

void setPlayMasks(UserRecord& user) {
  user.chanMasks[USER_MASK_LOCAL_PLAY] = ~0ull;
  user.chanMasks[USER_MASK_REMOTE_PLAY] = ~0ull;
}

void defaultUsers(UserConfig* table) {
  zeroFill(table, sizeof *table);
  UserRecord& admin = table->users[0];
  std::snprintf(admin.name, sizeof admin.name, "admin");
  std::snprintf(admin.password, sizeof admin.password, "%s", devsim::kDefaultPassword);
  admin.priority = 2;
  admin.rights = ~0u;
  for (int i = 1; i < USER_MASK_COUNT; ++i) admin.chanMasks[i] = ~0ull;
  UserRecord& guest = table->users[1];
  std::snprintf(guest.name, sizeof guest.name, "guest");
  std::snprintf(guest.password, sizeof guest.password, "%s", devsim::kDefaultPassword);
  guest.priority = 1;
  guest.rights = kGuestRights;
  setPlayMasks(guest);
}

void keptUsers(UserConfig* table) {
  if (!devsim::fetch(Kind::UserConfig, 0, table, sizeof *table)) defaultUsers(table);
}

bool sameField(const char* field, size_t size, const char* text) {
  return std::strlen(text) <= size && std::strncmp(field, text, size) == 0;
}

// A full 32-byte name field holds no terminator; every copy the
// application reads ends in one.
void terminateName(char (&name)[32]) { name[sizeof name - 1] = '\0'; }

// A device that was never set up runs PAL on every output, the mode the
// interface is laid out for on HDMI and VGA, and chooses its output itself.
constexpr uint8_t kPal = 2;
constexpr uint8_t kFirstResolution = 103;  // 1024*768/60HZ
constexpr uint8_t kAutomaticOutput = 255;
void firstDeviceConfig(DeviceConfig* out) {
  zeroFill(out, sizeof *out);
  for (DeviceOutputBlock& block : out->outputs) block.videoStandard = kPal;
  out->resolutions[1].code = kFirstResolution;
  out->resolutions[2].code = kFirstResolution;
  out->outputMode = kAutomaticOutput;
}

int checkDeviceConfig(const DeviceConfig& config) {
  if (config.deviceNumber < 1 || config.deviceNumber > 255) return DEVICE_ERR_DEVICE_NUMBER;
  if (hasInvalidNameChar(config.name, static_cast<int>(devsim::fieldLength(config.name, sizeof config.name))))
    return DEVICE_ERR_NAME;
  if (config.dstEnabled && !config.dstAuto && config.dstStart[0] == config.dstEnd[0])
    return DEVICE_ERR_DST_SAME_MONTH;
  return 0;
}

bool sameUserName(const UserRecord& a, const UserRecord& b) {
  return std::strncmp(a.name, b.name, sizeof a.name) == 0;
}

// Record 0 is the administrator; without it, or with one name twice, nobody
// could log in as administrator afterwards.
int checkUsers(const UserConfig& table) {
  const UserRecord& admin = table.users[0];
  if (admin.name[0] == '\0' || admin.priority != 2) return USER_ERR_NAME_EMPTY;
  for (int i = 0; i < USER_COUNT; ++i) {
    const UserRecord& user = table.users[i];
    if (user.name[0] == '\0') continue;
    if (hasInvalidNameChar(user.name, static_cast<int>(devsim::fieldLength(user.name, sizeof user.name))))
      return USER_ERR_NAME_CHARS;
    for (int j = 0; j < i; ++j)
      if (sameUserName(user, table.users[j])) return USER_ERR_NAME_USED;
  }
  return 0;
}

bool isNameSeparator(unsigned char c) {
  return std::strchr("\\\"'%/:*?<>|", c) != nullptr && c != 0;
}

}  // namespace

extern "C" {

int getDeviceInfo(OutputLogin* login, DeviceInfo* out) {
  DEVICE_ENTER(getDeviceInfo, out, sizeof *out);
  if (devsim::zeroRecord(out) != 0) return -1;
  // Name and number as configured, so that every page shows the same.
  DeviceConfig config;
  getDeviceConfig(login, &config);
  std::memcpy(out->name, config.name, sizeof out->name);
  out->deviceNumber = config.deviceNumber;
  const uint8_t a[4] = {16, 4, 1, 1};
  std::memcpy(out->countsA, a, sizeof a);
  out->countsB[0] = 16;
  out->maxIpcNum = 0;
  out->countsC[0] = 1;
  out->countsC[1] = 2;
  return 0;
}

int getDeviceConfig(OutputLogin*, DeviceConfig* out) {
  DEVICE_ENTER(getDeviceConfig, out, sizeof *out);
  if (!out) return -1;
  if (!devsim::fetch(Kind::DeviceConfig, 0, out, sizeof *out)) firstDeviceConfig(out);
  if (out->language == 0) out->language = 1;
  if (out->name[0] == '\0') std::snprintf(out->name, sizeof out->name, "%s", kDefaultName);
  if (out->deviceNumber == 0) out->deviceNumber = 255;
  terminateName(out->name);
  out->loginRequired = 0;
  return 0;
}

int setDeviceConfig(OutputLogin*, const DeviceConfig* in, int) {
  DEVICE_ENTER(setDeviceConfig, nullptr, 0, in ? in->language : -1, in ? static_cast<int64_t>(in->deviceNumber) : -1);
  if (!in) return -1;
  if (int code = checkDeviceConfig(*in)) return code;
  DeviceConfig kept = *in;
  if (kept.language == 3) kept.language = 20;
  devsim::keepValue(Kind::DeviceConfig, 0, kept);
  return 0;
}

int getStartGuideFlag(OutputLogin*, uint32_t out[2]) {
  DEVICE_ENTER(getStartGuideFlag, out, out ? 8 : 0);
  if (!out) return -1;
  uint32_t flags[2] = {1, 0};
  devsim::fetch(Kind::StartGuide, 0, flags, sizeof flags);
  out[0] = flags[0];
  out[1] = flags[1];
  return 0;
}

int setStartGuideFlag(OutputLogin*, const uint32_t in[2], int) {
  DEVICE_ENTER(setStartGuideFlag, nullptr, 0, in ? static_cast<int64_t>(in[0]) : -1, in ? static_cast<int64_t>(in[1]) : -1);
  if (!in) return -1;
  devsim::keep(Kind::StartGuide, 0, in, 2 * sizeof(uint32_t));
  return 0;
}

int getUserConfig(OutputLogin*, UserConfig* out) {
  DEVICE_ENTER(getUserConfig, out, sizeof *out);
  if (out) keptUsers(out);
  return 0;
}

int setUserConfig(OutputLogin*, const UserConfig* in, int) {
  DEVICE_ENTER(setUserConfig, nullptr, 0);
  return devsim::keepChecked(Kind::UserConfig, 0, in, checkUsers);
}

int setUserDefaultRights(UserRecord* user, int priority) {
  DEVICE_ENTER(setUserDefaultRights, nullptr, 0, priority);
  if (!user) return -1;
  zeroFill(&user->words[5], sizeof *user - offsetof(UserRecord, words[5]));
  user->priority = static_cast<uint32_t>(priority);
  if (priority == 2 || priority == 1) {
    user->rights = priority == 2 ? ~0u : kOperatorRights;
    for (uint64_t& mask : user->chanMasks) mask = ~0ull;
  } else {
    user->rights = kGuestRights;
    setPlayMasks(*user);
  }
  return 0;
}

int hasInvalidNameChar(const char* name, int length) {
  if (!name) return 0;
  for (int i = 0; i < length; ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    if (c >= 128)
      ++i;  // the second byte of a double-byte character is never a separator
    else if (isNameSeparator(c))
      return 1;
  }
  return 0;
}

int loginDevice(const char* user, const char* password, int, int, int, int* loginIdOut, int) {
  DEVICE_ENTER(loginDevice, loginIdOut, loginIdOut ? sizeof *loginIdOut : 0);
  // An empty name would match the table's unused records.
  if (!user || !*user) return 1;
  UserConfig table;
  keptUsers(&table);
  for (const UserRecord& rec : table.users) {
    if (!sameField(rec.name, sizeof rec.name, user)) continue;
    if (!sameField(rec.password, sizeof rec.password, password ? password : "")) return 1;
    if (loginIdOut) *loginIdOut = 0;
    return 0;
  }
  return 1;
}

DEVICE_CONSTANT_OF(logoutDevice, 0)

// No security-code scheme is known to this device: every code is refused
// and the table stays as it is.
int resetDefaultPassword(int loginId, const char* securityCode) {
  DEVICE_ENTER(resetDefaultPassword, nullptr, 0, loginId);
  if (!securityCode) return -1;
  return DEVICE_ERR_SECURITY_CODE;
}

}  // extern "C"
