// The segmented selector: divider values within their ranges, the shares
// the segments show, and a drag as the parent hears it.
#include <gtest/gtest.h>

#include "controls/barkit/tests/bar_fixture.h"
#include "gui/dialog.h"
#include "gui/input.h"
#include "gui/message.h"
#include "gui/segrate.h"

namespace {

using CodeList = std::vector<int>;

class Selectors : public bartest::BarFixture {
 protected:
  int Value(WindowHandle s, int divider) { return static_cast<int>(SendMessage(s, SRM_GETVALUE, divider, 0)); }
};

TEST_F(Selectors, DividerValuesStayInTheirRangesAndCountsInTwoToTen) {
  WindowHandle s = Make("segrate", 0, 300, 60);
  EXPECT_EQ(Value(s, 0), 20);
  EXPECT_EQ(Value(s, 1), 70);
  EXPECT_EQ(Value(s, 2), -1);  // three segments: two dividers
  for (WParam bad : {1, 11}) SendMessage(s, SRM_SETCOUNT, bad, 0);
  EXPECT_EQ(Value(s, 2), -1);
  SendMessage(s, SRM_SETVALUE, 50, 0);
  EXPECT_EQ(Value(s, 0), 20);  // its maximum
  SendMessage(s, SRM_SETRANGE, (60 << 16) | 0, 0);
  SendMessage(s, SRM_SETVALUE, 50, 0);
  EXPECT_EQ(Value(s, 0), 50);
  SendMessage(s, SRM_SETRANGE, (101 << 16) | 0, 0);  // above 100: refused
  SendMessage(s, SRM_SETRANGE, (10 << 16) | 30, 0);  // minimum above maximum: refused
  SendMessage(s, SRM_SETVALUE, 100, 0);
  EXPECT_EQ(Value(s, 0), 60);
  SendMessage(s, SRM_SETVALUE, 0, 1);
  EXPECT_EQ(Value(s, 1), 70);  // its minimum
  SendMessage(s, SRM_SETCOUNT, 4, 0);
  EXPECT_EQ(Value(s, 2), 100);
  EXPECT_EQ(SendMessage(s, MSG_GETDLGCODE, 0, 0), 0x11);
  EXPECT_EQ(SendMessage(s, MSG_GETTEXT, 0, 0), -1);
}

TEST_F(Selectors, DraggingADividerNotifiesAndStopsAtItsMaximum) {
  WindowHandle s = Make("segrate", 0, 300, 60);
  desktest::Drain();  // painting places the grab rectangles
  SendMessage(s, SRM_SETRANGE, (90 << 16) | 10, 0);
  // Divider 0 stands at 20% of 296 pixels from x 2: its grab is the 4
  // pixels left of x 2 + 59.
  const int x = 2 + 20 * 296 / 100 - 2, y = 50;
  SendMessage(s, MSG_LBUTTONDOWN, 0, x | (y << 16));
  EXPECT_EQ(GetCapture(), s);
  // Under the capture moves come as the desktop sends them: flagged, with
  // a screen position.
  int sx = 150, sy = 30;
  ClientToScreen(s, &sx, &sy);
  SendMessage(s, MSG_MOUSEMOVE, KS_CAPTURED, sx | (sy << 16));
  EXPECT_EQ(Value(s, 0), 50);
  sx = 2000;
  SendMessage(s, MSG_MOUSEMOVE, KS_CAPTURED, sx | (sy << 16));
  EXPECT_EQ(Value(s, 0), 90);
  SendMessage(s, MSG_LBUTTONUP, 0, 0);
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_EQ(Codes(), (CodeList{SRN_DRAGGED, SRN_DRAGGED, SRN_DROPPED}));
}

}  // namespace
