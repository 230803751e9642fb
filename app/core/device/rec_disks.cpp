// Disks: the disk list and its attributes and groups, storage modes and
// quotas, formatting and network disks.
#include <cstring>

#include "app/core/device/fill.h"
#include "app/core/device/sim_state.h"
#include "app/device_backend.h"

using devsim::Kind;

namespace {

const int kDiskGroups = 16;
const int kNetDiskSlotsOffered = 8;
const uint8_t kLocalDisk = 1, kNas = 4, kIpSan = 5;

// The device's one disk: a local disk, read-only, first in the list
// (bus 0, port 0), recording into group 1.
void defaultDiskRow(DiskInfo& row) {
  zeroFill(&row, sizeof row);
  row.readOnly = 1;
  row.group = 1;
  row.type = kLocalDisk;
}

DiskInfo keptDiskRow() {
  DiskInfo row;
  devsim::answerKept(Kind::DiskRow, 0, &row, defaultDiskRow);
  return row;
}

// One change of the disk row, whole under the device's lock, so that
// changes of its attribute and its group never undo each other.
template <typename F>
void changeDiskRow(F change) {
  DiskInfo row;
  defaultDiskRow(row);
  devsim::modifyValue(Kind::DiskRow, 0, row, change);
}

bool isListedDisk(int bus, int port) {
  DiskInfo row = keptDiskRow();
  return bus == row.bus && port == row.port;
}

bool validGroup(int group) { return group >= 1 && group <= kDiskGroups; }

int quotaIndex(int channel, int kind) { return channel * 2 + kind; }

bool isNetDiskType(uint8_t type) { return type == kNas || type == kIpSan; }

// The codes of a changed network disk entry that the device cannot use.
int checkNetDiskEntry(const NetDiskEntry& e) {
  if (!isNetDiskType(e.type)) return 0;
  if (e.ip == 0) return NET_DISK_ERR_ADDRESS;
  if (strnlen(e.directory, sizeof e.directory) == 0) return NET_DISK_ERR_DIRECTORY;
  return 0;
}

}  // namespace

