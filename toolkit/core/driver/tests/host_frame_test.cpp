// A frame buffer comes zeroed, and one of a huge page or more starts on a
// huge-page boundary.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "core/driver/host_display.h"

namespace {

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
