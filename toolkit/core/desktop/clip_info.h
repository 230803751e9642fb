// Visible regions: each stacked window's GlobalClipInfo and the desktop's
// own region (the screen minus every visible window and open popup menu).
#pragma once

#include <vector>

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
// The incremental forms for one window appearing or leaving: only the
// windows below it (the rest of its list; for a topmost window every
// display's list) and, when it is on the screen, the desktop region change,
// and only in the part of its rectangle no window between them covers. The
// walk ends where nothing of that part is left.
// `win` has just become visible: its own region is rebuilt, the windows
// below and the desktop region lose it.
void ClipWindowsBelow(WindowRecord* win);
// `win` has just been hidden (it is still in its list): the windows below
// and the desktop region get back what it held. `gained` receives, in
// stacking order, the windows of its own and the current display's list
// that got some of it back, each with the bounds of what it got (screen
// coordinates).
struct GainedPart {
  WindowRecord* win;
  Rect bound;
};
void UnclipWindowsBelow(WindowRecord* win, std::vector<GainedPart>* gained);
// Takes a rectangle (screen coordinates) out of a window's region.
void CutFromClip(WindowRecord* win, const Rect& rect);
// Replaces a region under its mutex and raises the age.
void ResetClip(GlobalClipInfo* info, const Rect& rect);

// Hands the window DCs the way to this clip information.
void InstallClipInfoOps();
