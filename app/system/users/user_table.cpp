// The table edits of the user pages: the checks of the add, modify and
// change-password saves in their order, and the camera tab's masks.
#include <cstring>

#include "app/device_backend.h"
#include "app/device_caps.h"
#include "app/formatting.h"
#include "app/login_rights.h"
#include "app/system/users/users.h"

namespace users {
namespace {

bool sameName(const UserRecord& u, const char* name) { return std::strncmp(u.name, name, kNameBytes) == 0; }

int checkName(const UserConfig& table, int index, const char* name, NameRule rule) {
  if (name[0] == '\0') return USER_ERR_NAME_EMPTY;
  const bool refused = rule == NameRule::kSeparators
                           ? hasInvalidNameChar(name, static_cast<int>(strnlen(name, kMaxText))) != 0
                           : isAlnumString(name) == 0;
  if (refused) return USER_ERR_NAME_CHARS;
  for (int i = 0; i < USER_COUNT; ++i)
    if (i != index && !isFree(table.users[i]) && sameName(table.users[i], name)) return USER_ERR_NAME_USED;
  return 0;
}

int checkPasswords(const char* password, const char* confirm) {
  if (password[0] == '\0') return USER_ERR_PASSWORD_EMPTY;
  if (std::strncmp(password, confirm, kMaxText) != 0) return DEVICE_ERR_PASSWORD_MISMATCH;
  return 0;
}

void storeName(UserRecord& u, const char* name) {
  std::memset(u.name, 0, kNameBytes);
  std::strncpy(u.name, name, kMaxText);
}

// Sixteen bytes, no terminator when the password fills them.
void storePassword(UserRecord& u, const char* password) {
  std::memset(u.password, 0, sizeof u.password);
  std::memcpy(u.password, password, strnlen(password, sizeof u.password));
}

// A MAC text that does not give six whole bytes is refused; an empty one
// clears the binding.
int parseMac(const char* text, uint8_t out[kMacBytes]) {
  std::memset(out, 0, kMacBytes);
  if (text[0] == '\0') return 0;
  uint8_t bytes[kMacBytes] = {};
  if (parseMacAddr(text, bytes, kMacBytes) != kMacBytes) return kErrBadMac;
  std::memcpy(out, bytes, kMacBytes);
  return 0;
}

bool validLevel(int level) { return level == kLevelLow || level == kLevelMiddle; }

}  // namespace

NameRule deviceNameRule() { return allowsSpecialNameChars() ? NameRule::kSeparators : NameRule::kAlnum; }

int firstFree(const UserConfig& table) {
  for (int i = 0; i < USER_COUNT; ++i)
    if (isFree(table.users[i])) return i;
  return -1;
}

uint8_t* macOf(UserRecord& u) { return reinterpret_cast<uint8_t*>(u.words); }
const uint8_t* macOf(const UserRecord& u) { return reinterpret_cast<const uint8_t*>(u.words); }

bool samePassword(const UserRecord& u, const char* typed) {
  return strnlen(typed, kMaxText + 1) <= kMaxText && std::strncmp(u.password, typed, sizeof u.password) == 0;
}

int addUser(UserConfig& table, int* index, const UserFields& f, NameRule rule) {
  int at = *index;
  if (at < 0 || at >= USER_COUNT || !isFree(table.users[at])) at = firstFree(table);
  if (at < 0) return USER_ERR_NO_FREE;
  *index = at;
  if (int rc = checkName(table, at, f.name, rule)) return rc;
  if (int rc = checkPasswords(f.password, f.confirm)) return rc;
  uint8_t mac[kMacBytes];
  if (int rc = parseMac(f.mac, mac)) return rc;
  UserRecord& u = table.users[at];
  storeName(u, f.name);
  storePassword(u, f.password);
  if (int rc = setUserDefaultRights(&u, validLevel(f.level) ? f.level : kLevelLow)) return rc;
  std::memcpy(macOf(u), mac, kMacBytes);
  return 0;
}

int modifyUser(UserConfig& table, int index, const UserFields& f, NameRule rule) {
  if (index < 0 || index >= USER_COUNT || isFree(table.users[index])) return USER_ERR_NAME_EMPTY;
  UserRecord& u = table.users[index];
  if (index != 0) {
    if (int rc = checkName(table, index, f.name, rule)) return rc;
  } else if (!samePassword(u, f.oldPassword)) {
    return USER_ERR_OLD_PASSWORD;
  }
  if (f.changePassword)
    if (int rc = checkPasswords(f.password, f.confirm)) return rc;
  uint8_t mac[kMacBytes];
  if (int rc = parseMac(f.mac, mac)) return rc;
  if (index != 0) storeName(u, f.name);
  if (f.changePassword) storePassword(u, f.password);
  if (index != 0 && validLevel(f.level) && static_cast<uint32_t>(f.level) != u.priority)
    if (int rc = setUserDefaultRights(&u, f.level)) return rc;
  std::memcpy(macOf(u), mac, kMacBytes);
  return 0;
}

int changeOwnPassword(UserRecord& u, const char* oldPassword, const char* password, const char* confirm) {
  if (!samePassword(u, oldPassword)) return USER_ERR_OLD_PASSWORD;
  if (int rc = checkPasswords(password, confirm)) return rc;
  storePassword(u, password);
  return 0;
}

void storeKindMask(uint64_t masks[kKindCount], int kind, uint64_t checked) {
  constexpr int kLocalPlay = 3, kLocalBackup = 7;
  if (kind == kLocalPlay) {
    masks[kLocalPlay] = checked | masks[kLocalBackup];
  } else if (kind == kLocalBackup) {
    masks[kLocalBackup] = checked;
    masks[kLocalPlay] |= checked;
  } else if (kind >= 0 && kind < kKindCount) {
    masks[kind] = checked;
  }
}

}  // namespace users
