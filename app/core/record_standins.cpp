// Stand-ins for what the live view asks of the recording and storage pages:
// each answers as those pages do on the default device.
#include "app/device_ability.h"
#include "app/device_backend.h"
#include "app/record_pages.h"

namespace {

// A disk-list row names its disk number in its port word.
bool hasLocalDiskRow() {
  DiskInfo rows[DISK_LIST_ROWS] = {};
  const int count = getDiskList(rows);
  for (int i = 0; i < count && i < DISK_LIST_ROWS; ++i)
    if (isValidDiskNo(rows[i].port)) return true;
  return false;
}

}  // namespace

extern "C" {

int hasLocalDisk(void) { return hasLocalDiskRow() ? 1 : 0; }
int hasDetectableDisk(void) { return hasDiskDetect() && hasLocalDiskRow() ? 1 : 0; }

}  // extern "C"
