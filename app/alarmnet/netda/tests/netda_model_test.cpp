// The traffic chart's points and the statistics values against reference
// models over random inputs, and the statistics rows by device kind.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/alarmnet/netda/netda.h"

namespace {

using netda::ChartRect;

// Whole MiB from a word of KiB, by division rather than masks.
uint64_t UpModel(uint32_t w) { return (static_cast<uint64_t>(w) + 1023) / 1024 * 1024 * 1024; }
uint64_t DownModel(uint32_t w) { return static_cast<uint64_t>(w) / 1024 * 1024 * 1024; }

TEST(NetDaModel, StatisticsValuesRoundToWholeUnitsWithoutWrapping) {
  std::mt19937 rng(7);
  std::vector<uint32_t> words{0, 1, 1023, 1024, 1025, 0xFFFFFC00u, 0xFFFFFC01u, 0xFFFFFFFFu};
  for (int i = 0; i < 20000; ++i) words.push_back(rng());
  for (uint32_t w : words) {
    SCOPED_TRACE(w);
    EXPECT_EQ(netda::roundedUp(w), UpModel(w));
    EXPECT_EQ(netda::roundedDown(w), DownModel(w));
  }
  EXPECT_EQ(netda::roundedUp(1), 1024u * 1024u);
  EXPECT_EQ(netda::roundedDown(1023), 0u);
}

// The y of a value: the model in long double for values where it is exact.
int YModel(const ChartRect& r, uint64_t v, uint64_t max) {
  if (max == 0 || v >= max) return r.top;
  const long double h = static_cast<long double>(r.bottom) - r.top;
  const int64_t lifted = static_cast<int64_t>(static_cast<long double>(v) * h / static_cast<long double>(max));
  return static_cast<int>(r.bottom - lifted);
}

TEST(NetDaModel, ChartPointsStayInsideTheRectangleAndFollowTheModel) {
  std::mt19937_64 rng(11);
  for (int i = 0; i < 20000; ++i) {
    const int left = static_cast<int>(rng() % 2000) - 1000, top = static_cast<int>(rng() % 2000) - 1000;
    const ChartRect r{left, top, left + static_cast<int>(rng() % 1500), top + 1 + static_cast<int>(rng() % 1000)};
    const uint64_t max = 1 + rng() % (uint64_t{1} << 40);
    const uint64_t v = rng() % 3 == 0 ? rng() : rng() % (max + max / 4);
    const int k = static_cast<int>(rng() % 61);
    const int x = netda::sampleX(r, k), y = netda::sampleY(r, v, max);
    ASSERT_GE(x, r.left);
    ASSERT_LE(x, r.right);
    ASSERT_GE(y, r.top);
    ASSERT_LE(y, r.bottom);
    ASSERT_EQ(x, r.left + static_cast<int>((static_cast<int64_t>(r.right) - r.left) * (60 - k) / 60));
    if (v < (uint64_t{1} << 50)) {
      ASSERT_EQ(y, YModel(r, v, max)) << v << " of " << max;
    }
  }
  const ChartRect r{10, 20, 310, 220};
  EXPECT_EQ(netda::sampleX(r, 0), 310);
  EXPECT_EQ(netda::sampleX(r, 60), 10);
  EXPECT_EQ(netda::sampleY(r, 0, 1024), 220);
  EXPECT_EQ(netda::sampleY(r, 512, 1024), 120);
  // Beyond the maximum, and values that overflow 64 bits once scaled: the
  // top edge, never the bottom.
  EXPECT_EQ(netda::sampleY(r, 5000, 1024), 20);
  EXPECT_EQ(netda::sampleY(r, UINT64_MAX - 1, UINT64_MAX), 21);
  EXPECT_EQ(netda::sampleY(r, 7, 0), 20);
  // A sample index outside 0..60 stays on the rectangle.
  EXPECT_EQ(netda::sampleX(r, -5), 310);
  EXPECT_EQ(netda::sampleX(r, 1000), 10);
}

TEST(NetDaModel, StatisticsRowsFollowTheBandwidthKindAndTheCameraCount) {
  NetTestResult usage{};
  usage.preview = 1;
  usage.playback = 2048;
  usage.ipCameras = 3000;
  usage.netDisks = 5000;
  usage.idleTotal = 4096;
  usage.idleSend = 1023;
  usage.idleReceive = 2047;
  struct Row {
    int ipCount, kind;
    std::vector<std::string> keys;
  } rows[] = {
      {0, 0, {"net_res_prev", "net_res_play"}},
      {0, 1, {"net_res_prev", "net_res_play", "net_res_idle_total"}},
      {0, 2, {"net_res_prev", "net_res_play", "net_res_idle_send"}},
      {1, 2, {"net_res_ipc", "net_res_prev", "net_res_play", "net_res_idle_receive", "net_res_idle_send"}},
      {1, 3,
       {"net_res_ipc", "net_res_prev", "net_res_play", "net_res_idle_total", "net_res_idle_receive",
        "net_res_idle_send"}},
      {-1, 3, {"net_res_prev", "net_res_play", "net_res_idle_total", "net_res_idle_send"}},
      {4, 9, {"net_res_ipc", "net_res_prev", "net_res_play"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.ipCount) + "/" + std::to_string(row.kind));
    netda::StatRow out[7];
    const int n = netda::statRows(usage, row.ipCount, row.kind, out);
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i) keys.push_back(out[i].key);
    EXPECT_EQ(keys, row.keys);
    for (int i = 0; i < n; ++i) {
      const std::string key = out[i].key;
      if (key == "net_res_prev") {
        EXPECT_EQ(out[i].value, 1024u * 1024u);
      }
      if (key == "net_res_ipc") {
        EXPECT_EQ(out[i].value, 3u * 1024u * 1024u);
      }
      if (key == "net_res_idle_send") {
        EXPECT_EQ(out[i].value, 0u);
      }
      if (key == "net_res_idle_receive") {
        EXPECT_EQ(out[i].value, 1024u * 1024u);
      }
    }
  }
}

}  // namespace
