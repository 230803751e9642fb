// Recording and disks.
#include <cstdio>
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

extern "C" {

int getManualRecordState(OutputLogin*, ManualRecordState* out) {
  DEVICE_ENTER(getManualRecordState, out, sizeof *out);
  return devsim::zeroRecord(out);
}

DEVICE_CONSTANT(hasManualRecordState, 0)

void getRecordStatus(int channel, RecordStatus* out) {
  DEVICE_ENTER_VOID(getRecordStatus, out, sizeof *out, channel);
  devsim::zeroRecord(out);
}

uint64_t getRecordingChanMask(void) {
  DEVICE_ENTER_T(uint64_t, getRecordingChanMask, nullptr, 0);
  return devsim::fetchValue<uint64_t>(Kind::RecordingMask, 0, 0);
}

DEVICE_CONSTANT_OF(canManualRecord, 1)

int startManualRecord(int loginId, uint64_t mask, int) {
  DEVICE_ENTER(startManualRecord, nullptr, 0, loginId, static_cast<int64_t>(mask));
  devsim::modifyValue<uint64_t>(Kind::RecordingMask, 0, 0, [mask](uint64_t& m) { m |= mask; });
  return 0;
}

int stopManualRecord(int loginId, uint64_t mask, int) {
  DEVICE_ENTER(stopManualRecord, nullptr, 0, loginId, static_cast<int64_t>(mask));
  devsim::modifyValue<uint64_t>(Kind::RecordingMask, 0, 0, [mask](uint64_t& m) { m &= ~mask; });
  return 0;
}

DEVICE_CONSTANT(hasManualSnapshot, 1)
DEVICE_CONSTANT_OF(canManualSnapshot, 1)

int getAdvRecordExtra(AdvRecordExtra* out) {
  DEVICE_ENTER(getAdvRecordExtra, out, sizeof *out);
  return devsim::zeroRecord(out);
}

int getChannelRecordFlags(OutputLogin*, int channel, uint32_t out[2]) {
  DEVICE_ENTER(getChannelRecordFlags, out, out ? 8 : 0, channel);
  if (!out) return -1;
  out[0] = out[1] = 0;
  return 0;
}

int isValidDiskNo(int n) {
  DEVICE_ENTER(isValidDiskNo, nullptr, 0, n);
  return n >= 1 && n <= 8;
}

int getFormatProgress(int disk, int kind, FormatProgress* out) {
  DEVICE_ENTER(getFormatProgress, out, sizeof *out, disk, kind);
  return devsim::zeroRecord(out);
}

DEVICE_CONSTANT(hasDiskToInit, 0)
DEVICE_CONSTANT(isDiskRepairing, 0)
DEVICE_CONSTANT(isDiskFormatting, 0)
DEVICE_CONSTANT(isDiskExpanding, 0)

// The log carries the disk numbers packed eight to a word, so tests see the
// whole list.
int formatDiskList(int loginId, const uint8_t* disks, int count) {
  uint64_t packed[4] = {};
  for (int i = 0; disks && i < count && i < 32; ++i) packed[i / 8] |= uint64_t{disks[i]} << (8 * (i % 8));
  DEVICE_ENTER(formatDiskList, nullptr, 0, loginId, count, static_cast<int64_t>(packed[0]), static_cast<int64_t>(packed[1]),
               static_cast<int64_t>(packed[2]), static_cast<int64_t>(packed[3]));
  return disks || count == 0 ? 0 : -1;
}

}  // extern "C"
