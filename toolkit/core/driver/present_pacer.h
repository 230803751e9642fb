// When the host may present next. Presents average at most one a frame,
// but a short run of them after a quiet spell goes at once, and the present
// that shows what a user's action held back (a window drawn whole) never
// waits behind the presents of that action's earlier states.
#ifndef CORE_DRIVER_PRESENT_PACER_H
#define CORE_DRIVER_PRESENT_PACER_H

#include <algorithm>
#include <chrono>

namespace host {

class PresentPacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kFrame{16};
  // Presents that may follow each other at once after a quiet spell.
  static constexpr int kBurst = 3;

  // The earliest time the next present may go.
  Clock::time_point due() const { return completing_ ? Clock::time_point::min() : owed_ - (kBurst - 1) * kFrame; }
  // The drawing held back for an action is done: the next present goes at once.
  void completeAction() { completing_ = true; }
  // Books a present made at `now` (at or after due()).
  void presented(Clock::time_point now) {
    owed_ = std::max(owed_, now) + kFrame;
    completing_ = false;
  }

 private:
  bool completing_ = false;
  // Where the presents made so far would end if each took a whole frame;
  // it never lags the present time, so quiet spells bank at most kBurst.
  Clock::time_point owed_{};
};

}  // namespace host

#endif
