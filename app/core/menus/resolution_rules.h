// What the resolution confirmation decides, apart from its window: the
// countdown and which outputs' resolutions are kept or restored.
#pragma once

namespace resolution_confirm {

constexpr int kSeconds = 15;

// One step per timer expiry (a second): the seconds left to show, or 0 when
// the time is up and the previous resolutions come back.
class Countdown {
 public:
  int tick() {
    if (counter_ >= kSeconds) return 0;
    return kSeconds - counter_++;
  }
  void reset() { counter_ = 0; }

 private:
  int counter_ = 0;
};

// OK: the resolutions now in the device become the previous ones.
void keepNewResolutions();
// Cancel or time-out: the previous resolutions go back into the cached
// configuration, which is stored in the device: 0, or the device's refusal.
int restorePrevResolutions();

}  // namespace resolution_confirm
