#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <vector>

#include "core/driver/host_mouse_queue.h"
#include "core/driver/present_pacer.h"

// The record is a plain C struct of the host interface: compared and shown
// here, where it is found by argument lookup.
bool operator==(const HostMouseRecord& a, const HostMouseRecord& b) {
  return std::tie(a.x, a.y, a.inside, a.buttons) == std::tie(b.x, b.y, b.inside, b.buttons);
}

std::ostream& operator<<(std::ostream& out, const HostMouseRecord& r) {
  return out << "{" << r.x << "," << r.y << (r.inside ? " in" : " out") << " buttons " << r.buttons << "}";
}

namespace {

using host::MouseQueue;
using Clock = MouseQueue::Clock;
using std::chrono::milliseconds;

// The host's order of input over every device.
uint64_t Stamp() {
  static uint64_t stamp = 0;
  return ++stamp;
}

uint64_t Move(MouseQueue& q, int x, int y) {
  q.SetPointer(x, y, true);
  const uint64_t stamp = Stamp();
  q.PushMove(true, stamp);
  return stamp;
}

// Everything a reader would take, one change per read.
std::vector<HostMouseRecord> TakeAll(MouseQueue& q) {
  std::vector<HostMouseRecord> taken;
  bool more = true;
  while (more) taken.push_back(q.Take(&more));
  return taken;
}

TEST(MouseQueue, ButtonChangesKeepTheirPlaceAndMovesBetweenThemMerge) {
  MouseQueue q;
  EXPECT_EQ(q.OldestStamp(), MouseQueue::kNoStamp);
  Move(q, 1, 1);
  // The merged move is as old as its last part: a key taken in between
  // comes before it.
  const uint64_t merged = Move(q, 2, 2);
  EXPECT_EQ(q.OldestStamp(), merged);
  q.PushButtons(HOST_BUTTON_LEFT, true, Stamp());
  q.PushButtons(HOST_BUTTON_NONE, true, Stamp());
  Move(q, 3, 3);
  Move(q, 4, 5);
  q.PushButtons(HOST_BUTTON_LEFT, true, Stamp());
  Move(q, 9, 9);  // a drag
  Move(q, 8, 7);
  q.PushButtons(HOST_BUTTON_NONE, true, Stamp());
  q.PushButtons(HOST_WHEEL_AWAY, true, Stamp());
  Move(q, 6, 6);  // the wheel's word stays with the moves after it
  const std::vector<HostMouseRecord> expected = {
      {2, 2, 1, HOST_BUTTON_NONE}, {2, 2, 1, HOST_BUTTON_LEFT}, {2, 2, 1, HOST_BUTTON_NONE},
      {4, 5, 1, HOST_BUTTON_NONE}, {4, 5, 1, HOST_BUTTON_LEFT}, {8, 7, 1, HOST_BUTTON_LEFT},
      {8, 7, 1, HOST_BUTTON_NONE}, {8, 7, 1, HOST_WHEEL_AWAY},   {6, 6, 1, HOST_WHEEL_AWAY},
  };
  EXPECT_EQ(TakeAll(q), expected);
  EXPECT_EQ(q.OldestStamp(), MouseQueue::kNoStamp);
  // Nothing left: the state after the last change.
  bool more = true;
  EXPECT_EQ(q.Take(&more), (HostMouseRecord{6, 6, 1, HOST_WHEEL_AWAY}));
  EXPECT_FALSE(more);
  // A move never merges into one already read.
  Move(q, 7, 7);
  EXPECT_EQ(TakeAll(q), (std::vector<HostMouseRecord>{{7, 7, 1, HOST_WHEEL_AWAY}}));
}

TEST(MouseQueue, WithoutAReaderChangesArePlainStateAndAFullQueueEndsOnTheTruth) {
  MouseQueue q;
  q.SetPointer(-5, 900, false);
  q.PushMove(false, Stamp());
  q.PushButtons(HOST_BUTTON_RIGHT, false, Stamp());
  EXPECT_EQ(TakeAll(q), (std::vector<HostMouseRecord>{{-5, 900, 0, HOST_BUTTON_RIGHT}}));
  // A reader that stopped reading: the queue keeps its first changes in
  // order and ends on the state after the last one.
  for (int i = 0; i < 300; ++i) {
    Move(q, i, i);
    q.PushButtons(i % 2 ? HOST_BUTTON_NONE : HOST_BUTTON_LEFT, true, Stamp());
  }
  const std::vector<HostMouseRecord> taken = TakeAll(q);
  ASSERT_EQ(taken.size(), MouseQueue::kCapacity);
  EXPECT_EQ(taken[0], (HostMouseRecord{0, 0, 1, HOST_BUTTON_RIGHT}));
  EXPECT_EQ(taken[1], (HostMouseRecord{0, 0, 1, HOST_BUTTON_LEFT}));
  EXPECT_EQ(taken.back(), (HostMouseRecord{299, 299, 1, HOST_BUTTON_NONE}));
  // Dropped changes are forgotten; the state stays.
  Move(q, 1, 2);
  q.Drop();
  EXPECT_EQ(TakeAll(q), (std::vector<HostMouseRecord>{{1, 2, 1, HOST_BUTTON_NONE}}));
}

// The reader is told once of what waits; while it has not read it, further
// changes need no wake of their own (it wakes itself while more wait).
TEST(MouseQueue, TheReaderIsToldOnceOfWhatWaits) {
  MouseQueue q;
  const Clock::time_point t = Clock::now();
  EXPECT_FALSE(q.TakeWake(t, false, nullptr)) << "nothing queued";
  Move(q, 1, 1);
  EXPECT_TRUE(q.TakeWake(t, false, nullptr));
  q.PushButtons(HOST_BUTTON_LEFT, true, Stamp());
  Move(q, 2, 2);
  EXPECT_FALSE(q.TakeWake(t, false, nullptr)) << "told already, not read yet";
  EXPECT_EQ(TakeAll(q).size(), 3u);
  q.PushButtons(HOST_BUTTON_NONE, true, Stamp());
  EXPECT_TRUE(q.TakeWake(t, false, nullptr));
}

// Motion the host takes in wakes the reader at most once a frame; a button
// change wakes it at once, with the moves before it. Held motion goes with
// the first move a frame after the last wake, or by itself a frame after it
// was first held. A wake says whether it is for motion alone.
TEST(MouseQueue, PacedMotionWakesOnceAFrameButtonsAtOnce) {
  constexpr auto kFrame = host::PresentPacer::kFrame;
  MouseQueue q;
  const Clock::time_point t = Clock::now();
  Move(q, 1, 1);
  EXPECT_TRUE(q.TakeWake(t, true, nullptr)) << "the first move after a quiet spell goes at once";
  TakeAll(q);
  Move(q, 2, 2);
  Clock::time_point due{};
  EXPECT_FALSE(q.TakeWake(t + milliseconds(5), true, &due));
  EXPECT_EQ(due, t + milliseconds(5) + kFrame);
  Move(q, 3, 3);
  EXPECT_FALSE(q.TakeWake(t + milliseconds(10), true, &due));
  EXPECT_EQ(due, t + milliseconds(5) + kFrame) << "held since the first move held";
  Move(q, 4, 4);
  bool motionOnly = false;
  EXPECT_TRUE(q.TakeWake(t + kFrame, true, nullptr, &motionOnly)) << "a move a frame after the last wake";
  EXPECT_TRUE(motionOnly);
  EXPECT_EQ(TakeAll(q), (std::vector<HostMouseRecord>{{4, 4, 1, HOST_BUTTON_NONE}}));
  Move(q, 5, 5);
  EXPECT_FALSE(q.TakeWake(t + kFrame + milliseconds(1), true, &due));
  EXPECT_TRUE(q.TakeWake(due, true, nullptr)) << "the last place of a stop";
  TakeAll(q);
  const Clock::time_point later = due + milliseconds(1);
  Move(q, 6, 6);
  q.PushButtons(HOST_BUTTON_LEFT, true, Stamp());
  EXPECT_TRUE(q.TakeWake(later, true, nullptr, &motionOnly)) << "a press is not held back";
  EXPECT_FALSE(motionOnly) << "a press among the moves";
  EXPECT_EQ(TakeAll(q).size(), 2u);
  // Held motion that the reader took meanwhile is not woken for again.
  Move(q, 7, 7);
  EXPECT_FALSE(q.TakeWake(later + milliseconds(1), true, &due));
  TakeAll(q);
  EXPECT_FALSE(q.TakeWake(due, true, nullptr));
}

// Moves every millisecond for a second, the reader reading at once after
// each wake: about one wake a frame instead of one a move, and the last
// wake brings the last position.
TEST(MouseQueue, ABurstOfMovesWakesTheReaderOncePerFrameAndEndsWhereItEnds) {
  MouseQueue q;
  const Clock::time_point start = Clock::now();
  Clock::time_point due{};
  int wakes = 0;
  HostMouseRecord last{};
  auto deliver = [&](Clock::time_point now) {
    if (!q.TakeWake(now, true, &due)) return;
    ++wakes;
    last = TakeAll(q).back();
  };
  constexpr int kMoves = 1000;
  for (int i = 0; i < kMoves; ++i) {
    const Clock::time_point now = start + milliseconds(i);
    Move(q, i, kMoves - i);
    deliver(now);
  }
  deliver(due);  // the host's wait ends when held motion falls due
  EXPECT_EQ(last, (HostMouseRecord{kMoves - 1, 1, 1, HOST_BUTTON_NONE}));
  const int frames = kMoves / static_cast<int>(host::PresentPacer::kFrame.count());
  EXPECT_GE(wakes, frames);
  EXPECT_LE(wakes, frames + 2);
}

}  // namespace
