// What the storage tests share.
#pragma once

#include <cstdio>
#include <initializer_list>

#include "app/device_backend.h"
#include "app/formatting.h"
#include "app/storage_pages.h"

namespace storagetest {

// Hands the format windows these disks, each marked to be worked on, and
// the kind of work.
inline void GiveDisks(std::initializer_list<uint32_t> disks, int kind) {
  FormatDiskArg arg{};
  for (uint32_t n : disks) {
    arg.disks[arg.count] = n;
    arg.results[arg.count] = 1;
    ++arg.count;
  }
  setFormatDiskArg(arg);
  setFormatType(kind);
}

// Disk 20, the first network disk behind the local ones, as a NAS at
// 192.168.1.20 with the folder /export/nvr.
inline bool KeepNas20() {
  NetDiskConfig config{};
  NetDiskEntry& nas = config.entries[20 - getLocalDiskNum()];
  nas.type = 4;
  nas.ip = 0x1401A8C0;  // 192.168.1.20 in memory order
  std::snprintf(nas.directory, sizeof nas.directory, "/export/nvr");
  return changeNetDisk(0, &config) == 0;
}

}  // namespace storagetest
