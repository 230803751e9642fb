// The motion status call-back of the camera pages. The device reports on its
// own thread; unregistering waits for a report in flight, so a page that has
// unregistered may free what its call-back writes.
#include <mutex>

#include "app/core/device/fill.h"
#include "app/device_backend.h"
#include "app/device_test_seam.h"

namespace {

std::mutex g_gate;
MotionStatusCallback g_callback = nullptr;

// The simulated device has no patterns of its own: one per channel.
constexpr int kPatternsPerChannel = 1;

}  // namespace

extern "C" {

// The simulated device detects no motion, so it never calls back; the
// call-back is kept for a device that does (and for the tests' reports).
int setMotionStatusCallback(MotionStatusCallback callback) {
  DEVICE_ENTER(setMotionStatusCallback, nullptr, 0, callback ? 1 : 0);
  const std::lock_guard<std::mutex> lock(g_gate);
  g_callback = callback;
  return 0;
}

int getPatternNum(int channel) { return devsim::hasChannel(channel) ? kPatternsPerChannel : 0; }

int hasHolidaySchedule(void) {
  DEVICE_ENTER(hasHolidaySchedule, nullptr, 0);
  return 1;
}

}  // extern "C"

namespace device_seam {

bool reportMotion(int channel, const uint32_t* rowMasks) {
  const std::lock_guard<std::mutex> lock(g_gate);
  if (!g_callback) return false;
  g_callback(channel, rowMasks);
  return true;
}

}  // namespace device_seam
