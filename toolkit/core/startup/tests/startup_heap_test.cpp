#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gui/startup.h"

namespace {

bool HugePagesOffered() {
  std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string modes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return modes.find("[always]") != std::string::npos || modes.find("[madvise]") != std::string::npos;
}

// Kilobytes of the main heap that huge pages back.
long HeapHugeKilobytes() {
  std::ifstream in("/proc/self/smaps");
  std::string line;
  bool inHeap = false;
  long total = 0;
  while (std::getline(in, line)) {
    if (line.find('-') != std::string::npos && line.find(' ') > line.find('-') && std::isxdigit(line[0])) {
      inHeap = line.find("[heap]") != std::string::npos;
    } else if (inHeap && line.rfind("AnonHugePages:", 0) == 0) {
      std::istringstream fields(line.substr(14));
      long kb = 0;
      fields >> kb;
      total += kb;
    }
  }
  return total;
}

// Start-up's allocations, a few megabytes in tables and pictures, fit in the
// heap as prepared: it does not grow for them, and where the system offers
// huge pages they back that memory.
TEST(StartupHeap, TakesStartUpsAllocationsWithoutGrowingAndOnHugePages) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers' allocators keep heaps of their own";
#endif
  PrepareStartupHeap();
  const void* end = sbrk(0);
  constexpr size_t kBlock = size_t{512} << 10;
  std::vector<std::unique_ptr<char[]>> blocks;
  for (int i = 0; i < 16; ++i) {
    blocks.emplace_back(new char[kBlock]);
    std::memset(blocks.back().get(), i + 1, kBlock);
  }
  EXPECT_EQ(sbrk(0), end);
  if (HugePagesOffered()) {
    EXPECT_GE(HeapHugeKilobytes(), 2048);
  }
}

}  // namespace
