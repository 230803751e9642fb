// The traffic chart's geometry and the statistics rows.
#include "app/alarmnet/netda/netda.h"

namespace netda {
namespace {

constexpr int kSpan = kSamples - 1;
constexpr uint32_t kUnitMask = 1023;
constexpr uint64_t kUnit = 1024;

int clampTo(int64_t v, int low, int high) {
  if (v < low) return low;
  if (v > high) return high;
  return static_cast<int>(v);
}

}  // namespace

int sampleX(const ChartRect& r, int k) {
  const int64_t width = static_cast<int64_t>(r.right) - r.left;
  const int64_t x = r.left + width * (kSpan - static_cast<int64_t>(k)) / kSpan;
  return clampTo(x, r.left, r.right);
}

// Points beyond the rectangle go to the nearest edge: swapping the edges
// drew a value above the top at the bottom.
int sampleY(const ChartRect& r, uint64_t v, uint64_t max) {
  if (r.bottom <= r.top) return r.bottom;
  const uint64_t height = static_cast<uint64_t>(static_cast<int64_t>(r.bottom) - r.top);
  if (max == 0 || v >= max) return r.top;
  const unsigned __int128 scaled = static_cast<unsigned __int128>(v) * height / max;
  return clampTo(static_cast<int64_t>(r.bottom) - static_cast<int64_t>(scaled), r.top, r.bottom);
}

uint64_t roundedUp(uint32_t word) {
  return ((static_cast<uint64_t>(word) + kUnitMask) & ~static_cast<uint64_t>(kUnitMask)) * kUnit;
}

uint64_t roundedDown(uint32_t word) { return static_cast<uint64_t>(word & ~kUnitMask) * kUnit; }

int statRows(const NetTestResult& usage, int ipCount, int kind, StatRow* out) {
  int n = 0;
  const bool idleTotal = kind == 1 || kind == 3, idleSplit = kind == 2 || kind == 3;
  if (ipCount > 0) out[n++] = {"net_res_ipc", roundedUp(usage.ipCameras)};
  out[n++] = {"net_res_prev", roundedUp(usage.preview)};
  out[n++] = {"net_res_play", roundedUp(usage.playback)};
  if (idleTotal) out[n++] = {"net_res_idle_total", roundedDown(usage.idleTotal)};
  if (idleSplit && ipCount >= 1) out[n++] = {"net_res_idle_receive", roundedDown(usage.idleReceive)};
  if (idleSplit) out[n++] = {"net_res_idle_send", roundedDown(usage.idleSend)};
  return n;
}

}  // namespace netda