extern "C" {

// --- The disk list, attributes and groups ---

int getDiskList(DiskInfo* out) {
  DEVICE_ENTER(getDiskList, out, sizeof *out * DISK_LIST_ROWS);
  if (!out) return -1;
  *out = keptDiskRow();
  return 1;
}

DEVICE_CONSTANT(hasDiskRedundancy, 1)

int setDiskAttr(int loginId, int bus, int port, int attr, int flag) {
  DEVICE_ENTER(setDiskAttr, nullptr, 0, loginId, bus, port, attr, flag);
  if (!isListedDisk(bus, port) || attr < DISK_ATTR_REDUNDANCY || attr > DISK_ATTR_READWRITE) return -1;
  changeDiskRow([attr](DiskInfo& row) {
    row.redundancy = attr == DISK_ATTR_REDUNDANCY;
    row.readOnly = attr == DISK_ATTR_READONLY;
  });
  return 0;
}

int setDiskGroup(int loginId, int bus, int port, int group) {
  DEVICE_ENTER(setDiskGroup, nullptr, 0, loginId, bus, port, group);
  if (!isListedDisk(bus, port) || !validGroup(group)) return -1;
  changeDiskRow([group](DiskInfo& row) { row.group = static_cast<uint16_t>(group); });
  return 0;
}

int getDiskGroupsInUse(uint64_t* out) {
  DEVICE_ENTER(getDiskGroupsInUse, out, out ? sizeof *out : 0);
  if (!out) return -1;
  DiskInfo row = keptDiskRow();
  *out = validGroup(row.group) ? 1ull << (row.group - 1) : 0;
  return 0;
}

int getDiskGroupMask(int group, uint64_t* out) {
  DEVICE_ENTER(getDiskGroupMask, out, out ? sizeof *out : 0, group);
  if (!out || !validGroup(group)) return -1;
  *out = devsim::fetchValue<uint64_t>(Kind::DiskGroup, group, 0);
  return 0;
}

int setDiskGroupMask(int loginId, int group, uint64_t mask) {
  DEVICE_ENTER(setDiskGroupMask, nullptr, 0, loginId, group, static_cast<int64_t>(mask));
  if (!validGroup(group)) return -1;
  devsim::keepValue(Kind::DiskGroup, group, mask);
  return 0;
}

// The simulated disks record into read-only groups.
DEVICE_CONSTANT_OF(isDiskGroupReadOnly, 1)

// --- Storage mode, quotas and the frame-extraction split ---

int getStorageMode(uint8_t out[4]) {
  DEVICE_ENTER(getStorageMode, out, out ? 4 : 0);
  if (!out) return -1;
  uint32_t mode = devsim::fetchValue<uint32_t>(Kind::StorageMode, 0, 0);
  std::memcpy(out, &mode, sizeof mode);
  return 0;
}

int setStorageMode(int loginId, int mode) {
  DEVICE_ENTER(setStorageMode, nullptr, 0, loginId, mode);
  if (mode < 0 || mode > 2) return -1;
  devsim::keepValue<uint32_t>(Kind::StorageMode, 0, static_cast<uint32_t>(mode));
  return 0;
}

int getDiskQuotaInfo(int channel, int kind, DiskQuotaInfo* out) {
  DEVICE_ENTER(getDiskQuotaInfo, out, sizeof *out, channel, kind);
  if (!out) return -1;
  if (!devsim::validRecordChannel(channel) || (kind != 0 && kind != 1)) return devsim::zeroRecord(out);
  return devsim::answerKeptOrZero(Kind::DiskQuota, quotaIndex(channel, kind), out);
}

int setDiskQuota(int loginId, int channel, int kind, uint64_t quotaMb) {
  DEVICE_ENTER(setDiskQuota, nullptr, 0, loginId, channel, kind, static_cast<int64_t>(quotaMb));
  if (!devsim::validRecordChannel(channel) || (kind != 0 && kind != 1)) return -1;
  devsim::modifyValue(Kind::DiskQuota, quotaIndex(channel, kind), DiskQuotaInfo{},
                      [quotaMb](DiskQuotaInfo& q) { q.quotaMb = quotaMb; });
  return 0;
}

int getChanUsedSpace(int channel, int kind) {
  DEVICE_ENTER(getChanUsedSpace, nullptr, 0, channel, kind);
  return 0;
}

int getFrameSplit(uint32_t out[3]) {
  DEVICE_ENTER(getFrameSplit, out, out ? 12 : 0);
  if (!out) return -1;
  uint32_t split[3] = {30, 50, 20};  // record, frame extraction, pictures in percent
  devsim::fetch(Kind::FrameSplit, 0, split, sizeof split);
  std::memcpy(out, split, sizeof split);
  return 0;
}

int setFrameSplit(int loginId, const uint32_t in[3]) {
  DEVICE_ENTER(setFrameSplit, nullptr, 0, loginId, in ? in[0] : -1, in ? in[1] : -1, in ? in[2] : -1);
  if (!in || in[0] > 100 || in[1] > 100 || in[2] > 100 || in[0] + in[1] + in[2] != 100) return -1;
  devsim::keep(Kind::FrameSplit, 0, in, 3 * sizeof(uint32_t));
  return 0;
}

// Two recording times in seconds: now and with frame extraction. The
// simulated disks hold nothing.
int getRecordTimeEstimate(int rateKbps, const uint32_t shares[3], uint32_t out[2]) {
  DEVICE_ENTER(getRecordTimeEstimate, out, out ? 8 : 0, rateKbps);
  if (!out) return -1;
  out[0] = out[1] = 0;
  return 0;
}

int getDiskModeFlag(uint8_t* out) {
  DEVICE_ENTER(getDiskModeFlag, out, out ? 1 : 0);
  hasDiskModeSetting();
  uint8_t flag = 0;
  if (out && devsim::fetch(Kind::DiskModeFlag, 0, &flag, 1)) *out = flag;
  return 0;
}

int setDiskModeFlag(int loginId, int flag) {
  DEVICE_ENTER(setDiskModeFlag, nullptr, 0, loginId, flag);
  devsim::keepValue<uint8_t>(Kind::DiskModeFlag, 0, flag != 0);
  return 0;
}

// The follow-up request after the disk settings were written.
int applyDiskParams(int loginId) {
  DEVICE_ENTER(applyDiskParams, nullptr, 0, loginId);
  return 0;
}

// --- Disk work: format, delete, load, expand ---

int formatDisk(int loginId, int zero, int bus, int port) {
  DEVICE_ENTER(formatDisk, nullptr, 0, loginId, zero, bus, port);
  return -1;  // the simulated disks cannot be formatted one by one
}

int getDiskFormatProgress(int bus, int port) {
  DEVICE_ENTER(getDiskFormatProgress, nullptr, 0, bus, port);
  return 0;
}

int canDeleteDisk(int bus, int port) {
  DEVICE_ENTER(canDeleteDisk, nullptr, 0, bus, port);
  return 0;
}

int isDiskTooLarge(int bus, int port) {
  DEVICE_ENTER(isDiskTooLarge, nullptr, 0, bus, port);
  return 0;
}

int deleteDisk(OutputLogin*, int bus, int port, int flag) {
  DEVICE_ENTER(deleteDisk, nullptr, 0, bus, port, flag);
  return 0;
}

int loadDisk(int loginId, int bus, int port, int load) {
  DEVICE_ENTER(loadDisk, nullptr, 0, loginId, bus, port, load);
  return 0;
}

DEVICE_CONSTANT(hasDiskExpand, 0)

int expandDisk(int loginId, int bus, int port) {
  DEVICE_ENTER(expandDisk, nullptr, 0, loginId, bus, port);
  return 0;
}

DEVICE_CONSTANT_OF(isUsbdevNotReady, 0)

// --- Network disks ---

int getNetDiskConfig(OutputLogin*, NetDiskConfig* out, int flag) {
  DEVICE_ENTER(getNetDiskConfig, out, sizeof *out, flag);
  return devsim::answerKeptOrZero(Kind::NetDisks, 0, out);
}

int getNetDiskSlotMask(void) {
  DEVICE_ENTER(getNetDiskSlotMask, nullptr, 0);
  NetDiskConfig config;
  devsim::answerKeptOrZero(Kind::NetDisks, 0, &config);
  int mask = 0;
  for (int slot = 0; slot < kNetDiskSlotsOffered; ++slot)
    if (isNetDiskType(config.entries[slot].type)) mask |= 1 << slot;
  return mask;
}

// The simulated device has no network to reach a disk through.
int addNetDisk(int loginId, const NetDiskConfig* in) {
  DEVICE_ENTER(addNetDisk, nullptr, 0, loginId, devsim::digestOf(in));
  return -1;
}

int changeNetDisk(int loginId, const NetDiskConfig* in) {
  DEVICE_ENTER(changeNetDisk, nullptr, 0, loginId, devsim::digestOf(in));
  if (!in) return -1;
  return devsim::keepCheckedTable(Kind::NetDisks, *in, &NetDiskConfig::entries, checkNetDiskEntry);
}

int removeNetDisk(int loginId, int slot, const NetDiskEntry* entry, int flag) {
  DEVICE_ENTER(removeNetDisk, nullptr, 0, loginId, slot, flag);
  if (slot < 0 || slot >= NET_DISK_SLOTS) return -1;
  devsim::modifyValue(Kind::NetDisks, 0, NetDiskConfig{},
                      [slot](NetDiskConfig& c) { zeroFill(&c.entries[slot], sizeof c.entries[slot]); });
  return 0;
}

DEVICE_CONSTANT(netDisksHaveAttributes, 0)

}  // extern "C"
