#include "core/driver/present_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using host::PresentPacer;
using Clock = PresentPacer::Clock;
using std::chrono::microseconds;
constexpr auto kFrame = PresentPacer::kFrame;
constexpr int kBurst = PresentPacer::kBurst;

// Presents each request as soon as the pacer lets it (requests in time
// order, one after the other) and answers when each went.
std::vector<Clock::time_point> Present(PresentPacer& pacer, const std::vector<Clock::time_point>& requests) {
  std::vector<Clock::time_point> shown;
  Clock::time_point last{};
  for (Clock::time_point asked : requests) {
    Clock::time_point at = std::max({asked, pacer.due(), last});
    pacer.presented(at);
    shown.push_back(at);
    last = at;
  }
  return shown;
}

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);

TEST(PresentPacer, AQuietHostShowsAShortRunAtOnceThenOneAFrame) {
  PresentPacer pacer;
  std::vector<Clock::time_point> requests(kBurst + 3, kStart);
  std::vector<Clock::time_point> shown = Present(pacer, requests);
  for (int i = 0; i < kBurst; ++i) EXPECT_EQ(shown[i], kStart) << "present " << i << " of the first run";
  for (size_t i = kBurst; i < shown.size(); ++i)
    EXPECT_EQ(shown[i], kStart + static_cast<int>(i - kBurst + 1) * kFrame) << "present " << i;
  // Only a spell as long as the whole run banks the whole run again.
  Clock::time_point quiet = shown.back() + kBurst * kFrame;
  EXPECT_EQ(Present(pacer, std::vector<Clock::time_point>(kBurst, quiet)).back(), quiet);
  EXPECT_GT(Present(pacer, {quiet}).back(), quiet);
}

// The present that shows what an action held back goes at once, after
// however many of its earlier states went; the rate then holds again.
TEST(PresentPacer, APresentCompletingAnActionNeverWaitsBehindItsEarlierStates) {
  PresentPacer pacer;
  const std::vector<Clock::time_point> earlier = Present(pacer, std::vector<Clock::time_point>(kBurst + 1, kStart));
  ASSERT_GT(earlier.back(), kStart) << "the run is spent";
  const Clock::time_point done = earlier.back() + microseconds(100);
  pacer.completeAction();
  EXPECT_LE(pacer.due(), done);
  pacer.presented(done);
  EXPECT_GT(pacer.due(), done) << "the next present is paced again";
}

// Random requests: never more than one present a frame beyond the run a
// quiet spell allows, and a present after a long enough spell never waits.
TEST(PresentPacer, RandomRequestsKeepTheRateAndNeverWaitAfterAQuietSpell) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    PresentPacer pacer;
    std::vector<Clock::time_point> requests;
    Clock::time_point t = kStart;
    for (int i = 0; i < 200; ++i) {
      const int gap = random() % 4 == 0 ? static_cast<int>(random() % 80000) : static_cast<int>(random() % 3000);
      requests.push_back(t += microseconds(gap));
    }
    std::vector<Clock::time_point> shown = Present(pacer, requests);
    for (size_t i = 0; i < shown.size(); ++i) {
      ASSERT_GE(shown[i], requests[i]);
      // Presents in [shown[i], shown[i] + n frames): at most n + kBurst - 1.
      for (int frames = 1; frames <= 4; ++frames) {
        const Clock::time_point end = shown[i] + frames * kFrame;
        const long count = std::count_if(shown.begin() + static_cast<long>(i), shown.end(),
                                         [&](Clock::time_point s) { return s < end; });
        ASSERT_LE(count, frames + kBurst - 1) << "round " << round << " present " << i;
      }
      if (i > 0 && requests[i] >= shown[i - 1] + kBurst * kFrame) {
        ASSERT_EQ(shown[i], requests[i]) << "round " << round << " present " << i;
      }
    }
  }
}

}  // namespace
