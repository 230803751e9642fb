// The disk texts and sums the storage pages, the log export page and other
// pages share.
#include <cstdio>

#include "app/device_backend.h"
#include "app/disk_texts.h"
#include "app/formatting.h"
#include "app/value_texts.h"

namespace {

constexpr const char* kSection = "disk_base";
constexpr int kStatusFormatting = 11, kStatusAbsent = 14;
constexpr int kNas = 4, kIpSan = 5;
constexpr uint8_t kGroupMode = 1;

constexpr ValueKeyRow kStatusRows[] = {
    {"disk_status_normal", 0},        {"disk_status_unformatted", 1}, {"disk_status_abnormal", 2},
    {"disk_status_smartfailed", 3},   {"disk_status_mismatch", 4},    {"disk_status_idle", 5},
    {"disk_status_notOnline", 6},     {"disk_status_repairing", 10},  {"disk_status_formating", 11},
    {"disk_status_waitingformat", 12}, {"disk_status_unloaded", 13},  {"disk_status_not_exist", 14},
    {"disk_status_deleting", 15},
};
constexpr ValueKeyRow kAttrRows[] = {
    {"disk_attr_redundancy", DISK_ATTR_REDUNDANCY},
    {"disk_attr_readonly", DISK_ATTR_READONLY},
    {"disk_attr_readwrite", DISK_ATTR_READWRITE},
};
constexpr ValueKeyRow kTypeRows[] = {
    {"disk_type_local", 1}, {"disk_type_nfs", 4}, {"disk_type_iscsi", 5},
    {"disk_type_esata", 7}, {"disk_type_vd", 6},  {"disk_type_minisas", 8},
};

template <size_t N>
constexpr int countOf(const ValueKeyRow (&)[N]) {
  return static_cast<int>(N);
}

// In 64 bits: the MB sums of 33 rows of 32-bit sizes would overflow as bytes.
template <typename Field>
int64_t sumRows(Field field) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  int64_t sum = 0;
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i) sum += static_cast<int64_t>(rows[i].*field);
  return sum << 20;
}

}  // namespace

extern "C" {

int diskNumberOf(const DiskInfo* disk) {
  if (!disk) return 0;
  return diskNoFromId(static_cast<uint64_t>(disk->bus) | static_cast<uint64_t>(disk->port) << 16);
}

int getDiskAttrText(char* out, int outLen, DiskInfo disk) {
  const int attr = disk.redundancy ? DISK_ATTR_REDUNDANCY : disk.readOnly ? DISK_ATTR_READONLY : DISK_ATTR_READWRITE;
  return formatValueText(kSection, kAttrRows, countOf(kAttrRows), attr, out, outLen);
}

int getDiskTypeText(char* out, DiskInfo disk, int outLen) {
  return formatValueText(kSection, kTypeRows, countOf(kTypeRows), static_cast<int>(disk.type), out, outLen);
}

int getDiskStatusText(char* out, int outLen, int status) {
  return formatValueText(kSection, kStatusRows, countOf(kStatusRows), status, out, outLen);
}

int getDiskStatusCellText(char* out, int outLen, DiskInfo disk) {
  if (!out || outLen < 1) return -1;
  char status[64] = "";
  getDiskStatusText(status, sizeof status, static_cast<int>(disk.status));
  if (disk.status == kStatusFormatting)
    std::snprintf(out, static_cast<size_t>(outLen), "%s %02d%%", status, getDiskFormatProgress(disk.bus, disk.port));
  else
    std::snprintf(out, static_cast<size_t>(outLen), "%s", status);
  return 0;
}

int64_t sumDiskTotalSpace(void) { return sumRows(&DiskInfo::capacity); }
int64_t sumDiskFreeSpace(void) { return sumRows(&DiskInfo::freeSpace); }

int isNetDisk(DiskInfo disk) { return disk.type == kNas || disk.type == kIpSan ? 1 : 0; }

int isDiskEditable(DiskInfo disk) {
  if (isNetDisk(disk)) return 1;
  if (disk.status == kStatusAbsent) return 0;
  uint8_t mode[4] = {};
  getStorageMode(mode);
  return mode[0] == kGroupMode ? 1 : 0;
}

}  // extern "C"
