// What the storage tests share.
#pragma once

#include <initializer_list>

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

}  // namespace storagetest
