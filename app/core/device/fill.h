// Small fill helpers shared by the backend's operations.
#ifndef APP_CORE_DEVICE_FILL_H
#define APP_CORE_DEVICE_FILL_H

#include <cstdint>
#include <cstring>

#include "app/core/device/sim_state.h"
#include "app/device_records.h"
#include "gui/app_hooks.h"

namespace devsim {

// The password of the default users and of a password reset.
inline constexpr char kDefaultPassword[] = "73916";

// Clears a record the device does not keep; -1 for a null record.
template <typename T>
int zeroRecord(T* out) {
  if (!out) return -1;
  zeroFill(out, sizeof *out);
  return 0;
}

// Writes a 32-bit word at word index `n` of a record.
template <typename T>
void putWord(T* out, int n, uint32_t value) {
  static_assert(sizeof(T) >= 4, "record holds words");
  std::memcpy(reinterpret_cast<uint8_t*>(out) + 4 * n, &value, sizeof value);
}

// Channels the device has: the analog ones, then the IP channels present
// in the IP channel mask, numbered after them.
bool hasChannel(int channel);

// The name of a resolution code of the encoding and capture lists (at
// most 31 characters); false for a code the device does not know.
bool resolutionName(int code, char out[32]);

// Valid output index of the live-view records.
inline bool validOutputIndex(int index) { return index >= 0 && index <= 7; }

// Answers the kept record of (kind, index) over the default that `fill`
// writes (so a shorter kept record still leaves no byte unset); -1 for a
// null record.
template <typename T, typename F>
int answerKept(Kind kind, int index, T* out, F fill) {
  if (!out) return -1;
  fill(*out);
  fetch(kind, index, out, sizeof *out);
  return 0;
}
template <typename T>
int answerKeptOrZero(Kind kind, int index, T* out) {
  return answerKept(kind, index, out, [](T& r) { zeroFill(&r, sizeof r); });
}

// Keeps a table of entries whole when every entry that differs from the
// kept one passes `check` (entries never set stay empty and are not
// checked); else keeps the old table and answers the first refusal code.
template <typename Table, typename Entry, size_t N, typename Check>
int keepCheckedTable(Kind kind, const Table& in, Entry (Table::*entries)[N], Check check) {
  int code = 0;
  modifyValue(kind, 0, Table{}, [&](Table& kept) {
    for (size_t i = 0; i < N && code == 0; ++i)
      if (std::memcmp(&(kept.*entries)[i], &(in.*entries)[i], sizeof(Entry)) != 0) code = check((in.*entries)[i]);
    if (code == 0) kept = in;
  });
  return code;
}

// Channels whose records the device keeps: the analog channels and the IP
// channels it takes.
inline bool validRecordChannel(int channel) { return channel >= 1 && channel <= 16 + IP_CHANNEL_BOUND; }

}  // namespace devsim

#endif
