// Visible regions: each stacked window's GlobalClipInfo and the desktop's
// own region (the screen minus every visible window and open popup menu).
#pragma once

#include "core/desktop/zorder.h"
#include "core/window/window_record.h"

// The screen rectangle (g_rcScr), set up by InitDesktop.
const Rect& ScreenRect();
void SetScreenRect(const Rect& rect);
GlobalClipInfo& DesktopClip();

// Rebuilds one window's region: its screen rectangle on the screen, minus
// the visible topmost windows (for a window that is not topmost), the
// visible windows above it in its own list and the open popup menus.
void RebuildWindowClip(WindowRecord* win);
// Every visible window of the topmost and the current display's list, the
// other display's list, then the desktop region.
void RebuildAllClips();
void RebuildDesktopClip();
// Replaces a region under its mutex and raises the age.
void ResetClip(GlobalClipInfo* info, const Rect& rect);

// Hands the window DCs the way to this clip information.
void InstallClipInfoOps();
