// Colours, metrics and fonts the menus draw with, named by their keys.
#pragma once

#include "core/element_color.h"
#include "gui/common.h"
#include "gui/font.h"

namespace menu {

enum Metric {
  kBorder = 2, kMenuBarY = 8, kMenuBarOffX = 9, kMenuBarOffY = 10, kMenuItemY = 11,
  kInterItemX = 12, kInterItemY = 13, kItemOffX = 14, kTopMargin = 15, kBottomMargin = 16,
  kLeftMargin = 17, kRightMargin = 18, kItemMinX = 19, kSeparatorY = 20, kSeparatorX = 21,
};

int Metric(Metric index);

// Output the menus run on: main, auxiliary or neither.
bool OnMainOutput();
bool OnAuxOutput();
// The main output is not low resolution but the current one is.
bool HalvedOutput();
// System logical font 4 on the main output, 6 on the auxiliary one.
LogFont* MenuFont();
// Its height (0 on neither output), and font 4's height on either.
int MenuFontHeight();
int Font4Height();

// Bytes of an item's text (0 for none).
int TextLength(const void* text);

// Pen helpers on a DC.
void FillRect(HDC hdc, GalPixel pixel, int x, int y, int w, int h);
void HLine(HDC hdc, GalPixel pixel, int x0, int x1, int y);
void VLine(HDC hdc, GalPixel pixel, int x, int y0, int y1);

}  // namespace menu
