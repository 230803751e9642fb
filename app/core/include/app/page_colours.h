// The colours the pages, dialogs and menus paint with, named by what they
// paint, and the one way to fill a box with one of them.
#pragma once

#include <cstdint>

#include "gui/common.h"
#include "gui/gal.h"

struct PageColour {
  uint8_t r, g, b;
};

namespace page_colours {

// The body of every page, of a dialog above its button band, and of the
// menu windows; controls that stand on a page take it as their background.
constexpr PageColour kPageBackground{50, 50, 50};
// A dialog's frame and its band of buttons, the colour panel's button band
// and the sub-menu windows.
constexpr PageColour kDialogBackground{34, 34, 34};
// The tip line along the bottom of the menus, the login and shutdown
// dialogs and the small progress window.
constexpr PageColour kTipBand{28, 26, 27};
// The sub-menu's divider: its body and its lit right edge.
constexpr PageColour kDividerBody{14, 14, 14};
constexpr PageColour kDividerEdge{56, 56, 56};
// The line under a list's rows.
constexpr PageColour kRowDivider{80, 80, 80};

// What the toolkit's system colours (indices of SysPixelIndex) paint.
// Text on a page and in a list's rows; a row whose item is off; a value
// that failed its check.
constexpr int kText = SYSPIXEL_WHITE;
constexpr int kTextOff = SYSPIXEL_GREY;
constexpr int kTextFailed = SYSPIXEL_RED;
// The grid lines of a chart.
constexpr int kChartLine = SYSPIXEL_GREY;

}  // namespace page_colours

// `colour` as a pixel of the surface of `hdc`.
GalPixel pagePixel(HDC hdc, PageColour colour);
// Fills the box at x, y of w by h with `colour`; the brush keeps it.
void fillColour(HDC hdc, PageColour colour, int x, int y, int w, int h);
// Draws with `colour` from now on.
void selectPenColour(HDC hdc, PageColour colour);
