// Device information, configuration, clock, start-up wizard flag, the user
// table and logins.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

const char kDefaultName[] = "Embedded Net DVR";
const char kDefaultPassword[] = "73916";
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
  std::snprintf(admin.password, sizeof admin.password, "%s", kDefaultPassword);
  admin.priority = 2;
  admin.rights = ~0u;
  for (int i = 1; i < USER_MASK_COUNT; ++i) admin.chanMasks[i] = ~0ull;
  UserRecord& guest = table->users[1];
  std::snprintf(guest.name, sizeof guest.name, "guest");
  std::snprintf(guest.password, sizeof guest.password, "%s", kDefaultPassword);
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

bool isNameSeparator(unsigned char c) {
  return std::strchr("\\\"'%/:*?<>|", c) != nullptr && c != 0;
}

}  // namespace

extern "C" {

int getDeviceInfo(OutputLogin*, DeviceInfo* out) {
  DEVICE_ENTER(out, sizeof *out);
  if (devsim::zeroRecord(out) != 0) return -1;
  std::snprintf(out->name, sizeof out->name, "%s", kDefaultName);
  out->deviceNumber = 255;
  const uint8_t a[4] = {16, 4, 1, 1};
  std::memcpy(out->countsA, a, sizeof a);
  out->countsB[0] = 16;
  out->maxIpcNum = 0;
  out->countsC[0] = 1;
  out->countsC[1] = 2;
  return 0;
}

int getDeviceConfig(OutputLogin*, DeviceConfig* out) {
  DEVICE_ENTER(out, sizeof *out);
  if (!out) return -1;
  if (!devsim::fetch(Kind::DeviceConfig, 0, out, sizeof *out)) zeroFill(out, sizeof *out);
  if (out->language == 0) out->language = 1;
  if (out->name[0] == '\0') std::snprintf(out->name, sizeof out->name, "%s", kDefaultName);
  if (out->deviceNumber == 0) out->deviceNumber = 255;
  out->loginRequired = 0;
  return 0;
}

int setDeviceConfig(OutputLogin*, const DeviceConfig* in) {
  DEVICE_ENTER(nullptr, 0, in ? in->language : -1);
  if (!in) return -1;
  DeviceConfig kept = *in;
  if (kept.language == 3) kept.language = 20;
  devsim::keepValue(Kind::DeviceConfig, 0, kept);
  return 0;
}

int getDeviceTime(OutputLogin*, DeviceTime* out) {
  DEVICE_ENTER(out, sizeof *out);
  if (devsim::zeroRecord(out) != 0) return -1;
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  out->year = static_cast<uint32_t>(local.tm_year + 1900);
  out->month = static_cast<uint32_t>(local.tm_mon + 1);
  out->day = static_cast<uint32_t>(local.tm_mday);
  out->hour = static_cast<uint32_t>(local.tm_hour);
  out->minute = static_cast<uint32_t>(local.tm_min);
  out->second = static_cast<uint32_t>(local.tm_sec);
  return 1;
}

int getStartGuideFlag(OutputLogin*, uint32_t out[2]) {
  DEVICE_ENTER(out, out ? 8 : 0);
  if (!out) return -1;
  uint32_t flags[2] = {1, 0};
  devsim::fetch(Kind::StartGuide, 0, flags, sizeof flags);
  out[0] = flags[0];
  out[1] = flags[1];
  return 0;
}

int setStartGuideFlag(OutputLogin*, const uint32_t in[2], int) {
  DEVICE_ENTER(nullptr, 0, in ? static_cast<int64_t>(in[0]) : -1, in ? static_cast<int64_t>(in[1]) : -1);
  if (!in) return -1;
  devsim::keep(Kind::StartGuide, 0, in, 2 * sizeof(uint32_t));
  return 0;
}

int getExceptionConfig(OutputLogin*, ExceptionLinkageTable* out) {
  DEVICE_ENTER(out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getRs232Config(OutputLogin*, Rs232Config* out) {
  DEVICE_ENTER(out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getUserConfig(OutputLogin*, UserConfig* out) {
  DEVICE_ENTER(out, sizeof *out);
  if (out) keptUsers(out);
  return 0;
}

int setUserConfig(OutputLogin*, const UserConfig* in, int) {
  DEVICE_ENTER(nullptr, 0);
  if (!in) return -1;
  devsim::keepValue(Kind::UserConfig, 0, *in);
  return 0;
}

int setUserDefaultRights(UserRecord* user, int priority) {
  DEVICE_ENTER(nullptr, 0, priority);
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
  DEVICE_ENTER(loginIdOut, loginIdOut ? sizeof *loginIdOut : 0);
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

}  // extern "C"
