// Non-client hit test and the scroll-bar part under a point (record
// coordinates).
#pragma once

#include "core/window/window_record.h"

enum ScrollPart {
  kPartNone = 128,
  kPartLeftArrow = 129, kPartRightArrow = 130, kPartPageLeft = 131, kPartPageRight = 132,
  kPartUpArrow = 133, kPartDownArrow = 134, kPartPageUp = 135, kPartPageDown = 136,
  kPartThumb = 137,
};

// x, y on the screen; 1 outside the window.
int NonClientHitTest(WindowRecord* win, int x, int y);
int ScrollPartAt(const WindowRecord* win, bool vertical, int x, int y);
// Caption-button rectangles in record coordinates (empty when absent):
// close, maximize, minimize.
Rect CaptionButtonRect(const WindowRecord* win, int hitCode);
