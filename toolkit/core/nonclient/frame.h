// Frame geometry of a window: border, caption and menu-bar sizes, the
// client rectangle, the scroll bars' rectangles and their thumbs. All
// rectangles are in the record's coordinates (the screen for main windows,
// the parent's client area for controls).
#pragma once

#include "core/window/window_record.h"

enum ScrollStatus : uint8_t { kBarDisabled = 0x01, kBarHidden = 0x02 };

int FrameMetric(const WindowRecord* win, int index);
int BorderWidth(const WindowRecord* win);
int CaptionHeight(const WindowRecord* win);
int MenuBarHeight(const WindowRecord* win);

bool HasBar(const WindowRecord* win, bool vertical);
bool BarVisible(const WindowRecord* win, bool vertical);
ScrollBarInfo* BarOf(WindowRecord* win, bool vertical);
Rect BarRect(const WindowRecord* win, bool vertical);
int ArrowSize(const WindowRecord* win, bool vertical);
// Track length between the arrows.
int TrackLength(const WindowRecord* win, bool vertical);
// Recomputes the thumb of a visible bar (hides it when its range is empty).
void RecomputeThumb(WindowRecord* win, bool vertical);
// Where the thumb starts on the screen, from the bar's start.
int ThumbOffset(const WindowRecord* win, bool vertical);

// Grows a requested window rectangle to the least the frame needs.
void FitWindowRect(const WindowRecord* win, Rect* rect);
// The client rectangle from the window rectangle, thumbs recomputed.
void RecomputeClientRect(WindowRecord* win);

// Offset from the record's coordinates to the screen.
Point RecordOrigin(const WindowRecord* win);
