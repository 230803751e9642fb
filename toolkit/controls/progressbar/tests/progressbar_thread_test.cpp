// Progress bars as the parent and the screen see them: results and
// notifications of the messages, and the filled blocks on the screen.
#include <gtest/gtest.h>

#include <climits>

#include "controls/barkit/tests/bar_fixture.h"
#include "gui/dc.h"
#include "gui/dialog.h"
#include "gui/element.h"
#include "gui/progressbar.h"

namespace {

using CodeList = std::vector<int>;

class ProgressBars : public bartest::BarFixture {
 protected:
  // Runs of the fill colour along the bar's middle row (column when
  // vertical): the filled blocks.
  int FilledRuns(WindowHandle pb, bool vertical) {
    desktest::Drain();
    Rect c{};
    GetClientRect(pb, &c);
    const GalPixel fill = GetWindowElementColorEx(pb, WEC_BKC_CONTROL_HILITE);
    HDC hdc = GetClientDC(pb);
    int runs = 0;
    bool in = false;
    const int n = vertical ? c.bottom : c.right;
    for (int i = 0; i < n; ++i) {
      const GalPixel p = vertical ? GetPixel(hdc, c.right / 2, i) : GetPixel(hdc, i, c.bottom / 2);
      if (p == fill && !in) ++runs;
      in = p == fill;
    }
    ReleaseDC(hdc);
    return runs;
  }
};

TEST_F(ProgressBars, MessagesAnswerClampAndNotifyAsTheStyleAsks) {
  struct Row {
    uint32_t style;
    int msg;
    WParam wParam;
    LParam lParam;
    LResult result;
    CodeList codes;
  } rows[] = {
      {PBS_NOTIFY, PBM_SETPOS, 150, 0, 0, {PBN_REACHMAX}},
      {0, PBM_SETPOS, 150, 0, 0, {}},
      {PBS_NOTIFY, PBM_SETPOS, static_cast<WParam>(-5), 0, 0, {PBN_REACHMIN}},
      {PBS_NOTIFY, PBM_SETPOS, 40, 0, 0, {}},
      {PBS_NOTIFY, PBM_DELTAPOS, 95, 0, 0, {PBN_REACHMAX}},
      {PBS_NOTIFY, PBM_DELTAPOS, 0, 0, 0, {}},
      {PBS_NOTIFY, PBM_STEPIT, 0, 0, 0, {}},
      {0, PBM_SETSTEP, 101, 0, -1, {}},
      {0, PBM_SETRANGE, 5, 5, -1, {}},
      {PBS_NOTIFY, PBM_SETRANGE, 100, 50, 0, {}},  // clamping into a new range is no notified move
      {0, MSG_GETDLGCODE, 0, 0, 0x1000, {}},
      {0, MSG_SETTEXT, 0, 0, -1, {}},
  };
  for (const Row& r : rows) {
    WindowHandle pb = Make("progressbar", r.style);
    SendMessage(pb, PBM_SETPOS, 20, 0);
    Codes();
    EXPECT_EQ(SendMessage(pb, r.msg, r.wParam, r.lParam), r.result) << "row " << (&r - rows);
    EXPECT_EQ(Codes(), r.codes) << "row " << (&r - rows);
    DestroyWindow(pb);
  }
  // The widest range: deltas and steps past either end clamp, never wrap.
  const WParam intMin = static_cast<WParam>(INT_MIN), intMax = static_cast<WParam>(INT_MAX);
  const Row wide[] = {
      {PBS_NOTIFY, PBM_DELTAPOS, intMax, 0, 0, {PBN_REACHMAX}},
      {PBS_NOTIFY, PBM_DELTAPOS, intMin, 0, 0, {PBN_REACHMIN}},
      {0, PBM_SETSTEP, intMax, 0, 0, {}},
  };
  for (const Row& r : wide) {
    WindowHandle pb = Make("progressbar", r.style);
    SendMessage(pb, PBM_SETRANGE, intMin, static_cast<LParam>(INT_MAX));
    SendMessage(pb, PBM_SETPOS, r.wParam == intMin ? intMin + 10 : intMax - 10, 0);
    Codes();
    EXPECT_EQ(SendMessage(pb, r.msg, r.wParam, r.lParam), r.result) << "wide row " << (&r - wide);
    EXPECT_EQ(Codes(), r.codes) << "wide row " << (&r - wide);
    DestroyWindow(pb);
  }
}

TEST_F(ProgressBars, FilledBlocksOnTheScreen) {
  struct Row {
    uint32_t style;
    int w, h, minimum, maximum, position, runs;
  } rows[] = {
      {0, 200, 24, 0, 100, 37, 7},  // unit 5: 20 blocks of which 7 are filled
      {0, 200, 24, 0, 3, 2, 2},     // unit 1: three blocks
      {PBS_VERTICAL, 24, 200, 0, 100, 37, 7},
      {0, 200, 24, 0, 100, 100, 20},
      {0, 200, 24, INT_MIN, INT_MAX, 0, 3},  // blocks under a pixel: half the bar, parted by "50%"
  };
  for (const Row& r : rows) {
    WindowHandle pb = Make("progressbar", r.style, r.w, r.h);
    SendMessage(pb, PBM_SETRANGE, static_cast<WParam>(r.minimum), r.maximum);
    SendMessage(pb, PBM_SETPOS, static_cast<WParam>(r.position), 0);
    EXPECT_EQ(FilledRuns(pb, r.style & PBS_VERTICAL), r.runs) << "row " << (&r - rows);
    DestroyWindow(pb);
  }
}

}  // namespace
