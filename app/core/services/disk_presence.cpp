// Which disks the maintenance menu and the S.M.A.R.T. window may offer: a
// local disk for the S.M.A.R.T. report, a checkable one for the bad-sector
// check.
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/record_services.h"

namespace {

// The identifier of a disk row: bus in the low half, port in the high.
uint64_t rowId(const DiskInfo& row) { return uint64_t{row.bus} | uint64_t{row.port} << 16; }

template <typename Test>
bool anyDiskRow(Test test) {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i)
    if (test(rows[i])) return true;
  return false;
}

}  // namespace

extern "C" {

int hasLocalDisk(void) {
  return anyDiskRow([](const DiskInfo& row) { return isValidDiskNo(diskNoFromId(rowId(row))) != 0; }) ? 1 : 0;
}

int hasDetectableDisk(void) {
  if (!hasDiskDetect()) return 0;
  return anyDiskRow([](const DiskInfo& row) {
           const uint64_t id = rowId(row);
           return isDiskCheckable(static_cast<int>(id & 0xFFFF), static_cast<int>((id >> 16) & 0xFFFF)) != 0;
         })
             ? 1
             : 0;
}

}  // extern "C"
