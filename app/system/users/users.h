// What the user pages share: the record fields as they use them, the
// result codes of their checks, and the table edits that add, modify and
// delete a user and store the camera tab's masks. The edits work on a table
// copy and never touch the device; the pages write the table afterwards.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/device_backend.h"
#include "app/device_records.h"
#include "app/page_building.h"

namespace users {

constexpr int kMaxText = 16;  // names and passwords the dialogs take
constexpr int kNameBytes = kMaxText + 1;
constexpr int kMacBytes = 6;

// The checks answer DEVICE_ERR_PASSWORD_MISMATCH and USER_ERR_*.
// Not a device code: a MAC text that does not give six whole bytes.
constexpr int kErrBadMac = -0x7010;

// Levels the dialogs offer; high (2) is the administrator's only.
constexpr int kLevelLow = 0, kLevelMiddle = 1, kLevelHigh = 2;

// Dialog modes handed over with setUserDlgArgs.
constexpr int kModeAdd = 0, kModeModify = 2, kModeRights = 3;

// The name rule of the device: separators refused when it allows special
// characters, else letters, digits and '_' only.
enum class NameRule { kSeparators, kAlnum };
NameRule deviceNameRule();

inline bool isFree(const UserRecord& u) { return u.name[0] == '\0'; }
// The lowest free record, or -1.
int firstFree(const UserConfig& table);
uint8_t* macOf(UserRecord& u);
const uint8_t* macOf(const UserRecord& u);
// Passwords compare over at most 16 bytes: a 16-byte field has no terminator.
bool samePassword(const UserRecord& u, const char* typed);

// What a dialog read from its fields.
struct UserFields {
  const char* name = "";
  const char* password = "";
  const char* confirm = "";
  const char* mac = "";
  int level = kLevelLow;
  bool changePassword = true;  // modify: box 20578
  const char* oldPassword = "";  // modify of record 0
};

// Adds a user at `*index`, or at the lowest free record when that one is
// taken (written back to *index); 0 or the first failing check's code.
int addUser(UserConfig& table, int* index, const UserFields& f, NameRule rule);
// Modifies record `index`; 0 or the first failing check's code.
int modifyUser(UserConfig& table, int index, const UserFields& f, NameRule rule);
// Checks a change of one's own password; 0 or the code, the password
// stored on success.
int changeOwnPassword(UserRecord& u, const char* oldPassword, const char* password, const char* confirm);

// The camera tab's kinds 0..7 and the mask each edits.
constexpr int kKindCount = 8;
// Stores the boxes `checked` for `kind` into the eight working masks: local
// backup always keeps local playback.
void storeKindMask(uint64_t masks[kKindCount], int kind, uint64_t checked);

// Reads the device's table (0 or the device's code).
int readTable(UserConfig* table);
// Writes the table and saves the device's parameters; 0 or the code.
int writeTable(const UserConfig& table);
// Refreshes the application's cached table from the device.
void refreshCache();

// The text of an edit, at most `limit` bytes.
void readField(WindowHandle dlg, int id, char* out, int size);
void clearField(WindowHandle dlg, int id, bool focus);
void focusField(WindowHandle dlg, int id);
void limitField(WindowHandle dlg, int id, int limit);
// The level rows ("low", "middle" of "usermodify") into a combo.
void fillLevels(WindowHandle dlg, int comboId);
// Runs a user dialog with the system menu disabled around it.
int runWithMenuDisabled(int (*open)(WindowHandle), WindowHandle owner);

}  // namespace users

extern "C" {
int createUserAddDialog(WindowHandle owner);
int createUserModifyDialog(WindowHandle owner);
int createUserRightDialog(WindowHandle owner);
}
