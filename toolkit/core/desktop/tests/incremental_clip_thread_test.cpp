// The visible regions kept up to date step by step (adding, showing,
// hiding and removing a window touch only the windows below it) against a
// reference: the same regions rebuilt from nothing, after every step of
// random sequences of adds, moves, hides, shows, raises and removes.
#include <random>
#include <string>

#include "core/desktop/clip_info.h"
#include "core/desktop/tests/desktop_fixture.h"

namespace desktest {
namespace {

using Rects = std::vector<Rect>;

Rects RectsOf(GlobalClipInfo* info) {
  std::lock_guard<std::mutex> hold(info->lock);
  Rects out;
  for (const ClipRect* n = info->region.head; n; n = n->next) out.push_back(n->rc);
  return out;
}

std::string Show(const Rects& rects) {
  std::string s;
  for (const Rect& r : rects)
    s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
  return s;
}

class IncrementalClip : public DesktopTest {
 protected:
  // Every region as the requests left it, then rebuilt from the lists: the
  // two must be the same rectangles (the banded form is unique).
  void ExpectSameAsRebuilt(const std::string& step) {
    std::vector<Rects> kept;
    for (WindowHandle hwnd : windows_) kept.push_back(RectsOf(Rec(hwnd)->clipInfo));
    Rects desktop = RectsOf(&DesktopClip());
    RebuildAllClips();
    for (size_t i = 0; i < windows_.size(); ++i) {
      if (!(Rec(windows_[i])->style & WS_VISIBLE)) continue;  // a hidden window's region is not kept
      EXPECT_EQ(Show(kept[i]), Show(RectsOf(Rec(windows_[i])->clipInfo))) << step << ", window " << i;
    }
    EXPECT_EQ(Show(desktop), Show(RectsOf(&DesktopClip()))) << step << ", desktop";
  }

  Rect RandomRect(std::mt19937& rng) {
    // Partly off the screen now and then, often overlapping, a few equal.
    std::uniform_int_distribution<int> x(-100, 1000), y(-100, 740), size(20, 500);
    const int left = x(rng) / 40 * 40, top = y(rng) / 40 * 40;
    return Rect{left, top, left + size(rng), top + size(rng)};
  }

  void RunSequence(unsigned seed, int steps) {
    std::mt19937 rng(seed);
    for (int step = 0; step < steps && !HasFailure(); ++step) {
      const int op = windows_.size() < 3 ? 0 : static_cast<int>(rng() % 7);
      WindowHandle some = windows_.empty() ? 0 : windows_[rng() % windows_.size()];
      std::string what;
      switch (op) {
        case 0:
        case 1: {
          const uint32_t style = rng() % 4 ? WS_VISIBLE : 0;
          const uint32_t ex = rng() % 5 ? 0 : WS_EX_TOPMOST;
          Main(RandomRect(rng), style, ex);
          what = "add";
          break;
        }
        case 2: {
          Rect to = RandomRect(rng);
          Request(MSG_DT_MOVEMAINWIN, some, reinterpret_cast<LParam>(&to));
          what = "move";
          break;
        }
        case 3:
          Request(MSG_DT_HIDEMAINWIN, some);
          what = "hide";
          break;
        case 4:
          Request(MSG_DT_SHOWMAINWIN, some);
          what = "show";
          break;
        case 5:
          Request(MSG_DT_MOVETOTOP, some);
          what = "raise";
          break;
        default:
          // The thread's first window hosts the others and would take them along.
          if (some == windows_.front()) some = windows_.back();
          Destroy(some);
          what = "remove";
          break;
      }
      Drain();
      ExpectSameAsRebuilt("seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + what);
    }
  }
};

TEST_F(IncrementalClip, RegionsEqualRebuiltOnesAfterRandomChanges) {
  for (unsigned seed : {1u, 7u, 38u}) {
    RunSequence(seed, 70);
    DestroyKept();
    Drain();
  }
}

// A stack of equal windows: each new one covers all below it, hiding it
// gives everything back to the one right under it.
TEST_F(IncrementalClip, EqualWindowsStackedAndTakenOffOneByOne) {
  for (int i = 0; i < 12; ++i)
    Main({100, 100, 300, 300}, WS_VISIBLE, i % 4 == 3 ? WS_EX_TOPMOST : 0);
  Drain();
  ExpectSameAsRebuilt("stacked");
  while (windows_.size() > 1 && !HasFailure()) {
    Destroy(windows_.back());
    Drain();
    ExpectSameAsRebuilt("taken off, " + std::to_string(windows_.size()) + " left");
  }
}

}  // namespace
}  // namespace desktest
