// The shared memory of a window's first picture is made on a thread of its
// own while the host starts. Taken or not, every segment a start made is
// gone once the host stops, and a frame buffer starts on a huge page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "core/driver/host_display.h"
#include "core/driver/host_map_picture.h"
#include "core/driver/host_thread.h"

namespace {

// Segments this process made that still exist.
int SegmentsOfThisProcess() {
  std::ifstream in("/proc/sysvipc/shm");
  std::string line;
  std::getline(in, line);  // the header
  int count = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    long long key = 0, id = 0, perms = 0, size = 0, creator = 0;
    if (fields >> key >> id >> perms >> size >> creator && creator == getpid()) ++count;
  }
  return count;
}

TEST(MapSegment, MadeAheadIsZeroedAndGoesUnlessTaken) {
  const int before = SegmentsOfThisProcess();
  {
    std::future<host::MapSegment> ahead = host::MakeMapSegmentAhead(64, 48);
    ASSERT_TRUE(ahead.valid());
    host::MapSegment segment = ahead.get();
    if (!segment.memory()) GTEST_SKIP() << "no shared memory here";
    const size_t bytes = 64 * 4 * 48;
    EXPECT_TRUE(segment.Holds(bytes));
    EXPECT_FALSE(segment.Holds(bytes + 4));
    size_t set = 0;
    for (size_t at = 0; at < bytes; ++at) set += segment.memory()[at] != 0;
    EXPECT_EQ(set, 0u);
    EXPECT_EQ(SegmentsOfThisProcess(), before + 1);
    host::MapSegment moved = std::move(segment);
    EXPECT_FALSE(segment.Holds(bytes));
    EXPECT_TRUE(moved.Holds(bytes));
  }
  EXPECT_EQ(SegmentsOfThisProcess(), before);
  for (int side : {0, -1, INT_MIN, host::kMaxFrameSide + 1, INT_MAX}) {
    EXPECT_FALSE(host::MakeMapSegmentAhead(side, 48).valid()) << side;
    EXPECT_FALSE(host::MakeMapSegmentAhead(64, side).valid()) << side;
  }
}

// Each start makes a segment ahead while the window system starts; the
// headless driver never takes it, and a stop right after the start finds it
// still being made.
TEST(MapSegment, StartsAndStopsLeaveNoSegmentBehind) {
  const int before = SegmentsOfThisProcess();
  for (int round = 0; round < 40; ++round) {
    ASSERT_TRUE(host::StartHost(64, 48));
    host::StopHost();
  }
  EXPECT_EQ(SegmentsOfThisProcess(), before);
}

TEST(HostFrame, LargeFramesStartOnAHugePageAndComeZeroed) {
  for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{2048, 1536}, std::pair{8, 8}, std::pair{1, 1}}) {
    host::FrameBufferLayout layout{};
    layout.width = w;
    layout.height = h;
    layout.bitsPerPixel = 32;
    layout.pitch = w * 4;
    host::HostDisplay::Frame frame = host::HostDisplay::allocateFrame(layout);
    ASSERT_TRUE(frame) << w;
    const size_t bytes = static_cast<size_t>(layout.pitch) * h;
    if (bytes >= (size_t{2} << 20)) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(frame.get()) % (size_t{2} << 20), 0u) << w;
    }
    size_t set = 0;
    for (size_t at = 0; at < bytes; ++at) set += frame[at] != 0;
    EXPECT_EQ(set, 0u) << w;
    frame[0] = 1;
    frame[bytes - 1] = 1;
  }
}

}  // namespace
