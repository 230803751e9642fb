// The words the disk pages leave for the format windows, and the format
// request of a list of disk numbers.
#include <atomic>
#include <cstdarg>
#include <cstdint>

#include "app/device_backend.h"
#include "app/login_rights.h"
#include "app/record_pages.h"
#include "app/storage_pages.h"

namespace {

constexpr int kMaxFormatDisks = 32;
constexpr int kLargestByte = 255;

std::atomic<int> g_type{FORMAT_TYPE_DISKS};
std::atomic<int> g_fsChoice{0};
std::atomic<int> g_expandPart{0};

}  // namespace

extern "C" {

void setFormatType(int kind) { g_type = kind; }
int getFormatType(void) { return g_type; }
void setFormatFsChoice(int value) { g_fsChoice = value; }
int getFormatFsChoice(void) { return g_fsChoice; }
void setExpandPartFlag(int flag) { g_expandPart = flag; }
int getExpandPartFlag(void) { return g_expandPart; }

int formatDiskArray(int output, int count, const int* numbers) {
  if (!numbers || count < 0) return -1;
  uint8_t disks[kMaxFormatDisks] = {};
  int kept = 0;
  for (int i = 0; i < count && i < kMaxFormatDisks; ++i) {
    const int disk = numbers[i];
    // Numbers outside a byte would not fit the request.
    if (disk > 0 && disk <= kLargestByte) disks[kept++] = static_cast<uint8_t>(disk);
  }
  return formatDiskList(getLoginId(output), disks, kept);
}

int formatDisks(int output, int count, ...) {
  // Callers pass the whole list of 32; no more than that is read.
  int numbers[kMaxFormatDisks] = {};
  const int n = count < 0 ? 0 : count > kMaxFormatDisks ? kMaxFormatDisks : count;
  va_list args;
  va_start(args, count);
  for (int i = 0; i < n; ++i) numbers[i] = va_arg(args, int);
  va_end(args);
  return formatDiskArray(output, n, numbers);
}

}  // extern "C"
